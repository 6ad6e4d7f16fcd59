#pragma once

#include "shell/bounce.h"

#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QSize>

// The pictures of the shell's windows, drawn rather than loaded: no image files or plug-ins to go missing. Sizes are
// in the program's pixels, with `ratio` device pixels behind each.
namespace mx {

// The desktop entry's name, which is also the icon's name in the desktop's icon theme.
inline constexpr char16_t kProductIconName[] = u"com.quorvane.Mensurix";

// The device pixel ratio of the sharpest screen (1 without one): pictures drawn at it stay crisp on every screen.
qreal screenPixelRatio();

// The product icon: a dial gauge on a blue tile.
QPixmap drawProductIcon(int size, qreal ratio = screenPixelRatio());
// The window icon of every window: the installed icon where the desktop's theme has it, else the drawing above at
// whatever size the desktop asks for.
QIcon productIcon();
// The maker's logo: a ring for the "Q", then the maker's name.
QPixmap drawMakerLogo(QSize size, qreal ratio = screenPixelRatio());
// The link picture beside the logo: a globe with a pointing hand's arrow.
QPixmap drawLinkPicture(int size, qreal ratio = screenPixelRatio());
// One arrow for each direction the hidden animation's picture can travel.
QPixmap drawDirectionPicture(Heading heading, int size, qreal ratio = screenPixelRatio());
// The tip window's decoration: a lit bulb.
QPixmap drawTipPicture(int size, qreal ratio = screenPixelRatio());

// A heading's lettering: `body` in bold, `factor` times as large. The program's font is sized in pixels, which
// report no point size, so whichever unit the font has is the one scaled.
QFont headingFont(QFont body, qreal factor);

} // namespace mx
