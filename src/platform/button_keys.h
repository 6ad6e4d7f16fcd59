#pragma once

class QAbstractButton;

// Buttons pressed from the keyboard. Qt presses a focused button with Space only (Enter only in a dialog's default
// buttons); the program presses it with Enter and Return too, in every window, as desktop users expect.
namespace mx {

// Clicks the button at once and shows it down for a moment, as a mouse click would.
void pressButton(QAbstractButton* button);

// Lets Enter and Return press the focused button of any window of the running application. Check boxes and option
// buttons keep Space alone. Installing it again changes nothing.
void installButtonKeys();

} // namespace mx
