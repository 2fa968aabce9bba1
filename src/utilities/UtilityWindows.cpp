#include "utilities/UtilityWindows.h"

#include "common/UiServices.h"
#include "utilities/DesktopTimeSetter.h"
#include "utilities/FirstNames.h"
#include "utilities/NoteFile.h"
#include "utilities/TBlocnotes.h"
#include "utilities/TCalendrier.h"
#include "utilities/TEurof.h"
#include "utilities/THorloge.h"
#include "utilities/TPLettre.h"
#include "utilities/TPocket.h"
#include "utilities/TPrenoms.h"

UtilityWindows::UtilityWindows(UiServices &ui, const Clock &clock, QWidget *parent, QString startDirectory,
                               std::unique_ptr<SystemTimeSetter> setter)
    : m_ui(ui), m_clock(clock), m_parent(parent), m_startDirectory(std::move(startDirectory)),
      m_setter(setter ? std::move(setter) : std::make_unique<DesktopTimeSetter>())
{
}

UtilityWindows::~UtilityWindows() = default;

void UtilityWindows::horloge()
{
    THorloge w(m_clock, *m_setter, m_ui, m_parent);
    m_ui.exec(&w);
}

void UtilityWindows::calendrier()
{
    TCalendrier w(m_clock, m_parent);
    m_ui.exec(&w);
}

void UtilityWindows::calculatrice()
{
    TPocket w(m_calculator, m_ui, m_parent);
    m_ui.exec(&w);
}

void UtilityWindows::euro()
{
    TEurof w(m_parent);
    m_ui.exec(&w);
}

void UtilityWindows::blocNotes()
{
    // Closing the window writes the note back when it changed.
    TBlocnotes w(m_ui, m_parent);
    w.Charge(NoteFile::path(m_startDirectory));
    m_ui.exec(&w);
}

void UtilityWindows::prenoms()
{
    TPrenoms w(m_parent);
    w.Charge(FirstNamesFile::locate(m_startDirectory));
    m_ui.exec(&w);
}

void UtilityWindows::peseLettres()
{
    TPLettre w(m_parent);
    m_ui.exec(&w);
}
