#include "app/main_window.h"
#include "app/splash.h"
#include "app/tab_strip.h"
#include "common/globals.h"
#include "platform/loaded_windows.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "window_helpers.h"
#include "test_registry.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace mx;

namespace {

using test::StubbornWindow;

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void designNamesExist_data();
    void designNamesExist();
    void everyControlIsNamedForScreenReaders();
    void menus_data();
    void menus();
    void tabs();
    void tabSwitchShowsOnePanel_data();
    void tabSwitchShowsOnePanel();
    void tableEditorStaysOffAfterOtherTabs();
    void windowIsFixedAndCentred();
    void minimiseCarriesAccessoryWindows();
    void refusedCloseCancelsExit();
    void splashTicks();
    void splashClickEndsStart();

private:
    QTemporaryDir dir_;
    MainWindow* window_ = nullptr;
};

void MainWindowTest::init()
{
    QVERIFY(dir_.isValid());
    window_ = new MainWindow(dir_.path());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
}

void MainWindowTest::cleanup()
{
    if (window_) {
        window_->setAttribute(Qt::WA_DeleteOnClose, false);
        delete window_;
    }
}

void MainWindowTest::designNamesExist_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    const std::pair<const char*, const char*> names[] = {
        {"TabStrip1", "mx::TabStrip"}, {"picMetric", "mx::MetricPanel"},
        {"picHumidity", "QWidget"},    {"picWind", "QWidget"},
        {"picVibration", "QWidget"},   {"PicElectrical", "QWidget"},
        {"Frame3", "QGroupBox"},       {"Combo1", "QComboBox"},
        {"Combo2", "QComboBox"},       {"metricText1", "QLineEdit"},
        {"Convert", "QPushButton"},    {"lblAnswer(0)", "QLabel"},
        {"lblAnswer(1)", "QLabel"},    {"lblScale(0)", "QLabel"},
        {"lblScale(1)", "QLabel"},     {"lblScale(2)", "QLabel"},
        {"lblScale(3)", "QLabel"},     {"Label5", "QLabel"},
        {"Label6", "QLabel"},          {"Label15", "QLabel"},
        {"Label16", "QLabel"},         {"Label17", "QLabel"},
        {"Image1(0)", "QLabel"},       {"Image2", "QLabel"},
        {"lblTip", "QLabel"},          {"lblEgg", "QLabel"},
        {"lblEgg2", "QLabel"},         {"lblEgg3", "QLabel"},
        {"timResizeTimer", "QTimer"},  {"timLogoTips", "QTimer"},
        {"timElecTips", "QTimer"},     {"mnuFile", "QMenu"},
        {"mnuExit", "QAction"},        {"mnuToolsS", "QAction"},
        {"mnuHelpS", "QAction"},
    };
    for (const auto& [name, className] : names)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(className);
}

void MainWindowTest::designNamesExist()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    const QList<QObject*> found = window_->findChildren<QObject*>(name);
    QCOMPARE(found.size(), 1); // names are unique within the window
    QCOMPARE(QString::fromLatin1(found[0]->metaObject()->className()), className);
    QCOMPARE(window_->objectName(), QStringLiteral("frmTabs"));
}

void MainWindowTest::everyControlIsNamedForScreenReaders()
{
    for (QWidget* w : window_->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) ||
            !w->objectName().at(0).isLetter() || w->objectName() == QLatin1String("frmTabsClient"))
            continue;
        const bool named = !w->accessibleName().isEmpty() || !w->accessibleDescription().isEmpty() ||
                           (qobject_cast<QLabel*>(w) && !qobject_cast<QLabel*>(w)->text().isEmpty());
        QVERIFY2(named, qPrintable(w->objectName()));
    }
}

void MainWindowTest::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("file") << "mnuFile"
                          << "&File" << QStringList{"mnuExit=&Exit"};
    QTest::newRow("edit") << "mnuEdit"
                          << "&Edit" << QStringList{"mnuTableEditor=Edit &Table"};
    QTest::newRow("tools") << "mnuTools"
                           << "&Tools"
                           << QStringList{"mnuCalculator=&Calculator", "mnuNoteEditor=&Note Editor",
                                          "mnuToolsS=", "mnuSavePositions=&Save Positions",
                                          "mnuCenter=&Restore Defaults"};
    QTest::newRow("help") << "mnuHelp"
                          << "&Help"
                          << QStringList{"mnuContents=&Contents", "mnuShowTip=&Show tip of the day",
                                         "mnuHelpS=", "mnuAbout=&About this Program", "mnuQuorvane=About &Quorvane"};
}

void MainWindowTest::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QStringList, entries);
    auto* m = window_->findChild<QMenu*>(menu);
    QVERIFY(m);
    QCOMPARE(m->title(), caption);
    QStringList actual;
    for (QAction* a : m->actions())
        actual << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? QString() : a->text());
    QCOMPARE(actual, entries);
    QVERIFY(window_->menuBar()->actions().contains(m->menuAction()));
}

void MainWindowTest::tabs()
{
    auto* strip = window_->findChild<TabStrip*>(QStringLiteral("TabStrip1"));
    QCOMPARE(strip->count(), 5);
    const QStringList captions = {"Metric Conversion", "Humidity Calculator", "Wind Chill / Heat Index",
                                  "Vibration Calculator", "Electrical Calculator"};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(strip->tabText(i), captions[i]);
        auto* tab = strip->findChild<QAbstractButton*>(QStringLiteral("Tabs(%1)").arg(i + 1));
        QVERIFY(tab);
        QCOMPARE(tab->text(), captions[i]);
        QVERIFY(tab->isVisible());
        // Every tab lies inside the strip, above the panels.
        QVERIFY(strip->rect().contains(tab->geometry()));
        QVERIFY(tab->geometry().bottom() < 47);
    }
    QCOMPARE(strip->tabKey(0), QStringLiteral("Metric"));
    QCOMPARE(strip->currentIndex(), 0);
}

