#include "app/window_wiring.h"

#include "app/accessory_windows.h"
#include "accessories/calculator_window.h"
#include "app/logo_link.h"
#include "app/main_window.h"
#include "common/number_text.h"
#include "conversion/metric_panel.h"

#include <QAction>

namespace mx {
namespace {

// The value that, typed into the Metric tab with the Celsius pair showing, arms the hidden animation.
constexpr double kArmingValue = -73.0;

QAction* menuEntry(MainWindow& main, const char* name)
{
    return main.findChild<QAction*>(QString::fromLatin1(name));
}

// The entry opens its window, once the window is part of the program.
void openFrom(MainWindow& main, const char* entry, const QString& formName)
{
    AccessoryWindows& windows = main.windows();
    if (!windows.canOpen(formName))
        return;
    QAction* action = menuEntry(main, entry);
    action->setEnabled(true);
    QObject::connect(action, &QAction::triggered, &windows, [&windows, formName] { windows.open(formName); });
}

} // namespace

void wireWindows(MainWindow& main)
{
    AccessoryWindows& windows = main.windows();
    // The accessory windows with the places they open at. Those not yet part of the program are declared by their
    // places alone, so that the settings file still records where they would open.
    windows.addWindow(CalculatorWindow::traits(), [] { return new CalculatorWindow; });
    windows.addWindow({QStringLiteral("frmTableEditor"),
                       {5700, 6180},
                       QStringLiteral("Table Editor Left"),
                       QStringLiteral("Table Editor Top")});
    // The settings key named for the height holds the width, and the other the height.
    windows.addWindow({QStringLiteral("frmNoteEditor"),
                       {7200, 5400},
                       QStringLiteral("Note Editor Left"),
                       QStringLiteral("Note Editor Top"),
                       QStringLiteral("Note Editor Height"),
                       QStringLiteral("Note Editor Width"),
                       QStringLiteral("Note Editor State")});
    // The find dialog's place is kept for the run only.
    windows.addWindow(
        {QStringLiteral("frmFind"), {4695, 2085}, {}, {}, {}, {}, {}, PlacementGuard::SkipWhileMinimisedOrResizing});

    openFrom(main, "mnuCalculator", QStringLiteral("Calculator"));
    openFrom(main, "mnuNoteEditor", QStringLiteral("frmNoteEditor"));
    openFrom(main, "mnuTableEditor", QStringLiteral("frmTableEditor"));

    // The link's hints read the Metric tab.
    const MetricPanel* metric = main.findChild<MetricPanel*>();
    main.logoLink().setMetricReader([metric] {
        return LogoHints::MetricState{leadingNumber(metric->valueText()) == kArmingValue,
                                      metric->secondRowToUnit() == u"Degrees C"};
    });

    // Edit ▸ Edit Table follows the type list: every type but "Temperature" has a table to edit.
    QAction* editTable = menuEntry(main, "mnuTableEditor");
    QObject::connect(main.findChild<MetricPanel*>(), &MetricPanel::tableEditorAllowed, editTable,
                     [editTable, &windows](bool allowed) {
                         editTable->setEnabled(allowed && windows.canOpen(QStringLiteral("frmTableEditor")));
                     });
}

} // namespace mx
