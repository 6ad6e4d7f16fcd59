#pragma once

#include "platform/ini_file.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <utility>
#include <vector>

// The settings file's values at start-up and at exit: plain code over the program-wide values of app_globals.h.
namespace mx {

inline constexpr const char16_t* kPositionSection = u"Position Information";
inline constexpr const char16_t* kTipsSection = u"Startup Tips";

// The value a stored number takes in a variable of the range [minimum, maximum]: the leading number of the text,
// rounded to the nearest integer with ties to even. nullopt when the rounded value is out of range (a run-time
// error for the caller).
std::optional<qint64> storedInteger(QStringView text, qint64 minimum, qint64 maximum);

// The text a number is stored as: a blank before a number that is not negative, so that " 1440" and "-15" line up.
QString storedNumberText(qint64 value);

// Puts every settings value back to what a fresh run starts with. The main window is created once per run, but
// tests create many, and each must start as a new run would.
void resetSettingsState();

// Reads the eleven positions, CenterAllForms and ShowTipsSetting from the document, in the order of the file's
// layout, each through ReadINI's buffer. Returns false at the first run-time error (a value too long for the buffer,
// a number out of its variable's range); the values read before it stay.
[[nodiscard]] bool readStartupSettings(const IniDocument& doc);

// Whether the eleven positions add up to 0. The sum runs in 32-bit integers in the order of the file, and an
// overflow on the way is a run-time error: nullopt.
std::optional<bool> isFirstRun();

// The number stored under a key of "Position Information" ("Calculator Left"), if the key is one of the eleven.
std::optional<qint32> storedNumber(QStringView key);

// Every key the exit routines write, in the file's order, from the program-wide values.
std::vector<IniEntry> settingsEntries();

// Where the windows are at exit, in whole twips, as the keys of "Position Information" they go to.
using CapturedGeometry = std::vector<std::pair<QString, qint64>>;

// Puts the captured numbers into the program-wide values of their keys, without writing the file.
void storePositions(const CapturedGeometry& geometry);

// The exit routines of the main window. Each writes all keys to the settings file at `path` with one atomic write;
// failures are silent and lose that run's settings, never the old file.
void NormalUnload(const QString& path);
void RestoreDefaults(const QString& path);
void SaveNewPos(const QString& path, const CapturedGeometry& geometry);

} // namespace mx
