#include "keyboard_checks.h"
#include "platform/button_keys.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QVBoxLayout>

using namespace mx;

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

    void keyOnAFocusedControl_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        const auto row = [](const char* name, const char* kind, const char* key, bool enabled, int clicks) {
            QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(key) << enabled << clicks;
        };
        row("Return", "push", "Return", true, 1);
        row("keypad Enter", "push", "Enter", true, 1);
        row("Space as before", "push", "Space", true, 1);
        row("Ctrl+Return is no press", "push", "Ctrl+Return", true, 0);
        row("disabled", "push", "Return", false, 0);
        row("check box keeps Space alone", "check", "Return", true, 0);
        row("option button keeps Space alone", "radio", "Return", true, 0);
    }

    void keyOnAFocusedControl()
    {
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(bool, enabled);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        QAbstractButton* button = kind == u"check" ? static_cast<QAbstractButton*>(new QCheckBox(QStringLiteral("B")))
                                  : kind == u"radio"
                                      ? static_cast<QAbstractButton*>(new QRadioButton(QStringLiteral("B")))
                                      : new QPushButton(QStringLiteral("B"));
        layout->addWidget(button);
        layout->addWidget(new QLineEdit); // takes the focus a disabled button leaves
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        button->setFocus();
        button->setEnabled(enabled);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        test::pressKeys(key, button);
        QTEST(int(clicked.size()), "clicks");
        QVERIFY(!button->isChecked());

        // A key held down presses once: its repeats press nothing.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(button, &repeat);
        QTEST(int(clicked.size()), "clicks");
    }

    void dialogPressesTheFocusedButtonNotItsDefault()
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
        test::pressKeys(QStringLiteral("Return"));
        QCOMPARE(otherClicked.size(), 1);
        QCOMPARE(okClicked.size(), 0);
        QVERIFY(other->isDown()); // shown pressed for a moment
        QTRY_VERIFY(!other->isDown());
    }
};

MX_REGISTER_TEST(ButtonKeysTest)
#include "tst_button_keys.moc"
