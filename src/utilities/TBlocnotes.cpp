#include "utilities/TBlocnotes.h"

#include "app/PrintJob.h"
#include "common/MmCanvas.h"
#include "common/UiServices.h"
#include "utilities/NoteFile.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int kLineMm = 5;
constexpr int kPointSize = 10;

// Splits one line into pieces that fit `widthPx`, breaking after a blank
// where there is one.
QStringList fit(const MmCanvas &canvas, const QString &line, int widthPx)
{
    QStringList pieces;
    QString rest = line;
    while (canvas.textWidth(rest) > widthPx && rest.size() > 1) {
        qsizetype cut = rest.size() - 1;
        while (cut > 1 && canvas.textWidth(rest.left(cut)) > widthPx)
            --cut;
        const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), cut - 1);
        if (blank > 0)
            cut = blank + 1;
        pieces << rest.left(cut);
        rest = rest.mid(cut);
    }
    pieces << rest;
    return pieces;
}

} // namespace

TBlocnotes::TBlocnotes(UiServices &ui, QWidget *parent)
    : QDialog(parent), m_ui(ui), m_memo(new QPlainTextEdit(this)), m_close(new QPushButton(QStringLiteral("Fermer"), this))
{
    setObjectName(QStringLiteral("TBlocnotes"));
    setWindowTitle(QStringLiteral("Bloc-notes"));
    resize(480, 360);

    QFont f = font();
    f.setPixelSize(17);
    m_memo->setFont(f);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // A long note must stay readable: a vertical bar appears when needed.
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto *print = new QToolButton(this);
    print->setObjectName(QStringLiteral("PrintButton"));
    print->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    print->setText(QStringLiteral("Imprimer"));
    print->setToolTip(QStringLiteral("Imprimer"));
    print->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    print->setGeometry(8, 6, 100, 28);
    connect(print, &QToolButton::clicked, this, &TBlocnotes::Imprimer);

    m_close->setObjectName(QStringLiteral("Button1"));
    m_close->setAutoDefault(false);
    m_close->resize(100, 28);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TBlocnotes::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const int w = event->size().width(), h = event->size().height();
    // "Fermer" keeps its place 125 pixels left of the right edge.
    m_close->move(w - 125, 6);
    m_memo->setGeometry(0, 40, w, std::max(0, h - 40));
}

bool TBlocnotes::Charge(const QString &fileName)
{
    QString error;
    const std::optional<QString> text = NoteFile::load(fileName, &error);
    if (!text) {
        m_ui.showError(this, error);
        return false;
    }
    m_memo->setPlainText(*text);
    m_memo->document()->setModified(false);
    return true;
}

bool TBlocnotes::Sauve(const QString &fileName)
{
    if (!m_memo->document()->isModified())
        return true;
    QString error;
    if (!NoteFile::save(fileName, m_memo->toPlainText(), &error)) {
        m_ui.showError(this, error);
        return false;
    }
    m_memo->document()->setModified(false);
    return true;
}

void TBlocnotes::Imprimer()
{
    QPrinter printer;
    PrintJob::offerPdfWithoutPrinters(printer, QDir::current().filePath(QStringLiteral("Bloc-notes.pdf")));
    if (!m_ui.printDialog(this, &printer))
        return;
    const QStringList lines = m_memo->toPlainText().split(QLatin1Char('\n'));
    const QString family = m_memo->font().family();
    const bool ok = PrintJob::paint(printer, [&](MmCanvas &canvas) {
        printLines(canvas, lines, family, canvas.pageWidthMm() - 10, canvas.pageHeightMm() - 10);
    });
    if (!ok)
        m_ui.showError(this, QStringLiteral("Impossible d'imprimer : l'imprimante ou le fichier « %1 » "
                                            "n'est pas disponible.")
                                 .arg(printer.outputFileName()));
}

void TBlocnotes::printLines(MmCanvas &canvas, const QStringList &lines, const QString &family, int widthMm,
                            int heightMm)
{
    canvas.setFont(family, kPointSize);
    const int widthPx = canvas.Mh(widthMm) - canvas.Mh(0);
    int y = 0;
    for (const QString &line : lines) {
        for (const QString &piece : fit(canvas, line, widthPx)) {
            if (y + kLineMm > heightMm && y > 0) {
                canvas.newPage();
                y = 0;
            }
            canvas.textOut(0, y, piece);
            y += kLineMm;
        }
    }
}
