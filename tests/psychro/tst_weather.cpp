#include "humidity_rows.h"
#include "psychro/weather.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

namespace {

enum class Index { WindChill, HeatIndex };

const char* const kNegativeSpeed = "[Ok Exclamation] Wind speed cannot be negative";
const char* const kNotCalculable =
    "Calculation ERROR [Ok Information] The Values selected can not be calculated correctly";

} // namespace

class WeatherTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answers_data()
    {
        QTest::addColumn<Index>("index");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("second"); // wind speed or relative humidity
        QTest::addColumn<bool>("celsius");
        QTest::addColumn<bool>("kmh");
        QTest::addColumn<QString>("answer"); // empty: the answer stays as it was
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, Index index, const char* t, const char* second, bool c, bool k,
                            const char* answer, const char* message = "") {
            QTest::newRow(name) << index << t << second << c << k << answer << message;
        };
        const Index chill = Index::WindChill;
        const Index heat = Index::HeatIndex;
        // clang-format off
        row("10 F, 20 mph", chill, "10", "20", false, false, "-24.33");
        row("capped at the air temperature", chill, "50", "3", false, false, "50.");
        row("calm", chill, "30", "0", false, false, "30.");
        row("-10 C, 30 km/h", chill, "-10", "30", true, true, "-27.31");
        row("empty boxes read 0", chill, "", "", false, false, ".");
        row("negative speed, km/h", chill, "10", "-0.1", true, true, "", kNegativeSpeed);
        row("speed beyond numbers", chill, "10", "1e400", false, false, "", kNotCalculable);
        row("90 F, 50%", heat, "90", "50", false, false, "95.55");
        row("no lower limit", heat, "70", "50", false, false, "75.72");
        row("30 C, 60%", heat, "30", "60", true, false, "33.09");
        row("heat beyond numbers", heat, "1e300", "1e300", false, false, "", kNotCalculable);
        // clang-format on
    }

    void answers()
    {
        QFETCH(Index, index);
        QFETCH(QString, temperature);
        QFETCH(QString, second);
        QFETCH(bool, celsius);
        QFETCH(bool, kmh);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        const WeatherAnswer result = index == Index::WindChill ? windChillAnswer(temperature, second, celsius, kmh)
                                                               : heatIndexAnswer(temperature, second, celsius);
        QCOMPARE(result.answer.value_or(QString()), answer);
        QCOMPARE(result.answer.has_value(), message.isEmpty());
        QCOMPARE(test::describedMessages(result.messages), message.isEmpty() ? QStringList() : QStringList{message});
    }
};

MX_REGISTER_TEST(WeatherTest)
#include "tst_weather.moc"
