#pragma once

#include <QObject>

class QLineEdit;
class QTextDocument;
class QWidget;

// Keeps the user from typing or pasting what the Windows-1252 files cannot
// hold. Installed once on the application, it attaches itself to every
// one-line and multi-line text field as the field is first polished (the
// combo boxes' edit fields included): characters with an obvious Windows-1252
// form are turned into it, others are refused, and `noted` carries a French
// note saying so, for the status bar. File dialogs are left alone: a file
// name is no stored text.
class TextGuard : public QObject
{
    Q_OBJECT

public:
    explicit TextGuard(QObject *parent = nullptr);
    ~TextGuard() override;

    // Attaches to one field now (done by itself for fields being polished).
    void attach(QWidget *field);

signals:
    void noted(const QString &note);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void lineEdited(QLineEdit *edit);
    void documentChanged(QTextDocument *document, int position, int added);

    bool m_fixing = false;
};
