#include "budget/BankStatement.h"

#include "common/Cp1252.h"
#include "common/Money.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTimeZone>

#include <libofx/libofx.h>

#include <cmath>

// libofx tells every parse problem on the standard error stream unless told
// not to; the import says what matters itself.
extern int ofx_ERROR_msg;
extern int ofx_WARNING_msg;
extern int ofx_INFO_msg;
extern int ofx_STATUS_msg;

namespace BankStatement {

namespace {

// Lower case without accents, for comparing column names.
QString plain(const QString &text)
{
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            out += c.toLower();
    }
    return out.simplified();
}

bool allDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

int fullYear(QStringView digits)
{
    const int y = digits.toInt();
    if (digits.size() <= 2)
        return y + (y < 50 ? 2000 : 1900);
    return y;
}

// Years come from four digits at most; one below 1000 is a typing slip.
std::optional<QDate> dateOf(int year, int month, int day)
{
    const QDate d(year, month, day);
    if (!d.isValid() || year < 1000)
        return std::nullopt;
    return d;
}

// The three numbers of a date written with "/", "-", "." or "'" between
// them, blanks inside ignored; nothing when it is not three numbers.
std::optional<std::array<QString, 3>> dateParts(QString text)
{
    text.remove(u' ');
    std::array<QString, 3> parts;
    int n = 0;
    for (const QChar c : std::as_const(text)) {
        if (c == u'/' || c == u'-' || c == u'.' || c == u'\'') {
            if (++n > 2)
                return std::nullopt;
        } else {
            parts[n] += c;
        }
    }
    if (n != 2)
        return std::nullopt;
    for (const QString &p : parts) {
        if (!allDigits(p) || p.size() > 4)
            return std::nullopt;
    }
    return parts;
}

Transaction finished(Transaction t)
{
    t.description = t.description.simplified();
    t.memo = t.memo.simplified();
    if (t.description.isEmpty())
        t.description = t.memo;
    return t;
}

// ---------------------------------------------------------------------------
// OFX

// What the file itself says of one transaction, so that amounts with a
// decimal comma or thousands blanks, and dates whose time zone would move
// them to another day, are read as written.
struct OfxRaw
{
    QString fitId;
    QString date;
    QString amount;
};

QList<OfxRaw> rawTransactions(const QByteArray &data)
{
    QList<OfxRaw> out;
    const QByteArray upper = data.toUpper();
    const QByteArray open = "<STMTTRN>";
    qsizetype at = upper.indexOf(open);
    while (at >= 0) {
        const qsizetype next = upper.indexOf(open, at + open.size());
        qsizetype end = upper.indexOf("</STMTTRN>", at);
        if (end < 0 || (next >= 0 && next < end))
            end = next < 0 ? upper.size() : next;
        auto field = [&](const QByteArray &tag) {
            const QByteArray t = '<' + tag + '>';
            const qsizetype pos = upper.indexOf(t, at);
            if (pos < 0 || pos >= end)
                return QString();
            qsizetype stop = pos + t.size();
            while (stop < end && data[stop] != '<' && data[stop] != '\r' && data[stop] != '\n')
                ++stop;
            return decodeText(data.mid(pos + t.size(), stop - pos - t.size())).trimmed();
        };
        out.append({field("FITID"), field("DTPOSTED"), field("TRNAMT")});
        at = next;
    }
    return out;
}

struct OfxRead
{
    QList<Transaction> transactions;
};

int onTransaction(const struct OfxTransactionData d, void *user)
{
    auto *read = static_cast<OfxRead *>(user);
    Transaction t;
    // A transaction without DTPOSTED has no date, though libofx gives it
    // 1 January 1970.
    if (d.date_posted_valid && d.date_posted >= 86400)
        t.date = QDateTime::fromSecsSinceEpoch(qint64(d.date_posted), Qt::UTC).date();
    if (d.amount_valid && std::isfinite(d.amount) && std::fabs(d.amount) < 1e15)
        t.cents = std::llround(d.amount * 100.0);
    if (d.name_valid)
        t.description = QString::fromUtf8(d.name);
    if (d.memo_valid)
        t.memo = QString::fromUtf8(d.memo);
    if (d.fi_id_valid)
        t.fitId = QString::fromUtf8(d.fi_id).trimmed();
    read->transactions.append(t);
    return 0;
}

// The file's own date ("yyyymmdd" first) and amount take the place of
// libofx's reading of them.
void useRaw(Transaction &t, const OfxRaw &raw)
{
    t.dateText = raw.date;
    t.amountText = raw.amount;
    if (!raw.date.isEmpty()) {
        const QString day = raw.date.left(8);
        t.date = allDigits(day) && day.size() == 8
                     ? dateOf(day.left(4).toInt(), day.mid(4, 2).toInt(), day.mid(6, 2).toInt()).value_or(QDate())
                     : QDate();
    }
    if (!raw.amount.isEmpty())
        t.cents = parseAmount(raw.amount);
}

// ---------------------------------------------------------------------------
// CSV

QList<QStringList> splitCsv(const QString &text, QChar separator, int maxRows)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    bool any = false;
    auto endRow = [&] {
        row.append(cell);
        rows.append(row);
        row.clear();
        cell.clear();
        any = false;
    };
    for (qsizetype i = 0; i < text.size() && rows.size() < maxRows; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"')
                    cell += text[++i];
                else
                    quoted = false;
            } else {
                cell += c;
            }
            continue;
        }
        if (c == u'"' && cell.trimmed().isEmpty()) {
            cell.clear();
            quoted = any = true;
        } else if (c == separator) {
            row.append(cell);
            cell.clear();
            any = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endRow();
        } else {
            cell += c;
            any = true;
        }
    }
    // The last row, when no line end closes it (when the limit stopped the
    // reading, its last row was closed already).
    if (any || !cell.isEmpty() || !row.isEmpty())
        endRow();
    return rows;
}

