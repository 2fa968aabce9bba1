#pragma once

#include "budget/BankStatement.h"
#include "budget/StatementImport.h"

#include <QDialog>

class QComboBox;
class QSpinBox;
class QTableWidget;
class QTreeWidget;
class TMainForm;

// "&Fichier" / "I&mporter" / "Relevé bancaire...": a bank statement (OFX,
// QIF or CSV) into the account the budget shows, after the preview. What
// was imported is remembered beside the document when the document is
// saved, so that an import left unsaved is offered again.
namespace StatementMenu {

void importStatement(TMainForm &m);
// After a successful save: the imports of this session go into the
// document's ".oim" file.
void documentSaved(TMainForm &m);

} // namespace StatementMenu

// Which column of a CSV statement is which: the first rows as the file
// holds them, and a box per role. OK only when a date and an amount (or a
// debit or credit) column are chosen.
class StatementCsvDialog : public QDialog
{
    Q_OBJECT

public:
    StatementCsvDialog(const QByteArray &bytes, const BankStatement::CsvMapping &proposed, QWidget *parent = nullptr);
    BankStatement::CsvMapping mapping() const;

private:
    void refill();
    void check();

    QByteArray m_data;
    QComboBox *m_separator = nullptr;
    QSpinBox *m_firstRow = nullptr;
    QList<QComboBox *> m_roles; // date, description, memo, amount, debit, credit
    QTableWidget *m_table = nullptr;
    QPushButton *m_ok = nullptr;
};

// The statement's preview, with the look of the import preview: every
// transaction with its state ("à ajouter", "déjà présent", "refusé") and
// reason; the post of each line to add can be changed (double click), and
// only the ticked ones are added.
class StatementPreview : public QDialog
{
    Q_OBJECT

public:
    StatementPreview(const QString &title, const StatementImport::Plan &plan, const QStringList &posts,
                     QWidget *parent = nullptr);
    // The plan with the user's ticks and posts.
    StatementImport::Plan chosen() const;

private:
    StatementImport::Plan m_plan;
    QTreeWidget *m_list = nullptr;
};
