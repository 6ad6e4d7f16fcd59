#pragma once

#include <QString>

class QLabel;
class QLineEdit;

// Text the program writes where a user reads it is read from its first character. A QLineEdit leaves its cursor at
// the end of a text it is given and scrolls a long one so that only its tail shows; a right-aligned or centred label
// cuts the start of a text too wide for it.
namespace mx {

// Writes `text` into the box, cursor at its start. A box that holds the text already is left alone, so that a box
// being typed in keeps its cursor.
void showInBox(QLineEdit* box, const QString& text);

// Writes `text` into the label with its designed alignment while it fits; a text too wide is aligned to its start.
void showInLabel(QLabel* label, const QString& text);

} // namespace mx
