#include "platform/atomic_file.h"

#include <QDir>
#include <QSaveFile>

namespace mx {

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* errorText)
{
    // No direct-write fallback: in a folder we may not create files in, overwriting in place could leave half a file.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (errorText) {
        QString reason = file.errorString();
        if (reason.endsWith(u'.'))
            reason.chop(1);
        *errorText =
            QStringLiteral("The file \"%1\" could not be saved: %2.").arg(QDir::toNativeSeparators(path), reason);
    }
    return false; // an uncommitted QSaveFile removes its temporary file
}

} // namespace mx
