#pragma once

#include <QString>
#include <QStringList>

#include <array>

// What the Vibration tab's buttons and option buttons do, over the texts of its boxes: the form copies its boxes in,
// calls one of these, shows the messages in order and copies the texts back. A result passes through the text of
// its box, so the rounding of the pictures is what later calculations and unit switches see.
namespace mx {

// The sine boxes in the order of their array (Text1(0) to Text1(3)); on screen the order is the same.
enum SineBox { kFrequencyBox, kDisplacementBox, kAccelerationBox, kVelocityBox, kSineBoxCount };

// The random boxes (Text2(0) to Text2(2)).
enum RandomBox { kBandwidthBox, kDensityBox, kOverallBox, kRandomBoxCount };

using SineTexts = std::array<QString, kSineBoxCount>;
using RandomTexts = std::array<QString, kRandomBoxCount>;

struct SineEntries {
    SineTexts text;
    bool englishUnits = true; // the unit system the displacement and velocity texts are in
};

struct SineOutcome {
    SineTexts text;
    QStringList messages; // OK-only boxes with the application title, in the order shown
};

struct RandomOutcome {
    RandomTexts text;
    QStringList messages;
};

struct UnitCaptions {
    QString displacement; // Label10
    QString velocity;     // Label11
};

struct UnitSwitchOutcome {
    UnitCaptions captions;
    SineTexts text;
    bool englishUnits = true;
};

QString tooManyEntriesMessage();

// An entry counts as filled when its leading number is not zero: empty, "0", "0.000" and text without a number
// are all empty; a negative number is filled.
//
// Any two filled sine boxes give the other two; three or four filled give tooManyEntriesMessage() and change
// nothing; fewer than two do nothing. Where a pair gives the frequency first, the second routine takes it as computed,
// in single precision. A value typed beyond the range its routine takes gives kCalculationError and changes nothing.
SineOutcome calculateSine(const SineEntries& entries);

// Any two filled random boxes give the third; three filled give tooManyEntriesMessage().
RandomOutcome calculateRandom(const RandomTexts& entries);

// The captions before the user has chosen a unit system.
UnitCaptions startingCaptions();

// Sets the unit captions for `toEnglish` and, when the unit system changes, converts the displacement and velocity
// texts that are not empty. Each switch converts the rounded text shown, so precision is lost at every switch.
UnitSwitchOutcome switchUnits(const SineEntries& entries, bool toEnglish);

} // namespace mx
