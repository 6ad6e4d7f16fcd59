#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace mx {

// Top-left corner (twips) that centres a window of the given outer size on a screen of the given size:
// both differences halved by integer division.
QPoint centredTopLeftTwips(QSize screenTwips, QSize windowTwips);

// The screen size in twips (the primary screen, or the one the widget is on).
QSize screenSizeTwips(const QWidget* widget = nullptr);

// The window's outer size in twips (frame included once the window manager has framed it).
QSize windowSizeTwips(const QWidget* window);

// Moves a top-level window so that its outer top-left corner is at the given twips.
void moveWindowTwips(QWidget* window, QPoint topLeftTwips);

// The window's outer top-left corner in twips.
QPoint windowPosTwips(const QWidget* window);

// Centres the window on its screen by the rule above.
void centreOnScreen(QWidget* window);

// Where an accessory window of the given outer size opens: centred on the screen when `centre` (the centring
// preference) is on, else at its stored top-left corner, taken as it stands (nothing checks that it lies on the
// screen).
QPoint openingPosTwips(QSize windowTwips, QPoint storedTwips, QSize screenTwips, bool centre);

enum class PlacementGuard {
    None,
    // The calculator on load and the find dialog on activation keep their place while they are minimised or while
    // the main window is being minimised or restored.
    SkipWhileMinimisedOrResizing,
};

struct PlacementState {
    bool centre = true;        // the centring preference
    bool mainResizing = false; // the main window is being minimised or restored
};

// The placement rule every accessory window gets when it opens. The outer size is the one the window declares: one
// not yet shown has no frame to measure. Returns whether the window was placed.
bool placeAccessoryWindow(QWidget* window, QSize outerSizeTwips, QPoint storedTwips, PlacementState state,
                          PlacementGuard guard = PlacementGuard::None);

} // namespace mx
