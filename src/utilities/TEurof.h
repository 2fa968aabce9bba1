#pragma once

#include "utilities/EuroConverter.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Euro convertisseur": a keypad converting francs to euros and back.
class TEurof : public QDialog
{
    Q_OBJECT

public:
    explicit TEurof(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
    void convert();
    void refresh();

    EuroConverter m_engine;
    QLabel *m_input;
    QLabel *m_result;
    QLineEdit *m_rate;
    QRadioButton *m_toEuros;
    QPushButton *m_equals;
};
