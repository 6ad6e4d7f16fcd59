#include "keyboard_checks.h"
#include "platform/button_keys.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>

using namespace mx;
using test::x11Key;

// Enter and Return press the focused button of any window, as Space does.
class ButtonKeysTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Put in place twice, as every panel does: a key must still press a button once.
        installButtonKeys();
        installButtonKeys();
    }
    void keyOnAFocusedControl_data();
    void keyOnAFocusedControl();
    void shownDownForAMoment();
    void dialogPressesTheFocusedButtonNotItsDefault();
};

void ButtonKeysTest::keyOnAFocusedControl_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<int>("clicks");
    const auto row = [](const char* name, const char* kind, int key, const char* text, Qt::KeyboardModifiers mods,
                        int clicks, bool enabled = true, bool repeat = false) {
        QTest::newRow(name) << QString::fromLatin1(kind) << enabled << key << QString::fromLatin1(text) << mods
                            << repeat << clicks;
    };
    row("Return", "push", Qt::Key_Return, "\r", Qt::NoModifier, 1);
    row("keypad Enter", "push", Qt::Key_Enter, "\r", Qt::KeypadModifier, 1);
    row("Space as before", "push", Qt::Key_Space, " ", Qt::NoModifier, 1);
    row("a drawn button", "tool", Qt::Key_Return, "\r", Qt::NoModifier, 1);
    row("Ctrl+Return is no press", "push", Qt::Key_Return, "\r", Qt::ControlModifier, 0);
    row("disabled", "push", Qt::Key_Return, "\r", Qt::NoModifier, 0, false);
    row("held down: the repeats press nothing", "push", Qt::Key_Return, "\r", Qt::NoModifier, 0, true, true);
    row("check box keeps Space alone", "check", Qt::Key_Return, "\r", Qt::NoModifier, 0);
    row("option button keeps Space alone", "radio", Qt::Key_Return, "\r", Qt::NoModifier, 0);
}

void ButtonKeysTest::keyOnAFocusedControl()
{
    QFETCH(QString, kind);
    QFETCH(bool, enabled);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, autoRepeat);

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    QAbstractButton* button = kind == u"check"   ? static_cast<QAbstractButton*>(new QCheckBox(QStringLiteral("B")))
                              : kind == u"radio" ? new QRadioButton(QStringLiteral("B"))
                              : kind == u"tool"  ? static_cast<QAbstractButton*>(new QToolButton)
                                                 : new QPushButton(QStringLiteral("B"));
    button->setFocusPolicy(Qt::StrongFocus);
    auto* other = new QLineEdit; // takes what the button leaves
    layout->addWidget(button);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    button->setEnabled(enabled);
    QSignalSpy clicked(button, &QAbstractButton::clicked);

    if (autoRepeat) {
        QKeyEvent repeat(QEvent::KeyPress, key, modifiers, text, true);
        QApplication::sendEvent(button, &repeat);
    } else {
        x11Key(button, Qt::Key(key), text, modifiers);
    }
    QTEST(int(clicked.size()), "clicks");
    if (kind == u"check" || kind == u"radio")
        QVERIFY(!button->isChecked());
}

void ButtonKeysTest::shownDownForAMoment()
{
    QPushButton button(QStringLiteral("Calculate"));
    button.show();
    button.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&button));
    button.setFocus();
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    x11Key(&button, Qt::Key_Return, QStringLiteral("\r"));
    x11Key(&button, Qt::Key_Return, QStringLiteral("\r"));
    QCOMPARE(clicked.size(), 2); // at once, not when the button comes up
    QVERIFY(button.isDown());
    QTRY_VERIFY(!button.isDown());
}

void ButtonKeysTest::dialogPressesTheFocusedButtonNotItsDefault()
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* other = new QPushButton(QStringLiteral("Find Next"));
    other->setAutoDefault(false);
    layout->addWidget(ok);
    layout->addWidget(other);
    ok->setDefault(true);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QSignalSpy okClicked(ok, &QAbstractButton::clicked);
    QSignalSpy otherClicked(other, &QAbstractButton::clicked);
    other->setFocus();
    x11Key(other, Qt::Key_Return, QStringLiteral("\r"));
    QCOMPARE(otherClicked.size(), 1);
    QCOMPARE(okClicked.size(), 0);
    QVERIFY(dialog.isVisible());
}

MX_REGISTER_TEST(ButtonKeysTest)
#include "tst_button_keys.moc"
