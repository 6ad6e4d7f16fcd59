// Timings of the Electrical tab: painting the formula wheel (the budget is one frame, 16 ms) and one calculation.
#include "common/twips.h"
#include "electrical/electrical.h"
#include "electrical/electrical_panel.h"
#include "electrical/formula_drawing.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// The wheel's designed size in pixels, at the pixel ratio given as the argument.
void wheelPaint(benchmark::State& state)
{
    const int ratio = int(state.range(0));
    const int side = mx::twipsToPixels(mx::kWheelAreaTwips);
    QImage image(side * ratio, side * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        mx::paintFormulaWheel(painter, side);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(wheelPaint)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The whole panel as the tab shows it: wheel clipped to its disc, selection picture, boxes and labels.
void panelRender(benchmark::State& state)
{
    mx::ElectricalPanel panel;
    panel.pickFormula(11);
    panel.tabChosen();
    QImage image(panel.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        panel.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(panelRender)->Unit(benchmark::kMicrosecond);

void calculation(benchmark::State& state)
{
    const QString first = QStringLiteral("100");
    const QString second = QStringLiteral("4");
    for (auto _ : state) {
        auto result = mx::calculateElectrical(11, first, second);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(calculation);

void hitTest(benchmark::State& state)
{
    for (auto _ : state) {
        auto spot = mx::wheelSpotAt(QPointF(3430, 1390));
        benchmark::DoNotOptimize(spot);
    }
}
BENCHMARK(hitTest);

} // namespace