QString cellOf(const QStringList &row, int column)
{
    return column >= 0 && column < row.size() ? row.at(column).trimmed() : QString();
}

} // namespace

std::optional<Format> formatNamed(const QString &name)
{
    const QString n = name.toLower();
    if (n == u"ofx")
        return Format::Ofx;
    if (n == u"qif")
        return Format::Qif;
    if (n == u"csv")
        return Format::Csv;
    return std::nullopt;
}

QString decodeText(QByteArrayView data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(data.sliced(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    return Cp1252::decode(data);
}

std::optional<qint64> parseAmount(const QString &text)
{
    QString s;
    for (const QChar c : text) {
        if (!c.isSpace() && c != u'\'' && c != QChar(0x20AC))
            s += c;
    }
    if (s.endsWith(QStringLiteral("EUR"), Qt::CaseInsensitive))
        s.chop(3);
    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2);
    }
    if (s.endsWith(u'-')) {
        negative = !negative;
        s.chop(1);
    } else if (s.startsWith(u'-') || s.startsWith(u'+')) {
        negative = negative != (s[0] == u'-');
        s.remove(0, 1);
    }
    const qsizetype dot = s.lastIndexOf(u'.');
    const qsizetype comma = s.lastIndexOf(u',');
    if (dot >= 0 && comma >= 0) {
        const QChar decimal = dot > comma ? u'.' : u',';
        const QChar thousands = dot > comma ? u',' : u'.';
        if (s.count(decimal) > 1)
            return std::nullopt;
        s.remove(thousands);
    } else if (dot >= 0 || comma >= 0) {
        const QChar sep = dot >= 0 ? u'.' : u',';
        const qsizetype at = std::max(dot, comma);
        const qsizetype whole = s.indexOf(sep);
        // "1.234" or "12,345,678": thousands; "12,50" or "0.125": decimals.
        if (s.count(sep) > 1 || (s.size() - at - 1 == 3 && whole >= 1 && whole <= 3 && s[0] != u'0'))
            s.remove(sep);
    }
    if (s.isEmpty() || !(s[0].isDigit() || s[0] == u'.' || s[0] == u','))
        return std::nullopt;
    const auto cents = Money::parseCents(s);
    if (!cents)
        return std::nullopt;
    return negative ? -*cents : *cents;
}

std::optional<QDate> parseDayFirst(const QString &text)
{
    QString s = text.trimmed();
    s = s.left(s.indexOf(u' ') < 0 ? s.size() : s.indexOf(u' '));
    if (s.size() == 8 && allDigits(s))
        return dateOf(s.left(4).toInt(), s.mid(4, 2).toInt(), s.mid(6, 2).toInt());
    const auto p = dateParts(s);
    if (!p)
        return std::nullopt;
    if ((*p)[0].size() == 4)
        return dateOf((*p)[0].toInt(), (*p)[1].toInt(), (*p)[2].toInt());
    if ((*p)[0].size() > 2 || (*p)[1].size() > 2)
        return std::nullopt;
    return dateOf(fullYear((*p)[2]), (*p)[1].toInt(), (*p)[0].toInt());
}

