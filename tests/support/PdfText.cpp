#include "PdfText.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QtEndian>

namespace {

using Re = QRegularExpression;

QString inflate(const QString &latin1) // qUncompress wants the size first
{
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(quint32(latin1.size() * 8 + 1024), sized.data());
    return QString::fromLatin1(qUncompress(sized + latin1.toLatin1()));
}

} // namespace

QStringList PdfText::read(const QString &path)
{
    QFile f(path);
    const QString pdf = f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    // Objects: dictionary and (inflated) stream by number.
    QHash<QString, QString> dicts, streams;
    static const Re object(R"((\d+) 0 obj(.*?)endobj)", Re::DotMatchesEverythingOption);
    static const Re stream(R"(^(.*?)stream\r?\n(.*)endstream)", Re::DotMatchesEverythingOption);
    for (auto m = object.globalMatch(pdf); m.hasNext();) {
        const auto o = m.next();
        const auto s = stream.match(o.captured(2));
        dicts[o.captured(1)] = s.hasMatch() ? s.captured(1) : o.captured(2);
        if (s.hasMatch())
            streams[o.captured(1)] = s.captured(1).contains("FlateDecode") ? inflate(s.captured(2)) : s.captured(2);
    }
    // Each font's glyph numbers -> text, from the ranges of its ToUnicode map
    // ("<from> <to> [<text> <text> ...]", the form Qt writes).
    QHash<QString, QHash<uint, QString>> fonts;
    static const Re fontRef(R"(/(F\d+) (\d+) 0 R)"), toUnicode(R"(/ToUnicode (\d+) 0 R)");
    static const Re range(R"(<([0-9A-F]+)> <[0-9A-F]+> \[([^\]]*)\])"), hex(R"(<([0-9A-F]+)>)");
    for (auto m = fontRef.globalMatch(pdf); m.hasNext();) {
        const auto r = m.next();
        const QString cmap = streams.value(toUnicode.match(dicts.value(r.captured(2))).captured(1));
        for (auto g = range.globalMatch(cmap); g.hasNext();) {
            const auto x = g.next();
            uint glyph = x.captured(1).toUInt(nullptr, 16);
            for (auto t = hex.globalMatch(x.captured(2)); t.hasNext();)
                fonts[r.captured(1)][glyph++] = QChar(char16_t(t.next().captured(1).toUInt(nullptr, 16)));
        }
    }
    // Text objects of the page contents: "/F7 167 Tf", "<0001> Tj" ... "ET".
    QStringList texts;
    static const Re op(R"(/(F\d+) [\d.]+ Tf|<([0-9A-F]+)> Tj|\bET\b)");
    for (const QString &content : std::as_const(streams)) {
        QString font, run;
        for (auto m = op.globalMatch(content); m.hasNext();) {
            const auto r = m.next();
            if (r.capturedLength(1))
                font = r.captured(1);
            else if (r.capturedLength(2))
                run += fonts.value(font).value(r.captured(2).toUInt(nullptr, 16), QStringLiteral("?"));
            else if (!run.isEmpty())
                texts << std::exchange(run, {}).replace(u'\t', u' '); // Qt maps the blank's glyph to a tab
        }
    }
    return texts;
}
