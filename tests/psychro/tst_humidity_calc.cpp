#include "psychro/humidity.h"
#include "psychro/humidity_calc.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

namespace {

// Box texts in the order DryAirTemp, WetBulbTemp, Humidity, VaporPressure, DewPoint, GrainsPerLB.
HumidityBoxes boxes(const QStringList& texts)
{
    return {texts.value(0), texts.value(1), texts.value(2), texts.value(3), texts.value(4), texts.value(5)};
}

QStringList texts(const HumidityBoxes& b)
{
    return {b.dryAirTemp, b.wetBulbTemp, b.humidity, b.vaporPressure, b.dewPoint, b.grainsPerLb};
}

// Rows leave out trailing empty boxes.
QStringList sixTexts(QStringList texts)
{
    while (texts.size() < 6)
        texts.append(QString());
    return texts;
}

const HumidityMethod kWet = HumidityMethod::DryBulbWetBulb;
const HumidityMethod kRH = HumidityMethod::DryBulbRH;
const HumidityMethod kDew = HumidityMethod::DryBulbDewPoint;

} // namespace

class HumidityCalcTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { psychro::HumidityError = false; }
    void calculate_data();
    void calculate();
    void rhInputMode_data();
    void rhInputMode();
    void scaleSwitch_data();
    void scaleSwitch();
    void captions();

private:
    void addColumns();
};

void HumidityCalcTest::addColumns()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<QString>("scale");
    QTest::addColumn<HumidityMethod>("method");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("title");
    QTest::addColumn<MsgIcon>("icon");
}

