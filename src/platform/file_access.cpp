#include "platform/file_access.h"

#include <QFile>
#include <QFileInfo>

namespace mx {

FileRead readRegularFile(const QString& path, qint64 maxBytes, OverLimit overLimit)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {info.isSymLink() ? FileReadStatus::NotRegular : FileReadStatus::Missing, {}};
    if (!info.isFile())
        return {FileReadStatus::NotRegular, {}};
    if (overLimit == OverLimit::Refuse && info.size() > maxBytes)
        return {FileReadStatus::TooLarge, {}};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {FileReadStatus::Unreadable, {}};
    // One byte past the limit tells whether the file goes on; it may also have grown since it was measured.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {FileReadStatus::Unreadable, {}};
    if (bytes.size() > maxBytes) {
        if (overLimit == OverLimit::Refuse)
            return {FileReadStatus::TooLarge, {}};
        bytes.truncate(maxBytes);
        return {FileReadStatus::TooLarge, std::move(bytes)};
    }
    return {FileReadStatus::Ok, std::move(bytes)};
}

} // namespace mx
