#include "common/CsvWriter.h"

#include "common/DateText.h"
#include "common/Money.h"

CsvWriter::CsvWriter(const QStringList &header)
{
    QStringList names;
    for (const QString &h : header)
        names << text(h);
    addRow(names);
    m_rows = 0;
}

void CsvWriter::addRow(const QStringList &fields)
{
    QString row;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i)
            row += u';';
        row += fields.at(i);
    }
    m_data += row.toUtf8();
    m_data += "\r\n";
    ++m_rows;
}

QByteArray CsvWriter::bytes() const
{
    return QByteArray("\xEF\xBB\xBF") + m_data;
}

QString CsvWriter::text(const QString &text)
{
    QString q = text;
    q.replace(u'"', QStringLiteral("\"\""));
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!q.isEmpty() && formulaStarts.contains(q.front()))
        q.prepend(u'\'');
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