void HumidityCalcTest::calculate_data()
{
    addColumns();
    const QStringList none;
    const QString app;
    const QString entry = QStringLiteral("Entry ERROR");
    const QString calc = QStringLiteral("Calculation ERROR");
    const MsgIcon excl = MsgIcon::Exclamation;
    const MsgIcon info = MsgIcon::Information;
    const QStringList notCalculable{"The Values selected can not be calculated correctly"};
    const QStringList tooCold{"Temperature must be above -237.7C"};

    // Extended range: five decimals, vapour pressure and grains as the general number text.
    QTest::newRow("ext, wet bulb, C") << true << "C" << kWet << QStringList{"25", "20"}
                                      << QStringList{"25",       "20",
                                                     "62.94267", "0.587645643385877",
                                                     "17.44100", "87.2246540666898"}
                                      << none << app << excl;
    QTest::newRow("ext, wet bulb, F") << true << "F" << kWet << QStringList{"77", "68"}
                                      << QStringList{"77",       "68",
                                                     "62.94267", "0.587645643385877",
                                                     "63.39380", "87.2246540666898"}
                                      << none << app << excl;
    QTest::newRow("ext, RH, C") << true << "C" << kRH << QStringList{"25", "", "60"}
                                << QStringList{"25",       "19.55884",        "60", "0.560172082157391",
                                               "16.68396", "83.0689324821327"}
                                << none << app << excl;
    QTest::newRow("ext, dew point, C") << true << "C" << kDew << QStringList{"25", "", "", "", "15"}
                                       << QStringList{"25", "18.62305",        "53.88278", "0.503060647587316",
                                                      "15", "74.4549488108783"}
                                       << none << app << excl;
    QTest::newRow("ext, wet above dry") << true << "C" << kWet << QStringList{"25", "26", "1", "2", "3", "4"}
                                        << QStringList{"25", "26", ".00000", "2", "3", "4"}
                                        << QStringList{"Dry Bulb must be greater than Wet Bulb!"} << app << excl;
    QTest::newRow("ext, large depression")
        << true << "C" << kWet << QStringList{"40", "0", "1", "2", "3", "4"}
        << QStringList{"40", "0", "-28.06726", "2", "3", "4"}
        << QStringList{"Invalid entry!  Check your data and try again."} << app << excl;
    // The humidity shows as .00000 and is read back as 0: the dew point falls to 0 C and the calculation goes on.
    QTest::newRow("ext, humidity too small to show")
        << true << "C" << kWet << QStringList{"25", "8.560374"}
        << QStringList{"25", "8.560374", ".00000", "0.180479724083354", ".00000", "26.4219800787828"}
        << QStringList{"Relative humidity must be greater than 0%"} << app << excl;
    QTest::newRow("ext, RH 0") << true << "C" << kRH << QStringList{"25", "5", "0", "2", "3", "4"}
                               << QStringList{"25", "5", "0", "2", "3", "4"}
                               << QStringList{"Relative humidity must be greater than 0%"} << app << excl;
    QTest::newRow("ext, RH over 100") << true << "F" << kRH << QStringList{"77", "5", "100.01", "2", "3", "4"}
                                      << QStringList{"77", "5", "100.01", "2", "3", "4"}
                                      << QStringList{"Relative humidity cannot be greater than 100%"} << app << excl;
    QTest::newRow("ext, dew point above dry")
        << true << "C" << kDew << QStringList{"25", "5", "1", "2", "26", "4"}
        << QStringList{"25", "5", "106.10474", "2", "26", "4"}
        << QStringList{"Invalid entry! Check your data and try again"} << app << excl;
    QTest::newRow("ext, no vapour at the dew point")
        << true << "C" << kDew << QStringList{"0", "5", "1", "2", "-237.6", "4"}
        << QStringList{"0", "5", ".00000", "2", "-237.6", "4"}
        << QStringList{"Invalid entry!  Check your data and try again.", "Invalid entry! Check your data and try again"}
        << app << excl;
    QTest::newRow("ext, dry bulb at the pole")
        << true << "C" << kWet << QStringList{"-237.7", "-240", "1", "2", "3"}
        << QStringList{"-237.7", "-240", "1", "2", "3"} << tooCold << app << excl;
    QTest::newRow("ext, wet bulb below the pole, F") << true << "F" << kWet << QStringList{"0", "-400", "1"}
                                                     << QStringList{"0", "-400", "1"} << tooCold << app << excl;
    QTest::newRow("ext, dew point below the pole") << true << "C" << kDew << QStringList{"0", "", "1", "", "-300"}
                                                   << QStringList{"0", "", "1", "", "-300"} << tooCold << app << excl;
    QTest::newRow("ext, dry bulb below the pole, RH") << true << "C" << kRH << QStringList{"-250", "", "50"}
                                                      << QStringList{"-250", "", "50"} << tooCold << app << excl;
    QTest::newRow("ext, dry bulb beyond numbers") << true << "C" << kWet << QStringList{"1e400", "0", "1"}
                                                  << QStringList{"1e400", "0", "1"} << notCalculable << calc << info;
    QTest::newRow("ext, wet bulb not found")
        << true << "C" << kRH << QStringList{"1e10", "", "50", "2", "3", "4"}
        << QStringList{"1e10", "", "50", "2", "3", "4"}
        << QStringList{"Wet Bulb can not be calculated from these values"} << app << excl;

    // Normal range: two decimals.
    QTest::newRow("wet bulb, F") << false << "F" << kWet << QStringList{"77", "68"}
                                 << QStringList{"77", "68", "63.49", "0.59", "63.44", "87.4859"} << none << app << excl;
    QTest::newRow("wet bulb, C") << false << "C" << kWet << QStringList{"25", "20"}
                                 << QStringList{"25", "20", "63.49", "0.59", "17.47", "87.4859"} << none << app << excl;
    QTest::newRow("wet bulb equals dry") << false << "F" << kWet << QStringList{"77", "77"}
                                         << QStringList{"77", "77", "100.00", "0.94", "77.00", "140.5086"} << none
                                         << app << excl;
    QTest::newRow("wet bulb, hot") << false << "F" << kWet << QStringList{"100", "90"}
                                   << QStringList{"100", "90", "68.09", "1.31", "87.35", "199.0174"} << none << app
                                   << excl;
    QTest::newRow("wet bulb, C, 50/45") << false << "C" << kWet << QStringList{"50", "45"}
                                        << QStringList{"50", "45", "75.18", "2.73", "44.27", "436.3779"} << none << app
                                        << excl;
    QTest::newRow("RH, F") << false << "F" << kRH << QStringList{"77", "", "63.5"}
                           << QStringList{"77", "68.00", "63.5", "0.58952", "63.45", "87.50474"} << none << app << excl;
    QTest::newRow("RH, C") << false << "C" << kRH << QStringList{"25", "", "63.5"}
                           << QStringList{"25", "20.00", "63.5", "0.58952", "17.47", "87.50474"} << none << app << excl;
    QTest::newRow("RH 100") << false << "F" << kRH << QStringList{"77", "", "100"}
                            << QStringList{"77", "76.99", "100", "0.93521", "76.99", "140.47264"} << none << app
                            << excl;
    QTest::newRow("RH at 32 F") << false << "F" << kRH << QStringList{"32", "", "50"}
                                << QStringList{"32", "32.00", "50", "0.18037", "32.00", "26.40458"} << none << app
                                << excl;
    QTest::newRow("RH at 212 F") << false << "F" << kRH << QStringList{"212", "", "50"}
                                 << QStringList{"212", "179.60", "50", "14.82595", "178.44", "4275.96624"} << none
                                 << app << excl;
    QTest::newRow("RH dry, hot") << false << "F" << kRH << QStringList{"150", "", "10"}
                                 << QStringList{"150", "89.40", "10", "0.70526", "68.62", "105.09945"} << none << app
                                 << excl;
    QTest::newRow("RH, C, 40/80") << false << "C" << kRH << QStringList{"40", "", "80"}
                                  << QStringList{"40", "36.55", "80", "1.73671", "35.82", "268.27825"} << none << app
                                  << excl;
    const QStringList rhRange{"You must use values between 32F (0C) TO 212F (100C)\r\n And 0 to 100% RH"};
    QTest::newRow("RH, dry above 212") << false << "F" << kRH << QStringList{"212.01", "", "50", "2", "3", "4"}
                                       << QStringList{"212.01", "", "50", "2", "3", "4"} << rhRange << entry << excl;
    QTest::newRow("RH, dry below 32") << false << "F" << kRH << QStringList{"31.99", "", "50"}
                                      << QStringList{"31.99", "", "50"} << rhRange << entry << excl;
    QTest::newRow("RH, dry below 0 C") << false << "C" << kRH << QStringList{"-0.01", "", "50"}
                                       << QStringList{"-0.01", "", "50"} << rhRange << entry << excl;
    QTest::newRow("RH over 100") << false << "F" << kRH << QStringList{"77", "", "100.5"}
                                 << QStringList{"77", "", "100.5"} << rhRange << entry << excl;
    QTest::newRow("RH 0: the dew point cannot be found")
        << false << "F" << kRH << QStringList{"77", "", "0", "2", "3", "4"}
        << QStringList{"77", "46.88", "0", "-0.01135", "3", "4"} << notCalculable << calc << info;
    const QStringList tempRange{"Temperature out of range.  32F (0C) TO 212F (100C)"};
    QTest::newRow("wet bulb, dry above 212")
        << false << "F" << kWet << QStringList{"212.01", "70", "1", "2", "3", "4"}
        << QStringList{"212.01", "70", "1", "2", "3", "4"} << tempRange << entry << excl;
    QTest::newRow("wet bulb, wet below 32") << false << "F" << kWet << QStringList{"40", "31.99"}
                                            << QStringList{"40", "31.99"} << tempRange << entry << excl;
    QTest::newRow("wet bulb, C above 100") << false << "C" << kWet << QStringList{"100.01", "20"}
                                           << QStringList{"100.01", "20"} << tempRange << entry << excl;
    QTest::newRow("wet above dry") << false << "F" << kWet << QStringList{"70", "71", "1", "2", "3", "4"}
                                   << QStringList{"70", "71", "1", "2", "3", "4"}
                                   << QStringList{" Dry bulb must be greater than or equal to the Wet bulb"} << entry
                                   << excl;
    QTest::newRow("wet bulb, 212/32") << false << "F" << kWet << QStringList{"212", "32", "1", "2", "3", "4"}
                                      << QStringList{"212", "32", "-5.77", "-1.80", "3", "4"} << notCalculable << calc
                                      << info;
}

