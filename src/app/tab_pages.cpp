#include "app/tab_pages.h"

#include "conversion/metric_panel.h"
#include "electrical/electrical_panel.h"
#include "psychro/humidity_panel.h"
#include "psychro/wind_panel.h"
#include "vibration/vibration_panel.h"

namespace mx {

std::vector<TabPage> tabPages(MetricConversions& conversions)
{
    std::vector<TabPage> pages;
    pages.push_back({QStringLiteral("Metric Conversion"),
                     QStringLiteral("Metric"),
                     {360, 1200},
                     false,
                     [&conversions](QWidget* parent) { return new MetricPanel(conversions, parent); }});
    pages.push_back(
        {QStringLiteral("Humidity Calculator"), QStringLiteral("Humidity"), {300, 1000}, true, [](QWidget* parent) {
             return new HumidityPanel(parent);
         }});
    pages.push_back(
        {QStringLiteral("Wind Chill / Heat Index"), QStringLiteral("Wind"), {240, 1200}, true, [](QWidget* parent) {
             return new WindPanel(parent);
         }});
    pages.push_back(
        {QStringLiteral("Vibration Calculator"), QStringLiteral("Vibration"), {440, 800}, true, [](QWidget* parent) {
             return new VibrationPanel(parent);
         }});
    pages.push_back(
        {QStringLiteral("Electrical Calculator"), QStringLiteral("Electrical"), {200, 700}, true, [](QWidget* parent) {
             return new ElectricalPanel(parent);
         }});
    return pages;
}

} // namespace mx
