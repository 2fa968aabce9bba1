#include "ScriptedUiServices.h"

#include <QTest>

namespace {

// The front of a queue, taken off it; the fallback when it is empty.
template<class T>
T take(std::deque<T> &queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

} // namespace

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
    return messages().value(messages().size() - 1);
}

void ScriptedUiServices::clear()
{
    *this = ScriptedUiServices();
}

ScriptedUiServices::~ScriptedUiServices()
{
    if (!allAnswersUsed() && QTest::currentTestFunction() && !QTest::currentTestFailed())
        QTest::qFail("answers were queued that nothing asked for", __FILE__, __LINE__);
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
    QMessageBox::StandardButton escape = QMessageBox::NoButton;
    for (auto b : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
        escape = buttons.testFlag(b) ? b : escape;
    return take(m_answers, escape);
}

std::optional<QString> ScriptedUiServices::inputBox(QWidget *, const QString &caption, const QString &prompt,
                                                    const QString &defaultText)
{
    m_shown.append({QStringLiteral("input"), prompt, Icon::None, {}, caption, defaultText});
    const QString text = take(m_inputs, QString());
    return text.isNull() ? std::nullopt : std::optional(text);
}

QString ScriptedUiServices::openFileName(QWidget *, const QString &caption, const QString &directory,
                                         const QString &pattern, const QString &filter)
{
    m_shown.append({QStringLiteral("open"), pattern, Icon::None, {}, caption, directory + u'|' + filter});
    return take(m_files, QString());
}

QString ScriptedUiServices::saveFileName(QWidget *, const QString &caption, const QString &directory,
                                         const QString &pattern, const QString &filter)
{
    m_shown.append({QStringLiteral("save"), pattern, Icon::None, {}, caption, directory + u'|' + filter});
    return take(m_files, QString());
}

bool ScriptedUiServices::printDialog(QWidget *, QPrinter *)
{
    m_shown.append({QStringLiteral("print")});
    return take(m_prints, false);
}

bool ScriptedUiServices::printerSetup(QWidget *, QPrinter *)
{
    m_shown.append({QStringLiteral("setup")});
    return false;
}

int ScriptedUiServices::exec(QDialog *dialog)
{
    m_shown.append({QStringLiteral("dialog"), dialog->objectName(), Icon::None, {}, dialog->windowTitle()});
    const auto rejected = [](QDialog *) { return int(QDialog::Rejected); };
    const int r = take(m_dialogs, DialogScript(rejected))(dialog);
    dialog->setResult(r);
    return r;
}
