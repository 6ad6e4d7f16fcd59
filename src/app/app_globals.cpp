#include "app/app_globals.h"

#include "platform/ini_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace mx {

QString AppPath;
QString NotesFile;
QString SettingsFile;

namespace {

QString settingsFileName()
{
    return QStringLiteral("Mensurix.ini");
}

} // namespace

void setFilePlaces(const FilePlaces& places)
{
    AppPath = places.dataFolder();
    NotesFile = places.own(QStringLiteral("MXNotes.rtf"));
    SettingsFile = places.config(settingsFileName());
}

void setAppPath(const QString& folder)
{
    setFilePlaces(FilePlaces(folder));
}

FilePlaces programFilePlaces(const QString& programFolder)
{
    // An install puts the shipped files at this path from the program's folder.
    const QString dataFolder = QDir(programFolder).filePath(QStringLiteral(MX_INSTALLED_DATA_FROM_PROGRAM));
    return FilePlaces::decide(programFolder, QDir::cleanPath(dataFolder),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

void prepareUserFolders(const FilePlaces& places)
{
    if (!places.makeUserFolders() || places.configFolder() == places.userFolder())
        return;
    moveFileOver(places.own(settingsFileName()), places.config(settingsFileName()), kMaxIniFileSize);
}

QString settingsFileToWrite(const FilePlaces& places)
{
    const QString path = places.ownCopy(places.config(settingsFileName()), kMaxIniFileSize);
    // Without a copy the write fails the same way, and the settings of this run are lost, as a failed write always
    // loses them.
    return path.isEmpty() ? places.config(settingsFileName()) : path;
}

QString ownFilesElsewhereNotice(const FilePlaces& places)
{
    if (places.layout() != FilePlaces::Layout::ReadOnlyFolder || QFileInfo::exists(places.config(settingsFileName())))
        return {};
    return QStringLiteral("Mensurix cannot save in its folder \"%1\".  From now on it keeps your settings in \"%2\", "
                          "and your notes, the tables you edit and your place in the tips of the day in \"%3\".")
        .arg(places.dataFolder(), places.configFolder(), places.userFolder());
}

} // namespace mx
