#include "app/app_globals.h"

#include <QDir>
#include <QStandardPaths>

namespace mx {

QString AppPath;
QString NotesFile;
QString SettingsFile;

qint32 MainWindowLeft = 0, MainWindowTop = 0;
qint32 CalculatorLeft = 0, CalculatorTop = 0;
qint32 TableEditorLeft = 0, TableEditorTop = 0;
qint32 NoteEditorLeft = 0, NoteEditorTop = 0;
qint32 NoteEditorHeight = 0, NoteEditorWidth = 0;
qint16 NoteEditorState = 0;
QString CenterAllForms = QStringLiteral("Yes");
QString ShowTipsSetting = QStringLiteral("Yes");
bool CenterForms = true;
bool ShowTipsAtStartup = false;
bool SavePositionsOnExit = false;
bool RestoreDefaultsOnExit = false;
bool MainResizing = false;

namespace {
FilePlaces& places()
{
    static FilePlaces current{QString()};
    return current;
}
} // namespace

void setFilePlaces(const FilePlaces& filePlaces)
{
    places() = filePlaces;
    AppPath = filePlaces.dataFolder();
    NotesFile = filePlaces.own(QStringLiteral("MXNotes.rtf"));
    SettingsFile = filePlaces.own(QStringLiteral("Mensurix.ini"));
}

const FilePlaces& filePlaces()
{
    return places();
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
