#pragma once

#include "utilities/ClockSetting.h"
#include "utilities/PocketCalculator.h"

#include <QString>

#include <functional>
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
    // `startDirectory` is asked each time, since the main window learns it
    // only when it first shows.
    UtilityWindows(UiServices &ui, const Clock &clock, QWidget *parent, std::function<QString()> startDirectory,
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
    std::function<QString()> m_startDirectory;
    std::unique_ptr<SystemTimeSetter> m_setter;
    PocketCalculator m_calculator;
};
