#include "psychro/psychro_extended_range.h"

#include <cmath>

namespace mx {
namespace {

PsychroMessage exclamation(const char* text)
{
    return {QString::fromLatin1(text), MsgButtons::Ok, MsgIcon::Exclamation, {}};
}

CheckedValue refused(double value, const char* text)
{
    return {value, {exclamation(text)}};
}

} // namespace

PsychroMessage temperatureTooLowMessage()
{
    return exclamation("Temperature must be above -237.7C");
}

double SatVaporPressure(double T)
{
    const double q = (T * 7.5) / (T + 237.7);
    return std::pow(10.0, q) * 6.112;
}

double Log10(double x)
{
    if (x <= 0)
        return 0;
    return std::log(x) / std::log(10.0);
}

double DewPointFromVapor(double e)
{
    const double x = Log10(e / 6.112);
    return (x * 237.7) / (7.5 - x);
}

WetBulbSearch WetBulbFromDewPoint(double T, double Td, double P)
{
    const double p = InHgToMb(P);
    const double e = SatVaporPressure(Td);
    double upper = T > Td ? T : Td;
    double lower = T > Td ? Td : T;
    double mid = upper;
    for (int pass = 1; pass <= kMaxWetBulbPasses; ++pass) {
        mid = (upper + lower) / 2;
        const double ew = SatVaporPressure(mid);
        const double f = (mid * 0.00155 + 1) * 0.00066 * p * (T - mid) - ew + e;
        const bool found = std::fabs(f) < 0.01;
        if (f >= 0)
            lower = mid;
        else
            upper = mid;
        if (found)
            return {{mid, {}}, pass};
    }
    return {refused(mid, "Wet Bulb can not be calculated from these values"), kMaxWetBulbPasses};
}

CheckedValue DewPointFromRH(double RH, double T)
{
    if (RH <= 0)
        return refused(0, "Relative humidity must be greater than 0%");
    if (RH > 100)
        return refused(0, "Relative humidity cannot be greater than 100%");
    const double es = SatVaporPressure(T);
    const double e = (RH / 100) * es;
    return {DewPointFromVapor(e), {}};
}

CheckedValue RHFromVapor(double e, double es)
{
    const double RH = (e / es) * 100;
    if (RH <= 0)
        return refused(RH, "Invalid entry!  Check your data and try again.");
    return {RH, {}};
}

CheckedValue RHFromWetBulb(double T, double Tw, double P)
{
    if (Tw > T)
        return refused(0, "Dry Bulb must be greater than Wet Bulb!");
    const double p = InHgToMb(P);
    const double e = SatVaporPressure(Tw) - (Tw * 0.00155 + 1) * 0.00066 * p * (T - Tw);
    return RHFromVapor(e, SatVaporPressure(T));
}

CheckedValue RHFromDewPoint(double Td, double T)
{
    CheckedValue RH = RHFromVapor(SatVaporPressure(Td), SatVaporPressure(T));
    if (RH.value > 100 || RH.value <= 0)
        RH.messages.append(exclamation("Invalid entry! Check your data and try again"));
    return RH;
}

double GrainsPerPound(double Td, double P)
{
    const double e = SatVaporPressure(Td);
    const double p = InHgToMb(P);
    const double w = (e * 622) / (p - e);
    return w * 7;
}

double CtoF(double x)
{
    return x * (9.0 / 5.0) + 32;
}

double FtoC(double x)
{
    return (x - 32) * (5.0 / 9.0);
}

double InHgToMb(double p)
{
    return p * 33.8653;
}

double MbToInHg(double p)
{
    return p / 33.8653;
}

} // namespace mx
