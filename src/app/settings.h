#pragma once

#include "platform/ini_file.h"
#include "psychro/barometric_pressure.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// What the settings file "Mensurix.ini" holds, as one value: the application owns it, reads it at start and writes
// it at exit; the windows get the parts they need. The file's text appears only where the file is read and written.
namespace mx {

inline constexpr const char16_t* kPositionSection = u"Position Information";
inline constexpr const char16_t* kTipsSection = u"Startup Tips";
inline constexpr const char16_t* kShowTipsKey = u"Show Tips";
inline constexpr const char16_t* kHumiditySection = u"Humidity";
inline constexpr const char16_t* kBarometricPressureKey = u"Barometric Pressure";

// Where a window's outer top-left corner is, in twips.
struct WindowPlace {
    qint32 left = 0;
    qint32 top = 0;
    bool operator==(const WindowPlace&) const = default;
};

// A place with the outer size (twips) and window state the window opens with: the note editor's.
struct SizedWindowPlace : WindowPlace {
    qint32 width = 0;  // stored under "Note Editor Height"
    qint32 height = 0; // stored under "Note Editor Width"
    qint16 state = 0;  // 0 normal, 1 minimised, 2 maximised
    bool operator==(const SizedWindowPlace&) const = default;
};

// "Center All Forms": windows centre themselves on the screen as they open; off, they take their stored places.
// Anything but exactly "No" centres, and a file's own spelling ("no", "yes") is written back until the program sets
// the preference.
class CentringPreference {
public:
    CentringPreference() = default;
    static CentringPreference fromFileText(QString text);

    bool isOn() const { return text_ != u"No"; }
    void set(bool on) { text_ = on ? QStringLiteral("Yes") : QStringLiteral("No"); }
    const QString& fileText() const { return text_; }

    bool operator==(const CentringPreference&) const = default;

private:
    QString text_ = QStringLiteral("Yes");
};

// The defaults are what a missing file gives.
struct Settings {
    WindowPlace mainWindow;
    WindowPlace calculator;
    WindowPlace tableEditor;
    SizedWindowPlace noteEditor;
    CentringPreference centring;
    bool showTipsAtStartup = true; // "Show Tips" is exactly "Yes"
    // "Barometric Pressure" of "[Humidity]", written only when it is not the standard atmosphere.
    BarometricPressure barometricPressure;

    bool operator==(const Settings&) const = default;
};

// The value a stored number takes in a variable of the range [minimum, maximum]: the leading number of the text,
// rounded to the nearest integer with ties to even. nullopt when the rounded value is out of range (a run-time
// error for the caller).
std::optional<qint64> storedInteger(QStringView text, qint64 minimum, qint64 maximum);

// The text a number is stored as: a blank before a number that is not negative, so that " 1440" and "-15" line up.
QString storedNumberText(qint64 value);

struct SettingsRead {
    Settings settings;
    // False at the first run-time error (a value too long for the profile buffer, a number out of its range): the
    // values read before it are kept, the others keep their defaults.
    bool complete = true;
};

// Reads the eleven positions, "Center All Forms" and "Show Tips" in the order of the file's layout, each through the
// profile buffer as the program has always read them; then the barometric pressure, which no error stops: one that
// cannot be read counts as the standard atmosphere.
SettingsRead readSettings(const IniDocument& file);

// Whether the eleven positions add up to 0. The sum runs in 32-bit integers in the order of the file, and an
// overflow on the way is a run-time error: nullopt.
std::optional<bool> isFirstRun(const Settings& settings);

// Every key, in the file's order, as the exit writes it. At the standard atmosphere the pressure's key is removed
// (with its section), so that the file is what it would be without it.
std::vector<IniEntry> settingsEntries(const Settings& settings);

// What every exit ends with: all keys written with one atomic write. Failures are silent and lose that run's
// settings, never the old file.
void writeSettingsFile(const QString& path, const Settings& settings);

} // namespace mx
