#pragma once

#include <QString>

// Where the program's files are. A program in a folder it keeps its data in and may write to (a build, a portable
// folder) keeps everything there. An installed one reads what it ships (tables, tips, help, the local page) from its
// data folder and writes everything (settings, notes, tip counter, edited tables) into the user's own folder; a
// table the user edits is copied there first and read from there from then on. Nothing is written where the
// program ships its files, and each user has a settings file of their own.
namespace mx {

class FilePlaces {
public:
    // Everything in one folder, as in a build or a portable folder (and in tests).
    FilePlaces(const QString& folder); // NOLINT(google-explicit-constructor): a folder is the common case
    FilePlaces(const QString& dataFolder, const QString& userFolder);

    // Both end in the separator.
    const QString& dataFolder() const { return dataFolder_; }
    const QString& userFolder() const { return userFolder_; }
    bool separate() const { return dataFolder_ != userFolder_; }

    // A file the program ships and never writes.
    QString shipped(const QString& name) const { return dataFolder_ + name; }
    // A file the program writes.
    QString own(const QString& name) const { return userFolder_ + name; }
    // A shipped file the user may change: the user's copy once there is one, else the shipped file; where neither
    // exists, the place the user's new file goes.
    QString changeable(const QString& name) const;
    // The path of `path` (one that changeable() gave) where the user may write it: with separate folders, the user's
    // copy, made from the shipped file the first time (files larger than `maxBytes` are not copied). Empty, with
    // `errorText` (if given) set to a sentence for the user, when the copy cannot be made.
    QString writableCopy(const QString& path, qint64 maxBytes, QString* errorText = nullptr) const;

    // Decides once at start. The program keeps everything in its own folder when that folder may be written and no
    // installed data folder (`installedDataFolder`, where an install puts the shipped files) exists; otherwise it
    // reads from the installed data folder (or its own folder, when there is none) and writes into `userFolder`,
    // which is made when missing. The data folder is looked for first, so that an administrator, who may write
    // anywhere, still runs an installed program as installed.
    static FilePlaces decide(const QString& programFolder, const QString& installedDataFolder,
                             const QString& userFolder);

private:
    QString dataFolder_;
    QString userFolder_;
};

} // namespace mx
