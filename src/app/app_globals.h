#pragma once

#include "platform/file_places.h"

#include <QString>

// The program-wide values that stay global, alive for the whole run: the file paths, set up by the main window's
// load and read by the windows around it. Routines below the application take what they need as parameters.
namespace mx {

extern QString AppPath;      // the folder of the shipped files, always ending in the native separator ("/"): the
                             // program's folder unless it is installed
extern QString NotesFile;    // "MXNotes.rtf" where the program writes (AppPath unless installed)
extern QString SettingsFile; // "Mensurix.ini" where the program writes

// Sets the three paths from where the program's files are.
void setFilePlaces(const FilePlaces& places);
// Everything in one folder (adding the trailing separator).
void setAppPath(const QString& folder);

// Where this program's files are: beside it, or, once installed, its data folder and the user's own folder.
FilePlaces programFilePlaces(const QString& programFolder);

} // namespace mx