Statement readOfx(const QString &path)
{
    Statement s;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        s.error = QStringLiteral("Impossible de lire %1").arg(path);
        return s;
    }
    const QByteArray data = f.readAll();
    f.close();
    ofx_ERROR_msg = ofx_WARNING_msg = ofx_INFO_msg = ofx_STATUS_msg = 0;
    OfxRead read;
    LibofxContextPtr context = libofx_get_new_context();
    ofx_set_transaction_cb(context, onTransaction, &read);
    const int result = libofx_proc_file(context, QFile::encodeName(path).constData(), OFX);
    libofx_free_context(context);
    if (read.transactions.isEmpty() && (result != 0 || !data.toUpper().contains("<OFX>"))) {
        s.error = QStringLiteral("Ce fichier n'est pas un relevé OFX lisible.");
        return s;
    }
    const QList<OfxRaw> raw = rawTransactions(data);
    QHash<QString, qsizetype> byFitId;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (!raw[i].fitId.isEmpty())
            byFitId.insert(raw[i].fitId, i);
    }
    const bool inStep = raw.size() == read.transactions.size();
    for (qsizetype i = 0; i < read.transactions.size(); ++i) {
        Transaction &t = read.transactions[i];
        const qsizetype r = inStep ? i : byFitId.value(t.fitId, -1);
        if (r >= 0 && (!inStep || t.fitId.isEmpty() || raw[r].fitId == t.fitId))
            useRaw(t, raw[r]);
        s.transactions.append(finished(t));
    }
    return s;
}

Statement readQif(QByteArrayView data)
{
    Statement s;
    const QString text = decodeText(data);
    bool skipping = false, inAccount = false, any = false, typed = false;
    Transaction t;
    QString amountU;
    auto close = [&] {
        if (any) {
            if (t.amountText.isEmpty())
                t.amountText = amountU;
            s.transactions.append(t);
        }
        t = Transaction();
        amountU.clear();
        any = false;
    };
    for (const QString &raw : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'!')) {
            close();
            const QString header = plain(line.mid(1));
            if (header.startsWith(QStringLiteral("type:"))) {
                const QString type = header.mid(5).trimmed();
                skipping =
                    !(type == u"bank" || type == u"cash" || type == u"ccard" || type == u"oth a" || type == u"oth l");
                typed = true;
                inAccount = false;
            } else if (header == u"account") {
                inAccount = true;
            }
            continue;
        }
        if (inAccount) {
            if (line.startsWith(u'^'))
                inAccount = false;
            continue;
        }
        if (skipping)
            continue;
        const QChar code = line[0];
        const QString value = line.mid(1).trimmed();
        switch (code.unicode()) {
        case u'^': close(); continue;
        case u'D': t.dateText = value; break;
        case u'T': t.amountText = value; break;
        case u'U': amountU = value; break;
        case u'P': t.description = value; break;
        case u'M': t.memo = value; break;
        case u'L': t.category = value; break;
        default: break; // splits, addresses, numbers, cleared marks
        }
        any = true;
    }
    close();
    if (!typed && s.transactions.isEmpty()) {
        s.error = QStringLiteral("Ce fichier n'est pas un relevé QIF lisible.");
        return s;
    }
    // The file's dates are day-first unless a month above 12 says otherwise.
    bool monthFirst = false, dayFirst = false;
    for (const Transaction &x : std::as_const(s.transactions)) {
        const auto p = dateParts(x.dateText);
        if (!p || x.dateText.contains(u'\'') || (*p)[0].size() == 4)
            continue;
        dayFirst = dayFirst || (*p)[0].toInt() > 12;
        monthFirst = monthFirst || (*p)[1].toInt() > 12;
    }
    for (Transaction &x : s.transactions) {
        const auto p = dateParts(x.dateText);
        if (p) {
            const int a = (*p)[0].toInt(), b = (*p)[1].toInt();
            const bool quicken = x.dateText.contains(u'\'');
            const bool aIsMonth = quicken ? b > 12 || a <= 12 : monthFirst && !dayFirst;
            x.date = ((*p)[0].size() == 4 ? dateOf(a, b, (*p)[2].toInt())
                      : aIsMonth          ? dateOf(fullYear((*p)[2]), a, b)
                                          : dateOf(fullYear((*p)[2]), b, a))
                         .value_or(QDate());
        }
        x.cents = parseAmount(x.amountText);
        x = finished(x);
    }
    return s;
}

bool CsvMapping::isValid() const
{
    return date >= 0 && (amount >= 0 || debit >= 0 || credit >= 0) && firstRow >= 0;
}

QString CsvMapping::toText() const
{
    return QStringLiteral("sep=%1|first=%2|date=%3|desc=%4|memo=%5|amount=%6|debit=%7|credit=%8")
        .arg(separator == u'\t' ? QStringLiteral("tab") : QString(separator))
        .arg(firstRow)
        .arg(date)
        .arg(description)
        .arg(memo)
        .arg(amount)
        .arg(debit)
        .arg(credit);
}

