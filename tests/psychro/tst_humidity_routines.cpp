#include "psychro/psychro_extended_range.h"
#include "psychro/psychro_normal_range.h"
#include "test_registry.h"

#include <QTest>

#include <cmath>
#include <functional>

using namespace mx;

namespace {

const double P = 29.9212; // one standard atmosphere, inHg

} // namespace

// The routines' edges that no whole calculation reaches; their results in the middle are the procedures' rows.
class HumidityRoutinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void routines_data()
    {
        QTest::addColumn<std::function<double()>>("call");
        QTest::addColumn<double>("expected");
        QTest::newRow("dew point of no vapour") << std::function([] { return DewPointFromVapor(0); }) << 0.0;
        QTest::newRow("dew point at 100%") << std::function([] { return DewPointFromRH(100, 20).value; }) << 20.0;
        QTest::newRow("RH, wet equals dry") << std::function([] { return RHFromWetBulb(25, 25, P).value; }) << 100.0;
        QTest::newRow("negative half goes up") << std::function([] { return RoundTo(-2.5, 1); }) << -2.0;
    }

    void routines()
    {
        QFETCH(std::function<double()>, call);
        QFETCH(double, expected);
        const double value = call();
        QVERIFY2(std::fabs(value - expected) <= 1e-9, qPrintable(QString::number(value, 'g', 17)));
    }

    void wetBulbBisection_data()
    {
        QTest::addColumn<double>("T");
        QTest::addColumn<double>("Td");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("passes");
        QTest::newRow("25 C, dew point 17.441") << 25.0 << 17.441 << 20.0024970703125 << 10;
        QTest::newRow("saturated air") << 25.0 << 25.0 << 25.0 << 1;
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
        QCOMPARE(result.ok(), !std::isnan(expected));
        if (result.ok())
            QCOMPARE(result.value, expected);
    }
};

MX_REGISTER_TEST(HumidityRoutinesTest)
#include "tst_humidity_routines.moc"
