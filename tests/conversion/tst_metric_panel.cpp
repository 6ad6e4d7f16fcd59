#include "conversion/metric_conversions.h"
#include "conversion/metric_panel.h"
#include "keyboard_checks.h"
#include "list_choice.h"
#include "scripted_messages.h"
#include "table_fixture.h"
#include "test_registry.h"
#include "window_helpers.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::ScopedMessages;

class MetricPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        tables_.emplace();
        QVERIFY(tables_->write(u"Length.tbl"_s, test::kLengthTable));
        QVERIFY(tables_->write(u"Force.tbl"_s, "Broken vs Pair\r\nPounds\r\nNewtons\r\n0\r\n\r\n"));
        conversions_ = std::make_unique<MetricConversions>(tables_->path());
        panel_ = std::make_unique<MetricPanel>(*conversions_);
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
        valueBox()->setFocus();
    }

    void cleanup() { panel_.reset(); }

    void choosingATypeListsItsPairs()
    {
        auto* types = child<QComboBox>(u"Combo2"_s);
        auto* pairs = child<QComboBox>(u"Combo1"_s);
        const auto shown = [&] {
            return u"%1: %2 / %3 %4 %5 %6"_s.arg(test::comboItems(pairs, u", "_s), pairs->currentText(),
                                                 label("lblScale", 0)->text(), label("lblScale", 3)->text(),
                                                 label("lblScale", 1)->text(), label("lblScale", 2)->text());
        };
        QCOMPARE(test::comboItems(types, u" "_s), u"Temperature Custom Length Area Volume Mass Angles Force Torque "
                                                  "Pressure Velocity Acceleration Power Energy Electrical"_s);
        QCOMPARE(shown(), u"Fahrenheit vs Celsius, Fahrenheit vs Rankin, Celsius vs Kelvin: Fahrenheit vs Celsius / "
                          "Degrees F Degrees F Degrees C Degrees C"_s);

        // Each list and the value box are labelled by their captions alone, not by the frame around them; each
        // answer says the unit it is in.
        QStringList labels;
        for (const char* name : {"Combo2", "Combo1", "metricText1"})
            labels << test::spokenLabels(child<QWidget>(name));
        QCOMPARE(labels, QStringList({"Conversion Type", "Conversion Selection", "Value to convert"}));
        QCOMPARE(label("lblAnswer", 0)->accessibleDescription(), QStringLiteral("Answer, first row, in Degrees F"));
        QVERIFY(child<QWidget>("Frame3")->isAncestorOf(types));

        QSignalSpy allowed(panel_.get(), &MetricPanel::tableEditorAllowed);
        valueBox()->setText(u"12"_s);
        QVERIFY(test::chooseFromList(types, u"Length"_s));
        QCOMPARE(shown(), u"Inches vs Millimeters, Feet vs Meters: Inches vs Millimeters / "
                          "Inches Inches Millimeters Millimeters"_s);
        QVERIFY(valueBox()->text().isEmpty());
        QCOMPARE(allowed.last().at(0).toBool(), true);
        QCOMPARE(label("lblAnswer", 1)->accessibleDescription(), QStringLiteral("Answer, second row, in Millimeters"));
        QVERIFY(test::chooseFromList(pairs, u"Feet vs Meters"_s));
        QCOMPARE(shown(), u"Inches vs Millimeters, Feet vs Meters: Feet vs Meters / Feet Feet Meters Meters"_s);
        QVERIFY(test::chooseFromList(types, u"Temperature"_s));
        QCOMPARE(pairs->count(), 3);
        QCOMPARE(allowed.last().at(0).toBool(), false);
    }

    // Keys in the value box, from the type chosen: only digits, "-" and "." are typed (also what an input method
    // commits), keys that type nothing keep their meaning, Enter converts (never typed), any change empties the
    // answers.
    void keys_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>(
            "steps"); // "type TEXT", "commit TEXT" (an input method's), Convert (a click), or keys
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("answers");
        const auto row = [](const char* name, const char* type, const QStringList& steps, const char* shown,
                            const char* answers) {
            QTest::newRow(name) << QString::fromLatin1(type) << steps << QString::fromLatin1(shown)
                                << QString::fromLatin1(answers);
        };
        row("digits", "Temperature", {"type 0123456789"}, "0123456789", "|");
        row("letters, blanks and commas dropped", "Temperature", {"type 1a2, 3 x"}, "123", "|");
        row("signs and points pass", "Temperature", {"type --1..5"}, "--1..5", "|");
        row("plus and exponent dropped", "Temperature", {"type +1e5"}, "15", "|");
        row("input method text filtered too", "Temperature", {"commit 1,5x-2"}, "15-2", "|");
        row("editing keys", "Temperature", {"type 1234", "Home", "Delete", "End", "Backspace"}, "23", "|");
        row("Tab to Convert and back", "Temperature", {"type 1", "Tab", "Shift+Backtab", "type 2"}, "2", "|");
        row("select all is a shortcut", "Temperature", {"type 12", "Ctrl+A", "type 3"}, "3", "|");
        row("Enter converts", "Temperature", {"type 100", "Return"}, "100", "212.00|37.78");
        row("keypad Enter converts", "Length", {"type 1", "Enter"}, "1", "0.0394|25.4");
        row("typing empties the answers", "Temperature", {"type 0", "Return", "type 1"}, "01", "|");
        row("converted again", "Temperature", {"type 0", "Return", "type 1", "Return"}, "01", "33.80|-17.22");
        row("Backspace empties them", "Temperature", {"type 0", "Return", "type 1", "Return", "Backspace"}, "0", "|");
        row("no pairs: nothing happens", "Custom", {"type 5", "Return", "Convert"}, "5", "|");
    }

    void keys()
    {
        QFETCH(QString, type);
        QFETCH(QStringList, steps);
        ScopedMessages messages;
        messages->answerNext(MsgAnswer::No); // to the question about a missing table
        QVERIFY(test::chooseFromList(child<QComboBox>(u"Combo2"_s), type));
        valueBox()->setFocus();
        for (const QString& step : steps) {
            const QString text = step.section(u' ', 1);
            if (step.startsWith(u"type ")) {
                QTest::keyClicks(QApplication::focusWidget(), text);
            } else if (step.startsWith(u"commit ")) {
                QInputMethodEvent commit;
                commit.setCommitString(text);
                QApplication::sendEvent(valueBox(), &commit);
            } else if (step == u"Convert") {
                QTest::mouseClick(child<QWidget>(u"Convert"_s), Qt::LeftButton);
            } else {
                test::pressKeys(step);
            }
        }
        QTEST(valueBox()->text(), "shown");
        QTEST(answers(), "answers");
        QCOMPARE(messages->shown.size(), type == u"Custom" ? 1 : 0);
    }

    // What the tab reports, and what it does then: the answers keep what they showed.
    void failures_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("value"); // converted with a click on Convert; none where the table is missing
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("editorAsked");
        const QString missing =
            u"Mensurix [YesNo Question] The file 'Custom.tbl' is missing.  Would you like to create a new table now?"_s;
        QTest::newRow("missing table, Yes opens the editor")
            << u"Custom"_s << QString() << MsgAnswer::Yes << missing << 1;
        QTest::newRow("missing table, No") << u"Custom"_s << QString() << MsgAnswer::No << missing << 0;
        QTest::newRow("factor zero")
            << u"Force"_s << u"1"_s << MsgAnswer::Ok
            << u"Mensurix [Ok None] The data table is out of sync.  This can happen after editing "
               "the data table.  Make certain that there are no extra lines in the data table or "
               "at the end of the data table."_s
            << 0;
    }

    void failures()
    {
        QFETCH(QString, type);
        QFETCH(QString, value);
        QFETCH(MsgAnswer, answer);
        ScopedMessages messages;
        QSignalSpy editorAsked(panel_.get(), &MetricPanel::newTableRequested);
        messages->answerNext(answer);
        QVERIFY(test::chooseFromList(child<QComboBox>(u"Combo2"_s), type));
        if (!value.isNull()) {
            valueBox()->setText(value);
            label("lblAnswer", 0)->setText(u"before"_s);
            label("lblAnswer", 1)->setText(u"before"_s);
            QTest::mouseClick(child<QWidget>(u"Convert"_s), Qt::LeftButton);
            QCOMPARE(answers(), u"before|before"_s);
        } else {
            QCOMPARE(child<QComboBox>(u"Combo1"_s)->count(), 0);
        }
        QTEST(messages->described().join(u'\n'), "message");
        QTEST(int(editorAsked.size()), "editorAsked");
    }

    // What is painted: the answers on yellow, the value box on white.
    void answersAreYellow()
    {
        for (QWidget* widget : {static_cast<QWidget*>(label("lblAnswer", 0)),
                                static_cast<QWidget*>(label("lblAnswer", 1)), static_cast<QWidget*>(valueBox())}) {
            const QImage image = widget->grab().toImage();
            QCOMPARE(QColor(image.pixel(image.width() / 2, image.height() / 2)),
                     widget == valueBox() ? QColor(Qt::white) : QColor(255, 255, 0));
        }
    }

    // Convert pressed by Return, then Tab to each answer and Ctrl+C; the context menu copies an answer with its unit.
    void keyboardOnly()
    {
        panel_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel_.get()));
        QVERIFY(test::chooseFromList(child<QComboBox>(u"Combo2"_s), u"Length"_s));
        QTest::keyClicks(valueBox(), QStringLiteral("12.5"));
        QCOMPARE(test::tabWalk(valueBox(), 3), QStringList({"Convert", "lblAnswer(0)", "lblAnswer(1)"}));
        child<QWidget>("Convert")->setFocus();
        test::pressKeys(QStringLiteral("Return"));
        QCOMPARE(answers(), u"0.4921|317.5"_s);
        for (int row = 0; row < 2; ++row) {
            test::pressKeys(QStringLiteral("Tab Ctrl+C"));
            QCOMPARE(QApplication::focusWidget(), label("lblAnswer", row));
            QCOMPARE(QApplication::clipboard()->text(), label("lblAnswer", row)->text());
        }
        QLabel* answer = label("lblAnswer", 1);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), answer->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(answer, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->actions().constLast()->trigger(); // Copy with Unit
        menu->close();
        QCOMPARE(QApplication::clipboard()->text(), u"317.5 Millimeters"_s);
    }

private:
    template <typename T> T* child(const QString& name) const { return panel_->findChild<T*>(name); }
    QLineEdit* valueBox() const { return child<QLineEdit>(u"metricText1"_s); }
    QLabel* label(const char* name, int i) const { return child<QLabel>(u"%1(%2)"_s.arg(QLatin1String(name)).arg(i)); }
    QString answers() const { return label("lblAnswer", 0)->text() + u'|' + label("lblAnswer", 1)->text(); }

    std::optional<test::TableFolder> tables_;
    std::unique_ptr<MetricConversions> conversions_;
    std::unique_ptr<MetricPanel> panel_;
};

MX_REGISTER_TEST(MetricPanelTest)
#include "tst_metric_panel.moc"
