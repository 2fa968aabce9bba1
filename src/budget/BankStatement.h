#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

// Bank statements as banks let their customers download them: OFX (1.x
// SGML and 2.x XML, read by libofx), QIF and CSV. Each gives the list of its
// transactions in file order; a transaction whose date or amount cannot be
// read is still listed (with what the file said) so that the import can
// tell why it refuses it.
namespace BankStatement {

struct Transaction
{
    QDate date;                  // invalid when unreadable
    std::optional<qint64> cents; // signed, in cents: below zero an expense; nothing when unreadable
    QString description;         // the payee (OFX NAME, QIF P), else the memo
    QString memo;
    QString category; // QIF L
    QString fitId;    // OFX FITID: the bank's own number of the transaction
    QString dateText; // as the file wrote them, for the reasons of a refusal
    QString amountText;
};

struct Statement
{
    QList<Transaction> transactions;
    QString error; // the file is not a statement of its kind: nothing was read
};

enum class Format
{
    Ofx,
    Qif,
    Csv
};
// "ofx", "qif", "csv" (any case); nothing for another name.
std::optional<Format> formatNamed(const QString &name);

// Which column of a CSV statement holds what (0-based, -1: none). Either a
// signed amount column or a debit and/or a credit column; debits are
// expenses whatever their sign.
struct CsvMapping
{
    QChar separator = u';';
    int firstRow = 1; // rows before it (a header, the bank's own lines) are skipped
    int date = -1;
    int description = -1;
    int memo = -1;
    int amount = -1;
    int debit = -1;
    int credit = -1;

    bool isValid() const;
    // "sep=;|first=1|date=0|desc=1|memo=-1|amount=2|debit=-1|credit=-1", kept
    // per account beside the document.
    QString toText() const;
    static std::optional<CsvMapping> fromText(const QString &text);
    bool operator==(const CsvMapping &) const = default;
};

// A statement file's text: UTF-8 with or without its byte-order mark when
// it is valid UTF-8, Windows-1252 otherwise.
QString decodeText(QByteArrayView data);

// An amount as banks write it: "-12,50", "1 234,56", "1.234,56",
// "-1,234.56", "+45.10", "12,50 €", "12.50-". Nothing when it is not one.
std::optional<qint64> parseAmount(const QString &text);

// A day-first date: "05/03/2026", "5/3/26", "05-03-2026", "05.03.2026", or
// "2026-03-05".
std::optional<QDate> parseDayFirst(const QString &text);

// Reads an OFX file (libofx needs a file). Amounts and dates are taken from
// the file's own text, as written, so that they are exact.
Statement readOfx(const QString &path);

// QIF: bank, cash and card accounts ("!Type:Bank", "Cash", "CCard",
// "Oth A", "Oth L"); other types are skipped. D date (day-first or
// month-first, decided for the whole file by a day above 12; Quicken's
// "M/D'YY" is month-first unless its first number is above 12), T or U
// amount, P payee, M memo, L category.
Statement readQif(QByteArrayView data);

// CSV: the rows from mapping.firstRow on; empty rows are skipped.
Statement readCsv(QByteArrayView data, const CsvMapping &mapping);
// The cells of the first `maxRows` rows (all by default), for the column
// dialog.
QList<QStringList> csvRows(QByteArrayView data, QChar separator, int maxRows = std::numeric_limits<int>::max());
// The separator of the first line: ";", "," or a tab, the most frequent
// outside quotes.
QChar guessSeparator(QByteArrayView data);
// A mapping read from the header row's names (Date, Libellé, Débit,
// Crédit, Montant..., and the English ones online banks write: dateOp,
// label, amount, comment); the first date column is the operation's;
// invalid when they say too little.
CsvMapping guessMapping(QByteArrayView data);

} // namespace BankStatement
