#include "app/window_wiring.h"

#include "accessories/calculator_window.h"
#include "app/accessory_windows.h"
#include "app/app_globals.h"
#include "app/main_window.h"
#include "conversion/metric_conversions.h"
#include "conversion/metric_panel.h"
#include "conversion/table_editor_window.h"

#include <QAction>

namespace mx {
namespace {

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

const QString kTableEditor = QStringLiteral("frmTableEditor");

// The table editor edits the current table; it keeps its place in the settings values as it moves and closes, and
// what it saves reaches the Metric tab.
void wireTableEditor(MainWindow& main, MetricPanel* metric)
{
    AccessoryWindows& windows = main.windows();
    MetricConversions& conversions = main.conversions();
    windows.addWindow(TableEditorWindow::traits(), [&main, &conversions, metric] {
        auto* editor = new TableEditorWindow(conversions.tablePath(), conversions.currentCategory());
        editor->setWindowIcon(main.windowIcon());
        QObject::connect(editor, &TableEditorWindow::placeToKeep, [](QPoint topLeft) {
            TableEditorLeft = topLeft.x();
            TableEditorTop = topLeft.y();
        });
        QObject::connect(editor, &TableEditorWindow::saved, metric, &MetricPanel::tableSaved);
        return editor;
    });

    // Edit ▸ Edit Table follows the type list: every type but "Temperature" has a table to edit.
    QAction* editTable = menuEntry(main, "mnuTableEditor");
    editTable->setEnabled(conversions.tableEditorAllowed());
    QObject::connect(editTable, &QAction::triggered, &windows, [&windows] { windows.open(kTableEditor); });
    QObject::connect(metric, &MetricPanel::tableEditorAllowed, editTable, &QAction::setEnabled);

    // Yes to making a missing table opens the editor on the file to be created. An editor open on another table
    // closes first, asking about its unsaved changes; if the user keeps it, it is only brought forward.
    QObject::connect(metric, &MetricPanel::newTableRequested, &windows, [&windows, &conversions] {
        auto* editor = qobject_cast<TableEditorWindow*>(windows.loaded(kTableEditor));
        if (editor && editor->filePath() != conversions.tablePath()) {
            if (editor->close())
                delete editor; // now, not once the event loop gets to it: the new editor takes its place at once
        }
        windows.open(kTableEditor);
    });
}

} // namespace

void wireWindows(MainWindow& main)
{
    AccessoryWindows& windows = main.windows();
    // The accessory windows with the places they open at. Those not yet part of the program are declared by their
    // places alone, so that the settings file still records where they would open.
    windows.addWindow(CalculatorWindow::traits(), [] { return new CalculatorWindow; });
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

    wireTableEditor(main, main.findChild<MetricPanel*>());

    openFrom(main, "mnuCalculator", QStringLiteral("Calculator"));
    openFrom(main, "mnuNoteEditor", QStringLiteral("frmNoteEditor"));
}

} // namespace mx
