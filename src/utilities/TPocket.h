#pragma once

#include "utilities/PocketCalculator.h"

#include <QDialog>

class QLabel;
class QPushButton;
class UiServices;

// "Calculatrice": a pocket calculator driven by its buttons or the keyboard.
// The engine belongs to the caller and outlives the window.
class TPocket : public QDialog
{
    Q_OBJECT

public:
    TPocket(PocketCalculator &engine, UiServices &ui, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
    void press(QChar key);

    PocketCalculator &m_engine;
    UiServices &m_ui;
    QLabel *m_display;
    QPushButton *m_equals = nullptr;
    QHash<QChar, QPushButton *> m_keys;
    bool m_inMessage = false;
};
