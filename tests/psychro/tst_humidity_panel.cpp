#include "common/twips.h"
#include "psychro/humidity.h"
#include "psychro/humidity_panel.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    QString state = base == QColor(255, 255, 0)     ? QStringLiteral("yellow")
                    : base == QColor(255, 255, 255) ? QStringLiteral("white")
                                                    : base.name();
    if (box->palette().color(QPalette::Text) != QColor(0, 0, 0))
        state += QStringLiteral(" not-black");
    state += box->isReadOnly() ? QStringLiteral(" locked") : QStringLiteral(" open");
    if (box->focusPolicy() & Qt::TabFocus)
        state += QStringLiteral(" tab");
    return state;
}

} // namespace

class HumidityPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void everyControlIsNamedForScreenReaders();
    void methodLayout_data();
    void methodLayout();
    void setUpOnlyOnce();
    void keyFilter_data();
    void keyFilter();
    void nonCharacterKeysKeepTheirMeaning();
    void enterRouting_data();
    void enterRouting();
    void scaleSwitch();
    void extendedRangeOff();
    void clearEmptiesTheBoxes();
    void messages_data();
    void messages();
    void extendedDewPointByKeyboard();
    void emptyWetBulbSwitchesToHumidityInput();

private:
    QLineEdit* box(const QString& name) const { return panel_->findChild<QLineEdit*>(name); }
    QLabel* label(const QString& name) const { return panel_->findChild<QLabel*>(name); }
    void click(const QString& name) const;
    QStringList boxTexts() const;
    void setBoxTexts(const QStringList& texts) const;

    HumidityPanel* panel_ = nullptr;
};

void HumidityPanelTest::init()
{
    psychro::HumidityScale = QStringLiteral("F");
    psychro::RHInputMode = false;
    panel_ = new HumidityPanel;
    panel_->show();
    panel_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(panel_));
    panel_->tabChosen();
}

void HumidityPanelTest::cleanup()
{
    delete panel_;
    panel_ = nullptr;
}

void HumidityPanelTest::click(const QString& name) const
{
    auto* button = panel_->findChild<QAbstractButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QStringList HumidityPanelTest::boxTexts() const
{
    QStringList texts;
    for (const QString& name : kBoxNames)
        texts << box(name)->text();
    return texts;
}

void HumidityPanelTest::setBoxTexts(const QStringList& texts) const
{
    for (int i = 0; i < kBoxNames.size(); ++i)
        box(kBoxNames[i])->setText(texts.value(i));
}

void HumidityPanelTest::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("twips"); // width and height 0 where only the place is designed
    QTest::newRow("Check1") << "Check1"
                            << "picHumidity" << QRect(1860, 300, 0, 0);
    QTest::newRow("Frame1") << "Frame1"
                            << "picHumidity" << QRect(120, 675, 0, 0);
    QTest::newRow("Option1") << "Option1"
                             << "Frame1" << QRect(120, 360, 0, 0);
    QTest::newRow("Option2") << "Option2"
                             << "Frame1" << QRect(120, 660, 0, 0);
    QTest::newRow("Frame2") << "Frame2"
                            << "picHumidity" << QRect(2580, 675, 0, 0);
    QTest::newRow("Option3") << "Option3"
                             << "Frame2" << QRect(120, 300, 0, 0);
    QTest::newRow("Option4") << "Option4"
                             << "Frame2" << QRect(120, 550, 0, 0);
    QTest::newRow("Option5") << "Option5"
                             << "Frame2" << QRect(120, 840, 0, 0);
    QTest::newRow("Image1(1)") << "Image1(1)"
                               << "picHumidity" << QRect(5220, 840, 0, 0);
    QTest::newRow("Label1(0)") << "Label1(0)"
                               << "picHumidity" << QRect(75, 2070, 0, 0);
    QTest::newRow("Label2") << "Label2"
                            << "picHumidity" << QRect(75, 2430, 0, 0);
    QTest::newRow("Label3") << "Label3"
                            << "picHumidity" << QRect(60, 2790, 0, 0);
    QTest::newRow("Label4") << "Label4"
                            << "picHumidity" << QRect(2985, 2070, 0, 0);
    QTest::newRow("Label7") << "Label7"
                            << "picHumidity" << QRect(2970, 2430, 0, 0);
    QTest::newRow("Label8(0)") << "Label8(0)"
                               << "picHumidity" << QRect(2985, 2790, 0, 0);
    QTest::newRow("DryAirTemp") << "DryAirTemp"
                                << "picHumidity" << QRect(1860, 2070, 1000, 285);
    QTest::newRow("WetBulbTemp") << "WetBulbTemp"
                                 << "picHumidity" << QRect(1860, 2430, 1000, 285);
    QTest::newRow("Humidity") << "Humidity"
                              << "picHumidity" << QRect(1860, 2790, 1000, 285);
    QTest::newRow("VaporPressure") << "VaporPressure"
                                   << "picHumidity" << QRect(4860, 2040, 1095, 285);
    QTest::newRow("DewPoint") << "DewPoint"
                              << "picHumidity" << QRect(4860, 2430, 1095, 285);
    QTest::newRow("GrainsPerLB") << "GrainsPerLB"
                                 << "picHumidity" << QRect(4860, 2790, 1095, 285);
    QTest::newRow("cmdHumCalculate") << "cmdHumCalculate"
                                     << "picHumidity" << QRect(1860, 3240, 1000, 315);
    QTest::newRow("cmdHumClear(0)") << "cmdHumClear(0)"
                                    << "picHumidity" << QRect(3420, 3240, 1000, 315);
}

