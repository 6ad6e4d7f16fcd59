#include "humidity_rows.h"
#include "psychro/barometric_pressure.h"
#include "psychro/psychro_chart.h"
#include "psychro/psychro_extended_range.h"
#include "psychro/psychro_normal_range.h"
#include "psychro/weather.h"
#include "test_registry.h"

#include <QTest>

#include <cmath>
#include <functional>

using namespace mx;

using Call = std::function<QString()>;

const HumidityMethod kWet = HumidityMethod::DryBulbWetBulb;
const HumidityMethod kRH = HumidityMethod::DryBulbRH;
const HumidityMethod kDew = HumidityMethod::DryBulbDewPoint;
const TemperatureScale F = TemperatureScale::Fahrenheit;
const TemperatureScale C = TemperatureScale::Celsius;

// "F", "C", then "extended" and an inHg pressure where the row has them: "C extended 24.896".
static ChartSetup setupOf(const QString& text)
{
    ChartSetup setup;
    const QStringList words = text.split(u' ');
    setup.scale = words.first() == u"C" ? TemperatureScale::Celsius : TemperatureScale::Fahrenheit;
    setup.extendedRange = words.contains(QStringLiteral("extended"));
    if (const double inHg = words.last().toDouble(); inHg > 0)
        setup.pressure = BarometricPressure::fromInHg(inHg).value();
    return setup;
}

static QString joined(const QList<double>& values)
{
    QStringList texts;
    for (const double value : values)
        texts << QString::number(value);
    return texts.join(u' ');
}

static bool near(double actual, double expected, double percent)
{
    return std::fabs(actual - expected) <= std::fabs(expected) * percent / 100;
}

