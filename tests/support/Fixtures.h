#pragma once

#include "FixedClock.h"
#include "ScriptedUiServices.h"
#include "TestFiles.h"
#include "Widgets.h"
#include "app/TChild.h"
#include "app/TMainForm.h"
#include "document/DocumentContext.h"
#include "model/DocumentModel.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

// The set loaded into a model and saved from it as the document window does
// (without the window's lock, backups and final message), the messages
// through `ui`. The `pages` show the loaded set, and write their screen back
// before the save. saveSet() is true when every section that had to be
// written was.
void loadSet(DocumentModel &model, UiServices &ui, const QString &path, QDate today,
             const QList<SectionPage *> &pages = {});
bool saveSet(DocumentModel &model, UiServices &ui, const QString &path, bool force,
             const QList<SectionPage *> &pages = {});

// One page on its own: a document context with scripted dialogs, a fixed
// clock, a temporary start directory and the ten drop-down boxes of the
// document window.
class TestContext
{
public:
    explicit TestContext(QDate today = QDate(2026, 1, 5));

    QTemporaryDir startDirectory;
    ScriptedUiServices ui;
    FixedClock clock;
    DocumentModel model; // the document and the stores of the pages under test
    DocumentContext context;
    void load(const QString &path, const QList<SectionPage *> &pages)
    {
        loadSet(model, ui, path, clock.today(), pages);
    }
    bool save(const QString &path, bool force, const QList<SectionPage *> &pages)
    {
        return saveSet(model, ui, path, force, pages);
    }
    std::unique_ptr<QWidget> window; // parent of the boxes and of a page under test
};

// The document window as the main window holds it, started in a temporary
// folder that is also where the test's documents go.
struct ChildFixture
{
    explicit ChildFixture(const QDateTime &now = QDateTime(QDate(2026, 1, 5), QTime(9, 0))) : clock(now) {}
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    ScriptedUiServices ui;
    FixedClock clock;
    TChild child{ui, clock, dir.path()};
};

// The main window, shown, started in a temporary folder.
struct MainFormFixture
{
    explicit MainFormFixture(const QDateTime &now = QDateTime(QDate(2026, 1, 5), QTime(9, 0))) : clock(now)
    {
        form.show();
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    TChild &child() const { return *form.child(); }

    QTemporaryDir dir;
    ScriptedUiServices ui;
    FixedClock clock;
    TMainForm form{ui, clock, dir.path()};
};
