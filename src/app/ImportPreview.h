#pragma once

#include "common/ExchangeItem.h"

#include <QDialog>

class QTreeWidget;

// The import preview ("Importer"): every entry found in the file with where
// it goes and whether it will be added, is already in the document, or is
// refused (and why), under what is said of the file as a whole (cut
// short...). The entries to add are ticked; the user may untick some.
// "Importer" adds the ticked ones, "Annuler" nothing.
class ImportPreview : public QDialog
{
    Q_OBJECT

public:
    ImportPreview(const QString &title, const ExchangeItems &items, const QStringList &fileNotes = {},
                  QWidget *parent = nullptr);

    // The store lines of the ticked entries, in file order.
    QStringList chosenLines() const;

    // The look every import preview shares: the summary over the list, then
    // "Importer" (the default button, enabled when something can be added)
    // and "Annuler".
    static void layOut(QDialog &dialog, QWidget *summary, QWidget *list, bool importable);

private:
    ExchangeItems m_items;
    QTreeWidget *m_list = nullptr;
};
