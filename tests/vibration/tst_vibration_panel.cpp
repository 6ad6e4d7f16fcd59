#include "scripted_messages.h"
#include "test_registry.h"
#include "vibration/vibration.h"
#include "vibration/vibration_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
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
    void init();
    void cleanup();
    void controls_data();
    void controls();
    void captionsFit();
    void keyFilter_data();
    void keyFilter();
    void clipboardShortcutsDiscarded_data();
    void clipboardShortcutsDiscarded();
    void otherKeysKeepTheirMeaning();
    void calculate_data();
    void calculate();
    void tooManyEntries();
    void calculationErrors();
    void unitSwitch();
    void arrowKeysSwitchUnitsToo();
    void returningKeepsTheUnitChoice();
    void tabChosenSetsOnlyTheFlag();
    void clearButtons();
    void mouseMoveEndsHints();

private:
    QLineEdit* box(const QString& name) const { return panel_->findChild<QLineEdit*>(name); }
    QString caption(const QString& name) const { return panel_->findChild<QLabel*>(name)->text(); }
    void click(const QString& name) const;
    void type(const QStringList& names, const QStringList& texts) const;
    QStringList texts(const QStringList& names) const;

    VibrationPanel* panel_ = nullptr;
};

void VibrationPanelTest::init()
{
    EnglishUnits = false; // as at program start
    panel_ = new VibrationPanel;
    panel_->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel_));
    panel_->tabChosen();
}

void VibrationPanelTest::cleanup()
{
    delete panel_;
    panel_ = nullptr;
}

void VibrationPanelTest::click(const QString& name) const
{
    auto* button = panel_->findChild<QAbstractButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

void VibrationPanelTest::type(const QStringList& names, const QStringList& texts) const
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        box(names[i])->clear();
        QTest::keyClicks(box(names[i]), texts.value(i));
    }
}

QStringList VibrationPanelTest::texts(const QStringList& names) const
{
    QStringList result;
    for (const QString& name : names)
        result.append(box(name)->text());
    return result;
}

void VibrationPanelTest::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("text");
    const QString sine = QStringLiteral("Frame1");
    const QString random = QStringLiteral("Frame2");

    QTest::newRow("Frame1") << "Frame1"
                            << "QGroupBox"
                            << "picVibration"
                            << "Vibration Calculation";
    QTest::newRow("Frame2") << "Frame2"
                            << "QGroupBox"
                            << "picVibration"
                            << "Vibration Level for Random Noise of Uniform Spectral Density";
    QTest::newRow("Label1(0)") << "Label1(0)"
                               << "QLabel" << sine << "Enter 2 Known values only.";
    QTest::newRow("Label8") << "Label8"
                            << "QLabel" << sine << "Frequency in Hz";
    QTest::newRow("Label10") << "Label10"
                             << "QLabel" << sine << "Peak-Peak displacment in inches";
    QTest::newRow("Label9") << "Label9"
                            << "QLabel" << sine << "Peak acceleration in g's";
    QTest::newRow("Label11") << "Label11"
                             << "QLabel" << sine << "Peak velocity inches/second";
    QTest::newRow("Text1(0)") << "Text1(0)"
                              << "QLineEdit" << sine << "";
    QTest::newRow("Text1(1)") << "Text1(1)"
                              << "QLineEdit" << sine << "";
    QTest::newRow("Text1(2)") << "Text1(2)"
                              << "QLineEdit" << sine << "";
    QTest::newRow("Text1(3)") << "Text1(3)"
                              << "QLineEdit" << sine << "";
    QTest::newRow("cmdVibCalc1") << "cmdVibCalc1"
                                 << "QPushButton" << sine << "Calculate";
    QTest::newRow("cmdVibClear1") << "cmdVibClear1"
                                  << "QPushButton" << sine << "Clear";
    QTest::newRow("optEnglish") << "optEnglish"
                                << "QRadioButton" << sine << "English";
    QTest::newRow("optMetric") << "optMetric"
                               << "QRadioButton" << sine << "Metric";
    QTest::newRow("Label1(1)") << "Label1(1)"
                               << "QLabel" << random << "Enter 2 Known values only.";
    QTest::newRow("Label12") << "Label12"
                             << "QLabel" << random << "Bandwidth in Hz";
    QTest::newRow("Label13") << "Label13"
                             << "QLabel" << random << "Acceleration density (g^2/Hz)";
    QTest::newRow("Label14") << "Label14"
                             << "QLabel" << random << "Acceleration g RMS";
    QTest::newRow("Text2(0)") << "Text2(0)"
                              << "QLineEdit" << random << "";
    QTest::newRow("Text2(1)") << "Text2(1)"
                              << "QLineEdit" << random << "";
    QTest::newRow("Text2(2)") << "Text2(2)"
                              << "QLineEdit" << random << "";
    QTest::newRow("cmdVibCalc2") << "cmdVibCalc2"
                                 << "QPushButton" << random << "Calculate";
    QTest::newRow("cmdVibClear2") << "cmdVibClear2"
                                  << "QPushButton" << random << "Clear";
}

