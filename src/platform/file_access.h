#pragma once

#include <QByteArray>
#include <QString>

// Reading the files the program keeps beside itself. Only a regular file (or a symbolic link to one) is ever opened:
// a named pipe would block the open for good and a device would never end.
namespace mx {

enum class FileReadStatus {
    Ok,
    Missing,    // nothing at the path
    NotRegular, // a folder, pipe, socket or device, or a link to one (or a dangling link)
    TooLarge,   // larger than the caller's limit
    Unreadable, // exists but could not be opened or read whole
};

struct FileRead {
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes; // only when Ok
};

// Reads the whole file, refusing anything but a regular file of at most maxBytes.
FileRead readRegularFile(const QString& path, qint64 maxBytes);

// Whether the path may be written: nothing is there yet, or a regular file (or a link to one) is.
bool isWritableTarget(const QString& path);

} // namespace mx
