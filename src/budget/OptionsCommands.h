#pragma once

class DocumentContext;

// The "&Options" menu items that edit the named lists and the accounts.
// Each opens its dialog modally with a copy of its drop-down box's list and
// puts the list back into the same box when the dialog closes.
//
//   BudgetComptes  "&Comptes"                  TComptes    ComboBox2 (+ "Solde2")
//   BudgetPostes   "&Postes"                   TPostes     ComboBox1
//   Categorie      "Vi&déothèque catégorie"    TCateg      ComboBox3
//   Formatv        "Formats &vidéo"            TFmtv       ComboBox4
//   Formata        "Formats &audio"            TFmtA       ComboBox5
//   Magasins       "&Magasins"                 TFmtM       ComboBox6
//   Categorie2     "B&ibliothèque catégories"  TCateg2     ComboBox7
//   Praticiens     "P&raticiens"               TMedecins   ComboBox9
//   Pharmacies     "P&harmacies"               TOfficines  ComboBox10
//
// BudgetComptes also keeps the budget page in step: the month on screen is
// written back under its account before the account box is refilled, and
// the month of the box's new first account is shown afterwards. The
// balances go to context.extraLists["Solde2"], one per account in the box's
// order (see AccountLine).
namespace OptionsCommands {

void BudgetComptes(DocumentContext &context);
void BudgetPostes(DocumentContext &context);
void Categorie(DocumentContext &context);
void Formatv(DocumentContext &context);
void Formata(DocumentContext &context);
void Magasins(DocumentContext &context);
void Categorie2(DocumentContext &context);
void Praticiens(DocumentContext &context);
void Pharmacies(DocumentContext &context);

} // namespace OptionsCommands
