#include "app/startup_plan.h"

namespace mx {
namespace {

// The values read before the error stay: a run that unticks Save Positions writes them back.
Startup recovery(Settings settings)
{
    settings.centring.set(true);
    settings.showTipsAtStartup = true;
    StartupPlan plan;
    plan.recovery = true;
    plan.showTip = true;
    plan.savePositionsAtExit = true;
    return {settings, plan};
}

} // namespace

Startup planStartup(const IniDocument& file)
{
    SettingsRead read = readSettings(file);
    if (!read.complete)
        return recovery(read.settings);
    Settings& settings = read.settings;

    const std::optional<bool> firstRun = isFirstRun(settings);
    if (!firstRun)
        return recovery(settings);
    // A first run centres. The tip needs nothing of it: a file without "Show Tips" already gives "Yes", and a "No"
    // the user chose stands even while no window place has been saved.
    if (*firstRun)
        settings.centring.set(true);

    StartupPlan plan;
    plan.centre = settings.centring.isOn();
    plan.position = QPoint(settings.mainWindow.left, settings.mainWindow.top);
    plan.restoreDefaultsMark = plan.centre;
    plan.savePositionsMark = !plan.centre;
    plan.showTip = settings.showTipsAtStartup;
    return {settings, plan};
}

} // namespace mx
