// Field tables of the three record sections and the reading and writing of a
// block body from them.
#include "collections/BookRecord.h"
#include "collections/ReimbursementRecord.h"
#include "collections/VideoRecord.h"
#include "common/TextFile.h"

#include <QtTest>

namespace {

RecordValues videoValues()
{
    return {QStringLiteral("V012"),
            QDate(2024, 3, 9),
            4,
            QStringLiteral("Les Enfants du paradis"),
            QStringLiteral("Marcel Carné"),
            QStringLiteral("Pathé"),
            QStringLiteral("France"),
            QStringLiteral("Drame"),
            1945,
            190,
            QStringLiteral("DVD"),
            -5,
            QStringLiteral("Mono"),
            128,
            QStringLiteral("/home/Anne/Images/Enfants.JPG"),
            QStringList{QStringLiteral("Arletty"), QStringLiteral("Memo3 Jean-Louis Barrault")},
            QStringList{QStringLiteral("Boulevard du crime"), QString()},
            QStringList{}};
}

} // namespace

class TestRecordsSchema : public QObject
{
    Q_OBJECT

private slots:
    void fieldTables_data();
    void fieldTables();
    void videoBodyIsWrittenLineForLine();
    void videoBodyReadsBackEveryField();
    void bookConditionGoesThroughWindows1252();
    void memosAreReadWhole_data();
    void memosAreReadWhole();
    void memoTagsAreOnlyLookedForAfterTheFixedLines();
    void unreadableLinesStopTheReading_data();
    void unreadableLinesStopTheReading();
    void emptyLinesKeepTheShownValue_data();
    void emptyLinesKeepTheShownValue();
    void oneLineFieldsNeverSplitTheBlock();
    void damageMessageNamesTheField_data();
    void damageMessageNamesTheField();
};

void TestRecordsSchema::fieldTables_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("fixedLines");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("video") << 7 << QStringLiteral("Ma vidéothèque") << 15
                           << QStringList{"Edit8",     "DateTimePicker1", "SpinEdit1", "Edit9",     "Edit10",
                                          "Edit11",    "Edit12",          "ComboBox3", "SpinEdit2", "SpinEdit3",
                                          "ComboBox4", "SpinEdit4",       "ComboBox5", "SpinEdit5", "Image2",
                                          "Memo2",     "Memo3",           "Memo4"};
    QTest::newRow("books") << 9 << QStringLiteral("Ma bibliothèque") << 10
                           << QStringList{"Edit13", "DateTimePicker2", "SpinEdit6", "Edit14",    "Edit15", "Edit16",
                                          "Edit17", "ComboBox7",       "SpinEdit7", "ComboBox8", "Memo5",  "Memo6"};
    QTest::newRow("reimbursements")
        << 10 << QStringLiteral("Suivi Sécu") << 11
        << QStringList{"Edit18",          "DateTimePicker3", "ComboBox9", "Edit19",          "ComboBox10", "Edit20",
                       "DateTimePicker4", "Edit21",          "DateTimePicker6", "Edit22", "DateTimePicker7"};
}

void TestRecordsSchema::fieldTables()
{
    QFETCH(int, section);
    QFETCH(QString, header);
    QFETCH(int, fixedLines);
    QFETCH(QStringList, names);
    const RecordSchema &s = section == 7   ? VideoRecord::schema()
                            : section == 9 ? BookRecord::schema()
                                           : ReimbursementRecord::schema();
    QCOMPARE(s.header(), header);
    QCOMPARE(s.fixedLines(), fixedLines);
    QStringList actual;
    for (const RecordField &f : s.fields())
        actual << f.name;
    QCOMPARE(actual, names);
}

void TestRecordsSchema::videoBodyIsWrittenLineForLine()
{
    const QStringList body = VideoRecord::schema().write(videoValues());
    const QStringList expected{QStringLiteral("V012"),
                               QStringLiteral("09/03/2024"),
                               QStringLiteral("4"),
                               QStringLiteral("Les Enfants du paradis"),
                               QStringLiteral("Marcel Carné"),
                               QStringLiteral("Pathé"),
                               QStringLiteral("France"),
                               QStringLiteral("Drame"),
                               QStringLiteral("1945"),
                               QStringLiteral("190"),
                               QStringLiteral("DVD"),
                               QStringLiteral("-5"),
                               QStringLiteral("Mono"),
                               QStringLiteral("128"),
                               QStringLiteral("/home/Anne/Images/Enfants.JPG"),
                               QStringLiteral("Memo2Arletty"),
                               QStringLiteral("Memo2Memo3 Jean-Louis Barrault"),
                               QStringLiteral("Memo3Boulevard du crime"),
                               QStringLiteral("Memo3")};
    QCOMPARE(body, expected);
}

