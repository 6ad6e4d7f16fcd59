// Timings of one Calculate on the Humidity tab, for each range and method, from the box texts to the new texts;
// one press of the Calculate button of the panel itself (boxes read and written); and the psychrometric chart: its
// curves worked out, a repaint of the window's chart at 1x and 2x (the budget is one frame, 16 ms), and the reading
// under the pointer at each mouse move.
#include "psychro/humidity_panel.h"
#include "psychro/humidity_procedures.h"
#include "psychro/psychro_chart_view.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

namespace {

void calculate(benchmark::State& state, bool extended, mx::HumidityMethod method, mx::HumidityBoxes boxes,
               double inHg = 0)
{
    const mx::BarometricPressure pressure =
        inHg == 0 ? mx::BarometricPressure() : mx::BarometricPressure::fromInHg(inHg).value();
    const mx::HumidityState input{boxes,    mx::TemperatureScale::Fahrenheit,        method,
                                  extended, method == mx::HumidityMethod::DryBulbRH, pressure};
    for (auto _ : state) {
        auto outcome = mx::calculateHumidity(input);
        benchmark::DoNotOptimize(outcome);
    }
}

using M = mx::HumidityMethod;
BENCHMARK_CAPTURE(calculate, normalWetBulb, false, M::DryBulbWetBulb, {"77", "68"});
BENCHMARK_CAPTURE(calculate, normalHumiditySearch, false, M::DryBulbRH, {"77", "", "63.5"});
BENCHMARK_CAPTURE(calculate, normalHumiditySearchHot, false, M::DryBulbRH, {"212", "", "3"});
BENCHMARK_CAPTURE(calculate, normalHumiditySearchSaturated, false, M::DryBulbRH, {"211.99", "", "100"});
// The wet-bulb search away from sea level.
BENCHMARK_CAPTURE(calculate, normalHumiditySearchAt10000ft, false, M::DryBulbRH, {"77", "", "63.5"}, 20.577);
BENCHMARK_CAPTURE(calculate, extendedWetBulb, true, M::DryBulbWetBulb, {"77", "68"});
BENCHMARK_CAPTURE(calculate, extendedHumidity, true, M::DryBulbRH, {"77", "", "60"});
BENCHMARK_CAPTURE(calculate, extendedDewPoint, true, M::DryBulbDewPoint, {"77", "", "", "", "59"});
// The wet-bulb bisection running to its cap of passes before giving up.
BENCHMARK_CAPTURE(calculate, extendedWetBulbNotFound, true, M::DryBulbRH, {"1e10", "", "50"});

void panelCalculate(benchmark::State& state)
{
    mx::HumidityPanel panel;
    panel.tabChosen();
    panel.findChild<QRadioButton*>(QStringLiteral("Option4"))->click();
    panel.findChild<QLineEdit*>(QStringLiteral("DryAirTemp"))->setText(QStringLiteral("77"));
    panel.findChild<QLineEdit*>(QStringLiteral("Humidity"))->setText(QStringLiteral("63.5"));
    auto* button = panel.findChild<QPushButton*>(QStringLiteral("cmdHumCalculate"));
    auto* wetBulb = panel.findChild<QLineEdit*>(QStringLiteral("WetBulbTemp"));
    for (auto _ : state) {
        wetBulb->clear(); // so that every press writes its result again
        button->click();
    }
}
BENCHMARK(panelCalculate);

const mx::ChartSetup kNormal{};
const mx::ChartSetup kExtendedCelsius{mx::TemperatureScale::Celsius, true, mx::BarometricPressure()};

void chartCurves(benchmark::State& state, mx::ChartSetup setup)
{
    for (auto _ : state) {
        mx::PsychroChart chart(setup);
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK_CAPTURE(chartCurves, normal, kNormal)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(chartCurves, extendedCelsius, kExtendedCelsius)->Unit(benchmark::kMicrosecond);

// The window's chart at its opening size, with the tab's point and the cursor marked.
void chartRepaint(benchmark::State& state, qreal ratio)
{
    const mx::PsychroChart chart(kNormal);
    const mx::ChartMarks marks{QPointF(77, 87.4859), QPointF(95, 120)};
    const QSize size(640, 440);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    const mx::ChartColours colours = mx::chartColours(QPalette());
    for (auto _ : state) {
        QPainter painter(&image);
        mx::paintPsychroChart(painter, QRectF(QPointF(), size), chart, marks, colours);
    }
}
BENCHMARK_CAPTURE(chartRepaint, at1x, 1.0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(chartRepaint, at2x, 2.0)->Unit(benchmark::kMillisecond);

// The state under the pointer: the relative humidity at which the tab calculates the place's humidity ratio.
void chartPointerReading(benchmark::State& state, mx::ChartSetup setup, QPointF place)
{
    const mx::PsychroChart chart(setup);
    for (auto _ : state) {
        auto reading = chart.readAt(place);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK_CAPTURE(chartPointerReading, normal, kNormal, QPointF(77, 87.4859))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(chartPointerReading, extendedCelsius, kExtendedCelsius, QPointF(25, 12))
    ->Unit(benchmark::kMicrosecond);

} // namespace
