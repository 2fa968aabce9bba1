#include "Fixtures.h"
#include "ScriptedUiServices.h"
#include "app/TMainForm.h"
#include "common/Clock.h"
#include "common/MmCanvas.h"
#include "utilities/ClockSetting.h"
#include "utilities/TBlocnotes.h"
#include "utilities/TCalendrier.h"
#include "utilities/TEurof.h"
#include "utilities/THorloge.h"
#include "utilities/TPLettre.h"
#include "utilities/TPocket.h"
#include "utilities/TPrenoms.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// Records what it was asked to set; never touches the machine's clock.
class FakeSetter final : public SystemTimeSetter
{
public:
    bool setUniversalTime(const QDateTime &utc, QString *error) override
    {
        asked = utc;
        if (!accept)
            *error = QStringLiteral("refusé");
        return accept;
    }
    QDateTime asked;
    bool accept = true;
};

// One pixel per millimetre and per character; records the lines drawn.
class LineCanvas final : public MmCanvas
{
public:
    int Mh(int x) const override { return x + 5; }
    int Mv(int y) const override { return y + 5; }
    void setFont(const QString &, int, bool) override {}
    void textOut(int, int y, const QString &text) override { drawn << QStringLiteral("%1:%2").arg(y).arg(text); }
    int textWidth(const QString &text) const override { return int(text.size()); }
    void line(int, int, int, int) override {}
    void rectangle(int, int, int, int) override {}
    void newPage() override { drawn << QStringLiteral("page"); }
    void textOutRight(int, int, const QString &) override {}
    void picture(int, int, int, int, const QImage &) override {}
    int pageWidthMm() const override { return 18; }
    int pageHeightMm() const override { return 20; }
    QStringList drawn;
};

QString labelText(QWidget *w, const char *name)
{
    return w->findChild<QLabel *>(QLatin1String(name))->text();
}

} // namespace

