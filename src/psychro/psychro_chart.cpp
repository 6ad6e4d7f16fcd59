#include "psychro/psychro_chart.h"

#include "common/number_text.h"
#include "psychro/psychro_extended_range.h"
#include "psychro/psychro_normal_range.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace mx {
namespace {

constexpr const char16_t* kTypedPicture = u"###0.#0"; // as the tab writes temperatures and humidities itself
constexpr double kGrainsPerPound = 7000;              // grains/lb in 1 lb/lb
constexpr double kGramsPerKilogram = 1000;            // g/kg in 1 kg/kg
constexpr double kGrainsPerGramPerKilogram = 7;       // as the tab's grains routine counts them
constexpr int kCurveSteps = 120;                      // fine enough to look smooth at any window size
constexpr int kWetBulbSteps = 12;                     // the wet-bulb lines are almost straight
constexpr int kBisections = 48;
// The tab's relative humidity is found to this many halvings of 0..100 %, finer than the 0.1 % it is typed with.
constexpr int kHumidityHalvings = 14;
// A result this far (a fraction of the ratio axis) from the place read is not the state there.
constexpr double kReadingTolerance = 0.01;

struct ChartFrame {
    double dryFrom;
    double dryTo;
    double dryStep;
    double ratioTo;
    double ratioStep;
    double wetBulbStep;
};

// The normal range is the ASHRAE chart's 32 to 120 F (0 to 50 C); the extended range reaches below freezing and
// into hot air, with more moisture above.
ChartFrame frameOf(const ChartSetup& setup)
{
    const bool celsius = setup.scale == TemperatureScale::Celsius;
    if (setup.extendedRange)
        return celsius ? ChartFrame{-20, 60, 5, 40, 5, 5} : ChartFrame{0, 140, 10, 280, 20, 5};
    return celsius ? ChartFrame{0, 50, 5, 30, 2, 2} : ChartFrame{32, 120, 10, 200, 20, 5};
}

QString degrees(TemperatureScale scale)
{
    return scale == TemperatureScale::Celsius ? QStringLiteral("°C") : QStringLiteral("°F");
}

// The x where a rising or falling f(x) passes `level` between x0 and x1 (f(x0) on one side, f(x1) on the other).
double crossing(const std::function<double(double)>& f, double x0, double x1, double level)
{
    const bool risingAbove = f(x1) > level;
    for (int i = 0; i < kBisections; ++i) {
        const double mid = (x0 + x1) / 2;
        if ((f(mid) > level) == risingAbove)
            x1 = mid;
        else
            x0 = mid;
    }
    return (x0 + x1) / 2;
}

// The boxes as the user fills them in, before Calculate.
HumidityBoxes typedOnly(const HumidityBoxes& boxes)
{
    HumidityBoxes typed;
    typed.dryAirTemp = boxes.dryAirTemp;
    typed.humidity = boxes.humidity;
    return typed;
}

} // namespace

QList<double> ChartAxis::ticks() const
{
    QList<double> ticks{from};
    for (double k = std::floor(from / step) + 1; k * step < to - step / 1000; ++k)
        ticks.append(k * step);
    ticks.append(to);
    return ticks;
}

ChartMapping::ChartMapping(const QRectF& plot, const ChartAxis& dryBulb, const ChartAxis& ratio)
    : plot_(plot), fromX_(dryBulb.from), spanX_(dryBulb.to - dryBulb.from), fromY_(ratio.from),
      spanY_(ratio.to - ratio.from)
{}

QPointF ChartMapping::toPixel(QPointF value) const
{
    return {plot_.left() + (value.x() - fromX_) / spanX_ * plot_.width(),
            plot_.bottom() - (value.y() - fromY_) / spanY_ * plot_.height()};
}

QPointF ChartMapping::toValue(QPointF pixel) const
{
    return {fromX_ + (pixel.x() - plot_.left()) / plot_.width() * spanX_,
            fromY_ + (plot_.bottom() - pixel.y()) / plot_.height() * spanY_};
}

PsychroChart::PsychroChart(const ChartSetup& setup) : setup_(setup)
{
    const ChartFrame frame = frameOf(setup);
    dryBulb_ = {frame.dryFrom, frame.dryTo, frame.dryStep, QStringLiteral("Dry bulb (%1)").arg(degrees(setup.scale))};
    ratio_ = {0, frame.ratioTo, frame.ratioStep, QStringLiteral("Humidity ratio (%1 of dry air)").arg(ratioUnit())};
    wetBulbStep_ = frame.wetBulbStep;
    buildCurves();
    buildGrid();
}

QString PsychroChart::ratioUnit() const
{
    return setup_.scale == TemperatureScale::Celsius ? QStringLiteral("g/kg") : QStringLiteral("grains/lb");
}

QString PsychroChart::pressureTitle() const
{
    if (setup_.pressure.isStandard())
        return QStringLiteral("Standard atmosphere, 29.92 inHg");
    return pressureCaption(setup_.pressure);
}

bool PsychroChart::contains(QPointF value) const
{
    return value.x() >= dryBulb_.from && value.x() <= dryBulb_.to && value.y() >= ratio_.from && value.y() <= ratio_.to;
}

