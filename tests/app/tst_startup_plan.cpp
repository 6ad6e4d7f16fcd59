#include "app/app_globals.h"
#include "app/settings.h"
#include "app/startup_plan.h"
#include "test_registry.h"

#include <QTest>

#include <array>

using namespace mx;

namespace {

using Numbers = std::array<qint64, 11>;
const Numbers kStored{1500, 3000, 4500, 600, 300, 150, 600, 900, 7200, 5400, 0};

QByteArray settingsText(const Numbers& numbers, const QByteArray& centre, const QByteArray& tips)
{
    static const char* const keys[] = {"Main Window Left",   "Main Window Top",   "Calculator Left",  "Calculator Top",
                                       "Table Editor Left",  "Table Editor Top",  "Note Editor Left", "Note Editor Top",
                                       "Note Editor Height", "Note Editor Width", "Note Editor State"};
    QByteArray text = "[Position Information]\r\n";
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += QByteArray(keys[i]) + '=' + (numbers[i] < 0 ? "" : " ") + QByteArray::number(numbers[i]) + "\r\n";
    return text + "Center All Forms=" + centre + "\r\n[Startup Tips]\r\nShow Tips=" + tips + "\r\n";
}

} // namespace

// What the start makes of a settings file, decided without a window.
class StartupPlanTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void plan_data();
    void plan();
    void storedNumbers_data();
    void storedNumbers();
};

void StartupPlanTest::plan_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("outcome"); // "centred", "placed" or "recovery"
    QTest::addColumn<bool>("restoreMark");
    QTest::addColumn<bool>("tip");
    QTest::addColumn<QString>("centreAllForms");

    const QByteArray stored = settingsText(kStored, "No", "No");
    QTest::newRow("no file") << QByteArray() << "centred" << true << true << "Yes";
    QTest::newRow("stored, No, No") << stored << "placed" << false << false << "No";
    QTest::newRow("zeros with No, No: a first run")
        << settingsText({}, "No", "No") << "centred" << true << true << "Yes";
    QTest::newRow("-15 and 15 cancel out") << settingsText({-15, 15}, "No", "No") << "centred" << true << true << "Yes";
    QTest::newRow("no, yes in lower case") << settingsText(kStored, "no", "yes") << "centred" << true << false << "no";
    QTest::newRow("Yes, Yes") << settingsText(kStored, "Yes", "Yes") << "centred" << true << true << "Yes";
    QTest::newRow("too large for 32 bits")
        << QByteArray(stored).replace("= 1500", "= 2147483648") << "recovery" << false << true << "Yes";
    QTest::newRow("state too large for 16 bits")
        << QByteArray(stored).replace("State= 0", "State= 40000") << "recovery" << false << true << "Yes";
    QTest::newRow("sum overflows") << settingsText({2147483647, 1}, "No", "No") << "recovery" << false << true << "Yes";
    QTest::newRow("200-character value") << QByteArray(stored).replace("Forms=No", "Forms=" + QByteArray(200, 'N'))
                                         << "recovery" << false << true << "Yes";
    QTest::newRow("garbage") << QByteArrayLiteral("\0\x01\xfe\xff junk=[x\r\n") << "centred" << true << true << "Yes";
}

void StartupPlanTest::plan()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, outcome);
    QFETCH(bool, restoreMark);
    QFETCH(bool, tip);
    const StartupPlan plan = planStartup(IniDocument::fromBytes(file));
    QCOMPARE(plan.recovery, outcome == u"recovery");
    QCOMPARE(plan.centre, outcome != u"placed");
    if (outcome == u"placed")
        QCOMPARE(plan.position, QPoint(1500, 3000));
    QCOMPARE(plan.restoreDefaultsMark, restoreMark);
    QCOMPARE(plan.savePositionsMark, !restoreMark);
    QCOMPARE(plan.showTip, tip);
    QCOMPARE(ShowTipsAtStartup, tip);
    QCOMPARE(CenterForms, outcome != u"placed");
    QTEST(CenterAllForms, "centreAllForms");
    // Only the recovery path saves the positions at exit; no start restores the defaults by itself.
    QCOMPARE(SavePositionsOnExit, outcome == u"recovery");
    QVERIFY(!RestoreDefaultsOnExit);
}

void StartupPlanTest::storedNumbers_data()
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

void StartupPlanTest::storedNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, bits);
    QFETCH(qint64, expected);
    const qint64 largest = (qint64(1) << (bits - 1)) - 1;
    QCOMPARE(storedInteger(text, -largest - 1, largest).value_or(-1), expected);
}

MX_REGISTER_TEST(StartupPlanTest)
#include "tst_startup_plan.moc"
