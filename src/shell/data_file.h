#pragma once

#include <QByteArray>
#include <QString>

// Reading the small data files that ship beside the program (tips, help). Only a regular file of bounded size is
// ever opened: a named pipe or a device would block the open or never end.
namespace mx {

enum class DataFileStatus {
    Ok,
    Missing,    // no such file (an empty path included)
    Unreadable, // a folder, pipe or device, a file that cannot be opened or read, or one larger than the bound
};

struct DataFile {
    DataFileStatus status = DataFileStatus::Missing;
    QByteArray bytes; // the whole file when status is Ok, else empty
};

DataFile readDataFile(const QString& path, qint64 maxBytes);

} // namespace mx