double PsychroChart::ratioAt(double dryBulb, double relativeHumidity) const
{
    const bool celsius = setup_.scale == TemperatureScale::Celsius;
    const double r = relativeHumidity / 100;
    if (setup_.extendedRange) {
        const double e = r * SatVaporPressure(celsius ? dryBulb : FtoC(dryBulb));
        const double p = InHgToMb(setup_.pressure.inHg());
        const double gramsPerKilogram = e < p ? (e * 622) / (p - e) : std::numeric_limits<double>::infinity();
        return celsius ? gramsPerKilogram : gramsPerKilogram * kGrainsPerGramPerKilogram;
    }
    const double pv = r * SatPressurePsia(celsius ? CtoF(dryBulb) : dryBulb);
    const double P = setup_.pressure.psia();
    const double w = pv < P ? (pv * 0.622) / (P - pv) : std::numeric_limits<double>::infinity();
    return w * (celsius ? kGramsPerKilogram : kGrainsPerPound);
}

double PsychroChart::wetBulbRatio(double wetBulb, double dryBulb) const
{
    const bool celsius = setup_.scale == TemperatureScale::Celsius;
    if (setup_.extendedRange) {
        const auto c = [celsius](double t) { return celsius ? t : FtoC(t); };
        return ratioAt(dryBulb, RHFromWetBulb(c(dryBulb), c(wetBulb), setup_.pressure.inHg()).value);
    }
    const auto f = [celsius](double t) { return celsius ? CtoF(t) : t; };
    return HumidityRatioFromWetBulb(f(wetBulb), f(dryBulb), setup_.pressure.psia()) *
           (celsius ? kGramsPerKilogram : kGrainsPerPound);
}

double PsychroChart::saturatedDryBulb(double ratio) const
{
    const double span = dryBulb_.to - dryBulb_.from;
    const double low = dryBulb_.from - span;
    const double high = dryBulb_.to + span;
    if (saturationRatio(low) >= ratio)
        return low;
    if (saturationRatio(high) <= ratio)
        return high;
    return crossing([this](double t) { return saturationRatio(t); }, low, high, ratio);
}

void PsychroChart::buildCurves()
{
    // A rising or falling curve from `from` to `to`, cut where it leaves the chart through the top or the bottom.
    const auto curve = [this](ChartCurveKind kind, const QString& label, double from, double to, int steps,
                              const std::function<double(double)>& ratio) {
        const double last = ratio(to);
        const bool cut = last > ratio_.to || last < ratio_.from;
        const double edge = last > ratio_.to ? ratio_.to : ratio_.from;
        const double end = cut ? crossing(ratio, from, to, edge) : to;
        ChartCurve out{kind, label, {}};
        for (int i = 0; i <= steps; ++i) {
            const double t = from + (end - from) * i / steps;
            out.points.append({t, cut && i == steps ? edge : std::clamp(ratio(t), ratio_.from, ratio_.to)});
        }
        return out;
    };

    curves_.append(curve(ChartCurveKind::Saturation, QStringLiteral("100%"), dryBulb_.from, dryBulb_.to, kCurveSteps,
                         [this](double t) { return saturationRatio(t); }));
    for (int rh = 90; rh >= 10; rh -= 10) {
        curves_.append(curve(ChartCurveKind::RelativeHumidity, QStringLiteral("%1%").arg(rh), dryBulb_.from,
                             dryBulb_.to, kCurveSteps, [this, rh](double t) { return ratioAt(t, rh); }));
    }
    for (double k = std::floor(dryBulb_.from / wetBulbStep_) + 1;; ++k) {
        const double wetBulb = k * wetBulbStep_;
        if (wetBulb >= dryBulb_.to || saturationRatio(wetBulb) > ratio_.to)
            break;
        curves_.append(curve(ChartCurveKind::WetBulb, generalNumberText(wetBulb), wetBulb, dryBulb_.to, kWetBulbSteps,
                             [this, wetBulb](double t) { return wetBulbRatio(wetBulb, t); }));
    }
}

void PsychroChart::buildGrid()
{
    for (const double t : dryBulb_.ticks())
        grid_.append({t, ratio_.from, t, std::min(saturationRatio(t), ratio_.to)});
    for (const double w : ratio_.ticks()) {
        const double left = std::max(saturatedDryBulb(w), dryBulb_.from);
        if (left < dryBulb_.to)
            grid_.append({left, w, dryBulb_.to, w});
    }
}

std::optional<QPointF> PsychroChart::pointOf(const HumidityBoxes& result) const
{
    if (result.grainsPerLb.isEmpty())
        return std::nullopt;
    const double grains = leadingNumber(result.grainsPerLb);
    const bool celsius = setup_.scale == TemperatureScale::Celsius;
    return QPointF(leadingNumber(result.dryAirTemp), celsius ? grains / kGrainsPerGramPerKilogram : grains);
}

