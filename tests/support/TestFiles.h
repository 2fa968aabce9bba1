#pragma once

#include "ScriptedUiServices.h"
#include "app/DocumentContext.h"
#include "common/Clock.h"

#include <QByteArray>
#include <QComboBox>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

// Small helpers for tests that work on files and pages.
namespace TestFiles {

QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
// Lines joined with CR LF after each, encoded in Windows-1252.
QByteArray crlf(const QStringList &lines);

} // namespace TestFiles

// A document context with scripted dialogs, a fixed clock and the ten
// drop-down boxes of the document window, for testing one page on its own.
class TestContext
{
public:
    explicit TestContext(QDate today = QDate(2026, 1, 5));

    ScriptedUiServices ui;
    FixedClock clock;
    DocumentContext context;
    std::unique_ptr<QWidget> window; // parent of the boxes and of a page under test
};