void HumidityCalcTest::calculate()
{
    QFETCH(bool, extended);
    QFETCH(QString, scale);
    QFETCH(HumidityMethod, method);
    QFETCH(QStringList, before);
    QFETCH(QString, title);
    QFETCH(MsgIcon, icon);
    const HumidityState state{boxes(before), scale, method, extended, method == kRH};
    const HumidityOutcome outcome = calculateHumidity(state);
    QFETCH(QStringList, after);
    QCOMPARE(texts(outcome.boxes), sixTexts(after));
    QStringList shown;
    for (const PsychroMessage& m : outcome.messages) {
        shown << m.text;
        QCOMPARE(m.title, title);
        QCOMPARE(m.icon, icon);
        QCOMPARE(m.buttons, MsgButtons::Ok);
    }
    QTEST(shown, "messages");
    QVERIFY(!psychro::HumidityError);
}

void HumidityCalcTest::rhInputMode_data()
{
    QTest::addColumn<QString>("scale");
    QTest::addColumn<bool>("modeBefore");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("modeAfter");
    QTest::newRow("empty wet bulb reads the humidity")
        << "F" << false << QStringList{"77", "", "63.5"}
        << QStringList{"77", "68.00", "63.5", "0.58952", "63.45", "87.50474"} << true;
    QTest::newRow("0 C wet bulb") << "C" << false << QStringList{"25", "0", "63.5"}
                                  << QStringList{"25", "20.00", "63.5", "0.58952", "17.47", "87.50474"} << true;
    QTest::newRow("negative wet bulb") << "F" << false << QStringList{"77", "-5", "63.5"}
                                       << QStringList{"77", "68.00", "63.5", "0.58952", "63.45", "87.50474"} << true;
    QTest::newRow("the mode stays on with a wet bulb typed")
        << "F" << true << QStringList{"77", "70", "63.5"}
        << QStringList{"77", "68.00", "63.5", "0.58952", "63.45", "87.50474"} << true;
    QTest::newRow("range error still switches")
        << "F" << false << QStringList{"300", "", "50"} << QStringList{"300", "", "50"} << true;
}

