#include "keyboard_checks.h"
#include "panel_checks.h"
#include "psychro/wind_panel.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace mx;
using mx::test::ScopedMessages;

class WindPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        panel_ = new WindPanel;
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_));
    }

    void cleanup()
    {
        delete panel_;
        panel_ = nullptr;
    }

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
        // The heat-index boxes are narrower than the wind-chill ones.
        test::checkPlacement(panel_, QStringLiteral("Text4"), {1980, 840, 675, 285});
        test::checkPlacement(panel_, QStringLiteral("lblHeat"), {1980, 1380, 615, 285});
        test::checkPlacement(panel_, QStringLiteral("Frame7"), {3300, 0, 0, 0});
        test::checkPlacement(panel_, QStringLiteral("cmdHeat"), {660, 1980, 0, 0});
    }

    void unitCaptions()
    {
        const QStringList labels{"lblDegrees(0)", "lblDegrees(1)", "lblChillDegrees", "lblHeatDegrees", "lblMPH"};
        const auto captions = [&] {
            QStringList texts;
            for (const QString& name : labels)
                texts << text(name);
            return texts;
        };
        QCOMPARE(captions(), QStringList({"Temperature Degrees F", "Temperature Degrees F", "Wind Chill Degrees F",
                                          "Heat Index Degrees F", "Wind Speed MPH"}));
        box(QStringLiteral("Text3"))->setText(QStringLiteral("10"));
        click(QStringLiteral("optCorF(1)"));
        click(QStringLiteral("optMPHKPH(1)"));
        QCOMPARE(captions(), QStringList({"Temperature Degrees C", "Temperature Degrees C", "Wind Chill Degrees C",
                                          "Heat Index Degrees C", "Wind Speed KPH"}));
        QCOMPARE(box(QStringLiteral("Text3"))->text(), QStringLiteral("10")); // typed numbers are not converted
        click(QStringLiteral("optCorF(0)"));
        click(QStringLiteral("optMPHKPH(0)"));
        QCOMPARE(captions(), QStringList({"Temperature Degrees F", "Temperature Degrees F", "Wind Chill Degrees F",
                                          "Heat Index Degrees F", "Wind Speed MPH"}));
    }

    void calculate_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("typed"); // Text3, Text4, Text5, Text6
        QTest::addColumn<QString>("windChill");
        QTest::addColumn<QString>("heatIndex");
        // clang-format off
        QTest::newRow("F and mph") << QStringList() << QStringList{"10", "20", "90", "50"} << "-24.33" << "95.55";
        QTest::newRow("C and km/h") << QStringList{"optCorF(1)", "optMPHKPH(1)"} << QStringList{"-10", "30", "30", "60"}
                                    << "-27.31" << "33.09";
        QTest::newRow("any character typed") << QStringList() << QStringList{"50 F", "3mph", "100!", "40%"} << "50."
                                             << "110.63";
        // clang-format on
    }

    void calculate()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, typed);
        for (const QString& name : clicks)
            click(name);
        const QStringList boxes{"Text3", "Text4", "Text5", "Text6"};
        for (int i = 0; i < boxes.size(); ++i) {
            QTest::keyClicks(box(boxes[i]), typed[i]);
            QCOMPARE(box(boxes[i])->text(), typed[i]); // no filter on these boxes
        }
        click(QStringLiteral("cmdChill"));
        QTEST(text(QStringLiteral("lblChill")), "windChill");
        QVERIFY(text(QStringLiteral("lblHeat")).isEmpty());
        click(QStringLiteral("cmdHeat"));
        QTEST(text(QStringLiteral("lblHeat")), "heatIndex");
    }

    void negativeSpeedKeepsTheAnswer()
    {
        box(QStringLiteral("Text3"))->setText(QStringLiteral("10"));
        box(QStringLiteral("Text4"))->setText(QStringLiteral("20"));
        click(QStringLiteral("cmdChill"));
        QCOMPARE(text(QStringLiteral("lblChill")), QStringLiteral("-24.33"));
        box(QStringLiteral("Text4"))->setText(QStringLiteral("-20"));
        ScopedMessages shown;
        shown->answerNext(MsgAnswer::Ok);
        click(QStringLiteral("cmdChill"));
        QCOMPARE(shown->shown.size(), 1);
        QCOMPARE(shown->shown[0].text, QStringLiteral("Wind speed cannot be negative"));
        QCOMPARE(shown->shown[0].title, QStringLiteral("Mensurix"));
        QCOMPARE(shown->shown[0].icon, MsgIcon::Exclamation);
        QCOMPARE(shown->shown[0].buttons, MsgButtons::Ok);
        QCOMPARE(text(QStringLiteral("lblChill")), QStringLiteral("-24.33"));
    }

    // Each calculator from the keyboard: its inputs, Calculate (pressed by Return), then its answer to copy.
    void keyboard()
    {
        panel_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel_));
        QCOMPARE(test::tabWalk(box(QStringLiteral("Text3")), 7).join(u' '),
                 QStringLiteral("Text4 cmdChill lblChill Text5 Text6 cmdHeat lblHeat"));
        QTest::keyClicks(box(QStringLiteral("Text3")), QStringLiteral("10"));
        QTest::keyClicks(box(QStringLiteral("Text4")), QStringLiteral("20"));
        auto* calculate = panel_->findChild<QWidget*>(QStringLiteral("cmdChill"));
        calculate->setFocus();
        test::pressKeys(QStringLiteral("Return"));
        QCOMPARE(text(QStringLiteral("lblChill")), QStringLiteral("-24.33"));
        test::pressKeys(QStringLiteral("Tab Ctrl+C"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("-24.33"));
    }

    // What a screen reader takes as the label of each box and answer: its caption, then its frame's.
    void captionsLabelTheirControls()
    {
        QStringList labels;
        for (const char* name : {"Text3", "Text4", "lblChill", "Text5", "Text6", "lblHeat"})
            labels << test::spokenLabels(panel_->findChild<QWidget*>(QLatin1String(name)));
        QCOMPARE(labels, QStringList({"Temperature Degrees F|Wind Chill", "Wind Speed MPH|Wind Chill",
                                      "Wind Chill Degrees F|Wind Chill", "Temperature Degrees F|Heat Index",
                                      "Relative Humidity|Heat Index", "Heat Index Degrees F|Heat Index"}));
    }

    void answersAreYellow()
    {
        for (const char* name : {"lblChill", "lblHeat"}) {
            auto* answer = panel_->findChild<QLabel*>(QLatin1String(name));
            QCOMPARE(answer->palette().color(answer->backgroundRole()), QColor(255, 255, 0));
            QCOMPARE(answer->palette().color(answer->foregroundRole()), QColor(0, 0, 0));
            QVERIFY(answer->autoFillBackground());
        }
    }

private:
    QLineEdit* box(const QString& name) const { return panel_->findChild<QLineEdit*>(name); }
    QString text(const QString& labelName) const { return panel_->findChild<QLabel*>(labelName)->text(); }
    void click(const QString& name) const { test::act(panel_, {name}); }

    WindPanel* panel_ = nullptr;
};

MX_REGISTER_TEST(WindPanelTest)
#include "tst_wind_panel.moc"
