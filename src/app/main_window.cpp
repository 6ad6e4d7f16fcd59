#include "app/main_window.h"

#include "app/logo_art.h"
#include "app/settings.h"
#include "app/startup_trace.h"
#include "app/tab_strip.h"
#include "common/globals.h"
#include "common/message_service.h"
#include "common/twips.h"
#include "conversion/metric_panel.h"
#include "platform/ini_file.h"
#include "platform/loaded_windows.h"
#include "platform/shell_open.h"
#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>

#include <utility>

namespace mx {
namespace {

struct PanelPlace {
    int left;
    int top;
};

// Offsets of the five panels from the tab strip's top-left corner, in twips, by tab index 1 to 5.
constexpr std::array<PanelPlace, 5> kPanelOffsets = {{{360, 1200}, {300, 1000}, {240, 1200}, {440, 800}, {200, 700}}};

// Outer sizes in twips with which the accessory windows open; each window will supply its own once it exists. The
// note editor's is not fixed by its design, so it opens at a size of our choosing.
constexpr QSize kCalculatorSize(2895, 3330);
constexpr QSize kTableEditorSize(5700, 6180);
constexpr QSize kNoteEditorSize(7200, 5400);
constexpr QSize kFindSize(4695, 2085);

std::function<void()>& tipHook()
{
    static std::function<void()> hook;
    return hook;
}

QWidget* loadedWindow(QStringView name)
{
    for (QWidget* w : loadedWindows())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

QLabel* makeHintLabel(QWidget* parent, const QString& name, const QString& text, QRect twips)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAccessibleDescription(QStringLiteral("Hint"));
    label->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    label->setFrameShape(QFrame::Box);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::ToolTipBase);
    label->setForegroundRole(QPalette::ToolTipText);
    label->hide();
    return label;
}

QTimer* makeTimer(QObject* parent, const QString& name, int intervalMs)
{
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    return timer;
}

} // namespace

