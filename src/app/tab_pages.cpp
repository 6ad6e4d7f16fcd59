#include "app/tab_pages.h"

#include "common/twips.h"
#include "conversion/metric_panel.h"
#include "electrical/electrical_panel.h"
#include "vibration/vibration_panel.h"

namespace mx {
namespace {

// The tab strip's size in twips: the panels of the tabs to come fill it below their offsets.
constexpr int kStripWidth = 6555;
constexpr int kStripHeight = 5295;

// A tab whose calculator is not part of the program yet: an empty panel of its place.
std::function<TabPanel*(QWidget*)> emptyPanel(const char16_t* objectName, const char16_t* accessibleName, QPoint offset)
{
    return [=](QWidget* parent) {
        auto* panel = new TabPanel(parent);
        panel->setObjectName(QString::fromUtf16(objectName));
        panel->setAccessibleName(QString::fromUtf16(accessibleName));
        panel->setFixedSize(twipsSize(kStripWidth - 2 * offset.x(), kStripHeight - offset.y() - 120));
        panel->setAutoFillBackground(true);
        panel->setBackgroundRole(QPalette::Button);
        return panel;
    };
}

} // namespace

std::vector<TabPage> tabPages(MetricConversions& conversions)
{
    std::vector<TabPage> pages;
    pages.push_back({QStringLiteral("Metric Conversion"),
                     QStringLiteral("Metric"),
                     {360, 1200},
                     false,
                     [&conversions](QWidget* parent) { return new MetricPanel(conversions, parent); }});
    pages.push_back({QStringLiteral("Humidity Calculator"),
                     QStringLiteral("Humidity"),
                     {300, 1000},
                     true,
                     emptyPanel(u"picHumidity", u"Humidity Calculator", {300, 1000})});
    pages.push_back({QStringLiteral("Wind Chill / Heat Index"),
                     QStringLiteral("Wind"),
                     {240, 1200},
                     true,
                     emptyPanel(u"picWind", u"Wind Chill / Heat Index", {240, 1200})});
    pages.push_back({QStringLiteral("Vibration Calculator"),
                     QStringLiteral("Vibration"),
                     {440, 800},
                     true,
                     [](QWidget* parent) { return new VibrationPanel(parent); }});
    pages.push_back({QStringLiteral("Electrical Calculator"),
                     QStringLiteral("Electrical"),
                     {200, 700},
                     true,
                     [](QWidget* parent) { return new ElectricalPanel(parent); }});
    return pages;
}

} // namespace mx
