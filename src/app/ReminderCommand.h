#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

class Clock;
class QApplication;
class QObject;

// `tivarel --rappels [DOCUMENT.orz]`: the reminders without a window, for
// the desktop session (see ReminderAutostart). It reads the document named,
// or the last document of Tivarel.ini, read-only: it never takes the
// document's lock and never writes a file of the set. It reads the set again
// when one of its files changes and when the clock jumps. A click on a
// reminder shows its week in the running window, or starts one on it
// (`tivarel --semaine AAAAMMJJ DOCUMENT.orz`).
namespace ReminderCommand {

// Whether the command line asks for the reminders alone.
bool requested(const QStringList &arguments);
// The day `--semaine` names; invalid when none.
QDate weekAsked(const QStringList &arguments);

// Runs until the program is ended: 0 then, 2 when the document named does
// not exist.
int run(QApplication &app, const Clock &clock, const QString &dataDirectory);

// The window's side: answers the reminders' "show this week" calls on the
// session bus while `owner` lives.
void serveWindow(QObject *owner, std::function<void(QDate)> show);

} // namespace ReminderCommand

// The desktop session's autostart entry that runs `tivarel --rappels`:
// "org.tivarel.Tivarel-rappels.desktop" in ~/.config/autostart.
namespace ReminderAutostart {

QString path();
bool isOn();
// Writes the entry (starting this program) or removes it; false when that
// failed, *error saying why.
bool set(bool on, QString *error = nullptr);

} // namespace ReminderAutostart
