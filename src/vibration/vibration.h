#pragma once

#include <optional>

// Sine vibration (frequency, peak acceleration, peak-to-peak displacement, peak velocity) and random vibration of
// uniform spectral density (overall g RMS, acceleration density, bandwidth).
//
// Frequency is always in Hz and acceleration in g peak. Displacement and velocity are in inches and inches per
// second when `englishUnits` is true, in centimetres and metres per second otherwise.
//
// Every routine computes in double precision and rounds once to its result type on return, so a single-precision
// result shows single-precision digits. A fault (division by zero, overflow of any step or of the result's type, the
// square root of a negative number) gives nullopt: the caller shows kCalculationError and carries on with 0.
namespace mx {

inline constexpr const char16_t* kCalculationError = u"Calculation Error";

inline constexpr double kInchesPerCentimetre = 0.39370078740157477;
inline constexpr double kInchesPerMetre = 39.37007874015748;
inline constexpr double kCentimetresPerInch = 2.54;
inline constexpr double kMetresPerInch = 0.0254;

std::optional<float> AccelFromFreqVelocity(float f, float v, bool englishUnits);
std::optional<float> AccelFromFreqDisplacement(float f, double d, bool englishUnits);
std::optional<double> DisplacementFromFreqAccel(float f, float a, bool englishUnits);
std::optional<double> DisplacementFromFreqVelocity(float f, float v, bool englishUnits);
std::optional<float> FreqFromAccelDisplacement(float a, double d, bool englishUnits);
std::optional<float> FreqFromAccelVelocity(float a, float v, bool englishUnits);
std::optional<float> FreqFromDisplacementVelocity(double d, float v, bool englishUnits);
std::optional<float> VelocityFromFreqDisplacement(float f, double d, bool englishUnits);
std::optional<float> VelocityFromFreqAccel(float f, float a, bool englishUnits);

// Random vibration: bandwidth in Hz, density in g^2/Hz, grms in g RMS.
std::optional<float> GrmsFromDensity(float bandwidth, float density);
std::optional<float> DensityFromGrms(float grms, float bandwidth);
// The bandwidth passes through the text of "#####.####", so it carries at most four decimals; a quotient that
// rounds to nothing at all (".") is a fault.
std::optional<float> BandwidthFromGrms(float grms, float density);

// A number in single precision, or nullopt when it lies beyond the single range (it would round to infinity).
std::optional<float> toSingle(double value);

} // namespace mx
