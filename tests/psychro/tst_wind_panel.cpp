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
    void init()
    {
        panel_ = new WindPanel;
        test::showActive(panel_);
    }

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
        for (const char* name : {"lblChill", "lblHeat"}) {
            const auto* answer = panel_->findChild<QLabel*>(QLatin1String(name));
            QVERIFY(answer->autoFillBackground());
            QCOMPARE(answer->palette().color(answer->backgroundRole()), QColor(255, 255, 0));
            QCOMPARE(answer->palette().color(answer->foregroundRole()), QColor(0, 0, 0));
        }
    }

    // Typed numbers are read in the units chosen after them, never converted. A screen reader takes as the label of
    // each box and answer its caption, in the units chosen, then its frame's.
    void calculate_data()
    {
        QTest::addColumn<QStringList>("typed"); // Text3, Text4, Text5, Text6
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("windChill");
        QTest::addColumn<QString>("heatIndex");
        QTest::addColumn<QString>("temperature");
        QTest::addColumn<QString>("speed");
        const QStringList celsiusKmh{"optCorF(1)", "optMPHKPH(1)"};
        // clang-format off
        QTest::newRow("F and mph") << QStringList{"10", "20", "90", "50"} << QStringList() << "-24.33" << "95.55" << "F"
                                   << "MPH";
        QTest::newRow("C and km/h") << QStringList{"-10", "30", "30", "60"} << celsiusKmh << "-27.31" << "33.09" << "C"
                                    << "KPH";
        QTest::newRow("back to F and mph") << QStringList{"10", "20", "90", "50"}
            << celsiusKmh + QStringList{"optCorF(0)", "optMPHKPH(0)"} << "-24.33" << "95.55" << "F" << "MPH";
        QTest::newRow("any character typed") << QStringList{"50 F", "3mph", "100!", "40%"} << QStringList() << "50."
                                             << "110.63" << "F" << "MPH";
        // clang-format on
    }

    void calculate()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, clicks);
        QFETCH(QString, temperature);
        QFETCH(QString, speed);
        const char* const boxes[] = {"Text3", "Text4", "Text5", "Text6"};
        for (int i = 0; i < 4; ++i) {
            QTest::keyClicks(box(boxes[i]), typed[i]);
            QCOMPARE(box(boxes[i])->text(), typed[i]); // no filter on these boxes
        }
        test::act(panel_, clicks + QStringList{"cmdChill"});
        QTEST(text("lblChill"), "windChill");
        QVERIFY(text("lblHeat").isEmpty());
        test::act(panel_, {"cmdHeat"});
        QTEST(text("lblHeat"), "heatIndex");
        QStringList labels;
        for (const char* name : {"Text3", "Text4", "lblChill", "Text5", "Text6", "lblHeat"})
            labels << test::spokenLabels(panel_->findChild<QWidget*>(QLatin1String(name)));
        QCOMPARE(labels.join(u','), QStringLiteral("Temperature Degrees %1|Wind Chill,Wind Speed %2|Wind Chill,Wind "
                                                   "Chill Degrees %1|Wind Chill,Temperature Degrees %1|Heat Index,"
                                                   "Relative Humidity|Heat Index,Heat Index Degrees %1|Heat Index")
                                        .arg(temperature, speed));
    }

    void negativeSpeedKeepsTheAnswer()
    {
        box("Text3")->setText(QStringLiteral("10"));
        box("Text4")->setText(QStringLiteral("20"));
        test::act(panel_, {"cmdChill"});
        box("Text4")->setText(QStringLiteral("-20"));
        test::ScopedMessages shown;
        shown->answerNext(MsgAnswer::Ok);
        test::act(panel_, {"cmdChill"});
        QCOMPARE(shown->described(), QStringList{"Mensurix [Ok Exclamation] Wind speed cannot be negative"});
        QCOMPARE(text("lblChill"), QStringLiteral("-24.33"));
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
