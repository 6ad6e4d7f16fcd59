#include "keyboard_checks.h"
#include "scripted_messages.h"
#include "test_registry.h"
#include "vibration/vibration_panel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace mx;
using mx::test::ScopedMessages;

namespace {

const QStringList kSineBoxes = {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)"};
const QStringList kRandomBoxes = {"Text2(0)", "Text2(1)", "Text2(2)"};

} // namespace

class VibrationPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        panel_ = new VibrationPanel;
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

    // Each control by name: its kind, the frame it lies in (whole) and its caption.
    void controls()
    {
        QCOMPARE(panel_->objectName(), QStringLiteral("picVibration"));
        const QString sine = QStringLiteral("/Vibration Calculation");
        const QString random = QStringLiteral("/Vibration Level for Random Noise of Uniform Spectral Density");
        const QStringList controls = {
            "Frame1 QGroupBox picVibration Vibration Calculation",
            "Frame2 QGroupBox picVibration Vibration Level for Random Noise of Uniform Spectral Density",
            "Label1(0) QLabel Frame1 Enter 2 Known values only.", "Label8 QLabel Frame1 Frequency in Hz",
            "Label10 QLabel Frame1 Peak-Peak displacment in inches", "Label9 QLabel Frame1 Peak acceleration in g's",
            "Label11 QLabel Frame1 Peak velocity inches/second", "cmdVibCalc1 QPushButton Frame1 Calculate",
            "cmdVibClear1 QPushButton Frame1 Clear", "optEnglish QRadioButton Frame1 English",
            "optMetric QRadioButton Frame1 Metric", "Label1(1) QLabel Frame2 Enter 2 Known values only.",
            "Label12 QLabel Frame2 Bandwidth in Hz", "Label13 QLabel Frame2 Acceleration density (g^2/Hz)",
            "Label14 QLabel Frame2 Acceleration g RMS", "cmdVibCalc2 QPushButton Frame2 Calculate",
            "cmdVibClear2 QPushButton Frame2 Clear",
            // A box shows, as what a screen reader takes for its label, its caption and then its frame's.
            "Text1(0) QLineEdit Frame1 Frequency in Hz" + sine,
            "Text1(1) QLineEdit Frame1 Peak-Peak displacment in inches" + sine,
            "Text1(2) QLineEdit Frame1 Peak acceleration in g's" + sine,
            "Text1(3) QLineEdit Frame1 Peak velocity inches/second" + sine,
            "Text2(0) QLineEdit Frame2 Bandwidth in Hz" + random,
            "Text2(1) QLineEdit Frame2 Acceleration density (g^2/Hz)" + random,
            "Text2(2) QLineEdit Frame2 Acceleration g RMS" + random};
        for (const QString& expected : controls) {
            const QList<QWidget*> found = panel_->findChildren<QWidget*>(expected.section(u' ', 0, 0));
            QVERIFY2(found.size() == 1, qPrintable(expected));
            QWidget* control = found.first();
            const auto* group = qobject_cast<QGroupBox*>(control);
            const QString shown =
                QStringList{control->objectName(), QString::fromLatin1(control->metaObject()->className()),
                            control->parentWidget()->objectName(),
                            group                               ? group->title()
                            : qobject_cast<QLineEdit*>(control) ? test::spokenLabels(control).replace(u'|', u'/')
                                                                : control->property("text").toString()}
                    .join(u' ');
            QCOMPARE(shown, expected);
            QVERIFY2(control->parentWidget()->rect().contains(control->geometry()), qPrintable(expected));
        }
    }

    void captionsFit()
    {
        QCOMPARE(panel_->size(), QSize(400, 292)); // 6000 x 4380 twips
        click(QStringLiteral("optMetric"));        // the longest captions
        for (QLabel* label : panel_->findChildren<QLabel*>())
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->objectName()));
        for (QAbstractButton* button : panel_->findChildren<QAbstractButton*>())
            QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->objectName()));
        for (QGroupBox* frame : panel_->findChildren<QGroupBox*>()) {
            const int needed = frame->fontMetrics().horizontalAdvance(frame->title()) + 24; // caption inset and padding
            QVERIFY2(needed <= frame->width(), qPrintable(frame->objectName()));
        }
    }

    // Typed characters are filtered, the clipboard shortcuts too; other keys keep their meaning. A capitalised key
    // name presses that key, anything else is typed, each into the box that has the focus.
    void keys_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("shown"); // the seven boxes
        // clang-format off
        QTest::newRow("digits") << "Text1(0)" << QStringList{"0123456789"} << "0123456789||||||";
        QTest::newRow("minus and point anywhere") << "Text1(2)" << QStringList{"1-.-2.."} << "||1-.-2..||||";
        QTest::newRow("letters, blanks, plus, comma dropped") << "Text1(3)" << QStringList{"+1e5, 0x"} << "|||150|||";
        QTest::newRow("random box") << "Text2(1)" << QStringList{"g^2/Hz 0.04"} << "|||||20.04|";
        QTest::newRow("editing keys") << "Text1(0)" << QStringList{"123", "Left", "Backspace", "Home", "Delete",
                                                                   "Return"} << "3||||||";
        QTest::newRow("tab and back") << "Text1(0)" << QStringList{"1", "Tab", "2", "Tab", "Tab", "4", "Shift+Tab", "3"}
                                      << "1|2|3|4|||";
        // clang-format on
    }

    void keys()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, keys);
        box(name)->setFocus();
        for (const QString& key : keys) {
            const QKeyCombination named = QKeySequence::fromString(key)[0];
            if (key.front().isUpper())
                QTest::keyClick(QApplication::focusWidget(), named.key(), named.keyboardModifiers());
            else
                QTest::keyClicks(QApplication::focusWidget(), key);
        }
        QTEST(texts(kSineBoxes + kRandomBoxes).join(u'|'), "shown");
    }

    // The clipboard keys do nothing in what the user typed; what a calculation or a unit switch wrote is a result,
    // which Ctrl+C copies (the part selected, or all of it).
    void clipboardKeys_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("copied");
        const QString entered = QStringLiteral("sine:10|0.1||");
        const QString calculate = QStringLiteral("cmdVibCalc1");
        // clang-format off
        QTest::newRow("typed") << QStringList{entered} << "Text1(1)" << "before";
        QTest::newRow("calculated") << QStringList{entered, calculate} << "Text1(3)" << "3.1416";
        QTest::newRow("calculated, then edited") << QStringList{entered, calculate, "type 7"} << "Text1(3)" << "before";
        QTest::newRow("converted by the unit switch") << QStringList{entered, "optMetric"} << "Text1(1)" << ".254";
        // clang-format on
    }

    void clipboardKeys()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, name);
        QLineEdit* target = box(name);
        for (const QString& step : steps) {
            if (step == u"type 7")
                QTest::keyClicks(target, QStringLiteral("7"));
            else
                run(step);
        }
        const QString before = target->text();
        QApplication::clipboard()->setText(QStringLiteral("before"));
        target->setFocus();
        test::pressKeys(QStringLiteral("Ctrl+C"));
        QTEST(QApplication::clipboard()->text(), "copied");
        target->selectAll();
        test::pressKeys(QStringLiteral("Ctrl+X"));
        QApplication::clipboard()->setText(QStringLiteral("9"));
        test::pressKeys(QStringLiteral("Ctrl+V"));
        QCOMPARE(target->text(), before); // never cut, never pasted into
    }

    // A long result shows its first digits.
    void resultsReadFromTheStart()
    {
        run(QStringLiteral("sine:0.001||1|"));
        run(QStringLiteral("cmdVibCalc1"));
        QCOMPARE(box(QStringLiteral("Text1(1)"))->text(), QStringLiteral("19569469.765266"));
        QCOMPARE(box(QStringLiteral("Text1(1)"))->cursorPosition(), 0);
        QCOMPARE(box(QStringLiteral("Text1(3)"))->cursorPosition(), 0);
    }

    void steps_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("shown");    // the seven boxes
        QTest::addColumn<QString>("captions"); // Label10 and Label11
        QTest::addColumn<QStringList>("messages");
        const QString designed = QStringLiteral("Peak-Peak displacment in inches|Peak velocity inches/second");
        const QString inches = QStringLiteral("Peak-Peak displacment in inches|Peak velocity in inches/second");
        const QString metric = QStringLiteral("Peak-Peak displacment in centimeters|Peak velocity in meters/second");
        const QString entered = QStringLiteral("sine:10|0.1||");
        const QString calculate = QStringLiteral("cmdVibCalc1");
        const QString tooMany = QStringLiteral("Mensurix [Ok None] Only 2 entry boxes may contain your data");
        const QStringList none;
        // clang-format off
        QTest::newRow("English as designed") << QStringList{entered, calculate} << "10|0.1|.5110|3.1416|||" << designed
            << none;
        // Choosing the unit in force sets its captions and converts nothing.
        QTest::newRow("English clicked again") << QStringList{"sine:10|0.1|1|2", "optEnglish"} << "10|0.1|1|2|||"
            << inches << none;
        QTest::newRow("metric by arrow key") << QStringList{entered, calculate, "optEnglish:Down"}
            << "10|.254|.5110|.0798|||" << metric << none;
        QTest::newRow("metric twice converts once") << QStringList{entered, calculate, "optMetric", "optMetric"}
            << "10|.254|.5110|.0798|||" << metric << none;
        QTest::newRow("English kept on return") << QStringList{"sine:1|2|3|4", "tabChosen"} << "1|2|3|4|||" << designed
            << none;
        QTest::newRow("metric kept on return") << QStringList{"optMetric", "tabChosen", "sine:10|0.254||", calculate}
            << "10|0.254|.5110|.0798|||" << metric << none;
        QTest::newRow("three random entries") << QStringList{"random:100|0.04|2", "cmdVibCalc2"} << "||||100|0.04|2"
            << designed << QStringList{tooMany};
        QTest::newRow("clear sine") << QStringList{"sine:1|2|3|4", "random:5|6|7", "cmdVibClear1"} << "||||5|6|7"
            << designed << none;
        QTest::newRow("clear random") << QStringList{"sine:1|2|3|4", "random:5|6|7", "cmdVibClear2"} << "1|2|3|4|||"
            << designed << none;
        // clang-format on
    }

    void steps()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, messages);
        ScopedMessages shown;
        for (qsizetype i = 0; i < messages.size(); ++i)
            shown->answerNext(MsgAnswer::Ok);
        for (const QString& step : steps)
            run(step);
        QTEST(texts(kSineBoxes + kRandomBoxes).join(u'|'), "shown");
        const QString captions = caption(QStringLiteral("Label10")) + u'|' + caption(QStringLiteral("Label11"));
        QTEST(captions, "captions");
        // A screen reader names each box by its caption.
        QCOMPARE(box(QStringLiteral("Text1(1)"))->accessibleName() + u'|' +
                     box(QStringLiteral("Text1(3)"))->accessibleName(),
                 captions);
        QCOMPARE(shown->described(), messages);
    }

