#pragma once

#include "platform/file_places.h"

#include <QString>

// The program-wide values that stay global, alive for the whole run: the file paths, set up by the main window's
// load and read by the windows around it. Routines below the application take what they need as parameters.
namespace mx {

extern QString AppPath;      // the folder of the shipped files, always ending in the native separator ("/"): the
                             // program's folder unless it is installed
extern QString NotesFile;    // "MXNotes.rtf" where the program writes (AppPath unless installed)
extern QString SettingsFile; // "Mensurix.ini" where the program writes (the user's config folder unless in AppPath)

// Sets the three paths from where the program's files are.
void setFilePlaces(const FilePlaces& places);
// Everything in one folder (adding the trailing separator).
void setAppPath(const QString& folder);

// Where this program's files are: beside it, or, once installed (or when its folder may not be written), its data
// folder and the user's own folders. Decided from how the folders look, changing nothing on disk, so that the
// command line reads exactly what the window would.
FilePlaces programFilePlaces(const QString& programFolder);

// Before the window's start writes anything: the user's folders are made, and a settings file that an earlier
// version kept among the user's data files is moved to the config folder (unless one is there already).
void prepareUserFolders(const FilePlaces& places);

// Where the exit writes the settings: SettingsFile, made a copy of the file read at start the first time, so that
// what else it holds is kept.
QString settingsFileToWrite(const FilePlaces& places);

// Said once, after the main window has painted, when the program's folder may not be written and the user's own
// files are kept elsewhere from this start on; empty otherwise.
QString ownFilesElsewhereNotice(const FilePlaces& places);

} // namespace mx
