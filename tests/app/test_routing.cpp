#include "ScriptedUiServices.h"
#include "Fixtures.h"
#include "app/TChild.h"
#include "common/Clock.h"

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

// Which generic commands do nothing on which page.
class RoutingTest : public QObject
{
    Q_OBJECT

    using Command = void (TChild::*)();

private slots:
    void commandsWithoutATargetDoNothing_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("command");
        const QMap<QString, Command> all = commands();
        // The dashes of the routing table.
        const QList<QPair<int, QStringList>> dashes = {
            {2, {"Couper", "Copier", "Coller"}},
            {3, {"Supprime", "Chercher", "FindNext", "Couper", "Copier", "Coller"}},
            {4, {"Supprime", "Precedent", "Suivant", "Premier", "Dernier", "Chercher", "FindNext", "Couper", "Copier",
                 "Coller"}},
            {5, {"Ajout", "Supprime", "Premier", "Dernier", "Chercher", "FindNext", "Couper", "Copier", "Coller"}},
            {6, {"Couper", "Copier", "Coller"}},
            {7, {"Couper", "Copier", "Coller"}},
            {8, {"Chercher", "FindNext", "Couper", "Copier", "Coller"}},
            {9, {"Couper", "Copier", "Coller"}},
            {10, {"Couper", "Copier", "Coller"}},
        };
        for (const auto &[page, names] : dashes) {
            for (const QString &name : names)
                QTest::addRow("page %d %s", page, qPrintable(name)) << page << name;
        }
    }
    void commandsWithoutATargetDoNothing()
    {
        QFETCH(int, page);
        QFETCH(QString, command);
        QTemporaryDir dir;
        ScriptedUiServices ui;
        FixedClock clock(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
        TChild child(ui, clock, dir.path());
        child.activate();
        child.Section(page);
        const QDate reference = child.document().referenceDate;
        ui.clear();

        (child.*commands().value(command))();

        QVERIFY2(ui.shown().isEmpty(), qPrintable(ui.shown().isEmpty() ? QString() : ui.shown().constFirst().text));
        QVERIFY(!child.TestModif());
        QCOMPARE(child.activePage(), page);
        QCOMPARE(child.document().referenceDate, reference);
    }

    void pageKeysStepTheWeekFromAnyDayList()
    {
        ScriptedUiServices ui;
        FixedClock clock(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
        QTemporaryDir dir;
        TChild child(ui, clock, dir.path());
        child.resize(800, 560);
        child.show();
        child.activate();
        auto *friday = child.findChild<QListWidget *>(QStringLiteral("ListBox5"));
        QVERIFY(friday);
        QTest::keyClick(friday, Qt::Key_PageDown);
        QCOMPARE(child.document().referenceDate, QDate(2026, 3, 18));
        QTest::keyClick(friday, Qt::Key_PageUp);
        QTest::keyClick(friday, Qt::Key_PageUp);
        QCOMPARE(child.document().referenceDate, QDate(2026, 3, 4));
    }

private:
    static QMap<QString, Command> commands()
    {
        return {{"Premier", &TChild::Premier},   {"Precedent", &TChild::Precedent}, {"Suivant", &TChild::Suivant},
                {"Dernier", &TChild::Dernier},   {"Ajout", &TChild::Ajout},         {"Supprime", &TChild::Supprime},
                {"Chercher", &TChild::Chercher}, {"FindNext", &TChild::FindNext},   {"Couper", &TChild::Couper},
                {"Copier", &TChild::Copier},     {"Coller", &TChild::Coller}};
    }
};

QTEST_MAIN(RoutingTest)
#include "test_routing.moc"
