#include "app/app_globals.h"

#include <QDir>
#include <QStandardPaths>

namespace mx {

QString AppPath;
QString NotesFile;
QString SettingsFile;

void setFilePlaces(const FilePlaces& places)
{
    AppPath = places.dataFolder();
    NotesFile = places.own(QStringLiteral("MXNotes.rtf"));
    SettingsFile = places.own(QStringLiteral("Mensurix.ini"));
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
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace mx
