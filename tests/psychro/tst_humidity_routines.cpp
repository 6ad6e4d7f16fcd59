#include "psychro/hum_calc.h"
#include "psychro/humidity.h"
#include "test_registry.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <map>

using namespace mx;

namespace {

// The routines by the names a reader of the rows knows them by; P is one standard atmosphere in inHg.
const std::map<QString, std::function<double(double, double, PsychroMessages&)>>& routines()
{
    static const std::map<QString, std::function<double(double, double, PsychroMessages&)>> table{
        {QStringLiteral("SatVaporPressure"), [](double a, double, PsychroMessages&) { return SatVaporPressure(a); }},
        {QStringLiteral("Log10"), [](double a, double, PsychroMessages&) { return Log10(a); }},
        {QStringLiteral("DewPointFromVapor"), [](double a, double, PsychroMessages&) { return DewPointFromVapor(a); }},
        {QStringLiteral("DewPointFromRH"),
         [](double a, double b, PsychroMessages& m) { return DewPointFromRH(a, b, m); }},
        {QStringLiteral("RHFromVapor"), [](double a, double b, PsychroMessages& m) { return RHFromVapor(a, b, m); }},
        {QStringLiteral("RHFromWetBulb"),
         [](double a, double b, PsychroMessages& m) { return RHFromWetBulb(a, b, 29.9212, m); }},
        {QStringLiteral("RHFromDewPoint"),
         [](double a, double b, PsychroMessages& m) { return RHFromDewPoint(a, b, m); }},
        {QStringLiteral("GrainsPerPound"),
         [](double a, double, PsychroMessages&) { return GrainsPerPound(a, 29.9212); }},
        {QStringLiteral("CtoF"), [](double a, double, PsychroMessages&) { return CtoF(a); }},
        {QStringLiteral("FtoC"), [](double a, double, PsychroMessages&) { return FtoC(a); }},
        {QStringLiteral("InHgToMb"), [](double a, double, PsychroMessages&) { return InHgToMb(a); }},
        {QStringLiteral("MbToInHg"), [](double a, double, PsychroMessages&) { return MbToInHg(a); }},
        {QStringLiteral("SatPressurePsia"), [](double a, double, PsychroMessages&) { return SatPressurePsia(a); }},
        {QStringLiteral("SatHumidityRatio"), [](double a, double, PsychroMessages&) { return SatHumidityRatio(a); }},
        {QStringLiteral("HumidityRatioFromWetBulb"),
         [](double a, double b, PsychroMessages&) { return HumidityRatioFromWetBulb(a, b); }},
        {QStringLiteral("RoundTo"), [](double a, double b, PsychroMessages&) { return RoundTo(a, b); }},
    };
    return table;
}

} // namespace

class HumidityRoutinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { psychro::HumidityError = false; }
    void values_data();
    void values();
    void messages_data();
    void messages();
    void dewPointInvertsSaturation_data();
    void dewPointInvertsSaturation();
    void wetBulbBisection_data();
    void wetBulbBisection();
    void wetBulbGivesUp();
};

void HumidityRoutinesTest::values_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance"); // 0: bit for bit
    QTest::newRow("saturation at 0 C") << "SatVaporPressure" << 0.0 << 0.0 << 6.112 << 0.0;
    QTest::newRow("saturation at 20 C") << "SatVaporPressure" << 20.0 << 0.0 << 23.348313850926637 << 0.0;
    QTest::newRow("log of 1000") << "Log10" << 1000.0 << 0.0 << 2.9999999999999996 << 0.0;
    QTest::newRow("log of 0") << "Log10" << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("log of a negative") << "Log10" << -3.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("dew point of no vapour") << "DewPointFromVapor" << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("dew point of negative vapour") << "DewPointFromVapor" << -2.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("dew point at 100%") << "DewPointFromRH" << 100.0 << 20.0 << 20.0 << 1e-12;
    QTest::newRow("RH from wet bulb") << "RHFromWetBulb" << 25.0 << 20.0 << 62.942673921282591 << 0.0;
    QTest::newRow("RH wet equals dry") << "RHFromWetBulb" << 25.0 << 25.0 << 100.0 << 0.0;
    QTest::newRow("RH dew point 15 at 25") << "RHFromDewPoint" << 15.0 << 25.0 << 53.88278 << 5e-6;
    QTest::newRow("grains") << "GrainsPerPound" << 17.441 << 0.0 << 87.224654066689766 << 0.0;
    QTest::newRow("100 C") << "CtoF" << 100.0 << 0.0 << 212.0 << 0.0;
    QTest::newRow("-40 C") << "CtoF" << -40.0 << 0.0 << -40.0 << 0.0;
    QTest::newRow("32 F") << "FtoC" << 32.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("212 F") << "FtoC" << 212.0 << 0.0 << 100.0 << 0.0;
    QTest::newRow("one atmosphere in hPa") << "InHgToMb" << 29.9212 << 0.0 << 1013.2904143599999 << 0.0;
    QTest::newRow("hPa to inHg") << "MbToInHg" << 33.8653 << 0.0 << 1.0 << 0.0;
    QTest::newRow("psia at 212 F") << "SatPressurePsia" << 212.0 << 0.0 << 14.673137723654138 << 0.0;
    QTest::newRow("psia at 32 F") << "SatPressurePsia" << 32.0 << 0.0 << 0.0883 << 5e-5;
    QTest::newRow("saturated ratio at 212 F") << "SatHumidityRatio" << 212.0 << 0.0 << 339.75868413396961 << 0.0;
    QTest::newRow("ratio from wet bulb 68 at 77")
        << "HumidityRatioFromWetBulb" << 68.0 << 77.0 << 0.012626424191748557 << 0.0;
    QTest::newRow("round to millionths") << "RoundTo" << 0.0123456789 << 1000000.0 << 0.012346 << 0.0;
    QTest::newRow("round to hundredths") << "RoundTo" << 68.004 << 100.0 << 68.0 << 0.0;
    QTest::newRow("half goes up") << "RoundTo" << 2.5 << 1.0 << 3.0 << 0.0;
    QTest::newRow("negative half goes up") << "RoundTo" << -2.5 << 1.0 << -2.0 << 0.0;
}

