#include "utilities/TCalendrier.h"

#include "common/Clock.h"
#include "utilities/CalendarRules.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

TCalendrier::TCalendrier(const Clock &clock, QWidget *parent)
    : QDialog(parent), m_calendar(new QCalendarWidget(this)), m_heading(new QLabel(this))
{
    setObjectName(QStringLiteral("TCalendrier"));
    setWindowTitle(QStringLiteral("Calendrier"));

    auto *column = new QVBoxLayout(this);
    auto *band = new QHBoxLayout;
    auto *previous = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QStringLiteral("Mois"), this);
    previous->setObjectName(QStringLiteral("BitBtn1"));
    auto *next = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QStringLiteral("Mois"), this);
    next->setObjectName(QStringLiteral("BitBtn2"));
    next->setLayoutDirection(Qt::RightToLeft);
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("Button1"));
    m_heading->setObjectName(QStringLiteral("Label1"));
    m_heading->setAlignment(Qt::AlignCenter);
    QFont f = m_heading->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    m_heading->setFont(f);
    band->addWidget(previous);
    band->addWidget(m_heading, 1);
    band->addWidget(next);
    band->addWidget(close);
    column->addLayout(band);

    m_calendar->setObjectName(QStringLiteral("Calendar1"));
    m_calendar->setLocale(QLocale(QLocale::French, QLocale::France));
    // After the locale, which brings its own first day of the week.
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setStyleSheet(QStringLiteral("QTableView { background-color: #c8f0c8; }"));
    m_calendar->setSelectedDate(clock.today());
    m_calendar->setMinimumSize(360, 220);
    column->addWidget(m_calendar);

    for (QPushButton *b : {previous, next, close}) {
        b->setAutoDefault(false);
        b->installEventFilter(this);
    }
    m_calendar->installEventFilter(this);
    if (auto *view = m_calendar->findChild<QTableView *>())
        view->installEventFilter(this);

    connect(previous, &QPushButton::clicked, this, &TCalendrier::BitBtn1Click);
    connect(next, &QPushButton::clicked, this, &TCalendrier::BitBtn2Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &TCalendrier::showHeading);
    showHeading();
    m_calendar->setFocus();
}

void TCalendrier::BitBtn1Click()
{
    m_calendar->setSelectedDate(CalendarRules::moveMonth(m_calendar->selectedDate(), -1));
}

void TCalendrier::BitBtn2Click()
{
    m_calendar->setSelectedDate(CalendarRules::moveMonth(m_calendar->selectedDate(), 1));
}

bool TCalendrier::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_PageUp: BitBtn1Click(); return true;
        case Qt::Key_PageDown: BitBtn2Click(); return true;
        case Qt::Key_Escape: reject(); return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TCalendrier::showHeading()
{
    m_heading->setText(CalendarRules::heading(m_calendar->selectedDate()));
}
