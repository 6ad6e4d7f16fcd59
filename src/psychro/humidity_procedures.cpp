#include "psychro/humidity_procedures.h"

#include "common/number_text.h"
#include "psychro/psychro_extended_range.h"
#include "psychro/psychro_normal_range.h"

#include <cmath>

namespace mx {
namespace {

constexpr const char16_t* kExtendedPicture = u"###.####0";
constexpr const char16_t* kNormalPicture = u"###0.#0";
constexpr const char16_t* kFineNormalPicture = u"###0.####0";
constexpr const char16_t* kGrainsWetBulbPicture = u"####0.###0";

PsychroMessage entryError(const QString& text)
{
    return {text, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Entry ERROR")};
}

// One run of the extended range. Boxes are written into a working copy; a stop of our own hands back the boxes
// as they came in. A routine's message is queued as it comes, so the messages keep the order of the steps.
class ExtendedRun {
public:
    explicit ExtendedRun(const HumidityState& state)
        : state_(state), boxes_(state.boxes), fahrenheit_(state.scale == TemperatureScale::Fahrenheit)
    {}

    HumidityOutcome run(double T, double Tw)
    {
        const double Td0 = leadingNumber(boxes_.dewPoint);
        const double P = state_.pressure.inHg();
        switch (state_.method) {
        case HumidityMethod::DryBulbWetBulb: {
            if (!usable(toC(T)) || !usable(toC(Tw)))
                return stopped();
            const CheckedValue RH = queue(RHFromWetBulb(toC(T), toC(Tw), P));
            if (!show(boxes_.humidity, RH.value))
                return stopped();
            if (!RH.ok())
                return finished();
            // A humidity too small to show reads back as 0: the message is shown and the 0 C dew point used.
            const double Td = queue(DewPointFromRH(read(boxes_.humidity), toC(T))).value;
            if (!show(boxes_.dewPoint, fromC(Td)) || !showVaporAndGrains())
                return stopped();
            break;
        }
        case HumidityMethod::DryBulbRH: {
            if (!usable(toC(T)))
                return stopped();
            const CheckedValue Td = queue(DewPointFromRH(read(boxes_.humidity), toC(T)));
            if (!Td.ok())
                return finished();
            if (!show(boxes_.dewPoint, fromC(Td.value)))
                return stopped();
            const CheckedValue wetBulb = queue(WetBulbFromDewPoint(toC(T), Td.value, P));
            if (!wetBulb.ok() || !show(boxes_.wetBulbTemp, fromC(wetBulb.value)) || !showVaporAndGrains())
                return stopped();
            break;
        }
        case HumidityMethod::DryBulbDewPoint: {
            if (!usable(toC(T)) || !usable(toC(Td0)))
                return stopped();
            const CheckedValue RH = queue(RHFromDewPoint(toC(Td0), toC(T)));
            if (!show(boxes_.humidity, RH.value))
                return stopped();
            if (RH.ok()) {
                const CheckedValue wetBulb = queue(WetBulbFromDewPoint(toC(T), toC(Td0), P));
                if (!wetBulb.ok() || !show(boxes_.wetBulbTemp, fromC(wetBulb.value)) || !showVaporAndGrains())
                    return stopped();
            }
            break;
        }
        }
        return finished();
    }

private:
    double toC(double x) const { return fahrenheit_ ? FtoC(x) : x; }
    double fromC(double x) const { return fahrenheit_ ? CtoF(x) : x; }
    static double read(const QString& box) { return leadingNumber(box); }

    CheckedValue queue(CheckedValue result)
    {
        shown_.append(result.messages);
        return result;
    }

    // A temperature the Magnus formula can take; otherwise the message is queued.
    bool usable(double celsius)
    {
        if (celsius <= kLowestMagnusCelsius) {
            shown_.append(temperatureTooLowMessage());
            return false;
        }
        if (!std::isfinite(celsius)) {
            shown_.append(notCalculableMessage());
            return false;
        }
        return true;
    }

    bool show(QString& box, double value)
    {
        if (!std::isfinite(value)) {
            shown_.append(notCalculableMessage());
            return false;
        }
        box = formatPicture(value, kExtendedPicture);
        return true;
    }

    // Vapour pressure and grains come from the dew point as its box shows it.
    bool showVaporAndGrains()
    {
        if (!usable(toC(read(boxes_.dewPoint))))
            return false;
        const double vapor = MbToInHg(SatVaporPressure(toC(read(boxes_.dewPoint))));
        const double grains = GrainsPerPound(toC(read(boxes_.dewPoint)), state_.pressure.inHg());
        if (!std::isfinite(vapor) || !std::isfinite(grains)) {
            shown_.append(notCalculableMessage());
            return false;
        }
        boxes_.vaporPressure = generalNumberText(vapor);
        boxes_.grainsPerLb = generalNumberText(grains);
        return true;
    }

    HumidityOutcome finished() const { return {boxes_, state_.rhInputMode, shown_}; }
    HumidityOutcome stopped() const { return {state_.boxes, state_.rhInputMode, shown_}; }

    const HumidityState& state_;
    HumidityBoxes boxes_;
    PsychroMessages shown_;
    bool fahrenheit_;
};

// The part both normal-range paths share: vapour pressure, dew point and grains from the dry and wet bulb in
// degrees Fahrenheit, with an exponential saturation formula in kelvins, at the pressure p in hPa.
struct CommonBlockPictures {
    bool vaporInInHgByFactor; // e * 0.02953 instead of e / 33.8653
    const char16_t* vaporPicture;
    const char16_t* grainsPicture;
};

void commonBlock(double T, double Tw, double p, bool celsius, const CommonBlockPictures& pictures, HumidityOutcome& out)
{
    const double Tk = FtoC(T) + 273.16;
    const double Twk = FtoC(Tw) + 273.16;
    const double ew = std::exp(((Twk - 273.16) * 17.27) / (Twk - 35.86)) * 6.108;
    const double e = ew - (T - Tw) * (p * 0.000367) * ((Tw - 32) / 1571 + 1);
    out.boxes.vaporPressure = pictures.vaporInInHgByFactor ? formatPicture(e * 0.02953, pictures.vaporPicture)
                                                           : formatPicture(e / 33.8653, pictures.vaporPicture);
    const double es = std::exp(((Tk - 273.16) * 17.27) / (Tk - 35.86)) * 6.108;
    const double RH2 = (e * 100) / es;
    if (RH2 <= 0) {
        out.messages.append(notCalculableMessage());
        return;
    }
    const double x = std::log((RH2 * es) / 610.8) / 17.27;
    const double Tdk = (273.16 - x * 35.86) / (1 - x);
    const double Tdc = Tdk - 273.16;
    const double Tdf = CtoF(Tdc);
    const double w = (e * 622) / (p - e);
    out.boxes.grainsPerLb = formatPicture(w * 7, pictures.grainsPicture);
    out.boxes.dewPoint = formatPicture(celsius ? Tdc : Tdf, kNormalPicture);
}

// The wet bulb whose humidity ratio, rounded to millionths, matches W: a halving search from the middle of
// 32 F .. T. It ends once a step no longer moves the rounded wet bulb, so it always ends.
double searchWetBulb(double T, double W, double P)
{
    double step = (T - 32) / 2;
    double Tw = step + 32;
    for (;;) {
        const double Wt = RoundTo(HumidityRatioFromWetBulb(Tw, T, P), 1000000);
        if (Wt == W)
            break;
        step = step / 2;
        const double prev = Tw;
        if (Wt < W)
            Tw = Tw + step;
        if (Wt > W)
            Tw = Tw - step;
        if (RoundTo(prev, 100) == RoundTo(Tw, 100))
            break;
    }
    return Tw;
}

void relativeHumidityPath(double T, double RH, const BarometricPressure& pressure, bool celsius, HumidityOutcome& out)
{
    if (celsius)
        T = CtoF(T);
    if (T < 32 || T > 212 || RH < 0 || RH > 100) {
        out.messages.append(
            entryError(QStringLiteral("You must use values between 32F (0C) TO 212F (100C)\r\n And 0 to 100% RH")));
        return;
    }
    const double P = pressure.psia();
    const double r = RH / 100;
    const double Ps = SatPressurePsia(T);
    double W = ((r - Ps * r / P) * ((Ps * 0.622) / (P - Ps))) / (1 - Ps * r / P);
    W = RoundTo(W, 1000000);
    double Tw = searchWetBulb(T, W, P);
    if (celsius)
        Tw = FtoC(Tw);
    out.boxes.wetBulbTemp = formatPicture(Tw, kNormalPicture);
    if (celsius)
        Tw = CtoF(Tw);
    commonBlock(T, Tw, pressure.hPa(), celsius, {true, kFineNormalPicture, kFineNormalPicture}, out);
}

void wetBulbPath(double T, double Tw, const BarometricPressure& pressure, bool celsius, HumidityOutcome& out)
{
    if (celsius) {
        T = CtoF(T);
        Tw = CtoF(Tw);
    }
    if (T < 32 || T > 212 || Tw < 32 || Tw > 212) {
        out.messages.append(entryError(QStringLiteral("Temperature out of range.  32F (0C) TO 212F (100C)")));
        return;
    }
    if (T < Tw) {
        out.messages.append(entryError(QStringLiteral(" Dry bulb must be greater than or equal to the Wet bulb")));
        return;
    }
    const double P = pressure.psia();
    const double W = HumidityRatioFromWetBulb(Tw, T, P);
    const double mu = W / SatHumidityRatio(T, P);
    const double RH = (mu / (1 - ((1 - mu) * SatPressurePsia(T)) / P)) * 100;
    out.boxes.humidity = formatPicture(RH, kNormalPicture);
    commonBlock(T, Tw, pressure.hPa(), celsius, {false, kNormalPicture, kGrainsWetBulbPicture}, out);
}

HumidityOutcome normalRangeCalculation(const HumidityState& state, double dry, double wet, double rh)
{
    HumidityOutcome out{state.boxes, state.rhInputMode, {}};
    const bool celsius = state.scale == TemperatureScale::Celsius;
    // An empty or non-positive wet bulb means the relative humidity is the second input.
    if (wet <= 0)
        out.rhInputMode = true;
    if (out.rhInputMode)
        relativeHumidityPath(dry, rh, state.pressure, celsius, out);
    else
        wetBulbPath(dry, wet, state.pressure, celsius, out);
    return out;
}

} // namespace

HumidityOutcome calculateHumidity(const HumidityState& state)
{
    const double dry = leadingNumber(state.boxes.dryAirTemp);
    const double wet = leadingNumber(state.boxes.wetBulbTemp);
    // The extended range reads the relative humidity from its box as a step of its own.
    if (state.extendedRange)
        return ExtendedRun(state).run(dry, wet);
    return normalRangeCalculation(state, dry, wet, leadingNumber(state.boxes.humidity));
}

ScaleSwitch convertHumidityScale(const HumidityBoxes& boxes, TemperatureScale from, TemperatureScale to)
{
    ScaleSwitch out{boxes, {}};
    if (from == to)
        return out;
    const auto convert = to == TemperatureScale::Fahrenheit ? CtoF : FtoC;
    for (QString* box : {&out.boxes.dryAirTemp, &out.boxes.wetBulbTemp, &out.boxes.dewPoint}) {
        if (box->isEmpty())
            continue;
        const double converted = convert(leadingNumber(*box));
        if (std::isfinite(converted))
            *box = formatPicture(converted, kNormalPicture);
        else if (out.messages.isEmpty())
            out.messages.append(notCalculableMessage());
    }
    return out;
}

HumidityCaptions humidityCaptions(TemperatureScale scale)
{
    const QString unit = scale == TemperatureScale::Celsius ? QStringLiteral("(C)") : QStringLiteral("(F)");
    return {QStringLiteral("Dry Air Temp ") + unit, QStringLiteral("Wet Bulb Temp ") + unit,
            QStringLiteral("Dew Point Temp ") + unit};
}

} // namespace mx
