#pragma once

#include <QByteArray>
#include <QString>

namespace mx {

// Writes `bytes` to `path` through a temporary file that replaces the old one only once everything is on disk. On
// failure the old file stays whole and `errorText` (if given) receives a sentence for the user; on success it is
// left as it was. Anything but a regular file (or a link to one) at the path is never written. A successful write
// also removes the temporary files that earlier writes to the same path left behind when they were cut short.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* errorText = nullptr);

} // namespace mx
