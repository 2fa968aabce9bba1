#include "app/TSauvegardes.h"

#include "app/TChild.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/DateText.h"
#include "common/UiServices.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

TSauvegardes::TSauvegardes(const QList<BackupStore::Backup> &backups, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TSauvegardes"));
    setWindowTitle(QStringLiteral("Restaurer une sauvegarde"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Sauvegardes du document :"), this));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    for (const auto &b : backups)
        m_list->addItem(label(b) + QStringLiteral(" - %1 fichier(s)").arg(b.files.size()));
    m_list->setCurrentRow(0);
    // Every entry whole, whatever the font.
    m_list->setMinimumWidth(std::max(380, m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth()
                                              + m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8));
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Restaurer"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

int TSauvegardes::Result() const
{
    return result() == QDialog::Accepted ? m_list->currentRow() : -1;
}

QString TSauvegardes::label(const BackupStore::Backup &backup)
{
    QString text = DateText::appLocale().dayName(backup.date.dayOfWeek()) + u' ' + DateText::dayLabel(backup.date);
    if (backup.time.isValid())
        text += QStringLiteral(", %1 (avant restauration)").arg(backup.time.toString(QStringLiteral("HH:mm")));
    return text;
}

void TSauvegardes::Restaurer(TChild &child, const QString &documentPath)
{
    UiServices &ui = child.context().ui();
    BackupStore &store = child.context().backups().store();
    const QString base = documentPath.size() < 5 ? QString() : BaseName::of(documentPath);
    if (base.isEmpty()) {
        ui.showMessage(&child, QStringLiteral("Le document n'a pas encore été enregistré : il n'a pas de sauvegarde."));
        return;
    }
    const auto backups = store.list(base);
    if (backups.isEmpty()) {
        ui.showMessage(&child, QStringLiteral("Aucune sauvegarde de %1 dans le dossier « %2 ».")
                                   .arg(BaseName::fileNamePart(base), BackupStore::folderOf(base)));
        return;
    }
    TSauvegardes dialog(backups, &child);
    ui.exec(&dialog);
    const int picked = dialog.Result();
    if (picked < 0 || picked >= backups.size())
        return;
    child.writeBackAll();
    QString question = QStringLiteral("Remplacer le document par la sauvegarde du %1 ?\n"
                                      "Le document actuel est d'abord mis de côté dans les sauvegardes.")
                           .arg(label(backups[picked]));
    if (child.TestModif())
        question += QStringLiteral("\nLes modifications non enregistrées seront perdues.");
    if (ui.message(&child, question, UiServices::Icon::Warning, QMessageBox::Ok | QMessageBox::Cancel)
        != QMessageBox::Ok)
        return;
    const auto r = store.restore(base, backups[picked], child.context().clock().now());
    if (r.outcome == BackupStore::Outcome::Failed) {
        ui.showError(&child, QStringLiteral("La sauvegarde n'a pas pu être restaurée :\n%1\n"
                                            "Le document d'avant est conservé dans les sauvegardes.")
                                 .arg(r.error));
        return;
    }
    child.Charge(base + QStringLiteral(".orz"));
}
