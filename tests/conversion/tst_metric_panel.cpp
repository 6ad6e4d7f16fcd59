#include "conversion/metric_conversions.h"
#include "conversion/metric_panel.h"
#include "keyboard_checks.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mx;
using mx::test::ScopedMessages;

namespace {

// A key as the X server delivers it: the key code and the text it types together.
struct X11Key {
    Qt::Key key;
    const char* text;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

} // namespace

class MetricPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void startsOnTemperature();
    void choosingATableListsItsPairs();
    void typedCharacters_data();
    void typedCharacters();
    void keysThatTypeNothingKeepTheirMeaning();
    void inputMethodTextIsFiltered();
    void enterConverts();
    void enterWithoutPairsDoesNothing();
    void missingTableAsks_data();
    void missingTableAsks();
    void zeroFactorIsOutOfSync();
    void overflowingProductIsTooLarge();
    void typingClearsAnswers();
    void answersAreYellow();
    void answerCopiedWithItsUnit();
    void keyboardOnly();
    void screenReaderLabels();

private:
    template <typename T> T* child(const char* name) const { return panel_->findChild<T*>(QString::fromLatin1(name)); }
    QLineEdit* valueBox() const { return child<QLineEdit>("metricText1"); }
    QLabel* answer(int row) const { return panel_->findChild<QLabel*>(QStringLiteral("lblAnswer(%1)").arg(row)); }
    QLabel* scale(int i) const { return panel_->findChild<QLabel*>(QStringLiteral("lblScale(%1)").arg(i)); }
    void choose(const QString& type);
    void press(const X11Key& key);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MetricConversions> conversions_;
    std::unique_ptr<MetricPanel> panel_;
};

void MetricPanelTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    const auto file = [this](const char* name, const QByteArray& bytes) {
        QVERIFY(test::writeFileBytes(dir_->filePath(QString::fromLatin1(name)), bytes));
    };
    file("Length.tbl", "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n"
                       "Feet vs Meters\r\nFeet\r\nMeters\r\n0.3048\r\n\r\n");
    file("Force.tbl", "Broken vs Pair\r\nPounds\r\nNewtons\r\n0\r\n\r\n");
    conversions_ = std::make_unique<MetricConversions>(dir_->path() + u'/');
    panel_ = std::make_unique<MetricPanel>(*conversions_);
    panel_->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel_.get()));
    valueBox()->setFocus();
}

void MetricPanelTest::cleanup()
{
    panel_.reset();
}

void MetricPanelTest::choose(const QString& type)
{
    auto* types = child<QComboBox>("Combo2");
    const int index = types->findText(type);
    QVERIFY(index >= 0);
    types->setCurrentIndex(index);
    Q_EMIT types->activated(index);
}

void MetricPanelTest::press(const X11Key& key)
{
    QKeyEvent event(QEvent::KeyPress, key.key, key.modifiers, QString::fromLatin1(key.text));
    QApplication::sendEvent(valueBox(), &event);
}

void MetricPanelTest::startsOnTemperature()
{
    auto* types = child<QComboBox>("Combo2");
    auto* pairs = child<QComboBox>("Combo1");
    QCOMPARE(types->currentText(), QStringLiteral("Temperature"));
    QCOMPARE(types->count(), 15);
    QCOMPARE(types->itemText(14), QStringLiteral("Electrical"));
    QCOMPARE(pairs->count(), 3);
    QCOMPARE(pairs->currentText(), QStringLiteral("Fahrenheit vs Celsius"));
    QCOMPARE(scale(2)->text(), QStringLiteral("Degrees C"));
    QCOMPARE(scale(0)->text(), QStringLiteral("Degrees F"));
    QVERIFY(valueBox()->text().isEmpty());
}

void MetricPanelTest::choosingATableListsItsPairs()
{
    QSignalSpy allowed(panel_.get(), &MetricPanel::tableEditorAllowed);
    valueBox()->setText(QStringLiteral("12"));
    choose(QStringLiteral("Length"));
    auto* pairs = child<QComboBox>("Combo1");
    QCOMPARE(pairs->count(), 2);
    QCOMPARE(pairs->itemText(1), QStringLiteral("Feet vs Meters"));
    QCOMPARE(pairs->currentIndex(), 0);
    QCOMPARE(scale(0)->text() + scale(3)->text() + scale(1)->text() + scale(2)->text(),
             QStringLiteral("InchesInchesMillimetersMillimeters"));
    QVERIFY(valueBox()->text().isEmpty());
    QCOMPARE(allowed.last().at(0).toBool(), true);

    pairs->setCurrentIndex(1);
    Q_EMIT pairs->activated(1);
    QCOMPARE(scale(0)->text(), QStringLiteral("Feet"));
    QCOMPARE(scale(2)->text(), QStringLiteral("Meters"));

    choose(QStringLiteral("Temperature"));
    QCOMPARE(pairs->count(), 3);
    QCOMPARE(allowed.last().at(0).toBool(), false);
}

