// The program as shipped, reporting its start for bench/startup.sh: when the splash first paints, when the main
// window has painted (and how long it took to make), and the resident memory a second later. It then ends through
// the main window's normal exit.
#include "app/application.h"
#include "app/main_window.h"
#include "startup_trace.h"

#include <QTimer>

namespace {

class Tracer final : public mx::StartupObserver {
public:
    void splashPainted() override { mx::trace::mark("splash-visible"); }
    void mainWindowStarted(mx::MainWindow& window) override
    {
        mx::trace::mark("main-visible");
        QTimer::singleShot(1000, &window, [&window] {
            mx::trace::residentMemory();
            window.close();
        });
    }
};

} // namespace

int main(int argc, char** argv)
{
    mx::trace::mark("main");
    Tracer tracer;
    return mx::runMensurix(argc, argv, &tracer);
}
