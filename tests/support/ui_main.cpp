// The main of the window suites: an offscreen QApplication, the scripted message service and the modal watchdog.
#include "modal_watchdog.h"
#include "platform/button_keys.h"
#include "test_registry.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // Run by hand without a display (a terminal over ssh, a container), the suites draw offscreen as CTest has them
    // do, instead of failing to find a display. A platform named on purpose is left alone.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mensurix"));
    // As the program does at start: Enter presses a focused button in every window.
    mx::installButtonKeys();
    mx::test::ModalWatchdog watchdog;
    return mx::test::runRegisteredTests(argc, argv,
                                        [&watchdog](const char* name) { return watchdog.takeFailures(name); });
}
