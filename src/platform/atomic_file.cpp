#include "platform/atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace mx {
namespace {

// Nothing is there yet, or a regular file (or a link to one) is.
bool isWritableTarget(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return info.exists() && info.isFile();
    return !info.exists() || info.isFile();
}

} // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* errorText)
{
    if (!isWritableTarget(path)) {
        if (errorText)
            *errorText = QStringLiteral("The file \"%1\" could not be saved: it is not a regular file.")
                             .arg(QDir::toNativeSeparators(path));
        return false;
    }
    // QSaveFile writes through a symbolic link to its target, so the link stays. No direct-write fallback: in a folder
    // we may not create files in, overwriting in place could leave half a file.
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk, a size limit) shows in the count written: through the buffer
    // it would be lost, and the commit would put a cut file in place of the old one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (errorText) {
        QString reason = file.error() == QFileDevice::NoError ? QStringLiteral("the disk is full") : file.errorString();
        if (reason.endsWith(u'.'))
            reason.chop(1);
        *errorText =
            QStringLiteral("The file \"%1\" could not be saved: %2.").arg(QDir::toNativeSeparators(path), reason);
    }
    return false; // an uncommitted QSaveFile removes its temporary file
}

} // namespace mx
