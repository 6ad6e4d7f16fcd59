#pragma once

#include "platform/window_placement.h"

#include <QSize>
#include <QString>

// What every accessory window (calculator, table editor, note editor, find dialog) declares about itself for the
// main window's registry: its form name (its objectName), the outer size it opens with, and whether it keeps its
// place while minimised or while the main window is being restored. Where its place is kept is the application's
// business.
namespace mx {

struct AccessoryWindowTraits {
    QString formName{};       // "Calculator", "frmTableEditor", ...
    QSize openingSizeTwips{}; // outer size when it opens, in twips
    PlacementGuard guard = PlacementGuard::None;
};

// A window that may refuse to close: an editor whose save question can be cancelled. The registry asks every such
// window before it closes any, so that one Cancel leaves all of them as they were.
class CloseQuestion {
public:
    virtual ~CloseQuestion() = default;
    // Asks what closing would ask, saving when told to; true when the window may close. A window that agreed does
    // not ask again when it closes, until closeCancelled().
    virtual bool mayClose() = 0;
    // The close it agreed to did not come: its next close asks again.
    virtual void closeCancelled() = 0;
};

} // namespace mx
