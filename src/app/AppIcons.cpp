#include "app/AppIcons.h"

#include <QAction>
#include <QFont>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

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
    // The installed icon when the desktop knows it (same picture, but the
    // theme may hold sharper sizes), else the copy built into the program.
    static const QIcon builtIn = [] {
        QIcon icon;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            icon.addFile(QStringLiteral(":/icons/org.tivarel.Tivarel-%1.png").arg(size), QSize(size, size));
        return icon;
    }();
    return QIcon::fromTheme(QStringLiteral("org.tivarel.Tivarel"), builtIn);
}

QString themeName(const QString &objectName)
{
    // Names from the freedesktop icon naming list where one fits; for the
    // sections, the nearest pictures that the common themes (Adwaita,
    // Breeze) hold.
    static const QHash<QString, QString> names = {
        {QStringLiteral("FileNew1Btn"), QStringLiteral("document-new")},
        {QStringLiteral("FileNewItem"), QStringLiteral("document-new")},
        {QStringLiteral("OpenBtn"), QStringLiteral("document-open")},
        {QStringLiteral("FileOpenItem"), QStringLiteral("document-open")},
        {QStringLiteral("SaveBtn"), QStringLiteral("document-save")},
        {QStringLiteral("FileSaveItem"), QStringLiteral("document-save")},
        {QStringLiteral("FileSaveAsItem"), QStringLiteral("document-save-as")},
        {QStringLiteral("PrinterSetupItem"), QStringLiteral("document-print")},
        {QStringLiteral("FileExitItem"), QStringLiteral("application-exit")},
        {QStringLiteral("CutItem"), QStringLiteral("edit-cut")},
        {QStringLiteral("CopyBtn"), QStringLiteral("edit-copy")},
        {QStringLiteral("CopyItem"), QStringLiteral("edit-copy")},
        {QStringLiteral("PasteBtn"), QStringLiteral("edit-paste")},
        {QStringLiteral("PasteItem"), QStringLiteral("edit-paste")},
        {QStringLiteral("SpeedButton3"), QStringLiteral("go-first")},
        {QStringLiteral("SpeedButton2"), QStringLiteral("go-previous")},
        {QStringLiteral("SpeedButton1"), QStringLiteral("go-next")},
        {QStringLiteral("SpeedButton4"), QStringLiteral("go-last")},
        {QStringLiteral("SpeedButton7"), QStringLiteral("list-add")},
        {QStringLiteral("SpeedButton5"), QStringLiteral("edit-find")},
        {QStringLiteral("FindItem"), QStringLiteral("edit-find")},
        {QStringLiteral("SpeedButton6"), QStringLiteral("list-remove")},
        {QStringLiteral("SpeedButton11"), QStringLiteral("x-office-calendar")},
        {QStringLiteral("SpeedButton8"), QStringLiteral("x-office-address-book")},
        {QStringLiteral("SpeedButton9"), QStringLiteral("emblem-favorite")},
        {QStringLiteral("SpeedButton12"), QStringLiteral("emblem-default")},
        {QStringLiteral("SpeedButton10"), QStringLiteral("accessories-calculator")},
        {QStringLiteral("SpeedButton13"), QStringLiteral("camera-photo")},
        {QStringLiteral("SpeedButton14"), QStringLiteral("camera-video")},
        {QStringLiteral("SpeedButton16"), QStringLiteral("accessories-dictionary")},
        {QStringLiteral("SpeedButton15"), QStringLiteral("emblem-package")},
        {QStringLiteral("SpeedButton17"), QStringLiteral("emblem-documents")},
        {QStringLiteral("HelpContentsItem"), QStringLiteral("help-contents")},
        {QStringLiteral("HelpSearchItem"), QStringLiteral("system-search")},
        {QStringLiteral("HelpHowToItem"), QStringLiteral("help-browser")},
        {QStringLiteral("HelpAboutItem"), QStringLiteral("help-about")},
    };
    return names.value(objectName);
}

void applyTheme(QWidget &window)
{
    auto themed = [](const QString &objectName, const QIcon &current) {
        const QString name = themeName(objectName);
        return name.isEmpty() ? current : QIcon::fromTheme(name, current);
    };
    for (QToolButton *b : window.findChildren<QToolButton *>())
        b->setIcon(themed(b->objectName(), b->icon()));
    for (QAction *a : window.findChildren<QAction *>()) {
        if (!themeName(a->objectName()).isEmpty())
            a->setIcon(themed(a->objectName(), a->icon()));
    }
}

} // namespace AppIcons