private:
    // One step: "sine:" or "random:" and the entries typed, "tabChosen", a control's name to click it, or a name and
    // a key to press in it.
    void run(const QString& step) const
    {
        if (step.startsWith(u"sine:")) {
            type(kSineBoxes, step.mid(5).split(u'|'));
        } else if (step.startsWith(u"random:")) {
            type(kRandomBoxes, step.mid(7).split(u'|'));
        } else if (step == u"tabChosen") {
            panel_->tabChosen();
        } else if (step.contains(u':')) {
            QWidget* control = panel_->findChild<QWidget*>(step.section(u':', 0, 0));
            control->setFocus();
            QTest::keyClick(control, QKeySequence::fromString(step.section(u':', 1))[0].key());
        } else {
            click(step);
        }
    }

    QLineEdit* box(const QString& name) const { return panel_->findChild<QLineEdit*>(name); }
    QString caption(const QString& name) const { return panel_->findChild<QLabel*>(name)->text(); }
    void click(const QString& name) const { QTest::mouseClick(panel_->findChild<QWidget*>(name), Qt::LeftButton); }
    void type(const QStringList& names, const QStringList& texts) const
    {
        for (qsizetype i = 0; i < names.size(); ++i) {
            box(names[i])->clear();
            QTest::keyClicks(box(names[i]), texts.value(i));
        }
    }

    QStringList texts(const QStringList& names) const
    {
        QStringList result;
        for (const QString& name : names)
            result.append(box(name)->text());
        return result;
    }

    VibrationPanel* panel_ = nullptr;
};

MX_REGISTER_TEST(VibrationPanelTest)

#include "tst_vibration_panel.moc"
