#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace mx {

// One running instance per user and program folder. The lock lives in the user's runtime folder (the program folder
// may not be writable), named after a hash of the folder; a lock left by a crashed instance is taken over.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock (or no lock could be made at all: better to run twice than never).
    bool acquire();

    static QString lockPathFor(const QString& programFolder);

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace mx