void VibrationPanelTest::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, frame);
    QCOMPARE(panel_->objectName(), QStringLiteral("picVibration"));
    const QList<QWidget*> found = panel_->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    QWidget* control = found.first();
    QVERIFY(control->inherits(qPrintable(kind)));
    QCOMPARE(control->parentWidget()->objectName(), frame);
    QVERIFY(control->parentWidget()->rect().contains(control->geometry()));
    QVERIFY(control->isVisibleTo(panel_));
    QVERIFY(!control->accessibleName().isEmpty() || !control->accessibleDescription().isEmpty());
    QString text;
    if (auto* label = qobject_cast<QLabel*>(control))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        text = button->text();
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        text = group->title();
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        text = edit->text();
    QTEST(text, "text");
}

void VibrationPanelTest::captionsFit()
{
    QCOMPARE(panel_->size(), QSize(400, 292)); // 6000 x 4380 twips
    click(QStringLiteral("optMetric"));        // the longest captions
    for (QLabel* label : panel_->findChildren<QLabel*>())
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->objectName()));
    for (QAbstractButton* button : panel_->findChildren<QAbstractButton*>())
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->objectName()));
    for (QGroupBox* frame : panel_->findChildren<QGroupBox*>()) {
        const int needed = frame->fontMetrics().horizontalAdvance(frame->title()) + 24; // caption inset and padding
        QVERIFY2(needed <= frame->width(), qPrintable(frame->objectName() + QString::number(needed)));
    }
}

void VibrationPanelTest::keyFilter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << "Text1(0)"
                            << "0123456789"
                            << "0123456789";
    QTest::newRow("letters and blanks dropped") << "Text1(1)"
                                                << "1a2 b3"
                                                << "123";
    QTest::newRow("minus and point anywhere") << "Text1(2)"
                                              << "1-.-2.."
                                              << "1-.-2..";
    QTest::newRow("plus, exponent and comma dropped") << "Text1(3)"
                                                      << "+1e5,0"
                                                      << "150";
    QTest::newRow("random box") << "Text2(0)"
                                << "g^2/Hz 40"
                                << "240";
    QTest::newRow("density box") << "Text2(1)"
                                 << "0.04x"
                                 << "0.04";
    QTest::newRow("overall box") << "Text2(2)"
                                 << "-2 RMS"
                                 << "-2";
}

void VibrationPanelTest::keyFilter()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    box(name)->setFocus();
    QTest::keyClicks(box(name), typed);
    QTEST(box(name)->text(), "shown");
}

void VibrationPanelTest::clipboardShortcutsDiscarded_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("clipboard");
    QTest::newRow("Ctrl+C copies nothing") << int(Qt::Key_C) << "12.5"
                                           << "before";
    QTest::newRow("Ctrl+X cuts nothing") << int(Qt::Key_X) << "12.5"
                                         << "before";
    QTest::newRow("Ctrl+V pastes nothing") << int(Qt::Key_V) << "12.5"
                                           << "before";
    QTest::newRow("Ctrl+A is no character either") << int(Qt::Key_A) << "12.5"
                                                   << "before";
}

void VibrationPanelTest::clipboardShortcutsDiscarded()
{
    QFETCH(int, key);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    for (const QString& name : kSineBoxes + kRandomBoxes) {
        QLineEdit* edit = box(name);
        edit->setText(QStringLiteral("12.5"));
        edit->setSelection(0, 2);
        QTest::keyClick(edit, Qt::Key(key), Qt::ControlModifier);
        QTEST(edit->text(), "shown");
        QTEST(QApplication::clipboard()->text(), "clipboard");
    }
}

void VibrationPanelTest::otherKeysKeepTheirMeaning()
{
    panel_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(panel_));
    QLineEdit* frequency = box(QStringLiteral("Text1(0)"));
    frequency->setFocus();
    QTest::keyClicks(frequency, QStringLiteral("123"));
    QTest::keyClick(frequency, Qt::Key_Left);
    QTest::keyClick(frequency, Qt::Key_Backspace);
    QCOMPARE(frequency->text(), QStringLiteral("13"));
    QTest::keyClick(frequency, Qt::Key_Home);
    QTest::keyClick(frequency, Qt::Key_Delete);
    QCOMPARE(frequency->text(), QStringLiteral("3"));
    QTest::keyClick(frequency, Qt::Key_Return);
    QCOMPARE(frequency->text(), QStringLiteral("3"));

    QTest::keyClick(frequency, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("Text1(1)")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("Text1(3)")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("Text1(2)")));
    QCOMPARE(texts(kSineBoxes), (QStringList{"3", "", "", ""}));
}

