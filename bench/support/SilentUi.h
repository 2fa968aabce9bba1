#pragma once

#include "common/UiServices.h"

// Answers every question with its first choice (Yes, else OK), cancels every
// input and file dialog, shows nothing.
class SilentUi final : public UiServices
{
public:
    QMessageBox::StandardButton message(QWidget *, const QString &, Icon, QMessageBox::StandardButtons b,
                                        QMessageBox::StandardButton, const QString &) override
    {
        return b.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }
    std::optional<QString> inputBox(QWidget *, const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    bool printDialog(QWidget *, QPrinter *) override { return false; }
    bool printerSetup(QWidget *, QPrinter *) override { return false; }
    int exec(QDialog *) override { return 0; }
};
