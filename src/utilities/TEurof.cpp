#include "utilities/TEurof.h"

#include "utilities/SpinButton.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TEurof::TEurof(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TEurof"));
    setWindowTitle(QStringLiteral("Euro convertisseur"));

    auto *column = new QVBoxLayout(this);
    auto line = [this, column](const QString &name) {
        auto *l = new QLabel(this);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumHeight(26);
        QFont f = l->font();
        f.setPointSize(f.pointSize() + 3);
        l->setFont(f);
        column->addWidget(l);
        return l;
    };
    m_input = line(QStringLiteral("Label1"));
    m_result = line(QStringLiteral("Label2"));

    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(new QLabel(QStringLiteral("Taux :"), this));
    m_rate = new QLineEdit(this);
    m_rate->setObjectName(QStringLiteral("Edit3"));
    m_rate->setReadOnly(true);
    m_rate->setFocusPolicy(Qt::NoFocus);
    rateRow->addWidget(m_rate);
    auto *spin = new SpinButton(this);
    spin->setObjectName(QStringLiteral("SpinButton1"));
    rateRow->addWidget(spin);
    column->addLayout(rateRow);
    connect(spin, &SpinButton::up, this, [this] {
        m_engine.rateUp();
        refresh();
    });
    connect(spin, &SpinButton::down, this, [this] {
        m_engine.rateDown();
        refresh();
    });

    auto *directions = new QHBoxLayout;
    m_toEuros = new QRadioButton(QStringLiteral("Fr>Euro"), this);
    m_toEuros->setObjectName(QStringLiteral("RadioButton1"));
    auto *toFrancs = new QRadioButton(QStringLiteral("Euro>Fr"), this);
    toFrancs->setObjectName(QStringLiteral("RadioButton2"));
    m_toEuros->setChecked(true);
    directions->addWidget(m_toEuros);
    directions->addWidget(toFrancs);
    column->addLayout(directions);

    // The keypad is left out of the Tab order and never takes the focus, so
    // the keys typed always reach the window.
    auto *pad = new QGridLayout;
    auto padButton = [this, pad](int number, const QString &caption, int row, int col) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QStringLiteral("Button%1").arg(number));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setMinimumSize(36, 30);
        pad->addWidget(b, row, col);
        return b;
    };
    for (int d = 0; d <= 9; ++d) {
        QPushButton *b = d == 0 ? padButton(0, QStringLiteral("0"), 3, 0)
                                : padButton(d, QString::number(d), 2 - (d - 1) / 3, (d - 1) % 3);
        connect(b, &QPushButton::clicked, this, [this, d] {
            m_engine.typeKey(QChar(u'0' + d));
            refresh();
        });
    }
    connect(padButton(12, QStringLiteral(","), 3, 1), &QPushButton::clicked, this, [this] {
        m_engine.typeKey(QLatin1Char(','));
        refresh();
    });
    m_equals = new QPushButton(QStringLiteral("="), this);
    m_equals->setObjectName(QStringLiteral("Button11"));
    m_equals->setDefault(true);
    pad->addWidget(m_equals, 3, 2);
    connect(m_equals, &QPushButton::clicked, this, &TEurof::convert);
    column->addLayout(pad);

    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("Button10"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    column->addWidget(close);
    refresh();
}

void TEurof::FormActivate()
{
    m_engine.activate();
    refresh();
    m_equals->setFocus();
}

void TEurof::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TEurof::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TEurof::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: convert(); return;
    case Qt::Key_Escape: reject(); return;
    default: break;
    }
    const QString text = event->text();
    m_engine.typeKey(text.isEmpty() ? QChar() : text.at(0));
    refresh();
}

void TEurof::convert()
{
    m_engine.direction =
        m_toEuros->isChecked() ? EuroConverter::Direction::FrancsToEuros : EuroConverter::Direction::EurosToFrancs;
    m_engine.convert();
    refresh();
}

void TEurof::refresh()
{
    m_input->setText(m_engine.input());
    m_result->setText(m_engine.result());
    m_rate->setText(m_engine.rateText());
}
