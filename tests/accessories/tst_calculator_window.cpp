#include "accessories/calculator_window.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace mx;
using mx::test::ScopedMessages;

class CalculatorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void opensFresh();
    void traits();
    void buttons_data();
    void buttons();
    void clicking_data();
    void clicking();
    void failedOperationShowsMessage_data();
    void failedOperationShowsMessage();
    void copyPutsReadoutOnClipboard();
    void copyFailureTellsWhatToDo();
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
    QVERIFY(QTest::qWaitForWindowExposed(window_));
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
    QVERIFY(window_->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(readout(), QStringLiteral("0."));
    QCOMPARE(window_->findChildren<QPushButton*>().size(), 21);
    auto* label = window_->findChild<QLabel*>(QStringLiteral("Readout"));
    QCOMPARE(label->geometry(), QRect(2, 4, 180, 25));
    QVERIFY(label->alignment() & Qt::AlignRight);
    QVERIFY(!label->accessibleDescription().isEmpty());
    QVERIFY(window_->findChild<QFrame*>(QStringLiteral("Line1")));
}

void CalculatorWindowTest::traits()
{
    const AccessoryWindowTraits traits = CalculatorWindow::traits();
    QCOMPARE(traits.formName, QStringLiteral("Calculator"));
    QCOMPARE(traits.openingSizeTwips, QSize(2895, 3330));
    QCOMPARE(traits.leftKey, QStringLiteral("Calculator Left"));
    QCOMPARE(traits.topKey, QStringLiteral("Calculator Top"));
    QCOMPARE(traits.guard, PlacementGuard::SkipWhileMinimisedOrResizing);
}

void CalculatorWindowTest::buttons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QRect>("pixels");
    const auto row = [](const char* name, const char* caption, const char* toolTip, QRect pixels) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption) << QString::fromLatin1(toolTip)
                            << pixels;
    };
    row("Number(7)", "7", "", {7, 44, 28, 28});
    row("Number(8)", "8", "", {40, 44, 28, 28});
    row("Number(9)", "9", "", {72, 44, 28, 28});
    row("Cancel", "C", "Clear", {120, 44, 28, 28});
    row("CancelEntry", "CE", "Clear Entry", {152, 44, 28, 28});
    row("Number(4)", "4", "", {7, 75, 28, 28});
    row("Number(5)", "5", "", {40, 75, 28, 28});
    row("Number(6)", "6", "", {72, 75, 28, 28});
    row("Operator(1)", "+", "", {120, 75, 28, 28});
    row("Operator(3)", "-", "", {152, 75, 28, 28});
    row("Number(1)", "1", "", {7, 106, 28, 28});
    row("Number(2)", "2", "", {40, 106, 28, 28});
    row("Number(3)", "3", "", {72, 106, 28, 28});
    row("Operator(2)", "X", "", {120, 106, 28, 28});
    row("Operator(0)", "/", "", {152, 106, 28, 28});
    row("Number(0)", "0", "", {7, 137, 28, 28});
    row("Decimal", ".", "", {40, 137, 28, 28});
    row("Percent", "%", "Convert to Percent", {72, 137, 28, 28});
    row("SquareRoot", "SQRT", "Square Root", {120, 137, 60, 27});
    row("Operator(4)", "=", "", {7, 168, 93, 27});
    row("Copy", "Copy", "Copy the readout to the clipboard", {120, 168, 60, 27});
}

void CalculatorWindowTest::buttons()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QRect, pixels);
    auto* button = window_->findChild<QPushButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), toolTip);
    QCOMPARE(button->geometry(), pixels);
    QVERIFY(!button->accessibleName().isEmpty());
    QVERIFY(button->isVisible());
}

