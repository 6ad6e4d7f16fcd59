#include "common/number_text.h"
#include "test_registry.h"
#include "vibration/vibration.h"
#include "vibration/vibration_procedures.h"

#include <QTest>

using namespace mx;

namespace {

SineTexts sineTexts(const QStringList& list)
{
    SineTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = list.value(qsizetype(i));
    return texts;
}

QStringList listOf(const SineTexts& texts)
{
    return {texts.begin(), texts.end()};
}

RandomTexts randomTexts(const QStringList& list)
{
    RandomTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = list.value(qsizetype(i));
    return texts;
}

const QString kTooMany = QStringLiteral("Only 2 entry boxes may contain your data");
const QString kError = QStringLiteral("Calculation Error");

// Forty digits: more than a single holds, though only digits were typed.
const QString kBeyondSingle = QStringLiteral("1") + QString(39, u'0');
// Four hundred digits: more than a double holds.
const QString kBeyondDouble = QStringLiteral("1") + QString(400, u'0');

} // namespace

class VibrationProceduresTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filled_data();
    void filled();
    void sine_data();
    void sine();
    void sineStoresWhatItComputed();
    void random_data();
    void random();
    void unitSwitch_data();
    void unitSwitch();
    void eachSwitchConvertsTheRoundedText();
    void flagFollowsTheChosenOption();
};

void VibrationProceduresTest::filled_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("filled");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("zero with decimals") << "0.000" << false;
    QTest::newRow("no leading number") << "abc" << false;
    QTest::newRow("lone minus") << "-" << false;
    QTest::newRow("lone point") << "." << false;
    QTest::newRow("too small for a double") << "1e-400" << false;
    QTest::newRow("negative") << "-1" << true;
    QTest::newRow("blanks before") << "  5" << true;
    QTest::newRow("number then letters") << "3abc" << true;
    QTest::newRow("leading zeros") << "0001" << true;
    QTest::newRow("beyond a double") << kBeyondDouble << true;
}

void VibrationProceduresTest::filled()
{
    QFETCH(QString, text);
    QTEST(isFilled(text), "filled");
}

// Boxes in the order frequency, displacement, acceleration, velocity.
void VibrationProceduresTest::sine_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("messages");
    const bool english = true;
    const bool metric = false;
    const QStringList none;

    QTest::newRow("frequency and displacement")
        << english << QStringList{"10", "0.1", "", ""} << QStringList{"10", "0.1", ".5110", "3.1416"} << none;
    QTest::newRow("zero counts as empty and is overwritten")
        << english << QStringList{"10", "0.1", "0", ""} << QStringList{"10", "0.1", ".5110", "3.1416"} << none;
    QTest::newRow("text without a number counts as empty")
        << english << QStringList{"10", "0.1", "x", "0.000"} << QStringList{"10", "0.1", ".5110", "3.1416"} << none;
    QTest::newRow("negative frequency") << english << QStringList{"-10", "0.1", "", ""}
                                        << QStringList{"-10", "0.1", ".5110", "-3.1416"} << none;
    QTest::newRow("frequency and acceleration")
        << english << QStringList{"10", "", "0.511", ""} << QStringList{"10", ".100000", "0.511", "3.1396"} << none;
    QTest::newRow("frequency and velocity")
        << english << QStringList{"10", "", "", "3.1416"} << QStringList{"10", ".100000", ".5089", "3.1416"} << none;
    QTest::newRow("displacement and acceleration")
        << english << QStringList{"", "0.1", "0.511", ""} << QStringList{"10.0000", "0.1", "0.511", "3.1396"} << none;
    QTest::newRow("acceleration and velocity") << english << QStringList{"", "", "0.511", "3.1415927"}
                                               << QStringList{"9.9936", ".100064", "0.511", "3.1415927"} << none;
    QTest::newRow("displacement and velocity") << english << QStringList{"", "0.1", "", "3.1415927"}
                                               << QStringList{"10.0000", "0.1", ".5089", "3.1415927"} << none;
    QTest::newRow("velocity shows single digits") << english << QStringList{"1000", "10", "", ""}
                                                  << QStringList{"1000", "10", "511000.0000", "31415.9258"} << none;
    QTest::newRow("metric frequency and displacement")
        << metric << QStringList{"10", "0.254", "", ""} << QStringList{"10", "0.254", ".5110", ".0798"} << none;
    QTest::newRow("metric frequency and acceleration")
        << metric << QStringList{"10", "", "0.511", ""} << QStringList{"10", ".254000", "0.511", ".0797"} << none;
    QTest::newRow("metric acceleration and velocity") << metric << QStringList{"", "", "0.511", "0.0798"}
                                                      << QStringList{"9.9932", ".254185", "0.511", "0.0798"} << none;

    QTest::newRow("negative acceleration fails twice")
        << english << QStringList{"", "0.1", "-1", ""} << QStringList{".0000", "0.1", "-1", ".0000"}
        << QStringList{kError, kError};
    QTest::newRow("results beyond a single")
        << english << QStringList{"3" + QString(38, u'0'), "1", "", ""}
        << QStringList{"3" + QString(38, u'0'), "1", ".0000", ".0000"} << QStringList{kError, kError};
    QTest::newRow("frequency beyond a single changes nothing")
        << english << QStringList{kBeyondSingle, "0.1", "", ""} << QStringList{kBeyondSingle, "0.1", "", ""}
        << QStringList{kError};
    QTest::newRow("displacement beyond a double changes nothing")
        << metric << QStringList{"", kBeyondDouble, "1", ""} << QStringList{"", kBeyondDouble, "1", ""}
        << QStringList{kError};

    QTest::newRow("three filled") << english << QStringList{"10", "0.1", "1", ""} << QStringList{"10", "0.1", "1", ""}
                                  << QStringList{kTooMany};
    QTest::newRow("all four filled") << metric << QStringList{"1", "2", "3", "4"} << QStringList{"1", "2", "3", "4"}
                                     << QStringList{kTooMany};
    QTest::newRow("one filled does nothing")
        << english << QStringList{"10", "", "0", "abc"} << QStringList{"10", "", "0", "abc"} << none;
    QTest::newRow("none filled does nothing")
        << english << QStringList{"", "", "", ""} << QStringList{"", "", "", ""} << none;
}

