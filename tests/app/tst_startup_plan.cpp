#include "app/settings.h"
#include "app/startup_plan.h"
#include "settings_text.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;
using test::kStoredNumbers;
using test::settingsText;

// What the start makes of a settings file, decided without a window.
class StartupPlanTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plan_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("outcome"); // "centred", "placed" or "recovery"
        QTest::addColumn<bool>("restoreMark");
        QTest::addColumn<bool>("tip");
        QTest::addColumn<QString>("centreAllForms"); // as the exit writes it

        // Files the window suite starts from are not repeated here.
        const QByteArray stored = settingsText(kStoredNumbers, "No", "No");
        QTest::newRow("stored, No, No") << stored << "placed" << false << false << "No";
        QTest::newRow("Yes, Yes") << settingsText(kStoredNumbers, "Yes", "Yes") << "centred" << true << true << "Yes";
        // Only "No" places the windows; a "Show Tips" other than "Yes" is No.
        QTest::newRow("no, yes in lower case")
            << settingsText(kStoredNumbers, "no", "yes") << "centred" << true << false << "no";
        QTest::newRow("state too large for 16 bits")
            << QByteArray(stored).replace("State= 0", "State= 40000") << "recovery" << false << true << "Yes";
        QTest::newRow("sum overflows") << settingsText({2147483647, 1}, "No", "No") << "recovery" << false << true
                                       << "Yes";
        QTest::newRow("200-character value") << QByteArray(stored).replace("Forms=No", "Forms=" + QByteArray(200, 'N'))
                                             << "recovery" << false << true << "Yes";
    }

    void plan()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, outcome);
        QFETCH(bool, restoreMark);
        QFETCH(bool, tip);
        const Startup startup = planStartup(IniDocument::fromBytes(file));
        const StartupPlan& plan = startup.plan;
        QCOMPARE(plan.recovery, outcome == u"recovery");
        QCOMPARE(plan.centre, outcome != u"placed");
        if (outcome == u"placed")
            QCOMPARE(plan.position, QPoint(1500, 3000));
        QCOMPARE(plan.restoreDefaultsMark, restoreMark);
        QCOMPARE(plan.savePositionsMark, !restoreMark);
        QCOMPARE(plan.showTip, tip);
        QCOMPARE(startup.settings.showTipsAtStartup, tip);
        QCOMPARE(startup.settings.centring.isOn(), outcome != u"placed");
        QTEST(startup.settings.centring.fileText(), "centreAllForms");
        // Only the recovery path saves the positions at exit.
        QCOMPARE(plan.savePositionsAtExit, outcome == u"recovery");
    }

    // The settings read from a file and written back over it, as an exit that changed nothing does.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("written");
        const QByteArray stored = settingsText(kStoredNumbers, "No", "No");
        QTest::newRow("as written") << stored << stored;
        QTest::newRow("a negative number has no blank; a first run centres")
            << settingsText({-15, 15}, "No", "No") << settingsText({-15, 15}, "Yes", "No");
        QTest::newRow("own spelling kept")
            << settingsText(kStoredNumbers, "no", "No") << settingsText(kStoredNumbers, "no", "No");
        QTest::newRow("tips only Yes or No") << settingsText(kStoredNumbers, "No", "yes") << stored;
        QTest::newRow("numbers rewritten")
            << QByteArray(stored).replace("= 1500", "=1.5E3 twips").replace("= 3000", "= \"3000\"") << stored;
        QTest::newRow("quoted text loses its quotes") << QByteArray(stored).replace("Forms=No", "Forms='maybe'")
                                                      << QByteArray(stored).replace("Forms=No", "Forms=maybe");
        QTest::newRow("other lines kept") << "; mine\r\n" + stored + "[Other]\r\nKey=Value\r\n"
                                          << "; mine\r\n" + stored + "[Other]\r\nKey=Value\r\n";
    }

    void roundTrip()
    {
        QFETCH(QByteArray, file);
        IniDocument doc = IniDocument::fromBytes(file);
        for (const IniEntry& entry : settingsEntries(planStartup(doc).settings))
            applyIniEntry(doc, entry);
        QTEST(doc.toBytes(), "written");
    }

    void storedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bits");
        QTest::addColumn<qint64>("expected"); // -1: out of range
        QTest::newRow("prefix") << "12.4 twips" << 32 << qint64(12);
        QTest::newRow("blanks inside") << "1 500" << 32 << qint64(1500);
        QTest::newRow("no digits") << "left" << 32 << qint64(0);
        QTest::newRow("tie down to even") << "2.5" << 32 << qint64(2);
        QTest::newRow("tie up to even") << "-3.5" << 32 << qint64(-4);
        QTest::newRow("rounds past largest") << "2147483647.5" << 32 << qint64(-1);
        QTest::newRow("rounds to smallest") << "-2147483648.5" << 32 << qint64(-2147483648);
        QTest::newRow("beyond any float") << "1e400" << 32 << qint64(-1);
        QTest::newRow("16 bits, rounds to largest") << "32766.5" << 16 << qint64(32766);
        QTest::newRow("16 bits, rounds past largest") << "32767.5" << 16 << qint64(-1);
    }

    void storedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, bits);
        QFETCH(qint64, expected);
        const qint64 largest = (qint64(1) << (bits - 1)) - 1;
        QCOMPARE(storedInteger(text, -largest - 1, largest).value_or(-1), expected);
    }
};

MX_REGISTER_TEST(StartupPlanTest)
#include "tst_startup_plan.moc"
