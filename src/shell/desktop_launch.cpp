#include "shell/desktop_launch.h"

#include <QDesktopServices>
#include <QProcess>

#include <utility>

namespace mx {
namespace {

UrlOpener& urlOpener()
{
    static UrlOpener current;
    return current;
}

ProgramStarter& programStarter()
{
    static ProgramStarter current;
    return current;
}

} // namespace

bool openUrl(const QUrl& url)
{
    return urlOpener() ? urlOpener()(url) : QDesktopServices::openUrl(url);
}

bool startProgram(const QString& program, const QStringList& arguments)
{
    return programStarter() ? programStarter()(program, arguments) : QProcess::startDetached(program, arguments);
}

UrlOpener setUrlOpener(UrlOpener opener)
{
    return std::exchange(urlOpener(), std::move(opener));
}

ProgramStarter setProgramStarter(ProgramStarter starter)
{
    return std::exchange(programStarter(), std::move(starter));
}

} // namespace mx
