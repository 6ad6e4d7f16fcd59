#include "humidity_rows.h"
#include "psychro/barometric_pressure.h"
#include "test_registry.h"

#include <QTest>

#include <cmath>

using namespace mx;

const HumidityMethod kWet = HumidityMethod::DryBulbWetBulb;
const HumidityMethod kRH = HumidityMethod::DryBulbRH;
const HumidityMethod kDew = HumidityMethod::DryBulbDewPoint;

class BarometricPressureTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
};

MX_REGISTER_TEST(BarometricPressureTest)
#include "tst_barometric_pressure.moc"
