#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The barometric pressure the Humidity tab calculates at. The standard atmosphere is a state of its own, so that
// the figures at sea level come from the constants the routines have always used (14.7 psia, 29.9212 inHg and their
// product in hPa) to the last digit. Any other pressure is kept to the thousandth of an inch of mercury, as the
// settings file holds it, and converted with the conventional inch of mercury (3386.389 Pa).
namespace mx {

class BarometricPressure {
public:
    // The standard atmosphere.
    BarometricPressure() = default;

    // Pressures no place on earth has, below 30 kPa (higher than 9,000 m) or above 110 kPa, give nullopt, and so
    // does a value that is not a number. A pressure that shows as 29.92 inHg is the standard atmosphere.
    static std::optional<BarometricPressure> fromInHg(double inHg);

    bool isStandard() const { return thousandths_ == 0; }
    double inHg() const;
    double psia() const;
    double hPa() const;
    // Where the standard atmosphere has this pressure (0 at the standard atmosphere).
    double altitudeFeet() const;

    bool operator==(const BarometricPressure&) const = default;

private:
    int thousandths_ = 0; // of an inch of mercury; 0: the standard atmosphere
};

// The pressure of the standard atmosphere at an altitude, psia = 14.696 x (1 - 6.8754e-6 x feet)^5.2559; NaN where
// the formula has none (above about 145,000 ft).
double psiaAtAltitude(double feet);

// "At 24.90 inHg (5,000 ft)", the altitude to the nearest 10 ft; empty at the standard atmosphere.
QString pressureCaption(const BarometricPressure& pressure);

// What the settings file holds: the pressure in inches of mercury to three decimals ("24.896"). Read back, a text
// whose leading number is not a pressure of the earth counts as the standard atmosphere.
QString pressureFileText(const BarometricPressure& pressure);
BarometricPressure pressureFromFileText(QStringView text);

enum class AltitudeUnit { Feet, Metres };
enum class PressureUnit { InHg, Psia, HPa, KPa };

// The entry of the Barometric Pressure dialog, read as the leading number of the box: the pressure, or the message
// that refuses it (a box without a digit, a pressure no place on earth has).
struct PressureEntry {
    std::optional<BarometricPressure> pressure;
    QString refusal;
};

PressureEntry pressureAtAltitude(QStringView text, AltitudeUnit unit);
PressureEntry pressureFromReading(QStringView text, PressureUnit unit);

// The pressure in the dialog's units, for showing what an entry comes to: "24.896 inHg = 12.228 psia = 843.07 hPa".
QString pressureSummary(const BarometricPressure& pressure);

} // namespace mx
