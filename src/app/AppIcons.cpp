#include "app/AppIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace AppIcons {

QIcon badge(const QString &text, const QColor &colour)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(colour.darker(140));
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
        QFont f(QStringLiteral("Liberation Sans"));
        f.setBold(true);
        f.setPixelSize(text.size() > 1 ? size * 5 / 12 : size * 2 / 3);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, text);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon program()
{
    return badge(QStringLiteral("T"), QColor(0x2b, 0x59, 0xc3));
}

} // namespace AppIcons
