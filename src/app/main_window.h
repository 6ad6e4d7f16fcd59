#pragma once

#include <QMainWindow>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace mx {

class MetricPanel;
class TabStrip;
struct CapturedGeometry;

// The main window (frmTabs): the tab strip with its five panels, the menu bar, and the program's initialisation
// and exit sequence.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `programFolder` is where the data files are (AppPath); the program passes its own folder, tests a temporary
    // one.
    explicit MainWindow(const QString& programFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    MetricPanel* metricPanel() const { return picMetric; }
    TabStrip* tabStrip() const { return TabStrip1; }
    QWidget* panel(int tabIndex) const; // 1 to 5

    // What the start shows as the tip of the day; nothing until the tip window exists. Tests install their own.
    static void setTipHook(std::function<void()> hook);

    static constexpr int kResizeGuardMs = 1000;
    static constexpr int kTabStripWidth = 6555;
    static constexpr int kTabStripHeight = 5295;
    static constexpr int kTabStripTop = 540;
    static constexpr int kWindowHeight = 6500;

public Q_SLOTS:
    void TabStrip1_Click();
    void timResizeTimer_Timer();
    void mnuExit_Click();

private Q_SLOTS:
    void mnuSavePositions_Click();
    void mnuCenter_Click();
    void mnuQuorvane_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    // Steps 8 to 15 of the load; false on a run-time error, which takes the recovery path.
    bool applySettings();
    void recoverFromSettingsError();
    void showTipOfTheDay();
    CapturedGeometry captureGeometry() const;
    void Form_Resize();
    // Returns false when a window refused to close; the exit is then cancelled.
    bool Form_Unload();
    void TabStrip1_MouseMove();
    void buildMenus();
    void buildPanels();
    void showPanel(int tabIndex);
    QAction* addEntry(QMenu* menu, const QString& name, const QString& caption, const QString& description);

    TabStrip* TabStrip1 = nullptr;
    MetricPanel* picMetric = nullptr;
    QWidget* picHumidity = nullptr;
    QWidget* picWind = nullptr;
    QWidget* picVibration = nullptr;
    QWidget* PicElectrical = nullptr;
    QLabel* Image1_0 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* lblTip = nullptr;
    QLabel* lblEgg = nullptr;
    QLabel* lblEgg2 = nullptr;
    QLabel* lblEgg3 = nullptr;
    QTimer* timResizeTimer = nullptr;
    QTimer* timLogoTips = nullptr;
    QTimer* timElecTips = nullptr;

    QMenu* mnuFile = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuTools = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuTableEditor = nullptr;
    QAction* mnuCalculator = nullptr;
    QAction* mnuNoteEditor = nullptr;
    QAction* mnuSavePositions = nullptr;
    QAction* mnuCenter = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuShowTip = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuQuorvane = nullptr;

    bool tableEditorAllowed_ = false;
    bool unloading_ = false;
    bool centreWhenShown_ = false;
};

} // namespace mx
