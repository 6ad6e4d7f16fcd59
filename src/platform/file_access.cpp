#include "platform/file_access.h"

#include <QFile>
#include <QFileInfo>

namespace mx {

FileRead readRegularFile(const QString& path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {info.isSymLink() ? FileReadStatus::NotRegular : FileReadStatus::Missing, {}};
    if (!info.isFile())
        return {FileReadStatus::NotRegular, {}};
    if (info.size() > maxBytes)
        return {FileReadStatus::TooLarge, {}};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {FileReadStatus::Unreadable, {}};
    // Bounded read: the file may have grown since it was measured.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {FileReadStatus::Unreadable, {}};
    if (bytes.size() > maxBytes)
        return {FileReadStatus::TooLarge, {}};
    return {FileReadStatus::Ok, std::move(bytes)};
}

bool isWritableTarget(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return info.exists() && info.isFile();
    return !info.exists() || info.isFile();
}

} // namespace mx
