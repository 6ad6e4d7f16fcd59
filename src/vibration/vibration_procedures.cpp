#include "vibration/vibration_procedures.h"

#include "common/number_text.h"
#include "vibration/vibration.h"

#include <optional>

namespace mx {
namespace {

constexpr char16_t kSinePicture[] = u"####.###0";
constexpr char16_t kDisplacementPicture[] = u"####.#####0";
constexpr char16_t kUnitSwitchPicture[] = u"####.0###";
constexpr char16_t kOverallPicture[] = u"###.##0";
constexpr char16_t kDensityPicture[] = u"##.####0";
constexpr char16_t kBandwidthPicture[] = u"##,###.##0";

// The pairs of filled sine boxes, in the order their blocks run.
enum class SinePair {
    FrequencyDisplacement,
    FrequencyAcceleration,
    FrequencyVelocity,
    DisplacementAcceleration,
    AccelerationVelocity,
    DisplacementVelocity
};

struct PairBoxes {
    SinePair pair;
    SineBox first;
    SineBox second;
};

constexpr PairBoxes kPairsInOrder[] = {
    {SinePair::FrequencyDisplacement, kFrequencyBox, kDisplacementBox},
    {SinePair::FrequencyAcceleration, kFrequencyBox, kAccelerationBox},
    {SinePair::FrequencyVelocity, kFrequencyBox, kVelocityBox},
    {SinePair::DisplacementAcceleration, kDisplacementBox, kAccelerationBox},
    {SinePair::AccelerationVelocity, kAccelerationBox, kVelocityBox},
    {SinePair::DisplacementVelocity, kDisplacementBox, kVelocityBox},
};

// A typed value beyond what its routine takes (a single, or beyond the double range) reads as nothing.
std::optional<float> readSingle(const QString& text)
{
    const LeadingNumber number = parseLeadingNumber(text);
    return number.overflow ? std::nullopt : toSingle(number.value);
}

std::optional<double> readDouble(const QString& text)
{
    const LeadingNumber number = parseLeadingNumber(text);
    return number.overflow ? std::nullopt : std::optional<double>(number.value);
}

// A routine's fault is reported and its caller carries on with 0.
template <typename T> T orZero(std::optional<T> result, QStringList& messages)
{
    if (result)
        return *result;
    messages.append(QString::fromUtf16(kCalculationError));
    return T(0);
}

// Runs the block of one pair over the texts; false when an input could not be read, with nothing changed.
bool runPairBlock(SinePair pair, bool english, SineTexts& text, QStringList& messages)
{
    const std::optional<float> f = readSingle(text[kFrequencyBox]);
    const std::optional<double> d = readDouble(text[kDisplacementBox]);
    const std::optional<float> a = readSingle(text[kAccelerationBox]);
    const std::optional<float> v = readSingle(text[kVelocityBox]);
    const auto unreadable = [&messages] {
        messages.append(QString::fromUtf16(kCalculationError));
        return false;
    };

    switch (pair) {
    case SinePair::FrequencyDisplacement: {
        if (!f || !d)
            return unreadable();
        const float acceleration = orZero(AccelFromFreqDisplacement(*f, *d, english), messages);
        const float velocity = orZero(VelocityFromFreqDisplacement(*f, *d, english), messages);
        text[kAccelerationBox] = formatPicture(acceleration, kSinePicture);
        text[kVelocityBox] = formatPicture(velocity, kSinePicture);
        break;
    }
    case SinePair::FrequencyAcceleration: {
        if (!f || !a)
            return unreadable();
        const double displacement = orZero(DisplacementFromFreqAccel(*f, *a, english), messages);
        const float velocity = orZero(VelocityFromFreqAccel(*f, *a, english), messages);
        text[kDisplacementBox] = formatPicture(displacement, kDisplacementPicture);
        text[kVelocityBox] = formatPicture(velocity, kSinePicture);
        break;
    }
    case SinePair::FrequencyVelocity: {
        if (!f || !v)
            return unreadable();
        const double displacement = orZero(DisplacementFromFreqVelocity(*f, *v, english), messages);
        const float acceleration = orZero(AccelFromFreqVelocity(*f, *v, english), messages);
        text[kDisplacementBox] = formatPicture(displacement, kDisplacementPicture);
        text[kAccelerationBox] = formatPicture(acceleration, kSinePicture);
        break;
    }
    // In the last three pairs the second routine takes the frequency as computed, in single precision.
    case SinePair::DisplacementAcceleration: {
        if (!d || !a)
            return unreadable();
        const float frequency = orZero(FreqFromAccelDisplacement(*a, *d, english), messages);
        const float velocity = orZero(VelocityFromFreqAccel(frequency, *a, english), messages);
        text[kFrequencyBox] = formatPicture(frequency, kSinePicture);
        text[kVelocityBox] = formatPicture(velocity, kSinePicture);
        break;
    }
    case SinePair::AccelerationVelocity: {
        if (!a || !v)
            return unreadable();
        const float frequency = orZero(FreqFromAccelVelocity(*a, *v, english), messages);
        const double displacement = orZero(DisplacementFromFreqVelocity(frequency, *v, english), messages);
        text[kFrequencyBox] = formatPicture(frequency, kSinePicture);
        text[kDisplacementBox] = formatPicture(displacement, kDisplacementPicture);
        break;
    }
    case SinePair::DisplacementVelocity: {
        if (!d || !v)
            return unreadable();
        const float frequency = orZero(FreqFromDisplacementVelocity(*d, *v, english), messages);
        const float acceleration = orZero(AccelFromFreqVelocity(frequency, *v, english), messages);
        text[kFrequencyBox] = formatPicture(frequency, kSinePicture);
        text[kAccelerationBox] = formatPicture(acceleration, kSinePicture);
        break;
    }
    }
    return true;
}

bool isFilled(const QString& text)
{
    return leadingNumber(text) != 0.0;
}

void convertText(QString& text, double factor)
{
    if (!text.isEmpty())
        text = formatPicture(leadingNumber(text) * factor, kUnitSwitchPicture);
}

} // namespace

QString tooManyEntriesMessage()
{
    return QStringLiteral("Only 2 entry boxes may contain your data");
}

SineOutcome calculateSine(const SineEntries& entries)
{
    SineOutcome outcome{entries.text, {}};
    std::array<bool, kSineBoxCount> filled{};
    int filledCount = 0;
    for (std::size_t i = 0; i < filled.size(); ++i) {
        filled[i] = isFilled(entries.text[i]);
        filledCount += filled[i] ? 1 : 0;
    }
    if (filledCount >= 3) {
        outcome.messages.append(tooManyEntriesMessage());
        return outcome;
    }
    // The pairs are noted before any block runs: a block's results do not make further pairs.
    for (const PairBoxes& boxes : kPairsInOrder) {
        if (!filled[boxes.first] || !filled[boxes.second])
            continue;
        if (!runPairBlock(boxes.pair, entries.englishUnits, outcome.text, outcome.messages)) {
            outcome.text = entries.text;
            return outcome;
        }
    }
    return outcome;
}

RandomOutcome calculateRandom(const RandomTexts& entries)
{
    RandomOutcome outcome{entries, {}};
    const bool bandwidth = isFilled(entries[kBandwidthBox]);
    const bool density = isFilled(entries[kDensityBox]);
    const bool overall = isFilled(entries[kOverallBox]);
    if (bandwidth && density && overall) {
        outcome.messages.append(tooManyEntriesMessage());
        return outcome;
    }
    const std::optional<float> b = readSingle(entries[kBandwidthBox]);
    const std::optional<float> s = readSingle(entries[kDensityBox]);
    const std::optional<float> g = readSingle(entries[kOverallBox]);
    const auto readable = [&outcome](std::optional<float> x, std::optional<float> y) {
        if (x && y)
            return true;
        outcome.messages.append(QString::fromUtf16(kCalculationError));
        return false;
    };

    if (bandwidth && density && readable(b, s))
        outcome.text[kOverallBox] = formatPicture(orZero(GrmsFromDensity(*b, *s), outcome.messages), kOverallPicture);
    if (bandwidth && overall && readable(g, b))
        outcome.text[kDensityBox] = formatPicture(orZero(DensityFromGrms(*g, *b), outcome.messages), kDensityPicture);
    if (density && overall && readable(g, s))
        outcome.text[kBandwidthBox] =
            formatPicture(orZero(BandwidthFromGrms(*g, *s), outcome.messages), kBandwidthPicture);
    return outcome;
}

UnitCaptions startingCaptions()
{
    return {QStringLiteral("Peak-Peak displacment in inches"), QStringLiteral("Peak velocity inches/second")};
}

UnitSwitchOutcome switchUnits(const SineEntries& entries, bool toEnglish)
{
    UnitSwitchOutcome outcome;
    outcome.text = entries.text;
    outcome.englishUnits = toEnglish;
    if (toEnglish) {
        outcome.captions = {QStringLiteral("Peak-Peak displacment in inches"),
                            QStringLiteral("Peak velocity in inches/second")};
    } else {
        outcome.captions = {QStringLiteral("Peak-Peak displacment in centimeters"),
                            QStringLiteral("Peak velocity in meters/second")};
    }
    if (entries.englishUnits != toEnglish) {
        convertText(outcome.text[kDisplacementBox], toEnglish ? kInchesPerCentimetre : kCentimetresPerInch);
        convertText(outcome.text[kVelocityBox], toEnglish ? kInchesPerMetre : kMetresPerInch);
    }
    return outcome;
}

} // namespace mx
