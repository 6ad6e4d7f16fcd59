#include "app/settings.h"

#include "common/number_text.h"

#include <QtNumeric>

#include <cmath>
#include <limits>
#include <type_traits>

namespace mx {
namespace {

// The eleven numbers of "Position Information" in the file's order, each with the field it is kept in. Works for
// a const and a mutable value alike; the note editor's state is the only 16-bit number.
template <typename SettingsValue, typename Visit> bool forEachStoredNumber(SettingsValue& s, Visit&& visit)
{
    return visit(u"Main Window Left", s.mainWindow.left) && visit(u"Main Window Top", s.mainWindow.top) &&
           visit(u"Calculator Left", s.calculator.left) && visit(u"Calculator Top", s.calculator.top) &&
           visit(u"Table Editor Left", s.tableEditor.left) && visit(u"Table Editor Top", s.tableEditor.top) &&
           visit(u"Note Editor Left", s.noteEditor.left) && visit(u"Note Editor Top", s.noteEditor.top) &&
           visit(u"Note Editor Height", s.noteEditor.width) && visit(u"Note Editor Width", s.noteEditor.height) &&
           visit(u"Note Editor State", s.noteEditor.state);
}

const QString kCentreKey = QStringLiteral("Center All Forms");

// Ties to even without relying on the floating-point environment's rounding mode.
double roundHalfToEven(double value)
{
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

} // namespace

CentringPreference CentringPreference::fromFileText(QString text)
{
    CentringPreference preference;
    preference.text_ = std::move(text);
    return preference;
}

std::optional<qint64> storedInteger(QStringView text, qint64 minimum, qint64 maximum)
{
    const double rounded = roundHalfToEven(leadingNumber(text));
    // Also false for the infinities an overflowing number reads as.
    if (!(rounded >= double(minimum) && rounded <= double(maximum)))
        return std::nullopt;
    return qint64(rounded);
}

QString storedNumberText(qint64 value)
{
    const QString digits = generalNumberText(double(value));
    return value < 0 ? digits : u' ' + digits;
}

SettingsRead readSettings(const IniDocument& file)
{
    SettingsRead read;
    Settings& settings = read.settings;
    const QString section = QString::fromUtf16(kPositionSection);
    const bool numbersRead = forEachStoredNumber(settings, [&](const char16_t* key, auto& field) {
        using Field = std::remove_reference_t<decltype(field)>;
        const auto text = readIniValue(file, section, QString::fromUtf16(key), QStringLiteral("0"));
        const auto value =
            text ? storedInteger(*text, std::numeric_limits<Field>::min(), std::numeric_limits<Field>::max())
                 : std::nullopt;
        if (value)
            field = Field(*value);
        return value.has_value();
    });
    const auto centre = numbersRead ? readIniValue(file, section, kCentreKey, QStringLiteral("Yes")) : std::nullopt;
    if (centre)
        settings.centring = CentringPreference::fromFileText(*centre);
    const auto tips = centre ? readIniValue(file, QString::fromUtf16(kTipsSection), QString::fromUtf16(kShowTipsKey),
                                            QStringLiteral("Yes"))
                             : std::nullopt;
    if (tips)
        settings.showTipsAtStartup = *tips == u"Yes";
    read.complete = tips.has_value();
    const auto pressure =
        readIniValue(file, QString::fromUtf16(kHumiditySection), QString::fromUtf16(kBarometricPressureKey), QString());
    if (pressure)
        settings.barometricPressure = pressureFromFileText(*pressure);
    return read;
}

std::optional<bool> isFirstRun(const Settings& settings)
{
    qint32 sum = 0;
    const bool summed = forEachStoredNumber(
        settings, [&sum](const char16_t*, auto value) { return !qAddOverflow(sum, qint32(value), &sum); });
    if (!summed)
        return std::nullopt;
    return sum == 0;
}

std::vector<IniEntry> settingsEntries(const Settings& settings)
{
    const QString section = QString::fromUtf16(kPositionSection);
    std::vector<IniEntry> entries;
    entries.reserve(14);
    forEachStoredNumber(settings, [&](const char16_t* key, auto value) {
        entries.push_back({section, QString::fromUtf16(key), storedNumberText(value)});
        return true;
    });
    entries.push_back({section, kCentreKey, settings.centring.fileText()});
    entries.push_back({QString::fromUtf16(kTipsSection), QString::fromUtf16(kShowTipsKey),
                       settings.showTipsAtStartup ? QStringLiteral("Yes") : QStringLiteral("No")});
    const BarometricPressure& pressure = settings.barometricPressure;
    entries.push_back({QString::fromUtf16(kHumiditySection), QString::fromUtf16(kBarometricPressureKey),
                       pressure.isStandard() ? std::nullopt : std::optional(pressureFileText(pressure))});
    return entries;
}

void writeSettingsFile(const QString& path, const Settings& settings)
{
    writeIniValues(path, settingsEntries(settings)); // nobody is told: that run's settings are simply lost
}

} // namespace mx
