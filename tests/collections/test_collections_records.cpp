// The record files' rules: the block body of an album page, a film, a book
// and a reimbursement, written from values and read back; damaged lines; the
// reimbursement results.

#include "collections/AlbumRecord.h"
#include "collections/BookRecord.h"
#include "collections/RecordCsv.h"
#include "collections/ReimbursementRecord.h"
#include "collections/VideoRecord.h"

#include <QtTest>

namespace {

const RecordSchema &schemaOf(int section)
{
    return section == 6   ? AlbumRecord::schema()
           : section == 7 ? VideoRecord::schema()
           : section == 9 ? BookRecord::schema()
                          : ReimbursementRecord::schema();
}

RecordValues film()
{
    return {"V012",
            QDate(2024, 3, 9),
            4,
            "Les Enfants du paradis",
            "Marcel Carné",
            "Pathé",
            "France",
            "Drame",
            1945,
            190,
            "DVD",
            -5,
            "Mono",
            128,
            "/home/Anne/Images/Enfants.JPG",
            QStringList{"Arletty", "Memo3 Jean-Louis Barrault"},
            QStringList{"Boulevard du crime", ""},
            QStringList{}};
}

const QStringList filmBody =
    QString("V012|09/03/2024|4|Les Enfants du paradis|Marcel Carné|Pathé|France|Drame|1945|190|DVD|-5|Mono|128|"
            "/home/Anne/Images/Enfants.JPG|Memo2Arletty|Memo2Memo3 Jean-Louis Barrault|Memo3Boulevard du crime|Memo3")
        .split(u'|');

// A sound body of the section whose fixed line `line` (1-based) is `text`.
QStringList bodyWith(int section, int line, const QString &text)
{
    const RecordSchema &s = schemaOf(section);
    QStringList body;
    for (const RecordField &f : s.fields()) {
        if (f.kind == RecordField::Kind::Date)
            body << "01/02/2003";
        else if (f.kind == RecordField::Kind::Integer)
            body << "7";
        else if (f.isFixedLine())
            body << "x";
    }
    body[line - 1] = text;
    return body;
}

} // namespace

class TestCollectionsRecords : public QObject
{
    Q_OBJECT

private slots:
    // The films' CSV export: a heading and a row for each film.
    void filmsToCsv()
    {
        QStringList lines;
        int n = 0;
        for (const char *title : {"Le Grand Bleu", "Nikita"}) {
            const QString number = QStringLiteral("%1").arg(n++, 4, 10, QChar(u'0'));
            lines << "<BLOC" + number + ">"
                  << QStringList{"F", "09/03/2024", "4", title, "", "", "", "", "2000", "60", "", "96", "", "96", ""}
                  << "</BLOC" + number + ">";
        }
        const QString csv = QString::fromUtf8(RecordCsv::table(VideoRecord::schema(), SectionId::Videos, lines));
        QCOMPARE(csv.split(u'\n', Qt::SkipEmptyParts).size(), 3);
        QVERIFY2(csv.startsWith("\"Code\";\"Date\";") && csv.contains(";\"Format vidéo (Kb/sec)\";"), qPrintable(csv));
        QVERIFY2(csv.contains("Le Grand Bleu") && csv.contains("Nikita"), qPrintable(csv));
    }

    void bodies_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<RecordValues>("values");
        QTest::addColumn<QStringList>("body"); // empty: the record leaves the file

