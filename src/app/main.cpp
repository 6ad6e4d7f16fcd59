#include "app/main_window.h"
#include "app/splash.h"
#include "app/startup_trace.h"
#include "common/message_service.h"
#include "platform/desktop_message_service.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    mx::trace::mark("main");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mensurix"));
    QApplication::setApplicationDisplayName(QString());
    // The layout is drawn for an 8-point interface font; larger desktop fonts would clip the labels.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    QApplication::setFont(font);

    mx::DesktopMessageService messages;
    mx::setMessageService(&messages);

    const QString programFolder = QCoreApplication::applicationDirPath();
    mx::SingleInstance instance(programFolder);
    if (!instance.acquire()) {
        mx::showMessage(QStringLiteral("Only one instance of this program may be run at a time."));
        return 0;
    }

    auto* splash = new mx::SplashForm;
    QObject::connect(splash, &mx::SplashForm::finished, [programFolder] {
        auto* main = new mx::MainWindow(programFolder);
        main->show();
        mx::trace::mainWindowShown();
    });
    splash->show();
    return app.exec();
}
