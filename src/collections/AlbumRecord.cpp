#include "collections/AlbumRecord.h"

namespace AlbumRecord {

namespace {
const QString kAnimate = QStringLiteral("ANIMATE ");
}

const RecordSchema &schema()
{
    using F = RecordField;
    static const RecordSchema s = [] {
        F title = F::text(QStringLiteral("Edit7"), QStringLiteral("Titre"));
        title.prefix = QStringLiteral("TITLE ");
        // "PICTURE " and "ANIMATE " have the same length: either is skipped.
        F path = F::text(QStringLiteral("Image1"), QStringLiteral("Image"));
        path.prefix = QStringLiteral("PICTURE ");
        return RecordSchema(QStringLiteral("Album Photo"),
                            {title, path, F::untaggedMemo(QStringLiteral("Memo1"), QStringLiteral("Commentaire"))});
    }();
    return s;
}

bool isAnimation(const QString &path)
{
    return path.contains(QLatin1String(".avi"), Qt::CaseInsensitive);
}

RecordValues read(const QStringList &body)
{
    RecordValues values = schema().read(body).values;
    values[Title] = values[Title].toString();
    values[Path] = values[Path].toString();
    values[Comment] = values[Comment].toStringList();
    return values;
}

std::optional<QStringList> write(const RecordValues &values)
{
    const QString path = values.value(Path).toString();
    if (path.isEmpty() && values.value(Title).toString().isEmpty() && values.value(Comment).toStringList().isEmpty())
        return std::nullopt;
    QStringList body = schema().write(values);
    if (isAnimation(path))
        body[Path] = kAnimate + body[Path].mid(kAnimate.size());
    return body;
}

} // namespace AlbumRecord
