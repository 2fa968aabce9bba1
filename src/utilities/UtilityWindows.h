#pragma once

#include "utilities/ClockSetting.h"
#include "utilities/PocketCalculator.h"

#include <QString>

#include <memory>

class Clock;
class QWidget;
class UiServices;

// Opens the utility windows of the "&Utilitaires" menu: each is created
// afresh, shown modally and destroyed on closing. What must outlive a window
// (the calculator's engine) lives here.
class UtilityWindows
{
public:
    // `startDirectory` holds the note file and, first of all, the
    // first-names file.
    UtilityWindows(UiServices &ui, const Clock &clock, QWidget *parent, QString startDirectory,
                   std::unique_ptr<SystemTimeSetter> setter = {});
    ~UtilityWindows();

    void horloge();
    void calendrier();
    void calculatrice();
    void euro();
    void blocNotes();
    void prenoms();
    void peseLettres();

private:
    UiServices &m_ui;
    const Clock &m_clock;
    QWidget *m_parent;
    QString m_startDirectory;
    std::unique_ptr<SystemTimeSetter> m_setter;
    PocketCalculator m_calculator;
};