MainWindow::MainWindow(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint)
{
    QElapsedTimer loadTime;
    loadTime.start();
    setObjectName(QStringLiteral("frmTabs"));
    setWindowTitle(QString::fromUtf16(kAppTitle));
    setAccessibleName(QString::fromUtf16(kAppTitle));
    setAttribute(Qt::WA_DeleteOnClose);
    registerLoadedWindow(this);
    setAppPath(programFolder);

    buildMenus();
    buildPanels();
    Form_Load();
    trace::duration("form-load-ns", loadTime.nsecsElapsed());
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::panel(int tabIndex) const
{
    switch (tabIndex) {
    case 1:
        return picMetric;
    case 2:
        return picHumidity;
    case 3:
        return picWind;
    case 4:
        return picVibration;
    case 5:
        return PicElectrical;
    default:
        return nullptr;
    }
}

QAction* MainWindow::addEntry(QMenu* menu, const QString& name, const QString& caption, const QString& description)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setStatusTip(description);
    action->setToolTip(description);
    return action;
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);
    bar->setAccessibleName(QStringLiteral("Menu bar"));
    auto makeMenu = [bar](const QString& name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        menu->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
        return menu;
    };

    mnuFile = makeMenu(QStringLiteral("mnuFile"), QStringLiteral("&File"));
    mnuExit = addEntry(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("&Exit"), QStringLiteral("Exit Mensurix"));
    connect(mnuExit, &QAction::triggered, this, &MainWindow::mnuExit_Click);

    mnuEdit = makeMenu(QStringLiteral("mnuEdit"), QStringLiteral("&Edit"));
    mnuTableEditor = addEntry(mnuEdit, QStringLiteral("mnuTableEditor"), QStringLiteral("Edit &Table"),
                              QStringLiteral("Edit the conversion table of the chosen type"));

    mnuTools = makeMenu(QStringLiteral("mnuTools"), QStringLiteral("&Tools"));
    mnuCalculator = addEntry(mnuTools, QStringLiteral("mnuCalculator"), QStringLiteral("&Calculator"),
                             QStringLiteral("Open the desk calculator"));
    mnuNoteEditor = addEntry(mnuTools, QStringLiteral("mnuNoteEditor"), QStringLiteral("&Note Editor"),
                             QStringLiteral("Open the note editor"));
    QAction* toolsSeparator = mnuTools->addSeparator();
    toolsSeparator->setObjectName(QStringLiteral("mnuToolsS"));
    mnuSavePositions = addEntry(mnuTools, QStringLiteral("mnuSavePositions"), QStringLiteral("&Save Positions"),
                                QStringLiteral("Save the window positions when the program ends"));
    mnuSavePositions->setCheckable(true);
    mnuSavePositions->setChecked(true); // as designed; the load sets both marks from the settings
    mnuCenter = addEntry(mnuTools, QStringLiteral("mnuCenter"), QStringLiteral("&Restore Defaults"),
                         QStringLiteral("Centre the windows and reset the settings when the program ends"));
    mnuCenter->setCheckable(true);

    mnuHelp = makeMenu(QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    mnuContents = addEntry(mnuHelp, QStringLiteral("mnuContents"), QStringLiteral("&Contents"),
                           QStringLiteral("Show the help contents"));
    mnuShowTip = addEntry(mnuHelp, QStringLiteral("mnuShowTip"), QStringLiteral("&Show tip of the day"),
                          QStringLiteral("Show the tip of the day"));
    QAction* helpSeparator = mnuHelp->addSeparator();
    helpSeparator->setObjectName(QStringLiteral("mnuHelpS"));
    mnuAbout = addEntry(mnuHelp, QStringLiteral("mnuAbout"), QStringLiteral("&About this Program"),
                        QStringLiteral("About Mensurix"));
    mnuQuorvane = addEntry(mnuHelp, QStringLiteral("mnuQuorvane"), QStringLiteral("About &Quorvane"),
                           QStringLiteral("Open the maker's page"));

    connect(mnuSavePositions, &QAction::triggered, this, &MainWindow::mnuSavePositions_Click);
    connect(mnuCenter, &QAction::triggered, this, &MainWindow::mnuCenter_Click);
    connect(mnuQuorvane, &QAction::triggered, this, &MainWindow::mnuQuorvane_Click);

    // The windows behind these entries are not part of the program yet.
    for (QAction* pending : {mnuTableEditor, mnuCalculator, mnuNoteEditor, mnuContents, mnuShowTip, mnuAbout})
        pending->setEnabled(false);
}

