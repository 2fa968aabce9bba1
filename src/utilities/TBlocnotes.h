#pragma once

#include <QDialog>

class MmCanvas;
class QPlainTextEdit;
class QPushButton;
class UiServices;

// "Bloc-notes": the one scratch note shared by all documents, loaded from
// its file before the window shows and written back as it closes when it
// was changed. No-break spaces are kept.
class TBlocnotes : public QDialog
{
    Q_OBJECT

public:
    explicit TBlocnotes(UiServices &ui, QWidget *parent = nullptr);

    // False (after telling the user) when the file could not be read or
    // written; the note in the window stays as it was. Charge also names the
    // file that closing the window writes.
    bool Charge(const QString &fileName);
    bool Sauve(const QString &fileName);
    void Imprimer();

    // Closing ("Fermer", Escape, the close box) writes a changed note first.
    // When it cannot be written, the window stays open with the note unless
    // the user chooses to close without saving; a note file that could not
    // be read at opening is only replaced when the user says so.
    void done(int result) override;

    // The note's lines on a page `widthMm` wide, a line every 5 mm, pages of
    // `heightMm`; lines too long for the width are broken between words.
    static void printLines(MmCanvas &canvas, const QStringList &lines, const QString &family, int widthMm,
                           int heightMm);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QString text() const;
    bool saveBeforeClosing();

    UiServices &m_ui;
    QPlainTextEdit *m_memo;
    QPushButton *m_close;
    QString m_fileName;
    bool m_unreadable = false;
};