void MetricPanelTest::typedCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << "0123456789"
                            << "0123456789";
    QTest::newRow("letters, blanks and commas dropped") << "1a2, 3 x"
                                                        << "123";
    QTest::newRow("signs and points pass") << "--1..5"
                                           << "--1..5";
    QTest::newRow("plus and exponent dropped") << "+1e5"
                                               << "15";
}

void MetricPanelTest::typedCharacters()
{
    QFETCH(QString, typed);
    QTest::keyClicks(valueBox(), typed);
    QTEST(valueBox()->text(), "shown");
}

void MetricPanelTest::keysThatTypeNothingKeepTheirMeaning()
{
    valueBox()->setText(QStringLiteral("1234"));
    valueBox()->setCursorPosition(0);
    press({Qt::Key_Delete, "\x7f"});
    QCOMPARE(valueBox()->text(), QStringLiteral("234"));
    press({Qt::Key_End, ""});
    press({Qt::Key_Backspace, "\b"});
    QCOMPARE(valueBox()->text(), QStringLiteral("23"));
    press({Qt::Key_A, "\x01", Qt::ControlModifier}); // select all, a shortcut
    QCOMPARE(valueBox()->selectedText(), QStringLiteral("23"));

    // Escape reaches the panel's window instead of being eaten by the box.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    QApplication::sendEvent(valueBox(), &escape);
    QVERIFY(!escape.isAccepted());

    // Tab moves the focus on to the Convert button; Shift+Tab comes back.
    press({Qt::Key_Tab, "\t"});
    QVERIFY(!valueBox()->hasFocus());
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("Convert"));
    QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier, QStringLiteral("\t"));
    QApplication::sendEvent(QApplication::focusWidget(), &backtab);
    QVERIFY(valueBox()->hasFocus());
    QCOMPARE(valueBox()->text(), QStringLiteral("23"));
}

void MetricPanelTest::inputMethodTextIsFiltered()
{
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("1,5x-2"));
    QApplication::sendEvent(valueBox(), &commit);
    QCOMPARE(valueBox()->text(), QStringLiteral("15-2"));
}

void MetricPanelTest::enterConverts()
{
    QTest::keyClicks(valueBox(), QStringLiteral("100"));
    press({Qt::Key_Return, "\r"});
    QCOMPARE(valueBox()->text(), QStringLiteral("100"));
    QCOMPARE(answer(0)->text(), QStringLiteral("212.00"));
    QCOMPARE(answer(1)->text(), QStringLiteral("37.78"));

    choose(QStringLiteral("Length"));
    QTest::keyClicks(valueBox(), QStringLiteral("1"));
    press({Qt::Key_Enter, "\r", Qt::KeypadModifier});
    QCOMPARE(answer(0)->text(), QStringLiteral("0.0394"));
    QCOMPARE(answer(1)->text(), QStringLiteral("25.4"));
}

void MetricPanelTest::enterWithoutPairsDoesNothing()
{
    ScopedMessages messages;
    messages->answerNext(MsgAnswer::No);
    choose(QStringLiteral("Custom"));
    QCOMPARE(child<QComboBox>("Combo1")->count(), 0);
    QTest::keyClicks(valueBox(), QStringLiteral("5"));
    QTest::keyClick(valueBox(), Qt::Key_Return);
    QTest::mouseClick(child<QWidget>("Convert"), Qt::LeftButton);
    QCOMPARE(valueBox()->text(), QStringLiteral("5"));
    QVERIFY(answer(0)->text().isEmpty());
    QCOMPARE(messages->shown.size(), 1); // only the question about the missing table
}

void MetricPanelTest::missingTableAsks_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<int>("editorAsked");
    QTest::newRow("Yes opens the editor") << MsgAnswer::Yes << 1;
    QTest::newRow("No does nothing more") << MsgAnswer::No << 0;
}

void MetricPanelTest::missingTableAsks()
{
    QFETCH(MsgAnswer, answer);
    ScopedMessages messages;
    QSignalSpy editorAsked(panel_.get(), &MetricPanel::newTableRequested);
    messages->answerNext(answer);
    choose(QStringLiteral("Custom"));
    QTEST(int(editorAsked.size()), "editorAsked");
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text,
             QStringLiteral("The file 'Custom.tbl' is missing.  Would you like to create a new table now?"));
    QCOMPARE(messages->shown[0].title, QStringLiteral("Mensurix"));
    QCOMPARE(messages->shown[0].buttons, MsgButtons::YesNo);
    QCOMPARE(messages->shown[0].icon, MsgIcon::Question);
    QCOMPARE(child<QComboBox>("Combo1")->count(), 0);
}

