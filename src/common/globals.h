#pragma once

#include <QString>

// Program-wide values, alive for the whole run (set up by the main window's load).
namespace mx {

inline constexpr const char16_t* kAppTitle = u"Mensurix";

extern QString AppPath;      // the program's folder, always ending in the native separator ("/")
extern QString NotesFile;    // AppPath + "MXNotes.rtf"
extern QString SettingsFile; // AppPath + "Mensurix.ini"

extern bool HiddenAnimationEnabled;
extern QString HumidityScale; // "F" or "C"

// Settings and window placement state.
extern qint32 MainWindowLeft, MainWindowTop;
extern qint32 CalculatorLeft, CalculatorTop;
extern qint32 TableEditorLeft, TableEditorTop;
extern qint32 NoteEditorLeft, NoteEditorTop;
extern qint32 NoteEditorHeight, NoteEditorWidth; // width and height in that order, as the keys have always been
extern qint16 NoteEditorState;
extern QString CenterAllForms;
extern QString ShowTipsSetting;
extern bool CenterForms;
extern bool ShowTipsAtStartup;
extern bool SavePositionsOnExit;
extern bool RestoreDefaultsOnExit;
extern bool MainResizing;
extern qint32 FindLeft, FindTop;

// Sets AppPath from a folder (adding the trailing separator) and the file paths derived from it.
void setAppPath(const QString& folder);

} // namespace mx