std::optional<CsvMapping> CsvMapping::fromText(const QString &text)
{
    CsvMapping m;
    for (const QString &field : text.split(u'|')) {
        const QString name = field.section(u'=', 0, 0);
        const QString value = field.section(u'=', 1);
        bool ok = true;
        if (name == u"sep")
            m.separator = value == u"tab" ? QChar(u'\t') : value.isEmpty() ? QChar(u';') : value[0];
        else if (name == u"first")
            m.firstRow = value.toInt(&ok);
        else if (name == u"date")
            m.date = value.toInt(&ok);
        else if (name == u"desc")
            m.description = value.toInt(&ok);
        else if (name == u"memo")
            m.memo = value.toInt(&ok);
        else if (name == u"amount")
            m.amount = value.toInt(&ok);
        else if (name == u"debit")
            m.debit = value.toInt(&ok);
        else if (name == u"credit")
            m.credit = value.toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    if (!m.isValid())
        return std::nullopt;
    return m;
}

QList<QStringList> csvRows(QByteArrayView data, QChar separator, int maxRows)
{
    return splitCsv(decodeText(data), separator, maxRows);
}

QChar guessSeparator(QByteArrayView data)
{
    const QString text = decodeText(data.first(std::min<qsizetype>(data.size(), 4096)));
    QChar best = u';';
    qsizetype most = 0;
    for (const QChar sep : {u';', u',', u'\t'}) {
        const auto rows = splitCsv(text, sep, 1);
        const qsizetype n = rows.isEmpty() ? 0 : rows.first().size() - 1;
        if (n > most) {
            most = n;
            best = sep;
        }
    }
    return best;
}

CsvMapping guessMapping(QByteArrayView data)
{
    CsvMapping m;
    m.separator = guessSeparator(data);
    const auto rows = csvRows(data, m.separator, 20);
    for (int r = 0; r < rows.size(); ++r) {
        CsvMapping h = m;
        h.firstRow = r + 1;
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString name = plain(rows[r][c]);
            auto take = [&](int &column, bool when) {
                if (when && column < 0)
                    column = c;
                return when;
            };
            if (name.startsWith(QStringLiteral("date")) && !name.contains(QStringLiteral("valeur")))
                take(h.date, true);
            else if (take(h.debit,
                          name.startsWith(QStringLiteral("debit")) || name.startsWith(QStringLiteral("depense"))))
                ;
            else if (take(h.credit,
                          name.startsWith(QStringLiteral("credit")) || name.startsWith(QStringLiteral("recette"))))
                ;
            else if (take(h.amount,
                          name.startsWith(QStringLiteral("montant")) || name.startsWith(QStringLiteral("amount"))))
                ;
            else if (take(h.description, name.startsWith(QStringLiteral("libell"))
                                             || name.startsWith(QStringLiteral("label"))
                                             || name.startsWith(QStringLiteral("description"))
                                             || name.startsWith(QStringLiteral("tiers"))
                                             || name.startsWith(QStringLiteral("beneficiaire"))))
                ;
            else
                take(h.memo, name.startsWith(QStringLiteral("detail")) || name.startsWith(QStringLiteral("memo"))
                                 || name.startsWith(QStringLiteral("note"))
                                 || name.startsWith(QStringLiteral("comment")));
        }
        if (h.isValid())
            return h;
    }
    return m;
}

Statement readCsv(QByteArrayView data, const CsvMapping &m)
{
    Statement s;
    if (!m.isValid()) {
        s.error = QStringLiteral("Les colonnes de la date et du montant ne sont pas choisies.");
        return s;
    }
    const QList<QStringList> rows = csvRows(data, m.separator);
    for (qsizetype r = m.firstRow; r < rows.size(); ++r) {
        const QStringList &row = rows[r];
        if (row.join(QString()).trimmed().isEmpty())
            continue;
        Transaction t;
        t.dateText = cellOf(row, m.date);
        t.date = parseDayFirst(t.dateText).value_or(QDate());
        t.description = cellOf(row, m.description);
        t.memo = cellOf(row, m.memo);
        if (m.amount >= 0) {
            t.amountText = cellOf(row, m.amount);
            t.cents = parseAmount(t.amountText);
        } else {
            const QString debit = cellOf(row, m.debit);
            const QString credit = cellOf(row, m.credit);
            t.amountText = debit.isEmpty() ? credit : credit.isEmpty() ? debit : debit + u'/' + credit;
            const auto d = debit.isEmpty() ? std::optional<qint64>(0) : parseAmount(debit);
            const auto c = credit.isEmpty() ? std::optional<qint64>(0) : parseAmount(credit);
            if (d && c && !t.amountText.isEmpty())
                t.cents = std::llabs(*c) - std::llabs(*d);
        }
        s.transactions.append(finished(t));
    }
    return s;
}

} // namespace BankStatement
