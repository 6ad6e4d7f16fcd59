#include "platform/shell_open.h"

#include <QDesktopServices>

#include <utility>

namespace mx {
namespace {

ShellOpenHandler& handler()
{
    static ShellOpenHandler current;
    return current;
}

} // namespace

bool openWithDefaultHandler(const QString& localPath)
{
    const QUrl url = QUrl::fromLocalFile(localPath);
    return handler() ? handler()(url) : QDesktopServices::openUrl(url);
}

ShellOpenHandler setShellOpenHandler(ShellOpenHandler replacement)
{
    return std::exchange(handler(), std::move(replacement));
}

} // namespace mx
