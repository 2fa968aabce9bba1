#include "ScriptedUiServices.h"

QStringList ScriptedUiServices::messages() const
{
    QStringList out;
    for (const Shown &s : m_shown) {
        if (s.kind == QLatin1String("message"))
            out << s.text;
    }
    return out;
}

QString ScriptedUiServices::lastMessage() const
{
    const QStringList all = messages();
    return all.isEmpty() ? QString() : all.constLast();
}

void ScriptedUiServices::clear()
{
    m_shown.clear();
    m_answers.clear();
    m_inputs.clear();
    m_files.clear();
    m_prints.clear();
    m_dialogs.clear();
}

bool ScriptedUiServices::allAnswersUsed() const
{
    return m_answers.empty() && m_inputs.empty() && m_files.empty() && m_prints.empty() && m_dialogs.empty();
}

QMessageBox::StandardButton ScriptedUiServices::message(QWidget *, const QString &text, Icon icon,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::StandardButton, const QString &title)
{
    m_shown.append({QStringLiteral("message"), text, icon, buttons, title});
    if (!m_answers.empty()) {
        const auto b = m_answers.front();
        m_answers.pop_front();
        return b;
    }
    if (buttons.testFlag(QMessageBox::Ok))
        return QMessageBox::Ok;
    if (buttons.testFlag(QMessageBox::Cancel))
        return QMessageBox::Cancel;
    if (buttons.testFlag(QMessageBox::No))
        return QMessageBox::No;
    return QMessageBox::NoButton;
}

std::optional<QString> ScriptedUiServices::inputBox(QWidget *, const QString &caption, const QString &prompt,
                                                    const QString &defaultText)
{
    m_shown.append({QStringLiteral("input"), prompt, Icon::None, {}, caption, defaultText});
    if (m_inputs.empty() || !m_inputs.front().has_value()) {
        if (!m_inputs.empty())
            m_inputs.pop_front();
        return std::nullopt;
    }
    const QString text = *m_inputs.front();
    m_inputs.pop_front();
    return text;
}

QString ScriptedUiServices::openFileName(QWidget *, const QString &caption, const QString &, const QString &pattern,
                                         const QString &)
{
    m_shown.append({QStringLiteral("open"), pattern, Icon::None, {}, caption});
    if (m_files.empty())
        return {};
    const QString r = m_files.front();
    m_files.pop_front();
    return r;
}

QString ScriptedUiServices::saveFileName(QWidget *, const QString &caption, const QString &, const QString &pattern,
                                         const QString &)
{
    m_shown.append({QStringLiteral("save"), pattern, Icon::None, {}, caption});
    if (m_files.empty())
        return {};
    const QString r = m_files.front();
    m_files.pop_front();
    return r;
}

bool ScriptedUiServices::printDialog(QWidget *, QPrinter *)
{
    m_shown.append({QStringLiteral("print"), {}, Icon::None, {}, {}});
    if (m_prints.empty())
        return false;
    const bool r = m_prints.front();
    m_prints.pop_front();
    return r;
}

bool ScriptedUiServices::printerSetup(QWidget *, QPrinter *)
{
    m_shown.append({QStringLiteral("setup"), {}, Icon::None, {}, {}});
    return false;
}

int ScriptedUiServices::exec(QDialog *dialog)
{
    m_shown.append({QStringLiteral("dialog"), dialog->objectName(), Icon::None, {}, dialog->windowTitle()});
    if (m_dialogs.empty())
        return QDialog::Rejected;
    auto script = std::move(m_dialogs.front());
    m_dialogs.pop_front();
    const int r = script(dialog);
    dialog->setResult(r);
    return r;
}
