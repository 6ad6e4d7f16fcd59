#pragma once

#include "psychro/barometric_pressure.h"
#include "psychro/psychro_message.h"

#include <QString>

// The Humidity tab's two calculation procedures over the texts of its six boxes. A result written into a box is
// read back from the box text for the next step, so the display rounding enters later results: the procedures
// work on the texts, not on the unrounded numbers.
namespace mx {

enum class HumidityMethod {
    DryBulbWetBulb, // "Dry Bulb / Wet Bulb"
    DryBulbRH,      // "Dry Bulb / %RH"
    DryBulbDewPoint // "Dry Bulb / Dew Point", extended range only
};

struct HumidityBoxes {
    QString dryAirTemp;
    QString wetBulbTemp;
    QString humidity; // relative humidity, %
    QString vaporPressure;
    QString dewPoint;
    QString grainsPerLb;

    bool operator==(const HumidityBoxes&) const = default;
};

enum class TemperatureScale { Fahrenheit, Celsius };

// What a calculation reads: the boxes, the options and the tab's own state.
struct HumidityState {
    HumidityBoxes boxes;
    TemperatureScale scale = TemperatureScale::Fahrenheit; // of the dry-bulb, wet-bulb and dew-point boxes
    HumidityMethod method = HumidityMethod::DryBulbWetBulb;
    bool extendedRange = false;
    bool rhInputMode = false; // the relative humidity is the second input, whatever the method says
    BarometricPressure pressure;
};

struct HumidityOutcome {
    HumidityBoxes boxes;
    bool rhInputMode = false; // the tab's new input mode
    PsychroMessages messages; // to be shown in this order
};

// The Calculate action over the box texts.
//
// Extended range: degrees Celsius inside, five decimals shown, all three methods. A temperature at or below
// -237.7 C, a wet bulb that cannot be found or a result that is not a finite number stops the calculation with a
// message and no box changed.
//
// Normal range: 32 F to 212 F, two decimals shown, the wet-bulb or the relative-humidity path. A wet bulb <= 0
// switches to the relative-humidity path for this and later calculations: rhInputMode stays set until a method is
// chosen.
//
// Both at the state's barometric pressure: the normal range takes it in psia and hPa, the extended range in inHg.
HumidityOutcome calculateHumidity(const HumidityState& state);

struct ScaleSwitch {
    HumidityBoxes boxes;
    PsychroMessages messages;
};

// The scale switch: the dry-bulb, wet-bulb and dew-point texts in `to` with two decimals (empty ones stay empty).
// Nothing changes when `from` already is `to`. A value whose conversion is beyond the number range keeps its text,
// with a message.
ScaleSwitch convertHumidityScale(const HumidityBoxes& boxes, TemperatureScale from, TemperatureScale to);

struct HumidityCaptions {
    QString dryAirTemp;
    QString wetBulbTemp;
    QString dewPoint;
};

HumidityCaptions humidityCaptions(TemperatureScale scale);

} // namespace mx
