#include "keyboard_checks.h"
#include "modal_watchdog.h"
#include "platform/box_text.h"
#include "platform/button_keys.h"
#include "platform/desktop_message_service.h"
#include "platform/key_filter.h"
#include "platform/result_copy.h"
#include "platform/tool_icons.h"
#include "platform/window_placement.h"
#include "reference_image.h"
#include "test_registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace mx;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ControlCodes)

// The desktop's side of typed keys, of Enter on a focused button, of the message boxes and of where windows open;
// results shown from their first character and copied from their context menu (opened by the mouse or from the
// keyboard) and with Ctrl+C; and the editors' tool-bar drawings, as a desktop without an icon theme shows them: crisp
// at 1x and 2x.
class DesktopTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QIcon::setThemeSearchPaths({});
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
        QTest::newRow("Return") << u"push"_s << u"Return"_s << true << 1;
        QTest::newRow("keypad Enter") << u"push"_s << u"Enter"_s << true << 1;
        QTest::newRow("Space as before") << u"push"_s << u"Space"_s << true << 1;
        QTest::newRow("Ctrl+Return is no press") << u"push"_s << u"Ctrl+Return"_s << true << 0;
        QTest::newRow("disabled") << u"push"_s << u"Return"_s << false << 0;
        QTest::newRow("check box keeps Space alone") << u"check"_s << u"Return"_s << true << 0;
        QTest::newRow("option button keeps Space alone") << u"radio"_s << u"Return"_s << true << 0;
    }

    // In a dialog, whose default button Enter must not press in place of the focused one.
    void keyOnAFocusedControl()
    {
        QFETCH(QString, kind);
        QFETCH(QString, key);
        QFETCH(bool, enabled);
        QDialog window;
        auto* layout = new QVBoxLayout(&window);
        QAbstractButton* button = kind == u"check" ? static_cast<QAbstractButton*>(new QCheckBox(QStringLiteral("B")))
                                  : kind == u"radio"
                                      ? static_cast<QAbstractButton*>(new QRadioButton(QStringLiteral("B")))
                                      : new QPushButton(QStringLiteral("B"));
        auto* ok = new QPushButton(QStringLiteral("OK"));
        layout->addWidget(button);
        layout->addWidget(new QLineEdit); // takes the focus a disabled button leaves
        layout->addWidget(ok);
        ok->setDefault(true);
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false); // else Qt's own dialog keys would press it
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        button->setFocus();
        button->setEnabled(enabled);
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QSignalSpy okClicked(ok, &QAbstractButton::clicked);
        test::pressKeys(key, button);
        QTEST(int(clicked.size()), "clicks");
        QVERIFY(!button->isChecked());
        if (!clicked.isEmpty()) {
            QCOMPARE(okClicked.size(), 0);
            QCOMPARE(button->isDown(), key != u"Space"); // shown pressed for a moment
            QTRY_VERIFY(!button->isDown());
        }

        // A key held down presses once: its repeats press nothing.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
        QApplication::sendEvent(button, &repeat);
        QTEST(int(clicked.size()), "clicks");
    }

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
    void accessoryWindows_data()
    {
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("resizing");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("guarded");
        QTest::addColumn<QString>("expected"); // "centred", "stored" or "kept"
        QTest::newRow("centred") << true << false << false << true << "centred";
        QTest::newRow("stored, even off the screen") << false << false << false << false << "stored";
        QTest::newRow("resizing, unguarded") << false << true << false << false << "stored";
        QTest::newRow("resizing, guarded") << true << true << false << true << "kept";
        QTest::newRow("minimised, guarded") << false << false << true << true << "kept";
    }

    void accessoryWindows()
    {
        QFETCH(bool, centre);
        QFETCH(bool, resizing);
        QFETCH(bool, minimised);
        QFETCH(bool, guarded);
        QFETCH(QString, expected);
        QWidget window;
        window.setFixedSize(200, 100);
        window.move(7, 9);
        if (minimised)
            window.setWindowState(Qt::WindowMinimized);
        const auto guard = guarded ? PlacementGuard::SkipWhileMinimisedOrResizing : PlacementGuard::None;
        QCOMPARE(placeAccessoryWindow(&window, QSize(3000, 1500), QPoint(-3000, 150000), {centre, resizing}, guard),
                 expected != u"kept");
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        const QPoint centred((screen.width() - 200) / 2, (screen.height() - 100) / 2);
        QCOMPARE(window.pos(), expected == u"centred"  ? centred
                               : expected == u"stored" ? QPoint(-200, 10000)
                                                       : QPoint(7, 9));
    }
    void toolIcons_data() { test::addPictureRows({"tool_icons"}); }

    void toolIcons()
    {
        QFETCH(QString, name);
        QFETCH(int, ratio);
        if (const QString why = test::letteringDiffers(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QList<QImage> icons;
        for (const char16_t* key :
             {u"tlbSave", u"tlbCut", u"tlbCopy", u"tlbPaste", u"tlbCheck", u"tlbFind", u"tlbSpelling", u"tlbBold",
              u"tlbItalic", u"tlbUnderline", u"tlbLeft", u"tlbCenter", u"tlbRight"}) {
            const QIcon icon = toolIcon(QStringView(key));
            QVERIFY(!icon.isNull());
            icons << icon.pixmap(QSize(16, 16), ratio).toImage();
        }
        const QString difference = test::differenceFromReference(
            test::pictureSheet(icons, 13), QStringLiteral(MX_SOURCE_DIR "/tests/platform/reference"),
            QStringLiteral("%1@%2x").arg(name).arg(ratio));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
    void unitOfCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("unit");
        QTest::newRow("parentheses") << u"Acceleration density (g^2/Hz)"_s << u"g^2/Hz"_s;
        QTest::newRow("in") << u"Peak-Peak displacment in centimeters"_s << u"centimeters"_s;
        QTest::newRow("degrees") << u"Wind Chill Degrees F"_s << u"Degrees F"_s;
        QTest::newRow("last word with a slash") << u"Peak velocity inches/second"_s << u"inches/second"_s;
        QTest::newRow("percent") << u"%Relative Humidity"_s << u"%"_s;
        QTest::newRow("whole") << u"Grains/Lb Dry Air"_s << u"Grains/Lb Dry Air"_s;
    }

    void unitOfCaption()
    {
        QFETCH(QString, caption);
        QTEST(mx::unitOfCaption(caption), "unit");
    }

    void menuAndKeys_data()
    {
        QTest::addColumn<QString>("kind"); // "label", "locked" (a read-only box) or "input" (a box the user types into)
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("menu"); // entries, disabled ones in brackets
        QTest::addColumn<QString>(
            "copied");                      // by "Copy", then by "Copy with Unit", then by Ctrl+C with nothing selected
        QTest::addColumn<QString>("keys");  // open the menu from the keyboard; "" not tried
        QTest::addColumn<QString>("ready"); // the entry Enter would then choose
        const auto row = [](const char* name, const char* kind, const char* shown, const char* menu, const char* copied,
                            const char* keys, const char* ready) {
            QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(shown) << QString::fromLatin1(menu)
                                << QString::fromLatin1(copied) << QString::fromLatin1(keys)
                                << QString::fromLatin1(ready);
        };
        row("answer label", "label", "317.5", "Copy|Copy with Unit", "317.5|317.5 Millimeters|317.5", "Menu", "Copy");
        row("locked box", "locked", "52.30", "Copy|Copy with Unit", "52.30|52.30 Millimeters|52.30", "Shift+F10",
            "Copy");
        row("nothing shown", "label", "", "[Copy]|[Copy with Unit]", "old|old|old", "", "");
        row("box the user types into", "input", "12",
            "[Undo]|[Redo]|[Cut]|[Copy]|Paste|[Delete]|Select All|Copy with Unit", "old|12 Millimeters|old",
            "Shift+F10", "Paste");
    }

    void menuAndKeys()
    {
        QFETCH(QString, kind);
        QFETCH(QString, shown);
        QFETCH(QString, keys);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* before = new QLineEdit;
        QWidget* widget = kind == u"label" ? static_cast<QWidget*>(new QLabel(shown)) : new QLineEdit(shown);
        layout->addWidget(before);
        layout->addWidget(widget);
        if (kind == u"locked")
            static_cast<QLineEdit*>(widget)->setReadOnly(true);
        installResultCopy(widget, [] { return QStringLiteral("Millimeters"); });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QClipboard* clipboard = QApplication::clipboard();

        // From the keyboard first, as a result that never had a menu. The X server's Menu key comes with the desktop's
        // own request for a menu at the mouse pointer.
        if (!keys.isEmpty()) {
            widget->setFocus();
            test::pressKeys(keys);
            if (keys == u"Menu") {
                QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(500, 500), QPoint(500, 500));
                QApplication::sendEvent(widget, &request);
            }
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu && menu->activeAction());
            QTEST(menu->activeAction()->text().remove(u'&').section(u'\t', 0, 0), "ready");
            QCOMPARE(menu->pos(),
                     widget->mapToGlobal(QPoint(0, widget->height()))); // below the result, not at the pointer
            menu->close();
        }

        // Opens the menu and chooses `entry`; returns the entries shown.
        QStringList copied;
        const auto useMenu = [&](const QString& entry) {
            clipboard->setText(QStringLiteral("old"));
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(widget, &event);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QStringList entries;
            for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
                const QString text = action->text().remove(u'&').section(u'\t', 0, 0);
                if (!action->isSeparator())
                    entries.append(action->isEnabled() ? text : u'[' + text + u']');
                if (text == entry && action->isEnabled())
                    action->trigger();
            }
            if (menu)
                menu->close();
            copied << clipboard->text();
            return entries.join(u'|');
        };
        QTEST(useMenu(QStringLiteral("Copy")), "menu");
        useMenu(QStringLiteral("Copy with Unit"));

        // Ctrl+C once the result has the focus: the whole text, or the part selected.
        widget->setFocus();
        clipboard->setText(QStringLiteral("old"));
        QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
        copied << clipboard->text();
        QTEST(copied.join(u'|'), "copied");
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            box->setSelection(1, 1);
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(clipboard->text(), shown.mid(1, 1));
        }

        // Entered by Tab, a result is selected whole (which shows where the focus is); a result box still shows its
        // start, a box the user types into its end.
        before->setFocus();
        test::pressKeys(QStringLiteral("Tab"));
        QCOMPARE(QApplication::focusWidget(), widget);
        auto* box = qobject_cast<QLineEdit*>(widget);
        QCOMPARE(box ? box->selectedText() : static_cast<QLabel*>(widget)->selectedText(), shown);
        QCOMPARE(box ? box->cursorPosition() : 0, kind == u"input" ? shown.size() : 0);
    }

    // A box shows a result from its first character (the cursor at its start, drawn at the left edge); the same text
    // again keeps the cursor where the user put it. A label keeps its designed alignment while the text fits, and is
    // read from the left while it does not.
    void resultsShownFromTheirStart()
    {
        QLineEdit box;
        box.setFixedWidth(60); // about eight digits
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        showInBox(&box, u"0.587645643385877"_s);
        QCOMPARE(box.cursorPosition(), 0);
        box.grab();
        QVERIFY(box.inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < box.width() / 2);
        box.setCursorPosition(2);
        showInBox(&box, u"0.587645643385877"_s);
        QCOMPARE(box.cursorPosition(), 2);

        QLabel answer;
        answer.setFixedWidth(80);
        answer.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        answer.setFrameShape(QFrame::Box);
        QList<int> alignments;
        for (const QString& text : {u"25.4"_s, u"100000000000000000000."_s, u"6."_s}) {
            showInLabel(&answer, text);
            QCOMPARE(answer.text(), text);
            alignments << int(answer.alignment());
        }
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        QCOMPARE(alignments, (QList<int>{right, Qt::AlignLeft | Qt::AlignVCenter, right}));
    }
};

MX_REGISTER_TEST(DesktopTest)
#include "tst_desktop.moc"
