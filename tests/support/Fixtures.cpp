#include "Fixtures.h"

#include <QComboBox>

TestContext::TestContext(QDate today)
    : clock(QDateTime(today, QTime(9, 0))), context(ui, clock), window(std::make_unique<QWidget>())
{
    context.startDirectory = startDirectory.path();
    context.document().referenceDate = today;
    context.setDialogParent(window.get());
    for (int n = 1; n <= 10; ++n) {
        auto *box = new QComboBox(window.get());
        box->setObjectName(QStringLiteral("ComboBox%1").arg(n));
        context.setComboBox(n, box);
    }
}
