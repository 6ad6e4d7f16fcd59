#pragma once

#include <QString>

class QComboBox;

// What a screen reader is told a window or a box is, where Qt's own answer would mislead.
namespace mx {

// From here on, a window built on a plain QWidget (the calculator, the note editor, the find dialog, the help
// viewer) is announced as a frame, or as a dialog when it is made as one, instead of as a filler without a role.
// Safe to call again.
void installAccessibleRoles();

// A list box without a caption beside it (the note editor's font sizes) is announced by `name`, its value being
// the entry shown. On Linux Qt announces a list box by the entry it shows and leaves the name to a caption's buddy.
void nameComboBox(QComboBox* box, const QString& name);

} // namespace mx
