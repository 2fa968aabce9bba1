#include "TestFiles.h"

#include "common/Cp1252.h"

#include <QFile>

namespace TestFiles {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
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

} // namespace TestFiles

TestContext::TestContext(QDate today)
    : clock(QDateTime(today, QTime(9, 0))), context(ui, clock), window(std::make_unique<QWidget>())
{
    context.document().referenceDate = today;
    context.setDialogParent(window.get());
    for (int n = 1; n <= 10; ++n) {
        auto *box = new QComboBox(window.get());
        box->setObjectName(QStringLiteral("ComboBox%1").arg(n));
        context.setComboBox(n, box);
    }
}
