#include "budget/OptionsCommands.h"

#include "budget/AccountLine.h"
#include "budget/NamedListEditor.h"
#include "budget/TComptes.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"

#include <QComboBox>

namespace OptionsCommands {

namespace {

const QString kBalances = QStringLiteral("Solde2");

// The lists of the collections: the box keeps showing what it showed when
// that is still one of its entries.
template<typename Editor>
void editList(DocumentContext &context, int comboBox)
{
    QComboBox *box = context.comboBox(comboBox);
    if (!box)
        return;
    Editor editor(context.ui(), context.dialogParent());
    editor.Init(box);
    context.ui().exec(&editor);
    const QString shown = box->currentText();
    editor.Result(box);
    if (box->isEditable())
        box->setEditText(shown);
    else
        box->setCurrentIndex(box->findText(shown));
}

} // namespace

void BudgetComptes(DocumentContext &context)
{
    QComboBox *box = context.comboBox(2);
    if (!box)
        return;
    if (context.accountsAboutToChange)
        context.accountsAboutToChange();

    const QStringList balances = context.extraLists.value(kBalances);
    QStringList lines;
    for (int i = 0; i < box->count(); ++i) {
        const QString balance =
            i < balances.size() ? AccountLine::completeBalance(balances[i]) : QStringLiteral("0,00");
        lines << AccountLine::make(box->itemText(i), balance);
    }

    TComptes dialog(context.ui(), context.dialogParent());
    dialog.Init(lines);
    context.ui().exec(&dialog);

    const QSignalBlocker quiet(box);
    dialog.LitComptes(box);
    box->setCurrentIndex(box->count() > 0 ? 0 : -1);
    QStringList kept;
    for (const QString &line : dialog.Result())
        kept << AccountLine::balance(line);
    context.extraLists[kBalances] = kept;
    if (context.accountsReplaced)
        context.accountsReplaced();
}

void BudgetPostes(DocumentContext &context)
{
    QComboBox *box = context.comboBox(1);
    if (!box)
        return;
    TPostes editor(context.ui(), context.dialogParent());
    editor.Init(box);
    context.ui().exec(&editor);
    editor.Result(box);
    // The post box shows the first post of the new list (none when empty).
    box->setCurrentIndex(box->count() > 0 ? 0 : -1);
}

void Categorie(DocumentContext &context)
{
    editList<TCateg>(context, 3);
}
void Formatv(DocumentContext &context)
{
    editList<TFmtv>(context, 4);
}
void Formata(DocumentContext &context)
{
    editList<TFmtA>(context, 5);
}
void Magasins(DocumentContext &context)
{
    editList<TFmtM>(context, 6);
}
void Categorie2(DocumentContext &context)
{
    editList<TCateg2>(context, 7);
}
void Praticiens(DocumentContext &context)
{
    editList<TMedecins>(context, 9);
}
void Pharmacies(DocumentContext &context)
{
    editList<TOfficines>(context, 10);
}

} // namespace OptionsCommands
