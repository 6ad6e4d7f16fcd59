// An empty Qt window that reports when it is first painted, like the program's splash: the yardstick for start-up.
#include "startup_trace.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

class EmptyWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        if (painted_)
            return;
        painted_ = true;
        mx::trace::mark("splash-visible");
        QTimer::singleShot(1000, this, [this] {
            mx::trace::residentMemory();
            close();
        });
    }

private:
    bool painted_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    mx::trace::mark("main");
    QApplication app(argc, argv);
    EmptyWindow window;
    window.resize(432, 225);
    window.show();
    return app.exec();
}