// What the Humidity and Wind Chill / Heat Index tabs calculate: whole calculations, the scale switch, the routines'
// edges no whole calculation reaches, the weather answers, the tab at altitude with the pressures read, and
// what the chart shows and reads.
class HumidityProceduresTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calculate_data()
    {
        QTest::addColumn<bool>("extended");
        QTest::addColumn<TemperatureScale>("scale");
        QTest::addColumn<HumidityMethod>("method");
        QTest::addColumn<bool>("modeBefore"); // the relative humidity is the second input, whatever the method
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("modeAfter");
        QTest::addColumn<QStringList>("messages");
        const auto rows = [](bool extended) {
            return [extended](const char* name, TemperatureScale scale, HumidityMethod method, const char* before,
                              const char* after, const QStringList& messages = {}) {
                QTest::newRow(name) << extended << scale << method << (method == kRH) << before << after
                                    << (method == kRH) << messages;
            };
        };
        const auto ext = rows(true);
        const auto normal = rows(false);
        // An empty or 0 wet bulb makes the relative humidity the input until a method is chosen.
        const auto switched = [](const char* name, TemperatureScale scale, bool modeBefore, const char* before,
                                 const char* after, const QStringList& messages = {}) {
            QTest::newRow(name) << false << scale << kWet << modeBefore << before << after << true << messages;
        };
        const QString warn = QStringLiteral("[Ok Exclamation] ");
        const QString entry = QStringLiteral("Entry ERROR [Ok Exclamation] ");
        const QStringList notCalculable{
            "Calculation ERROR [Ok Information] The Values selected can not be calculated correctly"};
        const QStringList tooCold{warn + "Temperature must be above -237.7C"};
        const QStringList rhRange{entry + "You must use values between 32F (0C) TO 212F (100C)\r\n And 0 to 100% RH"};
        const QStringList tempRange{entry + "Temperature out of range.  32F (0C) TO 212F (100C)"};
        const QString invalid = warn + "Invalid entry!  Check your data and try again.";
        const QString invalidDewPoint = warn + "Invalid entry! Check your data and try again";
        const QString noHumidity = warn + "Relative humidity must be greater than 0%";
        const QString noWetBulb = warn + "Wet Bulb can not be calculated from these values";
        // clang-format off
        // Extended range: five decimals; vapour pressure and grains as the general number text, from the dew point read
        // back from its box.
        ext("ext, wet bulb, C", C, kWet, "25|20", "25|20|62.94267|0.587645643385877|17.44100|87.2246540666898");
        ext("ext, RH, C", C, kRH, "25||60", "25|19.55884|60|0.560172082157391|16.68396|83.0689324821327");
        ext("ext, dew point, C", C, kDew, "25||||15", "25|18.62305|53.88278|0.503060647587316|15|74.4549488108783");
        ext("ext, wet above dry", C, kWet, "25|26|1|2|3|4", "25|26|.00000|2|3|4",
            {warn + "Dry Bulb must be greater than Wet Bulb!"});
        ext("ext, large depression", C, kWet, "40|0|1|2|3|4", "40|0|-28.06726|2|3|4", {invalid});
        // The humidity shows as .00000 and reads back as 0: the dew point falls to 0 C and the calculation goes on.
        ext("ext, humidity too small to show", C, kWet, "25|8.560374",
            "25|8.560374|.00000|0.180479724083354|.00000|26.4219800787828", {noHumidity});
        ext("ext, RH 0", C, kRH, "25|5|0|2|3|4", "25|5|0|2|3|4", {noHumidity});
        ext("ext, RH over 100", F, kRH, "77|5|100.01|2|3|4", "77|5|100.01|2|3|4",
            {warn + "Relative humidity cannot be greater than 100%"});
        ext("ext, dew point above dry", C, kDew, "25|5|1|2|26|4", "25|5|106.10474|2|26|4", {invalidDewPoint});
        ext("ext, no vapour at the dew point", C, kDew, "0|5|1|2|-237.6|4", "0|5|.00000|2|-237.6|4",
            {invalid, invalidDewPoint});
        ext("ext, dry bulb at the pole", C, kWet, "-237.7|0|1|2|3", "-237.7|0|1|2|3", tooCold);
        ext("ext, wet bulb below the pole, F", F, kWet, "0|-400|1", "0|-400|1", tooCold);
        ext("ext, dew point below the pole", C, kDew, "0||1||-300", "0||1||-300", tooCold);
        ext("ext, dry bulb beyond numbers", C, kWet, "1e400|0|1", "1e400|0|1", notCalculable);
        ext("ext, wet bulb not found", C, kRH, "1e10||50|2|3|4", "1e10||50|2|3|4", {noWetBulb});
        ext("ext, dew point, wet bulb not found", C, kDew, "1e10||1|2|0|4", "1e10||1|2|0|4", {noWetBulb});

        // Normal range: two decimals.
        normal("wet bulb, F", F, kWet, "77|68", "77|68|63.49|0.59|63.44|87.4859");
        normal("wet bulb, C", C, kWet, "25|20", "25|20|63.49|0.59|17.47|87.4859");
        normal("wet bulb equals dry", F, kWet, "77|77", "77|77|100.00|0.94|77.00|140.5086");
        normal("RH, F", F, kRH, "77||63.5", "77|68.00|63.5|0.58952|63.45|87.50474");
        normal("RH, C", C, kRH, "25||63.5", "25|20.00|63.5|0.58952|17.47|87.50474");
        normal("RH 100", F, kRH, "77||100", "77|76.99|100|0.93521|76.99|140.47264");
        normal("RH at 32 F", F, kRH, "32||50", "32|32.00|50|0.18037|32.00|26.40458");
        normal("RH at 212 F", F, kRH, "212||50", "212|179.60|50|14.82595|178.44|4275.96624");
        normal("RH, dry above 212", F, kRH, "212.01||50|2|3|4", "212.01||50|2|3|4", rhRange);
        normal("RH, dry below 0 C", C, kRH, "-0.01||50", "-0.01||50", rhRange);
        normal("RH 0: no dew point", F, kRH, "77||0|2|3|4", "77|46.88|0|-0.01135|3|4", notCalculable);
        normal("wet bulb, dry above 212", F, kWet, "212.01|70|1|2|3|4", "212.01|70|1|2|3|4", tempRange);
        normal("wet bulb, wet below 32", F, kWet, "40|31.99", "40|31.99", tempRange);
        normal("wet bulb above 212", F, kWet, "100|212.01", "100|212.01", tempRange);
        normal("wet above dry", F, kWet, "70|71|1|2|3|4", "70|71|1|2|3|4",
               {entry + " Dry bulb must be greater than or equal to the Wet bulb"});
        normal("wet bulb, 212/32: no dew point", F, kWet, "212|32|1|2|3|4", "212|32|-5.77|-1.80|3|4", notCalculable);
        switched("empty wet bulb", F, false, "77||63.5", "77|68.00|63.5|0.58952|63.45|87.50474");
        switched("stays on with a wet bulb", F, true, "77|70|63.5", "77|68.00|63.5|0.58952|63.45|87.50474");
        switched("range error still switches", F, false, "300||50", "300||50", rhRange);
        // clang-format on
    }

    void calculate()
    {
        QFETCH(bool, extended);
        QFETCH(TemperatureScale, scale);
        QFETCH(HumidityMethod, method);
        QFETCH(QString, before);
        QFETCH(bool, modeBefore);
        const HumidityOutcome outcome =
            calculateHumidity({test::boxesOf(before), scale, method, extended, modeBefore, {}});
        QTEST(test::textOf(outcome.boxes), "after");
        QTEST(outcome.rhInputMode, "modeAfter");
        QTEST(test::describedMessages(outcome.messages), "messages");
    }

    void routines_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("expected"); // a weather answer empty where it stays as it was; " ! " messages
        const double P = 29.9212;              // one standard atmosphere, inHg
        const auto value = [](double result) { return QString::number(result, 'g', 15); };
        // The wet bulb's bisection: where it ends and after how many passes.
        const auto search = [P](double T, double Td) {
            const WetBulbSearch result = WetBulbFromDewPoint(T, Td, P);
            return (result.ok() ? QString::number(result.value, 'g', 15) : QStringLiteral("none")) +
                   QStringLiteral(" after %1").arg(result.passes);
        };
        const auto shown = [](const QString& text, const PsychroMessages& messages) {
            const QStringList described = test::describedMessages(messages);
            return text + (described.isEmpty() ? QString() : QStringLiteral(" ! ") + described.join(u'|'));
        };
        const auto answer = [shown](const WeatherAnswer& result) {
            return shown(result.answer.value_or(QString()), result.messages);
        };
        // The Humidity tab's boxes when the scale changes.
        const auto scale = [shown](const char* name, TemperatureScale from, const char* before, const QString& after) {
            QTest::newRow(name) << Call([=] {
                const ScaleSwitch result = convertHumidityScale(test::boxesOf(before), from, from == F ? C : F);
                return shown(test::textOf(result.boxes), result.messages);
            }) << after;
        };
        // Wind chill from temperature, speed, Celsius?, km/h?; heat index from temperature, relative humidity, Celsius?
        const auto chill = [answer](const char* name, const char* t, const char* v, bool c, bool k,
                                    const char* expected) {
            QTest::newRow(name) << Call([=] {
                return answer(windChillAnswer(QString::fromLatin1(t), QString::fromLatin1(v), c, k));
            }) << expected;
        };
        const auto heat = [answer](const char* name, const char* t, const char* rh, bool c, const char* expected) {
            QTest::newRow(name) << Call([=] {
                return answer(heatIndexAnswer(QString::fromLatin1(t), QString::fromLatin1(rh), c));
            }) << expected;
        };
        // clang-format off
        QTest::newRow("dew point of no vapour") << Call([=] { return value(DewPointFromVapor(0)); }) << "0";
        QTest::newRow("dew point at 100%") << Call([=] { return value(DewPointFromRH(100, 20).value); }) << "20";
        QTest::newRow("RH, wet equals dry") << Call([=] { return value(RHFromWetBulb(25, 25, P).value); }) << "100";
        QTest::newRow("wet bulb, 25 C, dew point 17.441") << Call([=] { return search(25, 17.441); })
                                                          << "20.0024970703125 after 10";
        QTest::newRow("wet bulb of saturated air") << Call([=] { return search(25, 25); }) << "25 after 1";
        QTest::newRow("wet bulb, dew point above dry bulb") << Call([=] { return search(20, 25); })
                                                            << "23.6181640625 after 10";
        // So hot that the psychrometer term swamps the tolerance: no pass gets within 0.01 hPa.
        QTest::newRow("wet bulb, gives up") << Call([=] { return search(1e10, 0); }) << "none after 200";
        chill("10 F, 20 mph", "10", "20", false, false, "-24.33");
        chill("capped at the air temperature", "50", "3", false, false, "50.");
        chill("-10 C, 30 km/h", "-10", "30", true, true, "-27.31");
        chill("empty boxes read 0", "", "", false, false, ".");
        chill("negative speed, km/h", "10", "-0.1", true, true, " ! [Ok Exclamation] Wind speed cannot be negative");
        chill("speed beyond numbers", "10", "1e400", false, false, " ! Calculation ERROR [Ok Information] The Values "
              "selected can not be calculated correctly");
        heat("90 F, 50%", "90", "50", false, "95.55");
        heat("no lower limit", "70", "50", false, "75.72");
        heat("30 C, 60%", "30", "60", true, "33.09");
        heat("heat beyond numbers", "1e300", "1e300", false, " ! Calculation ERROR [Ok Information] The Values selected "
             "can not be calculated correctly");
        scale("F to C", F, "77|68|63.49|0.59||87.4859", "25.00|20.00|63.49|0.59||87.4859");
        scale("five decimals become two", F, "77||62.94267||63.39380", "25.00||62.94267||17.44");
        scale("text without a number", F, "abc|-", "-17.78|-17.78");
        // One message, however many boxes it concerns.
        scale("beyond the number range", C, "1e308|10|||1e308", "1e308|50.00|||1e308 ! Calculation ERROR [Ok "
              "Information] The Values selected can not be calculated correctly");
        // The tab's state beyond the chart's dry bulbs is named as such (the wiring suite reads the tab's state on it).
        QTest::newRow("tab point off the chart") << Call([] {
            return tabPointText(PsychroChart(), test::boxesOf("150|100|28.57|1.12|90.01|218.2"));
        }) << "Humidity tab: dry bulb 150 °F, RH 28.57%, wet bulb 100 °F, dew point 90.01 °F, 218.2 grains/lb, off the "
              "chart";
        // clang-format on
    }

    void routines()
    {
        QFETCH(Call, call);
        QTEST(call(), "expected");
    }

    // The tab at altitude against moist air as the ASHRAE Handbook (2017) computes it at the same pressure
    // (scripts/psychro_reference.py prints these references). Tolerances: relative humidity 0.5 points (the wet bulb
    // 0.5 F where it is the result), dew point 0.6 F, grains as the row says. The sea-level rows show how far the
    // tab's own formulas stand from the Handbook's before any altitude enters; the box texts pin every digit.
    void atAltitude_data()
    {
        QTest::addColumn<double>("inHg"); // 0: the standard atmosphere
        QTest::addColumn<bool>("extended");
        QTest::addColumn<HumidityMethod>("method");
        QTest::addColumn<QString>("before"); // dry bulb|wet bulb|RH|vapour|dew point, degrees F
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("reference"); // RH, or wet bulb in the RH method|grains|dew point
        QTest::addColumn<double>("grainsPercent");
        const auto row = [](const char* name, double inHg, bool extended, HumidityMethod method, const char* before,
                            const char* after, const char* reference, double grainsPercent) {
            QTest::newRow(name) << inHg << extended << method << before << after << reference << grainsPercent;
        };
        // clang-format off
        row("0 ft, 95/75", 0, false, kWet, "95|75", "95|75|39.85|0.65|66.23|96.6279", "39.82|98.46|66.76", 2);
        row("0 ft, 77 F 50%", 0, false, kRH, "77||50", "77|64.20|50|0.46166|56.58|68.22834", "64.20|69.17|56.96", 1.5);
        row("5,000 ft, 77/68", 24.896, false, kWet, "77|68", "77|68|65.26|0.61|64.25|108.6954", "65.25|109.48|64.45", 1.5);
        row("5,000 ft, 95/75", 24.896, false, kWet, "95|75", "95|75|42.07|0.69|67.88|123.6595", "42.03|125.69|68.33", 2);
        row("5,000 ft, 77 F 50%", 24.896, false, kRH, "77||50", "77|63.41|50|0.46208|56.61|82.34022",
            "63.41|83.40|56.96", 1.5);
        row("10,000 ft, 77/68", 20.577, false, kWet, "77|68", "77|68|66.77|0.62|64.93|135.4832", "66.77|136.35|65.11", 1);
        row("10,000 ft, 95/75", 20.577, false, kWet, "95|75", "95|75|43.97|0.72|69.22|157.9004", "43.94|160.19|69.63", 2);
        row("10,000 ft, 77 F 50%", 20.577, false, kRH, "77||50", "77|62.64|50|0.46248|56.63|100.10940",
            "62.64|101.31|56.96", 1.5);
        row("extended, 5,000 ft, 77/68", 24.896, true, kWet, "77|68",
            "77|68|64.77396|0.604742979272621|64.21391|108.395005227858", "65.25|109.48|64.45", 1.5);
        row("extended, 5,000 ft, 77 F 50%", 24.896, true, kRH, "77||50",
            "77|63.62337|50|0.466810151203598|56.91544|83.1992960438106", "63.41|83.40|56.96", 1.5);
        row("extended, 5,000 ft, dew point 64.45", 24.896, true, kDew, "77||||64.45",
            "77|68.15127|65.30973|0.609744924800392|64.45|109.314070628038", "65.25|109.48|64.45", 1.5);
        // clang-format on
    }

    void atAltitude()
    {
        QFETCH(double, inHg);
        QFETCH(bool, extended);
        QFETCH(HumidityMethod, method);
        QFETCH(QString, before);
        QFETCH(QString, reference);
        QFETCH(double, grainsPercent);
        const HumidityOutcome outcome =
            calculateHumidity({test::boxesOf(before), TemperatureScale::Fahrenheit, method, extended, method == kRH,
                               BarometricPressure::fromInHg(inHg).value_or(BarometricPressure())});
        QVERIFY(outcome.messages.isEmpty());
        QTEST(test::textOf(outcome.boxes), "after");

        const QStringList expected = reference.split(u'|');
        const double first = (method == kRH ? outcome.boxes.wetBulbTemp : outcome.boxes.humidity).toDouble();
        QVERIFY2(std::fabs(first - expected[0].toDouble()) <= 0.5, qPrintable(expected[0]));
        QVERIFY2(std::fabs(outcome.boxes.grainsPerLb.toDouble() / expected[1].toDouble() - 1) * 100 <= grainsPercent,
                 qPrintable(expected[1]));
        QVERIFY2(std::fabs(outcome.boxes.dewPoint.toDouble() - expected[2].toDouble()) <= 0.6, qPrintable(expected[2]));
    }

    // Texts read as a pressure: the settings file's ("file": what is written back, empty for the standard atmosphere,
    // and what the Humidity tab shows) and the dialog's entries (each unit's limits as its message quotes them are
    // taken, a little beyond them refused: the pressure's summary, or the refusal).
    void readings_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("outcome");
        const QString denver = QStringLiteral("24.896 inHg = 12.228 psia = 843.08 hPa");
        const QString noAltitude = QStringLiteral("No place on earth is at this altitude.\nEnter an altitude ");
        const QString noPressure = QStringLiteral("No place on earth has this pressure.\nEnter a pressure ");
        const QString feet = noAltitude + QStringLiteral("from -2,290 to 30,060 ft.");
        const auto row = [](const char* unit, const char* text, const QString& outcome) {
            QTest::addRow("%s %s", unit, text) << QString::fromLatin1(unit) << QString::fromLatin1(text) << outcome;
        };
        // clang-format off
        row("file", " 24.8958 inHg", "24.896|At 24.90 inHg (5,000 ft)");
        row("file", "30.5", "30.500|At 30.50 inHg (-530 ft)");
        row("file", "8.859", "8.859|At 8.86 inHg (30,070 ft)");    // 30 kPa
        row("file", "32.483", "32.483|At 32.48 inHg (-2,290 ft)"); // 110 kPa
        row("file", "8.8584", "|");
        // What shows as 29.92 inHg is the standard atmosphere; a thousandth beyond is not.
        row("file", "29.915", "|");
        row("file", "29.914", "29.914|At 29.91 inHg (10 ft)");
        row("file", "29.925", "29.925|At 29.93 inHg (0 ft)");
        row("file", "high", "|");
        row("file", "1e400", "|");
        row("ft", "5000", denver);
        row("ft", "-2290", "32.482 inHg = 15.954 psia = 1099.97 hPa");
        row("ft", "30070", feet);
        row("ft", "200000", feet); // beyond the formula's reach
        row("m", "-700", noAltitude + "from -698 to 9,160 m.");
        row("m", "9160", "8.865 inHg = 4.354 psia = 300.20 hPa");
        row("ft", "-", "Enter an altitude.");
        row("inHg", "8.86", "8.860 inHg = 4.352 psia = 300.03 hPa");
        row("inHg", "32.49", noPressure + "from 8.86 to 32.48 inHg.");
        row("inHg", "", "Enter a pressure.");
        row("psia", "4.35", noPressure + "from 4.36 to 15.95 psia.");
        row("psia", "15.95", "32.475 inHg = 15.950 psia = 1099.73 hPa");
        row("hPa", "1100", "32.483 inHg = 15.954 psia = 1100.00 hPa");
        row("hPa", "1100.2", noPressure + "from 300 to 1100 hPa.");
        row("kPa", "101.325", "Standard atmosphere: 29.921 inHg = 14.696 psia = 1013.25 hPa");
        row("kPa", "30", "8.859 inHg = 4.351 psia = 300.00 hPa");
        row("kPa", "110.02", noPressure + "from 30 to 110 kPa.");
        // clang-format on
    }

    void readings()
    {
        QFETCH(QString, unit);
        QFETCH(QString, text);
        if (unit == u"file") {
            const BarometricPressure pressure = pressureFromFileText(text);
            QTEST((pressure.isStandard() ? QString() : pressureFileText(pressure)) + u'|' + pressureCaption(pressure),
                  "outcome");
            return;
        }
        const QStringList readings{"inHg", "psia", "hPa", "kPa"};
        const PressureEntry entry = unit == u"ft"  ? pressureAtAltitude(text, AltitudeUnit::Feet)
                                    : unit == u"m" ? pressureAtAltitude(text, AltitudeUnit::Metres)
                                                   : pressureFromReading(text, PressureUnit(readings.indexOf(unit)));
        QCOMPARE(entry.refusal.isEmpty(), entry.pressure.has_value());
        QTEST(entry.pressure ? pressureSummary(*entry.pressure) : entry.refusal, "outcome");
    }

    // What the chart shows of itself in each scale and range: the axes' labels and titles, the curves' labels (the
    // wet-bulb lines stop where saturation leaves the top), and where it stands. Saturation leaves through the top
    // within 0.15 degree of where the Handbook's formulas have it (scripts/psychro_reference.py).
    void axesAndLabels_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("ticks"); // dry bulb | humidity ratio
        QTest::addColumn<QString>("curves");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<double>("saturationLeaves");
        const QString rh = QStringLiteral("100% 90% 80% 70% 60% 50% 40% 30% 20% 10% ");
        const QString standard = QStringLiteral("Standard atmosphere, 29.92 inHg");
        const QString grains = QStringLiteral("Dry bulb (°F)|Humidity ratio (grains/lb of dry air)|");
        // clang-format off
        QTest::newRow("normal, Fahrenheit") << "F"
            << "32 40 50 60 70 80 90 100 110 120 | 0 20 40 60 80 100 120 140 160 180 200"
            << rh + "35 40 45 50 55 60 65 70 75 80 85" << grains + standard << 87.48;
        QTest::newRow("extended, Fahrenheit, 5,000 ft") << "F extended 24.896"
            << "0 10 20 30 40 50 60 70 80 90 100 110 120 130 140 | 0 20 40 60 80 100 120 140 160 180 200 220 240 260 "
               "280"
            << rh + "5 10 15 20 25 30 35 40 45 50 55 60 65 70 75 80 85 90" << grains + "At 24.90 inHg (5,000 ft)"
            << 91.78;
        QTest::newRow("extended, Celsius") << "C extended"
            << "-20 -15 -10 -5 0 5 10 15 20 25 30 35 40 45 50 55 60 | 0 5 10 15 20 25 30 35 40"
            << rh + "-15 -10 -5 0 5 10 15 20 25 30 35" << "Dry bulb (°C)|Humidity ratio (g/kg of dry air)|" + standard
            << 36.53;
        // clang-format on
    }

    void axesAndLabels()
    {
        QFETCH(QString, setup);
        const PsychroChart chart(setupOf(setup));
        QTEST(joined(chart.dryBulbAxis().ticks()) + QStringLiteral(" | ") + joined(chart.ratioAxis().ticks()), "ticks");
        QStringList labels;
        for (const ChartCurve& curve : chart.curves())
            labels << curve.label;
        QTEST(labels.join(u' '), "curves");
        QTEST(QStringList({chart.dryBulbAxis().title, chart.ratioAxis().title, chart.pressureTitle()}).join(u'|'),
              "titles");
        QFETCH(double, saturationLeaves);
        const QPointF leaves = chart.curves().first().points.last();
        QVERIFY2(std::fabs(leaves.x() - saturationLeaves) <= 0.15, qPrintable(QString::number(leaves.x())));
        QCOMPARE(leaves.y(), chart.ratioAxis().to);
    }

    // A place on the chart read as the tab calculates it: the dry bulb to 0.1 degree and the relative humidity at
    // which the tab calculates the place's humidity ratio, with every box as the tab shows it. The curves go through
    // the states the tab calculates: its relative humidity and wet bulb at its dry bulb meet at its grains (the normal
    // range's grains come from other formulas than its relative humidity: 1.5 %).
    void readAt_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QPointF>("place");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const char* setup, QPointF place, const char* text) {
            QTest::newRow(name) << setup << place << QString::fromUtf8(text);
        };
        // clang-format off
        row("the tab's 77/68 point", "F", {76.96, 87.4859},
            "Pointer: dry bulb 77.00 °F, RH 63.50%, wet bulb 68.00 °F, dew point 63.45 °F, 87.50474 grains/lb");
        row("5,000 ft", "F 24.896", {77, 108.6954}, "Pointer: dry bulb 77.00 °F, RH 65.30%, wet bulb 68.01 °F, "
            "dew point 64.27 °F, 108.75878 grains/lb");
        row("Celsius", "C", {25, 12.5}, "Pointer: dry bulb 25.00 °C, RH 63.50%, wet bulb 20.00 °C, dew point 17.47 °C, "
            "87.50474 grains/lb");
        row("beyond saturation", "F", {70, 150}, "Pointer: dry bulb 70.00 °F, 150.0 grains/lb, beyond saturation");
        row("normal range: wet bulb below freezing", "F", {35, 5}, "Pointer: dry bulb 35.00 °F, 5.0 grains/lb, "
            "not a state the Humidity tab calculates in its normal range");
        row("extended range below freezing", "F extended", {35, 5}, "Pointer: dry bulb 35.00 °F, RH 16.90%, "
            "wet bulb 25.47493 °F, dew point -5.47167 °F, 5.0112396383576 grains/lb");
        row("extended, Celsius, 5,000 ft", "C extended 24.896", {25, 15}, "Pointer: dry bulb 25.00 °C, RH 62.80%, "
            "wet bulb 19.68945 °C, dew point 17.40502 °C, 105.012041209968 grains/lb");
        row("just below 0 C reads as 0", "C extended", {-0.04, 2}, "Pointer: dry bulb 0.00 °C, RH 53.10%, "
            "wet bulb -2.67569 °C, dew point -8.40461 °C, 13.99025154021 grains/lb");
        row("right of the chart", "F", {120.01, 50}, "Point at the chart to read a state there, click to calculate it "
            "on the Humidity tab; arrow keys move a cursor and Enter picks it.");
        // clang-format on
    }

    void readAt()
    {
        QFETCH(QString, setup);
        QFETCH(QPointF, place);
        const PsychroChart chart(setupOf(setup));
        const ChartReading reading = chart.readAt(place);
        QTEST(readingText(chart, reading, QStringLiteral("Pointer")), "text");
        if (reading.kind != ChartReading::Kind::State)
            return;
        // The tab marks the state where it was read: its dry bulb, its grains within a hundredth of the axis.
        QCOMPARE(reading.at.x(), std::round(place.x() * 10) / 10);
        QVERIFY(std::fabs(reading.at.y() - place.y()) <= chart.ratioAxis().to / 100);
        const double percent = chart.setup().extendedRange ? 0.02 : 1.5;
        const double dryBulb = reading.at.x();
        const double grains = reading.at.y();
        const double humidity = reading.boxes.humidity.toDouble();
        QVERIFY2(near(chart.ratioAt(dryBulb, humidity), grains, percent), "relative humidity");
        // The extended range's wet bulb is found to 0.01 hPa: a larger share of the little vapour of cold air.
        QVERIFY2(near(chart.wetBulbRatio(reading.boxes.wetBulbTemp.toDouble(), dryBulb), grains, 1.5), "wet bulb");
    }
};

MX_REGISTER_TEST(HumidityProceduresTest)
#include "tst_humidity_procedures.moc"
