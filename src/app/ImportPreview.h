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

private:
    ExchangeItems m_items;
    QTreeWidget *m_list = nullptr;
};
