#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Opening a file with the desktop's default application for its type (a web page in the browser).
namespace mx {

// Asks the desktop to open the local file; whether it did is returned, and callers may ignore it.
bool openWithDefaultHandler(const QString& localPath);

// Replaces the desktop for tests, which must not launch a browser; an empty handler restores the desktop.
// Returns the handler that was in place.
using ShellOpenHandler = std::function<bool(const QUrl&)>;
ShellOpenHandler setShellOpenHandler(ShellOpenHandler handler);

} // namespace mx
