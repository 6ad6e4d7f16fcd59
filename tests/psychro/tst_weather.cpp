#include "humidity_rows.h"
#include "psychro/weather.h"
#include "test_registry.h"

#include <QTest>

#include <functional>

using namespace mx;

using Call = std::function<WeatherAnswer()>;

class WeatherTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Wind chill from temperature, speed, Celsius?, km/h?; heat index from temperature, relative humidity, Celsius?
    void answers_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("answer"); // empty: the answer stays as it was
        QTest::addColumn<QString>("message");
        const auto chill = [](const char* name, const char* t, const char* v, bool c, bool k, const char* answer,
                              const char* message = "") {
            QTest::newRow(name) << Call([=] {
                return windChillAnswer(QString::fromLatin1(t), QString::fromLatin1(v), c, k);
            }) << answer << message;
        };
        const auto heat = [](const char* name, const char* t, const char* rh, bool c, const char* answer,
                             const char* message = "") {
            QTest::newRow(name) << Call([=] {
                return heatIndexAnswer(QString::fromLatin1(t), QString::fromLatin1(rh), c);
            }) << answer << message;
        };
        const char* const notCalculable =
            "Calculation ERROR [Ok Information] The Values selected can not be calculated correctly";
        // clang-format off
        chill("10 F, 20 mph", "10", "20", false, false, "-24.33");
        chill("capped at the air temperature", "50", "3", false, false, "50.");
        chill("-10 C, 30 km/h", "-10", "30", true, true, "-27.31");
        chill("empty boxes read 0", "", "", false, false, ".");
        chill("negative speed, km/h", "10", "-0.1", true, true, "", "[Ok Exclamation] Wind speed cannot be negative");
        chill("speed beyond numbers", "10", "1e400", false, false, "", notCalculable);
        heat("90 F, 50%", "90", "50", false, "95.55");
        heat("no lower limit", "70", "50", false, "75.72");
        heat("30 C, 60%", "30", "60", true, "33.09");
        heat("heat beyond numbers", "1e300", "1e300", false, "", notCalculable);
        // clang-format on
    }

    void answers()
    {
        QFETCH(Call, call);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        const WeatherAnswer result = call();
        QCOMPARE(result.answer.value_or(QString()), answer);
        QCOMPARE(result.answer.has_value(), message.isEmpty());
        QCOMPARE(test::describedMessages(result.messages), message.isEmpty() ? QStringList() : QStringList{message});
    }
};

MX_REGISTER_TEST(WeatherTest)
#include "tst_weather.moc"