void VibrationPanelTest::calculate_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("English frequency and displacement")
        << "optEnglish" << QStringList{"10", "0.1", "", ""} << QStringList{"10", "0.1", ".5110", "3.1416"};
    QTest::newRow("metric frequency and displacement")
        << "optMetric" << QStringList{"10", "0.254", "", ""} << QStringList{"10", "0.254", ".5110", ".0798"};
    QTest::newRow("zero acceleration is overwritten")
        << "optEnglish" << QStringList{"10", "0.1", "0", ""} << QStringList{"10", "0.1", ".5110", "3.1416"};
    QTest::newRow("negative frequency") << "optEnglish" << QStringList{"-10", "0.1", "", ""}
                                        << QStringList{"-10", "0.1", ".5110", "-3.1416"};
    QTest::newRow("metric displacement and velocity") << "optMetric" << QStringList{"", "0.254", "", "0.0797965"}
                                                      << QStringList{"10.0000", "0.254", ".5089", "0.0797965"};
    QTest::newRow("one filled does nothing")
        << "optEnglish" << QStringList{"10", "", "", ""} << QStringList{"10", "", "", ""};
}

void VibrationPanelTest::calculate()
{
    QFETCH(QString, units);
    QFETCH(QStringList, typed);
    ScopedMessages messages;
    click(units);
    type(kSineBoxes, typed);
    click(QStringLiteral("cmdVibCalc1"));
    QTEST(texts(kSineBoxes), "shown");
    QCOMPARE(messages->shown.size(), 0);
}

void VibrationPanelTest::tooManyEntries()
{
    ScopedMessages messages;
    messages->answerNext(MsgAnswer::Ok);
    messages->answerNext(MsgAnswer::Ok);
    type(kSineBoxes, {"10", "0.1", "1", ""});
    click(QStringLiteral("cmdVibCalc1"));
    type(kRandomBoxes, {"100", "0.04", "2"});
    click(QStringLiteral("cmdVibCalc2"));
    QCOMPARE(messages->shown.size(), 2);
    for (const auto& shown : messages->shown) {
        QCOMPARE(shown.text, QStringLiteral("Only 2 entry boxes may contain your data"));
        QCOMPARE(shown.title, QStringLiteral("Mensurix"));
        QCOMPARE(shown.buttons, MsgButtons::Ok);
        QCOMPARE(shown.icon, MsgIcon::None);
    }
    QCOMPARE(texts(kSineBoxes), (QStringList{"10", "0.1", "1", ""}));
    QCOMPARE(texts(kRandomBoxes), (QStringList{"100", "0.04", "2"}));
}

void VibrationPanelTest::calculationErrors()
{
    ScopedMessages messages;
    messages->answerNext(MsgAnswer::Ok);
    messages->answerNext(MsgAnswer::Ok);
    type(kSineBoxes, {"", "0.1", "-1", ""});
    click(QStringLiteral("cmdVibCalc1"));
    QCOMPARE(messages->shown.size(), 2);
    QCOMPARE(messages->shown[0].text, QStringLiteral("Calculation Error"));
    QCOMPARE(messages->shown[1].text, QStringLiteral("Calculation Error"));
    QCOMPARE(messages->shown[1].buttons, MsgButtons::Ok);
    QCOMPARE(texts(kSineBoxes), (QStringList{".0000", "0.1", "-1", ".0000"}));

    messages->answerNext(MsgAnswer::Ok);
    type(kRandomBoxes, {"", "1000", "0.001"});
    click(QStringLiteral("cmdVibCalc2"));
    QCOMPARE(messages->shown.size(), 3);
    QCOMPARE(messages->shown[2].text, QStringLiteral("Calculation Error"));
    QCOMPARE(texts(kRandomBoxes), (QStringList{".000", "1000", "0.001"}));

    type(kRandomBoxes, {"", "0.04", "2"});
    click(QStringLiteral("cmdVibCalc2"));
    QCOMPARE(texts(kRandomBoxes), (QStringList{"100.000", "0.04", "2"}));
    QCOMPARE(messages->shown.size(), 3);
}

