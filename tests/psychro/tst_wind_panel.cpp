#include "keyboard_checks.h"
#include "panel_checks.h"
#include "psychro/wind_panel.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace mx;

class WindPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { test::showActive(panel_ = new WindPanel); }

    void cleanup() { delete panel_; }

    void controls()
    {
        QCOMPARE(panel_->objectName(), QStringLiteral("picWind"));
        test::checkControls(
            panel_,
            {{"picWind", {"Frame4", "Frame5", "Frame6", "Frame7"}},
             {"Frame6", {"optMPHKPH(0)", "optMPHKPH(1)"}},
             {"Frame7", {"optCorF(0)", "optCorF(1)"}},
             {"Frame4", {"lblDegrees(0)", "Text3", "lblMPH", "Text4", "lblChillDegrees", "lblChill", "cmdChill"}},
             {"Frame5", {"lblDegrees(1)", "Text5", "Label21", "Text6", "lblHeatDegrees", "lblHeat", "cmdHeat"}}});
    }

    // Any character is typed; typed numbers are read in the units chosen after them, never converted; a refused
    // calculation keeps the answer there was. A screen reader takes as the label of each box and answer its caption,
    // in the units chosen, then its frame's.
    void calculate_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("boxes");   // Text3|Text4|Text5|Text6
        QTest::addColumn<QString>("answers"); // lblChill|lblHeat
        QTest::addColumn<QString>("units");   // of temperature and of speed
        QTest::addColumn<QStringList>("messages");
        const QStringList typed{"Text3=10", "Text4=20", "Text5=90", "Text6=50"};
        const QStringList celsiusKmh{"optCorF(1)", "optMPHKPH(1)"};
        // clang-format off
        QTest::newRow("C and km/h") << QStringList{"Text3=-10", "Text4=30", "Text5=30", "Text6=60"} + celsiusKmh
            + QStringList{"cmdChill", "cmdHeat"} << "-10|30|30|60" << "-27.31|33.09" << "C KPH" << QStringList();
        QTest::newRow("back to F and mph") << celsiusKmh + QStringList{"optCorF(0)", "optMPHKPH(0)"} + typed
            + QStringList{"cmdChill", "cmdHeat"} << "10|20|90|50" << "-24.33|95.55" << "F MPH" << QStringList();
        QTest::newRow("any character typed") << QStringList{"Text3=50 F", "Text4=3mph", "Text5=100!", "Text6=40%",
            "cmdChill", "cmdHeat"} << "50 F|3mph|100!|40%" << "50.|110.63" << "F MPH" << QStringList();
        QTest::newRow("negative speed keeps the answer") << typed + QStringList{"cmdChill", "Text4:Ctrl+A", "=-20",
            "cmdChill"} << "10|-20|90|50" << "-24.33|" << "F MPH"
            << QStringList{"Mensurix [Ok Exclamation] Wind speed cannot be negative"};
        // clang-format on
    }

    void calculate()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, units);
        QFETCH(QStringList, messages);
        test::ScopedMessages shown;
        test::act(panel_, steps);
        QStringList boxes;
        for (const char* name : {"Text3", "Text4", "Text5", "Text6"})
            boxes << panel_->findChild<QLineEdit*>(QLatin1String(name))->text();
        QTEST(boxes.join(u'|'), "boxes");
        QTEST(text("lblChill") + u'|' + text("lblHeat"), "answers");
        QCOMPARE(shown->described(), messages);
        QStringList labels;
        for (const char* name : {"Text3", "Text4", "lblChill", "Text5", "Text6", "lblHeat"})
            labels << test::spokenLabels(panel_->findChild<QWidget*>(QLatin1String(name)));
        QCOMPARE(labels.join(u','), QStringLiteral("Temperature Degrees %1|Wind Chill,Wind Speed %2|Wind Chill,Wind "
                                                   "Chill Degrees %1|Wind Chill,Temperature Degrees %1|Heat Index,"
                                                   "Relative Humidity|Heat Index,Heat Index Degrees %1|Heat Index")
                                        .arg(units.section(u' ', 0, 0), units.section(u' ', 1)));
    }

    // Each calculator from the keyboard: its inputs, Calculate (pressed by Return), then its answer to copy.
    void keyboard()
    {
        QCOMPARE(test::tabWalk(box("Text3"), 7).join(u' '),
                 QStringLiteral("Text4 cmdChill lblChill Text5 Text6 cmdHeat lblHeat"));
        QTest::keyClicks(box("Text3"), QStringLiteral("10"));
        QTest::keyClicks(box("Text4"), QStringLiteral("20"));
        panel_->findChild<QWidget*>(QStringLiteral("cmdChill"))->setFocus();
        test::pressKeys(QStringLiteral("Return"));
        QCOMPARE(text("lblChill"), QStringLiteral("-24.33"));
        test::pressKeys(QStringLiteral("Tab Ctrl+C"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("-24.33"));
    }

private:
    QLineEdit* box(const char* name) const { return panel_->findChild<QLineEdit*>(QLatin1String(name)); }
    QString text(const char* name) const { return panel_->findChild<QLabel*>(QLatin1String(name))->text(); }

    WindPanel* panel_ = nullptr;
};

MX_REGISTER_TEST(WindPanelTest)
#include "tst_wind_panel.moc"
