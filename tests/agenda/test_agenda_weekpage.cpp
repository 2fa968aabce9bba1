#include <QTest>

class TestAgenda_weekpage : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(TestAgenda_weekpage)
#include "test_agenda_weekpage.moc"
