#include "app/accessory_windows.h"
#include "app/main_window.h"
#include "app/tab_strip.h"
#include "psychro/humidity_panel.h"
#include "psychro/psychro_chart_view.h"
#include "psychro/psychro_chart_window.h"
#include "scripted_dialogs.h"
#include "shell/tip_window.h"
#include "test_registry.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace mx;

// The chart in the program: opened from the Tools menu, drawn for what the Humidity tab shows, and a state picked on
// it calculated on the tab.
class PsychroChartWiringTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(dir_.isValid());
        dialogs_.answer(TipWindow::kFormName, [](QDialog&) { return int(QDialog::Accepted); });
        window_ = new MainWindow(dir_.path());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        humidity_ = window_->findChild<HumidityPanel*>();
    }

    void cleanup()
    {
        for (QWidget* w : window_->windows().loadedWindows())
            delete w;
        delete window_;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void menuOpensTheTabsChart()
    {
        PsychroChartWindow* chart = openChart();
        QVERIFY(chart && chart->isVisible());
        QCOMPARE(label(chart, "lblChartPoint"), QStringLiteral("Humidity tab: no result"));
        openChart();
        QCOMPARE(window_->windows().loadedWindows(), QList<QWidget*>{chart});

        box("DryAirTemp")->setText("77");
        box("WetBulbTemp")->setText("68");
        humidity_->findChild<QPushButton*>("cmdHumCalculate")->click();
        QCOMPARE(label(chart, "lblChartPoint"), QStringLiteral("Humidity tab: dry bulb 77 °F, RH 63.49%, wet bulb 68 "
                                                               "°F, dew point 63.44 °F, 87.4859 grains/lb"));
        QCOMPARE(chart->view()->markedPoint(), QPointF(77, 87.4859));

        // Scale, range and pressure draw the chart again.
        humidity_->findChild<QRadioButton*>("Option2")->click();
        QCOMPARE(chart->view()->chart().dryBulbAxis().title, QStringLiteral("Dry bulb (°C)"));
        QCOMPARE(chart->view()->markedPoint(), QPointF(25, 87.4859 / 7));
        window_->settings().barometricPressure = BarometricPressure::fromInHg(24.896).value();
        humidity_->pressureSet();
        QCOMPARE(chart->view()->chart().pressureTitle(), QStringLiteral("At 24.90 inHg (5,000 ft)"));
    }

    // A click on the chart, whichever tab is in front, fills the Humidity tab and calculates: the tab shows what the
    // chart read under the pointer, and the chart marks the tab's new state where the click was.
    void pickCalculatesOnTheTab()
    {
        PsychroChartWindow* chart = openChart();
        const QPointF place(90, 115);
        const QPointF at = chart->view()->mapping().toPixel(place);
        for (const QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, chart->view()->mapToGlobal(at),
                              type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(chart->view(), &event);
        }
        const TabStrip* strip = window_->findChild<TabStrip*>();
        QCOMPARE(strip->tabKey(strip->currentIndex()), QStringLiteral("Humidity"));
        QVERIFY(humidity_->findChild<QRadioButton*>("Option4")->isChecked());
        const QString state = QStringLiteral("dry bulb 90.00 °F, RH 54.70%, wet bulb 76.54 °F, dew point 71.17 °F, "
                                             "114.92143 grains/lb");
        QCOMPARE(label(chart, "lblChartCursor"), QStringLiteral("Pointer: ") + state);
        QCOMPARE(label(chart, "lblChartPoint"), QStringLiteral("Humidity tab: ") + state);
        QVERIFY(std::abs(chart->view()->markedPoint()->y() - place.y()) < 0.5);
    }

private:
    PsychroChartWindow* openChart() const
    {
        window_->findChild<QAction*>(QStringLiteral("mnuPsychroChart"))->trigger();
        return qobject_cast<PsychroChartWindow*>(window_->windows().loaded(PsychroChartWindow::kFormName));
    }
    QLineEdit* box(const char* name) const { return humidity_->findChild<QLineEdit*>(name); }
    static QString label(const QWidget* chart, const char* name) { return chart->findChild<QLabel*>(name)->text(); }

    QTemporaryDir dir_;
    QPointer<MainWindow> window_;
    HumidityPanel* humidity_ = nullptr;
    test::ScriptedDialogs dialogs_; // the first start's tip of the day
};

MX_REGISTER_TEST(PsychroChartWiringTest)
#include "tst_psychro_chart_wiring.moc"
