#pragma once

#include "platform/file_places.h"

#include <QString>

#include <functional>

namespace mx {

class MainWindow;
class SplashForm;

// What a start reports, for a benchmark build; the shipped program observes nothing.
class StartupObserver {
public:
    virtual ~StartupObserver() = default;
    virtual void splashPainted() {}
    virtual void mainWindowStarted(MainWindow& window) { (void)window; }
};

// The interface font the layout is drawn for: an 8-point sans (Liberation Sans, metric-compatible with Arial), 11
// pixels high; the desktop's larger fonts would clip the labels.
void setProgramFont();

// The start after the single-instance check: shows the splash and, once it has finished and is gone, makes and
// shows the main window. `opened` gets the main window before it is shown, or nullptr when a click on the splash
// ended the start. Returns the splash.
SplashForm* startWithSplash(const FilePlaces& places, std::function<void(MainWindow*)> opened);

// The whole program: one instance per user and program folder, the splash, the main window; ends when the main
// window has closed.
int runMensurix(int argc, char** argv, StartupObserver* observer = nullptr);

} // namespace mx