void HumidityRoutinesTest::values()
{
    QFETCH(QString, routine);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    PsychroMessages shown;
    const double result = routines().at(routine)(a, b, shown);
    if (tolerance == 0)
        QCOMPARE(result, expected);
    else
        QVERIFY2(std::fabs(result - expected) <= tolerance, qPrintable(QString::number(result, 'g', 17)));
    QVERIFY(shown.isEmpty());
    QVERIFY(!psychro::HumidityError);
}

void HumidityRoutinesTest::messages_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<double>("low"); // the result lies in [low, high]
    QTest::addColumn<double>("high");
    QTest::newRow("no humidity") << "DewPointFromRH" << 0.0 << 20.0
                                 << QStringList{"Relative humidity must be greater than 0%"} << 0.0 << 0.0;
    QTest::newRow("over 100%") << "DewPointFromRH" << 100.01 << 20.0
                               << QStringList{"Relative humidity cannot be greater than 100%"} << 0.0 << 0.0;
    QTest::newRow("no vapour") << "RHFromVapor" << 0.0 << 10.0
                               << QStringList{"Invalid entry!  Check your data and try again."} << 0.0 << 0.0;
    QTest::newRow("wet above dry") << "RHFromWetBulb" << 25.0 << 25.1
                                   << QStringList{"Dry Bulb must be greater than Wet Bulb!"} << 0.0 << 0.0;
    QTest::newRow("large depression") << "RHFromWetBulb" << 40.0 << 0.0
                                      << QStringList{"Invalid entry!  Check your data and try again."} << -28.0673
                                      << -28.0672;
    QTest::newRow("dew point above dry") << "RHFromDewPoint" << 26.0 << 25.0
                                         << QStringList{"Invalid entry! Check your data and try again"} << 106.1047
                                         << 106.1048;
    QTest::newRow("no vapour at the dew point")
        << "RHFromDewPoint" << -237.6 << 0.0
        << QStringList{"Invalid entry!  Check your data and try again.", "Invalid entry! Check your data and try again"}
        << 0.0 << 0.0;
}

void HumidityRoutinesTest::messages()
{
    QFETCH(QString, routine);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QStringList, texts);
    QFETCH(double, low);
    QFETCH(double, high);
    PsychroMessages shown;
    const double result = routines().at(routine)(a, b, shown);
    QVERIFY2(result >= low && result <= high, qPrintable(QString::number(result, 'g', 17)));
    QStringList shownTexts;
    for (const PsychroMessage& m : shown) {
        shownTexts << m.text;
        QCOMPARE(m.buttons, MsgButtons::Ok);
        QCOMPARE(m.icon, MsgIcon::Exclamation);
        QCOMPARE(m.title, QString()); // the application title
    }
    QCOMPARE(shownTexts, texts);
    QVERIFY(psychro::HumidityError);
}

void HumidityRoutinesTest::dewPointInvertsSaturation_data()
{
    QTest::addColumn<double>("t");
    for (double t : {-200.0, -40.0, -0.5, 0.0, 17.441, 100.0, 374.0})
        QTest::addRow("%g C", t) << t;
}

void HumidityRoutinesTest::dewPointInvertsSaturation()
{
    QFETCH(double, t);
    QVERIFY(std::fabs(DewPointFromVapor(SatVaporPressure(t)) - t) < 1e-9);
}

void HumidityRoutinesTest::wetBulbBisection_data()
{
    QTest::addColumn<double>("T");
    QTest::addColumn<double>("Td");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("passes");
    QTest::newRow("25 C, dew point 17.441") << 25.0 << 17.441 << 20.002497070312501 << 10;
    QTest::newRow("saturated air") << 25.0 << 25.0 << 25.0 << 1;
    QTest::newRow("cold and dry") << -20.0 << -40.0 << -21.42578125 << 10;
    QTest::newRow("dew point above dry bulb") << 20.0 << 25.0 << 23.6181640625 << 10;
}

void HumidityRoutinesTest::wetBulbBisection()
{
    QFETCH(double, T);
    QFETCH(double, Td);
    PsychroMessages shown;
    int passes = 0;
    QTEST(WetBulbFromDewPoint(T, Td, 29.9212, shown, &passes), "expected");
    QTEST(passes, "passes");
    QVERIFY(shown.isEmpty());
}

void HumidityRoutinesTest::wetBulbGivesUp()
{
    // So hot that the psychrometer term swamps the tolerance: no pass can get within 0.01 hPa.
    PsychroMessages shown;
    int passes = 0;
    WetBulbFromDewPoint(1e10, 0, 29.9212, shown, &passes);
    QCOMPARE(passes, 200);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, QStringLiteral("Wet Bulb can not be calculated from these values"));
    QCOMPARE(shown[0].icon, MsgIcon::Exclamation);
    QVERIFY(psychro::HumidityError);
}

MX_REGISTER_TEST(HumidityRoutinesTest)
#include "tst_humidity_routines.moc"