void CalculatorWindowTest::clicking_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("readouts");
    QTest::newRow("add") << "1 2 + 3 ="
                         << "1. / 12. / 12. / 3. / 15";
    QTest::newRow("signs") << "- 5 X - 2 ="
                           << "-0. / -5. / -5. / - / -2. / 10";
    QTest::newRow("clear entry") << "1 2 + 5 CE 3 ="
                                 << "1. / 12. / 12. / 5. / 0. / 3. / 15";
    QTest::newRow("percent and root") << "5 0 % C 9 SQRT"
                                      << "5. / 50. / 0.5 / 0. / 9. / 3";
    QTest::newRow("every digit") << ". 1 2 3 4 5 6 7 8 9 0"
                                 << "0. / 0.1 / 0.12 / 0.123 / 0.1234 / 0.12345 / 0.123456 / 0.1234567 / 0.12345678"
                                    " / 0.123456789 / 0.1234567890";
    QTest::newRow("cut after divide") << "1 0 / 3 ="
                                      << "1. / 10. / 10. / 3. / 3.3333333333333";
}

void CalculatorWindowTest::clicking()
{
    QFETCH(QString, keys);
    QFETCH(QString, readouts);
    const QStringList pressed = keys.split(u' ');
    const QStringList expected = readouts.split(QStringLiteral(" / "));
    QCOMPARE(pressed.size(), expected.size());
    for (qsizetype i = 0; i < pressed.size(); ++i) {
        click(pressed[i]);
        QCOMPARE(readout(), expected[i]);
    }
    QCOMPARE(window_->readoutText(), expected.last());
}

void CalculatorWindowTest::failedOperationShowsMessage_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("readout");
    QTest::newRow("divide by zero") << "8 / 0 ="
                                    << "Can't divide by zero"
                                    << "8.";
    QTest::newRow("root of a negative number") << "- 4 SQRT"
                                               << "Invalid input"
                                               << "-4.";
    QTest::newRow("percent of a lone minus") << "5 + - %"
                                             << "Invalid input"
                                             << "-";
}

void CalculatorWindowTest::failedOperationShowsMessage()
{
    QFETCH(QString, keys);
    QFETCH(QString, message);
    QFETCH(QString, readout);
    ScopedMessages messages;
    messages->answerNext(MsgAnswer::Ok);
    for (const QString& key : keys.split(u' '))
        click(key);
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text, message);
    QCOMPARE(messages->shown[0].title, QStringLiteral("Calculator"));
    QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(messages->shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(this->readout(), readout);
}

void CalculatorWindowTest::copyPutsReadoutOnClipboard()
{
    ScopedMessages messages;
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    for (const char* key : {"1", "2", "+", "3", "="})
        click(QString::fromLatin1(key));
    click(QStringLiteral("Copy"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("15"));
    QCOMPARE(readout(), QStringLiteral("15"));

    click(QStringLiteral("7"));
    click(QStringLiteral("Copy"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("7."));
    QVERIFY(messages->shown.isEmpty());
}

void CalculatorWindowTest::copyFailureTellsWhatToDo()
{
    ScopedMessages messages;
    messages->answerNext(MsgAnswer::Ok);
    QString offered;
    window_->setClipboardWriter([&offered](const QString& text) {
        offered = text;
        return false;
    });
    click(QStringLiteral("4"));
    click(QStringLiteral("Copy"));
    QCOMPARE(offered, QStringLiteral("4."));
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text,
             QStringLiteral("Select the entry box where you want the data to appear and click the Copy button again."));
    QCOMPARE(messages->shown[0].title, QStringLiteral("Copy Error!"));
    QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(messages->shown[0].icon, MsgIcon::None);
    QCOMPARE(readout(), QStringLiteral("4."));
}

void CalculatorWindowTest::closingDeletesTheWindow()
{
    click(QStringLiteral("5"));
    QVERIFY(window_->close());
    QTRY_VERIFY(window_.isNull());
    // Opened again it starts over.
    init();
    QCOMPARE(readout(), QStringLiteral("0."));
}

MX_REGISTER_TEST(CalculatorWindowTest)
#include "tst_calculator_window.moc"
