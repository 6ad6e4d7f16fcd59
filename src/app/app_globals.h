#pragma once

#include "platform/file_places.h"

#include <QString>

// The program-wide values that stay global, alive for the whole run: set up by the main window's load and read by
// the windows around it. Routines below the application take what they need of them as parameters.
namespace mx {

extern QString AppPath;      // the folder of the shipped files, always ending in the native separator ("/"): the
                             // program's folder unless it is installed
extern QString NotesFile;    // "MXNotes.rtf" where the program writes (AppPath unless installed)
extern QString SettingsFile; // "Mensurix.ini" where the program writes

// Settings and window placement state.
extern qint32 MainWindowLeft, MainWindowTop;
extern qint32 CalculatorLeft, CalculatorTop;
extern qint32 TableEditorLeft, TableEditorTop;
extern qint32 NoteEditorLeft, NoteEditorTop;
extern qint32 NoteEditorHeight, NoteEditorWidth; // the first holds the width, the second the height
extern qint16 NoteEditorState;
extern QString CenterAllForms;
extern QString ShowTipsSetting;
extern bool CenterForms;
extern bool ShowTipsAtStartup;
extern bool SavePositionsOnExit;
extern bool RestoreDefaultsOnExit;
extern bool MainResizing;

// Sets where the program's files are: AppPath and the file paths derived from them.
void setFilePlaces(const FilePlaces& places);
const FilePlaces& filePlaces();
// Everything in one folder (adding the trailing separator).
void setAppPath(const QString& folder);

// Where this program's files are: beside it, or, once installed, its data folder and the user's own folder.
FilePlaces programFilePlaces(const QString& programFolder);

} // namespace mx
