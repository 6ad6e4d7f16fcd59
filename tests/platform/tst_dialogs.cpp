#include "modal_watchdog.h"
#include "platform/desktop_message_service.h"
#include "platform/key_filter.h"
#include "test_registry.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace mx;

Q_DECLARE_METATYPE(ControlCodes)

// The desktop's side of the typed-key filter and of the message boxes.
class DialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<ControlCodes>("controlCodes");
        QTest::addColumn<int>("code"); // -1: not a typed character
        const auto untouched = ControlCodes::Untouched;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("digit") << int(Qt::Key_7) << 0 << "7" << untouched << int('7');
        QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << "7" << untouched << int('7');
        QTest::newRow("non-Latin letter") << int(Qt::Key_unknown) << 0 << "\u00e9" << untouched << 0xe9;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << "\r" << untouched << kEnter;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << untouched << kEnter;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << "\b" << untouched << kBackspace;
        // As X11 sends them: the key with the text it would type.
        QTest::newRow("Tab with its text") << int(Qt::Key_Tab) << 0 << "\t" << untouched << -1;
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "\t" << untouched << -1;
        QTest::newRow("Delete with its text") << int(Qt::Key_Delete) << 0 << "\x7f" << untouched << -1;
        QTest::newRow("Escape with its text") << int(Qt::Key_Escape) << 0 << "\x1b" << untouched << -1;
        QTest::newRow("arrow") << int(Qt::Key_Left) << 0 << "" << untouched << -1;
        QTest::newRow("Alt+letter") << int(Qt::Key_F) << int(Qt::AltModifier) << "f" << untouched << -1;
        QTest::newRow("Ctrl+C kept as a shortcut") << int(Qt::Key_C) << ctrl << "\x03" << untouched << -1;
        QTest::newRow("Ctrl+C as its code") << int(Qt::Key_C) << ctrl << "\x03" << ControlCodes::Filtered << kCtrlC;
        QTest::newRow("Ctrl+digit never a code") << int(Qt::Key_1) << ctrl << "1" << ControlCodes::Filtered << -1;
        QTest::newRow("Ctrl+Alt+letter (AltGr)")
            << int(Qt::Key_Q) << (ctrl | int(Qt::AltModifier)) << "@" << untouched << -1;
    }

    void typedCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(ControlCodes, controlCodes);
        QTEST(KeyPressFilter::typedCode(key, Qt::KeyboardModifiers(modifiers), text, controlCodes), "code");
    }

    void handlerMayReplaceACharacter()
    {
        QLineEdit box;
        installKeyPressFilter(&box, [](int code) { return code == ',' ? int('.') : code; });
        QTest::keyClicks(&box, QStringLiteral("1,5"));
        QCOMPARE(box.text(), QStringLiteral("1.5"));
    }

    void escapeGivesTheDesignedAnswer_data()
    {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("OK") << MsgButtons::Ok << MsgAnswer::Ok;
        QTest::newRow("OK, Cancel") << MsgButtons::OkCancel << MsgAnswer::Cancel;
        QTest::newRow("Yes, No") << MsgButtons::YesNo << MsgAnswer::No;
        QTest::newRow("Yes, No, Cancel") << MsgButtons::YesNoCancel << MsgAnswer::Cancel;
    }

    void escapeGivesTheDesignedAnswer()
    {
        QFETCH(MsgButtons, buttons);
        test::expectModal(QStringLiteral("MessageBox"));
        QString seen;
        QTimer::singleShot(0, [&seen] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            seen = box->windowTitle() + u'|' + static_cast<QMessageBox*>(box)->text();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        DesktopMessageService desktop;
        QTEST(desktop.show(QStringLiteral("Save the changes?"), QStringLiteral("Mensurix"), buttons, MsgIcon::Question),
              "answer");
        QCOMPARE(seen, QStringLiteral("Mensurix|Save the changes?"));
    }
};

MX_REGISTER_TEST(DialogsTest)
#include "tst_dialogs.moc"
