#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

class QWidget;

// The program's pictures: its own icon, and the commands' icons taken from
// the desktop's icon theme (Adwaita when the desktop names none), with drawn
// badges for a theme that lacks one.
namespace AppIcons {

QIcon program();
// A rounded square of the given colour bearing a short text.
QIcon badge(const QString &text, const QColor &colour);
// The freedesktop icon name for a tool button or menu command, by its
// objectName; empty when the command has no picture.
QString themeName(const QString &objectName);
// Gives every tool button and menu command of the window below its theme
// icon; a command the theme has no icon for keeps the one it has.
void applyTheme(QWidget &window);

} // namespace AppIcons
