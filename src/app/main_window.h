#pragma once

#include "app/settings.h"
#include "app/startup_plan.h"
#include "platform/file_places.h"

#include <QKeySequence>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace mx {

class AccessoryWindows;
class LinkView;
class MetricConversions;
class TabPanel;
class TabStrip;
struct TabPage;

// The main window (frmTabs): the tab strip over the tab panels, the menu bar, and the program's initialisation and
// exit sequence. What the tabs hold comes from the tab-page table, the other windows from the accessory registry.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `places` says where the files are read and written: the program passes what it decided at start, tests a
    // temporary folder. The window is built, its settings read and it is placed; what opens over it comes once it
    // has painted.
    explicit MainWindow(const FilePlaces& places, QWidget* parent = nullptr);
    ~MainWindow() override;

    static constexpr QLatin1StringView kFormName{"frmTabs"};

    const FilePlaces& filePlaces() const { return places_; }
    // What the settings file will be written with at exit.
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    AccessoryWindows& windows() const { return *windows_; }
    MetricConversions& conversions() const { return *conversions_; }
    LinkView& linkView() const { return *linkView_; }

    static constexpr int kResizeGuardMs = 1000;

Q_SIGNALS:
    // The window has painted for the first time, and the tip of the day (if any) has been shown over it.
    void started();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildTabs();
    // A shortcut of the window, by `name`, running `step` on any of `keys`.
    void addTabKeys(const QString& name, const QList<QKeySequence>& keys, std::function<void()> step);
    void buildLogoAndHints();
    void applyStartupPlan();
    void afterFirstPaint();
    void showTab(int index);
    void onTabChosen(int index);
    void onWindowStateChanged();
    void onResizeGuardEnded();
    void onSavePositions();
    void onRestoreDefaults();
    void onAboutQuorvane();
    // False when a window refused to close; the exit is then cancelled.
    bool runExitSequence();
    void saveWindowPositions();

    // What the exit does besides writing the settings, as the two check marks of the Tools menu chose it.
    enum class AtExit { WriteSettings, RestoreDefaults, SavePositions };

    FilePlaces places_;
    Settings settings_;
    AtExit atExit_ = AtExit::WriteSettings;
    std::unique_ptr<MetricConversions> conversions_;
    AccessoryWindows* windows_ = nullptr;
    std::vector<TabPage> pages_;
    std::vector<TabPanel*> panels_;
    StartupPlan plan_;

    TabStrip* tabStrip_ = nullptr;
    LinkView* linkView_ = nullptr;
    QTimer* resizeGuard_ = nullptr;
    QAction* tableEditorAction_ = nullptr;
    QAction* savePositionsAction_ = nullptr;
    QAction* restoreDefaultsAction_ = nullptr;

    bool watchingExpose_ = false;
    bool painted_ = false;
    bool exiting_ = false;
};

} // namespace mx
