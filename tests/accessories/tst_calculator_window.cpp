#include "accessories/calculator_window.h"
#include "keyboard_checks.h"
#include "platform/clipboard.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

using namespace mx;
using mx::test::ScopedMessages;

class CalculatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void opensFresh();
    void buttons();
    void clicking_data();
    void clicking();
    void copy();
    void typing_data();
    void typing();
    void keyShowsItsButtonPressed();
    void focusStaysOnTheReadout();
    void closingDeletesTheWindow();

private:
    void click(const QString& caption);
    QString readout() const;

    QPointer<CalculatorWindow> window_;
};

void CalculatorWindowTest::init()
{
    window_ = new CalculatorWindow;
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void CalculatorWindowTest::cleanup()
{
    delete window_;
}

void CalculatorWindowTest::click(const QString& caption)
{
    for (QPushButton* button : window_->findChildren<QPushButton*>()) {
        if (button->text() == caption) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no button ") + caption));
}

QString CalculatorWindowTest::readout() const
{
    return window_->findChild<QLabel*>(QStringLiteral("Readout"))->text();
}

void CalculatorWindowTest::opensFresh()
{
    QCOMPARE(window_->objectName(), QStringLiteral("Calculator"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("Calculator"));
    QVERIFY(window_->isWindow());
    QCOMPARE(readout(), QStringLiteral("0."));
    QVERIFY(window_->findChild<QLabel*>(QStringLiteral("Readout"))->alignment() & Qt::AlignRight);
}

void CalculatorWindowTest::buttons()
{
    // Object name, caption and tool-tip of every button, row by row as they stand on the window.
    const QStringList expected =
        QStringLiteral("Number(7)|7|;Number(8)|8|;Number(9)|9|;Cancel|C|Clear;CancelEntry|CE|Clear Entry;"
                       "Number(4)|4|;Number(5)|5|;Number(6)|6|;Operator(1)|+|;Operator(3)|-|;"
                       "Number(1)|1|;Number(2)|2|;Number(3)|3|;Operator(2)|X|;Operator(0)|/|;"
                       "Number(0)|0|;Decimal|.|;Percent|%|Convert to Percent;SquareRoot|SQRT|Square Root;"
                       "Operator(4)|=|;Copy|Copy|Copy the readout to the clipboard")
            .split(u';');
    QCOMPARE(window_->findChildren<QPushButton*>().size(), expected.size());
    for (const QString& entry : expected) {
        const QStringList parts = entry.split(u'|');
        auto* button = window_->findChild<QPushButton*>(parts[0]);
        QVERIFY2(button, qPrintable(parts[0]));
        QCOMPARE(button->text(), parts[1]);
        QCOMPARE(button->toolTip(), parts[2]);
        QVERIFY(!button->accessibleName().isEmpty());
    }
    // The wide keys of the bottom rows, in pixels.
    QCOMPARE(window_->findChild<QPushButton*>(QStringLiteral("SquareRoot"))->geometry(), QRect(120, 137, 60, 27));
    QCOMPARE(window_->findChild<QPushButton*>(QStringLiteral("Operator(4)"))->geometry(), QRect(7, 168, 93, 27));
}

void CalculatorWindowTest::clicking_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("readouts");
    QTest::addColumn<QString>("message"); // shown by the last key
    const auto row = [](const char* name, const char* keys, const char* readouts, const char* message = "") {
        QTest::newRow(name) << QString::fromLatin1(keys) << QString::fromLatin1(readouts)
                            << QString::fromLatin1(message);
    };
    row("signs", "- 5 X - 2 =", "-0. / -5. / -5. / - / -2. / 10");
    row("clear entry", "1 2 + 5 CE 3 =", "1. / 12. / 12. / 5. / 0. / 3. / 15");
    row("percent and root", "5 0 % C 9 SQRT", "5. / 50. / 0.5 / 0. / 9. / 3");
    row("every digit, cut after divide", ". 1 2 3 4 5 6 7 8 9 0 / 3 =",
        "0. / 0.1 / 0.12 / 0.123 / 0.1234 / 0.12345 / 0.123456 / 0.1234567 / 0.12345678 / 0.123456789 / "
        "0.1234567890 / 0.1234567890 / 3. / 0.041152263");
    row("divide by zero", "8 / 0 =", "8. / 8. / 0. / 8.", "Calculator [Ok Exclamation] Can't divide by zero");
}

void CalculatorWindowTest::clicking()
{
    QFETCH(QString, keys);
    QFETCH(QString, readouts);
    QFETCH(QString, message);
    ScopedMessages messages;
    if (!message.isEmpty())
        messages->answerNext(MsgAnswer::Ok);
    const QStringList pressed = keys.split(u' ');
    const QStringList expected = readouts.split(QStringLiteral(" / "));
    QCOMPARE(pressed.size(), expected.size());
    for (qsizetype i = 0; i < pressed.size(); ++i) {
        click(pressed[i]);
        QCOMPARE(readout(), expected[i]);
    }
    QCOMPARE(window_->readoutText(), expected.last());
    QTEST(messages->described().join(u'\n'), "message");
}

void CalculatorWindowTest::copy()
{
    ScopedMessages messages;
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    for (const char* key : {"1", "2", "+", "3", "=", "Copy"})
        click(QString::fromLatin1(key));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("15"));
    QCOMPARE(readout(), QStringLiteral("15"));
    QVERIFY(messages->shown.isEmpty());

    // A clipboard that cannot be written.
    messages->answerNext(MsgAnswer::Ok);
    QString offered;
    const ClipboardWriter previous = setClipboardWriter([&offered](const QString& text) {
        offered = text;
        return false;
    });
    const auto restore = qScopeGuard([&] { setClipboardWriter(previous); });
    click(QStringLiteral("4"));
    click(QStringLiteral("Copy"));
    QCOMPARE(offered, QStringLiteral("4."));
    QCOMPARE(messages->described(), QStringList{"Copy Error! [Ok None] Select the entry box where you want the data "
                                                "to appear and click the Copy button again."});
}

void CalculatorWindowTest::typing_data()
{
    QTest::addColumn<QString>("focus"); // the button that has the focus; empty: the readout
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("readout");
    const auto row = [](const char* name, const char* focus, const char* keys, const char* readout) {
        QTest::newRow(name) << QString::fromLatin1(focus) << QString::fromLatin1(keys) << QString::fromLatin1(readout);
    };
    row("sum", "", "1 2 + 3 0 =", "42");
    row("Return is =", "", "1 2 + 3 0 Return", "42");
    row("comma is the point, keypad Enter", "", "5 , 5 * 2 Enter", "11");
    row("x multiplies", "", "6 x 7 =", "42");
    row("percent", "", "5 0 %", "0.5");
    row("divide and subtract", "", "9 / 4 - 1 =", "1.25");
    row("Backspace clears the entry", "", "1 2 + 5 Backspace 3 =", "15");
    row("Delete clears everything", "", "5 + 3 Delete 2 =", "2.");
    row("Escape clears everything", "", "5 + 3 Escape", "0.");
    row("letters press nothing", "", "1 a 2 b", "12.");
    row("typed while a button has the focus", "Number(7)", "1 2 + 3 =", "15");
    row("Return presses the focused button", "Number(7)", "Return Return", "77.");
    row("Tab then Return", "Copy", "4 Tab Tab Return", "47.");
}

void CalculatorWindowTest::typing()
{
    QFETCH(QString, focus);
    QFETCH(QString, keys);
    if (!focus.isEmpty())
        window_->findChild<QWidget*>(focus)->setFocus();
    test::pressKeys(keys);
    QTEST(readout(), "readout");
}

void CalculatorWindowTest::keyShowsItsButtonPressed()
{
    ScopedMessages messages;
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    const auto pressedBy = [this](const QString& key, const char* name) {
        test::pressKeys(key);
        auto* button = window_->findChild<QPushButton*>(QLatin1String(name));
        QVERIFY2(button->isDown(), name);
        QTRY_VERIFY2(!button->isDown(), name);
    };
    pressedBy(QStringLiteral("8"), "Number(8)");
    pressedBy(QStringLiteral("Backspace"), "CancelEntry");
    pressedBy(QStringLiteral("9"), "Number(9)");
    pressedBy(QStringLiteral("Ctrl+C"), "Copy");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("9."));
    pressedBy(QStringLiteral("Delete"), "Cancel");
    QCOMPARE(readout(), QStringLiteral("0."));
}

// The readout has the focus from the start and keeps it when the mouse presses a button; Tab goes round the
// buttons, then to the readout.
void CalculatorWindowTest::focusStaysOnTheReadout()
{
    auto* readoutLabel = window_->findChild<QLabel*>(QStringLiteral("Readout"));
    QCOMPARE(QApplication::focusWidget(), readoutLabel);
    click(QStringLiteral("5"));
    QCOMPARE(QApplication::focusWidget(), readoutLabel);
    test::pressKeys(QStringLiteral("Return"));
    QCOMPARE(readout(), QStringLiteral("5."));
    const QStringList walk = test::tabWalk(window_->findChild<QWidget*>(QStringLiteral("Operator(4)")), 3);
    QCOMPARE(walk, QStringList({"Copy", "Readout", "Number(7)"}));
}

void CalculatorWindowTest::closingDeletesTheWindow()
{
    QVERIFY(window_->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(window_->close());
    QTRY_VERIFY(window_.isNull());
}

MX_REGISTER_TEST(CalculatorWindowTest)
#include "tst_calculator_window.moc"
