#pragma once

#include "shell/bounce.h"

#include <QPixmap>
#include <QSize>

// The pictures of the shell's windows, drawn rather than loaded: no image files or plug-ins to go missing.
namespace mx {

// The product icon: a dial gauge on a blue tile.
QPixmap drawProductIcon(int size);
// The maker's logo: a ring for the "Q", then the maker's name.
QPixmap drawMakerLogo(QSize size);
// The link picture beside the logo: a globe with a pointing hand's arrow.
QPixmap drawLinkPicture(int size);
// One arrow for each direction the hidden animation's picture can travel.
QPixmap drawDirectionPicture(Heading heading, int size);
// The tip window's decoration: a lit bulb.
QPixmap drawTipPicture(int size);

} // namespace mx
