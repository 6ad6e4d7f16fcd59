#include "common/number_text.h"
#include "test_registry.h"
#include "vibration/vibration.h"
#include "vibration/vibration_procedures.h"

#include <QTest>

#include <optional>
#include <type_traits>

using namespace mx;

namespace {

constexpr bool kEnglish = true;
constexpr bool kMetric = false;

// Forty digits: more than a single holds, though only digits were typed. Four hundred: more than a double holds.
const QString kBeyondSingle = QStringLiteral("1") + QString(39, u'0');
const QString kBeyondDouble = QStringLiteral("1") + QString(400, u'0');
const QString kThreeE38 = QStringLiteral("3") + QString(38, u'0');
const char* const kError = "Calculation Error";
const char* const kErrorTwice = "Calculation Error|Calculation Error";
const char* const kTooMany = "Only 2 entry boxes may contain your data";

template <typename T> std::optional<double> widen(std::optional<T> value)
{
    return value ? std::optional<double>(double(*value)) : std::nullopt;
}

// Calls a routine with the row's two numbers (rounded to single where it takes singles, as the tab reads them) and
// widens its result.
template <auto F> std::optional<double> call(double x, double y, bool english)
{
    if constexpr (std::is_invocable_v<decltype(F), double, double, bool>)
        return widen(F(x, y, english));
    else
        return widen(F(x, y));
}

struct RoutineRow {
    const char* name;
    std::optional<double> (*routine)(double, double, bool);
    bool english;
    double x;
    double y;
    const char* result; // the full text of the value: a single shows its single-precision digits
};

const RoutineRow kRoutineRows[] = {
    {"accel, 10 Hz 0.1 in", call<AccelFromFreqDisplacement>, kEnglish, 10, 0.1, "0.510999977588654"},
    {"velocity, 10 Hz 0.1 in", call<VelocityFromFreqDisplacement>, kEnglish, 10, 0.1, "3.14159274101257"},
    {"displacement back is a double", call<DisplacementFromFreqAccel>, kEnglish, 10, 0.511, "0.0999999956142179"},
    {"coefficients disagree: not 10 Hz", call<FreqFromAccelVelocity>, kEnglish, 0.511, 3.1415927, "9.9936056137085"},
    {"metric velocity, 10 Hz 0.254 cm", call<VelocityFromFreqDisplacement>, kMetric, 10, 0.254, "0.0797964558005333"},
    {"metric accel from m/s", call<AccelFromFreqVelocity>, kMetric, 10, 1, "6.37795257568359"},
    {"metric displacement from accel", call<DisplacementFromFreqAccel>, kMetric, 10, 0.511, "0.253999988860113"},
    {"metric freq from cm and m/s", call<FreqFromDisplacementVelocity>, kMetric, 0.254, 0.0797965, "10.0000057220459"},
    {"metric freq from accel and cm", call<FreqFromAccelDisplacement>, kMetric, 0.511, 0.254, "10"},
    {"metric velocity from accel", call<VelocityFromFreqAccel>, kMetric, 10, 0.511, "0.079745426774025"},
    {"both negative under the root", call<FreqFromAccelDisplacement>, kEnglish, -1, -0.1, "13.9890928268433"},
    {"velocity rounded to single", call<VelocityFromFreqDisplacement>, kEnglish, 1000, 10, "31415.92578125"},
    {"zero velocity divides", call<FreqFromAccelVelocity>, kEnglish, 1, 0, kError},
    {"zero frequency divides", call<DisplacementFromFreqAccel>, kMetric, 0, 1, kError},
    {"result beyond a single", call<AccelFromFreqVelocity>, kEnglish, 3e38, 3e38, kError},
    {"a step overflows, the result would not", call<FreqFromDisplacementVelocity>, kEnglish, 1e308, 1, kError},
    {"g RMS of 100 Hz at 0.04", call<GrmsFromDensity>, kEnglish, 100, 0.04, "2"},
    {"density of 2 g RMS over 100 Hz", call<DensityFromGrms>, kEnglish, 2, 100, "0.0399999991059303"},
    {"bandwidth loses its single residue", call<BandwidthFromGrms>, kEnglish, 2, 0.04, "100"},
    {"negative bandwidth", call<BandwidthFromGrms>, kEnglish, 2, -0.04, "-100"},
    {"zero bandwidth divides", call<DensityFromGrms>, kEnglish, 2, 0, kError},
    {"bandwidth beyond a single", call<BandwidthFromGrms>, kEnglish, 1e30, 1e-10, kError},
};

// Four boxes (frequency, displacement, acceleration, velocity) run the sine procedure, three (bandwidth, density,
// overall g RMS) the random one. Messages as shown, separated by "|".
struct ProcedureRow {
    const char* name;
    bool english;
    QStringList entries;
    QStringList shown;
    QString messages;
};

const ProcedureRow kProcedureRows[] = {
    {"frequency and displacement", kEnglish, {"10", "0.1", "", ""}, {"10", "0.1", ".5110", "3.1416"}, ""},
    {"zero is empty and overwritten", kEnglish, {"10", "0.1", "0", "x"}, {"10", "0.1", ".5110", "3.1416"}, ""},
    {"frequency and acceleration", kEnglish, {"10", "", "0.511", ""}, {"10", ".100000", "0.511", "3.1396"}, ""},
    {"frequency and velocity", kEnglish, {"10", "", "", "3.1416"}, {"10", ".100000", ".5089", "3.1416"}, ""},
    {"displacement and acceleration", kEnglish, {"", "0.1", "0.511", ""}, {"10.0000", "0.1", "0.511", "3.1396"}, ""},
    {"accel and velocity", kEnglish, {"", "", "0.511", "3.1415927"}, {"9.9936", ".100064", "0.511", "3.1415927"}, ""},
    {"displacement and velocity", kEnglish, {"", "0.1", "", "3.1415927"}, {"10.0000", "0.1", ".5089", "3.1415927"}, ""},
    {"velocity shows single digits", kEnglish, {"1000", "10", "", ""}, {"1000", "10", "511000.0000", "31415.9258"}, ""},
    {"metric frequency and cm", kMetric, {"10", "0.254", "", ""}, {"10", "0.254", ".5110", ".0798"}, ""},
    {"metric frequency and accel", kMetric, {"10", "", "0.511", ""}, {"10", ".254000", "0.511", ".0797"}, ""},
    {"negative accel fails twice", kEnglish, {"", "0.1", "-1", ""}, {".0000", "0.1", "-1", ".0000"}, kErrorTwice},
    {"results beyond a single", kEnglish, {kThreeE38, "1", "", ""}, {kThreeE38, "1", ".0000", ".0000"}, kErrorTwice},
    {"input beyond a single", kEnglish, {kBeyondSingle, "0.1", "", ""}, {kBeyondSingle, "0.1", "", ""}, kError},
    {"three filled", kEnglish, {"10", "0.1", "1", ""}, {"10", "0.1", "1", ""}, kTooMany},
    {"one filled does nothing", kEnglish, {"10", "", "-", "."}, {"10", "", "-", "."}, ""},
    {"bandwidth and density", kEnglish, {"100", "0.04", ""}, {"100", "0.04", "2.000"}, ""},
    {"bandwidth and g RMS", kEnglish, {"100", "", "2"}, {"100", ".04000", "2"}, ""},
    {"density and g RMS", kEnglish, {"", "0.04", "2"}, {"100.000", "0.04", "2"}, ""},
    {"bandwidth grouped", kEnglish, {"", "0.01", "10"}, {"10,000.000", "0.01", "10"}, ""},
    {"bandwidth rounded first", kEnglish, {"", "0.05", "0.0049999"}, {".001", "0.05", "0.0049999"}, ""},
    {"negative product under the root", kEnglish, {"-100", "0.04", ""}, {"-100", "0.04", ".000"}, kError},
    {"bandwidth too small to show", kEnglish, {"", "1000", "0.001"}, {".000", "1000", "0.001"}, kError},
    {"random, three filled", kEnglish, {"100", "0.04", "2"}, {"100", "0.04", "2"}, kTooMany},
    {"random, one filled", kEnglish, {"", "0.04", "0"}, {"", "0.04", "0"}, ""},
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
    void routines_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kRoutineRows)); ++i)
            QTest::newRow(kRoutineRows[i].name) << i;
    }

    void routines()
    {
        QFETCH(int, row);
        const RoutineRow& r = kRoutineRows[row];
        const std::optional<double> value = r.routine(r.x, r.y, r.english);
        QCOMPARE(value ? generalNumberText(*value) : QString::fromUtf16(kCalculationError),
                 QString::fromUtf8(r.result));
    }

    void procedures_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("messages");
        for (const ProcedureRow& row : kProcedureRows)
            QTest::newRow(row.name) << row.english << row.entries << row.shown
                                    << row.messages.split(u'|', Qt::SkipEmptyParts);
    }

    void procedures()
    {
        QFETCH(bool, english);
        QFETCH(QStringList, entries);
        if (entries.size() == kRandomBoxCount) {
            const RandomOutcome outcome = calculateRandom(textsOf<kRandomBoxCount>(entries));
            QTEST(listOf(outcome.text), "shown");
            QTEST(outcome.messages, "messages");
        } else {
            const SineOutcome outcome = calculateSine({textsOf<kSineBoxCount>(entries), english});
            QTEST(listOf(outcome.text), "shown");
            QTEST(outcome.messages, "messages");
        }
    }

    void unitSwitch_data()
    {
        QTest::addColumn<bool>("englishBefore");
        QTest::addColumn<bool>("toEnglish");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("shown");
        for (const SwitchRow& row : kSwitchRows)
            QTest::newRow(row.name) << row.englishBefore << row.toEnglish << row.entries << row.shown;
    }

    void unitSwitch()
    {
        QFETCH(bool, englishBefore);
        QFETCH(bool, toEnglish);
        QFETCH(QStringList, entries);
        const UnitSwitchOutcome outcome = switchUnits({textsOf<kSineBoxCount>(entries), englishBefore}, toEnglish);
        QTEST(listOf(outcome.text), "shown"); // the captions are the panel suite's
    }
};

MX_REGISTER_TEST(VibrationTest)

#include "tst_vibration.moc"