void HumidityPanelTest::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, parentName);
    QFETCH(QRect, twips);
    auto* widget = panel_->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->pos(), QPoint(twipsToPixels(twips.left()), twipsToPixels(twips.top())));
    if (twips.width() > 0)
        QCOMPARE(widget->size(), twipsSize(twips.width(), twips.height()));
    // Everything lies inside the panel, whose size is fixed.
    QVERIFY(panel_->rect().contains(QRect(widget->mapTo(panel_, QPoint(0, 0)), widget->size())));
    QCOMPARE(panel_->minimumSize(), panel_->maximumSize());
}

void HumidityPanelTest::everyControlIsNamedForScreenReaders()
{
    QCOMPARE(panel_->objectName(), QStringLiteral("picHumidity"));
    QCOMPARE(panel_->logoImage()->objectName(), QStringLiteral("Image1(1)"));
    const auto children = panel_->findChildren<QWidget*>();
    int named = 0;
    for (const QWidget* child : children) {
        if (child->objectName().isEmpty() || child->objectName().startsWith(QLatin1String("qt_")))
            continue;
        ++named;
        const auto* asLabel = qobject_cast<const QLabel*>(child);
        const bool spoken = !child->accessibleName().isEmpty() || !child->accessibleDescription().isEmpty() ||
                            (asLabel && !asLabel->text().isEmpty());
        QVERIFY2(spoken, qPrintable(child->objectName()));
    }
    QCOMPARE(named, 23);
}

void HumidityPanelTest::methodLayout_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("states"); // of the six boxes
    QTest::addColumn<bool>("rhInputMode");
    const QString in = QStringLiteral("white open tab");
    const QString out = QStringLiteral("yellow locked");
    QTest::newRow("as set up") << QStringList() << QStringList{in, in, out, out, out, out} << false;
    QTest::newRow("Dry Bulb / %RH") << QStringList{"Option4"} << QStringList{in, out, in, out, out, out} << true;
    QTest::newRow("back to Dry Bulb / Wet Bulb")
        << QStringList{"Option4", "Option3"} << QStringList{in, in, out, out, out, out} << false;
    QTest::newRow("Dry Bulb / Dew Point")
        << QStringList{"Check1", "Option5"} << QStringList{in, out, out, out, in, out} << false;
    QTest::newRow("Dew Point after %RH") << QStringList{"Check1", "Option4", "Option5"}
                                         << QStringList{in, out, out, out, in, out} << false;
}

