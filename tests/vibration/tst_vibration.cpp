#include "common/number_text.h"
#include "test_registry.h"
#include "vibration/vibration.h"
#include "vibration/vibration_procedures.h"

#include <QTest>

#include <functional>
#include <map>
#include <optional>

using namespace mx;

namespace {

constexpr bool kEnglish = true;
constexpr bool kMetric = false;

// Forty digits: more than a single holds, though only digits were typed. Four hundred: more than a double holds.
const QString kBeyondSingle = QStringLiteral("1") + QString(39, u'0');
const QString kBeyondDouble = QStringLiteral("1") + QString(400, u'0');
const QString kThreeE38 = QStringLiteral("3") + QString(38, u'0');
const char* const kError = "Calculation Error";
const char* const kTooMany = "Only 2 entry boxes may contain your data";

template <typename T> std::optional<double> widen(std::optional<T> value)
{
    return value ? std::optional<double>(double(*value)) : std::nullopt;
}

// Each routine by name; single arguments are rounded to single first, as the tab reads them.
using Routine = std::function<std::optional<double>(double, double, bool)>;
const std::map<QString, Routine> kRoutines = {
    {"AccelFromFreqVelocity", [](double f, double v, bool e) { return widen(AccelFromFreqVelocity(f, v, e)); }},
    {"AccelFromFreqDisplacement", [](double f, double d, bool e) { return widen(AccelFromFreqDisplacement(f, d, e)); }},
    {"DisplacementFromFreqAccel", [](double f, double a, bool e) { return widen(DisplacementFromFreqAccel(f, a, e)); }},
    {"DisplacementFromFreqVelocity",
     [](double f, double v, bool e) { return widen(DisplacementFromFreqVelocity(f, v, e)); }},
    {"FreqFromAccelDisplacement", [](double a, double d, bool e) { return widen(FreqFromAccelDisplacement(a, d, e)); }},
    {"FreqFromAccelVelocity", [](double a, double v, bool e) { return widen(FreqFromAccelVelocity(a, v, e)); }},
    {"FreqFromDisplacementVelocity",
     [](double d, double v, bool e) { return widen(FreqFromDisplacementVelocity(d, v, e)); }},
    {"VelocityFromFreqDisplacement",
     [](double f, double d, bool e) { return widen(VelocityFromFreqDisplacement(f, d, e)); }},
    {"VelocityFromFreqAccel", [](double f, double a, bool e) { return widen(VelocityFromFreqAccel(f, a, e)); }},
    {"GrmsFromDensity", [](double b, double s, bool) { return widen(GrmsFromDensity(b, s)); }},
    {"DensityFromGrms", [](double g, double b, bool) { return widen(DensityFromGrms(g, b)); }},
    {"BandwidthFromGrms", [](double g, double s, bool) { return widen(BandwidthFromGrms(g, s)); }},
};

struct RoutineRow {
    const char* name;
    const char* routine;
    bool english;
    double x;
    double y;
    const char* result; // the full text of the value: a single shows its single-precision digits
};

const RoutineRow kRoutineRows[] = {
    {"accel, 10 Hz 0.1 in", "AccelFromFreqDisplacement", kEnglish, 10, 0.1, "0.510999977588654"},
    {"velocity, 10 Hz 0.1 in", "VelocityFromFreqDisplacement", kEnglish, 10, 0.1, "3.14159274101257"},
    {"displacement back is a double", "DisplacementFromFreqAccel", kEnglish, 10, 0.511, "0.0999999956142179"},
    {"coefficients disagree: not 10 Hz", "FreqFromAccelVelocity", kEnglish, 0.511, 3.1415927, "9.9936056137085"},
    {"metric accel, 10 Hz 0.254 cm", "AccelFromFreqDisplacement", kMetric, 10, 0.254, "0.510999977588654"},
    {"metric velocity, 10 Hz 0.254 cm", "VelocityFromFreqDisplacement", kMetric, 10, 0.254, "0.0797964558005333"},
    {"metric accel from m/s", "AccelFromFreqVelocity", kMetric, 10, 1, "6.37795257568359"},
    {"metric displacement from accel", "DisplacementFromFreqAccel", kMetric, 10, 0.511, "0.253999988860113"},
    {"metric freq from cm and m/s", "FreqFromDisplacementVelocity", kMetric, 0.254, 0.0797965, "10.0000057220459"},
    {"metric freq from accel and cm", "FreqFromAccelDisplacement", kMetric, 0.511, 0.254, "10"},
    {"metric velocity from accel", "VelocityFromFreqAccel", kMetric, 10, 0.511, "0.079745426774025"},
    {"both negative under the root", "FreqFromAccelDisplacement", kEnglish, -1, -0.1, "13.9890928268433"},
    {"velocity rounded to single", "VelocityFromFreqDisplacement", kEnglish, 1000, 10, "31415.92578125"},
    {"negative accel under the root", "FreqFromAccelDisplacement", kEnglish, -1, 0.1, kError},
    {"zero velocity divides", "FreqFromAccelVelocity", kEnglish, 1, 0, kError},
    {"zero frequency divides", "DisplacementFromFreqAccel", kMetric, 0, 1, kError},
    {"result beyond a single", "AccelFromFreqVelocity", kEnglish, 3e38, 3e38, kError},
    {"a step overflows, the result would not", "FreqFromDisplacementVelocity", kEnglish, 1e308, 1, kError},
    {"g RMS of 100 Hz at 0.04", "GrmsFromDensity", kEnglish, 100, 0.04, "2"},
    {"density of 2 g RMS over 100 Hz", "DensityFromGrms", kEnglish, 2, 100, "0.0399999991059303"},
    {"bandwidth loses its single residue", "BandwidthFromGrms", kEnglish, 2, 0.04, "100"},
    {"negative bandwidth", "BandwidthFromGrms", kEnglish, 2, -0.04, "-100"},
    {"root of a negative product", "GrmsFromDensity", kEnglish, -100, 0.04, kError},
    {"zero bandwidth divides", "DensityFromGrms", kEnglish, 2, 0, kError},
    {"bandwidth text without digits", "BandwidthFromGrms", kEnglish, 0.001, 1000, kError},
    {"bandwidth beyond a single", "BandwidthFromGrms", kEnglish, 1e30, 1e-10, kError},
};

// Boxes in the order frequency, displacement, acceleration, velocity; messages as shown, separated by "|".
struct SineRow {
    const char* name;
    bool english;
    QStringList entries;
    QStringList shown;
    QString messages;
};

const SineRow kSineRows[] = {
    {"frequency and displacement", kEnglish, {"10", "0.1", "", ""}, {"10", "0.1", ".5110", "3.1416"}, ""},
    {"zero is empty and overwritten", kEnglish, {"10", "0.1", "0", "x"}, {"10", "0.1", ".5110", "3.1416"}, ""},
    {"negative frequency", kEnglish, {"-10", "0.1", "", ""}, {"-10", "0.1", ".5110", "-3.1416"}, ""},
    {"frequency and acceleration", kEnglish, {"10", "", "0.511", ""}, {"10", ".100000", "0.511", "3.1396"}, ""},
    {"frequency and velocity", kEnglish, {"10", "", "", "3.1416"}, {"10", ".100000", ".5089", "3.1416"}, ""},
    {"displacement and acceleration", kEnglish, {"", "0.1", "0.511", ""}, {"10.0000", "0.1", "0.511", "3.1396"}, ""},
    {"acceleration and velocity",
     kEnglish,
     {"", "", "0.511", "3.1415927"},
     {"9.9936", ".100064", "0.511", "3.1415927"},
     ""},
    {"displacement and velocity", kEnglish, {"", "0.1", "", "3.1415927"}, {"10.0000", "0.1", ".5089", "3.1415927"}, ""},
    {"velocity shows single digits", kEnglish, {"1000", "10", "", ""}, {"1000", "10", "511000.0000", "31415.9258"}, ""},
    {"metric frequency and cm", kMetric, {"10", "0.254", "", ""}, {"10", "0.254", ".5110", ".0798"}, ""},
    {"metric frequency and accel", kMetric, {"10", "", "0.511", ""}, {"10", ".254000", "0.511", ".0797"}, ""},
    {"negative accel fails twice",
     kEnglish,
     {"", "0.1", "-1", ""},
     {".0000", "0.1", "-1", ".0000"},
     "Calculation Error|Calculation Error"},
    {"results beyond a single",
     kEnglish,
     {kThreeE38, "1", "", ""},
     {kThreeE38, "1", ".0000", ".0000"},
     "Calculation Error|Calculation Error"},
    {"input beyond a single", kEnglish, {kBeyondSingle, "0.1", "", ""}, {kBeyondSingle, "0.1", "", ""}, kError},
    {"three filled", kEnglish, {"10", "0.1", "1", ""}, {"10", "0.1", "1", ""}, kTooMany},
    {"all four filled", kMetric, {"1", "2", "3", "4"}, {"1", "2", "3", "4"}, kTooMany},
    {"one filled does nothing", kEnglish, {"10", "", "-", "."}, {"10", "", "-", "."}, ""},
};

// Boxes in the order bandwidth, density, overall g RMS.
struct RandomRow {
    const char* name;
    QStringList entries;
    QStringList shown;
    QString messages;
};

const RandomRow kRandomRows[] = {
    {"bandwidth and density", {"100", "0.04", ""}, {"100", "0.04", "2.000"}, ""},
    {"bandwidth and g RMS", {"100", "", "2"}, {"100", ".04000", "2"}, ""},
    {"density and g RMS", {"", "0.04", "2"}, {"100.000", "0.04", "2"}, ""},
    {"bandwidth grouped", {"", "0.01", "10"}, {"10,000.000", "0.01", "10"}, ""},
    {"bandwidth rounded to four decimals first", {"", "0.05", "0.0049999"}, {".001", "0.05", "0.0049999"}, ""},
    {"negative product under the root", {"-100", "0.04", ""}, {"-100", "0.04", ".000"}, kError},
    {"bandwidth too small to show", {"", "1000", "0.001"}, {".000", "1000", "0.001"}, kError},
    {"three filled", {"100", "0.04", "2"}, {"100", "0.04", "2"}, kTooMany},
    {"one filled does nothing", {"", "0.04", "0"}, {"", "0.04", "0"}, ""},
};

struct SwitchRow {
    const char* name;
    bool englishBefore;
    bool toEnglish;
    QStringList entries;
    QStringList shown;
};

const SwitchRow kSwitchRows[] = {
    {"to metric", kEnglish, kMetric, {"10", "0.1", ".5110", "3.1416"}, {"10", ".254", ".5110", ".0798"}},
    {"to English", kMetric, kEnglish, {"10", ".254", ".5110", ".0798"}, {"10", ".1", ".5110", "3.1417"}},
    {"already English: captions only", kEnglish, kEnglish, {"10", "0.1", "1", "2"}, {"10", "0.1", "1", "2"}},
    {"any text converts, empty stays", kEnglish, kMetric, {"", "abc", "", "-2"}, {"", ".0", "", "-.0508"}},
    {"beyond a double", kEnglish, kMetric, {"", kBeyondDouble, "", "12345"}, {"", "Overflow", "", "313.563"}},
};

template <std::size_t N> std::array<QString, N> textsOf(const QStringList& list)
{
    std::array<QString, N> texts;
    for (std::size_t i = 0; i < N; ++i)
        texts[i] = list.value(qsizetype(i));
    return texts;
}

template <std::size_t N> QStringList listOf(const std::array<QString, N>& texts)
{
    return {texts.begin(), texts.end()};
}

} // namespace

class VibrationTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void routines_data();
    void routines();
    void sine_data();
    void sine();
    void sineStoresWhatItComputed();
    void random_data();
    void random();
    void unitSwitch_data();
    void unitSwitch();
};

void VibrationTest::routines_data()
{
    QTest::addColumn<QString>("routine");
    QTest::addColumn<bool>("english");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("result");
    for (const RoutineRow& row : kRoutineRows)
        QTest::newRow(row.name) << row.routine << row.english << row.x << row.y << row.result;
}

void VibrationTest::routines()
{
    QFETCH(QString, routine);
    QFETCH(bool, english);
    QFETCH(double, x);
    QFETCH(double, y);
    QVERIFY2(kRoutines.count(routine) == 1, qPrintable(routine));
    const std::optional<double> value = kRoutines.at(routine)(x, y, english);
    QTEST(value ? generalNumberText(*value) : QString::fromUtf16(kCalculationError), "result");
}

void VibrationTest::sine_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("messages");
    for (const SineRow& row : kSineRows)
        QTest::newRow(row.name) << row.english << row.entries << row.shown
                                << row.messages.split(u'|', Qt::SkipEmptyParts);
}

void VibrationTest::sine()
{
    QFETCH(bool, english);
    QFETCH(QStringList, entries);
    const SineOutcome outcome = calculateSine({textsOf<kSineBoxCount>(entries), english});
    QTEST(listOf(outcome.text), "shown");
    QTEST(outcome.messages, "messages");
}

