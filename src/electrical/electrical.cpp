#include "electrical/electrical.h"

#include "common/number_text.h"

#include <cmath>
#include <numbers>

namespace mx {
namespace {

constexpr char16_t kEInVolts[] = u"E in Volts";
constexpr char16_t kIInAmps[] = u"I in Amps";
constexpr char16_t kRInOhms[] = u"R in Ohms";
constexpr char16_t kWInWatts[] = u"W in Watts";

constexpr std::array<ElectricalFormula, kElectricalFormulaCount> kFormulas{{
    {u"E/I", Quantity::Resistance, kEInVolts, kIInAmps, kRInOhms, {6, 4}},
    {u"E²/W", Quantity::Resistance, kEInVolts, kWInWatts, kRInOhms, {6, 4}},
    {u"W/I²", Quantity::Resistance, kWInWatts, kIInAmps, kRInOhms, {6, 4}},
    {u"IR", Quantity::Emf, kIInAmps, kRInOhms, kEInVolts, {6, 6}},
    {u"W/I", Quantity::Emf, kWInWatts, kIInAmps, kEInVolts, {6, 4}},
    {u"√(WR)", Quantity::Emf, kWInWatts, kRInOhms, kEInVolts, {0, 3}},
    {u"EI", Quantity::Power, kEInVolts, kIInAmps, kWInWatts, {6, 6}},
    {u"I²R", Quantity::Power, kIInAmps, kRInOhms, kWInWatts, {2, 5}},
    {u"E²/R", Quantity::Power, kEInVolts, kRInOhms, kWInWatts, {6, 4}},
    {u"E/R", Quantity::Current, kEInVolts, kRInOhms, kIInAmps, {6, 4}},
    {u"W/E", Quantity::Current, kWInWatts, kEInVolts, kIInAmps, {6, 4}},
    {u"√(W/R)", Quantity::Current, kWInWatts, kRInOhms, kIInAmps, {3, 2}},
}};

constexpr WheelSpot formulaSpot(int index, int left, int top, int width, int height)
{
    return {WheelSpotKind::Formula, index, QRect(left, top, width, height)};
}

constexpr WheelSpot quadrantSpot(Quantity quantity, int left, int top)
{
    return {WheelSpotKind::Quadrant, int(quantity), QRect(left, top, 495, 495)};
}

constexpr std::array<WheelSpot, kElectricalFormulaCount + kQuadrantCount> kSpots{{
    formulaSpot(0, 3240, 2040, 615, 735),
    formulaSpot(1, 2940, 2760, 555, 795),
    formulaSpot(2, 2100, 3120, 675, 795),
    formulaSpot(3, 1380, 3180, 735, 675),
    formulaSpot(4, 780, 2700, 615, 795),
    formulaSpot(5, 180, 2100, 1155, 615),
    formulaSpot(6, 240, 1500, 975, 495),
    formulaSpot(7, 480, 780, 975, 495),
    formulaSpot(8, 1500, 180, 615, 1095),
    formulaSpot(9, 2100, 240, 615, 915),
    formulaSpot(10, 2820, 480, 615, 915),
    formulaSpot(11, 3300, 1260, 735, 795),
    quadrantSpot(Quantity::Resistance, 2220, 2160),
    quadrantSpot(Quantity::Emf, 1560, 2160),
    quadrantSpot(Quantity::Power, 1560, 1500),
    quadrantSpot(Quantity::Current, 2220, 1500),
}};

// Half-open, so that spots sharing an edge never both claim it.
bool spotContains(const QRect& r, QPointF p)
{
    return p.x() >= r.left() && p.x() < r.left() + r.width() && p.y() >= r.top() && p.y() < r.top() + r.height();
}

// The sector (0-11, clockwise from three o'clock) that holds a point of the wheel area.
int sectorAt(QPointF p)
{
    const double degrees =
        std::atan2(p.y() - kWheelCentreTwips.y(), p.x() - kWheelCentreTwips.x()) * 180.0 / std::numbers::pi;
    const double clockwise = degrees < 0 ? degrees + 360.0 : degrees;
    return int(clockwise / 30.0) % kElectricalFormulaCount;
}

std::optional<double> checked(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> divided(std::optional<double> a, std::optional<double> b)
{
    if (!a || !b || *b == 0.0)
        return std::nullopt;
    return checked(*a / *b);
}

std::optional<double> multiplied(std::optional<double> a, std::optional<double> b)
{
    if (!a || !b)
        return std::nullopt;
    return checked(*a * *b);
}

std::optional<double> squared(double a)
{
    return checked(a * a);
}

std::optional<double> rooted(std::optional<double> a)
{
    if (!a || *a < 0.0)
        return std::nullopt;
    return std::sqrt(*a);
}

} // namespace

const std::array<ElectricalFormula, kElectricalFormulaCount>& electricalFormulas()
{
    return kFormulas;
}

QString quadrantName(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Resistance:
        return QStringLiteral("Resistance in Ohms");
    case Quantity::Emf:
        return QStringLiteral("EMF in Volts");
    case Quantity::Power:
        return QStringLiteral("Power in Watts");
    case Quantity::Current:
        return QStringLiteral("Current in Amperes");
    }
    return {};
}

QString quadrantLetter(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Resistance:
        return QStringLiteral("R");
    case Quantity::Emf:
        return QStringLiteral("E");
    case Quantity::Power:
        return QStringLiteral("W");
    case Quantity::Current:
        return QStringLiteral("I");
    }
    return {};
}

