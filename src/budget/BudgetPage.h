#pragma once

#include "budget/BudgetMonth.h"
#include "document/SectionPage.h"

#include <QSet>
#include <QString>

#include <array>

class MmCanvas;
class BudgetGridModel;
class QComboBox;
class QFrame;
class QHeaderView;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// Page 5, the monthly budget, stored in the ".obg" file: one month of one
// account at a time, typed on the entry line and shown in the journal grid.
//
// The account box (ComboBox2) and the post box (ComboBox1) belong to the
// document window; the page takes them into its own area. Choosing another
// account writes the shown month back under the account it was shown for,
// then shows the chosen account's month. Once taken, the two boxes live and
// die with the page. The accounts command of the
// Options menu goes through accountsReplaced() (see OptionsCommands.h).
class BudgetPage : public SectionPage
{
    Q_OBJECT

public:
    // `month` is the section's store in the document model, which the page
    // shows and writes its edits back into.
    BudgetPage(DocumentContext &context, BudgetMonth &month, QWidget *parent = nullptr);
    bool print(MmCanvas &canvas) override;
    bool keepsPrintOrientation() const override { return true; }

    void reset() override;
    void loaded() override;
    void writeBack() override { EcritMois(); }
    void display() override { LitMois(); }
    void precedent() override;
    // "Effacer", and Delete in the grid: the grid's current line, after a
    // question naming it.
    void supprime() override;
    void suivant() override;
    void layoutFor(int width, int height) override;

    // The routines of the section.
    void EcritMois();
    void LitMois();
    void Razbgt();
    void Total();
    void MaskEdit1Exit();
    void ComboBox1Exit();
    // Enter in the description, expense or income box: commits the line.
    void Edit2KeyPress();
    void StringGrid1DblClick(int row);
    // Button28Click .. Button39Click: January .. December of the shown year.
    void monthButtonClick(int month);
    // Another account chosen in the account box.
    void ComboBox2Change();

    // The account box is about to be refilled (accounts dialog): the shown
    // month goes back to the store under its own account first.
    void accountsAboutToChange();
    // The account box was refilled: the page shows the month of the account
    // it now names (when the page is showing; otherwise at the next display).
    void accountsReplaced();

    const BudgetMonth &budget() const { return m_month; }
    // The account whose months the page shows: the one the shown month was
    // read for, else the account box's ("Caisse" when it names none).
    QString account() const { return shownAccount(m_month, m_accounts); }
    // The same for a budget whether or not its page was made: `accounts` is
    // the account box (ComboBox2).
    static QString shownAccount(const BudgetMonth &month, const QComboBox *accounts);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWidgets();
    void showGrid();
    QString dateBoxText() const;
    QString ensureAccount();
    void reportDamage(const BudgetMonth::DisplayResult &r);
    void focusLater(QWidget *w);

    BudgetMonth &m_month;
    BudgetGridModel *m_gridModel = nullptr;
    QSet<QString> m_reportedKeys; // months whose damaged lines were reported

    QLabel *m_caption = nullptr;         // Panel16
    QLabel *m_accountLabel = nullptr;    // Label24
    QComboBox *m_accounts = nullptr;     // ComboBox2
    QHeaderView *m_header = nullptr;     // Header1
    QLineEdit *m_date = nullptr;         // MaskEdit1
    QComboBox *m_posts = nullptr;        // ComboBox1
    QLineEdit *m_description = nullptr;  // Edit2
    QLineEdit *m_expense = nullptr;      // Edit3
    QLineEdit *m_income = nullptr;       // Edit6
    QTableView *m_grid = nullptr;        // StringGrid1
    QLabel *m_totalsLabel = nullptr;     // "Totaux"
    QLineEdit *m_expenseTotal = nullptr; // Edit4
    QLineEdit *m_incomeTotal = nullptr;  // Edit5
    QFrame *m_monthPanel = nullptr;      // Panel17
    std::array<QPushButton *, 12> m_monthButtons{};
};
