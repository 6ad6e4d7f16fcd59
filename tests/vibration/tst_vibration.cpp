#include "common/number_text.h"
#include "test_registry.h"
#include "vibration/vibration.h"
#include "vibration/vibration_procedures.h"

#include <QTest>

#include <functional>
#include <optional>
#include <type_traits>

using namespace mx;

using Call = std::function<QString()>;

// Forty digits: more than a single holds, though only digits were typed. Four hundred: more than a double holds.
static const QString kBeyondSingle = QStringLiteral("1") + QString(39, u'0');
static const QString kBeyondDouble = QStringLiteral("1") + QString(400, u'0');
static const QString kThreeE38 = QStringLiteral("3") + QString(38, u'0');

// A routine called with two numbers (rounded to single where it takes singles, as the tab reads them): the full text
// of its value, where a single shows its single-precision digits.
template <auto F> Call routine(double x, double y, bool english = true)
{
    return [=] {
        std::optional<double> value;
        if constexpr (std::is_invocable_v<decltype(F), double, double, bool>) {
            if (const auto v = F(x, y, english))
                value = double(*v);
        } else if (const auto v = F(x, y)) {
            value = double(*v);
        }
        return value ? generalNumberText(*value) : QString::fromUtf16(kCalculationError);
    };
}

template <std::size_t N> std::array<QString, N> textsOf(const QString& joined)
{
    const QStringList list = joined.split(u'|');
    std::array<QString, N> texts;
    for (std::size_t i = 0; i < N; ++i)
        texts[i] = list.value(qsizetype(i));
    return texts;
}

// The boxes as shown, then " ! " and the messages where there are any.
template <typename Outcome> QString shown(const Outcome& outcome)
{
    const QString text = QStringList(outcome.text.begin(), outcome.text.end()).join(u'|');
    return outcome.messages.isEmpty() ? text : text + QStringLiteral(" ! ") + outcome.messages.join(u'|');
}

// Four boxes (frequency, displacement, acceleration, velocity) run the sine procedure, three (bandwidth, density,
// overall g RMS) the random one.
static Call sine(const QString& entries, bool english = true)
{
    return [=] { return shown(calculateSine({textsOf<kSineBoxCount>(entries), english})); };
}

static Call random(const QString& entries)
{
    return [=] { return shown(calculateRandom(textsOf<kRandomBoxCount>(entries))); };
}

// The sine boxes after a switch of units (the captions are the panel suite's).
static Call unitSwitch(const QString& entries, bool englishBefore, bool toEnglish)
{
    return [=] {
        const UnitSwitchOutcome outcome = switchUnits({textsOf<kSineBoxCount>(entries), englishBefore}, toEnglish);
        return QStringList(outcome.text.begin(), outcome.text.end()).join(u'|');
    };
}

class VibrationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void calculate_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("expected");
        const QString error = QStringLiteral("Calculation Error");
        const QString twice = QStringLiteral(" ! Calculation Error|Calculation Error");
        const QString tooMany = QStringLiteral(" ! Only 2 entry boxes may contain your data");
        const bool metric = false;
        // clang-format off
        QTest::newRow("accel, 10 Hz 0.1 in") << routine<AccelFromFreqDisplacement>(10, 0.1) << "0.510999977588654";
        QTest::newRow("velocity, 10 Hz 0.1 in") << routine<VelocityFromFreqDisplacement>(10, 0.1) << "3.14159274101257";
        QTest::newRow("displacement back is a double") << routine<DisplacementFromFreqAccel>(10, 0.511)
                                                       << "0.0999999956142179";
        QTest::newRow("coefficients disagree: not 10 Hz") << routine<FreqFromAccelVelocity>(0.511, 3.1415927)
                                                          << "9.9936056137085";
        QTest::newRow("metric velocity, 10 Hz 0.254 cm") << routine<VelocityFromFreqDisplacement>(10, 0.254, metric)
                                                         << "0.0797964558005333";
        QTest::newRow("metric accel from m/s") << routine<AccelFromFreqVelocity>(10, 1, metric) << "6.37795257568359";
        QTest::newRow("metric displacement from accel") << routine<DisplacementFromFreqAccel>(10, 0.511, metric)
                                                        << "0.253999988860113";
        QTest::newRow("metric freq from cm and m/s") << routine<FreqFromDisplacementVelocity>(0.254, 0.0797965, metric)
                                                     << "10.0000057220459";
        QTest::newRow("metric freq from accel and cm") << routine<FreqFromAccelDisplacement>(0.511, 0.254, metric)
                                                       << "10";
        QTest::newRow("metric velocity from accel") << routine<VelocityFromFreqAccel>(10, 0.511, metric)
                                                    << "0.079745426774025";
        QTest::newRow("both negative under the root") << routine<FreqFromAccelDisplacement>(-1, -0.1)
                                                      << "13.9890928268433";
        QTest::newRow("velocity rounded to single") << routine<VelocityFromFreqDisplacement>(1000, 10)
                                                    << "31415.92578125";
        QTest::newRow("zero velocity divides") << routine<FreqFromAccelVelocity>(1, 0) << error;
        QTest::newRow("zero frequency divides") << routine<DisplacementFromFreqAccel>(0, 1, metric) << error;
        QTest::newRow("result beyond a single") << routine<AccelFromFreqVelocity>(3e38, 3e38) << error;
        QTest::newRow("a step overflows, the result would not") << routine<FreqFromDisplacementVelocity>(1e308, 1)
                                                                << error;
        QTest::newRow("g RMS of 100 Hz at 0.04") << routine<GrmsFromDensity>(100, 0.04) << "2";
        QTest::newRow("density of 2 g RMS over 100 Hz") << routine<DensityFromGrms>(2, 100) << "0.0399999991059303";
        QTest::newRow("bandwidth loses its single residue") << routine<BandwidthFromGrms>(2, 0.04) << "100";
        QTest::newRow("negative bandwidth") << routine<BandwidthFromGrms>(2, -0.04) << "-100";
        QTest::newRow("zero bandwidth divides") << routine<DensityFromGrms>(2, 0) << error;
        QTest::newRow("bandwidth beyond a single") << routine<BandwidthFromGrms>(1e30, 1e-10) << error;

        QTest::newRow("frequency and displacement") << sine("10|0.1||") << "10|0.1|.5110|3.1416";
        QTest::newRow("zero is empty and overwritten") << sine("10|0.1|0|x") << "10|0.1|.5110|3.1416";
        QTest::newRow("frequency and acceleration") << sine("10||0.511|") << "10|.100000|0.511|3.1396";
        QTest::newRow("frequency and velocity") << sine("10|||3.1416") << "10|.100000|.5089|3.1416";
        QTest::newRow("displacement and acceleration") << sine("|0.1|0.511|") << "10.0000|0.1|0.511|3.1396";
        QTest::newRow("accel and velocity") << sine("||0.511|3.1415927") << "9.9936|.100064|0.511|3.1415927";
        QTest::newRow("displacement and velocity") << sine("|0.1||3.1415927") << "10.0000|0.1|.5089|3.1415927";
        QTest::newRow("velocity shows single digits") << sine("1000|10||") << "1000|10|511000.0000|31415.9258";
        QTest::newRow("metric frequency and cm") << sine("10|0.254||", metric) << "10|0.254|.5110|.0798";
        QTest::newRow("metric frequency and accel") << sine("10||0.511|", metric) << "10|.254000|0.511|.0797";
        QTest::newRow("negative accel fails twice") << sine("|0.1|-1|") << ".0000|0.1|-1|.0000" + twice;
        QTest::newRow("results beyond a single") << sine(kThreeE38 + "|1||") << kThreeE38 + "|1|.0000|.0000" + twice;
        QTest::newRow("input beyond a single") << sine(kBeyondSingle + "|0.1||") << kBeyondSingle + "|0.1||" + " ! "
                                                                                     + error;
        QTest::newRow("three filled") << sine("10|0.1|1|") << "10|0.1|1|" + tooMany;
        QTest::newRow("one filled does nothing") << sine("10||-|.") << "10||-|.";
        QTest::newRow("bandwidth and density") << random("100|0.04|") << "100|0.04|2.000";
        QTest::newRow("bandwidth and g RMS") << random("100||2") << "100|.04000|2";
        QTest::newRow("density and g RMS") << random("|0.04|2") << "100.000|0.04|2";
        QTest::newRow("bandwidth grouped") << random("|0.01|10") << "10,000.000|0.01|10";
        QTest::newRow("bandwidth rounded first") << random("|0.05|0.0049999") << ".001|0.05|0.0049999";
        QTest::newRow("negative product under the root") << random("-100|0.04|") << "-100|0.04|.000 ! " + error;
        QTest::newRow("bandwidth too small to show") << random("|1000|0.001") << ".000|1000|0.001 ! " + error;
        QTest::newRow("random, three filled") << random("100|0.04|2") << "100|0.04|2" + tooMany;
        QTest::newRow("random, one filled") << random("|0.04|0") << "|0.04|0";

        QTest::newRow("to metric") << unitSwitch("10|0.1|.5110|3.1416", true, metric) << "10|.254|.5110|.0798";
        QTest::newRow("to English") << unitSwitch("10|.254|.5110|.0798", metric, true) << "10|.1|.5110|3.1417";
        QTest::newRow("already English: captions only") << unitSwitch("10|0.1|1|2", true, true) << "10|0.1|1|2";
        QTest::newRow("any text converts, empty stays") << unitSwitch("|abc||-2", true, metric) << "|.0||-.0508";
        QTest::newRow("beyond a double") << unitSwitch("|" + kBeyondDouble + "||12345", true, metric)
                                         << "|Overflow||313.563";
        // clang-format on
    }

    void calculate()
    {
        QFETCH(Call, call);
        QTEST(call(), "expected");
    }
};

MX_REGISTER_TEST(VibrationTest)

#include "tst_vibration.moc"
