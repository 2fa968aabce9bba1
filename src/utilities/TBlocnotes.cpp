#include "utilities/TBlocnotes.h"

#include "collections/MemoText.h"
#include "common/MmCanvas.h"
#include "common/UiServices.h"
#include "document/PrintJob.h"
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
// where there is one. The longest piece that fits is found by doubling its
// length and then halving the gap, so a long paragraph costs a few measures
// of about one printed line for each line, not a measure of all the rest at
// every character.
QStringList fit(const MmCanvas &canvas, const QString &line, int widthPx)
{
    QStringList pieces;
    qsizetype start = 0;
    do {
        const qsizetype rest = line.size() - start;
        const auto fits = [&](qsizetype n) { return canvas.textWidth(line.mid(start, n)) <= widthPx; };
        qsizetype good = 0; // a length that fits
        qsizetype bad = -1; // a length too wide, once one is found
        for (qsizetype n = std::min<qsizetype>(16, rest); bad < 0; n = std::min(rest, 2 * n)) {
            if (!fits(n))
                bad = n;
            else if ((good = n) == rest)
                break;
        }
        if (bad < 0) {
            pieces << line.mid(start);
            break;
        }
        while (bad - good > 1) {
            const qsizetype mid = (good + bad) / 2;
            (fits(mid) ? good : bad) = mid;
        }
        qsizetype cut = std::max<qsizetype>(good, 1);
        const qsizetype blank = line.lastIndexOf(QLatin1Char(' '), start + cut - 1);
        if (blank > start)
            cut = blank + 1 - start;
        pieces << line.mid(start, cut);
        start += cut;
    } while (start < line.size());
    return pieces;
}

} // namespace

TBlocnotes::TBlocnotes(UiServices &ui, QWidget *parent)
    : QDialog(parent), m_ui(ui), m_memo(new QPlainTextEdit(this)),
      m_close(new QPushButton(QStringLiteral("Fermer"), this))
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
    m_fileName = fileName;
    QString error;
    const std::optional<QString> text = NoteFile::load(fileName, &error);
    m_unreadable = !text;
    if (!text) {
        m_ui.showError(this, error
                                 + QStringLiteral("\n\nLe bloc-notes s'ouvre vide ; ce fichier ne sera pas "
                                                  "remplacé sans votre accord."));
        return false;
    }
    m_memo->setPlainText(*text);
    m_memo->document()->setModified(false);
    return true;
}

QString TBlocnotes::text() const
{
    return MemoText::lines(m_memo).join(QLatin1Char('\n'));
}

bool TBlocnotes::Sauve(const QString &fileName)
{
    if (!m_memo->document()->isModified())
        return true;
    QString error;
    if (!NoteFile::save(fileName, text(), &error)) {
        m_ui.showError(this, error);
        return false;
    }
    m_memo->document()->setModified(false);
    return true;
}

void TBlocnotes::done(int result)
{
    if (saveBeforeClosing())
        QDialog::done(result);
}

bool TBlocnotes::saveBeforeClosing()
{
    if (m_fileName.isEmpty() || !m_memo->document()->isModified())
        return true;
    if (m_unreadable) {
        const QMessageBox::StandardButton answer = m_ui.message(
            this,
            QStringLiteral("Le fichier du bloc-notes « %1 » n'a pas pu être lu à l'ouverture. "
                           "Le remplacer par le texte de cette fenêtre ?")
                .arg(QDir::toNativeSeparators(m_fileName)),
            UiServices::Icon::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
        if (answer != QMessageBox::Yes)
            return answer == QMessageBox::No;
    }
    QString error;
    if (NoteFile::save(m_fileName, text(), &error)) {
        m_memo->document()->setModified(false);
        m_unreadable = false;
        return true;
    }
    return m_ui.message(this,
                        error
                            + QStringLiteral("\n\nLe bloc-notes reste ouvert avec son texte. "
                                             "Le fermer sans l'enregistrer ?"),
                        UiServices::Icon::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

void TBlocnotes::Imprimer()
{
    QPrinter printer;
    PrintJob::offerPdfWithoutPrinters(printer, QDir::current().filePath(QStringLiteral("Bloc-notes.pdf")));
    if (!m_ui.printDialog(this, &printer))
        return;
    const QStringList lines = MemoText::lines(m_memo);
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