void TestRecordsSchema::videoBodyReadsBackEveryField()
{
    const RecordSchema &s = VideoRecord::schema();
    const RecordReading r = s.read(s.write(videoValues()));
    QVERIFY(!r.damaged());
    QCOMPARE(r.values, videoValues());
}

void TestRecordsSchema::bookConditionGoesThroughWindows1252()
{
    const RecordSchema &s = BookRecord::schema();
    const RecordValues book{QStringLiteral("L1"), QDate(2025, 12, 31), 3, QStringLiteral("Titre"), QString(),
                            QString(), QString(), QString(), 1999, QStringLiteral("Très mauvais"),
                            QStringList{QStringLiteral("é")}, QStringList{}};
    const QByteArray bytes = TextFile::joinLines(s.write(book));
    QCOMPARE(bytes, QByteArray("L1\r\n31/12/2025\r\n3\r\nTitre\r\n\r\n\r\n\r\n\r\n1999\r\nTr\xE8s mauvais\r\n"
                               "Memo5\xE9\r\n"));
    const RecordReading r = s.read(TextFile::splitLines(bytes));
    QVERIFY(!r.damaged());
    QCOMPARE(r.values, book);
}

void TestRecordsSchema::memosAreReadWhole_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("width");
    QTest::newRow("300 lines") << 300 << 10;
    QTest::newRow("line of 1000 characters") << 2 << 1000;
}

void TestRecordsSchema::memosAreReadWhole()
{
    // Nothing typed is lost by reading and writing a film again: no limit on
    // the number of memo lines nor on their length.
    QFETCH(int, lines);
    QFETCH(int, width);
    const RecordSchema &s = VideoRecord::schema();
    RecordValues v = videoValues();
    QStringList comments;
    for (int i = 0; i < lines; ++i)
        comments << QString(width, QChar(u'a' + i % 26));
    v[17] = comments;
    const QStringList body = s.write(v);
    const RecordReading r = s.read(body);
    QCOMPARE(r.values[17].toStringList(), comments);
    QCOMPARE(s.write(r.values), body);
}

void TestRecordsSchema::memoTagsAreOnlyLookedForAfterTheFixedLines()
{
    // An audio format that begins like a tag stays the audio format and is not
    // copied into a memo as well; a stray untagged line is ignored.
    const RecordSchema &s = VideoRecord::schema();
    RecordValues v = videoValues();
    v[12] = QStringLiteral("Memo2 stéréo");
    QStringList body = s.write(v);
    body.insert(16, QStringLiteral("ligne sans balise"));
    const RecordReading r = s.read(body);
    QCOMPARE(r.values[12].toString(), QStringLiteral("Memo2 stéréo"));
    QCOMPARE(r.values[15].toStringList(), videoValues()[15].toStringList());
}

void TestRecordsSchema::unreadableLinesStopTheReading_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("line"); // 1-based fixed line replaced
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("field");

    const int unreadable = int(RecordReading::Fault::Unreadable);
    QTest::newRow("video date with letters") << 7 << 2 << "12/ab/2020" << unreadable << "DateTimePicker1";
    QTest::newRow("video date 31 February") << 7 << 2 << "31/02/2020" << unreadable << "DateTimePicker1";
    QTest::newRow("video empty date") << 7 << 2 << "" << unreadable << "DateTimePicker1";
    QTest::newRow("video mark with letters") << 7 << 3 << "dix" << unreadable << "SpinEdit1";
    QTest::newRow("video year too large") << 7 << 9 << "99999999999" << unreadable << "SpinEdit2";
    QTest::newRow("video empty audio rate") << 7 << 14 << "" << unreadable << "SpinEdit5";
    QTest::newRow("book mark 4,5") << 9 << 3 << "4,5" << unreadable << "SpinEdit6";
    QTest::newRow("book year with letters") << 9 << 9 << "MCMXC" << unreadable << "SpinEdit7";
    QTest::newRow("reimbursement sent date") << 10 << 7 << "demain" << unreadable << "DateTimePicker4";
}

