#include "app/AppIcons.h"

#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace {

// Draws the badge at the size asked for, when it is asked for: the tool
// bar's twenty buttons cost nothing at start-up until they are painted.
class BadgeEngine final : public QIconEngine
{
public:
    BadgeEngine(QString text, QColor colour) : m_text(std::move(text)), m_colour(std::move(colour)) {}

    void paint(QPainter *p, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const QColor fill = mode == QIcon::Disabled ? QColor(Qt::lightGray) : m_colour;
        const qreal side = qMin(rect.width(), rect.height());
        const QRectF square(rect.x() + (rect.width() - side) / 2 + 0.5, rect.y() + (rect.height() - side) / 2 + 0.5,
                            side - 1, side - 1);
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(fill.darker(140));
        p->setBrush(fill);
        p->drawRoundedRect(square, side / 5.0, side / 5.0);
        QFont f(QStringLiteral("Liberation Sans"));
        f.setBold(true);
        f.setPixelSize(qMax(1, int(m_text.size() > 1 ? side * 5 / 12 : side * 2 / 3)));
        p->setFont(f);
        p->setPen(Qt::white);
        p->drawText(square, Qt::AlignCenter, m_text);
        p->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine *clone() const override { return new BadgeEngine(m_text, m_colour); }

private:
    QString m_text;
    QColor m_colour;
};

} // namespace

namespace AppIcons {

QIcon badge(const QString &text, const QColor &colour)
{
    return QIcon(new BadgeEngine(text, colour));
}

QIcon program()
{
    return badge(QStringLiteral("T"), QColor(0x2b, 0x59, 0xc3));
}

} // namespace AppIcons
