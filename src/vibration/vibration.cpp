#include "vibration/vibration.h"

#include "common/number_text.h"

#include <cfloat>
#include <cmath>

namespace mx {

namespace {

// The coefficients are these rounded figures, not derived from the acceleration of gravity, so results must keep
// their small inconsistencies (10 Hz and 0.1 in give 0.511 g, and 0.511 g back gives 9.9936 Hz).
constexpr double kAccelPerFreqVelocity = 0.0162;            // g per (Hz * in/s)
constexpr double kAccelPerFreqSquaredDisplacement = 0.0511; // g per (Hz^2 * in peak-to-peak)
constexpr double kVelocityFreqPerAccel = 61.44;             // (in/s * Hz) per g
constexpr double kPi = 3.141592654;                         // ten digits, as the figures above were made with

// Half a unit in the last place above the largest single: from here on a double rounds to infinity.
constexpr double kSingleOverflow = double(FLT_MAX) + 0x1p103;

constexpr char16_t kBandwidthPicture[] = u"#####.####";

// Double arithmetic that notes a fault at the step where it happens, as each step of the routines is checked: an
// overflow in the middle of a formula is a fault even where a later step would bring the value back into range.
class Steps {
public:
    double mul(double x, double y) { return check(x * y); }
    double div(double x, double y)
    {
        if (y == 0.0) {
            fault_ = true;
            return 0.0;
        }
        return check(x / y);
    }
    double squared(double x) { return check(std::pow(x, 2.0)); }
    double root(double x)
    {
        if (x < 0.0) {
            fault_ = true;
            return 0.0;
        }
        return std::sqrt(x);
    }

    std::optional<float> single(double result) const { return fault_ ? std::nullopt : toSingle(result); }
    std::optional<double> real(double result) const { return fault_ ? std::nullopt : std::optional<double>(result); }

private:
    double check(double result)
    {
        if (!std::isfinite(result))
            fault_ = true;
        return result;
    }

    bool fault_ = false;
};

double displacementInInches(Steps& s, double d, bool englishUnits)
{
    return englishUnits ? d : s.mul(d, kInchesPerCentimetre);
}

double velocityInInches(Steps& s, double v, bool englishUnits)
{
    return englishUnits ? v : s.mul(v, kInchesPerMetre);
}

} // namespace

std::optional<float> toSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= kSingleOverflow)
        return std::nullopt;
    return float(value);
}

std::optional<float> AccelFromFreqVelocity(float f, float v, bool englishUnits)
{
    Steps s;
    const double vIn = velocityInInches(s, v, englishUnits);
    return s.single(s.mul(s.mul(vIn, kAccelPerFreqVelocity), f));
}

std::optional<float> AccelFromFreqDisplacement(float f, double d, bool englishUnits)
{
    Steps s;
    const double dIn = displacementInInches(s, d, englishUnits);
    return s.single(s.mul(s.mul(s.squared(f), kAccelPerFreqSquaredDisplacement), dIn));
}

std::optional<double> DisplacementFromFreqAccel(float f, float a, bool englishUnits)
{
    Steps s;
    const double inches = s.div(a, s.mul(s.squared(f), kAccelPerFreqSquaredDisplacement));
    return s.real(englishUnits ? inches : s.mul(inches, kCentimetresPerInch));
}

std::optional<double> DisplacementFromFreqVelocity(float f, float v, bool englishUnits)
{
    Steps s;
    const double vIn = velocityInInches(s, v, englishUnits);
    const double inches = s.div(vIn, s.mul(f, kPi));
    return s.real(englishUnits ? inches : s.mul(inches, kCentimetresPerInch));
}

std::optional<float> FreqFromAccelDisplacement(float a, double d, bool englishUnits)
{
    Steps s;
    const double dIn = displacementInInches(s, d, englishUnits);
    return s.single(s.root(s.div(a, s.mul(dIn, kAccelPerFreqSquaredDisplacement))));
}

std::optional<float> FreqFromAccelVelocity(float a, float v, bool englishUnits)
{
    Steps s;
    const double vIn = velocityInInches(s, v, englishUnits);
    return s.single(s.mul(s.div(a, vIn), kVelocityFreqPerAccel));
}

std::optional<float> FreqFromDisplacementVelocity(double d, float v, bool englishUnits)
{
    Steps s;
    const double vIn = velocityInInches(s, v, englishUnits);
    const double dIn = displacementInInches(s, d, englishUnits);
    return s.single(s.div(vIn, s.mul(dIn, kPi)));
}

std::optional<float> VelocityFromFreqDisplacement(float f, double d, bool englishUnits)
{
    Steps s;
    const double dIn = displacementInInches(s, d, englishUnits);
    const double inchesPerSecond = s.mul(s.mul(f, kPi), dIn);
    return s.single(englishUnits ? inchesPerSecond : s.mul(inchesPerSecond, kMetresPerInch));
}

std::optional<float> VelocityFromFreqAccel(float f, float a, bool englishUnits)
{
    Steps s;
    const double inchesPerSecond = s.mul(s.div(a, f), kVelocityFreqPerAccel);
    return s.single(englishUnits ? inchesPerSecond : s.mul(inchesPerSecond, kMetresPerInch));
}

std::optional<float> GrmsFromDensity(float bandwidth, float density)
{
    Steps s;
    return s.single(s.root(s.mul(bandwidth, density)));
}

std::optional<float> DensityFromGrms(float grms, float bandwidth)
{
    Steps s;
    return s.single(s.div(s.squared(grms), bandwidth));
}

std::optional<float> BandwidthFromGrms(float grms, float density)
{
    Steps s;
    const double quotient = s.div(s.squared(grms), density);
    if (!s.real(quotient))
        return std::nullopt;
    const std::optional<double> rounded = strictNumber(formatPicture(quotient, kBandwidthPicture));
    if (!rounded)
        return std::nullopt;
    return toSingle(*rounded);
}

} // namespace mx
