#include "psychro/psychro_normal_range.h"

#include <cmath>

namespace mx {

double SatPressurePsia(double T)
{
    return std::exp(-7071.3 / (T + 385)) * 2044660;
}

double SatHumidityRatio(double T, double P)
{
    return (SatPressurePsia(T) * 0.622) / (P - SatPressurePsia(T));
}

double HumidityRatioFromWetBulb(double Tw, double T, double P)
{
    return ((1093 - 0.556 * Tw) * SatHumidityRatio(Tw, P) - 0.24 * (T - Tw)) / (1093 + 0.444 * T - Tw);
}

double RoundTo(double x, double f)
{
    return std::floor(x * f + 0.5) / f;
}

} // namespace mx
