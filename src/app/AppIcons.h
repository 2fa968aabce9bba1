#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

// The program's pictures, drawn rather than shipped: the program icon and
// the tool bar's section buttons.
namespace AppIcons {

QIcon program();
// A rounded square of the given colour bearing a short text.
QIcon badge(const QString &text, const QColor &colour);

} // namespace AppIcons
