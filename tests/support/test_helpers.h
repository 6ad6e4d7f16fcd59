#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <csignal>

#include <sys/resource.h>

// Small pieces several test suites share.
namespace mx::test {

inline QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Takes write permission from the settings file or from its whole folder for one scope. Root is not stopped by
// permissions: blocksWrites() says whether the test can go on.
class ReadOnlyScope {
public:
    ReadOnlyScope(const QString& file, bool wholeFolder)
        : path_(wholeFolder ? QFileInfo(file).absolutePath() : file), permissions_(QFile::permissions(path_)),
          probe_(wholeFolder ? QDir(path_).filePath(QStringLiteral("probe")) : file)
    {
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyScope() { QFile::setPermissions(path_, permissions_); }
    ReadOnlyScope(const ReadOnlyScope&) = delete;
    ReadOnlyScope& operator=(const ReadOnlyScope&) = delete;

    bool blocksWrites() const
    {
        QFile probe(probe_);
        return !probe.open(QIODevice::Append);
    }

private:
    QString path_;
    QFile::Permissions permissions_;
    QString probe_;
};

// Lets no file of this process grow past `bytes` for one scope, as a full disk would: writes past it fail (with
// EFBIG) even for root, whom permissions do not stop.
class FileSizeLimitScope {
public:
    explicit FileSizeLimitScope(qint64 bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = rlim_t(bytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimitScope()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimitScope(const FileSizeLimitScope&) = delete;
    FileSizeLimitScope& operator=(const FileSizeLimitScope&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace mx::test