class TestUtilitiesWindows : public QObject
{
    Q_OBJECT

private slots:
    void menuOpensWindow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        for (const QString row : {"HorlogeItem|THorloge|Horloge", "CalendrierItem|TCalendrier|Calendrier",
                                  "CalculatriceItem|TPocket|Calculatrice", "EuroItem|TEurof|Euro convertisseur",
                                  "BlocNotesItem|TBlocnotes|Bloc-notes", "PrenomsItem|TPrenoms|Les prénoms",
                                  "PeseLettresItem|TPLettre|Pèse-Lettres"})
            QTest::newRow(qPrintable(row))
                << row.section(u'|', 0, 0) << row.section(u'|', 1, 1) << row.section(u'|', 2);
    }
    void menuOpensWindow()
    {
        QFETCH(QString, action);
        MainFormFixture f;
        f.form.action(action)->trigger();
        ScriptedUiServices &ui = f.ui;
        QTEST(ui.shown().last().text, "window");
        QTEST(ui.shown().last().title, "caption");
    }

    void calculatorKeys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("reopened"); // ",5" typed in the next window
        for (const QString row : {"repeated =|7+8==|30||5", "point is the comma|1.5*2=|3||5", "X and S|16SX|0,25||5",
                                  "C clears|12+3C4=|4||5", "division by zero|1/0=|0|Division par zéro impossible.|,5"})
            QTest::newRow(qPrintable(row.section(u'|', 0, 0))) << row.section(u'|', 1, 1) << row.section(u'|', 2, 2)
                                                               << row.section(u'|', 3, 3) << row.section(u'|', 4);
    }
    void calculatorKeys()
    {
        QFETCH(QString, keys);
        ScriptedUiServices ui;
        PocketCalculator engine;
        {
            TPocket w(engine, ui);
            w.show();
            QTest::keyClicks(&w, keys);
            QTEST(labelText(&w, "Label1"), "display");
            QTEST(ui.lastMessage(), "message");
        }
        // A new window starts cleared but keeps the new-number flag.
        TPocket again(engine, ui);
        again.show();
        QCOMPARE(labelText(&again, "Label1"), QString());
        QTest::keyClicks(&again, QStringLiteral(",5"));
        QTEST(labelText(&again, "Label1"), "reopened");
    }

    void euroKeysAndRate()
    {
        TEurof w;
        w.show();
        QTest::keyClicks(&w, QStringLiteral("1.5"));
        QTest::keyClick(&w, Qt::Key_Return);
        QCOMPARE(labelText(&w, "Label2"), QStringLiteral("0,23"));
        QTest::keyClicks(&w, QStringLiteral("7"));
        QCOMPARE(labelText(&w, "Label1") + labelText(&w, "Label2"), QStringLiteral("7"));
        w.findChild<QWidget *>(QStringLiteral("SpinButton1"))
            ->findChild<QToolButton *>(QStringLiteral("down"))
            ->click();
        QCOMPARE(w.findChild<QLineEdit *>(QStringLiteral("Edit3"))->text(), QStringLiteral("6,55956"));
    }

    void letterScaleEnterKeepsTheCounts()
    {
        TPLettre w;
        w.show();
        QTest::keyClick(w.findChild<QSpinBox *>(QStringLiteral("SpinEdit9")), Qt::Key_Return);
        QVERIFY(w.isVisible());
    }

    void clockSet_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("spins");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QDateTime>("asked");
        QTest::addColumn<QString>("message");
        const QDateTime march(QDate(2001, 3, 15), QTime(10, 30));
        QTest::newRow("hour up, winter") << march << 0 << 1 << true
                                         << QDateTime(QDate(2001, 3, 15), QTime(10, 30), Qt::UTC) << "";
        QTest::newRow("system refuses") << march << 1 << 0 << false
                                        << QDateTime(QDate(2001, 3, 15), QTime(9, 30), Qt::UTC) << "refusé";
        QTest::newRow("31 April") << QDateTime(QDate(2001, 4, 30), QTime(9, 0)) << 2 << 1 << true << QDateTime()
                                  << "La date 31/04/2001 n'existe pas.";
    }
    void clockSet()
    {
        QFETCH(QDateTime, now);
        QFETCH(int, field);
        QFETCH(int, spins);
        QFETCH(bool, accept);
        QFETCH(QDateTime, asked);
        QFETCH(QString, message);
        ScriptedUiServices ui;
        FixedClock clock(now);
        FakeSetter setter;
        setter.accept = accept;
        THorloge w(clock, setter, ui);
        w.show();
        w.findChild<QRadioButton *>(QStringLiteral("RadioGroup1_%1").arg(field))->setChecked(true);
        w.Button2Click();
        for (int i = 0; i < spins; ++i)
            w.SpinButton1Up();
        w.Button2Click();
        QCOMPARE(setter.asked, asked);
        QCOMPARE(ui.lastMessage(), message);
        // A refused setting leaves the display frozen for correction.
        QCOMPARE(w.editing(), !message.isEmpty());
    }

    void calendarPages()
    {
        FixedClock clock(QDateTime(QDate(2001, 1, 31), QTime(12, 0)));
        TCalendrier w(clock);
        w.show();
        auto *calendar = w.findChild<QCalendarWidget *>(QStringLiteral("Calendar1"));
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Sunday);
        QCOMPARE(labelText(&w, "Label1"), QStringLiteral("janvier  2001"));
        QTest::keyClick(calendar->focusWidget() ? calendar->focusWidget() : calendar, Qt::Key_PageDown);
        QCOMPARE(calendar->selectedDate(), QDate(2001, 2, 28));
        QCOMPARE(labelText(&w, "Label1"), QStringLiteral("février  2001"));
        QTest::keyClick(w.findChild<QWidget *>(QStringLiteral("BitBtn2")), Qt::Key_PageUp);
        QCOMPARE(calendar->selectedDate(), QDate(2001, 1, 28));
    }

    void notepadSavesOnlyChanges()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Tivarel.nte"));
        ScriptedUiServices ui;
        {
            TBlocnotes w(ui);
            QVERIFY(w.Charge(path));
            QVERIFY(w.Sauve(path));
            QVERIFY(!QFile::exists(path)); // never typed in: no file
            w.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->insertPlainText(QStringLiteral("été\u00A0!"));
            QVERIFY(w.Sauve(path));
            QCOMPARE(TestFiles::readBytes(path), QByteArray("\xE9t\xE9\xA0!\r\n"));
        }
        TestFiles::writeBytes(path, QByteArray("x\ny"));
        TBlocnotes w(ui);
        QVERIFY(w.Charge(path));
        QCOMPARE(w.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->toPlainText(), QStringLiteral("x\ny"));
        QVERIFY(w.Sauve(path));
        QCOMPARE(TestFiles::readBytes(path), QByteArray("x\ny")); // unchanged: not rewritten
        QVERIFY(ui.messages().isEmpty());
        // Closing with a note that cannot be written (its folder is gone)
        // leaves the window open with the note; a note file that cannot be
        // read (a folder) is told and only replaced when the user says so.
        QDir(dir.path()).mkdir(QStringLiteral("folder.nte"));
        for (const QString &name : {QStringLiteral("gone/Tivarel.nte"), QStringLiteral("folder.nte")}) {
            TBlocnotes n(ui);
            QCOMPARE(n.Charge(dir.filePath(name)), name.startsWith(u'g'));
            n.show();
            n.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->insertPlainText(QStringLiteral("note"));
            n.findChild<QPushButton *>(QStringLiteral("Button1"))->click();
            QVERIFY(n.isVisible() && n.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->toPlainText() == "note");
        }
        QCOMPARE(ui.messages().size(), 3);
    }

    void notepadPrintBreaksLinesAndPages()
    {
        LineCanvas canvas;
        TBlocnotes::printLines(canvas, {"aaa bbb ccc", "", "abcdefghijk"}, "Arial", 8, 10);
        QCOMPARE(canvas.drawn, (QStringList{"0:aaa bbb ", "5:ccc", "page", "0:", "5:abcdefgh", "page", "0:ijk"}));
    }

    void firstNamesKeysAndTabs()
    {
        TPrenoms w;
        w.Charge(QStringLiteral(SAMPLE_NAMES));
        w.show();
        auto *memo = w.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"));
        auto *tabs = w.findChild<QTabBar *>(QStringLiteral("TabControl1"));
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("Agathe\n")));
        QTest::keyClick(memo, Qt::Key_PageDown);
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("Élodie\n")));
        QCOMPARE(tabs->currentIndex(), 4);
        tabs->setCurrentIndex(1); // no name under B
        QCOMPARE(tabs->currentIndex(), 4);
        tabs->setCurrentIndex(25);
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("Zoé\n")));
    }
};

QTEST_MAIN(TestUtilitiesWindows)
#include "test_utilities_windows.moc"
