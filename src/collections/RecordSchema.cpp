#include "collections/RecordSchema.h"

#include "collections/BlockFile.h"

#include "common/DateText.h"
#include "common/TextFile.h"

namespace {

std::optional<int> readInteger(const QString &line)
{
    bool ok = false;
    const int v = line.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

} // namespace

RecordField RecordField::text(const QString &name, const QString &label)
{
    RecordField f;
    f.kind = Kind::Text;
    f.name = name;
    f.label = label;
    return f;
}

RecordField RecordField::amount(const QString &name, const QString &label)
{
    RecordField f = text(name, label);
    f.kind = Kind::Amount;
    return f;
}

RecordField RecordField::date(const QString &name, const QString &label)
{
    RecordField f = text(name, label);
    f.kind = Kind::Date;
    return f;
}

RecordField RecordField::spin(const QString &name, const QString &label, int defaultValue, const QString &unit)
{
    RecordField f = text(name, label);
    f.kind = Kind::Integer;
    f.unit = unit;
    f.defaultValue = defaultValue;
    f.keptOnRead = true;
    return f;
}

RecordField RecordField::choice(int comboBox, const QString &label)
{
    RecordField f = text(QStringLiteral("ComboBox%1").arg(comboBox), label);
    f.kind = Kind::Choice;
    f.comboBox = comboBox;
    return f;
}

RecordField RecordField::picture(const QString &name, const QString &label)
{
    RecordField f = text(name, label);
    f.kind = Kind::Picture;
    return f;
}

RecordField RecordField::memo(const QString &name, const QString &label)
{
    RecordField f = text(name, label);
    f.kind = Kind::Memo;
    f.tag = name;
    return f;
}

RecordField RecordField::untaggedMemo(const QString &name, const QString &label)
{
    RecordField f = memo(name, label);
    f.tag.clear();
    return f;
}

RecordSchema::RecordSchema(QString header, QList<RecordField> fields)
    : m_header(std::move(header)), m_fields(std::move(fields))
{
    for (const RecordField &f : m_fields) {
        if (f.isFixedLine())
            ++m_fixedLines;
    }
}

int RecordSchema::indexOf(const QString &name) const
{
    for (int i = 0; i < fieldCount(); ++i) {
        if (m_fields[i].name == name)
            return i;
    }
    return -1;
}

QString RecordSchema::displayName(int i) const
{
    const RecordField &f = m_fields.at(i);
    if (!f.label.isEmpty() || i == 0)
        return f.label;
    return QStringLiteral("%1 (%2)").arg(m_fields.at(i - 1).label, f.unit);
}

QStringList RecordSchema::write(const RecordValues &values) const
{
    QStringList body;
    // Fixed lines first, in schema order, then every memo in schema order.
    for (int i = 0; i < fieldCount(); ++i) {
        const RecordField &f = m_fields[i];
        const QVariant v = i < values.size() ? values[i] : QVariant();
        switch (f.kind) {
        case RecordField::Kind::Date: body << (v.toDate().isValid() ? DateText::text(v.toDate()) : QString()); break;
        case RecordField::Kind::Integer: body << QString::number(v.toInt()); break;
        case RecordField::Kind::Memo: break;
        default: body << f.prefix + TextFile::oneLine(v.toString(), true); break;
        }
    }
    for (int i = 0; i < fieldCount(); ++i) {
        const RecordField &f = m_fields[i];
        if (f.kind != RecordField::Kind::Memo || i >= values.size())
            continue;
        for (const QString &line : values[i].toStringList())
            body << f.tag + TextFile::oneLine(line, true);
    }
    return body;
}

RecordReading RecordSchema::read(const QStringList &body) const
{
    RecordReading r;
    r.values.resize(fieldCount());
    int line = 0;
    for (int i = 0; i < fieldCount(); ++i) {
        const RecordField &f = m_fields[i];
        if (!f.isFixedLine())
            continue;
        if (line >= body.size()) {
            r.fault = RecordReading::Fault::Missing;
            r.faultField = i;
            return r;
        }
        const QString &text = body[line++];
        if (f.emptyKeepsValue && text.trimmed().isEmpty())
            continue;
        switch (f.kind) {
        case RecordField::Kind::Date:
            if (const auto d = DateText::fromText(text)) {
                r.values[i] = *d;
            } else {
                r.fault = RecordReading::Fault::Unreadable;
                r.faultField = i;
                r.faultText = text;
                return r;
            }
            break;
        case RecordField::Kind::Integer:
            if (const auto n = readInteger(text)) {
                r.values[i] = *n;
            } else {
                r.fault = RecordReading::Fault::Unreadable;
                r.faultField = i;
                r.faultText = text;
                return r;
            }
            break;
        case RecordField::Kind::Picture: r.values[i] = text.trimmed(); break;
        default: r.values[i] = text.mid(f.prefix.size()); break;
        }
    }

    QList<QStringList> memos(fieldCount());
    for (qsizetype n = m_fixedLines; n < body.size(); ++n) {
        const QString &text = body[n];
        for (int i = 0; i < fieldCount(); ++i) {
            const RecordField &f = m_fields[i];
            if (f.kind == RecordField::Kind::Memo && text.startsWith(f.tag)) {
                memos[i] << text.mid(f.tag.size());
                break;
            }
        }
    }
    for (int i = 0; i < fieldCount(); ++i) {
        if (m_fields[i].kind == RecordField::Kind::Memo)
            r.values[i] = memos[i];
    }
    return r;
}

std::optional<QStringList> RecordSchema::blockBody(const QStringList &lines, qsizetype start, const QString &endMarker)
{
    if (start < 0 || start >= lines.size())
        return std::nullopt;
    QStringList body;
    for (qsizetype i = start + 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line == endMarker || line.startsWith(QLatin1String("<BLOC")) || line.startsWith(QLatin1String("</BLOC")))
            break;
        body << BlockFile::unprotectLine(line);
    }
    return body;
}

QString RecordSchema::damageMessage(const RecordReading &reading, int recordNumber) const
{
    if (!reading.damaged() || reading.faultField < 0 || reading.faultField >= fieldCount())
        return {};
    const RecordField &f = m_fields[reading.faultField];
    const QString name = displayName(reading.faultField);
    QString what;
    if (reading.fault == RecordReading::Fault::Missing) {
        what = QStringLiteral("la fiche s'arrête avant le champ « %1 ».").arg(name);
    } else {
        const QString kind =
            f.kind == RecordField::Kind::Date ? QStringLiteral("une date") : QStringLiteral("un nombre entier");
        what = QStringLiteral("« %1 » n'est pas %2 (champ « %3 »).").arg(reading.faultText, kind, name);
    }
    return QStringLiteral("La fiche %1 est endommagée : %2\n"
                          "Seuls les champs lus avant celui-ci sont affichés. "
                          "Le fichier ne sera modifié que si vous changez cette fiche.")
        .arg(recordNumber)
        .arg(what);
}
