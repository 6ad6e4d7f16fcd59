#pragma once

#include "psychro/barometric_pressure.h"
#include "psychro/humidity_procedures.h"

#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

// The psychrometric chart of the Humidity tab: dry bulb across, humidity ratio up, in the tab's scale (grains per
// pound of dry air in Fahrenheit, grams per kilogram in Celsius) and at its barometric pressure. Its curves come from
// the tab's own saturation routines: the normal range's (pounds per square inch) or, in the extended range, the
// Magnus formula (hectopascals). A place on the chart is read as the tab calculates it.
namespace mx {

// What the chart is drawn for.
struct ChartSetup {
    TemperatureScale scale = TemperatureScale::Fahrenheit;
    bool extendedRange = false;
    BarometricPressure pressure;

    bool operator==(const ChartSetup&) const = default;
};

// A grid line every `step`, labelled, and at both ends.
struct ChartAxis {
    double from = 0;
    double to = 0;
    double step = 0;
    QString title;

    QList<double> ticks() const;
};

enum class ChartCurveKind { Saturation, RelativeHumidity, WetBulb };

struct ChartCurve {
    ChartCurveKind kind = ChartCurveKind::Saturation;
    QString label;         // "100%", "40%", or the wet bulb ("65")
    QList<QPointF> points; // (dry bulb, humidity ratio), inside the chart, the dry bulb rising
};

// A place on the chart as the Humidity tab sees it. For a state, the tab filled with the dry bulb and relative
// humidity (method "Dry Bulb / %RH") shows `boxes` after Calculate, and marks its point at `at`.
struct ChartReading {
    enum class Kind {
        Outside,          // not on the chart
        BeyondSaturation, // above the saturation curve
        NotCalculable,    // a state the tab's range does not calculate (or calculates elsewhere)
        State,
    };
    Kind kind = Kind::Outside;
    QPointF at;          // (dry bulb, humidity ratio)
    HumidityBoxes boxes; // dry bulb and relative humidity as typed in; for a state, the tab's results too
};

// Maps the chart's values onto a rectangle of pixels (humidity ratio rising upwards) and back.
class ChartMapping {
public:
    ChartMapping() = default;
    ChartMapping(const QRectF& plot, const ChartAxis& dryBulb, const ChartAxis& ratio);

    QPointF toPixel(QPointF value) const;
    QPointF toValue(QPointF pixel) const;
    const QRectF& plot() const { return plot_; }

private:
    QRectF plot_;
    double fromX_ = 0;
    double spanX_ = 1;
    double fromY_ = 0;
    double spanY_ = 1;
};

class PsychroChart {
public:
    explicit PsychroChart(const ChartSetup& setup = {});

    const ChartSetup& setup() const { return setup_; }
    const ChartAxis& dryBulbAxis() const { return dryBulb_; }
    const ChartAxis& ratioAxis() const { return ratio_; }
    // "grains/lb" or "g/kg".
    QString ratioUnit() const;
    // Where the chart stands, for its corner: "Sea level, 29.92 inHg" or "At 24.90 inHg (5,000 ft)".
    QString pressureTitle() const;
    bool contains(QPointF value) const;

    // Humidity ratio in the chart's unit at a dry bulb and relative humidity (%).
    double ratioAt(double dryBulb, double relativeHumidity) const;
    double saturationRatio(double dryBulb) const { return ratioAt(dryBulb, 100); }
    // Humidity ratio of air at the dry bulb whose wet bulb is `wetBulb`.
    double wetBulbRatio(double wetBulb, double dryBulb) const;

    // Saturation, relative humidity every 10 % and wet-bulb lines, cut at the chart's edges; the grid lines run from
    // the saturation curve to the axes.
    const QList<ChartCurve>& curves() const { return curves_; }
    const QList<QLineF>& gridLines() const { return grid_; }

    // The point of the tab's result: its dry bulb and grains. Nullopt when the boxes hold no result.
    std::optional<QPointF> pointOf(const HumidityBoxes& result) const;

    // The state under a place of the chart: the relative humidity (to 0.1 %) at which the tab, given the dry bulb
    // (to 0.1 degree), calculates this humidity ratio.
    ChartReading readAt(QPointF value) const;
    // The state the tab calculates from a dry bulb and relative humidity.
    ChartReading readState(double dryBulb, double relativeHumidity) const;

private:
    HumidityOutcome calculate(const QString& dryBulb, const QString& relativeHumidity) const;
    std::optional<double> resultRatio(const HumidityOutcome& outcome) const;
    double saturatedDryBulb(double ratio) const;
    void buildCurves();
    void buildGrid();

    ChartSetup setup_;
    ChartAxis dryBulb_;
    ChartAxis ratio_;
    double wetBulbStep_ = 5;
    QList<ChartCurve> curves_;
    QList<QLineF> grid_;
};

// The values of a state as the Humidity tab's boxes show them: "dry bulb 77 °F, RH 63.49%, wet bulb 68 °F, dew point
// 63.44 °F, 87.4859 grains/lb".
QString chartStateText(const HumidityBoxes& boxes, TemperatureScale scale);

// lblChartPoint: "Humidity tab: " and the state of its last result, or that there is none.
QString tabPointText(const PsychroChart& chart, const std::optional<HumidityBoxes>& result);

// What the chart says about the place under the pointer ("Pointer") or the keyboard's cursor ("Cursor").
QString readingText(const PsychroChart& chart, const ChartReading& reading, const QString& who);

} // namespace mx
