#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;
class UiServices;

// "&Options" / "&Rappels...": reminders on or off, how many minutes before
// an appointment (0 to 1440), and whether the desktop session starts the
// reminders without the window (`tivarel --rappels`). OK writes the settings
// to the user's data folder and writes or removes the autostart entry.
class ReminderDialog : public QDialog
{
    Q_OBJECT

public:
    ReminderDialog(UiServices &ui, const QString &dataDirectory, QWidget *parent = nullptr);

    void accept() override;

private:
    UiServices &m_ui;
    QString m_dataDirectory;
    QCheckBox *m_enabled;
    QSpinBox *m_delay;
    QCheckBox *m_autostart;
};
