#pragma once

#include <QObject>

#include <functional>

class QLineEdit;
class QWidget;

// The one key filter of every box whose typed characters the design filters. It hands the box's handler each
// character a person types, as the character code the handler decides on, and lets every other key through
// untouched: Tab and Shift+Tab move the focus, Delete, Escape, arrows, Home/End and shortcuts keep their meaning.
// On X11 Tab and Delete arrive with text ("\t", "\x7f"), so the decision is made by key, never by text alone.
namespace mx {

inline constexpr int kBackspace = 8;
inline constexpr int kEnter = 13;
inline constexpr int kCtrlC = 3;
inline constexpr int kCtrlV = 22;
inline constexpr int kCtrlX = 24;
inline constexpr int kDiscard = 0; // what a handler returns to drop the character

// Receives the typed character's code (a Unicode code point; 8 for Backspace, 13 for Enter, 1 to 26 for Ctrl+A to
// Ctrl+Z where asked for) and returns the code the box takes, or kDiscard. Enter is always consumed: the box never
// sees it, whatever the handler returns.
using KeyPressHandler = std::function<int(int code)>;

enum class ControlCodes {
    Untouched, // Ctrl+letter shortcuts keep their meaning and never reach the handler
    Filtered,  // Ctrl+letter reaches the handler as its control code (Ctrl+C as 3), as in boxes that refuse the
               // clipboard shortcuts
};

class KeyPressFilter : public QObject {
    Q_OBJECT
public:
    KeyPressFilter(QWidget* box, KeyPressHandler handler, ControlCodes controlCodes = ControlCodes::Untouched);

    // The code a key press stands for, or -1 when it is not a typed character (Tab, Delete, Escape, arrows, function
    // keys, Alt and Meta combinations, Ctrl combinations unless `controlCodes` is Filtered).
    static int typedCode(int key, Qt::KeyboardModifiers modifiers, const QString& text, ControlCodes controlCodes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyPressHandler handler_;
    ControlCodes controlCodes_;
    bool replacing_ = false;
};

// Installs a filter owned by the box.
KeyPressFilter* installKeyPressFilter(QWidget* box, KeyPressHandler handler,
                                      ControlCodes controlCodes = ControlCodes::Untouched);

} // namespace mx