void MainWindow::buildPanels()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmTabsClient"));
    setCentralWidget(client);

    TabStrip1 = new TabStrip(client);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setAccessibleName(QStringLiteral("Calculators"));
    const std::array<std::pair<const char16_t*, const char16_t*>, 5> tabs = {{
        {u"Metric Conversion", u"Metric"},
        {u"Humidity Calculator", u"Humidity"},
        {u"Wind Chill / Heat Index", u"Wind"},
        {u"Vibration Calculator", u"Vibration"},
        {u"Electrical Calculator", u"Electrical"},
    }};
    for (const auto& [caption, key] : tabs)
        TabStrip1->addTab(QString::fromUtf16(caption), QString::fromUtf16(key));
    TabStrip1->setMouseTracking(true);
    TabStrip1->installEventFilter(this);
    for (int i = 0; i < TabStrip1->count(); ++i) {
        TabStrip1->tab(i)->setMouseTracking(true);
        TabStrip1->tab(i)->installEventFilter(this);
    }
    connect(TabStrip1, &TabStrip::currentChanged, this, [this] { TabStrip1_Click(); });
    auto* nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextTab, &QShortcut::activated, this,
            [this] { TabStrip1->setCurrentIndex((TabStrip1->currentIndex() + 1) % TabStrip1->count()); });
    auto* previousTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(previousTab, &QShortcut::activated, this, [this] {
        TabStrip1->setCurrentIndex((TabStrip1->currentIndex() + TabStrip1->count() - 1) % TabStrip1->count());
    });

    picMetric = new MetricPanel(client);
    connect(picMetric, &MetricPanel::tableEditorAllowed, this, [this](bool allowed) {
        tableEditorAllowed_ = allowed;
        mnuTableEditor->setEnabled(false); // the table editor is not part of the program yet
    });

    auto makePanel = [client](const QString& name, const QString& accessible, int tab) {
        auto* w = new QWidget(client);
        w->setObjectName(name);
        w->setAccessibleName(accessible);
        const PanelPlace offset = kPanelOffsets[std::size_t(tab - 1)];
        w->setFixedSize(twipsSize(kTabStripWidth - 2 * offset.left, kTabStripHeight - offset.top - 120));
        w->setAutoFillBackground(true);
        w->setBackgroundRole(QPalette::Button);
        w->hide();
        return w;
    };
    picHumidity = makePanel(QStringLiteral("picHumidity"), QStringLiteral("Humidity Calculator"), 2);
    picWind = makePanel(QStringLiteral("picWind"), QStringLiteral("Wind Chill / Heat Index"), 3);
    picVibration = makePanel(QStringLiteral("picVibration"), QStringLiteral("Vibration Calculator"), 4);
    PicElectrical = makePanel(QStringLiteral("PicElectrical"), QStringLiteral("Electrical Calculator"), 5);

    Image1_0 = new QLabel(client);
    Image1_0->setObjectName(QStringLiteral("Image1(0)"));
    Image1_0->setAccessibleName(QStringLiteral("Quorvane logo"));
    Image2 = new QLabel(client);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAccessibleName(QStringLiteral("Visit our web site"));
    Image2->setGeometry(twipsRect(kTabStripWidth - 600, 60, 480, 435));
    Image2->setPixmap(productIcon(twipsToPixels(420)));

    lblTip = makeHintLabel(client, QStringLiteral("lblTip"), QStringLiteral("Visit our web site"),
                           {kTabStripWidth - 2200, 120, 1500, 255});
    lblEgg = makeHintLabel(client, QStringLiteral("lblEgg"), QStringLiteral("Your getting warm"),
                           {kTabStripWidth - 2200, 120, 1500, 255});
    lblEgg2 = makeHintLabel(client, QStringLiteral("lblEgg2"), QStringLiteral("Your getting warmer"),
                            {kTabStripWidth - 2200, 120, 1500, 255});
    lblEgg3 = makeHintLabel(client, QStringLiteral("lblEgg3"), QStringLiteral("Why don't you try looking elseware"),
                            {kTabStripWidth - 3700, 120, 3000, 255});

    timResizeTimer = makeTimer(this, QStringLiteral("timResizeTimer"), kResizeGuardMs);
    connect(timResizeTimer, &QTimer::timeout, this, &MainWindow::timResizeTimer_Timer);
    timLogoTips = makeTimer(this, QStringLiteral("timLogoTips"), 500);
    timElecTips = makeTimer(this, QStringLiteral("timElecTips"), 500);
}

void MainWindow::setTipHook(std::function<void()> hook)
{
    tipHook() = std::move(hook);
}

void MainWindow::Form_Load()
{
    resetSettingsState();

    // 1. Program-wide flags.
    HiddenAnimationEnabled = true;
    HumidityScale = QStringLiteral("F");

    // 2. Tab strip and window size.
    QWidget* client = centralWidget();
    TabStrip1->setGeometry(twipsRect(0, kTabStripTop, kTabStripWidth, kTabStripHeight));
    client->setFixedSize(twipsSize(kTabStripWidth + 100, kTabStripTop + kTabStripHeight + 60));

    // 3. Logo and colours (the Metric tab paints its own boxes and answers).
    Image1_0->setGeometry(twipsRect(120, 60, 2595, 435));
    Image1_0->setPixmap(makerLogo(twipsSize(2595, 435)));

    // 6. The Metric tab's lists.
    picMetric->fillLists();
    mnuTableEditor->setEnabled(false);

    // The size must be final before the window is centred.
    adjustSize();
    setFixedSize(size());

    // 7. From here on a run-time error takes the recovery path.
    if (!applySettings())
        recoverFromSettingsError();
}