void HumidityPanelTest::methodLayout()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, rhInputMode);
    setBoxTexts({"1", "2", "3", "4", "5", "6"});
    for (const QString& name : clicks)
        click(name);
    QStringList states;
    for (const QString& name : kBoxNames)
        states << boxState(box(name));
    QTEST(states, "states");
    QCOMPARE(psychro::RHInputMode, rhInputMode);
    QCOMPARE(boxTexts(), QStringList({"1", "2", "3", "4", "5", "6"})); // no text changes
}

void HumidityPanelTest::setUpOnlyOnce()
{
    click(QStringLiteral("Option4"));
    click(QStringLiteral("Option2"));
    panel_->tabChosen();
    QCOMPARE(boxState(box(QStringLiteral("Humidity"))), QStringLiteral("white open tab"));
    QCOMPARE(boxState(box(QStringLiteral("WetBulbTemp"))), QStringLiteral("yellow locked"));
    QCOMPARE(psychro::RHInputMode, true);
    QCOMPARE(psychro::HumidityScale, QStringLiteral("C"));
}

void HumidityPanelTest::keyFilter_data()
{
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("dry bulb") << "DryAirTemp" << QStringList() << "-1a2.5 e+3,"
                              << "-12.53";
    QTest::newRow("wet bulb") << "WetBulbTemp" << QStringList() << "x-0.25F"
                              << "-0.25";
    QTest::newRow("humidity drops the minus") << "Humidity" << QStringList{"Option4"} << "-63.5%"
                                              << "63.5";
    QTest::newRow("backspace passes") << "DryAirTemp" << QStringList() << QStringLiteral("12\b3") << "13";
    QTest::newRow("dew point takes anything") << "DewPoint" << QStringList{"Check1", "Option5"} << "15 C"
                                              << "15 C";
}

void HumidityPanelTest::keyFilter()
{
    QFETCH(QString, boxName);
    QFETCH(QStringList, clicks);
    QFETCH(QString, typed);
    for (const QString& name : clicks)
        click(name);
    QLineEdit* target = box(boxName);
    target->setFocus();
    for (const QChar c : typed) {
        if (c == u'\b')
            QTest::keyClick(target, Qt::Key_Backspace);
        else
            QTest::keyClicks(target, QString(c));
    }
    QTEST(target->text(), "shown");
}

void HumidityPanelTest::nonCharacterKeysKeepTheirMeaning()
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
    click(QStringLiteral("Option4"));
    dry->setFocus();
    QTest::keyClick(dry, Qt::Key_Tab);
    QTRY_VERIFY(box(QStringLiteral("Humidity"))->hasFocus());
}

void HumidityPanelTest::enterRouting_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("dry bulb to wet bulb")
        << QStringList() << "DryAirTemp" << QStringList{"77"} << "WetBulbTemp" << QStringList{"77", "", "", "", "", ""};
    QTest::newRow("dry bulb to humidity") << QStringList{"Option4"} << "DryAirTemp" << QStringList{"77"} << "Humidity"
                                          << QStringList{"77", "", "", "", "", ""};
    QTest::newRow("empty wet bulb moves on") << QStringList() << "WetBulbTemp" << QStringList{"77", "", "63.5"}
                                             << "Humidity" << QStringList{"77", "", "63.5", "", "", ""};
    QTest::newRow("wet bulb calculates") << QStringList() << "WetBulbTemp" << QStringList{"77", "68"} << "WetBulbTemp"
                                         << QStringList{"77", "68", "63.49", "0.59", "63.44", "87.4859"};
    QTest::newRow("humidity calculates") << QStringList{"Option4"} << "Humidity" << QStringList{"77", "", "63.5"}
                                         << "Humidity"
                                         << QStringList{"77", "68.00", "63.5", "0.58952", "63.45", "87.50474"};
    QTest::newRow("dew point: Enter does nothing")
        << QStringList{"Check1", "Option5"} << "DewPoint" << QStringList{"25", "", "", "", "15"} << "DewPoint"
        << QStringList{"25", "", "", "", "15", ""};
}

