// Start-up reading of the settings: any file must read without a crash, and whatever was read must come back the
// same after the exit's keys are written over the document.
#include "app/settings.h"
#include "app/startup_plan.h"

#include <cstdint>
#include <cstdlib>

namespace {
bool sameValues(const mx::Settings& a, const mx::Settings& b)
{
    return a.mainWindow == b.mainWindow && a.calculator == b.calculator && a.tableEditor == b.tableEditor &&
           a.noteEditor == b.noteEditor && a.barometricPressure == b.barometricPressure;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    mx::IniDocument doc = mx::IniDocument::fromBytes(bytes);
    (void)mx::planStartup(doc);
    const mx::SettingsRead first = mx::readSettings(doc);
    if (!first.complete)
        return 0;
    // Texts with five blanks in a row or cut by the buffer do not survive; the numbers and the pressure always do.
    for (const mx::IniEntry& e : mx::settingsEntries(first.settings))
        mx::applyIniEntry(doc, e);
    const mx::SettingsRead second = mx::readSettings(mx::IniDocument::fromBytes(doc.toBytes()));
    if (!second.complete || !sameValues(first.settings, second.settings))
        std::abort();
    return 0;
}
