// Timings of one Calculate on the Humidity tab, for each range and method, from the box texts to the new texts;
// and one press of the Calculate button of the panel itself (boxes read and written).
#include "psychro/humidity_panel.h"
#include "psychro/humidity_procedures.h"

#include <QLineEdit>
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

} // namespace