void HumidityPanelTest::enterRouting()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, boxName);
    QFETCH(QStringList, before);
    QFETCH(QString, focus);
    for (const QString& name : clicks)
        click(name);
    setBoxTexts(before);
    QLineEdit* target = box(boxName);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    QTRY_VERIFY2(box(focus)->hasFocus(), qPrintable(QApplication::focusWidget()->objectName()));
    QTEST(boxTexts(), "after");
}

void HumidityPanelTest::scaleSwitch()
{
    setBoxTexts({"77", "68"});
    click(QStringLiteral("Option2"));
    QCOMPARE(boxTexts(), QStringList({"25.00", "20.00", "", "", "", ""}));
    QCOMPARE(label(QStringLiteral("Label1(0)"))->text(), QStringLiteral("Dry Air Temp (C)"));
    QCOMPARE(label(QStringLiteral("Label2"))->text(), QStringLiteral("Wet Bulb Temp (C)"));
    QCOMPARE(label(QStringLiteral("Label7"))->text(), QStringLiteral("Dew Point Temp (C)"));
    QCOMPARE(psychro::HumidityScale, QStringLiteral("C"));
    QVERIFY(box(QStringLiteral("DryAirTemp"))->hasFocus());

    box(QStringLiteral("DryAirTemp"))->setText(QStringLiteral("25"));
    click(QStringLiteral("Option2")); // the scale in force: nothing is converted again
    QCOMPARE(boxTexts(), QStringList({"25", "20.00", "", "", "", ""}));

    click(QStringLiteral("Option1"));
    QCOMPARE(boxTexts(), QStringList({"77.00", "68.00", "", "", "", ""}));
    QCOMPARE(label(QStringLiteral("Label1(0)"))->text(), QStringLiteral("Dry Air Temp (F)"));
    QCOMPARE(label(QStringLiteral("Label7"))->text(), QStringLiteral("Dew Point Temp (F)"));
    QCOMPARE(psychro::HumidityScale, QStringLiteral("F"));
}

void HumidityPanelTest::extendedRangeOff()
{
    auto* dewPointMethod = panel_->findChild<QRadioButton*>(QStringLiteral("Option5"));
    QVERIFY(!dewPointMethod->isEnabled());
    click(QStringLiteral("Check1"));
    QVERIFY(dewPointMethod->isEnabled());
    click(QStringLiteral("Option5"));
    click(QStringLiteral("Check1"));
    QVERIFY(!dewPointMethod->isEnabled());
    QVERIFY(!dewPointMethod->isChecked());
    QVERIFY(panel_->findChild<QRadioButton*>(QStringLiteral("Option3"))->isChecked());
    QCOMPARE(boxState(box(QStringLiteral("WetBulbTemp"))), QStringLiteral("white open tab"));
    QCOMPARE(boxState(box(QStringLiteral("DewPoint"))), QStringLiteral("yellow locked"));
    QCOMPARE(psychro::RHInputMode, false);
}

void HumidityPanelTest::clearEmptiesTheBoxes()
{
    click(QStringLiteral("Check1"));
    click(QStringLiteral("Option2"));
    click(QStringLiteral("Option4"));
    setBoxTexts({"1", "2", "3", "4", "5", "6"});
    box(QStringLiteral("GrainsPerLB"))->setFocus();
    click(QStringLiteral("cmdHumClear(0)"));
    QCOMPARE(boxTexts(), QStringList({"", "", "", "", "", ""}));
    QVERIFY(box(QStringLiteral("DryAirTemp"))->hasFocus());
    QVERIFY(panel_->findChild<QCheckBox*>(QStringLiteral("Check1"))->isChecked());
    QVERIFY(panel_->findChild<QRadioButton*>(QStringLiteral("Option2"))->isChecked());
    QVERIFY(panel_->findChild<QRadioButton*>(QStringLiteral("Option4"))->isChecked());
    QCOMPARE(psychro::RHInputMode, true);
}

