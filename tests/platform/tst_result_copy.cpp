#include "keyboard_checks.h"
#include "platform/box_text.h"
#include "platform/result_copy.h"
#include "test_registry.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

using namespace mx;
using namespace Qt::StringLiterals;

// Results shown from their first character, and copied from their context menu (opened by the mouse or from the
// keyboard) and with Ctrl+C.
class ResultCopyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unitOfCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("unit");
        const auto row = [](const char* name, const char* caption, const char* unit) {
            QTest::newRow(name) << QString::fromLatin1(caption) << QString::fromLatin1(unit);
        };
        row("parentheses", "Acceleration density (g^2/Hz)", "g^2/Hz");
        row("in", "Peak-Peak displacment in centimeters", "centimeters");
        row("degrees", "Wind Chill Degrees F", "Degrees F");
        row("last word with a slash", "Peak velocity inches/second", "inches/second");
        row("percent", "%Relative Humidity", "%");
        row("whole", "Grains/Lb Dry Air", "Grains/Lb Dry Air");
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

    void box_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursorBefore");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<bool>("startShown"); // the first character is drawn at the box's left edge
        QTest::newRow("long result") << "" << 0 << "0.587645643385877" << 0 << true;
        QTest::newRow("the same text keeps the cursor") << "12.5" << 2 << "12.5" << 2 << true;
    }

    void box()
    {
        QFETCH(QString, before);
        QFETCH(int, cursorBefore);
        QFETCH(QString, written);
        QLineEdit edit;
        edit.setFixedWidth(60); // about eight digits
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setText(before);
        edit.setCursorPosition(cursorBefore);
        showInBox(&edit, written);
        QCOMPARE(edit.text(), written);
        QTEST(edit.cursorPosition(), "cursor");
        // What is drawn: a box scrolled to its start has its cursor near its left edge.
        edit.grab();
        const QRect cursor = edit.inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QTEST(cursor.left() < edit.width() / 2, "startShown");
    }

    void label_data()
    {
        QTest::addColumn<int>("designed");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("alignment"); // after the last text
        const int right = int(Qt::AlignRight | Qt::AlignVCenter);
        const int centre = int(Qt::AlignCenter);
        const int left = int(Qt::AlignLeft | Qt::AlignVCenter);
        const QString tooWide = QStringLiteral("100000000000000000000.");
        QTest::newRow("fits") << right << QStringList{"25.4"} << right;
        QTest::newRow("too wide, centred") << centre << QStringList{tooWide} << left;
        QTest::newRow("fits again") << right << QStringList{tooWide, "6."} << right;
    }

    void label()
    {
        QFETCH(int, designed);
        QFETCH(QStringList, texts);
        QLabel answer;
        answer.setFixedWidth(80);
        answer.setAlignment(Qt::Alignment(designed));
        answer.setFrameShape(QFrame::Box);
        for (const QString& text : texts)
            showInLabel(&answer, text);
        QCOMPARE(answer.text(), texts.last());
        QTEST(int(answer.alignment()), "alignment");
    }
};

MX_REGISTER_TEST(ResultCopyTest)
#include "tst_result_copy.moc"
