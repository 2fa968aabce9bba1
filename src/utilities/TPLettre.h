#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QRadioButton;
class QSpinBox;

// "Pèse-Lettres": weight and postage of a letter from what it holds.
class TPLettre : public QDialog
{
    Q_OBJECT

public:
    explicit TPLettre(QWidget *parent = nullptr);

private:
    void Recompute();

    std::array<QSpinBox *, 21> m_counters{};
    std::array<QRadioButton *, 3> m_tariffs{};
    QLabel *m_weight;
    QLabel *m_francs;
    QLabel *m_euros;
};
