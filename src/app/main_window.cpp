#include "app/main_window.h"

#include "app/accessory_windows.h"
#include "app/app_globals.h"
#include "app/link_view.h"
#include "app/settings.h"
#include "app/tab_pages.h"
#include "app/tab_strip.h"
#include "app/window_wiring.h"
#include "common/message_service.h"
#include "conversion/metric_conversions.h"
#include "platform/accessible_roles.h"
#include "platform/form_layout.h"
#include "platform/menu_layout.h"
#include "platform/shell_open.h"
#include "platform/tab_panel.h"
#include "platform/window_placement.h"
#include "shell/shell_art.h"
#include "shell/tip_window.h"
#include "version.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace mx {
namespace {

// The tab strip and the window around it, in twips.
constexpr int kStripTop = 540;
constexpr int kStripWidth = 6555;
constexpr int kStripHeight = 5295;

// The desktop's keys for a step (`standard`), and `more` of the forms users type for it, each once.
QList<QKeySequence> tabKeys(QKeySequence::StandardKey standard, const QList<QKeySequence>& more)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    for (const QKeySequence& key : more) {
        if (!keys.contains(key))
            keys.append(key);
    }
    return keys;
}

const std::vector<MenuOfBar>& menuBarLayout()
{
    static const std::vector<MenuOfBar> menus = {
        {u"mnuFile", u"&File", {{u"mnuExit", u"&Exit", u"Exit Mensurix"}}},
        {u"mnuEdit", u"&Edit", {{u"mnuTableEditor", u"Edit &Table", u"Edit the conversion table of the chosen type"}}},
        {u"mnuTools",
         u"&Tools",
         {{u"mnuCalculator", u"&Calculator", u"Open the desk calculator"},
          {u"mnuNoteEditor", u"&Note Editor", u"Open the note editor"},
          {u"mnuBarometricPressure", u"&Barometric Pressure...", u"Set the barometric pressure of the Humidity tab"},
          {u"mnuPsychroChart", u"&Psychrometric Chart", u"Show the Humidity tab's state on a psychrometric chart"},
          {u"mnuToolsS", u"", u""},
          {u"mnuSavePositions", u"&Save Positions", u"Save the window positions when the program ends"},
          {u"mnuCenter", u"&Restore Defaults", u"Centre the windows and reset the settings when the program ends"}}},
        {u"mnuHelp",
         u"&Help",
         {{u"mnuContents", u"&Contents", u"Show the help contents"},
          {u"mnuShowTip", u"&Show tip of the day", u"Show the tip of the day"},
          {u"mnuHelpS", u"", u""},
          {u"mnuAbout", u"&About this Program", u"About Mensurix"},
          {u"mnuQuorvane", u"About &Quorvane", u"Open the maker's page"}}},
    };
    return menus;
}

} // namespace

