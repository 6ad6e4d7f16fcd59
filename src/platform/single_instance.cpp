#include "platform/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace mx {

SingleInstance::SingleInstance(const QString& programFolder)
    : lock_(std::make_unique<QLockFile>(lockPathFor(programFolder)))
{
    lock_->setStaleLockTime(0); // never stale by age; only a lock whose process is gone is taken over
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPathFor(const QString& programFolder)
{
    const QDir folder(programFolder);
    QString canonical = folder.canonicalPath();
    if (canonical.isEmpty())
        canonical = folder.absolutePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    // The user's own runtime folder: a lock left in a shared folder by another user's crashed program could not be
    // taken over. Qt creates the folder (private to the user) when the session has none.
    QString folderOfLocks = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folderOfLocks.isEmpty())
        folderOfLocks = QDir::tempPath();
    return QDir(folderOfLocks).filePath(QStringLiteral("mensurix-%1.lock").arg(QString::fromLatin1(hash)));
}

bool SingleInstance::acquire()
{
    if (lock_->tryLock(0))
        return true;
    return lock_->error() != QLockFile::LockFailedError;
}

} // namespace mx