HumidityOutcome PsychroChart::calculate(const QString& dryBulb, const QString& relativeHumidity) const
{
    HumidityState state;
    state.boxes.dryAirTemp = dryBulb;
    state.boxes.humidity = relativeHumidity;
    state.scale = setup_.scale;
    state.method = HumidityMethod::DryBulbRH;
    state.extendedRange = setup_.extendedRange;
    state.rhInputMode = true;
    state.pressure = setup_.pressure;
    return calculateHumidity(state);
}

std::optional<double> PsychroChart::resultRatio(const HumidityOutcome& outcome) const
{
    if (!outcome.messages.isEmpty() || outcome.boxes.grainsPerLb.isEmpty())
        return std::nullopt;
    return pointOf(outcome.boxes)->y();
}

ChartReading PsychroChart::readState(double dryBulb, double relativeHumidity) const
{
    HumidityBoxes typed;
    typed.dryAirTemp = formatPicture(dryBulb, kTypedPicture);
    typed.humidity = formatPicture(relativeHumidity, kTypedPicture);
    const HumidityOutcome outcome = calculate(typed.dryAirTemp, typed.humidity);
    const std::optional<double> ratio = resultRatio(outcome);
    if (!ratio)
        return {ChartReading::Kind::NotCalculable, QPointF(dryBulb, ratioAt(dryBulb, relativeHumidity)), typed};
    return {ChartReading::Kind::State, QPointF(dryBulb, *ratio), outcome.boxes};
}

ChartReading PsychroChart::readAt(QPointF value) const
{
    if (!contains(value))
        return {ChartReading::Kind::Outside, value, {}};
    // + 0.0: a dry bulb just below zero is typed as 0, not -0.
    const double dryBulb = std::round(value.x() * 10) / 10 + 0.0;
    const QPointF at(dryBulb, value.y());
    if (value.y() > saturationRatio(dryBulb))
        return {ChartReading::Kind::BeyondSaturation, at, {}};

    // The tab's humidity ratio rises with the relative humidity; a calculation it refuses counts as too dry.
    const QString dryText = formatPicture(dryBulb, kTypedPicture);
    double low = 0;
    double high = 100;
    for (int i = 0; i < kHumidityHalvings; ++i) {
        const double mid = (low + high) / 2;
        const std::optional<double> ratio = resultRatio(calculate(dryText, generalNumberText(mid)));
        if (!ratio || *ratio < value.y())
            low = mid;
        else
            high = mid;
    }
    const double relativeHumidity = std::clamp(std::round((low + high) * 5) / 10, 0.1, 100.0);
    ChartReading reading = readState(dryBulb, relativeHumidity);
    // Where no relative humidity gives this ratio (the normal range finds no wet bulb below freezing), the place
    // has no state of the tab.
    if (reading.kind == ChartReading::Kind::State &&
        std::fabs(reading.at.y() - value.y()) > kReadingTolerance * (ratio_.to - ratio_.from))
        return {ChartReading::Kind::NotCalculable, at, typedOnly(reading.boxes)};
    if (reading.kind == ChartReading::Kind::NotCalculable)
        reading.at = at;
    return reading;
}

QString chartStateText(const HumidityBoxes& boxes, TemperatureScale scale)
{
    const QString unit = degrees(scale);
    return QStringLiteral("dry bulb %1 %2, RH %3%, wet bulb %4 %2, dew point %5 %2, %6 grains/lb")
        .arg(boxes.dryAirTemp, unit, boxes.humidity, boxes.wetBulbTemp, boxes.dewPoint, boxes.grainsPerLb);
}

QString tabPointText(const PsychroChart& chart, const std::optional<HumidityBoxes>& result)
{
    const std::optional<QPointF> point = result ? chart.pointOf(*result) : std::nullopt;
    if (!point)
        return QStringLiteral("Humidity tab: no result");
    QString text = QStringLiteral("Humidity tab: ") + chartStateText(*result, chart.setup().scale);
    if (!chart.contains(*point))
        text += QStringLiteral(", off the chart");
    return text;
}

QString readingText(const PsychroChart& chart, const ChartReading& reading, const QString& who)
{
    const TemperatureScale scale = chart.setup().scale;
    const QString place = QStringLiteral("%1: dry bulb %2 %3, %4 %5")
                              .arg(who, formatPicture(reading.at.x(), kTypedPicture), degrees(scale),
                                   formatPicture(reading.at.y(), u"#0.0"), chart.ratioUnit());
    switch (reading.kind) {
    case ChartReading::Kind::Outside:
        break;
    case ChartReading::Kind::BeyondSaturation:
        return place + QStringLiteral(", beyond saturation");
    case ChartReading::Kind::NotCalculable:
        return place + (chart.setup().extendedRange
                            ? QStringLiteral(", not a state the Humidity tab calculates")
                            : QStringLiteral(", not a state the Humidity tab calculates in its normal range"));
    case ChartReading::Kind::State:
        return who + QStringLiteral(": ") + chartStateText(reading.boxes, scale);
    }
    return QStringLiteral("Point at the chart to read a state there, click to calculate it on the Humidity tab; "
                          "arrow keys move a cursor and Enter picks it.");
}

} // namespace mx
