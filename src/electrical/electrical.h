#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The Electrical tab's arithmetic and the layout of its formula wheel, apart from any widget. The wheel is laid out
// in twips of a 4579-twip square; hit testing works in those units, whatever size the wheel is shown at.
namespace mx {

inline constexpr int kElectricalFormulaCount = 12;
inline constexpr int kQuadrantCount = 4;

// The quantities of the wheel's four quadrants, in the order of the centre squares and their names.
enum class Quantity { Resistance, Emf, Power, Current };

struct ElectricalFormula {
    const char16_t* picture;       // right-hand side as drawn: "E/I", "E²/W", "√(WR)"
    Quantity quantity;             // the quadrant holding it, the quantity it computes
    const char16_t* firstCaption;  // caption of the first value (x)
    const char16_t* secondCaption; // caption of the second value (y)
    const char16_t* answerCaption; // caption of the answer
    QPoint selectionOffset;        // where its picture sits in the selection frame, in pixels of the frame
};

// The twelve formulas, clockwise round the wheel from three o'clock.
const std::array<ElectricalFormula, kElectricalFormulaCount>& electricalFormulas();

// "Resistance in Ohms", "EMF in Volts", "Power in Watts", "Current in Amperes".
QString quadrantName(Quantity quantity);
// The capital the wheel shows in the quadrant: "R", "E", "W", "I".
QString quadrantLetter(Quantity quantity);

QString pickSpotToolTip();        // "Select the desired formula"
QString selectedFormulaToolTip(); // "Selected Formula"
QString electricalFaultMessage(); // "Divide by Zero error.", whatever the fault

// The answer of formula `index` for x and y, or nullopt when the arithmetic faults: a division by zero, an overflow,
// the square root of a negative number, or an input that is itself beyond the floating-point range.
std::optional<double> electricalAnswer(int index, double x, double y);

enum class ElectricalStatus {
    Answered,
    Fault,     // show electricalFaultMessage() and leave the answer empty
    NoFormula, // the index is not a formula: nothing to do
};

struct ElectricalResult {
    ElectricalStatus status = ElectricalStatus::NoFormula;
    QString answer; // as shown ("#####.#####"), only when Answered
};

// Reads both values by the leading-number parse (an empty text reads as 0) and computes formula `index`.
ElectricalResult calculateElectrical(int index, QStringView firstText, QStringView secondText);

// Wheel geometry, in twips of the wheel area. The drawing sits where the spots are: its centre lies in the gap
// between the four centre squares, and the squares just fit inside the inner circle.
inline constexpr double kWheelAreaTwips = 4579;
inline constexpr QPointF kWheelCentreTwips{2137.5, 2077.5};
inline constexpr double kWheelOuterRadiusTwips = 2000;
inline constexpr double kWheelInnerRadiusTwips = kWheelOuterRadiusTwips * 5 / 12;

enum class WheelSpotKind { None, Formula, Quadrant };

struct WheelSpot {
    WheelSpotKind kind = WheelSpotKind::None;
    int index = -1; // formula 0-11 or quadrant 0-3 (the order of Quantity)
    QRect twips;    // left, top, width, height in the wheel area

    bool operator==(const WheelSpot&) const = default;
};

// The twelve formula spots, then the four centre squares.
const std::array<WheelSpot, kElectricalFormulaCount + kQuadrantCount>& wheelSpots();

// The spot under a point of the wheel area (twips); kind None outside every spot. A few formula spots overlap by a
// sliver along the wheel's lines; there the formula whose sector holds the point wins.
WheelSpot wheelSpotAt(QPointF twips);

// The spot's name as the tab's controls carry it: "imgPick(3)", "imgTip(0)"; empty for None.
QString wheelSpotName(const WheelSpot& spot);

} // namespace mx
