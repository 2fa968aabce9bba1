#include "common/UiServices.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QMessageBox::Icon toQt(UiServices::Icon icon)
{
    switch (icon) {
    case UiServices::Icon::Information: return QMessageBox::Information;
    case UiServices::Icon::Warning: return QMessageBox::Warning;
    case UiServices::Icon::Question: return QMessageBox::Question;
    case UiServices::Icon::Critical: return QMessageBox::Critical;
    case UiServices::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}

} // namespace

QMessageBox::StandardButton WidgetUiServices::message(QWidget *parent, const QString &text, Icon icon,
                                                      QMessageBox::StandardButtons buttons,
                                                      QMessageBox::StandardButton defaultButton, const QString &title)
{
    QMessageBox box(toQt(icon), titleOr(title), text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const int r = box.exec();
    return static_cast<QMessageBox::StandardButton>(r);
}

std::optional<QString> WidgetUiServices::inputBox(QWidget *parent, const QString &caption, const QString &prompt,
                                                  const QString &defaultText)
{
    bool ok = false;
    const QString s = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return s;
}

QString WidgetUiServices::openFileName(QWidget *parent, const QString &caption, const QString &directory,
                                       const QString &pattern, const QString &filter)
{
    QFileDialog dlg(parent, caption, directory, filter);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (!pattern.isEmpty())
        dlg.selectFile(pattern);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().constFirst();
}

QString WidgetUiServices::saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                                       const QString &pattern, const QString &filter)
{
    QFileDialog dlg(parent, caption, directory, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    // The program asks its own question about existing files of the set.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!pattern.isEmpty())
        dlg.selectFile(pattern);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().constFirst();
}

bool WidgetUiServices::printDialog(QWidget *parent, QPrinter *printer)
{
    QPrintDialog dlg(printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

bool WidgetUiServices::printerSetup(QWidget *parent, QPrinter *printer)
{
    QPageSetupDialog dlg(printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

int WidgetUiServices::exec(QDialog *dialog)
{
    return dialog->exec();
}

void DialogNotices::tell(const QString &text, Kind kind)
{
    const UiServices::Icon icon = kind == Kind::Plain     ? UiServices::Icon::None
                                  : kind == Kind::Warning ? UiServices::Icon::Warning
                                                          : UiServices::Icon::Critical;
    m_ui.message(m_parent, text, icon, QMessageBox::Ok);
}

bool DialogNotices::ask(const QString &text)
{
    return m_ui.message(m_parent, text, UiServices::Icon::Warning, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}
