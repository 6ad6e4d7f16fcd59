#pragma once

#include <QIcon>

#include <functional>

class QPainter;

namespace mx {

// Paints an icon's picture on a square `side` units wide.
using IconDrawing = std::function<void(QPainter&)>;

// An icon whose picture is drawn afresh at every size and scale it is shown at, so it stays crisp on any screen.
QIcon drawnIcon(IconDrawing draw, qreal side = 16);

} // namespace mx
