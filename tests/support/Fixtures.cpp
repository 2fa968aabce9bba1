#include "Fixtures.h"

#include "common/SaveBatch.h"
#include "document/SectionPage.h"

#include <QComboBox>

void loadSet(DocumentModel &model, UiServices &ui, const QString &path, QDate today, const QList<SectionPage *> &pages)
{
    DialogNotices notices(ui, nullptr);
    model.load(path, today, notices);
    for (SectionPage *page : pages)
        page->loaded();
}

bool saveSet(DocumentModel &model, UiServices &ui, const QString &path, bool force, const QList<SectionPage *> &pages)
{
    DialogNotices notices(ui, nullptr);
    DocumentModel::SaveHooks hooks;
    hooks.writeBack = [&pages](SectionId section) {
        for (SectionPage *page : pages)
            if (page->section() == section)
                page->prepareSave();
    };
    SaveBatch batch;
    const bool ok = model.save(path, force, batch, notices, hooks);
    if (!batch.commit()) {
        notices.tell(batch.error(), Notices::Kind::Critical);
        return false;
    }
    return ok;
}

TestContext::TestContext(QDate today)
    : clock(QDateTime(today, QTime(9, 0))), context(ui, clock, model.document(), model.extraLists()),
      window(std::make_unique<QWidget>())
{
    model.reset(today);
    context.startDirectory = startDirectory.path();
    context.setDialogParent(window.get());
    for (int n = 1; n <= 10; ++n) {
        auto *box = new QComboBox(window.get());
        box->setObjectName(QStringLiteral("ComboBox%1").arg(n));
        context.setComboBox(n, box);
    }
}
