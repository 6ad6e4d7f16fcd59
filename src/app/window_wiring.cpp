#include "app/window_wiring.h"

#include "accessories/calculator_window.h"
#include "accessories/find_dialog.h"
#include "accessories/note_editor_window.h"
#include "accessories/notes_file.h"
#include "app/accessory_windows.h"
#include "app/app_globals.h"
#include "app/link_view.h"
#include "app/main_window.h"
#include "app/tab_strip.h"
#include "common/message_service.h"
#include "conversion/metric_conversions.h"
#include "conversion/metric_panel.h"
#include "conversion/table_editor_window.h"
#include "psychro/barometer_dialog.h"
#include "psychro/humidity_panel.h"
#include "psychro/psychro_chart_window.h"
#include "shell/about_text.h"
#include "shell/about_window.h"
#include "shell/help_topics.h"
#include "shell/help_viewer.h"
#include "shell/tip_window.h"
#include "shell/web_site_window.h"

#include <QAction>
#include <QDialog>
#include <QFileInfo>

#include <functional>
#include <memory>

namespace mx {
namespace {

QAction* menuEntry(MainWindow& main, const char* name)
{
    return main.findChild<QAction*>(QString::fromLatin1(name));
}

// The entry runs `step`.
void onEntry(MainWindow& main, const char* entry, std::function<void()> step)
{
    QAction* action = menuEntry(main, entry);
    action->setEnabled(true);
    QObject::connect(action, &QAction::triggered, &main, std::move(step));
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

// The table editor edits the current table, and what it saves reaches the Metric tab.
void wireTableEditor(MainWindow& main, MetricPanel* metric)
{
    AccessoryWindows& windows = main.windows();
    MetricConversions& conversions = main.conversions();
    const auto makeEditor = [&main, &windows, &conversions, metric]() -> QWidget* {
        QString error;
        const QString path = conversions.tableToEdit(&error);
        if (!error.isEmpty()) {
            showMessage(error, MsgButtons::Ok, MsgIcon::Exclamation);
            return nullptr;
        }
        auto* editor = new TableEditorWindow(path, conversions.currentCategory());
        editor->setWindowIcon(main.windowIcon());
        QObject::connect(editor, &TableEditorWindow::saved, metric, &MetricPanel::tableSaved);
        QObject::connect(editor, &TableEditorWindow::helpContentsRequested, [] { showHelpContents(); });
        QObject::connect(editor, &TableEditorWindow::helpTopicRequested, [](int id) { showHelpTopic(id); });
        QObject::connect(editor, &TableEditorWindow::aboutRequested, &windows,
                         [&windows] { windows.runDialog(AboutWindow::kFormName); });
        installHelpKey(editor, kTableEditorHelpContext);
        return editor;
    };
    windows.addWindow(TableEditorWindow::traits(), makeEditor, &main.settings().tableEditor);

    // Edit ▸ Edit Table follows the type list: every type but "Temperature" has a table to edit.
    QAction* editTable = menuEntry(main, "mnuTableEditor");
    editTable->setEnabled(conversions.tableEditorAllowed());
    QObject::connect(editTable, &QAction::triggered, &windows,
                     [&windows] { windows.open(TableEditorWindow::kFormName); });
    QObject::connect(metric, &MetricPanel::tableEditorAllowed, editTable, &QAction::setEnabled);

    // Yes to making a missing table opens the editor on the file to be created. An editor open on another table
    // closes first, asking about its unsaved changes; if the user keeps it, it is only brought forward. (A missing
    // table is made where the program writes, so the editor's file and the tab's compare as they are.)
    QObject::connect(metric, &MetricPanel::newTableRequested, &windows, [&windows, &conversions] {
        auto* editor = qobject_cast<TableEditorWindow*>(windows.loaded(TableEditorWindow::kFormName));
        if (editor && editor->filePath() != conversions.tablePath()) {
            if (editor->close())
                delete editor; // now, not once the event loop gets to it: the new editor takes its place at once
        }
        windows.open(TableEditorWindow::kFormName);
    });
}

// The notes file the editor opens: where the program writes it. Until the user has notes of their own, those the
// data folder holds (a portable folder that may not be written) are copied there first; where no copy can be made,
// the editor opens them in place, and a save says why it fails.
QString notesFileToEdit(const FilePlaces& places)
{
    const QString copy = places.ownCopy(NotesFile, kMaxNotesFileBytes);
    return QFileInfo::exists(copy) ? copy : places.toRead(NotesFile);
}

// The note editor and its find dialog. The editor asks for the dialog through the registry, the dialog selects
// text in the editor, and the dialog goes when the editor goes. What was searched for, and where the dialog was,
// last for the run.
void wireNoteEditor(AccessoryWindows& windows, SizedWindowPlace& editorPlace, const FilePlaces& places)
{
    const QString editorName = NoteEditorWindow::kFormName;
    const QString findName = FindDialog::kFormName;
    const auto makeEditor = [&windows, findName, places] {
        auto* editor = new NoteEditorWindow(notesFileToEdit(places));
        installHelpKey(editor, kNoteEditorHelpContext);
        QObject::connect(editor, &NoteEditorWindow::findRequested, &windows,
                         [&windows, findName] { windows.open(findName); });
        QObject::connect(editor, &NoteEditorWindow::closing, &windows, [&windows, findName] {
            if (QWidget* find = windows.loaded(findName))
                find->close();
        });
        QObject::connect(editor, &NoteEditorWindow::helpContentsRequested, &windows, [] { showHelpContents(); });
        QObject::connect(editor, &NoteEditorWindow::noteHelpRequested, &windows,
                         [] { showHelpTopic(kNoteEditorHelpContext); });
        QObject::connect(editor, &NoteEditorWindow::aboutRequested, &windows,
                         [&windows] { windows.runDialog(AboutWindow::kFormName); });
        return editor;
    };
    windows.addWindow(NoteEditorWindow::traits(), makeEditor, &editorPlace);
    auto positions = std::make_shared<FindPositions>();
    windows.addWindow(FindDialog::traits(), [&windows, editorName, findName, positions] {
        auto* find = new FindDialog(*positions);
        find->setSearch([&windows, editorName](const FindSearch& search) {
            auto* editor = qobject_cast<NoteEditorWindow*>(windows.loaded(editorName));
            return editor ? editor->findText(search.text, search.from, search.options) : -1;
        });
        find->setPlacement([&windows, findName] { return windows.placeAgain(findName); });
        return find;
    });
}

// The Humidity tab's barometric pressure: kept in the settings, chosen in its dialog, shown by the tab, which also
// tells the windows that draw at it when it changes.
void wireBarometricPressure(MainWindow& main)
{
    AccessoryWindows& windows = main.windows();
    BarometricPressure& pressure = main.settings().barometricPressure;
    auto* humidity = main.findChild<HumidityPanel*>();
    humidity->setPressureSource(&pressure);
    windows.addDialog(
        BarometerDialog::kFormName, [&main, &pressure] { return new BarometerDialog(pressure, &main); },
        [&pressure, humidity](QDialog& dialog, int result) {
            const BarometricPressure& chosen = static_cast<BarometerDialog&>(dialog).chosenPressure();
            if (result != QDialog::Accepted || chosen == pressure)
                return;
            pressure = chosen;
            humidity->pressureSet();
        });
    onEntry(main, "mnuBarometricPressure", [&windows] { windows.runDialog(BarometerDialog::kFormName); });
}

// The psychrometric chart draws what the Humidity tab shows; a state picked on it is calculated on the tab, which is
// brought to the front. Where the chart was is kept for the run only.
void wirePsychroChart(MainWindow& main)
{
    AccessoryWindows& windows = main.windows();
    auto* humidity = main.findChild<HumidityPanel*>();
    auto* strip = main.findChild<TabStrip*>();
    const auto showTab = [humidity](PsychroChartWindow& chart) {
        const HumidityReading reading = humidity->reading();
        chart.showTab({reading.scale, reading.extendedRange, reading.pressure}, reading.result);
    };
    windows.addWindow(PsychroChartWindow::traits(), [&main, humidity, strip, showTab] {
        auto* chart = new PsychroChartWindow;
        chart->setWindowIcon(main.windowIcon());
        showTab(*chart);
        QObject::connect(humidity, &HumidityPanel::readingChanged, chart, [chart, showTab] { showTab(*chart); });
        QObject::connect(chart, &PsychroChartWindow::statePicked, humidity,
                         [humidity, strip](const QString& dryBulb, const QString& relativeHumidity) {
                             for (int i = 0; i < strip->count(); ++i) {
                                 if (strip->tabKey(i) == u"Humidity" && strip->currentIndex() != i)
                                     strip->chooseTab(i);
                             }
                             humidity->calculateFrom(dryBulb, relativeHumidity);
                         });
        installHelpKey(chart, kHelpContentsContext);
        return chart;
    });
    openFrom(main, "mnuPsychroChart", PsychroChartWindow::kFormName);
}

} // namespace

void wireWindows(MainWindow& main)
{
    AccessoryWindows& windows = main.windows();
    // The accessory windows, each declared with the place it opens at.
    Settings& settings = main.settings();
    windows.addWindow(
        CalculatorWindow::traits(), [] { return new CalculatorWindow; }, &settings.calculator);
    wireTableEditor(main, main.findChild<MetricPanel*>());
    wireNoteEditor(windows, settings.noteEditor, main.filePlaces());

    openFrom(main, "mnuCalculator", CalculatorWindow::kFormName);
    openFrom(main, "mnuNoteEditor", NoteEditorWindow::kFormName);
    wireBarometricPressure(main);
    wirePsychroChart(main);

    // Help: one viewer, carried along with the other windows.
    setUpHelp(&main, main.filePlaces().dataFolder(), [&windows](QWidget* viewer) { windows.adopt(viewer); });
    installHelpKey(&main, kHelpContentsContext);
    onEntry(main, "mnuContents", [] { showHelpContents(); });

    // The tip of the day: at start (when the settings say so) and from Help, which also turns it on again at start.
    windows.addDialog(
        TipWindow::kFormName, [&main] { return new TipWindow(main.filePlaces(), &main); },
        [&settings](QDialog& tip, int) {
            settings.showTipsAtStartup = static_cast<TipWindow&>(tip).showTipsAtStartup();
        });
    onEntry(main, "mnuShowTip", [&windows, &settings] {
        settings.showTipsAtStartup = true;
        windows.runDialog(TipWindow::kFormName);
    });

    // The about box, the web dialog and the hidden animation share the link's flags.
    LinkView& link = main.linkView();
    const QString licence = licenceText();
    windows.addDialog(AboutWindow::kFormName,
                      [&main, &link, licence] { return new AboutWindow(licence, link.flags(), &main); });
    onEntry(main, "mnuAbout", [&windows] { windows.runDialog(AboutWindow::kFormName); });
    windows.addDialog(WebSiteWindow::kFormName, [&main, &link] {
        return new WebSiteWindow(makerWebAddress(readIniDocument(main.filePlaces().toRead(SettingsFile))), link.flags(),
                                 &main);
    });
    QObject::connect(&link, &LinkView::webDialogRequested, &windows,
                     [&windows] { windows.runDialog(WebSiteWindow::kFormName); });

    // The link's hints read the Metric tab.
    const MetricPanel* metric = main.findChild<MetricPanel*>();
    link.setMetricReader([metric] { return LinkView::MetricReading{metric->valueText(), metric->secondRowToUnit()}; });
}

} // namespace mx
