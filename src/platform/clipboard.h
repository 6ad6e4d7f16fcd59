#pragma once

#include <QString>

#include <functional>

class QImage;

// The desktop's clipboard, for every window that copies or cuts text, and for pictures. The desktop may refuse the text
// (another program keeps the clipboard, the display is gone): a write says whether the clipboard holds the text
// afterwards, so that Cut never removes text the clipboard did not take.
namespace mx {

// Empties the clipboard, puts `text` on it as text and returns whether it is there.
using ClipboardWriter = std::function<bool(const QString& text)>;

// Replaces the desktop's clipboard for writing, as tests do to stand for one that refuses; an empty writer restores
// the desktop's. Returns the writer that was in place.
ClipboardWriter setClipboardWriter(ClipboardWriter writer);

bool putOnClipboard(const QString& text);

// Empties the clipboard, puts `image` on it as a picture and returns whether it is there.
using ClipboardImageWriter = std::function<bool(const QImage& image)>;

// As setClipboardWriter(), for pictures.
ClipboardImageWriter setClipboardImageWriter(ClipboardImageWriter writer);

bool putImageOnClipboard(const QImage& image);

// The clipboard's text; empty when it holds none, so that Paste then leaves the selection alone.
QString clipboardText();

enum class ClipboardUse { Copy, Cut };

// Copy and Cut of selected text: puts it on the clipboard, or says that the clipboard did not take it (for Cut,
// that nothing was cut). Returns whether the text is there; only then may Cut remove the selection.
bool putSelectionOnClipboard(const QString& selected, ClipboardUse use);

} // namespace mx
