#include "humidity_rows.h"
#include "keyboard_checks.h"
#include "panel_checks.h"
#include "psychro/humidity_panel.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace mx;

const QStringList kBoxNames{"DryAirTemp", "WetBulbTemp", "Humidity", "VaporPressure", "DewPoint", "GrainsPerLB"};

// How a box looks to the user: "in" white and open to typing, "out" yellow and locked, black text both.
static QString boxState(const QLineEdit* box)
{
    const QColor base = box->palette().color(QPalette::Base);
    const QString state = base == Qt::white && !box->isReadOnly()            ? QStringLiteral("in")
                          : base == QColor(255, 255, 0) && box->isReadOnly() ? QStringLiteral("out")
                                                                             : base.name();
    return box->palette().color(QPalette::Text) == Qt::black ? state : state + QStringLiteral(" not-black");
}

class HumidityPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        test::showActive(panel_ = new HumidityPanel);
        panel_->tabChosen();
    }

    void cleanup() { delete panel_; }

    void controls()
    {
        QCOMPARE(panel_->objectName(), QStringLiteral("picHumidity"));
        test::checkControls(
            panel_, {{"picHumidity", kBoxNames + QStringList{"Check1", "Frame1", "Frame2", "Image1(1)", "Label1(0)",
                                                             "Label2", "Label3", "Label4", "Label7", "Label8(0)",
                                                             "cmdHumCalculate", "cmdHumClear(0)", "lblPressure"}},
                     {"Frame1", {"Option1", "Option2"}},
                     {"Frame2", {"Option3", "Option4", "Option5"}}});
    }

    // The tab driven as a user would: the texts after, where the focus ends, whether the relative humidity is then
    // the second input, what the windows that draw the tab are told (how many times, its scale and range and the
    // boxes of its last calculation that gave a result), the messages shown and the layout of the method chosen.
    void actions_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("focus"); // empty: not looked at
        QTest::addColumn<bool>("rhInputMode");
        QTest::addColumn<QString>("reading"); // "changes: scale|range|result or none"; empty: not looked at
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("layout"); // empty: not looked at
        const auto row = [](const char* name, const char* before, const QStringList& steps, const QString& after,
                            const char* focus, bool rhInputMode, const char* reading = "",
                            const QStringList& messages = {}) {
            QTest::newRow(name) << before << steps << after << focus << rhInputMode << reading << messages << QString();
        };
        // The option chosen, then what Tab reaches from the dry bulb: the method's other input, the buttons, then the
        // outputs to be read and copied ("in": white and open to typing, "out": yellow and locked).
        const auto layout = [](const char* name, const QStringList& steps, bool rhInputMode, const QString& walk) {
            QTest::newRow(name) << "1|2|3|4|5|6" << steps << "1|2|3|4|5|6"
                                << "" << rhInputMode << "" << QStringList() << walk;
        };
        const QString wetBulbLayout = QStringLiteral("Option3: WetBulbTemp(in) cmdHumCalculate cmdHumClear(0) "
                                                     "Humidity(out) VaporPressure(out) DewPoint(out) GrainsPerLB(out)");
        const QString humidityLayout =
            QStringLiteral("Option4: Humidity(in) cmdHumCalculate cmdHumClear(0) "
                           "WetBulbTemp(out) VaporPressure(out) DewPoint(out) GrainsPerLB(out)");
        const QString calculated = QStringLiteral("77|68|63.49|0.59|63.44|87.4859");
        const QString byHumidity = QStringLiteral("77|68.00|63.5|0.58952|63.45|87.50474");
        // clang-format off
        layout("as set up", {}, false, wetBulbLayout);
        layout("Dry Bulb / %RH", {"Option4"}, true, humidityLayout);
        layout("back to Dry Bulb / Wet Bulb", {"Option4", "Option3"}, false, wetBulbLayout);
        layout("Dry Bulb / Dew Point", {"Check1", "Option4", "Option5"}, false, "Option5: DewPoint(in) cmdHumCalculate "
            "cmdHumClear(0) WetBulbTemp(out) Humidity(out) VaporPressure(out) GrainsPerLB(out)");
        layout("extended range off again", {"Check1", "Option5", "Check1"}, false, wetBulbLayout);
        // The tab is set up the first time only: the chosen layout survives a later choice of the tab.
        layout("tab chosen again", {"Option4", "tabChosen"}, true, humidityLayout);
        // Typed characters are filtered; keys that are not characters keep their meaning.
        row("dry and wet bulb typed", "", {"DryAirTemp=-1a2.5 e+3,", "WetBulbTemp=x-0.25F"}, "-12.53|-0.25",
            "WetBulbTemp", false);
        row("dew point takes anything", "", {"Check1", "Option5", "DewPoint=15 C"}, "||||15 C", "DewPoint", false);
        row("backspace, home and delete", "", {"DryAirTemp=12", ":Backspace", "=3", ":Home", ":Delete"}, "3",
            "DryAirTemp", false);
        row("tab and back", "", {"DryAirTemp=1", ":Tab", "=2", ":Shift+Tab", "=3"}, "3|2", "DryAirTemp", false);
        row("tab passes the locked wet bulb, humidity drops the minus", "", {"Option4", "DryAirTemp=1", ":Tab",
            "=-63.5%"}, "1||63.5", "Humidity", true);
        row("dry bulb to wet bulb", "77", {"DryAirTemp:Return"}, "77", "WetBulbTemp", false);
        row("empty wet bulb moves on", "77||63.5", {"WetBulbTemp:Return"}, "77||63.5", "Humidity", false);
        row("wet bulb calculates", "77|68", {"WetBulbTemp:Return"}, calculated, "WetBulbTemp", false,
            "1: F|normal|77|68|63.49|0.59|63.44|87.4859");
        row("humidity calculates", "77||63.5", {"Option4", "Humidity:Return"}, byHumidity, "Humidity", true);
        row("dew point: Enter does nothing", "25||||15", {"Check1", "Option5", "DewPoint:Return"}, "25||||15",
            "DewPoint", false);
        // An empty wet bulb switches to the relative humidity as input, although the method stays Dry Bulb / Wet Bulb,
        // until a method is chosen.
        row("empty wet bulb calculated", "77||63.5", {"cmdHumCalculate"}, byHumidity, "", true);
        row("until a method is chosen", "77||63.5", {"cmdHumCalculate", "Option3"}, byHumidity, "", false);
        row("refused after a result", "40|31.99", {"Check1", "cmdHumCalculate", "Check1", "cmdHumCalculate"},
            "40|31.99|37.34143|0.092529067686384|16.06402|13.5061854288011", "", false, "4: F|normal|none",
            {"Entry ERROR [Ok Exclamation] Temperature out of range.  32F (0C) TO 212F (100C)"});
        row("extended, no vapour", "32|5|1|2|-395.6|4", {"Check1", "Option5", "cmdHumCalculate"},
            "32|5|.00000|2|-395.6|4", "", false, "", {"Mensurix [Ok Exclamation] Invalid entry!  Check your data and "
            "try again.", "Mensurix [Ok Exclamation] Invalid entry! Check your data and try again"});
        row("the range keeps the result", "77|68", {"cmdHumCalculate", "Check1"}, calculated, "", false,
            "2: F|extended|77|68|63.49|0.59|63.44|87.4859");
        // Clear leaves the method, the scale and the range as they were; a focused button is pressed by Enter as by
        // Space.
        row("clear by Enter", "1|2|3|4|5|6", {"Check1", "Option2", "Option4", "cmdHumClear(0):Enter"}, "", "DryAirTemp",
            true, "3: C|extended|none");
        // Every way of choosing a scale converts the temperatures once and ends in the dry bulb.
        row("Celsius twice converts once", "77|68", {"Option2", "Option2"}, "25.00|20.00", "DryAirTemp", false);
        row("Celsius by arrow key", "77|68", {"Option1:Down"}, "25.00|20.00", "DryAirTemp", false);
        row("Fahrenheit by arrow key", "77|68", {"Option2", "Option2:Up"}, "77.00|68.00", "DryAirTemp", false);
        row("kept when the tab is chosen again", "77|68", {"Option2", "tabChosen", "Option1"}, "77.00|68.00",
            "DryAirTemp", false);
        row("the scale converts the result", "77|68", {"cmdHumCalculate", "Option2"},
            "25.00|20.00|63.49|0.59|17.47|87.4859", "DryAirTemp", false,
            "2: C|normal|25.00|20.00|63.49|0.59|17.47|87.4859");
        // clang-format on
    }

    void actions()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, steps);
        QFETCH(QString, focus);
        QFETCH(QString, reading);
        QFETCH(QStringList, messages);
        QFETCH(QString, layout);
        setTexts(before);
        test::ScopedMessages shown;
        QSignalSpy changes(panel_, &HumidityPanel::readingChanged);
        test::act(panel_, steps);
        QTEST(texts(), "after");
        // What the program writes into a box is shown from its first character.
        for (qsizetype i = 0; i < kBoxNames.size(); ++i) {
            if (box(kBoxNames[i])->isReadOnly() && box(kBoxNames[i])->text() != before.section(u'|', i, i))
                QVERIFY2(box(kBoxNames[i])->cursorPosition() == 0, qPrintable(kBoxNames[i]));
        }
        if (!focus.isEmpty())
            QTRY_VERIFY(box(focus)->hasFocus());
        QCOMPARE(shown->described(), messages);
        // The captions, as a screen reader takes them for the boxes' labels, name the scale chosen.
        QStringList labels;
        for (const QString& name : kBoxNames)
            labels << test::spokenLabels(box(name));
        QCOMPARE(labels.join(u'|'), QStringLiteral("Dry Air Temp (%1)|Wet Bulb Temp (%1)|%Relative Humidity|Vapor "
                                                   "Pressure InHg|Dew Point Temp (%1)|Grains/Lb Dry Air")
                                        .arg(checked("Option2") ? QStringLiteral("C") : QStringLiteral("F")));
        // The dew-point method is offered in the extended range only.
        QCOMPARE(panel_->findChild<QWidget*>(QStringLiteral("Option5"))->isEnabled(), checked("Check1"));
        if (!layout.isEmpty()) {
            QStringList walk;
            for (const char* option : {"Option3", "Option4", "Option5"}) {
                if (checked(QLatin1String(option)))
                    walk << QLatin1String(option) + u':';
            }
            for (const QString& name : test::tabWalk(box("DryAirTemp"), 7)) {
                const auto* walked = panel_->findChild<QLineEdit*>(name);
                walk << (walked ? name + u'(' + boxState(walked) + u')' : name);
            }
            QCOMPARE(walk.join(u' '), layout);
        }
        if (!reading.isEmpty()) {
            const HumidityReading told = panel_->reading();
            const QStringList described{told.scale == TemperatureScale::Celsius ? "C" : "F",
                                        told.extendedRange ? "extended" : "normal",
                                        told.result ? test::textOf(*told.result) : QStringLiteral("none")};
            QCOMPARE(QString::number(changes.size()) + QStringLiteral(": ") + described.join(u'|'), reading);
        }
        QTEST(enterLeadsToHumidity(), "rhInputMode");
    }

    // At altitude the tab says so in free space of the panel, and calculates there; back at the standard atmosphere
    // the caption goes. The windows drawing at the pressure hear of each change.
    void pressureInUse()
    {
        auto* shown = panel_->findChild<QLabel*>(QStringLiteral("lblPressure"));
        BarometricPressure pressure = BarometricPressure::fromInHg(32.483).value();
        panel_->setPressureSource(&pressure);
        QCOMPARE(shown->text(), QStringLiteral("At 32.48 inHg (-2,290 ft)"));
        QVERIFY(shown->sizeHint().width() <= shown->width()); // the longest caption fits

        QSignalSpy changed(panel_, &HumidityPanel::pressureChanged);
        pressure = BarometricPressure::fromInHg(24.896).value();
        panel_->pressureSet();
        QVERIFY(shown->isVisible());
        QCOMPARE(shown->text(), QStringLiteral("At 24.90 inHg (5,000 ft)"));
        for (const QWidget* other : panel_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(other == shown || !other->geometry().intersects(shown->geometry()),
                     qPrintable(other->objectName()));
        setTexts(QStringLiteral("77|68"));
        test::act(panel_, {"WetBulbTemp:Return"});
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

private:
    QLineEdit* box(const QString& name) const { return panel_->findChild<QLineEdit*>(name); }
    bool checked(const QString& name) const { return panel_->findChild<QAbstractButton*>(name)->isChecked(); }

    // Where Enter in the dry bulb leads tells whether the relative humidity is the second input.
    bool enterLeadsToHumidity() const
    {
        test::act(panel_, {"DryAirTemp:Return"});
        return box("Humidity")->hasFocus();
    }

    // The six box texts as the rows write them.
    QString texts() const
    {
        QStringList all;
        for (const QString& name : kBoxNames)
            all << box(name)->text();
        return test::textOf(test::boxesOf(all.join(u'|')));
    }

    void setTexts(const QString& joined) const
    {
        for (int i = 0; i < kBoxNames.size(); ++i)
            box(kBoxNames[i])->setText(joined.section(u'|', i, i));
    }

    HumidityPanel* panel_ = nullptr;
};

MX_REGISTER_TEST(HumidityPanelTest)
#include "tst_humidity_panel.moc"
