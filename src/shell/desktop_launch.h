#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// Handing a web address to the browser and starting another program. Tests put their own handlers in place, so
// that no browser or program is ever launched from a test.
namespace mx {

using UrlOpener = std::function<bool(const QUrl& url)>;
using ProgramStarter = std::function<bool(const QString& program, const QStringList& arguments)>;

// Whether the desktop took the request; callers may ignore it.
bool openUrl(const QUrl& url);
// Starts the program detached from this one; false when it could not be started.
bool startProgram(const QString& program, const QStringList& arguments);

// An empty handler restores the desktop's. Each returns the handler that was in place.
UrlOpener setUrlOpener(UrlOpener opener);
ProgramStarter setProgramStarter(ProgramStarter starter);

} // namespace mx
