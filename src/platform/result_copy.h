#pragma once

#include <QString>
#include <QStringView>

#include <functional>

class QWidget;

// Taking a result away: a result a user reads (a QLabel, or a QLineEdit the program fills) gets a context menu with
// "Copy" (exactly the text shown) and "Copy with Unit" (the text, a blank and its unit), and Ctrl+C copies it while
// it has the focus. A result takes the focus from the keyboard too (Tab, read-only), and the Menu key or Shift+F10
// opens its menu.
namespace mx {

// Returns the unit to copy with the result; empty when the result has none.
using UnitOfResult = std::function<QString()>;

// What Ctrl+C does in a box the user can type into at the moment.
enum class TypedBoxCopy {
    BoxDecides,  // the box's own keys decide (so a filter that refuses Ctrl+C still does)
    ProgramText, // what the program wrote into the box is a result: Ctrl+C copies it until the user edits the box
};

// Installs the menu and the keys on `result` (owned by it). Without `unit` the menu holds "Copy" alone. A line edit
// the user can type into at the moment is an input, not a result: it keeps its own menu, with "Copy with Unit" added
// at the end.
void installResultCopy(QWidget* result, UnitOfResult unit = {}, TypedBoxCopy typed = TypedBoxCopy::BoxDecides);

// The unit a caption beside a result names: the text in a closing pair of parentheses ("Dew Point Temp (F)" gives
// "F"), else what follows its last " in " ("Frequency in Hz" gives "Hz"), else from "Degrees" on ("Wind Chill
// Degrees C" gives "Degrees C"), else a last word holding a "/" ("inches/second"), else a leading "%"; a caption that
// names its unit none of these ways is taken whole.
QString unitOfCaption(QStringView caption);

} // namespace mx