void VibrationProceduresTest::sine()
{
    QFETCH(bool, english);
    QFETCH(QStringList, entries);
    const SineOutcome outcome = calculateSine({sineTexts(entries), english});
    QTEST(listOf(outcome.text), "shown");
    QTEST(outcome.messages, "messages");
}

void VibrationProceduresTest::sineStoresWhatItComputed()
{
    VibFrequency = 7.0f;
    calculateSine({sineTexts({"10", "0.1", "", ""}), true});
    QCOMPARE(generalNumberText(VibAcceleration), QStringLiteral("0.510999977588654"));
    QCOMPARE(generalNumberText(VibVelocity), QStringLiteral("3.14159274101257"));
    QCOMPARE(generalNumberText(VibFrequency), QStringLiteral("7")); // not computed, not touched

    calculateSine({sineTexts({"10", "", "0.511", ""}), true});
    QCOMPARE(generalNumberText(VibDisplacement), QStringLiteral("0.0999999956142179")); // kept as a double

    calculateSine({sineTexts({"", "0.1", "-1", ""}), true});
    QCOMPARE(generalNumberText(VibFrequency), QStringLiteral("0"));
    QCOMPARE(generalNumberText(VibVelocity), QStringLiteral("0"));

    VibFrequency = 7.0f;
    calculateSine({sineTexts({"10", "0.1", "1", ""}), true});
    QCOMPARE(generalNumberText(VibFrequency), QStringLiteral("7"));
}

// Boxes in the order bandwidth, density, overall g RMS.
void VibrationProceduresTest::random_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("messages");
    const QStringList none;

    QTest::newRow("bandwidth and density")
        << QStringList{"100", "0.04", ""} << QStringList{"100", "0.04", "2.000"} << none;
    QTest::newRow("bandwidth and g RMS") << QStringList{"100", "", "2"} << QStringList{"100", ".04000", "2"} << none;
    QTest::newRow("density and g RMS") << QStringList{"", "0.04", "2"} << QStringList{"100.000", "0.04", "2"} << none;
    QTest::newRow("bandwidth grouped") << QStringList{"", "0.01", "10"} << QStringList{"10,000.000", "0.01", "10"}
                                       << none;
    QTest::newRow("bandwidth rounded to four decimals first")
        << QStringList{"", "0.05", "0.0049999"} << QStringList{".001", "0.05", "0.0049999"} << none;
    QTest::newRow("negative density") << QStringList{"", "-0.04", "2"} << QStringList{"-100.000", "-0.04", "2"} << none;
    QTest::newRow("zero g RMS counts as empty")
        << QStringList{"100", "0.04", "0"} << QStringList{"100", "0.04", "2.000"} << none;
    QTest::newRow("wide band") << QStringList{"20000", "0.5", ""} << QStringList{"20000", "0.5", "100.000"} << none;

    QTest::newRow("negative product under the root")
        << QStringList{"-100", "0.04", ""} << QStringList{"-100", "0.04", ".000"} << QStringList{kError};
    QTest::newRow("bandwidth too small to show")
        << QStringList{"", "1000", "0.001"} << QStringList{".000", "1000", "0.001"} << QStringList{kError};
    QTest::newRow("bandwidth beyond a single changes nothing")
        << QStringList{kBeyondSingle, "1", ""} << QStringList{kBeyondSingle, "1", ""} << QStringList{kError};
    QTest::newRow("three filled") << QStringList{"100", "0.04", "2"} << QStringList{"100", "0.04", "2"}
                                  << QStringList{kTooMany};
    QTest::newRow("one filled does nothing") << QStringList{"", "0.04", ""} << QStringList{"", "0.04", ""} << none;
}

