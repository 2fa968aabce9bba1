#include "agenda/TFicheRdv.h"

#include "common/Clock.h"

#include "common/DateText.h"
#include "common/OneLineInput.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Qt's pattern for the time: "0" an optional digit, "9" a required one, ":"
// kept in the text, "_" shown in unfilled positions.
const QString kTimeMask = QStringLiteral("09:99;_");
constexpr QChar kBlank = u'_';

} // namespace

TFicheRdv::TFicheRdv(const Clock &clock, QWidget *parent) : QDialog(parent), m_clock(clock)
{
    setObjectName(QStringLiteral("FicheRdv"));
    setWindowTitle(QStringLiteral("Rendez vous"));

    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("DateTimePicker1"));
    m_date->setCalendarPopup(true);
    m_date->setLocale(DateText::appLocale());
    m_date->setDisplayFormat(DateText::appLocale().dateFormat(QLocale::ShortFormat));
    m_date->setMinimumDate(QDate(1000, 1, 1));

    m_time = new QLineEdit(this);
    m_time->setObjectName(QStringLiteral("MaskEdit1"));
    m_time->setInputMask(kTimeMask);
    m_time->setMaximumWidth(m_time->fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + 24);

    m_message = new QLineEdit(this);
    m_message->setObjectName(QStringLiteral("Edit1"));
    OneLineInput::keep(m_message);
    m_message->setMinimumWidth(m_message->fontMetrics().averageCharWidth() * 48);

    m_cancel = new QPushButton(QStringLiteral("Annuler"), this);
    m_cancel->setObjectName(QStringLiteral("Button1"));
    m_cancel->setAutoDefault(false);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Button2"));
    m_ok->setDefault(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Date"), m_date);
    form->addRow(QStringLiteral("Heure"), m_time);
    auto *messageLabel = new QLabel(QStringLiteral("Message"), this);
    messageLabel->setBuddy(m_message);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(messageLabel);
    layout->addWidget(m_message);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &TFicheRdv::Button2Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in the message field is taken by eventFilter and acts as "OK".
    m_message->installEventFilter(this);
    m_time->installEventFilter(this);

    m_time->setText(QStringLiteral("10:00"));
    setResult(QDialog::Rejected);
}

void TFicheRdv::Init(const QString &time, const QString &message, QDate date)
{
    m_date->setDate(date.isValid() ? date : m_clock.today());
    // A leading blank is the missing first hour digit: the pattern takes it
    // as its blank character.
    QString t = time.left(5);
    if (t.startsWith(u' '))
        t[0] = kBlank;
    m_time->setText(t);
    m_message->setText(message);
    setResult(QDialog::Rejected);
    m_message->setFocus();
}

TFicheRdv::Values TFicheRdv::Result() const
{
    if (result() != QDialog::Accepted)
        return {};
    return {DateText::key(m_date->date()), timeText(), m_message->text()};
}

QString TFicheRdv::timeText() const
{
    QString t = m_time->displayText();
    t.replace(kBlank, u' ');
    return t;
}

bool TFicheRdv::timeComplete() const
{
    return m_time->hasAcceptableInput();
}

bool TFicheRdv::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_message && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Consumed here, so the default button is not clicked again.
            Button2Click();
            return true;
        }
    }
    if (watched == m_time && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->text() == QLatin1String(" ") && m_time->cursorPosition() == 0) {
            // A blank typed for the first hour digit leaves it out, as the
            // pattern's blank would.
            m_time->setText(QString(kBlank) + m_time->displayText().mid(1));
            m_time->setCursorPosition(1);
            return true;
        }
        if (key->text() == QLatin1String(":") && m_time->cursorPosition() == 1) {
            // "9:" typed from the start: the hour has one digit, which moves
            // to the second position.
            const QString shown = m_time->displayText();
            if (shown.size() == 5 && shown[0].isDigit() && shown[1] == kBlank) {
                m_time->setText(QString(kBlank) + shown[0] + shown.mid(2));
                m_time->setCursorPosition(3);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFicheRdv::Button2Click()
{
    if (!timeComplete()) {
        // A required digit of the time is missing.
        m_time->setFocus();
        m_time->setCursorPosition(0);
        return;
    }
    accept();
}
