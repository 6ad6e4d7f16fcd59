#include "platform/atomic_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
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

// A save cut short (the program killed, the power gone) leaves its temporary file beside the target: the target's
// name, a dot and six letters or digits. Those older than this save are ours and of no use to anyone.
void removeStaleTemporaries(const QString& path, const QDateTime& saveStarted)
{
    const QFileInfo target(path);
    QDir folder = target.absoluteDir();
    const QString pattern = target.fileName() + QStringLiteral(".??????");
    const QRegularExpression exact(QRegularExpression::anchoredPattern(QRegularExpression::escape(target.fileName()) +
                                                                       QStringLiteral("\\.[A-Za-z0-9]{6}")));
    for (const QFileInfo& stale : folder.entryInfoList({pattern}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (exact.match(stale.fileName()).hasMatch() && !stale.isSymLink() && stale.isFile() &&
            stale.lastModified() < saveStarted)
            QFile::remove(stale.absoluteFilePath());
    }
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
    const QDateTime started = QDateTime::currentDateTimeUtc();
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk, a size limit) shows in the count written: through the buffer
    // it would be lost, and the commit would put a cut file in place of the old one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size() && file.commit()) {
        removeStaleTemporaries(path, started);
        return true;
    }
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
