#pragma once

#include "budget/BudgetSummary.h"

#include <QDialog>
#include <QImage>
#include <QSizeF>
#include <QString>

class BudgetMonth;
class BudgetStore;
class DocumentContext;
class MmCanvas;
class QBarSeries;
class QChart;
class QChartView;
class QLabel;
class QPrinter;
class UiServices;

// "Bilan": the budget of one account in two charts, the expenses of the
// month shown by post (a pie) and the expenses and incomes of the twelve
// months of its year (bars), with their sums in euros. The arrows step the
// month; "Aperçu avant impression..." prints both charts and their sums.
class BilanWindow : public QDialog
{
    Q_OBJECT

public:
    BilanWindow(const BudgetStore &store, const QString &account, int year, int month, UiServices &ui,
                QPrinter &printer, QWidget *parent = nullptr);

    // The "&Options" command, once the budget page (if made) wrote its month
    // back to the store: the window opens on the shown account and month.
    static void Bilan(DocumentContext &context, const BudgetMonth &budget, QPrinter &printer);

    int year() const { return m_year; }
    int month() const { return m_month; }
    const BudgetSummary::Month &monthSums() const { return m_monthSums; }
    const BudgetSummary::Year &yearSums() const { return m_yearSums; }

    void previousMonth();
    void nextMonth();
    void preview();
    // What the print preview prints.
    void draw(MmCanvas &canvas) const;

    // "1234,50 €".
    static QString euros(qint64 cents);

private:
    void refresh();
    void fillPie(QChart *chart) const;
    QBarSeries *fillBars(QChart *chart) const;
    // The month's pie or the year's bars as a picture to print.
    QImage printImage(bool year, QSizeF size) const;

    const BudgetStore &m_store;
    QString m_account;
    int m_year;
    int m_month;
    UiServices &m_ui;
    QPrinter &m_printer;
    BudgetSummary::Month m_monthSums;
    BudgetSummary::Year m_yearSums;

    QLabel *m_caption = nullptr;    // BilanCaption
    QChartView *m_pie = nullptr;    // BilanMois
    QChartView *m_bars = nullptr;   // BilanAnnee
    QLabel *m_monthTotal = nullptr; // BilanTotalMois
    QLabel *m_yearTotal = nullptr;  // BilanTotalAnnee
};
