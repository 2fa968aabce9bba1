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
    DocumentContext context;
    DocumentModel model;             // the stores of the pages under test
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
