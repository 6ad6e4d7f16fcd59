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

} // namespace mx
