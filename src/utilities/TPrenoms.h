#pragma once

#include "utilities/FirstNames.h"

#include <QDialog>

class QPlainTextEdit;
class QTabBar;

// "Les prénoms": a read-only browser of the first-names file, one record at
// a time, with previous/next and a tab per initial letter.
class TPrenoms : public QDialog
{
    Q_OBJECT

public:
    explicit TPrenoms(QWidget *parent = nullptr);

    void Charge(const QString &fileName);
    void SpeedButton1Click(); // previous
    void SpeedButton2Click(); // next

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void TabControl1Change(int index);
    void showRecord();

    FirstNamesBook m_book;
    QTabBar *m_tabs;
    QPlainTextEdit *m_memo;
    bool m_showing = false;
};
