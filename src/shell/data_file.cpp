#include "shell/data_file.h"

#include <QFile>
#include <QFileInfo>

namespace mx {

DataFile readDataFile(const QString& path, qint64 maxBytes)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile() || info.size() > maxBytes)
        return {DataFileStatus::Unreadable, {}};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {DataFileStatus::Unreadable, {}};
    // The file may have grown since it was measured: read one byte past the bound to notice.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > maxBytes)
        return {DataFileStatus::Unreadable, {}};
    return {DataFileStatus::Ok, std::move(bytes)};
}

} // namespace mx
