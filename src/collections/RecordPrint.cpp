#include "collections/RecordPrint.h"

#include "collections/AlbumPage.h"
#include "collections/PictureFile.h"
#include "collections/RecordForm.h"
#include "collections/VideoPage.h"
#include "common/DateText.h"
#include "common/MmCanvas.h"

#include <QDate>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace RecordPrint {

namespace {

const QString kArial = QStringLiteral("Arial");

QImage pictureOf(const QString &path)
{
    if (path.isEmpty() || !PictureFile::isRegularFile(path))
        return {};
    return PictureFile::load(path).image;
}

// Lines 5 mm apart from y down, cut to the width, up to the page's end;
// returns the line after the last.
int lines(MmCanvas &canvas, int x, int y, int width, const QStringList &texts)
{
    for (const QString &t : texts) {
        if (!canvas.lineFits(y))
            break;
        canvas.textIn(x, y, width, t);
        y += 5;
    }
    return y;
}

} // namespace

Photo photoOf(const AlbumPage &page)
{
    Photo p;
    if (const auto *title = page.findChild<QLineEdit *>(QStringLiteral("Edit7")))
        p.title = title->text();
    if (const auto *comment = page.findChild<QPlainTextEdit *>(QStringLiteral("Memo1")))
        p.comment = comment->toPlainText().split(u'\n');
    if (p.comment == QStringList{QString()})
        p.comment.clear();
    p.picture = pictureOf(page.chosenPath());
    return p;
}

void ImpPhoto(MmCanvas &canvas, const Photo &photo)
{
    const int width = canvas.pageWidthMm() - 10;
    canvas.setFont(kArial, 14, true);
    canvas.textIn(0, 0, width, photo.title);
    canvas.setFont(kArial, 10);
    // The frame takes two thirds of the page at most.
    const int frameBottom = 10 + std::max(40, std::min(180, (canvas.pageHeightMm() - 30) * 2 / 3));
    canvas.rectangle(0, 10, width, frameBottom);
    canvas.picture(2, 12, width - 2, frameBottom - 2, photo.picture);
    lines(canvas, 0, frameBottom + 5, width, photo.comment);
}

Video videoOf(const VideoPage &page)
{
    Video v;
    const RecordSchema &schema = page.schema();
    const RecordForm *form = page.form();
    v.header = schema.header();
    for (int i = 0; i < schema.fieldCount(); ++i) {
        const RecordField &f = schema.field(i);
        const QVariant value = form->value(i);
        switch (f.kind) {
        case RecordField::Kind::Picture: v.cover = pictureOf(form->picturePath()); break;
        case RecordField::Kind::Memo: v.memos.append({f.label, value.toStringList()}); break;
        case RecordField::Kind::Date: v.fields.append({schema.displayName(i), DateText::text(value.toDate())}); break;
        default: {
            QString text = value.toString();
            if (!f.unit.isEmpty() && !text.isEmpty())
                text += u' ' + f.unit;
            v.fields.append({schema.displayName(i), text});
            break;
        }
        }
    }
    return v;
}

void ImpVideo(MmCanvas &canvas, const Video &video)
{
    const int width = canvas.pageWidthMm() - 10;
    canvas.setFont(kArial, 12, true);
    canvas.textIn(0, 0, width, video.header);
    canvas.setFont(kArial, 10);
    // Fields on the left, the cover in a frame on the right.
    constexpr int valueX = 45;
    constexpr int coverX = 140;
    int y = 10;
    for (const auto &field : video.fields) {
        if (!canvas.lineFits(y))
            return;
        canvas.textIn(0, y, valueX - 2, field.first);
        canvas.textIn(valueX, y, coverX - valueX - 3, field.second);
        y += 5;
    }
    const int coverBottom = std::min(110, std::max(10, canvas.pageHeightMm() - 20));
    canvas.rectangle(coverX, 10, width, coverBottom);
    canvas.picture(coverX + 1, 11, width - 1, coverBottom - 1, video.cover);
    y = std::max(y, coverBottom) + 5;
    for (const auto &memo : video.memos) {
        if (memo.second.isEmpty() || (memo.second.size() == 1 && memo.second.first().isEmpty()))
            continue;
        y = lines(canvas, 0, y, width, {memo.first});
        y = lines(canvas, 5, y, width - 5, memo.second) + 2;
    }
}

} // namespace RecordPrint
