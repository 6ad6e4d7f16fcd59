#include "scripted_messages.h"
#include "test_registry.h"
#include "vibration/vibration.h"
#include "vibration/vibration_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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
    void init()
    {
        EnglishUnits = false; // as at program start
        panel_ = new VibrationPanel;
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_));
        panel_->tabChosen();
    }

    void cleanup()
    {
        delete panel_;
        panel_ = nullptr;
    }

    void controls_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("text");
        const std::array<std::array<const char*, 4>, 24> rows = {{
            {"Frame1", "QGroupBox", "picVibration", "Vibration Calculation"},
            {"Frame2", "QGroupBox", "picVibration", "Vibration Level for Random Noise of Uniform Spectral Density"},
            {"Label1(0)", "QLabel", "Frame1", "Enter 2 Known values only."},
            {"Label8", "QLabel", "Frame1", "Frequency in Hz"},
            {"Label10", "QLabel", "Frame1", "Peak-Peak displacment in inches"},
            {"Label9", "QLabel", "Frame1", "Peak acceleration in g's"},
            {"Label11", "QLabel", "Frame1", "Peak velocity inches/second"},
            {"Text1(0)", "QLineEdit", "Frame1", ""},
            {"Text1(1)", "QLineEdit", "Frame1", ""},
            {"Text1(2)", "QLineEdit", "Frame1", ""},
            {"Text1(3)", "QLineEdit", "Frame1", ""},
            {"cmdVibCalc1", "QPushButton", "Frame1", "Calculate"},
            {"cmdVibClear1", "QPushButton", "Frame1", "Clear"},
            {"optEnglish", "QRadioButton", "Frame1", "English"},
            {"optMetric", "QRadioButton", "Frame1", "Metric"},
            {"Label1(1)", "QLabel", "Frame2", "Enter 2 Known values only."},
            {"Label12", "QLabel", "Frame2", "Bandwidth in Hz"},
            {"Label13", "QLabel", "Frame2", "Acceleration density (g^2/Hz)"},
            {"Label14", "QLabel", "Frame2", "Acceleration g RMS"},
            {"Text2(0)", "QLineEdit", "Frame2", ""},
            {"Text2(1)", "QLineEdit", "Frame2", ""},
            {"Text2(2)", "QLineEdit", "Frame2", ""},
            {"cmdVibCalc2", "QPushButton", "Frame2", "Calculate"},
            {"cmdVibClear2", "QPushButton", "Frame2", "Clear"},
        }};
        for (const auto& [name, kind, frame, text] : rows)
            QTest::newRow(name) << kind << frame << text;
    }

    void controls()
    {
        QFETCH(QString, kind);
        QFETCH(QString, frame);
        QCOMPARE(panel_->objectName(), QStringLiteral("picVibration"));
        const QList<QWidget*> found = panel_->findChildren<QWidget*>(QString::fromUtf8(QTest::currentDataTag()));
        QCOMPARE(found.size(), 1);
        QWidget* control = found.first();
        QVERIFY(control->inherits(qPrintable(kind)));
        QCOMPARE(control->parentWidget()->objectName(), frame);
        QVERIFY(control->parentWidget()->rect().contains(control->geometry()));
        QVERIFY(!control->accessibleName().isEmpty() || !control->accessibleDescription().isEmpty());
        QString text = control->property("text").toString();
        if (auto* group = qobject_cast<QGroupBox*>(control))
            text = group->title();
        QTEST(text, "text");
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

    void keyFilter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        const std::array<std::array<const char*, 4>, 4> rows = {{
            {"digits", "Text1(0)", "0123456789", "0123456789"},
            {"minus and point anywhere", "Text1(2)", "1-.-2..", "1-.-2.."},
            {"letters, blanks, plus, comma dropped", "Text1(3)", "+1e5, 0x", "150"},
            {"random box", "Text2(1)", "g^2/Hz 0.04", "20.04"},
        }};
        for (const auto& [tag, name, typed, shown] : rows)
            QTest::newRow(tag) << name << typed << shown;
    }

    void keyFilter()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QTest::keyClicks(box(name), typed);
        QTEST(box(name)->text(), "shown");
    }

    void clipboardShortcutsDiscarded()
    {
        QApplication::clipboard()->setText(QStringLiteral("before"));
        for (const QString& name : kSineBoxes + kRandomBoxes) {
            box(name)->setText(QStringLiteral("12.5"));
            box(name)->setSelection(0, 2);
            for (const Qt::Key key : {Qt::Key_C, Qt::Key_X, Qt::Key_V, Qt::Key_A})
                QTest::keyClick(box(name), key, Qt::ControlModifier);
            QCOMPARE(box(name)->text(), QStringLiteral("12.5"));
            QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
        }
    }

    void otherKeysKeepTheirMeaning()
    {
        panel_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel_));
        QLineEdit* frequency = box(QStringLiteral("Text1(0)"));
        frequency->setFocus();
        QTest::keyClicks(frequency, QStringLiteral("123"));
        QTest::keyClick(frequency, Qt::Key_Left);
        QTest::keyClick(frequency, Qt::Key_Backspace);
        QTest::keyClick(frequency, Qt::Key_Home);
        QTest::keyClick(frequency, Qt::Key_Delete);
        QTest::keyClick(frequency, Qt::Key_Return);
        QCOMPARE(frequency->text(), QStringLiteral("3"));
        QTest::keyClick(frequency, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("Text1(1)")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("Text1(3)")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), box(QStringLiteral("Text1(2)")));
    }

    // The units switch by click or by arrow key; choosing the same unit again converts nothing twice.
    void calculateAndSwitchUnits()
    {
        type(kSineBoxes, {"10", "0.1", "", ""});
        click(QStringLiteral("cmdVibCalc1"));
        QCOMPARE(texts(kSineBoxes), (QStringList{"10", "0.1", ".5110", "3.1416"}));
        auto* english = panel_->findChild<QRadioButton*>(QStringLiteral("optEnglish"));
        english->setFocus();
        QTest::keyClick(english, Qt::Key_Down);
        QVERIFY(panel_->findChild<QRadioButton*>(QStringLiteral("optMetric"))->isChecked());
        QCOMPARE(texts(kSineBoxes), (QStringList{"10", ".254", ".5110", ".0798"}));
        QCOMPARE(caption(QStringLiteral("Label10")), QStringLiteral("Peak-Peak displacment in centimeters"));
        QCOMPARE(box(QStringLiteral("Text1(3)"))->accessibleName(), QStringLiteral("Peak velocity in meters/second"));
        QVERIFY(!EnglishUnits);
        click(QStringLiteral("optMetric"));
        click(QStringLiteral("optEnglish"));
        QCOMPARE(texts(kSineBoxes), (QStringList{"10", ".1", ".5110", "3.1417"}));
        QCOMPARE(caption(QStringLiteral("Label11")), QStringLiteral("Peak velocity in inches/second"));
        QVERIFY(EnglishUnits);
    }

    void messages()
    {
        ScopedMessages messages;
        for (int i = 0; i < 4; ++i)
            messages->answerNext(MsgAnswer::Ok);
        type(kSineBoxes, {"10", "0.1", "1", ""});
        click(QStringLiteral("cmdVibCalc1"));
        type(kRandomBoxes, {"100", "0.04", "2"});
        click(QStringLiteral("cmdVibCalc2"));
        QCOMPARE(texts(kSineBoxes), (QStringList{"10", "0.1", "1", ""}));
        QCOMPARE(texts(kRandomBoxes), (QStringList{"100", "0.04", "2"}));
        type(kSineBoxes, {"", "0.1", "-1", ""});
        click(QStringLiteral("cmdVibCalc1"));
        QCOMPARE(texts(kSineBoxes), (QStringList{".0000", "0.1", "-1", ".0000"}));
        QCOMPARE(messages->shown.size(), 4);
        const char* const expected[] = {"Only 2 entry boxes may contain your data",
                                        "Only 2 entry boxes may contain your data", "Calculation Error",
                                        "Calculation Error"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(messages->shown[i].text, QString::fromUtf8(expected[i]));
            QCOMPARE(messages->shown[i].title, QStringLiteral("Mensurix"));
            QCOMPARE(messages->shown[i].buttons, MsgButtons::Ok);
            QCOMPARE(messages->shown[i].icon, MsgIcon::None);
        }
    }

    void returningKeepsTheUnitChoice()
    {
        type(kSineBoxes, {"1", "2", "3", "4"});
        EnglishUnits = false;
        panel_->tabChosen(); // with English chosen, only the flag changes
        QVERIFY(EnglishUnits);
        QCOMPARE(texts(kSineBoxes), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(caption(QStringLiteral("Label11")), QStringLiteral("Peak velocity inches/second"));

        click(QStringLiteral("optMetric"));
        panel_->hide();
        panel_->show();
        panel_->tabChosen();
        QVERIFY(!EnglishUnits);
        QCOMPARE(caption(QStringLiteral("Label10")), QStringLiteral("Peak-Peak displacment in centimeters"));
        type(kSineBoxes, {"10", "0.254", "", ""});
        click(QStringLiteral("cmdVibCalc1"));
        QCOMPARE(texts(kSineBoxes), (QStringList{"10", "0.254", ".5110", ".0798"}));
    }

    void clearButtons()
    {
        type(kSineBoxes + kRandomBoxes, {"1", "2", "3", "4", "5", "6", "7"});
        click(QStringLiteral("cmdVibClear1"));
        QCOMPARE(texts(kSineBoxes + kRandomBoxes), (QStringList{"", "", "", "", "5", "6", "7"}));
        type(kSineBoxes, {"1", "2", "3", "4"});
        click(QStringLiteral("cmdVibClear2"));
        QCOMPARE(texts(kSineBoxes + kRandomBoxes), (QStringList{"1", "2", "3", "4", "", "", ""}));
    }

private:
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
