#include "common/number_text.h"
#include "test_registry.h"
#include "vibration/vibration.h"

#include <QTest>

#include <functional>
#include <map>
#include <optional>

using namespace mx;

namespace {

// Each routine by name, with its two arguments in the order the table gives them; single arguments are rounded to
// single first, as the tab reads them.
using Routine = std::function<std::optional<double>(double, double, bool)>;

template <typename T> std::optional<double> widen(std::optional<T> value)
{
    return value ? std::optional<double>(double(*value)) : std::nullopt;
}

const std::map<QString, Routine>& routines()
{
    static const std::map<QString, Routine> table = {
        {"AccelFromFreqVelocity", [](double f, double v, bool e) { return widen(AccelFromFreqVelocity(f, v, e)); }},
        {"AccelFromFreqDisplacement",
         [](double f, double d, bool e) { return widen(AccelFromFreqDisplacement(float(f), d, e)); }},
        {"DisplacementFromFreqAccel",
         [](double f, double a, bool e) { return widen(DisplacementFromFreqAccel(float(f), float(a), e)); }},
        {"DisplacementFromFreqVelocity",
         [](double f, double v, bool e) { return widen(DisplacementFromFreqVelocity(float(f), float(v), e)); }},
        {"FreqFromAccelDisplacement",
         [](double a, double d, bool e) { return widen(FreqFromAccelDisplacement(float(a), d, e)); }},
        {"FreqFromAccelVelocity",
         [](double a, double v, bool e) { return widen(FreqFromAccelVelocity(float(a), float(v), e)); }},
        {"FreqFromDisplacementVelocity",
         [](double d, double v, bool e) { return widen(FreqFromDisplacementVelocity(d, float(v), e)); }},
        {"VelocityFromFreqDisplacement",
         [](double f, double d, bool e) { return widen(VelocityFromFreqDisplacement(float(f), d, e)); }},
        {"VelocityFromFreqAccel",
         [](double f, double a, bool e) { return widen(VelocityFromFreqAccel(float(f), float(a), e)); }},
        {"GrmsFromDensity", [](double b, double s, bool) { return widen(GrmsFromDensity(float(b), float(s))); }},
        {"DensityFromGrms", [](double g, double b, bool) { return widen(DensityFromGrms(float(g), float(b))); }},
        {"BandwidthFromGrms", [](double g, double s, bool) { return widen(BandwidthFromGrms(float(g), float(s))); }},
    };
    return table;
}

} // namespace

class VibrationRoutinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void routines_data();
    void routines();
    void singleRange_data();
    void singleRange();
    void unitFlag();
};

