#include "utilities/TPocket.h"

#include "common/UiServices.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {

struct Key
{
    int number;
    const char *caption;
    char key; // the engine's key for the button
    int row;
    int column;
};

const Key kKeys[] = {
    {7, "7", '7', 1, 0}, {8, "8", '8', 1, 1},  {9, "9", '9', 1, 2},  {15, "/", '/', 1, 3}, {18, "C", 'c', 1, 4},
    {4, "4", '4', 2, 0}, {5, "5", '5', 2, 1},  {6, "6", '6', 2, 2},  {14, "*", '*', 2, 3}, {16, "1/x", 'x', 2, 4},
    {1, "1", '1', 3, 0}, {2, "2", '2', 3, 1},  {3, "3", '3', 3, 2},  {13, "-", '-', 3, 3}, {17, "sqr", 's', 3, 4},
    {0, "0", '0', 4, 0}, {10, ",", ',', 4, 1}, {11, "=", '=', 4, 2}, {12, "+", '+', 4, 3},
};

} // namespace

TPocket::TPocket(PocketCalculator &engine, UiServices &ui, QWidget *parent)
    : QDialog(parent), m_engine(engine), m_ui(ui), m_display(new QLabel(this))
{
    setObjectName(QStringLiteral("TPocket"));
    setWindowTitle(QStringLiteral("Calculatrice"));

    auto *grid = new QGridLayout(this);
    m_display->setObjectName(QStringLiteral("Label1"));
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameShape(QFrame::Panel);
    m_display->setFrameShadow(QFrame::Sunken);
    m_display->setMinimumHeight(30);
    QFont f = m_display->font();
    f.setPointSize(f.pointSize() + 4);
    m_display->setFont(f);
    grid->addWidget(m_display, 0, 0, 1, 5);

    // Only "=" takes the focus; every key reaches the window, which presses
    // the button the key stands for.
    for (const Key &k : kKeys) {
        auto *b = new QPushButton(QString::fromLatin1(k.caption), this);
        b->setObjectName(QStringLiteral("Button%1").arg(k.number));
        b->setMinimumSize(40, 32);
        // Enter on the focused "=" presses it, as a click would.
        b->setAutoDefault(k.number == 11);
        if (k.number != 11)
            b->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(b, k.row, k.column);
        const QChar key = QLatin1Char(k.key);
        m_keys.insert(key, b);
        connect(b, &QPushButton::clicked, this, [this, key] { press(key); });
        if (k.number == 11)
            m_equals = b;
    }
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("Button19"));
    close->setFocusPolicy(Qt::NoFocus);
    close->setAutoDefault(false);
    grid->addWidget(close, 4, 4);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TPocket::FormActivate()
{
    m_engine.clear();
    m_display->setText(m_engine.display());
    m_equals->setFocus();
}

void TPocket::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TPocket::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    // Coming back from our own error message is not a new activation: the
    // values stay as the failed step left them.
    if (m_inMessage)
        m_inMessage = false;
    else
        FormActivate();
}

void TPocket::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    const QString text = event->text();
    if (text.size() == 1) {
        QChar k = text.at(0).toLower();
        if (k == QLatin1Char('.'))
            k = QLatin1Char(',');
        if (QPushButton *b = m_keys.value(k)) {
            b->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void TPocket::press(QChar key)
{
    PocketCalculator::Error error = PocketCalculator::Error::None;
    m_engine.key(key, &error);
    m_display->setText(m_engine.display());
    if (error != PocketCalculator::Error::None) {
        m_inMessage = true;
        m_ui.showError(this, PocketCalculator::errorText(error));
    }
}
