#include "keyboard_checks.h"
#include "panel_checks.h"
#include "psychro/humidity_panel.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace mx;
using mx::test::ScopedMessages;

namespace {

const QStringList kBoxNames{"DryAirTemp", "WetBulbTemp", "Humidity", "VaporPressure", "DewPoint", "GrainsPerLB"};
const QStringList kNoSteps;

// How a box looks to the user: background and whether it takes typing.
QString boxState(const QLineEdit* box)
{
    const QColor base = box->palette().color(QPalette::Base);
    QString state = base == QColor(255, 255, 0) ? QStringLiteral("yellow")
                    : base == Qt::white         ? QStringLiteral("white")
                                                : base.name();
    if (box->palette().color(QPalette::Text) != Qt::black)
        state += QStringLiteral(" not-black");
    return state + (box->isReadOnly() ? QStringLiteral(" locked") : QStringLiteral(" open"));
}

} // namespace

class HumidityPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        panel_ = new HumidityPanel;
        panel_->show();
        panel_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel_));
        panel_->tabChosen();
    }

    void cleanup()
    {
        delete panel_;
        panel_ = nullptr;
    }

    void controls()
    {
        QCOMPARE(panel_->objectName(), QStringLiteral("picHumidity"));
        test::checkControls(
            panel_, {{"picHumidity", kBoxNames + QStringList{"Check1", "Frame1", "Frame2", "Image1(1)", "Label1(0)",
                                                             "Label2", "Label3", "Label4", "Label7", "Label8(0)",
                                                             "cmdHumCalculate", "cmdHumClear(0)"}},
                     {"Frame1", {"Option1", "Option2"}},
                     {"Frame2", {"Option3", "Option4", "Option5"}}});
        QCOMPARE(panel_->logoImage()->objectName(), QStringLiteral("Image1(1)"));
        // The vapour pressure box stands a little higher than its label and its neighbours.
        test::checkPlacement(panel_, QStringLiteral("VaporPressure"), {4860, 2040, 1095, 285});
        test::checkPlacement(panel_, QStringLiteral("Label4"), {2985, 2070, 0, 0});
        test::checkPlacement(panel_, QStringLiteral("cmdHumClear(0)"), {3420, 3240, 1000, 315});
    }

    // Tab goes from the dry bulb to the method's other input, the buttons, then the outputs to be read and copied.
    void methodLayout_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("states"); // of the six boxes
        QTest::addColumn<bool>("rhInputMode");
        QTest::addColumn<QString>("method"); // the option selected
        QTest::addColumn<QString>("tabs");   // from the dry bulb on
        const QString in = QStringLiteral("white open");
        const QString out = QStringLiteral("yellow locked");
        const QString wetBulbTabs =
            QStringLiteral("WetBulbTemp cmdHumCalculate cmdHumClear(0) Humidity VaporPressure DewPoint GrainsPerLB");
        const QString humidityTabs =
            QStringLiteral("Humidity cmdHumCalculate cmdHumClear(0) WetBulbTemp VaporPressure DewPoint GrainsPerLB");
        // clang-format off
        QTest::newRow("as set up") << kNoSteps << QStringList{in, in, out, out, out, out} << false << "Option3"
            << wetBulbTabs;
        QTest::newRow("Dry Bulb / %RH") << QStringList{"Option4"} << QStringList{in, out, in, out, out, out} << true
            << "Option4" << humidityTabs;
        QTest::newRow("back to Dry Bulb / Wet Bulb") << QStringList{"Option4", "Option3"}
            << QStringList{in, in, out, out, out, out} << false << "Option3" << wetBulbTabs;
        QTest::newRow("Dry Bulb / Dew Point") << QStringList{"Check1", "Option4", "Option5"}
            << QStringList{in, out, out, out, in, out} << false << "Option5"
            << "DewPoint cmdHumCalculate cmdHumClear(0) WetBulbTemp Humidity VaporPressure GrainsPerLB";
        QTest::newRow("extended range off again") << QStringList{"Check1", "Option5", "Check1"}
            << QStringList{in, in, out, out, out, out} << false << "Option3" << wetBulbTabs;
        // The tab is set up the first time only: the chosen layout survives a later choice of the tab.
        QTest::newRow("tab chosen again") << QStringList{"Option4", "tabChosen"}
            << QStringList{in, out, in, out, out, out} << true << "Option4" << humidityTabs;
        // clang-format on
    }

    void methodLayout()
    {
        QFETCH(QStringList, steps);
        setTexts(QStringLiteral("1|2|3|4|5|6"));
        test::act(panel_, steps);
        QStringList states;
        for (const QString& name : kBoxNames)
            states << boxState(box(name));
        QTEST(states, "states");
        QFETCH(QString, method);
        QVERIFY(checked(method));
        // The dew-point method is offered in the extended range only.
        QCOMPARE(panel_->findChild<QWidget*>(QStringLiteral("Option5"))->isEnabled(),
                 checked(QStringLiteral("Check1")));
        QCOMPARE(texts(), QStringLiteral("1|2|3|4|5|6")); // no text changes
        QTEST(test::tabWalk(box(QStringLiteral("DryAirTemp")), 7).join(u' '), "tabs");
        QTEST(enterLeadsToHumidity(), "rhInputMode");
    }

    // What a screen reader takes as each box's label.
    void captionsLabelTheirBoxes()
    {
        QStringList labels;
        for (const QString& name : kBoxNames)
            labels << test::spokenLabels(box(name));
        QCOMPARE(labels, QStringList({"Dry Air Temp (F)", "Wet Bulb Temp (F)", "%Relative Humidity",
                                      "Vapor Pressure InHg", "Dew Point Temp (F)", "Grains/Lb Dry Air"}));
    }

    // A long result is shown from its first digit, whichever box holds it.
    void resultsShowTheirStart()
    {
        test::act(panel_, {"Check1", "Option2"});
        setTexts(QStringLiteral("25|20"));
        test::act(panel_, {"cmdHumCalculate"});
        QCOMPARE(texts(), QStringLiteral("25|20|62.94267|0.587645643385877|17.44100|87.2246540666898"));
        for (const QString& name : kBoxNames.mid(2))
            QVERIFY2(box(name)->cursorPosition() == 0, qPrintable(name));
    }

    // Every way of choosing a scale converts the temperatures once, sets the captions and ends in the dry bulb.
    void scaleSwitch_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("unit"); // in the three temperature captions
        // clang-format off
        QTest::newRow("Celsius") << QStringList{"Option2"} << "25.00|20.00" << "C";
        QTest::newRow("Celsius twice converts once") << QStringList{"Option2", "Option2"} << "25.00|20.00" << "C";
        QTest::newRow("back to Fahrenheit") << QStringList{"Option2", "Option1"} << "77.00|68.00" << "F";
        QTest::newRow("Celsius by arrow key") << QStringList{"Option1:Down"} << "25.00|20.00" << "C";
        QTest::newRow("Fahrenheit by arrow key") << QStringList{"Option2", "Option2:Up"} << "77.00|68.00" << "F";
        QTest::newRow("kept when the tab is chosen again") << QStringList{"Option2", "tabChosen", "Option1"}
                                                           << "77.00|68.00" << "F";
        // clang-format on
    }

    void scaleSwitch()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, unit);
        setTexts(QStringLiteral("77|68"));
        test::act(panel_, steps);
        QTEST(texts(), "after");
        QCOMPARE(caption(QStringLiteral("Label1(0)")), QStringLiteral("Dry Air Temp (%1)").arg(unit));
        QCOMPARE(caption(QStringLiteral("Label2")), QStringLiteral("Wet Bulb Temp (%1)").arg(unit));
        QCOMPARE(caption(QStringLiteral("Label7")), QStringLiteral("Dew Point Temp (%1)").arg(unit));
        QVERIFY(box(QStringLiteral("DryAirTemp"))->hasFocus());
        QCOMPARE(box(QStringLiteral("WetBulbTemp"))->cursorPosition(), 0); // a converted text shows its start
    }

    // Typed characters are filtered; keys that are not characters keep their meaning. A capitalised key name
    // presses that key, anything else is typed, each into the box that has the focus.
    void keys_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("shown"); // all six boxes
        // clang-format off
        QTest::newRow("dry bulb") << kNoSteps << "DryAirTemp" << QStringList{"-1a2.5 e+3,"} << "-12.53";
        QTest::newRow("wet bulb") << kNoSteps << "WetBulbTemp" << QStringList{"x-0.25F"} << "|-0.25";
        QTest::newRow("humidity drops the minus") << QStringList{"Option4"} << "Humidity" << QStringList{"-63.5%"}
                                                  << "||63.5";
        QTest::newRow("dew point takes anything") << QStringList{"Check1", "Option5"} << "DewPoint"
                                                  << QStringList{"15 C"} << "||||15 C";
        QTest::newRow("backspace") << kNoSteps << "DryAirTemp" << QStringList{"12", "Backspace", "3"} << "13";
        QTest::newRow("home and delete") << kNoSteps << "DryAirTemp" << QStringList{"123", "Home", "Delete"} << "23";
        QTest::newRow("tab and back") << kNoSteps << "DryAirTemp" << QStringList{"1", "Tab", "2", "Shift+Tab", "3"}
                                      << "3|2";
        QTest::newRow("tab passes the locked wet bulb") << QStringList{"Option4"} << "DryAirTemp"
                                                        << QStringList{"1", "Tab", "2"} << "1||2";
        // clang-format on
    }

    void keys()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, boxName);
        QFETCH(QStringList, keys);
        test::act(panel_, steps);
        box(boxName)->setFocus();
        for (const QString& key : keys) {
            const QKeyCombination named = QKeySequence::fromString(key)[0];
            if (key.front().isUpper())
                QTest::keyClick(QApplication::focusWidget(), named.key(), named.keyboardModifiers());
            else
                QTest::keyClicks(QApplication::focusWidget(), key);
        }
        QTEST(texts(), "shown");
    }

    // Enter, Calculate and Clear: the texts after, where the focus ends, the messages shown and whether the relative
    // humidity is then the second input.
    void actions_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("focus");        // empty: not looked at
        QTest::addColumn<QStringList>("messages"); // "title|text", each with OK only and the exclamation icon
        QTest::addColumn<bool>("rhInputMode");
        const QStringList none;
        const QString entryError =
            QStringLiteral("Entry ERROR| Dry bulb must be greater than or equal to the Wet bulb");
        // clang-format off
        QTest::newRow("dry bulb to wet bulb") << "77" << QStringList{"DryAirTemp:Return"} << "77" << "WetBulbTemp"
            << none << false;
        QTest::newRow("dry bulb to humidity") << "77" << QStringList{"Option4", "DryAirTemp:Return"} << "77"
            << "Humidity" << none << true;
        QTest::newRow("empty wet bulb moves on") << "77||63.5" << QStringList{"WetBulbTemp:Return"} << "77||63.5"
            << "Humidity" << none << false;
        QTest::newRow("wet bulb calculates") << "77|68" << QStringList{"WetBulbTemp:Return"}
            << "77|68|63.49|0.59|63.44|87.4859" << "WetBulbTemp" << none << false;
        // A focused button is pressed by Enter as by Space.
        QTest::newRow("Calculate by Return") << "77|68" << QStringList{"cmdHumCalculate:Return"}
            << "77|68|63.49|0.59|63.44|87.4859" << "" << none << false;
        QTest::newRow("Clear by Enter") << "1|2|3|4|5|6" << QStringList{"cmdHumClear(0):Enter"} << "" << "DryAirTemp"
            << none << false;
        QTest::newRow("humidity calculates") << "77||63.5" << QStringList{"Option4", "Humidity:Return"}
            << "77|68.00|63.5|0.58952|63.45|87.50474" << "Humidity" << none << true;
        QTest::newRow("dew point: Enter does nothing") << "25||||15" << QStringList{"Check1", "Option5", "DewPoint:Return"}
            << "25||||15" << "DewPoint" << none << false;
        // An empty wet bulb switches to the relative humidity as input, although the method stays Dry Bulb / Wet Bulb,
        // until a method is chosen.
        QTest::newRow("empty wet bulb calculated") << "77||63.5" << QStringList{"cmdHumCalculate"}
            << "77|68.00|63.5|0.58952|63.45|87.50474" << "" << none << true;
        QTest::newRow("until a method is chosen") << "77||63.5" << QStringList{"cmdHumCalculate", "Option3"}
            << "77|68.00|63.5|0.58952|63.45|87.50474" << "" << none << false;
        QTest::newRow("normal, wet above dry") << "70|71|1|2|3|4" << QStringList{"cmdHumCalculate"} << "70|71|1|2|3|4"
            << "" << QStringList{entryError} << false;
        QTest::newRow("extended, no vapour") << "32|5|1|2|-395.6|4" << QStringList{"Check1", "Option5", "cmdHumCalculate"}
            << "32|5|.00000|2|-395.6|4" << "" << QStringList{"Mensurix|Invalid entry!  Check your data and try again.",
            "Mensurix|Invalid entry! Check your data and try again"} << false;
        // Clear leaves the method, the scale and the range as they were.
        QTest::newRow("clear") << "1|2|3|4|5|6" << QStringList{"Check1", "Option2", "Option4", "cmdHumClear(0)"} << ""
            << "DryAirTemp" << none << true;
        // clang-format on
    }

    void actions()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, steps);
        QFETCH(QString, focus);
        QFETCH(QStringList, messages);
        setTexts(before);
        ScopedMessages shown;
        for (qsizetype i = 0; i < messages.size(); ++i)
            shown->answerNext(MsgAnswer::Ok);
        test::act(panel_, steps);
        QTEST(texts(), "after");
        if (!focus.isEmpty())
            QTRY_VERIFY(box(focus)->hasFocus());
        QStringList seen;
        for (const auto& message : shown->shown) {
            seen << message.title + u'|' + message.text;
            QCOMPARE(message.icon, MsgIcon::Exclamation);
            QCOMPARE(message.buttons, MsgButtons::Ok);
        }
        QCOMPARE(seen, messages);
        QTEST(enterLeadsToHumidity(), "rhInputMode");
    }

    // At altitude the tab says so in free space of the panel, and calculates there; back at the standard atmosphere
    // the caption goes. The windows drawing at the pressure hear of each change.
    void pressureInUse()
    {
        auto* shown = panel_->findChild<QLabel*>(QStringLiteral("lblPressure"));
        QVERIFY(!shown->isVisible());
        // The longest caption fits.
        BarometricPressure pressure = BarometricPressure::fromInHg(32.483).value();
        panel_->setPressureSource(&pressure);
        QCOMPARE(shown->text(), QStringLiteral("At 32.48 inHg (-2,290 ft)"));
        QVERIFY(shown->sizeHint().width() <= shown->width());

        QSignalSpy changed(panel_, &HumidityPanel::pressureChanged);
        pressure = BarometricPressure::fromInHg(24.896).value();
        panel_->pressureSet();
        QVERIFY(shown->isVisible());
        QCOMPARE(shown->text(), QStringLiteral("At 24.90 inHg (5,000 ft)"));
        QVERIFY(!shown->accessibleDescription().isEmpty());
        for (const QWidget* other : panel_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != shown)
                QVERIFY2(!other->geometry().intersects(shown->geometry()), qPrintable(other->objectName()));
        }
        QVERIFY(panel_->rect().contains(shown->geometry()));

        setTexts(QStringLiteral("77|68"));
        test::act(panel_, {QStringLiteral("WetBulbTemp:Return")});
        QCOMPARE(texts(), QStringLiteral("77|68|65.26|0.61|64.25|108.6954"));

        // Back at sea level the altitude's results go; the entries stay.
        pressure = BarometricPressure();
        panel_->pressureSet();
        QVERIFY(!shown->isVisible());
        QCOMPARE(texts(), QStringLiteral("77|68"));
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed[0][0].value<BarometricPressure>(), BarometricPressure::fromInHg(24.896).value());
        QCOMPARE(changed[1][0].value<BarometricPressure>(), BarometricPressure());
    }

    // What the windows that draw the tab are told: its scale and range and the boxes of its last calculation that
    // gave a result, with a signal at each change.
    void reading_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("reading"); // scale|range|result boxes, or "none"
        QTest::addColumn<int>("changes");
        // clang-format off
        QTest::newRow("calculated") << "77|68" << QStringList{"cmdHumCalculate"}
            << "F|normal|77|68|63.49|0.59|63.44|87.4859" << 1;
        QTest::newRow("refused") << "70|71" << QStringList{"cmdHumCalculate"} << "F|normal|none" << 1;
        QTest::newRow("refused after a result") << "77|68" << QStringList{"cmdHumCalculate", "WetBulbTemp:9",
            "cmdHumCalculate"} << "F|normal|none" << 2;
        QTest::newRow("the range keeps the result") << "77|68" << QStringList{"cmdHumCalculate", "Check1"}
            << "F|extended|77|68|63.49|0.59|63.44|87.4859" << 2;
        QTest::newRow("cleared") << "77|68" << QStringList{"cmdHumCalculate", "cmdHumClear(0)"} << "F|normal|none" << 2;
        QTest::newRow("the scale converts the result") << "77|68" << QStringList{"cmdHumCalculate", "Option2"}
            << "C|normal|25.00|20.00|63.49|0.59|17.47|87.4859" << 2;
        // clang-format on
    }

    void reading()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, steps);
        setTexts(before);
        ScopedMessages messages;
        QSignalSpy changes(panel_, &HumidityPanel::readingChanged);
        test::act(panel_, steps);
        const HumidityReading reading = panel_->reading();
        QStringList described{reading.scale == TemperatureScale::Celsius ? "C" : "F",
                              reading.extendedRange ? "extended" : "normal"};
        if (const auto& b = reading.result)
            described << b->dryAirTemp << b->wetBulbTemp << b->humidity << b->vaporPressure << b->dewPoint
                      << b->grainsPerLb;
        else
            described << QStringLiteral("none");
        QTEST(described.join(u'|'), "reading");
        QTEST(int(changes.size()), "changes");
    }

