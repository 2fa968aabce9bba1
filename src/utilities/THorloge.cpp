#include "utilities/THorloge.h"

#include "common/Clock.h"
#include "common/UiServices.h"
#include "utilities/ClockSetting.h"
#include "utilities/SpinButton.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

THorloge::THorloge(const Clock &clock, SystemTimeSetter &setter, UiServices &ui, QWidget *parent)
    : QDialog(parent), m_clock(clock), m_setter(setter), m_ui(ui), m_time(new QLabel(this)), m_date(new QLabel(this)),
      m_fields(new QButtonGroup(this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("THorloge"));
    setWindowTitle(QStringLiteral("Horloge"));

    auto *column = new QVBoxLayout(this);
    auto *face = new QFrame(this);
    face->setFrameShape(QFrame::Panel);
    face->setFrameShadow(QFrame::Sunken);
    auto *faceColumn = new QVBoxLayout(face);
    m_time->setObjectName(QStringLiteral("Label1"));
    m_date->setObjectName(QStringLiteral("Label2"));
    for (QLabel *l : {m_time, m_date}) {
        l->setAlignment(Qt::AlignCenter);
        QFont f = l->font();
        f.setPointSize(f.pointSize() * 2);
        f.setBold(true);
        l->setFont(f);
        faceColumn->addWidget(l);
    }
    column->addWidget(face);

    auto *row = new QHBoxLayout;
    auto *group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto *groupRow = new QHBoxLayout(group);
    const char *items[] = {"Hr", "Mn", "Jo", "Mo", "An"};
    for (int i = 0; i < 5; ++i) {
        auto *r = new QRadioButton(QString::fromLatin1(items[i]), group);
        r->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        m_fields->addButton(r, i);
        groupRow->addWidget(r);
    }
    row->addWidget(group);
    auto *spin = new SpinButton(this);
    spin->setObjectName(QStringLiteral("SpinButton1"));
    row->addWidget(spin);
    column->addLayout(row);
    connect(spin, &SpinButton::up, this, &THorloge::SpinButton1Up);
    connect(spin, &SpinButton::down, this, &THorloge::SpinButton1Down);

    auto *buttons = new QHBoxLayout;
    auto *set = new QPushButton(QStringLiteral("Set"), this);
    set->setObjectName(QStringLiteral("Button2"));
    set->setAutoDefault(false);
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("Button1"));
    close->setAutoDefault(false);
    buttons->addWidget(set);
    buttons->addStretch();
    buttons->addWidget(close);
    column->addLayout(buttons);
    connect(set, &QPushButton::clicked, this, &THorloge::Button2Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &THorloge::Timer1Timer);
    Timer1Timer();
}

void THorloge::FormActivate()
{
    m_timer->start();
    Timer1Timer();
    m_editing = false;
}

void THorloge::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void THorloge::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    // Leaving the window stops the ticker; coming back resumes it and drops
    // an adjustment in progress, except when coming back from our own
    // message about a refused setting.
    if (!isActiveWindow())
        m_timer->stop();
    else if (m_inMessage)
        m_inMessage = false;
    else
        FormActivate();
}

void THorloge::Timer1Timer()
{
    const QDateTime now = m_clock.now();
    m_time->setText(ClockSetting::timeLine(now.time()));
    m_date->setText(ClockSetting::dateLine(now.date()));
}

void THorloge::spin(int step)
{
    const int field = m_fields->checkedId();
    if (field < 0)
        return;
    QString time = m_time->text(), date = m_date->text();
    if (ClockSetting::adjust(time, date, ClockSetting::Field(field), step)) {
        m_time->setText(time);
        m_date->setText(date);
    }
}

void THorloge::Button2Click()
{
    m_editing = !m_editing;
    // A refused setting keeps the display frozen, so the user can correct
    // the field at fault instead of typing everything again.
    if (!m_editing && !setSystemClock())
        m_editing = true;
    if (m_editing)
        m_timer->stop();
    else
        m_timer->start();
}

bool THorloge::setSystemClock()
{
    QString error;
    const std::optional<QDateTime> utc =
        ClockSetting::universalTime(m_time->text(), m_date->text(), QTimeZone::systemTimeZone(), &error);
    if (utc && m_setter.setUniversalTime(*utc, &error))
        return true;
    m_inMessage = true;
    m_ui.showError(this, error);
    return false;
}
