#pragma once

#include "psychro/psychro_message.h"

#include <QString>

// The extended-range psychrometric routines (Magnus-type saturation over water, degrees Celsius, hPa) and the
// temperature and pressure conversions the Humidity and Wind tabs share. Every step is one floating-point
// operation in the order written in humidity.cpp: the order decides the last digit a box shows.
namespace mx {

// Program-wide state of the Humidity tab. Their own namespace keeps them apart from same-named application globals.
namespace psychro {
extern QString HumidityScale; // "F" or "C": the scale of the tab's temperature boxes
extern bool RHInputMode;      // the relative humidity is the second input (normal range reads that path)
extern bool HumidityError;    // raised by a routine right after its message; cleared by ExtendedRangeCalc
} // namespace psychro

inline constexpr double kStandardPressureInHg = 29.9212;

// The Magnus formula has its pole here: a temperature at or below it has no saturation pressure.
inline constexpr double kLowestMagnusCelsius = -237.7;

// The bisection of WetBulbFromDewPoint needs a few dozen passes at most where a root exists.
inline constexpr int kMaxWetBulbPasses = 200;

double SatVaporPressure(double T);
// Base-10 logarithm; 0 (silently) for x <= 0.
double Log10(double x);
double DewPointFromVapor(double e);

// Bisection on the psychrometer equation between T and Td. Gives up after kMaxWetBulbPasses passes with a message
// and HumidityError; `passes`, when given, receives the number of passes made.
double WetBulbFromDewPoint(double T, double Td, double P, PsychroMessages& shown, int* passes = nullptr);

// These four add their message to `shown` and raise HumidityError on a bad value.
double DewPointFromRH(double RH, double T, PsychroMessages& shown);
double RHFromVapor(double e, double es, PsychroMessages& shown);
double RHFromWetBulb(double T, double Tw, double P, PsychroMessages& shown);
double RHFromDewPoint(double Td, double T, PsychroMessages& shown);

double GrainsPerPound(double Td, double P);

double CtoF(double x);
double FtoC(double x);
double InHgToMb(double p);
double MbToInHg(double p);

// "Temperature must be above -237.7C": a dry bulb, wet bulb or dew point at or below the Magnus pole.
PsychroMessage temperatureTooLowMessage();

} // namespace mx