MainWindow::MainWindow(const FilePlaces& places, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      places_(places)
{
    setObjectName(kFormName);
    setWindowTitle(QString::fromUtf8(version::kTitle));
    setAccessibleName(QString::fromUtf8(version::kTitle));
    setWindowIcon(productIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    installAccessibleRoles();

    // The file paths first: the panels and windows made below read them.
    setFilePlaces(places);
    conversions_ = std::make_unique<MetricConversions>(places);
    windows_ = new AccessoryWindows(settings_, this);

    buildMenus();
    buildTabs();
    buildLogoAndHints();
    wireWindows(*this);

    // The size must be final before the window is placed.
    adjustSize();
    setFixedSize(size());
    applyStartupPlan();
}

MainWindow::~MainWindow()
{
    // The registry keeps places in the settings: it goes first.
    delete windows_;
}

void MainWindow::buildMenus()
{
    buildMenuBar(menuBar(), menuBarLayout());
    // Entries whose windows are not part of the program stay off until the wiring connects them.
    for (QAction* action : findChildren<QAction*>()) {
        if (action->objectName().startsWith(u"mnu"))
            action->setEnabled(action->isSeparator());
    }
    auto entry = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    tableEditorAction_ = entry("mnuTableEditor");
    savePositionsAction_ = entry("mnuSavePositions");
    restoreDefaultsAction_ = entry("mnuCenter");
    savePositionsAction_->setCheckable(true);
    savePositionsAction_->setChecked(true); // as designed; the start sets both marks from the settings
    restoreDefaultsAction_->setCheckable(true);
    for (QAction* own : {entry("mnuExit"), savePositionsAction_, restoreDefaultsAction_, entry("mnuQuorvane")})
        own->setEnabled(true);
    connect(entry("mnuExit"), &QAction::triggered, this, &QWidget::close);
    connect(savePositionsAction_, &QAction::triggered, this, &MainWindow::onSavePositions);
    connect(restoreDefaultsAction_, &QAction::triggered, this, &MainWindow::onRestoreDefaults);
    connect(entry("mnuQuorvane"), &QAction::triggered, this, &MainWindow::onAboutQuorvane);
}

void MainWindow::buildTabs()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmTabsClient"));
    setCentralWidget(client);
    client->setFixedSize(twipsSize(kStripWidth + 100, kStripTop + kStripHeight + 60));

    tabStrip_ =
        placeControl(new TabStrip(client), QStringLiteral("TabStrip1"), {0, kStripTop, kStripWidth, kStripHeight});
    tabStrip_->setAccessibleName(QStringLiteral("Calculators"));
    pages_ = tabPages(*conversions_);
    for (const TabPage& page : pages_) {
        tabStrip_->addTab(page.caption, page.key);
        TabPanel* panel = page.makePanel(client);
        panel->hide();
        panels_.push_back(panel);
    }
    connect(tabStrip_, &TabStrip::tabChosen, this, &MainWindow::onTabChosen);

    const int count = int(pages_.size());
    addTabKeys(QStringLiteral("nextTabKey"), tabKeys(QKeySequence::NextChild, {Qt::CTRL | Qt::Key_PageDown}),
               [this, count] { tabStrip_->chooseTab((tabStrip_->currentIndex() + 1) % count); });
    // On X11 Ctrl+Shift+Tab arrives as Ctrl+Shift+Backtab, which only the Ctrl+Shift+Tab form matches there;
    // Qt's own events match the Backtab form.
    addTabKeys(QStringLiteral("previousTabKey"),
               tabKeys(QKeySequence::PreviousChild, {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageUp}),
               [this, count] { tabStrip_->chooseTab((tabStrip_->currentIndex() + count - 1) % count); });
}

void MainWindow::addTabKeys(const QString& name, const QList<QKeySequence>& keys, std::function<void()> step)
{
    auto* shortcut = new QShortcut(this);
    shortcut->setObjectName(name);
    shortcut->setKeys(keys);
    connect(shortcut, &QShortcut::activated, this, step);
    // One key press may match two of the forms above; they are the same step.
    connect(shortcut, &QShortcut::activatedAmbiguously, this, step);
}

void MainWindow::buildLogoAndHints()
{
    linkView_ = new LinkView(centralWidget(), kStripWidth);
    linkView_->hideAllHintsOver(tabStrip_);
    for (int i = 0; i < tabStrip_->count(); ++i)
        linkView_->hideAllHintsOver(tabStrip_->tab(i));
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i].hidesLinkHint)
            linkView_->hidePlainHintOver(panels_[i]);
    }
    // The Humidity tab's element of the logo array takes every hint away, like the logo.
    if (auto* humidityLogo = centralWidget()->findChild<QLabel*>(QStringLiteral("Image1(1)")))
        linkView_->hideAllHintsOver(humidityLogo);

    resizeGuard_ = new QTimer(this);
    resizeGuard_->setObjectName(QStringLiteral("timResizeTimer"));
    resizeGuard_->setInterval(kResizeGuardMs);
    connect(resizeGuard_, &QTimer::timeout, this, &MainWindow::onResizeGuardEnded);
}

void MainWindow::applyStartupPlan()
{
    Startup startup = planStartup(readIniDocument(places_.toRead(SettingsFile)));
    settings_ = startup.settings;
    plan_ = startup.plan;
    if (plan_.savePositionsAtExit)
        atExit_ = AtExit::SavePositions;
    restoreDefaultsAction_->setChecked(plan_.restoreDefaultsMark);
    savePositionsAction_->setChecked(plan_.savePositionsMark);
    if (plan_.centre)
        centreOnScreen(this);
    else
        moveWindowTwips(this, plan_.position);
    // The Metric tab's panel is the one shown first.
    showTab(0);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && !painted_ && windowHandle()->isExposed()) {
        // The expose has painted the window by the time the event loop comes back; only then may a modal window
        // open over it.
        painted_ = true;
        QTimer::singleShot(0, this, &MainWindow::afterFirstPaint);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        onWindowStateChanged();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (runExitSequence())
        event->accept();
    else
        event->ignore();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (std::exchange(watchingExpose_, true))
        return;
    // The start placed the window before it had a frame; the centre counts the frame in.
    if (plan_.centre)
        centreOnScreen(this);
    windowHandle()->installEventFilter(this);
}

