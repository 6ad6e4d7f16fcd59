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
using namespace Qt::StringLiterals;
using mx::test::ScopedMessages;

class CalculatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        window_ = new CalculatorWindow;
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_));
    }

    void cleanup() { delete window_; }

    void opensFreshWithItsButtons()
    {
        QCOMPARE(window_->objectName() + u' ' + window_->windowTitle() + u' ' + readout(),
                 u"Calculator Calculator 0."_s);
        QVERIFY(window_->findChild<QLabel*>(u"Readout"_s)->alignment() & Qt::AlignRight);
        // Object name, caption and tool-tip of every button, row by row as they stand on the window.
        const QStringList expected =
            u"Number(7)|7|;Number(8)|8|;Number(9)|9|;Cancel|C|Clear;CancelEntry|CE|Clear Entry;"
            "Number(4)|4|;Number(5)|5|;Number(6)|6|;Operator(1)|+|;Operator(3)|-|;"
            "Number(1)|1|;Number(2)|2|;Number(3)|3|;Operator(2)|X|;Operator(0)|/|;"
            "Number(0)|0|;Decimal|.|;Percent|%|Convert to Percent;SquareRoot|SQRT|Square Root;"
            "Operator(4)|=|;Copy|Copy|Copy the readout to the clipboard"_s.split(u';');
        QCOMPARE(window_->findChildren<QPushButton*>().size(), expected.size());
        for (const QString& entry : expected) {
            const QStringList parts = entry.split(u'|');
            auto* button = window_->findChild<QPushButton*>(parts[0]);
            QVERIFY2(button, qPrintable(parts[0]));
            QCOMPARE(button->text() + u'|' + button->toolTip(), parts[1] + u'|' + parts[2]);
            QVERIFY(!button->accessibleName().isEmpty());
        }
        // The readout has the focus from the start; Tab goes round the buttons, then to the readout.
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Readout"_s);
        QCOMPARE(test::tabWalk(window_->findChild<QWidget*>(u"Operator(4)"_s), 3),
                 QStringList({u"Copy"_s, u"Readout"_s, u"Number(7)"_s}));
        // Closed, it is gone: opened again, it starts afresh.
        QVERIFY(window_->close());
        QTRY_VERIFY(window_.isNull());
    }

    // Keys as X11 sends them, "click:CAPTION" for a mouse click on a button (the readout keeps the focus), and
    // "refuse" (the clipboard takes nothing).
    void typing_data()
    {
        QTest::addColumn<QString>("focus"); // the button that has the focus; empty: the readout
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("message"); // shown on the way
        const auto row = [](const char* name, const char* focus, const char* keys, const char* readout,
                            const char* message = "") {
            QTest::newRow(name) << QString::fromLatin1(focus) << QString::fromLatin1(keys)
                                << QString::fromLatin1(readout) << QString::fromLatin1(message);
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
        row("square root, which no key presses", "", "click:9 click:SQRT", "3");
        row("divide by zero", "", "8 / 0 =", "8.", "Calculator [Ok Exclamation] Can't divide by zero");
        row("Return after a click is =", "", "click:5 Return", "5.");
        row("copy refused", "", "4 refuse click:Copy", "4.",
            "Copy Error! [Ok None] Select the entry box where you want the data to appear and click the Copy button "
            "again.");
    }

    void typing()
    {
        QFETCH(QString, focus);
        QFETCH(QString, keys);
        QFETCH(QString, message);
        ScopedMessages messages;
        if (!message.isEmpty())
            messages->answerNext(MsgAnswer::Ok);
        const ClipboardWriter desktop = setClipboardWriter({});
        const auto restore = qScopeGuard([&] { setClipboardWriter(desktop); });
        if (!focus.isEmpty())
            window_->findChild<QWidget*>(focus)->setFocus();
        for (const QString& key : keys.split(u' ')) {
            if (key == u"refuse")
                setClipboardWriter([](const QString&) { return false; });
            else
                key.startsWith(u"click:") ? click(key.mid(6)) : test::pressKeys(key);
        }
        QTEST(readout(), "readout");
        QCOMPARE(messages->described().join(u'\n'), message);
    }

    void keyShowsItsButtonPressed()
    {
        ScopedMessages messages;
        QGuiApplication::clipboard()->setText(u"old"_s);
        const auto pressedBy = [this](const QString& key, const QString& name) {
            test::pressKeys(key);
            auto* button = window_->findChild<QPushButton*>(name);
            QVERIFY2(button->isDown(), qPrintable(name));
            QTRY_VERIFY2(!button->isDown(), qPrintable(name));
        };
        pressedBy(u"8"_s, u"Number(8)"_s);
        pressedBy(u"Backspace"_s, u"CancelEntry"_s);
        pressedBy(u"9"_s, u"Number(9)"_s);
        pressedBy(u"Ctrl+C"_s, u"Copy"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"9."_s);
        pressedBy(u"Delete"_s, u"Cancel"_s);
        QCOMPARE(readout(), u"0."_s);
    }

private:
    void click(const QString& caption)
    {
        for (QPushButton* button : window_->findChildren<QPushButton*>()) {
            if (button->text() == caption)
                return QTest::mouseClick(button, Qt::LeftButton);
        }
        QFAIL(qPrintable(u"no button "_s + caption));
    }
    QString readout() const { return window_->findChild<QLabel*>(u"Readout"_s)->text(); }

    QPointer<CalculatorWindow> window_;
};

MX_REGISTER_TEST(CalculatorWindowTest)
#include "tst_calculator_window.moc"
