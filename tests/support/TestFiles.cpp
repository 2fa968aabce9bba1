#include "TestFiles.h"

#include "common/Cp1252.h"

#include <QDir>
#include <QFile>

namespace TestFiles {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += Cp1252::encode(l) + "\r\n";
    return out;
}

QStringList block(int n, const QStringList &body)
{
    const QString digits = QStringLiteral("%1>").arg(n, 4, 10, QLatin1Char('0'));
    return QStringList{"<BLOC" + digits} + body + QStringList{"</BLOC" + digits};
}

QMap<QString, QByteArray> writeSampleSet(const QString &folder, const QString &base)
{
    QMap<QString, QByteArray> files;
    files[".orz"] = crlf({"20260105 0900 Dentiste", "20260107 1400 R\u00e9union \u00e9cole"});
    files[".ocn"] = crlf({" "});
    files[".oan"] = crlf({});
    files[".oaf"] = crlf({"<FAIRE>", "Acheter du pain", "<FAIT>", "Payer la cantine"});
    files[".obg"] = crlf({});
    files[".oap"] = crlf(block(0, {"TITLE Vacances", "PICTURE "}));
    files[".ovd"] = crlf({});
    files[".oco"] = crlf({});
    files[".olv"] = crlf({});
    files[".osc"] = crlf({});
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        writeBytes(QDir(folder).filePath(base + it.key()), it.value());
    return files;
}

} // namespace TestFiles
