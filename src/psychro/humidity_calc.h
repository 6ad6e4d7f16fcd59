#pragma once

#include "psychro/psychro_message.h"

#include <QString>
#include <QStringView>

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

// What a calculation reads: the boxes, the options and the tab's program-wide values.
struct HumidityState {
    HumidityBoxes boxes;
    QString scale = QStringLiteral("F"); // HumidityScale, which the selected scale option always agrees with
    HumidityMethod method = HumidityMethod::DryBulbWetBulb;
    bool extendedRange = false;
    bool rhInputMode = false; // RHInputMode
};

struct HumidityOutcome {
    HumidityBoxes boxes;
    bool rhInputMode = false; // the new RHInputMode
    PsychroMessages messages; // to be shown in this order
};

// The extended range: degrees Celsius inside, five decimals shown, all three methods. `rh` is not used: the
// relative humidity is read from the box. A temperature at or below -237.7 C, a wet bulb that cannot be found or
// a result that is not a finite number stops the calculation with a message and no box changed.
HumidityOutcome ExtendedRangeCalc(const HumidityState& state, double dry, double wet, double rh);

// The normal range: 32 F to 212 F, two decimals shown. A wet bulb <= 0 switches to the relative-humidity path
// for this and later calculations (rhInputMode stays set until a method is chosen).
HumidityOutcome NormalRangeCalc(const HumidityState& state, double dry, double wet, double rh);

// The Calculate action: reads the dry bulb, wet bulb and relative humidity boxes and runs the procedure of the
// chosen range.
HumidityOutcome calculateHumidity(const HumidityState& state);

struct ScaleSwitch {
    HumidityBoxes boxes;
    PsychroMessages messages;
};

// The scale switch: the dry-bulb, wet-bulb and dew-point texts in `toScale` with two decimals (empty ones stay
// empty). Nothing changes when `fromScale` already is `toScale`. A value whose conversion is beyond the number
// range keeps its text, with a message.
ScaleSwitch convertHumidityScale(const HumidityBoxes& boxes, QStringView fromScale, QStringView toScale);

struct HumidityCaptions {
    QString dryAirTemp;
    QString wetBulbTemp;
    QString dewPoint;
};

HumidityCaptions humidityCaptions(QStringView scale);

} // namespace mx
