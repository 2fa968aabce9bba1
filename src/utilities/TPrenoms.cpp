#include "utilities/TPrenoms.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

TPrenoms::TPrenoms(QWidget *parent) : QDialog(parent), m_tabs(new QTabBar(this)), m_memo(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("TPrenoms"));
    setWindowTitle(QStringLiteral("Les prénoms"));
    resize(560, 360);

    auto *column = new QVBoxLayout(this);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setDrawBase(true);
    m_tabs->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 2px 4px; min-width: 12px; }"
                                         "QTabBar::tab:selected { font-weight: bold; background: palette(base); }"));
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        m_tabs->addTab(QString(QChar(c)));
    column->addWidget(m_tabs);

    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont f = m_memo->font();
    f.setPointSize(f.pointSize() + 1);
    m_memo->setFont(f);
    m_memo->installEventFilter(this);
    column->addWidget(m_memo, 1);

    auto *row = new QHBoxLayout;
    auto *previous = new QToolButton(this);
    previous->setObjectName(QStringLiteral("SpeedButton1"));
    previous->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    previous->setToolTip(QStringLiteral("Précédent"));
    auto *next = new QToolButton(this);
    next->setObjectName(QStringLiteral("SpeedButton2"));
    next->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    next->setToolTip(QStringLiteral("Suivant"));
    auto *close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("Button1"));
    close->setAutoDefault(false);
    row->addWidget(previous);
    row->addWidget(next);
    row->addStretch();
    row->addWidget(close);
    column->addLayout(row);

    connect(previous, &QToolButton::clicked, this, &TPrenoms::SpeedButton1Click);
    connect(next, &QToolButton::clicked, this, &TPrenoms::SpeedButton2Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tabs, &QTabBar::currentChanged, this, &TPrenoms::TabControl1Change);
}

void TPrenoms::Charge(const QString &fileName)
{
    m_book = FirstNamesFile::load(fileName);
}

void TPrenoms::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    showRecord();
}

void TPrenoms::SpeedButton1Click()
{
    m_book.previous();
    showRecord();
}

void TPrenoms::SpeedButton2Click()
{
    m_book.next();
    showRecord();
}

void TPrenoms::TabControl1Change(int index)
{
    if (m_showing)
        return;
    m_book.jumpToLetter(index);
    showRecord();
}

void TPrenoms::showRecord()
{
    if (m_book.isEmpty())
        return;
    m_showing = true;
    QString text = m_book.text();
    m_memo->setPlainText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const int tab = m_book.tab();
    if (tab >= 0)
        m_tabs->setCurrentIndex(tab);
    m_showing = false;
}

bool TPrenoms::eventFilter(QObject *watched, QEvent *event)
{
    // Page Up and Page Down browse the records, even from the text area that
    // would otherwise scroll with them.
    if (watched == m_memo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            keyPressEvent(static_cast<QKeyEvent *>(event));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPrenoms::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageUp)
        SpeedButton1Click();
    else if (event->key() == Qt::Key_PageDown)
        SpeedButton2Click();
    else
        QDialog::keyPressEvent(event);
}
