#include "psychro/psychro_extended_range.h"
#include "psychro/psychro_normal_range.h"
#include "test_registry.h"

#include <QTest>

#include <cmath>
#include <functional>

using namespace mx;

namespace {

using Call = std::function<CheckedValue()>;
const double P = 29.9212; // one standard atmosphere, inHg

// A routine that checks nothing.
CheckedValue plain(double value)
{
    return {value, {}};
}

} // namespace

class HumidityRoutinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void routines_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("tolerance");     // 0: bit for bit
        QTest::addColumn<QStringList>("messages"); // each with OK, the exclamation icon and the application title
        const auto row = [](const char* name, Call call, double expected, double tolerance = 0,
                            const QStringList& messages = {}) {
            QTest::newRow(name) << call << expected << tolerance << messages;
        };
        // clang-format off
        row("saturation at 0 C", [] { return plain(SatVaporPressure(0)); }, 6.112);
        row("log of 0", [] { return plain(Log10(0)); }, 0);
        row("dew point of no vapour", [] { return plain(DewPointFromVapor(0)); }, 0);
        row("dew point inverts saturation", [] { return plain(DewPointFromVapor(SatVaporPressure(-40))); }, -40, 1e-9);
        row("dew point at 100%", [] { return DewPointFromRH(100, 20); }, 20, 1e-9);
        row("dew point, no humidity", [] { return DewPointFromRH(0, 20); }, 0, 0,
            {"Relative humidity must be greater than 0%"});
        row("RH, no vapour", [] { return RHFromVapor(0, 10); }, 0, 0, {"Invalid entry!  Check your data and try again."});
        row("RH, wet equals dry", [] { return RHFromWetBulb(25, 25, P); }, 100);
        row("RH, wet above dry", [] { return RHFromWetBulb(25, 25.1, P); }, 0, 0,
            {"Dry Bulb must be greater than Wet Bulb!"});
        row("RH from dew point", [] { return RHFromDewPoint(15, 25); }, 53.882783, 5e-7);
        row("grains", [] { return plain(GrainsPerPound(17.441, P)); }, 87.224654066689766);
        row("100 C", [] { return plain(CtoF(100)); }, 212);
        row("212 F", [] { return plain(FtoC(212)); }, 100);
        row("saturated ratio at 212 F", [] { return plain(SatHumidityRatio(212, 14.7)); }, 339.75868413396961);
        row("ratio from wet bulb 68 at 77", [] { return plain(HumidityRatioFromWetBulb(68, 77, 14.7)); }, 0.012626424191748557);
        row("round to millionths", [] { return plain(RoundTo(0.0123456789, 1000000)); }, 0.012346);
        row("negative half goes up", [] { return plain(RoundTo(-2.5, 1)); }, -2);
        // clang-format on
    }

    void routines()
    {
        QFETCH(Call, call);
        QFETCH(double, expected);
        QFETCH(double, tolerance);
        QFETCH(QStringList, messages);
        const CheckedValue result = call();
        if (tolerance == 0)
            QCOMPARE(result.value, expected);
        else
            QVERIFY2(std::fabs(result.value - expected) <= tolerance,
                     qPrintable(QString::number(result.value, 'g', 17)));
        QStringList texts;
        for (const PsychroMessage& m : result.messages) {
            texts << m.text;
            QCOMPARE(m.buttons, MsgButtons::Ok);
            QCOMPARE(m.icon, MsgIcon::Exclamation);
            QCOMPARE(m.title, QString());
        }
        QCOMPARE(texts, messages);
    }

    void wetBulbBisection_data()
    {
        QTest::addColumn<double>("T");
        QTest::addColumn<double>("Td");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("passes");
        QTest::newRow("25 C, dew point 17.441") << 25.0 << 17.441 << 20.0024970703125 << 10;
        QTest::newRow("saturated air") << 25.0 << 25.0 << 25.0 << 1;
        QTest::newRow("cold and dry") << -20.0 << -40.0 << -21.42578125 << 10;
        QTest::newRow("dew point above dry bulb") << 20.0 << 25.0 << 23.6181640625 << 10;
        // So hot that the psychrometer term swamps the tolerance: no pass gets within 0.01 hPa.
        QTest::newRow("gives up") << 1e10 << 0.0 << qQNaN() << 200;
    }

    void wetBulbBisection()
    {
        QFETCH(double, T);
        QFETCH(double, Td);
        QFETCH(double, expected);
        const WetBulbSearch result = WetBulbFromDewPoint(T, Td, P);
        QTEST(result.passes, "passes");
        if (std::isnan(expected)) {
            QCOMPARE(result.messages.size(), 1);
            QCOMPARE(result.messages[0].text, QStringLiteral("Wet Bulb can not be calculated from these values"));
            QCOMPARE(result.messages[0].icon, MsgIcon::Exclamation);
        } else {
            QCOMPARE(result.value, expected);
            QVERIFY(result.ok());
        }
    }
};

MX_REGISTER_TEST(HumidityRoutinesTest)
#include "tst_humidity_routines.moc"
