#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

// Tables for spreadsheets (LibreOffice, Excel) in the French settings they
// are used with: ";" between fields, decimal comma, dates "JJ/MM/AAAA",
// UTF-8 with a byte-order mark (which tells the spreadsheet the character
// set), CR LF after every row, one header row.
//
// A field that holds ";", a double quote, a line break or blanks at either
// end is quoted as RFC 4180 says: between double quotes, each double quote
// inside written twice. Any other field goes as it is, so numbers and dates
// reach the spreadsheet as numbers and dates.
class CsvWriter
{
public:
    explicit CsvWriter(const QStringList &header);

    void addRow(const QStringList &fields);
    int rowCount() const { return m_rows; }
    // BOM + the rows.
    QByteArray bytes() const;

    static QString field(const QString &text);
    // Cents as "1234,50", "-0,05".
    static QString cents(qint64 cents);
    static QString date(QDate d);

private:
    QByteArray m_data;
    int m_rows = 0;
};
