#include "utilities/SpinButton.h"

#include <QToolButton>
#include <QVBoxLayout>

SpinButton::SpinButton(QWidget *parent) : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(18, 12);
        box->addWidget(b);
    }
    connect(m_up, &QToolButton::clicked, this, &SpinButton::up);
    connect(m_down, &QToolButton::clicked, this, &SpinButton::down);
}
