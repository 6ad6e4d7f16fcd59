#pragma once

#include "psychro/psychro_message.h"

// The extended-range psychrometric routines (Magnus-type saturation over water, degrees Celsius, hPa) and the
// temperature and pressure conversions the Humidity and Wind tabs share. Every step is one floating-point
// operation in the order written in psychro_extended_range.cpp: the order decides the last digit a box shows.
namespace mx {

inline constexpr double kStandardPressureInHg = 29.9212;

// The Magnus formula has its pole here: a temperature at or below it has no saturation pressure.
inline constexpr double kLowestMagnusCelsius = -237.7;

// The bisection of WetBulbFromDewPoint needs a few dozen passes at most where a root exists.
inline constexpr int kMaxWetBulbPasses = 200;

// What a checking routine gives back: its number, and the messages to show for a bad value (the number is then
// what the routine gives after its message, and the caller decides whether to go on with it).
struct CheckedValue {
    double value = 0;
    PsychroMessages messages;

    bool ok() const { return messages.isEmpty(); }
};

struct WetBulbSearch : CheckedValue {
    int passes = 0;
};

double SatVaporPressure(double T);
// Base-10 logarithm; 0 (silently) for x <= 0.
double Log10(double x);
double DewPointFromVapor(double e);

// Bisection on the psychrometer equation between T and Td. Gives up after kMaxWetBulbPasses passes with a message.
WetBulbSearch WetBulbFromDewPoint(double T, double Td, double P);

CheckedValue DewPointFromRH(double RH, double T);
CheckedValue RHFromVapor(double e, double es);
CheckedValue RHFromWetBulb(double T, double Tw, double P);
// Can carry two messages: the one of RHFromVapor, then its own.
CheckedValue RHFromDewPoint(double Td, double T);

double GrainsPerPound(double Td, double P);

double CtoF(double x);
double FtoC(double x);
double InHgToMb(double p);
double MbToInHg(double p);

// "Temperature must be above -237.7C": a dry bulb, wet bulb or dew point at or below the Magnus pole.
PsychroMessage temperatureTooLowMessage();

} // namespace mx
