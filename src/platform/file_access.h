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
    QByteArray bytes; // when Ok; with OverLimit::KeepStart also when TooLarge
};

// What a file larger than the limit gives: nothing, or its first maxBytes bytes (status TooLarge either way).
enum class OverLimit { Refuse, KeepStart };

// Reads the whole file, refusing anything but a regular file; a file of more than maxBytes is read no further.
FileRead readRegularFile(const QString& path, qint64 maxBytes, OverLimit overLimit = OverLimit::Refuse);

} // namespace mx
