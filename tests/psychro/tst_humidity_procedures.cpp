#include "humidity_rows.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

const HumidityMethod kWet = HumidityMethod::DryBulbWetBulb;
const HumidityMethod kRH = HumidityMethod::DryBulbRH;
const HumidityMethod kDew = HumidityMethod::DryBulbDewPoint;
const TemperatureScale F = TemperatureScale::Fahrenheit;
const TemperatureScale C = TemperatureScale::Celsius;

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
        const auto ext = [](const char* name, TemperatureScale scale, HumidityMethod method, const char* before,
                            const char* after, const QStringList& messages = {}) {
            QTest::newRow(name) << true << scale << method << (method == kRH) << before << after << (method == kRH)
                                << messages;
        };
        const auto normal = [](const char* name, TemperatureScale scale, HumidityMethod method, const char* before,
                               const char* after, const QStringList& messages = {}) {
            QTest::newRow(name) << false << scale << method << (method == kRH) << before << after << (method == kRH)
                                << messages;
        };
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

    void scaleSwitch_data()
    {
        QTest::addColumn<TemperatureScale>("from");
        QTest::addColumn<TemperatureScale>("to");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("message");
        // clang-format off
        QTest::newRow("F to C") << F << C << "77|68|63.49|0.59||87.4859" << "25.00|20.00|63.49|0.59||87.4859" << false;
        QTest::newRow("five decimals become two") << F << C << "77||62.94267||63.39380" << "25.00||62.94267||17.44"
                                                  << false;
        QTest::newRow("text without a number") << F << C << "abc|-" << "-17.78|-17.78" << false;
        // One message, however many boxes it concerns.
        QTest::newRow("beyond the number range") << C << F << "1e308|10|||1e308" << "1e308|50.00|||1e308" << true;
        // clang-format on
    }

    void scaleSwitch()
    {
        QFETCH(TemperatureScale, from);
        QFETCH(TemperatureScale, to);
        QFETCH(QString, before);
        QFETCH(bool, message);
        const ScaleSwitch result = convertHumidityScale(test::boxesOf(before), from, to);
        QTEST(test::textOf(result.boxes), "after");
        QCOMPARE(test::describedMessages(result.messages),
                 message ? QStringList{"Calculation ERROR [Ok Information] The Values selected can not be calculated "
                                       "correctly"}
                         : QStringList());
    }
};

MX_REGISTER_TEST(HumidityProceduresTest)
#include "tst_humidity_procedures.moc"
