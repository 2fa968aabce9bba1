#pragma once

#include <QDialog>

class MmCanvas;
class QPlainTextEdit;
class QPushButton;
class UiServices;

// "Bloc-notes": the one scratch note shared by all documents, loaded from
// its file before the window shows and written back after it closes when it
// was changed.
class TBlocnotes : public QDialog
{
    Q_OBJECT

public:
    explicit TBlocnotes(UiServices &ui, QWidget *parent = nullptr);

    // False (after telling the user) when the file could not be read or
    // written; the note in the window stays as it was.
    bool Charge(const QString &fileName);
    bool Sauve(const QString &fileName);
    void Imprimer();

    // The note's lines on a page `widthMm` wide, a line every 5 mm, pages of
    // `heightMm`; lines too long for the width are broken between words.
    static void printLines(MmCanvas &canvas, const QStringList &lines, const QString &family, int widthMm,
                           int heightMm);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    UiServices &m_ui;
    QPlainTextEdit *m_memo;
    QPushButton *m_close;
};
