#include "app/application.h"

#include "app/app_globals.h"
#include "app/main_window.h"
#include "app/splash.h"
#include "common/message_service.h"
#include "platform/button_keys.h"
#include "platform/desktop_message_service.h"
#include "platform/single_instance.h"
#include "shell/shell_art.h"

#include <QApplication>
#include <QFont>

#include <csignal>
#include <memory>
#include <utility>

namespace mx {
namespace {

// Qt's own theme: a desktop theme plug-in (chosen from the desktop's name) would load its toolkit and icon theme
// before the splash, tripling start-up time and memory, and bring native dialogs that cannot be driven like the
// program's own windows. The names are hidden only while the application starts, so that programs the shell opens
// later still see the user's desktop.
class DesktopNamesHidden {
public:
    DesktopNamesHidden()
    {
        if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME"))
            return;
        for (const char* name :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"}) {
            if (qEnvironmentVariableIsSet(name)) {
                hidden_.append({name, qgetenv(name)});
                qunsetenv(name);
            }
        }
    }
    void restore()
    {
        for (const auto& [name, value] : std::as_const(hidden_))
            qputenv(name.constData(), value);
        hidden_.clear();
    }

private:
    QList<std::pair<QByteArray, QByteArray>> hidden_;
};

} // namespace

void setProgramFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    QApplication::setFont(font);
}

SplashForm* startWithSplash(const FilePlaces& places, std::function<void(MainWindow*)> opened)
{
    auto* splash = new SplashForm;
    auto finished = std::make_shared<bool>(false);
    QObject::connect(splash, &SplashForm::finished, [finished] { *finished = true; });
    // Only once the splash is gone: nothing of it may stand over the main window or the tip of the day.
    QObject::connect(splash, &QObject::destroyed, [places, opened, finished] {
        if (!*finished) {
            opened(nullptr);
            return;
        }
        auto* window = new MainWindow(places);
        opened(window);
        window->show();
    });
    splash->show();
    return splash;
}

int runMensurix(int argc, char** argv, StartupObserver* observer)
{
    // A write past the file-size limit fails and is reported, instead of ending the program with every window's text.
    std::signal(SIGXFSZ, SIG_IGN);
    DesktopNamesHidden desktopNames;
    QApplication app(argc, argv);
    desktopNames.restore();
    QApplication::setApplicationName(QStringLiteral("Mensurix"));
    QApplication::setApplicationDisplayName(QString());
    // The desktop entry an install puts in place: the desktop finds the program's icon through it.
    QGuiApplication::setDesktopFileName(QString::fromUtf16(kProductIconName));
    // Every window, the main window's own windows and message boxes alike, and the taskbar show the product icon.
    QApplication::setWindowIcon(productIcon());
    // The program ends with its main window, not with whichever window happens to close last.
    QApplication::setQuitOnLastWindowClosed(false);
    setProgramFont();
    installButtonKeys();

    DesktopMessageService messages;
    setMessageService(&messages);

    const QString programFolder = QCoreApplication::applicationDirPath();
    SingleInstance instance(programFolder);
    if (!instance.acquire()) {
        showMessage(QStringLiteral("Only one instance of this program may be run at a time."));
        return 0;
    }

    const FilePlaces places = programFilePlaces(programFolder);
    prepareUserFolders(places);
    SplashForm* splash = startWithSplash(places, [observer](MainWindow* window) {
        if (!window) {
            QCoreApplication::quit();
            return;
        }
        QObject::connect(window, &QObject::destroyed, qApp, &QCoreApplication::quit);
        if (observer)
            QObject::connect(window, &MainWindow::started, window,
                             [observer, window] { observer->mainWindowStarted(*window); });
    });
    if (observer)
        QObject::connect(splash, &SplashForm::firstPainted, splash, [observer] { observer->splashPainted(); });
    const int result = QApplication::exec();
    setMessageService(nullptr);
    return result;
}

} // namespace mx