private:
    QLineEdit* box(const QString& name) const { return panel_->findChild<QLineEdit*>(name); }
    QString caption(const QString& name) const { return panel_->findChild<QLabel*>(name)->text(); }
    bool checked(const QString& name) const { return panel_->findChild<QAbstractButton*>(name)->isChecked(); }

    // Where Enter in the dry bulb leads tells whether the relative humidity is the second input.
    bool enterLeadsToHumidity() const
    {
        box(QStringLiteral("DryAirTemp"))->setFocus();
        QTest::keyClick(box(QStringLiteral("DryAirTemp")), Qt::Key_Return);
        return box(QStringLiteral("Humidity"))->hasFocus();
    }

    // Box texts joined by "|" in the order of kBoxNames, trailing empty ones left out.
    QString texts() const
    {
        QStringList all;
        for (const QString& name : kBoxNames)
            all << box(name)->text();
        QString joined = all.join(u'|');
        while (joined.endsWith(u'|'))
            joined.chop(1);
        return joined;
    }

    void setTexts(const QString& joined) const
    {
        const QStringList all = joined.split(u'|');
        for (int i = 0; i < kBoxNames.size(); ++i)
            box(kBoxNames[i])->setText(all.value(i));
    }

    HumidityPanel* panel_ = nullptr;
};

MX_REGISTER_TEST(HumidityPanelTest)
#include "tst_humidity_panel.moc"
