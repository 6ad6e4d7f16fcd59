#include "app/startup_plan.h"

#include "app/app_globals.h"
#include "app/settings.h"

namespace mx {
namespace {

StartupPlan recoveryPlan()
{
    CenterForms = true;
    CenterAllForms = QStringLiteral("Yes");
    ShowTipsAtStartup = true;
    SavePositionsOnExit = true;
    RestoreDefaultsOnExit = false;
    StartupPlan plan;
    plan.recovery = true;
    plan.showTip = true;
    return plan;
}

} // namespace

StartupPlan planStartup(const IniDocument& settings)
{
    resetSettingsState();
    if (!readStartupSettings(settings))
        return recoveryPlan();

    const std::optional<bool> firstRun = isFirstRun();
    if (!firstRun)
        return recoveryPlan();
    if (*firstRun) {
        CenterAllForms = QStringLiteral("Yes");
        ShowTipsSetting = QStringLiteral("Yes");
    }

    StartupPlan plan;
    // Anything but exactly "No" centres; the tip, by contrast, needs exactly "Yes".
    CenterForms = CenterAllForms != u"No";
    plan.restoreDefaultsMark = CenterForms;
    plan.savePositionsMark = !CenterForms;
    ShowTipsAtStartup = ShowTipsSetting == u"Yes";
    plan.showTip = ShowTipsAtStartup;
    plan.centre = CenterForms;
    plan.position = QPoint(MainWindowLeft, MainWindowTop);
    return plan;
}

} // namespace mx