QString pickSpotToolTip()
{
    return QStringLiteral("Select the desired formula");
}

QString selectedFormulaToolTip()
{
    return QStringLiteral("Selected Formula");
}

QString electricalFaultMessage()
{
    return QStringLiteral("Divide by Zero error.");
}

std::optional<double> electricalAnswer(int index, double xValue, double yValue)
{
    const std::optional<double> x = checked(xValue);
    const std::optional<double> y = checked(yValue);
    if (!x || !y)
        return std::nullopt;
    switch (index) {
    case 0:
    case 4:
    case 9:
    case 10:
        return divided(x, y);
    case 1:
    case 8:
        return divided(squared(*x), y);
    case 2:
        return divided(x, squared(*y));
    case 3:
    case 6:
        return multiplied(y, x);
    case 5:
        return rooted(multiplied(x, y));
    case 7:
        return multiplied(squared(*x), y);
    case 11:
        return rooted(divided(x, y));
    default:
        return std::nullopt;
    }
}

ElectricalResult calculateElectrical(int index, QStringView firstText, QStringView secondText)
{
    if (index < 0 || index >= kElectricalFormulaCount)
        return {ElectricalStatus::NoFormula, {}};
    const LeadingNumber x = parseLeadingNumber(firstText);
    const LeadingNumber y = parseLeadingNumber(secondText);
    if (x.overflow || y.overflow)
        return {ElectricalStatus::Fault, {}};
    const std::optional<double> answer = electricalAnswer(index, x.value, y.value);
    if (!answer)
        return {ElectricalStatus::Fault, {}};
    return {ElectricalStatus::Answered, formatPicture(*answer, u"#####.#####")};
}

const std::array<WheelSpot, kElectricalFormulaCount + kQuadrantCount>& wheelSpots()
{
    return kSpots;
}

WheelSpot wheelSpotAt(QPointF twips)
{
    WheelSpot found;
    int matches = 0;
    for (const WheelSpot& spot : kSpots) {
        if (!spotContains(spot.twips, twips))
            continue;
        ++matches;
        found = spot;
    }
    if (matches > 1) {
        const int sector = sectorAt(twips);
        for (const WheelSpot& spot : kSpots)
            if (spot.kind == WheelSpotKind::Formula && spot.index == sector && spotContains(spot.twips, twips))
                return spot;
    }
    return found;
}

QString wheelSpotName(const WheelSpot& spot)
{
    switch (spot.kind) {
    case WheelSpotKind::Formula:
        return QStringLiteral("imgPick(%1)").arg(spot.index);
    case WheelSpotKind::Quadrant:
        return QStringLiteral("imgTip(%1)").arg(spot.index);
    case WheelSpotKind::None:
        break;
    }
    return {};
}

} // namespace mx