void VibrationPanelTest::unitSwitch()
{
    type(kSineBoxes, {"10", "0.1", "", ""});
    click(QStringLiteral("cmdVibCalc1"));
    click(QStringLiteral("optMetric"));
    QCOMPARE(texts(kSineBoxes), (QStringList{"10", ".254", ".5110", ".0798"}));
    QCOMPARE(caption(QStringLiteral("Label10")), QStringLiteral("Peak-Peak displacment in centimeters"));
    QCOMPARE(caption(QStringLiteral("Label11")), QStringLiteral("Peak velocity in meters/second"));
    QCOMPARE(box(QStringLiteral("Text1(3)"))->accessibleName(), QStringLiteral("Peak velocity in meters/second"));
    QVERIFY(!EnglishUnits);

    click(QStringLiteral("optMetric")); // chosen again: nothing converts twice
    QCOMPARE(texts(kSineBoxes), (QStringList{"10", ".254", ".5110", ".0798"}));

    click(QStringLiteral("optEnglish"));
    QCOMPARE(texts(kSineBoxes), (QStringList{"10", ".1", ".5110", "3.1417"}));
    QCOMPARE(caption(QStringLiteral("Label10")), QStringLiteral("Peak-Peak displacment in inches"));
    QCOMPARE(caption(QStringLiteral("Label11")), QStringLiteral("Peak velocity in inches/second"));
    QVERIFY(EnglishUnits);
}

void VibrationPanelTest::arrowKeysSwitchUnitsToo()
{
    type(kSineBoxes, {"", "1", "", "1"});
    auto* english = panel_->findChild<QRadioButton*>(QStringLiteral("optEnglish"));
    english->setFocus();
    QTest::keyClick(english, Qt::Key_Down);
    QVERIFY(panel_->findChild<QRadioButton*>(QStringLiteral("optMetric"))->isChecked());
    QCOMPARE(texts(kSineBoxes), (QStringList{"", "2.54", "", ".0254"}));
    QVERIFY(!EnglishUnits);
}

void VibrationPanelTest::returningKeepsTheUnitChoice()
{
    click(QStringLiteral("optMetric"));
    panel_->hide();
    panel_->show();
    panel_->tabChosen();
    QVERIFY(!EnglishUnits);
    QVERIFY(panel_->findChild<QRadioButton*>(QStringLiteral("optMetric"))->isChecked());
    QCOMPARE(caption(QStringLiteral("Label10")), QStringLiteral("Peak-Peak displacment in centimeters"));
    type(kSineBoxes, {"10", "0.254", "", ""});
    click(QStringLiteral("cmdVibCalc1"));
    QCOMPARE(texts(kSineBoxes), (QStringList{"10", "0.254", ".5110", ".0798"}));
}

void VibrationPanelTest::tabChosenSetsOnlyTheFlag()
{
    type(kSineBoxes, {"1", "2", "3", "4"});
    EnglishUnits = false;
    panel_->tabChosen();
    QVERIFY(EnglishUnits);
    QCOMPARE(texts(kSineBoxes), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(caption(QStringLiteral("Label11")), QStringLiteral("Peak velocity inches/second"));
    QVERIFY(panel_->findChild<QRadioButton*>(QStringLiteral("optEnglish"))->isChecked());
}

void VibrationPanelTest::clearButtons()
{
    type(kSineBoxes, {"1", "2", "3", "4"});
    type(kRandomBoxes, {"5", "6", "7"});
    click(QStringLiteral("cmdVibClear1"));
    QCOMPARE(texts(kSineBoxes), (QStringList{"", "", "", ""}));
    QCOMPARE(texts(kRandomBoxes), (QStringList{"5", "6", "7"}));
    type(kSineBoxes, {"1", "2", "3", "4"});
    click(QStringLiteral("cmdVibClear2"));
    QCOMPARE(texts(kRandomBoxes), (QStringList{"", "", ""}));
    QCOMPARE(texts(kSineBoxes), (QStringList{"1", "2", "3", "4"}));
    QVERIFY(EnglishUnits);
}

void VibrationPanelTest::mouseMoveEndsHints()
{
    QSignalSpy moved(panel_, &VibrationPanel::mouseMovedOver);
    // Between the two frames the pointer is over the panel itself.
    const int gap = (panel_->findChild<QWidget*>(QStringLiteral("Frame1"))->geometry().bottom() +
                     panel_->findChild<QWidget*>(QStringLiteral("Frame2"))->geometry().top()) /
                    2;
    QTest::mouseMove(panel_, QPoint(panel_->width() / 2, gap));
    QTRY_VERIFY(!moved.isEmpty());
}

MX_REGISTER_TEST(VibrationPanelTest)

#include "tst_vibration_panel.moc"
