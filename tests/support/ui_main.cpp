// The main of the window suites: an offscreen QApplication, the scripted message service and the modal watchdog.
#include "modal_watchdog.h"
#include "test_registry.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mensurix"));
    mx::test::ModalWatchdog watchdog;
    return mx::test::runRegisteredTests(argc, argv,
                                        [&watchdog](const char* name) { return watchdog.takeFailures(name); });
}
