#pragma once

// The normal-range routines (32 F to 212 F, pounds per square inch). Temperatures in degrees Fahrenheit; P is the
// barometric pressure in psia (14.7 at the standard atmosphere).
namespace mx {

double SatPressurePsia(double T);
double SatHumidityRatio(double T, double P);
// Humidity ratio (lb/lb) of air with dry bulb T and wet bulb Tw, for a wet bulb above freezing.
double HumidityRatioFromWetBulb(double Tw, double T, double P);
// x rounded to the nearest multiple of 1/f; halves go up, also for negative x.
double RoundTo(double x, double f);

} // namespace mx
