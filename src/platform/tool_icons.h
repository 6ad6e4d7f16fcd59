#pragma once

#include <QIcon>
#include <QStringView>

namespace mx {

// The icon of an editor's tool-bar button, by the button's key ("tlbSave", "tlbCut", "tlbCopy", "tlbPaste",
// "tlbCheck", "tlbFind", "tlbSpelling", "tlbBold", "tlbItalic", "tlbUnderline", "tlbLeft", "tlbCenter",
// "tlbRight"): the desktop theme's where it has one, else a drawing of our own that stays crisp at every scale.
// A key not listed gets an empty icon.
QIcon toolIcon(QStringView key);

} // namespace mx
