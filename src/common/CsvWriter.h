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
// Rows are made of fields already written by text(), cents() or date().
// A text is always quoted as RFC 4180 says (between double quotes, each
// double quote inside written twice), so that a spreadsheet told to take
// quoted fields as text (LibreOffice: "Format quoted field as text") never
// turns "00123" into 123 or "1/2" into a date; a text a spreadsheet would
// take for a formula (beginning with "=", "+", "-", "@", a tab or a carriage
// return) gets a leading apostrophe. Amounts and dates go bare, so they
// reach the spreadsheet as numbers and dates.
class CsvWriter
{
public:
    // The header's names are texts.
    explicit CsvWriter(const QStringList &header);

    void addRow(const QStringList &fields);
    int rowCount() const { return m_rows; }
    // BOM + the rows.
    QByteArray bytes() const;

    static QString text(const QString &text);
    // Cents as "1234,50", "-0,05".
    static QString cents(qint64 cents);
    static QString date(QDate d);

private:
    QByteArray m_data;
    int m_rows = 0;
};
