#include "platform/file_places.h"

#include "platform/atomic_file.h"
#include "platform/file_access.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>

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

FilePlaces::FilePlaces(const QString& folder) : FilePlaces(folder, folder, folder, Layout::OneFolder) {}

FilePlaces::FilePlaces(const QString& dataFolder, const QString& userFolder, const QString& configFolder, Layout layout)
    : dataFolder_(withSeparator(dataFolder)), userFolder_(withSeparator(userFolder)),
      configFolder_(withSeparator(configFolder.isEmpty() ? userFolder : configFolder)), layout_(layout)
{}

QString FilePlaces::toRead(const QString& ownPath) const
{
    if (!separate() || QFileInfo::exists(ownPath))
        return ownPath;
    const QString earlier = shipped(QFileInfo(ownPath).fileName());
    return QFileInfo::exists(earlier) ? earlier : ownPath;
}

QString FilePlaces::ownCopy(const QString& ownPath, qint64 maxBytes, QString* errorText) const
{
    const QString source = toRead(ownPath);
    if (source == ownPath)
        return ownPath;
    // A file that cannot be read is written as a new one, as it would be in place.
    const FileRead read = readRegularFile(source, maxBytes);
    if (read.status == FileReadStatus::Ok && !writeFileAtomically(ownPath, read.bytes, errorText))
        return {};
    return ownPath;
}

QString FilePlaces::writableCopy(const QString& path, qint64 maxBytes, QString* errorText) const
{
    if (!separate() || path.startsWith(userFolder_))
        return path;
    return ownCopy(own(QFileInfo(path).fileName()), maxBytes, errorText);
}

bool FilePlaces::makeUserFolders() const
{
    return !separate() || (QDir().mkpath(userFolder_) && QDir().mkpath(configFolder_));
}

FilePlaces FilePlaces::decide(const QString& programFolder, const QString& installedDataFolder,
                              const QString& userFolder, const QString& configFolder)
{
    const bool installed = !installedDataFolder.isEmpty() && QFileInfo(installedDataFolder).isDir();
    if (!installed && QFileInfo(programFolder).isWritable())
        return FilePlaces(programFolder);
    const QString dataFolder = installed ? installedDataFolder : programFolder;
    // Without a folder of the user's own, the writes go where the data is, and fail there as they would in place.
    if (userFolder.isEmpty())
        return FilePlaces(dataFolder);
    return FilePlaces(dataFolder, userFolder, configFolder, installed ? Layout::Installed : Layout::ReadOnlyFolder);
}

bool moveFileOver(const QString& from, const QString& to, qint64 maxBytes)
{
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink() || !QFileInfo(from).isFile())
        return false;
    const QByteArray fromName = QFile::encodeName(from);
    const QByteArray toName = QFile::encodeName(to);
    // One step that never replaces a file that appeared at `to` meanwhile.
    if (::renameat2(AT_FDCWD, fromName.constData(), AT_FDCWD, toName.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    // Another file system (or one that cannot rename without replacing): a whole copy first, then the original goes.
    const FileRead read = readRegularFile(from, maxBytes);
    if (read.status != FileReadStatus::Ok || !writeFileAtomically(to, read.bytes))
        return false;
    QFile::remove(from);
    return true;
}

} // namespace mx