void MainWindowTest::tabSwitchShowsOnePanel_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QPoint>("offsetTwips");
    QTest::newRow("humidity") << 2 << "picHumidity" << QPoint(300, 1000);
    QTest::newRow("wind") << 3 << "picWind" << QPoint(240, 1200);
    QTest::newRow("vibration") << 4 << "picVibration" << QPoint(440, 800);
    QTest::newRow("electrical") << 5 << "PicElectrical" << QPoint(200, 700);
    QTest::newRow("metric") << 1 << "picMetric" << QPoint(360, 1200);
}

void MainWindowTest::tabSwitchShowsOnePanel()
{
    QFETCH(int, tab);
    QFETCH(QString, panel);
    QFETCH(QPoint, offsetTwips);
    auto* strip = window_->findChild<TabStrip*>(QStringLiteral("TabStrip1"));
    if (tab == 1)
        strip->setCurrentIndex(2);
    QTest::mouseClick(strip->findChild<QAbstractButton*>(QStringLiteral("Tabs(%1)").arg(tab)), Qt::LeftButton);
    QCOMPARE(strip->currentIndex(), tab - 1);
    for (const char* name : {"picMetric", "picHumidity", "picWind", "picVibration", "PicElectrical"}) {
        QWidget* w = window_->findChild<QWidget*>(QString::fromLatin1(name));
        QCOMPARE(w->isVisible(), panel == QLatin1String(name));
    }
    QWidget* shown = window_->findChild<QWidget*>(panel);
    const QPoint expected = strip->pos() + QPoint(qRound(offsetTwips.x() / 15.0), qRound(offsetTwips.y() / 15.0));
    QCOMPARE(shown->pos(), expected);
}

void MainWindowTest::tableEditorStaysOffAfterOtherTabs()
{
    auto* strip = window_->findChild<TabStrip*>(QStringLiteral("TabStrip1"));
    auto* editor = window_->findChild<QAction*>(QStringLiteral("mnuTableEditor"));
    QVERIFY(!editor->isEnabled()); // "Temperature" is chosen at start
    strip->setCurrentIndex(1);
    strip->setCurrentIndex(0);
    QVERIFY(!editor->isEnabled());
}

void MainWindowTest::windowIsFixedAndCentred()
{
    QCOMPARE(window_->windowTitle(), QStringLiteral("Mensurix"));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(AppPath, dir_.path() + QLatin1Char('/'));
    QCOMPARE(SettingsFile, dir_.path() + QStringLiteral("/Mensurix.ini"));
    QCOMPARE(NotesFile, dir_.path() + QStringLiteral("/MXNotes.rtf"));
}

void MainWindowTest::minimiseCarriesAccessoryWindows()
{
    QWidget accessory;
    accessory.setObjectName(QStringLiteral("Calculator"));
    registerLoadedWindow(&accessory);
    accessory.show();
    window_->setWindowState(Qt::WindowMinimized);
    QVERIFY(!accessory.isVisible());
    QVERIFY(MainResizing);
    window_->setWindowState(Qt::WindowNoState);
    QVERIFY(accessory.isVisible());
    QVERIFY(window_->findChild<QTimer*>(QStringLiteral("timResizeTimer"))->isActive());
    window_->timResizeTimer_Timer();
    QVERIFY(!MainResizing);
}

void MainWindowTest::refusedCloseCancelsExit()
{
    auto* stubborn = new StubbornWindow;
    registerLoadedWindow(stubborn);
    stubborn->show();
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible());
    QCOMPARE(stubborn->asked, 1); // asked once, not again and again
    delete stubborn;
    QVERIFY(window_->close());
    window_ = nullptr; // deleted on close
}

void MainWindowTest::splashTicks()
{
    auto* splash = new SplashForm;
    QCOMPARE(splash->objectName(), QStringLiteral("frmSplash"));
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.0"));
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("lblProductName"))->text(), QStringLiteral("Mensurix"));
    QCOMPARE(splash->findChild<QLabel*>(QStringLiteral("lblPlatform"))->text(),
             QStringLiteral("Metric, English and more"));
    QCOMPARE(splash->findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 600);
    QPointer<SplashForm> guard(splash);
    splash->show();
    QSignalSpy finished(splash, &SplashForm::finished);
    splash->Timer1_Timer();
    splash->Timer1_Timer();
    QCOMPARE(finished.size(), 0);
    QVERIFY(splash->isVisible());
    splash->Timer1_Timer();
    QCOMPARE(finished.size(), 1);
    QTRY_VERIFY(guard.isNull()); // closed and deleted
}

void MainWindowTest::splashClickEndsStart()
{
    auto* splash = new SplashForm;
    QPointer<SplashForm> guard(splash);
    QSignalSpy finished(splash, &SplashForm::finished);
    splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    QTest::mouseClick(splash->findChild<QFrame*>(QStringLiteral("Frame1")), Qt::LeftButton);
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(finished.size(), 0);
}

MX_REGISTER_TEST(MainWindowTest)
#include "tst_main_window.moc"
