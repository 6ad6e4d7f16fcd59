#include "app/settings.h"

#include "app/app_globals.h"
#include "common/number_text.h"

#include <QtNumeric>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace mx {
namespace {

// The eleven numbers in the file's order; the note editor's state is the only 16-bit one.
struct StoredNumber {
    const char16_t* key;
    qint32* value32;
    qint16* value16;
};

const std::array<StoredNumber, 11>& storedNumbers()
{
    static const std::array<StoredNumber, 11> numbers = {{
        {u"Main Window Left", &MainWindowLeft, nullptr},
        {u"Main Window Top", &MainWindowTop, nullptr},
        {u"Calculator Left", &CalculatorLeft, nullptr},
        {u"Calculator Top", &CalculatorTop, nullptr},
        {u"Table Editor Left", &TableEditorLeft, nullptr},
        {u"Table Editor Top", &TableEditorTop, nullptr},
        {u"Note Editor Left", &NoteEditorLeft, nullptr},
        {u"Note Editor Top", &NoteEditorTop, nullptr},
        {u"Note Editor Height", &NoteEditorHeight, nullptr},
        {u"Note Editor Width", &NoteEditorWidth, nullptr},
        {u"Note Editor State", nullptr, &NoteEditorState},
    }};
    return numbers;
}

qint32 storedValue(const StoredNumber& number)
{
    return number.value32 ? *number.value32 : *number.value16;
}

// Ties to even without relying on the floating-point environment's rounding mode.
double roundHalfToEven(double value)
{
    if (std::fabs(value - std::trunc(value)) == 0.5)
        return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

void writeSettings(const QString& path)
{
    writeIniValues(path, settingsEntries()); // nobody is told: that run's settings are simply lost
}

QString tipsSettingFromFlag()
{
    return ShowTipsAtStartup ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace

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

void resetSettingsState()
{
    for (const StoredNumber& number : storedNumbers()) {
        if (number.value32)
            *number.value32 = 0;
        else
            *number.value16 = 0;
    }
    CenterAllForms = QStringLiteral("Yes");
    ShowTipsSetting = QStringLiteral("Yes");
    CenterForms = true;
    ShowTipsAtStartup = false;
    SavePositionsOnExit = false;
    RestoreDefaultsOnExit = false;
    MainResizing = false;
}

bool readStartupSettings(const IniDocument& doc)
{
    const QString section = QString::fromUtf16(kPositionSection);
    for (const StoredNumber& number : storedNumbers()) {
        const auto text = readIniValue(doc, section, QString::fromUtf16(number.key), QStringLiteral("0"));
        if (!text)
            return false;
        if (number.value32) {
            const auto value =
                storedInteger(*text, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
            if (!value)
                return false;
            *number.value32 = qint32(*value);
        } else {
            const auto value =
                storedInteger(*text, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
            if (!value)
                return false;
            *number.value16 = qint16(*value);
        }
    }
    const auto centre = readIniValue(doc, section, QStringLiteral("Center All Forms"), QStringLiteral("Yes"));
    if (!centre)
        return false;
    CenterAllForms = *centre;
    const auto tips =
        readIniValue(doc, QString::fromUtf16(kTipsSection), QStringLiteral("Show Tips"), QStringLiteral("Yes"));
    if (!tips)
        return false;
    ShowTipsSetting = *tips;
    return true;
}

std::optional<bool> isFirstRun()
{
    qint32 sum = 0;
    for (const StoredNumber& number : storedNumbers()) {
        if (qAddOverflow(sum, storedValue(number), &sum))
            return std::nullopt;
    }
    return sum == 0;
}

std::vector<IniEntry> settingsEntries()
{
    const QString section = QString::fromUtf16(kPositionSection);
    std::vector<IniEntry> entries;
    entries.reserve(storedNumbers().size() + 2);
    for (const StoredNumber& number : storedNumbers())
        entries.push_back({section, QString::fromUtf16(number.key), storedNumberText(storedValue(number))});
    entries.push_back({section, QStringLiteral("Center All Forms"), CenterAllForms});
    entries.push_back({QString::fromUtf16(kTipsSection), QStringLiteral("Show Tips"), ShowTipsSetting});
    return entries;
}

std::optional<qint32> storedNumber(QStringView key)
{
    for (const StoredNumber& number : storedNumbers()) {
        if (key == QStringView(number.key))
            return storedValue(number);
    }
    return std::nullopt;
}

void NormalUnload(const QString& path)
{
    ShowTipsSetting = tipsSettingFromFlag();
    writeSettings(path);
}

void RestoreDefaults(const QString& path)
{
    // The stored positions stay; they are not used while centring is on.
    CenterForms = true;
    CenterAllForms = QStringLiteral("Yes");
    ShowTipsSetting = tipsSettingFromFlag();
    writeSettings(path);
}

void storePositions(const CapturedGeometry& geometry)
{
    for (const auto& [key, value] : geometry) {
        for (const StoredNumber& number : storedNumbers()) {
            if (key != QStringView(number.key))
                continue;
            if (number.value32)
                *number.value32 = qint32(
                    std::clamp<qint64>(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
            else
                *number.value16 = qint16(
                    std::clamp<qint64>(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
        }
    }
}

void SaveNewPos(const QString& path, const CapturedGeometry& geometry)
{
    storePositions(geometry);
    ShowTipsSetting = tipsSettingFromFlag();
    CenterForms = false;
    CenterAllForms = QStringLiteral("No");
    writeSettings(path);
}

} // namespace mx
