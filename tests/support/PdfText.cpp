#include "PdfText.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QtEndian>

namespace PdfText {

namespace {

QByteArray inflate(const QByteArray &data)
{
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(quint32(data.size() * 8 + 1024), sized.data());
    return qUncompress(sized + data);
}

// glyph number -> text, from "beginbfchar" and "beginbfrange" sections.
QHash<uint, QString> cmap(const QByteArray &text)
{
    QHash<uint, QString> map;
    auto utf16 = [](const QByteArray &hex) {
        QString s;
        for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
            s += QChar(char16_t(hex.mid(i, 4).toUInt(nullptr, 16)));
        return s;
    };
    static const QRegularExpression chars(QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*(?!<)"));
    static const QRegularExpression ranges(
        QStringLiteral("<([0-9A-Fa-f]+)>\\s*<([0-9A-Fa-f]+)>\\s*(\\[[^\\]]*\\]|<[0-9A-Fa-f]+>)"));
    static const QRegularExpression hexes(QStringLiteral("<([0-9A-Fa-f]+)>"));
    const QString s = QString::fromLatin1(text);
    for (const QString &section : s.split(QStringLiteral("endbf"))) {
        if (section.contains(QStringLiteral("beginbfrange"))) {
            // "<from> <to> <first>" counts up from the first text;
            // "<from> <to> [<a> <b> ...]" gives each glyph its own.
            for (auto m = ranges.globalMatch(section.section(QStringLiteral("beginbfrange"), 1)); m.hasNext();) {
                const auto r = m.next();
                const uint from = r.captured(1).toUInt(nullptr, 16), to = r.captured(2).toUInt(nullptr, 16);
                QStringList targets;
                for (auto h = hexes.globalMatch(r.captured(3)); h.hasNext();)
                    targets << utf16(h.next().captured(1).toLatin1());
                for (uint g = from; g <= to && !targets.isEmpty(); ++g) {
                    const QString &first = targets.first();
                    if (r.captured(3).startsWith(u'['))
                        map[g] = targets.value(g - from);
                    else if (!first.isEmpty())
                        map[g] = first.chopped(1) + QChar(char16_t(first.back().unicode() + (g - from)));
                }
            }
        } else if (section.contains(QStringLiteral("beginbfchar"))) {
            for (auto m = chars.globalMatch(section.section(QStringLiteral("beginbfchar"), 1)); m.hasNext();) {
                const auto r = m.next();
                map[r.captured(1).toUInt(nullptr, 16)] = utf16(r.captured(2).toLatin1());
            }
        }
    }
    return map;
}

} // namespace

QStringList read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString pdf = QString::fromLatin1(f.readAll());
    // Objects and their streams.
    QHash<QString, QString> dicts;
    QHash<QString, QByteArray> streams;
    static const QRegularExpression object(QStringLiteral("(\\d+) 0 obj(.*?)endobj"),
                                           QRegularExpression::DotMatchesEverythingOption);
    for (auto m = object.globalMatch(pdf); m.hasNext();) {
        const auto o = m.next();
        const QString body = o.captured(2);
        const qsizetype s = body.indexOf(QStringLiteral("stream"));
        dicts[o.captured(1)] = s < 0 ? body : body.left(s);
        if (s >= 0) {
            qsizetype start = s + 6;
            while (start < body.size() && (body[start] == u'\r' || body[start] == u'\n'))
                ++start;
            QByteArray data = body.mid(start, body.lastIndexOf(QStringLiteral("endstream")) - start).toLatin1();
            streams[o.captured(1)] = body.left(s).contains(QStringLiteral("FlateDecode")) ? inflate(data) : data;
        }
    }
    // Font resource names -> glyph maps.
    QHash<QString, QHash<uint, QString>> fonts;
    static const QRegularExpression fontRef(QStringLiteral("/(F\\d+) (\\d+) 0 R"));
    static const QRegularExpression toUnicode(QStringLiteral("/ToUnicode (\\d+) 0 R"));
    for (auto m = fontRef.globalMatch(pdf); m.hasNext();) {
        const auto r = m.next();
        const auto u = toUnicode.match(dicts.value(r.captured(2)));
        if (u.hasMatch())
            fonts[r.captured(1)] = cmap(streams.value(u.captured(1)));
    }
    // Text objects of the page contents.
    QStringList texts;
    static const QRegularExpression op(QStringLiteral("/(F\\d+) [\\d.]+ Tf|<([0-9A-Fa-f]+)> Tj|\\bET\\b"));
    for (auto it = streams.cbegin(); it != streams.cend(); ++it) {
        const QString content = QString::fromLatin1(it.value());
        if (!content.contains(QStringLiteral("BT")))
            continue;
        QString font, run;
        for (auto m = op.globalMatch(content); m.hasNext();) {
            const auto r = m.next();
            if (!r.captured(1).isEmpty()) {
                font = r.captured(1);
            } else if (!r.captured(2).isEmpty()) {
                const QString hex = r.captured(2);
                for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
                    run += fonts.value(font).value(hex.mid(i, 4).toUInt(nullptr, 16), QStringLiteral("?"));
            } else if (!run.isEmpty()) {
                // Qt's writer maps the blank's glyph to a tab.
                texts << run.replace(u'\t', u' ');
                run.clear();
            }
        }
    }
    return texts;
}

} // namespace PdfText