void VibrationProceduresTest::random()
{
    QFETCH(QStringList, entries);
    const RandomOutcome outcome = calculateRandom(randomTexts(entries));
    QTEST(QStringList(outcome.text.begin(), outcome.text.end()), "shown");
    QTEST(outcome.messages, "messages");
}

void VibrationProceduresTest::unitSwitch_data()
{
    QTest::addColumn<bool>("englishBefore");
    QTest::addColumn<bool>("toEnglish");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("displacementCaption");
    QTest::addColumn<QString>("velocityCaption");
    const QString inches = QStringLiteral("Peak-Peak displacment in inches");
    const QString inchesPerSecond = QStringLiteral("Peak velocity in inches/second");
    const QString centimetres = QStringLiteral("Peak-Peak displacment in centimeters");
    const QString metresPerSecond = QStringLiteral("Peak velocity in meters/second");

    QTest::newRow("to metric") << true << false << QStringList{"10", "0.1", ".5110", "3.1416"}
                               << QStringList{"10", ".254", ".5110", ".0798"} << centimetres << metresPerSecond;
    QTest::newRow("to English") << false << true << QStringList{"10", ".254", ".5110", ".0798"}
                                << QStringList{"10", ".1", ".5110", "3.1417"} << inches << inchesPerSecond;
    QTest::newRow("already English: captions only") << true << true << QStringList{"10", "0.1", "1", "2"}
                                                    << QStringList{"10", "0.1", "1", "2"} << inches << inchesPerSecond;
    QTest::newRow("already metric: captions only")
        << false << false << QStringList{"", "0.254", "", "2"} << QStringList{"", "0.254", "", "2"} << centimetres
        << metresPerSecond;
    QTest::newRow("empty boxes stay empty") << true << false << QStringList{"", "", "", ""}
                                            << QStringList{"", "", "", ""} << centimetres << metresPerSecond;
    QTest::newRow("any text is converted") << true << false << QStringList{"", "abc", "", "-2"}
                                           << QStringList{"", ".0", "", "-.0508"} << centimetres << metresPerSecond;
    QTest::newRow("large value") << true << false << QStringList{"", "12345", "", ""}
                                 << QStringList{"", "31356.3", "", ""} << centimetres << metresPerSecond;
    QTest::newRow("beyond a double") << true << false << QStringList{"", kBeyondDouble, "", ""}
                                     << QStringList{"", "Overflow", "", ""} << centimetres << metresPerSecond;
}

void VibrationProceduresTest::unitSwitch()
{
    QFETCH(bool, englishBefore);
    QFETCH(bool, toEnglish);
    QFETCH(QStringList, entries);
    const UnitSwitchOutcome outcome = switchUnits({sineTexts(entries), englishBefore}, toEnglish);
    QTEST(listOf(outcome.text), "shown");
    QTEST(outcome.captions.displacement, "displacementCaption");
    QTEST(outcome.captions.velocity, "velocityCaption");
    QCOMPARE(outcome.englishUnits, toEnglish);
}

void VibrationProceduresTest::eachSwitchConvertsTheRoundedText()
{
    const SineOutcome calculated = calculateSine({sineTexts({"10", "0.1", "", ""}), true});
    const UnitSwitchOutcome metric = switchUnits({calculated.text, true}, false);
    const UnitSwitchOutcome back = switchUnits({metric.text, false}, true);
    QCOMPARE(listOf(back.text), (QStringList{"10", ".1", ".5110", "3.1417"}));
    const SineOutcome again = calculateSine({sineTexts({"10", "", "", back.text[kVelocityBox]}), true});
    QCOMPARE(again.text[kAccelerationBox], QStringLiteral(".5090"));

    const UnitCaptions design = designCaptions();
    QCOMPARE(design.displacement, QStringLiteral("Peak-Peak displacment in inches"));
    QCOMPARE(design.velocity, QStringLiteral("Peak velocity inches/second"));
}

void VibrationProceduresTest::flagFollowsTheChosenOption()
{
    EnglishUnits = false;
    followUnitChoice(true);
    QVERIFY(EnglishUnits);
    followUnitChoice(false);
    QVERIFY(!EnglishUnits);
    followUnitChoice(false);
    QVERIFY(!EnglishUnits);
}

MX_REGISTER_TEST(VibrationProceduresTest)

#include "tst_vibration_procedures.moc"