void HumidityPanelTest::messages_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("title");
    QTest::addColumn<MsgIcon>("icon");
    QTest::newRow("normal, wet above dry")
        << false << QStringList{"70", "71", "1", "2", "3", "4"} << QStringList{"70", "71", "1", "2", "3", "4"}
        << QStringList{" Dry bulb must be greater than or equal to the Wet bulb"} << "Entry ERROR"
        << MsgIcon::Exclamation;
    QTest::newRow("extended, wet above dry")
        << true << QStringList{"70", "71", "1", "2", "3", "4"} << QStringList{"70", "71", ".00000", "2", "3", "4"}
        << QStringList{"Dry Bulb must be greater than Wet Bulb!"} << "Mensurix" << MsgIcon::Exclamation;
    QTest::newRow("extended, below the pole")
        << true << QStringList{"-500", "-600", "1", "2", "3", "4"} << QStringList{"-500", "-600", "1", "2", "3", "4"}
        << QStringList{"Temperature must be above -237.7C"} << "Mensurix" << MsgIcon::Exclamation;
    QTest::newRow("normal, dew point beyond reach")
        << false << QStringList{"212", "32", "1", "2", "3", "4"} << QStringList{"212", "32", "-5.77", "-1.80", "3", "4"}
        << QStringList{"The Values selected can not be calculated correctly"} << "Calculation ERROR"
        << MsgIcon::Information;
}

void HumidityPanelTest::messages()
{
    QFETCH(bool, extended);
    QFETCH(QStringList, before);
    QFETCH(QStringList, texts);
    QFETCH(QString, title);
    QFETCH(MsgIcon, icon);
    if (extended)
        click(QStringLiteral("Check1"));
    setBoxTexts(before);
    ScopedMessages shown;
    for (int i = 0; i < texts.size(); ++i)
        shown->answerNext(MsgAnswer::Ok);
    click(QStringLiteral("cmdHumCalculate"));
    QTEST(boxTexts(), "after");
    QCOMPARE(shown->shown.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(shown->shown[i].text, texts[i]);
        QCOMPARE(shown->shown[i].title, title);
        QCOMPARE(shown->shown[i].icon, icon);
        QCOMPARE(shown->shown[i].buttons, MsgButtons::Ok);
    }
}

void HumidityPanelTest::extendedDewPointByKeyboard()
{
    click(QStringLiteral("Check1"));
    click(QStringLiteral("Option2"));
    click(QStringLiteral("Option5"));
    QTest::keyClicks(box(QStringLiteral("DryAirTemp")), QStringLiteral("25"));
    QTest::keyClicks(box(QStringLiteral("DewPoint")), QStringLiteral("15"));
    click(QStringLiteral("cmdHumCalculate"));
    QCOMPARE(boxTexts(), QStringList({"25", "18.62305", "53.88278", "0.503060647587316", "15", "74.4549488108783"}));
    // Back to Fahrenheit: the five-decimal temperatures become two-decimal ones.
    click(QStringLiteral("Option1"));
    QCOMPARE(boxTexts(), QStringList({"77.00", "65.52", "53.88278", "0.503060647587316", "59.00", "74.4549488108783"}));
}

void HumidityPanelTest::emptyWetBulbSwitchesToHumidityInput()
{
    setBoxTexts({"77", "", "63.5"});
    click(QStringLiteral("cmdHumCalculate"));
    QCOMPARE(boxTexts(), QStringList({"77", "68.00", "63.5", "0.58952", "63.45", "87.50474"}));
    QCOMPARE(psychro::RHInputMode, true);
    // Enter in the dry bulb now goes to the humidity, although the method is still Dry Bulb / Wet Bulb.
    QLineEdit* dry = box(QStringLiteral("DryAirTemp"));
    dry->setFocus();
    QTest::keyClick(dry, Qt::Key_Return);
    QTRY_VERIFY(box(QStringLiteral("Humidity"))->hasFocus());
    click(QStringLiteral("Option3"));
    QCOMPARE(psychro::RHInputMode, false);
}

MX_REGISTER_TEST(HumidityPanelTest)
#include "tst_humidity_panel.moc"