bool MainWindow::applySettings()
{
    // 8. SettingsFile came with AppPath. The file is read once for all values: a read per value would let a large
    // file slow the start down.
    if (!readStartupSettings(readIniDocument(SettingsFile)))
        return false;

    // 9. First run.
    const std::optional<bool> firstRun = isFirstRun();
    if (!firstRun)
        return false;
    if (*firstRun) {
        CenterAllForms = QStringLiteral("Yes");
        ShowTipsSetting = QStringLiteral("Yes");
    }

    // 10. Anything but exactly "No" centres.
    CenterForms = CenterAllForms != u"No";
    mnuSavePositions->setChecked(!CenterForms);
    mnuCenter->setChecked(CenterForms);

    // 11. Case matters here, unlike in 10.
    if (ShowTipsSetting == u"Yes")
        ShowTipsAtStartup = true;

    // 12.
    if (CenterForms) {
        centreOnScreen(this);
        centreWhenShown_ = true;
    } else {
        moveWindowTwips(this, QPoint(MainWindowLeft, MainWindowTop));
    }

    // 13.
    showPanel(1);

    // 14. Input stays queued: the splash that started us is still on the stack and must not be clicked away.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    // 15.
    if (ShowTipsAtStartup)
        showTipOfTheDay();
    return true;
}

void MainWindow::recoverFromSettingsError()
{
    // There is no file to close: it was read whole before any value was taken from it.
    centreOnScreen(this);
    centreWhenShown_ = true;
    // The Metric panel goes where it always goes, below the tab strip, not over the tabs.
    showPanel(1);
    CenterForms = true;
    CenterAllForms = QStringLiteral("Yes");
    ShowTipsAtStartup = true;
    showTipOfTheDay();
    SavePositionsOnExit = true;
    mnuCenter->setChecked(false);
    RestoreDefaultsOnExit = false;
}

void MainWindow::showTipOfTheDay()
{
    if (tipHook())
        tipHook()();
}

void MainWindow::showPanel(int tabIndex)
{
    for (int i = 1; i <= 5; ++i)
        if (i != tabIndex)
            panel(i)->hide();
    QWidget* shown = panel(tabIndex);
    const PanelPlace offset = kPanelOffsets[std::size_t(tabIndex - 1)];
    const QPoint strip = TabStrip1->pos();
    shown->move(strip + QPoint(twipsToPixels(offset.left), twipsToPixels(offset.top)));
    shown->setBackgroundRole(QPalette::Button);
    shown->raise();
    shown->show();
}

void MainWindow::TabStrip1_Click()
{
    const int index = TabStrip1->currentIndex() + 1;
    if (index < 1 || index > 5)
        return;
    showPanel(index);
    if (index != 1)
        mnuTableEditor->setEnabled(false);
}

void MainWindow::TabStrip1_MouseMove()
{
    timLogoTips->stop();
    for (QLabel* hint : {lblTip, lblEgg, lblEgg2, lblEgg3})
        hint->hide();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && (watched == TabStrip1 || watched->parent() == TabStrip1))
        TabStrip1_MouseMove();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void MainWindow::Form_Resize()
{
    const QList<QWidget*> windows = loadedWindows();
    if (windows.size() > 1) {
        MainResizing = true;
        const bool minimised = windowState() & Qt::WindowMinimized;
        const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
        for (QWidget* w : windows) {
            if (w == this)
                continue;
            if (minimised)
                w->hide();
            else if (normal)
                w->show();
        }
    }
    timResizeTimer->start();
}

