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
    pages.push_back({.caption = QStringLiteral("Metric Conversion"),
                     .key = QStringLiteral("Metric"),
                     .offsetTwips = {360, 1200},
                     .disablesTableEditor = false,
                     .hidesLinkHint = true,
                     .makePanel = [&conversions](QWidget* parent) { return new MetricPanel(conversions, parent); }});
    pages.push_back({.caption = QStringLiteral("Humidity Calculator"),
                     .key = QStringLiteral("Humidity"),
                     .offsetTwips = {300, 1000},
                     .hidesLinkHint = true,
                     .makePanel = [](QWidget* parent) { return new HumidityPanel(parent); }});
    pages.push_back({.caption = QStringLiteral("Wind Chill / Heat Index"),
                     .key = QStringLiteral("Wind"),
                     .offsetTwips = {240, 1200},
                     .makePanel = [](QWidget* parent) { return new WindPanel(parent); }});
    pages.push_back({.caption = QStringLiteral("Vibration Calculator"),
                     .key = QStringLiteral("Vibration"),
                     .offsetTwips = {440, 800},
                     .hidesLinkHint = true,
                     .makePanel = [](QWidget* parent) { return new VibrationPanel(parent); }});
    pages.push_back({.caption = QStringLiteral("Electrical Calculator"),
                     .key = QStringLiteral("Electrical"),
                     .offsetTwips = {200, 700},
                     .makePanel = [](QWidget* parent) { return new ElectricalPanel(parent); }});
    return pages;
}

} // namespace mx
