#pragma once

#include "common/BackupStore.h"

#include <QDialog>
#include <QList>

class QListWidget;
class TChild;

// "Restaurer une sauvegarde": the dated copies of the document set, newest
// first; the user picks one and confirms.
class TSauvegardes : public QDialog
{
    Q_OBJECT

public:
    explicit TSauvegardes(const QList<BackupStore::Backup> &backups, QWidget *parent = nullptr);

    // The copy picked, or -1.
    int Result() const;
    // How a copy is named in the list and in the confirmation.
    static QString label(const BackupStore::Backup &backup);

    // The "&Fichier" command: lists the copies of the set `documentPath`
    // names, restores the one picked after a confirmation (the current set
    // is copied aside first), then loads the document again.
    static void Restaurer(TChild &child, const QString &documentPath);

private:
    QListWidget *m_list = nullptr; // ListBox1
};
