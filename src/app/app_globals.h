#pragma once

#include <QString>

// The program-wide values that stay global, alive for the whole run: set up by the main window's load and read by
// the windows around it. Routines below the application take what they need of them as parameters.
namespace mx {

extern QString AppPath;      // the program's folder, always ending in the native separator ("/")
extern QString NotesFile;    // AppPath + "MXNotes.rtf"
extern QString SettingsFile; // AppPath + "Mensurix.ini"

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

// Sets AppPath from a folder (adding the trailing separator) and the file paths derived from it.
void setAppPath(const QString& folder);

} // namespace mx
