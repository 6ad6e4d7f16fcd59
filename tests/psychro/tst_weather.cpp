#include "psychro/weather.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

class WeatherTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windChill_data()
    {
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<bool>("celsius");
        QTest::addColumn<bool>("kmh");
        QTest::addColumn<QString>("answer"); // empty: the answer stays as it was
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const char* t, const char* v, bool c, bool k, const char* answer,
                            const char* message = "") { QTest::newRow(name) << t << v << c << k << answer << message; };
        // clang-format off
        row("10 F, 20 mph", "10", "20", false, false, "-24.33");
        row("capped at the air temperature", "50", "3", false, false, "50.");
        row("calm", "30", "0", false, false, "30.");
        row("-10 C, 30 km/h", "-10", "30", true, true, "-27.31");
        row("km/h with F", "10", "32.186", false, true, "-24.33");
        row("empty boxes read 0", "", "", false, false, ".");
        row("empty temperature in C is 32 F", "", "", true, false, ".");
        row("negative speed, km/h", "10", "-0.1", true, true, "", "Wind speed cannot be negative");
        row("speed beyond numbers", "10", "1e400", false, false, "", "The Values selected can not be calculated correctly");
        // clang-format on
    }

    void windChill()
    {
        QFETCH(QString, temperature);
        QFETCH(QString, speed);
        QFETCH(bool, celsius);
        QFETCH(bool, kmh);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        const WeatherAnswer result = windChillAnswer(temperature, speed, celsius, kmh);
        QCOMPARE(result.answer.value_or(QString()), answer);
        QCOMPARE(result.answer.has_value(), message.isEmpty());
        QCOMPARE(result.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(result.messages[0].text, message);
            QCOMPARE(result.messages[0].buttons, MsgButtons::Ok);
        }
        if (message == QStringLiteral("Wind speed cannot be negative")) {
            QCOMPARE(result.messages[0].icon, MsgIcon::Exclamation);
            QCOMPARE(result.messages[0].title, QString());
        }
    }

    void heatIndex_data()
    {
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("humidity");
        QTest::addColumn<bool>("celsius");
        QTest::addColumn<QString>("answer"); // empty: a message instead
        // clang-format off
        QTest::newRow("90 F, 50%") << "90" << "50" << false << "95.55";
        QTest::newRow("80 F, 40%") << "80" << "40" << false << "79.88";
        QTest::newRow("no lower limit") << "70" << "50" << false << "75.72";
        QTest::newRow("30 C, 60%") << "30" << "60" << true << "33.09";
        QTest::newRow("letters after the number") << "90F" << "50%" << false << "95.55";
        QTest::newRow("beyond numbers") << "1e300" << "1e300" << false << "";
        // clang-format on
    }

    void heatIndex()
    {
        QFETCH(QString, temperature);
        QFETCH(QString, humidity);
        QFETCH(bool, celsius);
        QFETCH(QString, answer);
        const WeatherAnswer result = heatIndexAnswer(temperature, humidity, celsius);
        QCOMPARE(result.answer.value_or(QString()), answer);
        QCOMPARE(result.messages.size(), answer.isEmpty() ? 1 : 0);
        if (answer.isEmpty()) {
            QCOMPARE(result.messages[0].text, QStringLiteral("The Values selected can not be calculated correctly"));
            QCOMPARE(result.messages[0].title, QStringLiteral("Calculation ERROR"));
            QCOMPARE(result.messages[0].icon, MsgIcon::Information);
        }
    }
};

MX_REGISTER_TEST(WeatherTest)
#include "tst_weather.moc"
