#include "psychro/psychro_extended_range.h"
#include "psychro/psychro_normal_range.h"
#include "test_registry.h"

#include <QTest>

#include <functional>

using namespace mx;

using Call = std::function<QString()>;

// The routines' edges that no whole calculation reaches; their results in the middle are the procedures' rows.
class HumidityRoutinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void routines_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("expected");
        const double P = 29.9212; // one standard atmosphere, inHg
        const auto value = [](double result) { return QString::number(result, 'g', 15); };
        // The wet bulb's bisection: where it ends and after how many passes.
        const auto search = [P](double T, double Td) {
            const WetBulbSearch result = WetBulbFromDewPoint(T, Td, P);
            return (result.ok() ? QString::number(result.value, 'g', 15) : QStringLiteral("none")) +
                   QStringLiteral(" after %1").arg(result.passes);
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
        // clang-format on
    }

    void routines()
    {
        QFETCH(Call, call);
        QTEST(call(), "expected");
    }
};

MX_REGISTER_TEST(HumidityRoutinesTest)
#include "tst_humidity_routines.moc"