void HumidityCalcTest::rhInputMode()
{
    QFETCH(QString, scale);
    QFETCH(bool, modeBefore);
    QFETCH(QStringList, before);
    const HumidityState state{boxes(before), scale, kWet, false, modeBefore};
    const HumidityOutcome outcome = calculateHumidity(state);
    QFETCH(QStringList, after);
    QCOMPARE(texts(outcome.boxes), sixTexts(after));
    QTEST(outcome.rhInputMode, "modeAfter");
}

void HumidityCalcTest::scaleSwitch_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("message");
    QTest::newRow("F to C, empty dew point") << "F"
                                             << "C" << QStringList{"77", "68", "63.49", "0.59", "", "87.4859"}
                                             << QStringList{"25.00", "20.00", "63.49", "0.59", "", "87.4859"} << false;
    QTest::newRow("C to F") << "C"
                            << "F" << QStringList{"25.00", "20.00", "", "", "17.47"}
                            << QStringList{"77.00", "68.00", "", "", "63.45"} << false;
    QTest::newRow("scale already in force")
        << "C"
        << "C" << QStringList{"25", "20", "", "", "17.44100"} << QStringList{"25", "20", "", "", "17.44100"} << false;
    QTest::newRow("five decimals become two") << "F"
                                              << "C" << QStringList{"77", "", "62.94267", "", "63.39380"}
                                              << QStringList{"25.00", "", "62.94267", "", "17.44"} << false;
    QTest::newRow("text without a number")
        << "F"
        << "C" << QStringList{"abc", "-", ""} << QStringList{"-17.78", "-17.78", ""} << false;
    QTest::newRow("beyond the number range")
        << "C"
        << "F" << QStringList{"1e308", "10", ""} << QStringList{"1e308", "50.00", ""} << true;
}

void HumidityCalcTest::scaleSwitch()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, before);
    QFETCH(bool, message);
    const ScaleSwitch result = convertHumidityScale(boxes(before), from, to);
    QFETCH(QStringList, after);
    QCOMPARE(texts(result.boxes), sixTexts(after));
    QCOMPARE(result.messages.size(), message ? 1 : 0);
    if (message)
        QCOMPARE(result.messages[0].text, QStringLiteral("The Values selected can not be calculated correctly"));
}

void HumidityCalcTest::captions()
{
    const HumidityCaptions f = humidityCaptions(u"F");
    QCOMPARE(QStringList({f.dryAirTemp, f.wetBulbTemp, f.dewPoint}),
             QStringList({"Dry Air Temp (F)", "Wet Bulb Temp (F)", "Dew Point Temp (F)"}));
    const HumidityCaptions c = humidityCaptions(u"C");
    QCOMPARE(QStringList({c.dryAirTemp, c.wetBulbTemp, c.dewPoint}),
             QStringList({"Dry Air Temp (C)", "Wet Bulb Temp (C)", "Dew Point Temp (C)"}));
}

MX_REGISTER_TEST(HumidityCalcTest)
#include "tst_humidity_calc.moc"