void MetricPanelTest::zeroFactorIsOutOfSync()
{
    ScopedMessages messages;
    choose(QStringLiteral("Force"));
    answer(0)->setText(QStringLiteral("before"));
    answer(1)->setText(QStringLiteral("before"));
    messages->answerNext(MsgAnswer::Ok);
    QTest::mouseClick(child<QWidget>("Convert"), Qt::LeftButton);
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text,
             QStringLiteral("The data table is out of sync.  This can happen after editing the data table.  Make "
                            "certain that there are no extra lines in the data table or at the end of the data "
                            "table."));
    QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(messages->shown[0].icon, MsgIcon::None);
    QCOMPARE(answer(0)->text(), QStringLiteral("before"));
    QCOMPARE(answer(1)->text(), QStringLiteral("before"));
}

void MetricPanelTest::overflowingProductIsTooLarge()
{
    ScopedMessages messages;
    choose(QStringLiteral("Length"));
    valueBox()->setText(QStringLiteral("1E+307"));
    messages->answerNext(MsgAnswer::Ok);
    QTest::mouseClick(child<QWidget>("Convert"), Qt::LeftButton);
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text, QStringLiteral("The value to convert is too large.  Enter a number between "
                                                     "-7E+306 and 7E+306."));
    QVERIFY(answer(1)->text().isEmpty());
}

void MetricPanelTest::typingClearsAnswers()
{
    QTest::keyClicks(valueBox(), QStringLiteral("0"));
    QTest::keyClick(valueBox(), Qt::Key_Return);
    QCOMPARE(answer(0)->text(), QStringLiteral("32.00"));
    QTest::keyClicks(valueBox(), QStringLiteral("1"));
    QVERIFY(answer(0)->text().isEmpty());
    QVERIFY(answer(1)->text().isEmpty());
    QTest::keyClick(valueBox(), Qt::Key_Return);
    QCOMPARE(answer(0)->text(), QStringLiteral("33.80"));
    QTest::keyClick(valueBox(), Qt::Key_Backspace);
    QCOMPARE(valueBox()->text(), QStringLiteral("0"));
    QVERIFY(answer(0)->text().isEmpty());
}

void MetricPanelTest::answersAreYellow()
{
    for (int i = 0; i < 2; ++i) {
        const QImage image = answer(i)->grab().toImage();
        QCOMPARE(QColor(image.pixel(image.width() / 2, image.height() / 2)), QColor(255, 255, 0));
    }
    const QImage box = valueBox()->grab().toImage();
    QCOMPARE(QColor(box.pixel(box.width() / 2, box.height() / 2)), QColor(Qt::white));
}

void MetricPanelTest::answerCopiedWithItsUnit()
{
    choose(QStringLiteral("Length"));
    QTest::keyClicks(valueBox(), QStringLiteral("12.5"));
    press({Qt::Key_Return, "\r"});
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), answer(1)->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(answer(1), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    menu->actions().constLast()->trigger(); // Copy with Unit
    menu->close();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("317.5 Millimeters"));
}

// Convert pressed by Return, then Tab to each answer and Ctrl+C.
void MetricPanelTest::keyboardOnly()
{
    panel_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(panel_.get()));
    QTest::keyClicks(valueBox(), QStringLiteral("100"));
    QCOMPARE(test::tabWalk(valueBox(), 3), QStringList({"Convert", "lblAnswer(0)", "lblAnswer(1)"}));
    auto* convert = child<QWidget>("Convert");
    convert->setFocus();
    test::pressKeys(QStringLiteral("Return"));
    QCOMPARE(answer(0)->text(), QStringLiteral("212.00"));
    QCOMPARE(answer(1)->text(), QStringLiteral("37.78"));
    for (int row = 0; row < 2; ++row) {
        test::pressKeys(QStringLiteral("Tab"));
        QCOMPARE(QApplication::focusWidget(), answer(row));
        test::pressKeys(QStringLiteral("Ctrl+C"));
        QCOMPARE(QApplication::clipboard()->text(), answer(row)->text());
    }
}

// Each list and the value box are labelled by their captions alone, not by the frame around them; each answer says
// the unit it is in.
void MetricPanelTest::screenReaderLabels()
{
    QStringList labels;
    for (const char* name : {"Combo2", "Combo1", "metricText1"})
        labels << test::spokenLabels(child<QWidget>(name));
    QCOMPARE(labels, QStringList({"Conversion Type", "Conversion Selection", "Value to convert"}));
    QCOMPARE(answer(0)->accessibleDescription(), QStringLiteral("Answer, first row, in Degrees F"));
    choose(QStringLiteral("Length"));
    QCOMPARE(answer(1)->accessibleDescription(), QStringLiteral("Answer, second row, in Millimeters"));
    QVERIFY(child<QWidget>("Frame3")->isAncestorOf(child<QWidget>("Combo2")));
}

MX_REGISTER_TEST(MetricPanelTest)
#include "tst_metric_panel.moc"