void VibrationTest::sineStoresWhatItComputed()
{
    VibFrequency = 7.0f;
    calculateSine({textsOf<kSineBoxCount>({"10", "0.1", "", ""}), kEnglish});
    QCOMPARE(generalNumberText(VibAcceleration), QStringLiteral("0.510999977588654"));
    QCOMPARE(generalNumberText(VibVelocity), QStringLiteral("3.14159274101257"));
    QCOMPARE(generalNumberText(VibFrequency), QStringLiteral("7")); // not computed, not touched
    calculateSine({textsOf<kSineBoxCount>({"10", "", "0.511", ""}), kEnglish});
    QCOMPARE(generalNumberText(VibDisplacement), QStringLiteral("0.0999999956142179")); // kept as a double
    calculateSine({textsOf<kSineBoxCount>({"", "0.1", "-1", ""}), kEnglish});
    QCOMPARE(generalNumberText(VibFrequency), QStringLiteral("0"));
}

void VibrationTest::random_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("messages");
    for (const RandomRow& row : kRandomRows)
        QTest::newRow(row.name) << row.entries << row.shown << row.messages.split(u'|', Qt::SkipEmptyParts);
}

void VibrationTest::random()
{
    QFETCH(QStringList, entries);
    const RandomOutcome outcome = calculateRandom(textsOf<kRandomBoxCount>(entries));
    QTEST(listOf(outcome.text), "shown");
    QTEST(outcome.messages, "messages");
}

void VibrationTest::unitSwitch_data()
{
    QTest::addColumn<bool>("englishBefore");
    QTest::addColumn<bool>("toEnglish");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("shown");
    for (const SwitchRow& row : kSwitchRows)
        QTest::newRow(row.name) << row.englishBefore << row.toEnglish << row.entries << row.shown;
}

void VibrationTest::unitSwitch()
{
    QFETCH(bool, englishBefore);
    QFETCH(bool, toEnglish);
    QFETCH(QStringList, entries);
    const UnitSwitchOutcome outcome = switchUnits({textsOf<kSineBoxCount>(entries), englishBefore}, toEnglish);
    QTEST(listOf(outcome.text), "shown");
    QCOMPARE(outcome.englishUnits, toEnglish);
    QCOMPARE(outcome.captions.displacement, toEnglish ? QStringLiteral("Peak-Peak displacment in inches")
                                                      : QStringLiteral("Peak-Peak displacment in centimeters"));
    QCOMPARE(outcome.captions.velocity, toEnglish ? QStringLiteral("Peak velocity in inches/second")
                                                  : QStringLiteral("Peak velocity in meters/second"));
}

MX_REGISTER_TEST(VibrationTest)

#include "tst_vibration.moc"
