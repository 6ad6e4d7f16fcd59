#include "panel_checks.h"
#include "psychro/humidity.h"
#include "psychro/humidity_panel.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace mx;
using mx::test::ScopedMessages;

namespace {

const QStringList kBoxNames{"DryAirTemp", "WetBulbTemp", "Humidity", "VaporPressure", "DewPoint", "GrainsPerLB"};

// How a box looks to the user: background, whether it takes typing, whether Tab stops in it.
QString boxState(const QLineEdit* box)
{
    const QColor base = box->palette().color(QPalette::Base);
    QString state = base == QColor(255, 255, 0) ? QStringLiteral("yellow")
                    : base == Qt::white         ? QStringLiteral("white")
                                                : base.name();
    if (box->palette().color(QPalette::Text) != Qt::black)
        state += QStringLiteral(" not-black");
    state += box->isReadOnly() ? QStringLiteral(" locked") : QStringLiteral(" open");
    return box->focusPolicy() & Qt::TabFocus ? state + QStringLiteral(" tab") : state;
}

} // namespace

class HumidityPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        psychro::HumidityScale = QStringLiteral("F");
        psychro::RHInputMode = false;
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
        // The vapour pressure box stands a little higher than its label and its neighbours.
        test::checkPlacement(panel_, QStringLiteral("VaporPressure"), {4860, 2040, 1095, 285});
        test::checkPlacement(panel_, QStringLiteral("Label4"), {2985, 2070, 0, 0});
        test::checkPlacement(panel_, QStringLiteral("cmdHumClear(0)"), {3420, 3240, 1000, 315});
    }

    void methodLayout_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("states"); // of the six boxes
        QTest::addColumn<bool>("rhInputMode");
        QTest::addColumn<QString>("method"); // the option selected
        const QString in = QStringLiteral("white open tab");
        const QString out = QStringLiteral("yellow locked");
        // clang-format off
        QTest::newRow("as set up") << QStringList() << QStringList{in, in, out, out, out, out} << false << "Option3";
        QTest::newRow("Dry Bulb / %RH") << QStringList{"Option4"} << QStringList{in, out, in, out, out, out} << true
                                        << "Option4";
        QTest::newRow("back to Dry Bulb / Wet Bulb") << QStringList{"Option4", "Option3"}
                                                     << QStringList{in, in, out, out, out, out} << false << "Option3";
        QTest::newRow("Dry Bulb / Dew Point") << QStringList{"Check1", "Option4", "Option5"}
                                              << QStringList{in, out, out, out, in, out} << false << "Option5";
        QTest::newRow("extended range off again") << QStringList{"Check1", "Option5", "Check1"}
                                                  << QStringList{in, in, out, out, out, out} << false << "Option3";
        // clang-format on
    }

    void methodLayout()
    {
        QFETCH(QStringList, clicks);
        setTexts(QStringLiteral("1|2|3|4|5|6"));
        clickAll(clicks);
        QStringList states;
        for (const QString& name : kBoxNames)
            states << boxState(box(name));
        QTEST(states, "states");
        QTEST(psychro::RHInputMode, "rhInputMode");
        QFETCH(QString, method);
        QVERIFY(checked(method));
        // The dew-point method is offered in the extended range only.
        QCOMPARE(panel_->findChild<QWidget*>(QStringLiteral("Option5"))->isEnabled(),
                 checked(QStringLiteral("Check1")));
        QCOMPARE(texts(), QStringLiteral("1|2|3|4|5|6")); // no text changes
    }

    void setUpOnlyOnce()
    {
        QCOMPARE(panel_->logoImage()->objectName(), QStringLiteral("Image1(1)"));
        clickAll({"Option4", "Option2"});
        panel_->tabChosen();
        QCOMPARE(boxState(box(QStringLiteral("Humidity"))), QStringLiteral("white open tab"));
        QCOMPARE(boxState(box(QStringLiteral("WetBulbTemp"))), QStringLiteral("yellow locked"));
        QVERIFY(psychro::RHInputMode);
        QCOMPARE(psychro::HumidityScale, QStringLiteral("C"));
    }

    void keyFilter_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed"); // "<" stands for Backspace
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("dry bulb") << QStringList() << "DryAirTemp" << "-1a2.5 e+3," << "-12.53";
        QTest::newRow("wet bulb") << QStringList() << "WetBulbTemp" << "x-0.25F" << "-0.25";
        QTest::newRow("humidity drops the minus") << QStringList{"Option4"} << "Humidity" << "-63.5%" << "63.5";
        QTest::newRow("backspace passes") << QStringList() << "DryAirTemp" << "12<3" << "13";
        QTest::newRow("dew point takes anything") << QStringList{"Check1", "Option5"} << "DewPoint" << "15 C" << "15 C";
        // clang-format on
    }

    void keyFilter()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        clickAll(clicks);
        QLineEdit* target = box(boxName);
        target->setFocus();
        for (const QChar c : typed) {
            if (c == u'<')
                QTest::keyClick(target, Qt::Key_Backspace);
            else
                QTest::keyClicks(target, QString(c));
        }
        QTEST(target->text(), "shown");
    }

    void nonCharacterKeysKeepTheirMeaning()
    {
        QLineEdit* dry = box(QStringLiteral("DryAirTemp"));
        QLineEdit* wet = box(QStringLiteral("WetBulbTemp"));
        dry->setFocus();
        QTest::keyClicks(dry, QStringLiteral("123"));
        QTest::keyClick(dry, Qt::Key_Home);
        QTest::keyClick(dry, Qt::Key_Delete);
        QCOMPARE(dry->text(), QStringLiteral("23"));
        QTest::keyClick(dry, Qt::Key_Tab);
        QTRY_VERIFY(wet->hasFocus());
        QTest::keyClick(wet, Qt::Key_Tab, Qt::ShiftModifier);
        QTRY_VERIFY(dry->hasFocus());
        // With the humidity as input, Tab passes over the locked wet bulb.
        clickAll({"Option4"});
        dry->setFocus();
        QTest::keyClick(dry, Qt::Key_Tab);
        QTRY_VERIFY(box(QStringLiteral("Humidity"))->hasFocus());
    }

    void enterRouting_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("after");
        const QStringList none;
        // clang-format off
        QTest::newRow("dry bulb to wet bulb") << none << "DryAirTemp" << "77" << "WetBulbTemp" << "77";
        QTest::newRow("dry bulb to humidity") << QStringList{"Option4"} << "DryAirTemp" << "77" << "Humidity" << "77";
        QTest::newRow("empty wet bulb moves on") << none << "WetBulbTemp" << "77||63.5" << "Humidity" << "77||63.5";
        QTest::newRow("wet bulb calculates") << none << "WetBulbTemp" << "77|68" << "WetBulbTemp"
                                             << "77|68|63.49|0.59|63.44|87.4859";
        QTest::newRow("humidity calculates") << QStringList{"Option4"} << "Humidity" << "77||63.5" << "Humidity"
                                             << "77|68.00|63.5|0.58952|63.45|87.50474";
        QTest::newRow("dew point: Enter does nothing") << QStringList{"Check1", "Option5"} << "DewPoint" << "25||||15"
                                                       << "DewPoint" << "25||||15";
        // clang-format on
    }

    void enterRouting()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, boxName);
        QFETCH(QString, before);
        QFETCH(QString, focus);
        clickAll(clicks);
        setTexts(before);
        box(boxName)->setFocus();
        QTest::keyClick(box(boxName), Qt::Key_Return);
        QTRY_VERIFY(box(focus)->hasFocus());
        QTEST(texts(), "after");
    }

    void scaleSwitch()
    {
        const auto captions = [this] {
            return QStringList{caption(QStringLiteral("Label1(0)")), caption(QStringLiteral("Label2")),
                               caption(QStringLiteral("Label7"))};
        };
        setTexts(QStringLiteral("77|68"));
        clickAll({"Option2"});
        QCOMPARE(texts(), QStringLiteral("25.00|20.00"));
        QCOMPARE(captions(), QStringList({"Dry Air Temp (C)", "Wet Bulb Temp (C)", "Dew Point Temp (C)"}));
        QCOMPARE(psychro::HumidityScale, QStringLiteral("C"));
        QVERIFY(box(QStringLiteral("DryAirTemp"))->hasFocus());
        box(QStringLiteral("DryAirTemp"))->setText(QStringLiteral("25"));
        clickAll({"Option2"}); // the scale in force: nothing is converted again
        QCOMPARE(texts(), QStringLiteral("25|20.00"));
        clickAll({"Option1"});
        QCOMPARE(texts(), QStringLiteral("77.00|68.00"));
        QCOMPARE(captions(), QStringList({"Dry Air Temp (F)", "Wet Bulb Temp (F)", "Dew Point Temp (F)"}));
        QCOMPARE(psychro::HumidityScale, QStringLiteral("F"));
    }

    void clearEmptiesTheBoxes()
    {
        clickAll({"Check1", "Option2", "Option4"});
        setTexts(QStringLiteral("1|2|3|4|5|6"));
        box(QStringLiteral("GrainsPerLB"))->setFocus();
        clickAll({"cmdHumClear(0)"});
        QCOMPARE(texts(), QString());
        QVERIFY(box(QStringLiteral("DryAirTemp"))->hasFocus());
        QVERIFY(checked(QStringLiteral("Check1")) && checked(QStringLiteral("Option2")) &&
                checked(QStringLiteral("Option4")));
        QVERIFY(psychro::RHInputMode);
    }

    void messages_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("title");
        QTest::addColumn<MsgIcon>("icon");
        // clang-format off
        QTest::newRow("normal, wet above dry") << QStringList() << "70|71|1|2|3|4" << "70|71|1|2|3|4"
            << QStringList{" Dry bulb must be greater than or equal to the Wet bulb"} << "Entry ERROR"
            << MsgIcon::Exclamation;
        QTest::newRow("extended, no vapour") << QStringList{"Check1", "Option2", "Option5"} << "0|5|1|2|-237.6|4"
            << "0|5|.00000|2|-237.6|4"
            << QStringList{"Invalid entry!  Check your data and try again.", "Invalid entry! Check your data and try again"}
            << "Mensurix" << MsgIcon::Exclamation;
        // clang-format on
    }

    void messages()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, before);
        QFETCH(QStringList, texts);
        QFETCH(QString, title);
        QFETCH(MsgIcon, icon);
        clickAll(clicks);
        setTexts(before);
        ScopedMessages shown;
        for (int i = 0; i < texts.size(); ++i)
            shown->answerNext(MsgAnswer::Ok);
        clickAll({"cmdHumCalculate"});
        QTEST(this->texts(), "after");
        QCOMPARE(shown->shown.size(), texts.size());
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(shown->shown[i].text, texts[i]);
            QCOMPARE(shown->shown[i].title, title);
            QCOMPARE(shown->shown[i].icon, icon);
            QCOMPARE(shown->shown[i].buttons, MsgButtons::Ok);
        }
    }

    void emptyWetBulbSwitchesToHumidityInput()
    {
        setTexts(QStringLiteral("77||63.5"));
        clickAll({"cmdHumCalculate"});
        QCOMPARE(texts(), QStringLiteral("77|68.00|63.5|0.58952|63.45|87.50474"));
        QVERIFY(psychro::RHInputMode);
        // Enter in the dry bulb now goes to the humidity, although the method is still Dry Bulb / Wet Bulb.
        box(QStringLiteral("DryAirTemp"))->setFocus();
        QTest::keyClick(box(QStringLiteral("DryAirTemp")), Qt::Key_Return);
        QTRY_VERIFY(box(QStringLiteral("Humidity"))->hasFocus());
        clickAll({"Option3"});
        QVERIFY(!psychro::RHInputMode);
    }

private:
    QLineEdit* box(const QString& name) const { return panel_->findChild<QLineEdit*>(name); }
    QString caption(const QString& name) const { return panel_->findChild<QLabel*>(name)->text(); }
    bool checked(const QString& name) const { return panel_->findChild<QAbstractButton*>(name)->isChecked(); }
    void clickAll(const QStringList& names) const { test::clickAll(panel_, names); }
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