// "result" is the value's full text: a single shows the digits of its single-precision value.
void VibrationRoutinesTest::routines_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<bool>("english");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("result");
    const bool english = true;
    const bool metric = false;

    QTest::newRow("accel, 10 Hz 0.1 in") << "AccelFromFreqDisplacement" << english << 10.0 << 0.1
                                         << "0.510999977588654";
    QTest::newRow("velocity, 10 Hz 0.1 in")
        << "VelocityFromFreqDisplacement" << english << 10.0 << 0.1 << "3.14159274101257";
    QTest::newRow("displacement back is a double")
        << "DisplacementFromFreqAccel" << english << 10.0 << 0.511 << "0.0999999956142179";
    QTest::newRow("coefficients disagree: 9.9936 Hz, not 10")
        << "FreqFromAccelVelocity" << english << 0.511 << 3.1415927 << "9.9936056137085";
    QTest::newRow("metric accel, 10 Hz 0.254 cm")
        << "AccelFromFreqDisplacement" << metric << 10.0 << 0.254 << "0.510999977588654";
    QTest::newRow("metric velocity, 10 Hz 0.254 cm")
        << "VelocityFromFreqDisplacement" << metric << 10.0 << 0.254 << "0.0797964558005333";
    QTest::newRow("accel from velocity") << "AccelFromFreqVelocity" << english << 10.0 << 1.0 << "0.162000000476837";
    QTest::newRow("metric accel from m/s") << "AccelFromFreqVelocity" << metric << 10.0 << 1.0 << "6.37795257568359";
    QTest::newRow("displacement from velocity")
        << "DisplacementFromFreqVelocity" << english << 10.0 << 3.1415927 << "0.100000002769696";
    QTest::newRow("metric displacement from velocity")
        << "DisplacementFromFreqVelocity" << metric << 10.0 << 0.0797965 << "0.254000149899819";
    QTest::newRow("metric displacement from accel")
        << "DisplacementFromFreqAccel" << metric << 10.0 << 0.511 << "0.253999988860113";
    QTest::newRow("freq from displacement and velocity")
        << "FreqFromDisplacementVelocity" << english << 0.1 << 3.1415927 << "10";
    QTest::newRow("metric freq from displacement and velocity")
        << "FreqFromDisplacementVelocity" << metric << 0.254 << 0.0797965 << "10.0000057220459";
    QTest::newRow("metric freq from accel and displacement")
        << "FreqFromAccelDisplacement" << metric << 0.511 << 0.254 << "10";
    QTest::newRow("metric freq from accel and velocity")
        << "FreqFromAccelVelocity" << metric << 0.511 << 0.0797965 << "9.9935998916626";
    QTest::newRow("velocity from accel") << "VelocityFromFreqAccel" << english << 10.0 << 0.511 << "3.13958382606506";
    QTest::newRow("metric velocity from accel")
        << "VelocityFromFreqAccel" << metric << 10.0 << 0.511 << "0.079745426774025";
    QTest::newRow("both negative under the root")
        << "FreqFromAccelDisplacement" << english << -1.0 << -0.1 << "13.9890928268433";
    QTest::newRow("velocity rounded to single")
        << "VelocityFromFreqDisplacement" << english << 1000.0 << 10.0 << "31415.92578125";

    QTest::newRow("negative accel under the root")
        << "FreqFromAccelDisplacement" << english << -1.0 << 0.1 << "Calculation Error";
    QTest::newRow("negative displacement under the root")
        << "FreqFromAccelDisplacement" << metric << 1.0 << -0.1 << "Calculation Error";
    QTest::newRow("zero velocity divides") << "FreqFromAccelVelocity" << english << 1.0 << 0.0 << "Calculation Error";
    QTest::newRow("zero frequency divides")
        << "DisplacementFromFreqAccel" << english << 0.0 << 1.0 << "Calculation Error";
    QTest::newRow("zero frequency divides velocity")
        << "VelocityFromFreqAccel" << metric << 0.0 << 1.0 << "Calculation Error";
    QTest::newRow("zero displacement divides")
        << "FreqFromDisplacementVelocity" << english << 0.0 << 1.0 << "Calculation Error";
    QTest::newRow("zero displacement, zero velocity")
        << "FreqFromDisplacementVelocity" << metric << 0.0 << 0.0 << "Calculation Error";
    QTest::newRow("result beyond a single")
        << "AccelFromFreqVelocity" << english << 3e38 << 3e38 << "Calculation Error";
    QTest::newRow("double displacement, result beyond a single")
        << "VelocityFromFreqDisplacement" << english << 1.0 << 1e300 << "Calculation Error";
    QTest::newRow("step overflows although the result would not")
        << "FreqFromDisplacementVelocity" << english << 1e308 << 1.0 << "Calculation Error";
    QTest::newRow("displacement overflow")
        << "AccelFromFreqDisplacement" << english << 3e38 << 1e300 << "Calculation Error";

    QTest::newRow("g RMS of 100 Hz at 0.04") << "GrmsFromDensity" << english << 100.0 << 0.04 << "2";
    QTest::newRow("density of 2 g RMS over 100 Hz")
        << "DensityFromGrms" << english << 2.0 << 100.0 << "0.0399999991059303";
    QTest::newRow("bandwidth loses its single residue") << "BandwidthFromGrms" << english << 2.0 << 0.04 << "100";
    QTest::newRow("bandwidth to four decimals") << "BandwidthFromGrms" << english << 3.0 << 0.07 << "128.571395874023";
    QTest::newRow("negative bandwidth") << "BandwidthFromGrms" << english << 2.0 << -0.04 << "-100";
    QTest::newRow("root of a negative product")
        << "GrmsFromDensity" << english << -100.0 << 0.04 << "Calculation Error";
    QTest::newRow("zero bandwidth divides") << "DensityFromGrms" << english << 2.0 << 0.0 << "Calculation Error";
    QTest::newRow("zero density divides") << "BandwidthFromGrms" << english << 2.0 << 0.0 << "Calculation Error";
    QTest::newRow("bandwidth below the fourth decimal has no digits")
        << "BandwidthFromGrms" << english << 0.001 << 1000.0 << "Calculation Error";
    QTest::newRow("bandwidth beyond a single")
        << "BandwidthFromGrms" << english << 1e30 << 1e-10 << "Calculation Error";
}

void VibrationRoutinesTest::routines()
{
    QFETCH(QString, routine);
    QFETCH(bool, english);
    QFETCH(double, x);
    QFETCH(double, y);
    const auto found = ::routines().find(routine);
    QVERIFY2(found != ::routines().end(), qPrintable(routine));
    const std::optional<double> value = found->second(x, y, english);
    QTEST(value ? generalNumberText(*value) : QString::fromUtf16(kCalculationError), "result");
}

void VibrationRoutinesTest::singleRange_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("single");
    QTest::newRow("largest single") << 3.4028234663852886e38 << "3.40282346638529E+38";
    QTest::newRow("rounds down to the largest single") << 3.4028235e38 << "3.40282346638529E+38";
    QTest::newRow("halfway rounds to infinity") << 3.4028235677973366e38 << "beyond";
    QTest::newRow("negative beyond") << -1e39 << "beyond";
    QTest::newRow("below the smallest single") << 1e-50 << "0";
    QTest::newRow("ordinary") << 0.1 << "0.100000001490116";
}

void VibrationRoutinesTest::singleRange()
{
    QFETCH(double, value);
    const std::optional<float> single = toSingle(value);
    QTEST(single ? generalNumberText(*single) : QStringLiteral("beyond"), "single");
}

void VibrationRoutinesTest::unitFlag()
{
    EnglishUnits = false;
    SetEnglishUnits();
    QVERIFY(EnglishUnits);
    SetEnglishUnits();
    QVERIFY(EnglishUnits);
    EnglishUnits = false;
}

MX_REGISTER_TEST(VibrationRoutinesTest)

#include "tst_vibration.moc"
