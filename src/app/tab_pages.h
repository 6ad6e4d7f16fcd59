#pragma once

#include <QPoint>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace mx {

class MetricConversions;
class TabPanel;

// One tab of the main window: its caption and key on the tab strip, the panel's offset from the strip's top-left
// corner, and how to make the panel (which names itself).
struct TabPage {
    QString caption;
    QString key;
    QPoint offsetTwips;
    // Choosing the tab disables Edit ▸ Edit Table; only the Metric tab leaves it as its type list set it.
    bool disablesTableEditor = true;
    // The pointer moving over the panel takes the link's plain hint away.
    bool hidesLinkHint = false;
    std::function<TabPanel*(QWidget* parent)> makePanel;
};

// The main window's tabs, in strip order.
std::vector<TabPage> tabPages(MetricConversions& conversions);

} // namespace mx
