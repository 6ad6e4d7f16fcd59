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
    // Qt's own theme: a desktop theme plug-in (chosen from the desktop's name) would load its toolkit and icon theme
    // before the splash, tripling start-up time and memory, and bring native dialogs that cannot be driven like
    // the program's own windows. The names are hidden only while the application starts, so that programs the
    // shell opens later still see the user's desktop.
    const QByteArray desktopVariables[] = {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                           "GNOME_DESKTOP_SESSION_ID"};
    QList<std::pair<QByteArray, QByteArray>> hidden;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME")) {
        for (const QByteArray& name : desktopVariables) {
            if (qEnvironmentVariableIsSet(name.constData())) {
                hidden.append({name, qgetenv(name.constData())});
                qunsetenv(name.constData());
            }
        }
    }
    QApplication app(argc, argv);
    for (const auto& [name, value] : hidden)
        qputenv(name.constData(), value);
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