        QTest::newRow("film, memo lines that look like tags") << 7 << film() << filmBody;
        RecordValues longMemo = film();
        QStringList many;
        for (int i = 0; i < 300; ++i)
            many << QString(i == 7 ? 1000 : 10, QChar(u'a' + i % 26));
        longMemo[17] = many;
        QStringList longBody = filmBody;
        for (const QString &l : many)
            longBody << "Memo4" + l;
        QTest::newRow("film, 300 memo lines, one of 1000 characters") << 7 << longMemo << longBody;
        RecordValues broken = film();
        broken[3] = "Les Enfants\r\ndu paradis";
        QTest::newRow("film, line break in a title: read back joined") << 7 << broken << filmBody;
        QTest::newRow("book") << 9 << RecordValues{"L1",
                                                   QDate(2025, 12, 31),
                                                   3,
                                                   "Titre",
                                                   "",
                                                   "",
                                                   "",
                                                   "",
                                                   1999,
                                                   "Très mauvais",
                                                   QStringList{"é\u00a0!"},
                                                   QStringList{}}
                              << QStringList{"L1",           "31/12/2025",   "3", "Titre", "", "", "", "", "1999",
                                             "Très mauvais", "Memo5é\u00a0!"};
        QTest::newRow("reimbursement, year 50")
            << 10 << RecordValues{"Anne",           QDate(50, 1, 1),   "Dr Martin", "23,00",           "Centrale",
                                  "12,35",          QDate(2026, 1, 5), "16,10",     QDate(2026, 1, 6), "",
                                  QDate(2026, 2, 1)}
            << QStringList{"Anne",       "01/01/0050", "Dr Martin",  "23,00", "Centrale",  "12,35",
                           "05/01/2026", "16,10",      "06/01/2026", "",      "01/02/2026"};
        QTest::newRow("album picture") << 6
                                       << RecordValues{"La plage", "/home/Anne/Plage.JPG", QStringList{"Soleil", ""}}
                                       << QStringList{"TITLE La plage", "PICTURE /home/Anne/Plage.JPG", "Soleil", ""};
        QTest::newRow("album animation, upper-case AVI") << 6 << RecordValues{"Film", "/v/Clip.AVI", QStringList{}}
                                                         << QStringList{"TITLE Film", "ANIMATE /v/Clip.AVI"};
        QTest::newRow("album title and comment read with tabs keep them")
            << 6 << RecordValues{"a\tb", "", QStringList{"c\td"}} << QStringList{"TITLE a\tb", "PICTURE ", "c\td"};
        QTest::newRow("album comment only")
            << 6 << RecordValues{"", "", QStringList{"", ""}} << QStringList{"TITLE ", "PICTURE ", "", ""};
        QTest::newRow("album empty page leaves the file") << 6 << RecordValues{"", "", QStringList{}} << QStringList();
    }

    void bodies()
    {
        QFETCH(int, section);
        QFETCH(RecordValues, values);
        QFETCH(QStringList, body);
        const RecordValues readBack = QByteArray(QTest::currentDataTag()).contains("line break") ? film() : values;
        if (section == 6) {
            QCOMPARE(AlbumRecord::write(values).value_or(QStringList()), body);
            if (!body.isEmpty())
                QCOMPARE(AlbumRecord::read(body), readBack);
            return;
        }
        const RecordSchema &s = schemaOf(section);
        QCOMPARE(s.write(values), body);
        const RecordReading r = s.read(body);
        QVERIFY(!r.damaged());
        QCOMPARE(r.values, readBack);
    }

    // A record's body is read whole, up to its end marker or the next block.
    void blockBody()
    {
        const QStringList lines{"<BLOC0000>", "a", "", "b", "</BLOC0000>", "<BLOC0001>", "c"};
        QCOMPARE(RecordSchema::blockBody(lines, 0, "</BLOC0000>").value_or(QStringList{"none"}),
                 (QStringList{"a", "", "b"}));
        QCOMPARE(RecordSchema::blockBody(lines, 5, "</BLOC0001>").value_or(QStringList{"none"}), QStringList{"c"});
        QVERIFY(!RecordSchema::blockBody(lines, -1, "x") && !RecordSchema::blockBody(lines, 7, "x"));
    }

    // An unreadable fixed line stops the reading; a blank one does not.
    void unreadableLinesStopTheReading_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<int>("line"); // 1-based fixed line replaced; beyond the body: cut short
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");

        QTest::newRow("video date with letters") << 7 << 2 << QString("12/ab/2020") << QString("DateTimePicker1");
        QTest::newRow("video date 31 February") << 7 << 2 << QString("31/02/2020") << QString("DateTimePicker1");
        QTest::newRow("video empty date") << 7 << 2 << QString("") << QString("DateTimePicker1");
        QTest::newRow("video year too large") << 7 << 9 << QString("99999999999") << QString("SpinEdit2");
        QTest::newRow("video empty audio rate") << 7 << 14 << QString("") << QString("SpinEdit5");
        QTest::newRow("book mark 4,5") << 9 << 3 << QString("4,5") << QString("SpinEdit6");
        QTest::newRow("reimbursement sent date") << 10 << 7 << QString("demain") << QString("DateTimePicker4");
        QTest::newRow("video cut before the mark") << 7 << 3 << QString("") << QString("SpinEdit1");
        // A blank line (no field named) is no damage: the shown value stays.
        QTest::newRow("book year blank") << 9 << 9 << QString(" ") << QString("");
        QTest::newRow("reimbursement consultation date blank") << 10 << 2 << QString(" ") << QString("");
        QTest::newRow("reimbursement complementary refund date blank, the last line")
            << 10 << 11 << QString(" ") << QString("");
    }

    void unreadableLinesStopTheReading()
    {
        QFETCH(int, section);
        QFETCH(int, line);
        QFETCH(QString, text);
        const RecordSchema &s = schemaOf(section);
        if (text == u" ") {
            const RecordReading r = s.read(bodyWith(section, line, text).mid(0, s.fixedLines()));
            QVERIFY(!r.damaged());
            QVERIFY(!r.values[line - 1].isValid());
            QVERIFY(line == s.fixedLines() || r.values[line].isValid()); // the line after it is read
            return;
        }
        QStringList body = bodyWith(section, line, text) + QStringList{"Memo2a", "Memo5b"};
        const bool cut = QByteArray(QTest::currentDataTag()).contains("cut");
        if (cut)
            body = body.mid(0, line - 1);
        const RecordReading r = s.read(body);
        QCOMPARE(r.fault, cut ? RecordReading::Fault::Missing : RecordReading::Fault::Unreadable);
        QTEST(s.field(r.faultField).name, "field");
        // Fields before the damaged one are read, the others are left alone; the
        // user is told which field and which text.
        for (int i = 0; i < s.fieldCount(); ++i)
            QCOMPARE(r.values[i].isValid(), i < r.faultField);
        const QString message = s.damageMessage(r, 3);
        QVERIFY2(message.contains("La fiche 3") && message.contains(s.displayName(r.faultField))
                     && message.contains(r.faultText),
                 qPrintable(message));
    }

    void rembours_data()
    {
        QTest::addColumn<QStringList>("typed"); // fees, pharmacy, national and complementary refunds
        QTest::addColumn<QString>("result");    // total|share|errors, "-" when left as it was
        QTest::newRow("fees only, fully refunded") << QStringList{"25", "", "17,5", "7,5"} << "25,00|100,00 %|0";
        QTest::newRow("no cost gives 0 %") << QStringList{"", "", "10", "5"} << "15,00|0,00 %|0";
        QTest::newRow("fees and pharmacy") << QStringList{"23", "12,35", "16,10", ""} << "16,10|45,54 %|0";
        QTest::newRow("blanks around amounts") << QStringList{" 50 ", "", " 35", ""} << "35,00|70,00 %|0";
        QTest::newRow("two commas in the fees") << QStringList{"1,2,3", "", "10", ""} << "10,00|-|1";
        QTest::newRow("two commas in a refund") << QStringList{"40", "", "1,0,0", "20"} << "-|-|1";
        QTest::newRow("letters everywhere") << QStringList{"a", "b", "c", "d"} << "-|-|4";
    }

    void rembours()
    {
        QFETCH(QStringList, typed);
        const auto r = ReimbursementRecord::Rembours(typed[0], typed[1], typed[2], typed[3]);
        QTEST(QStringList({r.total.value_or("-"), r.share.value_or("-"), QString::number(r.errors.size())}).join(u'|'),
              "result");
    }

    void amountKeyFilter_data()
    {
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<QString>("result"); // empty when dropped
        QTest::newRow("digit") << QChar(u'7') << "7";
        QTest::newRow("dot becomes comma") << QChar(u'.') << ",";
        QTest::newRow("minus dropped") << QChar(u'-') << "";
        QTest::newRow("euro sign dropped") << QChar(0x20AC) << "";
        QTest::newRow("backspace passes") << QChar(u'\b') << "\b";
    }

    void amountKeyFilter()
    {
        QFETCH(QChar, typed);
        const auto r = ReimbursementRecord::filterAmountKey(typed);
        QTEST(r ? QString(*r) : QString(), "result");
    }
};

QTEST_GUILESS_MAIN(TestCollectionsRecords)
#include "test_collections_records.moc"
