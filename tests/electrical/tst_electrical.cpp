#include "electrical/electrical.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

class ElectricalTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A null answer: the calculation faults and shows nothing; "no formula": nothing happens.
    void calculate_data()
    {
        QTest::addColumn<int>("formula");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("answer");
        const auto row = [](const char* name, int formula, const char* first, const char* second,
                            const char* answer = nullptr) {
            QTest::newRow(name) << formula << QString::fromUtf8(first) << QString::fromUtf8(second)
                                << (answer ? QString::fromUtf8(answer) : QString());
        };
        row("R = E/I", 0, "12", "2", "6.");
        row("R = E²/W", 1, "10", "4", "25.");
        row("R = W/I²", 2, "100", "5", "4.");
        row("E = IR", 3, "2", "3.5", "7.");
        row("E = W/I", 4, "100", "8", "12.5");
        row("E = √(WR)", 5, "100", "4", "20.");
        row("W = EI", 6, "120", "0.5", "60.");
        row("W = I²R", 7, "3", "10", "90.");
        row("W = E²/R", 8, "12", "48", "3.");
        row("I = E/R, five decimals", 9, "2", "3", ".66667");
        row("I = W/E", 10, "60", "120", ".5");
        row("I = √(W/R)", 11, "100", "4", "5.");
        row("both empty multiply to zero", 3, "", "", ".");
        row("below the fifth decimal", 9, "1", "300000", ".");
        row("product underflows to zero, no fault", 6, "1e-200", "1e-200", ".");
        row("text after the number is ignored", 0, "12 volts", "2a", "6.");
        row("a pasted minus sign counts", 0, "-12", "2", "-6.");
        row("large answer in full", 7, "100000", "100000", "1000000000000000.");
        row("E/I, second empty", 0, "12", "");
        row("E/I, zero over zero", 0, "0", "0");
        row("W/I² by zero", 2, "5", "0.");
        row("√(W/R) by zero", 11, "5", "0");
        row("square underflows to a zero divisor", 2, "1", "1e-200");
        row("square overflows though the quotient would be 0", 2, "1", "1e200");
        row("square overflows though multiplied by 0", 7, "1e200", "0");
        row("product overflows", 3, "1e200", "1e200");
        row("root of a negative product", 5, "-4", "1");
        row("first value beyond range", 0, "1e999", "1");
        row("second value beyond range", 6, "1", "-1e400");
        row("no formula below", -1, "12", "2", "no formula");
        row("no formula above", 12, "12", "2", "no formula");
    }

    void calculate()
    {
        QFETCH(int, formula);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, answer);
        const ElectricalResult result = calculateElectrical(formula, first, second);
        QCOMPARE(result.status == ElectricalStatus::Fault, answer.isNull());
        QCOMPARE(result.status == ElectricalStatus::NoFormula ? QStringLiteral("no formula") + result.answer
                                                              : result.answer,
                 answer);
    }

    void hitTesting_data()
    {
        QTest::addColumn<QPointF>("twips");
        QTest::addColumn<QString>("spot");
        QTest::newRow("middle of E/I") << QPointF(3547, 2407) << "imgPick(0)";
        QTest::newRow("top left corner belongs to the spot") << QPointF(3240, 2100) << "imgPick(0)";
        QTest::newRow("right edge does not") << QPointF(3855, 2400) << "";
        QTest::newRow("last twip inside") << QPointF(3854.9, 2700) << "imgPick(0)";
        QTest::newRow("E²/R, tall spot") << QPointF(1800, 1250) << "imgPick(8)";
        QTest::newRow("√(W/R)") << QPointF(3700, 1700) << "imgPick(11)";
        QTest::newRow("R square") << QPointF(2300, 2300) << "imgTip(0)";
        QTest::newRow("gap between the squares") << QPointF(2137, 2077) << "";
        QTest::newRow("ring between two spots") << QPointF(2900, 2000) << "";
        QTest::newRow("corner outside the wheel") << QPointF(10, 10) << "";
        QTest::newRow("beyond the area") << QPointF(5000, 5000) << "";
        // Overlapping slivers: the sector the point lies in decides.
        QTest::newRow("0 and 11 overlap above three o'clock") << QPointF(3500, 2047) << "imgPick(11)";
        QTest::newRow("0 and 1 overlap, sector 0") << QPointF(3400, 2765) << "imgPick(0)";
        QTest::newRow("0 and 1 overlap, sector 1") << QPointF(3250, 2765) << "imgPick(1)";
        QTest::newRow("10 and 11 overlap, sector 10") << QPointF(3310, 1270) << "imgPick(10)";
        QTest::newRow("10 and 11 overlap, sector 11") << QPointF(3430, 1390) << "imgPick(11)";
        QTest::newRow("8 and 9 overlap left of twelve o'clock") << QPointF(2105, 800) << "imgPick(8)";
    }

    void hitTesting()
    {
        QFETCH(QPointF, twips);
        QTEST(wheelSpotName(wheelSpotAt(twips)), "spot");
    }
};

MX_REGISTER_TEST(ElectricalTest)
#include "tst_electrical.moc"