void TestRecordsSchema::unreadableLinesStopTheReading()
{
    QFETCH(int, section);
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(int, fault);
    QFETCH(QString, field);
    const RecordSchema &s = section == 7   ? VideoRecord::schema()
                            : section == 9 ? BookRecord::schema()
                                           : ReimbursementRecord::schema();
    QStringList body;
    for (int i = 0; i < s.fieldCount(); ++i) {
        const RecordField &f = s.field(i);
        if (f.kind == RecordField::Kind::Date)
            body << QStringLiteral("01/02/2003");
        else if (f.kind == RecordField::Kind::Integer)
            body << QStringLiteral("7");
        else if (f.isFixedLine())
            body << QStringLiteral("x");
    }
    body << QStringLiteral("Memo2a") << QStringLiteral("Memo5b");
    body[line - 1] = text;
    const RecordReading r = s.read(body);
    QCOMPARE(int(r.fault), fault);
    QCOMPARE(s.field(r.faultField).name, field);
    QCOMPARE(r.faultText, text);
    // Fields before the damaged one are read, the others are left alone.
    for (int i = 0; i < s.fieldCount(); ++i)
        QCOMPARE(r.values[i].isValid(), i < r.faultField);
}

void TestRecordsSchema::emptyLinesKeepTheShownValue_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("line");
    QTest::newRow("book year") << 9 << 9;
    QTest::newRow("reimbursement consultation date") << 10 << 2;
    QTest::newRow("reimbursement complementary refund date") << 10 << 11;
}

void TestRecordsSchema::emptyLinesKeepTheShownValue()
{
    QFETCH(int, section);
    QFETCH(int, line);
    const RecordSchema &s = section == 9 ? BookRecord::schema() : ReimbursementRecord::schema();
    QStringList body;
    for (int i = 0; i < s.fixedLines(); ++i) {
        const RecordField &f = s.field(i);
        body << (f.kind == RecordField::Kind::Date ? QStringLiteral("01/02/2003")
                                                   : f.kind == RecordField::Kind::Integer ? QStringLiteral("7")
                                                                                          : QStringLiteral("x"));
    }
    body[line - 1] = QStringLiteral(" ");
    const RecordReading r = s.read(body);
    QVERIFY(!r.damaged());
    QVERIFY(!r.values[line - 1].isValid());
    QVERIFY(r.values[line].isValid() || line == s.fixedLines());
}

void TestRecordsSchema::oneLineFieldsNeverSplitTheBlock()
{
    const RecordSchema &s = ReimbursementRecord::schema();
    RecordValues v(s.fieldCount());
    v[0] = QStringLiteral("Anne\r\nMarie");
    for (int i : {1, 6, 8, 10})
        v[i] = QDate(2026, 1, 5);
    const QStringList body = s.write(v);
    QCOMPARE(body.size(), 11);
    QCOMPARE(body[0], QStringLiteral("Anne Marie"));
}

void TestRecordsSchema::damageMessageNamesTheField_data()
{
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<QString>("message");
    QTest::newRow("unreadable audio rate")
        << QStringList{"c", "01/01/2000", "1", "t", "r", "p", "F", "c", "2000", "60", "v", "96", "a", "x96"}
        << QStringLiteral("La fiche 3 est endommagée : « x96 » n'est pas un nombre entier (champ « Format audio "
                          "(Kb/sec) »).\nSeuls les champs lus avant celui-ci sont affichés. Le fichier ne sera "
                          "modifié que si vous changez cette fiche.");
    QTest::newRow("block cut short")
        << QStringList{"c", "01/01/2000"}
        << QStringLiteral("La fiche 3 est endommagée : la fiche s'arrête avant le champ « Note ».\nSeuls les "
                          "champs lus avant celui-ci sont affichés. Le fichier ne sera modifié que si vous "
                          "changez cette fiche.");
}

void TestRecordsSchema::damageMessageNamesTheField()
{
    QFETCH(QStringList, body);
    QFETCH(QString, message);
    const RecordSchema &s = VideoRecord::schema();
    QCOMPARE(s.damageMessage(s.read(body), 3), message);
}

QTEST_GUILESS_MAIN(TestRecordsSchema)
#include "test_records_schema.moc"
