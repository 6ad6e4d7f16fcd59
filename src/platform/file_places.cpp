#include "platform/file_places.h"

#include "platform/atomic_file.h"
#include "platform/file_access.h"

#include <QDir>
#include <QFileInfo>

namespace mx {
namespace {

QString withSeparator(const QString& folder)
{
    QString path = QDir::toNativeSeparators(folder);
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path;
}

} // namespace

FilePlaces::FilePlaces(const QString& folder) : FilePlaces(folder, folder) {}

FilePlaces::FilePlaces(const QString& dataFolder, const QString& userFolder)
    : dataFolder_(withSeparator(dataFolder)), userFolder_(withSeparator(userFolder))
{}

QString FilePlaces::changeable(const QString& name) const
{
    const QString users = own(name);
    if (!separate() || QFileInfo::exists(users) || !QFileInfo::exists(shipped(name)))
        return users;
    return shipped(name);
}

QString FilePlaces::writableCopy(const QString& path, qint64 maxBytes, QString* errorText) const
{
    if (!separate() || path.startsWith(userFolder_))
        return path;
    const QString copy = own(QFileInfo(path).fileName());
    if (QFileInfo::exists(copy))
        return copy;
    // A shipped file that cannot be read is edited as a new one, as it would be in place.
    const FileRead shippedFile = readRegularFile(path, maxBytes);
    if (shippedFile.status == FileReadStatus::Ok && !writeFileAtomically(copy, shippedFile.bytes, errorText))
        return {};
    return copy;
}

FilePlaces FilePlaces::decide(const QString& programFolder, const QString& installedDataFolder,
                              const QString& userFolder)
{
    const bool installed = !installedDataFolder.isEmpty() && QFileInfo(installedDataFolder).isDir();
    if (!installed && QFileInfo(programFolder).isWritable())
        return FilePlaces(programFolder);
    const QString dataFolder = installed ? installedDataFolder : programFolder;
    // Without a folder of the user's own, the writes go where the data is, and fail there as they would in place.
    if (userFolder.isEmpty())
        return FilePlaces(dataFolder);
    QDir().mkpath(userFolder);
    return FilePlaces(dataFolder, userFolder);
}

} // namespace mx
