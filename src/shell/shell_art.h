#pragma once

#include "shell/bounce.h"

#include <QPixmap>
#include <QSize>

// The pictures of the shell's windows, drawn rather than loaded: no image files or plug-ins to go missing. Sizes are
// in the program's pixels, with `ratio` device pixels behind each.
namespace mx {

// The device pixel ratio of the sharpest screen (1 without one): pictures drawn at it stay crisp on every screen.
qreal screenPixelRatio();

// The product icon: a dial gauge on a blue tile.
QPixmap drawProductIcon(int size, qreal ratio = screenPixelRatio());
// The maker's logo: a ring for the "Q", then the maker's name.
QPixmap drawMakerLogo(QSize size, qreal ratio = screenPixelRatio());
// The link picture beside the logo: a globe with a pointing hand's arrow.
QPixmap drawLinkPicture(int size, qreal ratio = screenPixelRatio());
// One arrow for each direction the hidden animation's picture can travel.
QPixmap drawDirectionPicture(Heading heading, int size, qreal ratio = screenPixelRatio());
// The tip window's decoration: a lit bulb.
QPixmap drawTipPicture(int size, qreal ratio = screenPixelRatio());

} // namespace mx
