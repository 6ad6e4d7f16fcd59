#pragma once

#include "platform/window_placement.h"

#include <QSize>
#include <QString>

// What every accessory window (calculator, table editor, note editor, find dialog) declares about itself for the
// main window's registry: its form name (its objectName), the outer size it opens with, the settings keys of its
// stored position (and size), and whether it keeps its place while minimised or while the main window is being
// restored.
namespace mx {

struct AccessoryWindowTraits {
    // Every member has an initialiser, so a declaration may leave out the keys it does not use.
    QString formName{};       // "Calculator", "frmTableEditor", ...
    QSize openingSizeTwips{}; // outer size when it opens, in twips
    QString leftKey{};        // settings key of the stored left edge ("Calculator Left"); empty: kept for the run only
    QString topKey{};         // settings key of the stored top edge
    QString widthKey{};       // settings keys of a stored outer size and window state (0 normal, 1 minimised,
    QString heightKey{};      // 2 maximised), for a window that opens at its stored size and state too
    QString stateKey{};
    PlacementGuard guard = PlacementGuard::None;
};

} // namespace mx
