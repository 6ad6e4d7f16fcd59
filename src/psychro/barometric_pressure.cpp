#include "psychro/barometric_pressure.h"

#include "common/number_text.h"
#include "psychro/psychro_extended_range.h"

#include <cmath>

namespace mx {
namespace {

constexpr double kPascalPerInHg = 3386.389;
constexpr double kPascalPerPsi = 6894.757293168361; // a pound-force on a square inch
constexpr double kPsiPerInHg = kPascalPerInHg / kPascalPerPsi;
constexpr double kMetresPerFoot = 0.3048;

// 30 kPa and 110 kPa, to the thousandth of an inch: 8.85902 and 32.48323 inHg.
constexpr int kLowestThousandths = 8859;
constexpr int kHighestThousandths = 32483;
// What shows as 29.92 inHg: 29.915 to 29.924.
constexpr int kStandardFromThousandths = 29915;
constexpr int kStandardToThousandths = 29924;

bool hasDigit(QStringView text)
{
    for (QChar c : text) {
        if (c.isDigit())
            return true;
    }
    return false;
}

PressureEntry refused(const QString& text)
{
    return {std::nullopt, text};
}

// The limits each unit's message quotes: rounded inwards, so that every value between them is taken.
const char* altitudeLimits(AltitudeUnit unit)
{
    return unit == AltitudeUnit::Metres ? "from -698 to 9,160 m" : "from -2,290 to 30,060 ft";
}

const char* pressureLimits(PressureUnit unit)
{
    switch (unit) {
    case PressureUnit::Psia:
        return "from 4.36 to 15.95 psia";
    case PressureUnit::HPa:
        return "from 300 to 1100 hPa";
    case PressureUnit::KPa:
        return "from 30 to 110 kPa";
    case PressureUnit::InHg:
        break;
    }
    return "from 8.86 to 32.48 inHg";
}

PressureEntry entryOf(double inHg, const QString& refusal)
{
    const std::optional<BarometricPressure> pressure = BarometricPressure::fromInHg(inHg);
    return pressure ? PressureEntry{pressure, {}} : refused(refusal);
}

} // namespace

std::optional<BarometricPressure> BarometricPressure::fromInHg(double inHg)
{
    const double thousandths = std::round(inHg * 1000);
    // Also false for NaN and the infinities.
    if (!(thousandths >= kLowestThousandths && thousandths <= kHighestThousandths))
        return std::nullopt;
    BarometricPressure pressure;
    const int whole = int(thousandths);
    if (whole < kStandardFromThousandths || whole > kStandardToThousandths)
        pressure.thousandths_ = whole;
    return pressure;
}

double BarometricPressure::inHg() const
{
    return isStandard() ? kStandardPressureInHg : thousandths_ / 1000.0;
}

double BarometricPressure::psia() const
{
    return isStandard() ? 14.7 : inHg() * kPsiPerInHg;
}

double BarometricPressure::hPa() const
{
    return isStandard() ? kStandardPressureInHg * 33.8653 : inHg() * (kPascalPerInHg / 100);
}

double BarometricPressure::altitudeFeet() const
{
    if (isStandard())
        return 0;
    return (1 - std::pow(psia() / 14.696, 1 / 5.2559)) / 6.8754e-6;
}

double psiaAtAltitude(double feet)
{
    return 14.696 * std::pow(1 - 6.8754e-6 * feet, 5.2559);
}

QString pressureCaption(const BarometricPressure& pressure)
{
    if (pressure.isStandard())
        return {};
    // + 0.0: a rounded -0 shows as 0.
    const double feet = std::round(pressure.altitudeFeet() / 10) * 10 + 0.0;
    return QStringLiteral("At %1 inHg (%2 ft)")
        .arg(formatPicture(pressure.inHg(), u"#0.00"), formatPicture(feet, u"#,##0"));
}

QString pressureFileText(const BarometricPressure& pressure)
{
    return formatPicture(pressure.inHg(), u"#0.000");
}

BarometricPressure pressureFromFileText(QStringView text)
{
    return BarometricPressure::fromInHg(leadingNumber(text)).value_or(BarometricPressure());
}

PressureEntry pressureAtAltitude(QStringView text, AltitudeUnit unit)
{
    if (!hasDigit(text))
        return refused(QStringLiteral("Enter an altitude."));
    const double value = leadingNumber(text);
    const double feet = unit == AltitudeUnit::Metres ? value / kMetresPerFoot : value;
    return entryOf(psiaAtAltitude(feet) / kPsiPerInHg,
                   QStringLiteral("No place on earth is at this altitude.\nEnter an altitude %1.")
                       .arg(QLatin1StringView(altitudeLimits(unit))));
}

PressureEntry pressureFromReading(QStringView text, PressureUnit unit)
{
    if (!hasDigit(text))
        return refused(QStringLiteral("Enter a pressure."));
    const double value = leadingNumber(text);
    double inHg = value;
    switch (unit) {
    case PressureUnit::Psia:
        inHg = value / kPsiPerInHg;
        break;
    case PressureUnit::HPa:
        inHg = value * 100 / kPascalPerInHg;
        break;
    case PressureUnit::KPa:
        inHg = value * 1000 / kPascalPerInHg;
        break;
    case PressureUnit::InHg:
        break;
    }
    return entryOf(inHg, QStringLiteral("No place on earth has this pressure.\nEnter a pressure %1.")
                             .arg(QLatin1StringView(pressureLimits(unit))));
}

QString pressureSummary(const BarometricPressure& pressure)
{
    if (pressure.isStandard())
        return QStringLiteral("Standard atmosphere: 29.921 inHg = 14.696 psia = 1013.25 hPa");
    return QStringLiteral("%1 inHg = %2 psia = %3 hPa")
        .arg(pressureFileText(pressure), formatPicture(pressure.psia(), u"#0.000"),
             formatPicture(pressure.hPa(), u"#0.00"));
}

} // namespace mx
