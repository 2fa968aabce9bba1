#include "common/CsvWriter.h"

#include "common/DateText.h"
#include "common/Money.h"

CsvWriter::CsvWriter(const QStringList &header)
{
    addRow(header);
    m_rows = 0;
}

void CsvWriter::addRow(const QStringList &fields)
{
    QString row;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            row += u';';
        row += field(fields.at(i));
    }
    m_data += row.toUtf8();
    m_data += "\r\n";
    ++m_rows;
}

QByteArray CsvWriter::bytes() const
{
    return QByteArray("\xEF\xBB\xBF") + m_data;
}

QString CsvWriter::field(const QString &text)
{
    const bool quote = text.contains(u';') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')
                       || (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote)
        return text;
    QString q = text;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QString CsvWriter::cents(qint64 cents)
{
    return Money::formatCents(cents);
}

QString CsvWriter::date(QDate d)
{
    return DateText::text(d);
}
