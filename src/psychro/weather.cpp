#include "psychro/weather.h"

#include "common/number_text.h"
#include "psychro/psychro_extended_range.h"

#include <cmath>

namespace mx {
namespace {

constexpr double kMphPerKmh = 0.6214;

WeatherAnswer answerOrMessage(double value, const char16_t* picture)
{
    if (!std::isfinite(value))
        return {std::nullopt, {notCalculableMessage()}};
    return {formatPicture(value, picture), {}};
}

} // namespace

double WindChill(double T, double V)
{
    const double w = (std::sqrt(V) * 3.71 + 5.81 - V * 0.25) * 0.0817 * (T - 91.4) + 91.4;
    return w > T ? T : w;
}

double HeatIndex(double T, double RH)
{
    const double T2 = T * T;
    const double T3 = T * T2;
    const double R2 = RH * RH;
    const double R3 = RH * R2;
    return 16.923 + 0.185212 * T + 5.37941 * RH - 0.100254 * T * RH + 0.00941695 * T2 + 0.00728898 * R2 +
           0.000345372 * T2 * RH - 0.000814971 * T * R2 + 1.02102e-5 * T2 * R2 - 3.8646e-5 * T3 + 2.91583e-5 * R3 +
           1.42721e-6 * T3 * RH + 1.97483e-7 * T * R3 - 2.18429e-8 * T3 * R2 + 8.43296e-10 * T2 * R3 -
           4.81975e-11 * T3 * R3;
}

WeatherAnswer windChillAnswer(QStringView temperature, QStringView speed, bool celsius, bool kilometersPerHour)
{
    double T = leadingNumber(temperature);
    if (celsius)
        T = CtoF(T);
    double V = leadingNumber(speed);
    if (kilometersPerHour)
        V = V * kMphPerKmh;
    // The formula takes the square root of the speed.
    if (V < 0)
        return {std::nullopt,
                {{QStringLiteral("Wind speed cannot be negative"), MsgButtons::Ok, MsgIcon::Exclamation, {}}}};
    double WC = WindChill(T, V);
    if (celsius)
        WC = FtoC(WC);
    return answerOrMessage(WC, u"##.##");
}

WeatherAnswer heatIndexAnswer(QStringView temperature, QStringView humidity, bool celsius)
{
    double T = leadingNumber(temperature);
    if (celsius)
        T = CtoF(T);
    const double RH = leadingNumber(humidity);
    double HI = HeatIndex(T, RH);
    if (celsius)
        HI = FtoC(HI);
    return answerOrMessage(HI, u"###.##");
}

WindCaptions windCaptions(bool celsius)
{
    const QString unit = celsius ? QStringLiteral("C") : QStringLiteral("F");
    return {QStringLiteral("Temperature Degrees ") + unit, QStringLiteral("Wind Chill Degrees ") + unit,
            QStringLiteral("Heat Index Degrees ") + unit};
}

QString windSpeedCaption(bool kilometersPerHour)
{
    return kilometersPerHour ? QStringLiteral("Wind Speed KPH") : QStringLiteral("Wind Speed MPH");
}

} // namespace mx