void MainWindow::timResizeTimer_Timer()
{
    MainResizing = false;
    timResizeTimer->stop();
}

void MainWindow::mnuExit_Click()
{
    close();
}

// The two check marks only choose what is written at exit; the action has inverted its own mark by the time it
// reports the click.
void MainWindow::mnuSavePositions_Click()
{
    if (mnuSavePositions->isChecked()) {
        SavePositionsOnExit = true;
        mnuCenter->setChecked(false);
        RestoreDefaultsOnExit = false;
    } else {
        SavePositionsOnExit = false;
    }
}

void MainWindow::mnuCenter_Click()
{
    if (mnuCenter->isChecked()) {
        RestoreDefaultsOnExit = true;
        mnuSavePositions->setChecked(false);
        SavePositionsOnExit = false;
        centreOnScreen(this);
        showMessage(QStringLiteral("The program defaults have been reset.") + u'\n' +
                    QStringLiteral("This will take affect the next time this program is run."));
    } else {
        RestoreDefaultsOnExit = false;
    }
}

void MainWindow::mnuQuorvane_Click()
{
    openWithDefaultHandler(AppPath + QStringLiteral("quorvane.htm"));
}

CapturedGeometry MainWindow::captureGeometry() const
{
    const QSize screen = screenSizeTwips();
    auto positionOf = [&screen](QStringView name, QSize openingSize, QPoint stored) {
        if (const QWidget* w = loadedWindow(name))
            return windowPosTwips(w);
        return openingPosTwips(openingSize, stored, screen);
    };
    CapturedGeometry geometry;
    geometry.mainWindow = windowPosTwips(this);
    geometry.calculator = positionOf(u"Calculator", kCalculatorSize, {CalculatorLeft, CalculatorTop});
    geometry.find = positionOf(u"frmFind", kFindSize, {FindLeft, FindTop});
    geometry.tableEditor = positionOf(u"frmTableEditor", kTableEditorSize, {TableEditorLeft, TableEditorTop});
    if (const QWidget* editor = loadedWindow(u"frmNoteEditor")) {
        geometry.noteEditor = windowPosTwips(editor);
        geometry.noteEditorSize = windowSizeTwips(editor);
        geometry.noteEditorState = editor->isMinimized() ? 1 : editor->isMaximized() ? 2 : 0;
    } else if (CenterForms) {
        geometry.noteEditor = openingPosTwips(kNoteEditorSize, {}, screen);
        geometry.noteEditorSize = kNoteEditorSize;
    } else {
        // It would open at its stored place, size and state; the key named height holds the width.
        geometry.noteEditor = {NoteEditorLeft, NoteEditorTop};
        geometry.noteEditorSize = {NoteEditorHeight, NoteEditorWidth};
        geometry.noteEditorState = NoteEditorState;
    }
    return geometry;
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The load centred the window before it had a frame; the centre counts the frame in.
    if (std::exchange(centreWhenShown_, false))
        centreOnScreen(this);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool MainWindow::Form_Unload()
{
    if (unloading_)
        return true;
    const bool centreForms = CenterForms;
    const QString centreAllForms = CenterAllForms;

    if (RestoreDefaultsOnExit)
        RestoreDefaults();
    if (SavePositionsOnExit)
        SaveNewPos(captureGeometry());
    NormalUnload();

    // Close the other windows, the most recently loaded first. A window that refuses (its own save question was
    // cancelled) cancels the exit: the user keeps the main window and the unsaved text, and is not asked again.
    // The run then goes on placing windows as before; the file already written is written again at the next exit.
    const QList<QWidget*> windows = loadedWindows();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        QWidget* w = *it;
        if (w == this)
            continue;
        if (!w->close()) {
            CenterForms = centreForms;
            CenterAllForms = centreAllForms;
            return false;
        }
    }
    unloading_ = true;
    return true;
}

} // namespace mx
