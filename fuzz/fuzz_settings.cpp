// Start-up reading of the settings: any file must read without a crash, and whatever was read must come back the
// same after the exit routines' keys are written over the document.
#include "app/app_globals.h"
#include "app/settings.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {
struct Snapshot {
    std::array<qint32, 10> n;
    qint16 state;
    QString centre, tips;
    bool operator==(const Snapshot&) const = default;
};
Snapshot take()
{
    using namespace mx;
    return {{MainWindowLeft, MainWindowTop, CalculatorLeft, CalculatorTop, TableEditorLeft, TableEditorTop,
             NoteEditorLeft, NoteEditorTop, NoteEditorHeight, NoteEditorWidth},
            NoteEditorState,
            CenterAllForms,
            ShowTipsSetting};
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    mx::resetSettingsState();
    mx::IniDocument doc = mx::IniDocument::fromBytes(bytes);
    if (!mx::readStartupSettings(doc))
        return 0;
    (void)mx::isFirstRun();
    const Snapshot first = take();
    // Strings with five blanks in a row or cut by the buffer do not survive; the numbers always do.
    for (const mx::IniEntry& e : mx::settingsEntries())
        doc.setValue(e.section, e.key, e.value);
    mx::resetSettingsState();
    mx::IniDocument again = mx::IniDocument::fromBytes(doc.toBytes());
    if (!mx::readStartupSettings(again))
        std::abort();
    Snapshot second = take();
    if (second.n != first.n || second.state != first.state)
        std::abort();
    return 0;
}
