#pragma once

#include <QString>

// Where the program's files are. A program in a folder it keeps its data in and may write to (a build, a portable
// folder) keeps everything there. An installed one reads what it ships (tables, tips, help, the local page) from its
// data folder and writes what it keeps into the user's own folders, as the XDG rules have it: the settings file into
// the user's config folder, the notes, the tip counter and edited tables into the user's data folder. A table the
// user edits is copied there first and read from there from then on. A portable folder that may not be written does
// the same, and until the user's own copy of a file exists, the copy its folder holds (notes, settings, tip counter)
// is the one read. Nothing is written where the program ships its files.
namespace mx {

class FilePlaces {
public:
    enum class Layout {
        OneFolder,      // everything beside the program
        Installed,      // shipped files in the install's data folder, the user's in the user's folders
        ReadOnlyFolder, // shipped and earlier files beside the program, which may not be written; the user's elsewhere
    };

    // Everything in one folder, as in a build or a portable folder (and in tests).
    FilePlaces(const QString& folder); // NOLINT(google-explicit-constructor): a folder is the common case
    // Shipped files in `dataFolder`, the user's in `userFolder`, the settings file in `configFolder` (the user folder
    // when empty).
    FilePlaces(const QString& dataFolder, const QString& userFolder, const QString& configFolder = {},
               Layout layout = Layout::Installed);

    // All end in the separator.
    const QString& dataFolder() const { return dataFolder_; }
    const QString& userFolder() const { return userFolder_; }
    const QString& configFolder() const { return configFolder_; }
    Layout layout() const { return layout_; }
    bool separate() const { return dataFolder_ != userFolder_; }

    // A file the program ships and never writes.
    QString shipped(const QString& name) const { return dataFolder_ + name; }
    // A file the program writes: the settings file lies in the config folder, everything else in the user folder.
    QString own(const QString& name) const { return userFolder_ + name; }
    QString config(const QString& name) const { return configFolder_ + name; }

    // Where to read a file the program writes at `ownPath` (one own() or config() gave): there once it exists;
    // before, the file of that name in the data folder where there is one; else `ownPath`.
    QString toRead(const QString& ownPath) const;
    // toRead() of own(name): the user's copy of a shipped file the user may change once there is one, else the
    // shipped file; where neither exists, the place the user's new file goes.
    QString changeable(const QString& name) const { return toRead(own(name)); }

    // Makes `ownPath` hold what toRead() reads, so that a change can be written there without losing the rest: with
    // separate folders the file is copied there the first time (files larger than `maxBytes` are not copied, and a
    // file that cannot be read is not either, so it is written as a new one). Returns `ownPath`, or an empty string
    // with `errorText` (if given) set to a sentence for the user when the copy cannot be made.
    QString ownCopy(const QString& ownPath, qint64 maxBytes, QString* errorText = nullptr) const;
    // The path of `path` (one that changeable() gave) where the user may write it: ownCopy() of own() of its name.
    QString writableCopy(const QString& path, qint64 maxBytes, QString* errorText = nullptr) const;

    // Makes the user's folders where they are missing; false when one cannot be made.
    bool makeUserFolders() const;

    // Decides once at start, changing nothing on disk. The program keeps everything in its own folder when that
    // folder may be written and no installed data folder (`installedDataFolder`, where an install puts the shipped
    // files) exists; otherwise it reads from the installed data folder (or its own folder, when there is none) and
    // writes into `userFolder` and `configFolder`. The data folder is looked for first, so that an administrator,
    // who may write anywhere, still runs an installed program as installed.
    static FilePlaces decide(const QString& programFolder, const QString& installedDataFolder,
                             const QString& userFolder, const QString& configFolder);

private:
    QString dataFolder_;
    QString userFolder_;
    QString configFolder_;
    Layout layout_ = Layout::OneFolder;
};

// Moves the file at `from` to `to` when nothing is at `to` yet: renamed where one file system holds both, else
// written at `to` in one atomic step and only then removed at `from`. At every moment the file is whole at one of
// the two places; on failure it stays where it was. False when nothing was moved.
bool moveFileOver(const QString& from, const QString& to, qint64 maxBytes);

} // namespace mx
