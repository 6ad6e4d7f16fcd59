#pragma once

#include <QPixmap>
#include <QSize>

// The product icon and the maker's logo, drawn rather than loaded: no image plug-ins or icon themes on the start
// path.
namespace mx {

QPixmap productIcon(int size);
QPixmap makerLogo(QSize size);

} // namespace mx