void MainWindow::afterFirstPaint()
{
    if (const QString notice = ownFilesElsewhereNotice(places_); !notice.isEmpty())
        showMessage(notice, MsgButtons::Ok, MsgIcon::Information);
    if (plan_.showTip)
        windows_->runDialog(TipWindow::kFormName);
    Q_EMIT started();
}

void MainWindow::showTab(int index)
{
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        if (int(i) != index)
            panels_[i]->hide();
    }
    TabPanel* panel = panels_[std::size_t(index)];
    const QPoint offset = pages_[std::size_t(index)].offsetTwips;
    panel->move(tabStrip_->pos() + QPoint(twipsToPixels(offset.x()), twipsToPixels(offset.y())));
    panel->raise();
    panel->show();
}

void MainWindow::onTabChosen(int index)
{
    if (index < 0 || index >= int(pages_.size()))
        return;
    showTab(index);
    panels_[std::size_t(index)]->tabChosen();
    if (pages_[std::size_t(index)].disablesTableEditor)
        tableEditorAction_->setEnabled(false);
}

void MainWindow::onWindowStateChanged()
{
    if (!windows_->loadedWindows().isEmpty()) {
        windows_->setMainResizing(true);
        if (windowState() & Qt::WindowMinimized)
            windows_->hideAll();
        else if (!(windowState() & Qt::WindowMaximized))
            windows_->showAll();
    }
    resizeGuard_->start();
}

void MainWindow::onResizeGuardEnded()
{
    windows_->setMainResizing(false);
    resizeGuard_->stop();
}

// The two check marks only choose what is written at exit; the action has inverted its own mark by the time it
// reports the click.
void MainWindow::onSavePositions()
{
    if (savePositionsAction_->isChecked()) {
        restoreDefaultsAction_->setChecked(false);
        atExit_ = AtExit::SavePositions;
    } else if (atExit_ == AtExit::SavePositions) {
        atExit_ = AtExit::WriteSettings;
    }
}

void MainWindow::onRestoreDefaults()
{
    if (!restoreDefaultsAction_->isChecked()) {
        if (atExit_ == AtExit::RestoreDefaults)
            atExit_ = AtExit::WriteSettings;
        return;
    }
    atExit_ = AtExit::RestoreDefaults;
    savePositionsAction_->setChecked(false);
    centreOnScreen(this);
    showMessage(QStringLiteral("The program defaults have been reset.\n"
                               "This will take affect the next time this program is run."));
}

void MainWindow::onAboutQuorvane()
{
    openWithDefaultHandler(AppPath + QStringLiteral("quorvane.htm"));
}

bool MainWindow::runExitSequence()
{
    if (exiting_)
        return true;
    const CentringPreference centring = settings_.centring;
    windows_->recordOpenPlaces();
    if (atExit_ == AtExit::RestoreDefaults)
        settings_.centring.set(true); // the stored places stay; they are not used while centring is on
    else if (atExit_ == AtExit::SavePositions)
        saveWindowPositions();
    writeSettingsFile(settingsFileToWrite(places_), settings_);

    // A window that refuses to close (its own save question was cancelled) cancels the exit: the user keeps the
    // main window and the unsaved text, and is not asked again. The run then goes on placing windows as before;
    // the file already written is written again at the next exit.
    if (!windows_->closeAll()) {
        settings_.centring = centring;
        return false;
    }
    exiting_ = true;
    return true;
}

// Every window's place as it is now (or where one not loaded would open), and windows open at their stored places
// from the next start.
void MainWindow::saveWindowPositions()
{
    windows_->recordEveryPlace();
    const QPoint main = windowPosTwips(this);
    settings_.mainWindow = {main.x(), main.y()};
    settings_.centring.set(false);
}

} // namespace mx
