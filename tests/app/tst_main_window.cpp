#include "accessories/calculator_window.h"
#include "accessories/find_dialog.h"
#include "accessories/note_editor_window.h"
#include "app/accessory_windows.h"
#include "app/app_globals.h"
#include "app/application.h"
#include "app/main_window.h"
#include "app/splash.h"
#include "app/tab_strip.h"
#include "conversion/table_editor_window.h"
#include "keyboard_checks.h"
#include "list_choice.h"
#include "scripted_dialogs.h"
#include "scripted_messages.h"
#include "shell/about_window.h"
#include "shell/help_viewer.h"
#include "shell/tip_window.h"
#include "shell/web_site_window.h"
#include "table_fixture.h"
#include "test_helpers.h"
#include "test_registry.h"
#include "window_helpers.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include <map>
#include <tuple>

using namespace mx;
using namespace Qt::StringLiterals;
using test::kLengthTable;

namespace {

AccessoryWindowTraits traitsOf(const QString& formName)
{
    return {.formName = formName, .openingSizeTwips = {3000, 2000}};
}

const QByteArray kNotes = "{\\rtf1 A note and a Note\\par}";

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setProgramFont(); }
    void init()
    {
        QVERIFY(dir_.isValid());
        dialogs_.answer(TipWindow::kFormName, [](QDialog&) { return int(QDialog::Accepted); });
        window_ = new MainWindow(dir_.path());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }

    void cleanup()
    {
        if (window_) {
            for (QWidget* w : window_->windows().loadedWindows())
                delete w;
            delete window_;
        }
        delete openHelpViewer();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList left;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible())
                left << w->objectName();
        }
        QCOMPARE(left, QStringList());
    }

    // The names outside checks find the window's parts by, the menus as designed, and a name for every control.
    void form()
    {
        QCOMPARE(window_->objectName(), u"frmTabs"_s);
        QCOMPARE(window_->windowTitle(), u"Mensurix"_s);
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
        // Names are unique within the window.
        const QStringList names =
            u"TabStrip1=mx::TabStrip picMetric=mx::MetricPanel picHumidity=mx::HumidityPanel picWind=mx::WindPanel "
            "picVibration=mx::VibrationPanel PicElectrical=mx::ElectricalPanel Frame3=QGroupBox Combo1=QComboBox "
            "metricText1=QLineEdit Convert=QPushButton lblAnswer(0)=QLabel lblScale(0)=QLabel Label5=QLabel "
            "Image1(0)=QLabel Image2=QLabel lblTip=QLabel lblEgg3=QLabel timResizeTimer=QTimer timLogoTips=QTimer "
            "Tabs(5)=mx::StripTab"_s.split(u' ');
        for (const QString& named : names) {
            const QList<QObject*> found = window_->findChildren<QObject*>(named.section(u'=', 0, 0));
            QVERIFY2(found.size() == 1 && QLatin1String(found[0]->metaObject()->className()) == named.section(u'=', 1),
                     qPrintable(named));
        }
        QCOMPARE(test::describeMenuBar(window_->menuBar()),
                 (QStringList{"mnuFile=&File: mnuExit=&Exit", "mnuEdit=&Edit: mnuTableEditor=Edit &Table off",
                              "mnuTools=&Tools: mnuCalculator=&Calculator, mnuNoteEditor=&Note Editor, "
                              "mnuBarometricPressure=&Barometric Pressure..., mnuPsychroChart=Psychrometric &Chart, "
                              "mnuToolsS=, mnuSavePositions=&Save Positions, mnuCenter=&Restore Defaults",
                              "mnuHelp=&Help: mnuContents=&Contents, mnuShowTip=&Show tip of the day, mnuHelpS=, "
                              "mnuAbout=&About this Program, mnuQuorvane=About &Quorvane"}));
        for (QWidget* w : window_->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (name.isEmpty() || name.startsWith(u"qt_") || !name.at(0).isLetter() || name == u"frmTabsClient")
                continue;
            const auto* label = qobject_cast<QLabel*>(w);
            QVERIFY2(!w->accessibleName().isEmpty() || !w->accessibleDescription().isEmpty() ||
                         (label && !label->text().isEmpty()),
                     qPrintable(name));
        }
    }

    // How the user moves between tabs, and what each way shows. Keys come as X11 sends them: Ctrl+Shift+Tab as
    // Backtab with Shift held and no text.
    void tabStrip_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("from"); // tab index 1 to 5
        QTest::addColumn<int>("to");
        QTest::newRow("click Humidity") << "click" << 1 << 2;
        QTest::newRow("click Metric from Wind") << "click" << 3 << 1;
        QTest::newRow("right arrow") << "right" << 1 << 2;
        QTest::newRow("right arrow wraps") << "right" << 5 << 1;
        QTest::newRow("left arrow wraps") << "left" << 1 << 5;
        QTest::newRow("Ctrl+Tab") << "ctrl+tab" << 4 << 5;
        QTest::newRow("Ctrl+Tab wraps") << "ctrl+tab" << 5 << 1;
        QTest::newRow("Ctrl+Shift+Tab") << "ctrl+shift+tab" << 3 << 2;
        QTest::newRow("Ctrl+Shift+Tab wraps") << "ctrl+shift+tab" << 1 << 5;
        QTest::newRow("Ctrl+PageDown") << "ctrl+pagedown" << 2 << 3;
        QTest::newRow("Ctrl+PageUp wraps") << "ctrl+pageup" << 1 << 5;
    }

    void tabStrip()
    {
        QFETCH(QString, gesture);
        QFETCH(int, from);
        QFETCH(int, to);
        const char* const panels[] = {"", "picMetric", "picHumidity", "picWind", "picVibration", "PicElectrical"};
        const std::map<QString, std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*>> keys = {
            {u"ctrl+tab"_s, {Qt::Key_Tab, Qt::ControlModifier, "\t"}},
            {u"ctrl+shift+tab"_s, {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, ""}},
            {u"ctrl+pagedown"_s, {Qt::Key_PageDown, Qt::ControlModifier, ""}},
            {u"ctrl+pageup"_s, {Qt::Key_PageUp, Qt::ControlModifier, ""}},
        };
        // A real X11 Ctrl+Shift+Tab matches only the Tab form of the key; Qt's own events match the Backtab form.
        QVERIFY(
            window_->findChild<QShortcut*>(u"previousTabKey"_s)->keys().contains(QKeySequence(u"Ctrl+Shift+Tab"_s)));
        QTest::mouseClick(tab(from), Qt::LeftButton);
        QCOMPARE(visiblePanel(), QString::fromLatin1(panels[from]));

        QSignalSpy chosen(strip(), &TabStrip::tabChosen);
        if (gesture == u"click") {
            QTest::mouseClick(tab(to), Qt::LeftButton);
        } else if (gesture == u"right" || gesture == u"left") {
            strip()->setFocus();
            QTest::keyClick(strip(), gesture == u"right" ? Qt::Key_Right : Qt::Key_Left);
        } else {
            window_->activateWindow();
            QTRY_VERIFY(window_->isActiveWindow());
            const auto& [key, modifiers, text] = keys.at(gesture);
            QTest::sendKeyEvent(QTest::Click, window_->focusWidget() ? window_->focusWidget() : window_.data(), key,
                                QString::fromLatin1(text), modifiers);
        }
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(strip()->currentIndex(), to - 1);
        QCOMPARE(visiblePanel(), QString::fromLatin1(panels[to]));
        // Choosing the tab already chosen chooses it again: its panel re-initialises.
        QTest::mouseClick(tab(to), Qt::LeftButton);
        QCOMPARE(chosen.size(), 2);
    }

    // A screen reader meets a page tab list of five page tabs in strip order, named by their captions, the chosen one
    // selected (marked "*" here, "+" when it also has the focus); pressing a tab chooses it.
    void tabStripIsAPageTabList()
    {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(strip());
        const auto tabs = [list] {
            QStringList seen;
            for (int i = 0; i < list->childCount(); ++i) {
                QAccessibleInterface* page = list->child(i);
                const QAccessible::State state = page->state();
                seen << page->text(QAccessible::Name) + (page->role() == QAccessible::PageTab ? "" : " (not a tab)") +
                            (state.focused    ? "+"
                             : state.selected ? "*"
                                              : "") +
                            (state.checkable ? " (a box)" : "");
            }
            return seen.join(u", ");
        };
        window_->findChild<QLineEdit*>(u"metricText1"_s)->setFocus();
        QCOMPARE(list->role(), QAccessible::PageTabList);
        QCOMPARE(list->text(QAccessible::Name), u"Calculators"_s);
        QCOMPARE(tabs(), u"Metric Conversion*, Humidity Calculator, Wind Chill / Heat Index, Vibration Calculator, "
                         "Electrical Calculator"_s);
        QTest::mouseClick(tab(4), Qt::LeftButton); // raises its row above the others
        strip()->setFocus();
        QCOMPARE(tabs(), u"Metric Conversion, Humidity Calculator, Wind Chill / Heat Index, Vibration Calculator+, "
                         "Electrical Calculator"_s);
        QCOMPARE(list->focusChild(), list->child(3));
        QCOMPARE(list->indexOfChild(list->child(2)), 2);
        QCOMPARE(list->child(1)->parent(), list);
        list->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(strip()->currentIndex(), 1);
        QCOMPARE(visiblePanel(), u"picHumidity"_s);
    }

    // On every tab the chosen tab's row lies next to the panels (the five captions do not fit in one row) and no
    // caption is cut at its control's edge ("Miles per Hou"); the window and the pictures that show its icon show the
    // product icon.
    void layoutOnEveryTab()
    {
        QStringList clipped;
        for (int chosen = 1; chosen <= 5; ++chosen) {
            QTest::mouseClick(tab(chosen), Qt::LeftButton);
            int rowsBottom = 0;
            for (int i = 1; i <= 5; ++i) {
                QVERIFY(tab(i)->isVisible() && strip()->rect().contains(tab(i)->geometry()));
                rowsBottom = std::max(rowsBottom, tab(i)->geometry().bottom());
            }
            QVERIFY(tab(chosen)->geometry().bottom() >= rowsBottom - 1);
            QWidget* panel = window_->findChild<QWidget*>(visiblePanel());
            QVERIFY(strip()->mapTo(window_, QPoint(0, rowsBottom)).y() < panel->mapTo(window_, QPoint(0, 0)).y());
            for (QWidget* w : window_->findChildren<QWidget*>()) {
                if (!w->isVisible() || w->objectName().isEmpty())
                    continue;
                int needed = 0;
                if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && label->pixmap().isNull())
                    needed = label->fontMetrics().horizontalAdvance(label->text()) + 2 * label->margin() +
                             2 * label->frameWidth();
                else if (qobject_cast<QAbstractButton*>(w) && !qobject_cast<StripTab*>(w))
                    needed = w->sizeHint().width() - (qobject_cast<QPushButton*>(w) ? 16 : 0);
                if (needed > w->width())
                    clipped << u"%1 (%2 of %3 px)"_s.arg(w->objectName()).arg(needed).arg(w->width());
            }
        }
        clipped.removeDuplicates();
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u", "_s)));

        QVERIFY(!window_->windowIcon().pixmap(32).isNull());
        QTest::mouseClick(tab(2), Qt::LeftButton);
        QVERIFY(!window_->findChild<QLabel*>(u"Image1(1)"_s)->pixmap().isNull());
    }

    // Tools ▸ Note Editor opens the one editor; its Find opens the one find dialog through the registry, which goes
    // when the editor goes; F1 and its help entries open the help at their topics, About the about box. A window never
    // declared does not open.
    void noteEditorWindows()
    {
        QVERIFY(test::writeFileBytes(NotesFile, kNotes));
        QVERIFY(QFile::copy(QStringLiteral(MX_DATA_DIR "/MENSURIX.HTM"), AppPath + u"MENSURIX.HTM"_s));
        entry("mnuNoteEditor")->trigger();
        entry("mnuNoteEditor")->trigger();
        auto* editor = qobject_cast<NoteEditorWindow*>(window_->windows().loaded(NoteEditorWindow::kFormName));
        QCOMPARE(editor->textBox()->toPlainText(), u"A note and a Note"_s);
        editor->findChild<QAction*>(u"tlbFind"_s)->trigger();
        editor->findChild<QAction*>(u"mnuFind"_s)->trigger();
        QPointer<QWidget> find = window_->windows().loaded(FindDialog::kFormName);
        QCOMPARE(window_->windows().loadedWindows(), (QList<QWidget*>{editor, find}));
        QVERIFY(editor->isVisible() && find->isVisible());

        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor));
        QStringList topics;
        QTest::keyClick(editor, Qt::Key_F1);
        topics << openHelpViewer()->browser()->source().fragment();
        editor->findChild<QAction*>(u"mnuContents"_s)->trigger();
        topics << openHelpViewer()->browser()->source().fragment();
        editor->findChild<QAction*>(u"mnuNoteHelp"_s)->trigger();
        topics << openHelpViewer()->browser()->source().fragment();
        QCOMPARE(topics, QStringList({"note-editor", "contents", "note-editor"}));
        delete openHelpViewer();
        test::ScriptedDialogs dialogs;
        dialogs.answer(AboutWindow::kFormName, [](QDialog&) { return int(QDialog::Accepted); });
        editor->findChild<QAction*>(u"mnuAbout"_s)->trigger();
        QCOMPARE(dialogs.opened, QStringList{AboutWindow::kFormName});

        QVERIFY(editor->close());
        QTRY_VERIFY(find.isNull());
        QVERIFY(window_->windows().loadedWindows().isEmpty());
        QVERIFY(!window_->windows().open(u"frmNone"_s));
    }

    // The table editor, the note editor with its find dialog, and the calculator with a calculation under way are open,
    // in that order. At exit every editor holding unsaved text is asked before any window closes, the newest first; a
    // Cancel anywhere leaves every window as it was, and the next exit asks again.
    void exitWithUnsavedText_data()
    {
        QTest::addColumn<QString>("dirty");       // "notes" or "both"
        QTest::addColumn<QStringList>("answers"); // to the questions in turn
        QTest::addColumn<bool>("exits");
        QTest::addColumn<QString>("saved"); // what was written: "", "notes" or "table"
        const auto row = [](const char* name, const char* dirty, const QStringList& answers, bool exits,
                            const char* saved) {
            QTest::newRow(name) << QString::fromLatin1(dirty) << answers << exits << QString::fromLatin1(saved);
        };
        row("notes: Cancel", "notes", {"Cancel"}, false, "");
        row("notes: Yes", "notes", {"Yes"}, true, "notes");
        row("both: Cancel asks no more", "both", {"Cancel"}, false, "");
        row("both: No, then Cancel", "both", {"No", "Cancel"}, false, "");
        row("both: Yes, then Cancel", "both", {"Yes", "Cancel"}, false, "notes");
        row("both: No, then Yes", "both", {"No", "Yes"}, true, "table");
    }

    void exitWithUnsavedText()
    {
        QFETCH(QString, dirty);
        QFETCH(QStringList, answers);
        QFETCH(bool, exits);
        QFETCH(QString, saved);
        const bool tableDirty = dirty == u"both";
        writeTable("Length.tbl", kLengthTable);
        QFile::remove(NotesFile);
        AccessoryWindows& windows = window_->windows();
        choose("Length");
        entry("mnuTableEditor")->trigger();
        QPointer<TableEditorWindow> tableEditor = editor();
        if (tableDirty)
            editorText()->insertPlainText(u"X"_s);
        entry("mnuNoteEditor")->trigger();
        QPointer<NoteEditorWindow> notes = qobject_cast<NoteEditorWindow*>(windows.loaded(NoteEditorWindow::kFormName));
        notes->findChild<QAction*>(u"mnuFind"_s)->trigger();
        QPointer<QWidget> find = windows.loaded(FindDialog::kFormName);
        QTest::keyClicks(notes->textBox(), u"unsaved"_s);
        entry("mnuCalculator")->trigger();
        QPointer<CalculatorWindow> calculator =
            qobject_cast<CalculatorWindow*>(windows.loaded(CalculatorWindow::kFormName));
        QTest::mouseClick(calculator->findChild<QPushButton*>(u"Number(7)"_s), Qt::LeftButton);

        test::ScopedMessages messages;
        for (const QString& answer : answers)
            messages->answerNext(answer == u"Yes"  ? MsgAnswer::Yes
                                 : answer == u"No" ? MsgAnswer::No
                                                   : MsgAnswer::Cancel);
        QCOMPARE(window_->close(), exits);
        QCOMPARE(messages->shown.size(), answers.size());
        QCOMPARE(messages->unexpected, 0);
        QCOMPARE(messages->shown[0].text, u"Do you want to save your changes?"_s);
        QCOMPARE(QFile::exists(NotesFile), saved == u"notes");
        QCOMPARE(table("Length.tbl"), saved == u"table" ? "X" + kLengthTable : kLengthTable);
        if (exits) {
            QTRY_VERIFY(window_.isNull() && tableEditor.isNull() && notes.isNull() && find.isNull() &&
                        calculator.isNull());
            return;
        }
        for (QWidget* w : std::initializer_list<QWidget*>{window_, tableEditor, notes, find, calculator})
            QVERIFY(w && w->isVisible());
        QCOMPARE(calculator->readoutText(), u"7."_s);
        QCOMPARE(notes->textBox()->toPlainText(), u"unsaved"_s);
        QCOMPARE(editorText()->toPlainText().startsWith(u'X'), tableDirty);

        // The next exit asks again of every editor still holding unsaved text.
        messages->clear();
        messages->answerNext(MsgAnswer::No);
        messages->answerNext(MsgAnswer::No);
        QVERIFY(window_->close());
        QCOMPARE(messages->shown.size(), int(saved != u"notes") + int(tableDirty));
    }

    // Help ▸ About and Show Tip open their dialogs. Asking for the tip turns the tip at start back on: for a user who
    // said No it is the only way back.
    void helpMenu()
    {
        test::ScriptedDialogs dialogs;
        for (const QString& name : {QString(AboutWindow::kFormName), QString(TipWindow::kFormName)})
            dialogs.answer(name, [](QDialog&) { return int(QDialog::Rejected); });
        window_->settings().showTipsAtStartup = false;
        entry("mnuAbout")->trigger();
        QVERIFY(!window_->settings().showTipsAtStartup);
        entry("mnuShowTip")->trigger();
        QVERIFY(window_->settings().showTipsAtStartup);
        QCOMPARE(dialogs.opened, (QStringList{AboutWindow::kFormName, TipWindow::kFormName}));
    }

    // Resting on the link shows its hint; moving on takes it away over the logo (both elements of Image1) and the tab
    // strip, and over the panels that have a handler.
    void linkHints_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("movedOver");
        QTest::addColumn<bool>("hintStays");
        QTest::newRow("logo") << 1 << "Image1(0)" << false;
        QTest::newRow("logo on the Humidity tab") << 2 << "Image1(1)" << false;
        QTest::newRow("tab strip") << 1 << "TabStrip1" << false;
        QTest::newRow("Metric panel") << 1 << "picMetric" << false;
        QTest::newRow("Wind panel") << 3 << "picWind" << true;
    }

    void linkHints()
    {
        QFETCH(int, tab);
        QFETCH(QString, movedOver);
        QTest::mouseClick(this->tab(tab), Qt::LeftButton);
        auto* link = window_->findChild<QLabel*>(u"Image2"_s);
        auto* hint = window_->findChild<QLabel*>(u"lblTip"_s);
        QTest::mouseMove(link, link->rect().center());
        QTRY_VERIFY(hint->isVisible());
        QCOMPARE(hint->text(), u"Visit our web site"_s);
        // Onto the control itself: a move over a control on a panel is that control's.
        QWidget* over = window_->findChild<QWidget*>(movedOver);
        QPoint bare(3, 3);
        while (over->childAt(bare) && bare.y() < over->height())
            bare += QPoint(0, 4);
        QTest::mouseMove(over, bare);
        QTEST(hint->isVisible(), "hintStays");
    }

    // Only the left button let go over the link opens the web dialog, which shows the product icon.
    void linkClicks_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("releasedOver");
        QTest::addColumn<bool>("opens");
        QTest::newRow("left click") << Qt::LeftButton << true << true;
        QTest::newRow("right click") << Qt::RightButton << true << false;
        QTest::newRow("left press dragged off") << Qt::LeftButton << false << false;
    }

    void linkClicks()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, releasedOver);
        QFETCH(bool, opens);
        auto* link = window_->findChild<QLabel*>(u"Image2"_s);
        test::ScriptedDialogs dialogs;
        bool iconShown = false;
        dialogs.answer(WebSiteWindow::kFormName, [&iconShown](QDialog& web) {
            iconShown = !web.windowIcon().isNull();
            return int(QDialog::Rejected);
        });
        QTest::mousePress(link, button, {}, link->rect().center());
        QTest::mouseRelease(link, button, {}, releasedOver ? link->rect().center() : QPoint(-5, link->height() / 2));
        QCOMPARE(dialogs.opened, opens ? QStringList{WebSiteWindow::kFormName} : QStringList());
        QCOMPARE(iconShown, opens);
    }

    // The windows a user opens, as a screen reader announces them (frames and dialogs named by their titles), and the
    // keys users expect where the design has none, as X11 sends them (the key, its text and the modifiers), each shown
    // beside its menu entry.
    void windowsAndTheirKeys_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("keys"); // menu entry=key, a key alone, or a button clicked
        QTest::addColumn<QString>("effect");
        const auto row = [](const char* name, const char* window, const char* keys, const char* effect) {
            QTest::newRow(name) << QString::fromLatin1(window) << QString::fromLatin1(keys)
                                << QString::fromLatin1(effect);
        };
        row("main window", "frmTabs", "", "");
        row("calculator", "Calculator", "", "");
        row("notes Ctrl+S", "frmNoteEditor", "mnuSave=Ctrl+S", "notes saved");
        row("notes Ctrl+F", "frmNoteEditor", "mnuFind=Ctrl+F", "find open");
        row("notes Ctrl+B", "frmNoteEditor", "mnuBold=Ctrl+B", "bold");
        row("notes Ctrl+I, a tab's code", "frmNoteEditor", "mnuItalic=Ctrl+I", "italic");
        row("notes Ctrl+U", "frmNoteEditor", "mnuUnderline=Ctrl+U", "underline");
        row("notes Ctrl+B twice", "frmNoteEditor", "mnuBold=Ctrl+B, mnuBold=Ctrl+B", "plain");
        row("table Ctrl+S", "frmTableEditor", "mnuSave=Ctrl+S", "table saved");
        row("find: Enter finds first, then next", "frmFind", "Return, Return", "found 13");
        row("find: Enter after Find First finds next", "frmFind", "Command1, Return", "found 13");
        row("find: Enter after a miss starts over", "frmFind", "Return, Return, Return, Return", "found 2");
        row("help: Escape", "frmHelp", "Escape", "closed");
    }

    void windowsAndTheirKeys()
    {
        QFETCH(QString, window);
        QFETCH(QString, keys);
        QFETCH(QString, effect);
        const QMap<QString, QString> announced = {
            {u"frmTabs"_s, u"Mensurix"_s},      {u"Calculator"_s, u"Calculator"_s},
            {u"frmNoteEditor"_s, u"Notes"_s},   {u"frmFind"_s, u"Find (a dialog)"_s},
            {u"frmHelp"_s, u"Mensurix Help"_s}, {u"frmTableEditor"_s, u"Editor - Length"_s}};
        QVERIFY(test::writeFileBytes(NotesFile, kNotes));
        test::ScopedMessages messages;
        QPointer<QWidget> target = openWindow(window);
        QVERIFY(target && target->isVisible());
        QCOMPARE(target->objectName(), window);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(target);
        QCOMPARE(accessible->text(QAccessible::Name) + (accessible->role() == QAccessible::Dialog ? u" (a dialog)"_s
                                                        : accessible->role() == QAccessible::Window
                                                            ? QString()
                                                            : u" (neither window nor dialog)"_s),
                 announced.value(window));
        auto* notes = qobject_cast<NoteEditorWindow*>(window_->windows().loaded(NoteEditorWindow::kFormName));
        QTextEdit* notesText = notes ? notes->textBox() : nullptr;
        if (window == u"frmTableEditor") {
            editorText()->insertPlainText(u"X"_s);
        } else if (window == u"frmNoteEditor") {
            // The font-size box has no caption beside it: it says what it is, then what it holds.
            QAccessibleInterface* sizes =
                QAccessible::queryAccessibleInterface(target->findChild<QComboBox*>(u"cboFontSize"_s));
            QCOMPARE(sizes->role(), QAccessible::ComboBox);
            QCOMPARE(sizes->text(QAccessible::Name) + u'=' + sizes->text(QAccessible::Value), u"Font size=12"_s);
            notesText->selectAll();
        } else if (window == u"frmFind") {
            target->findChild<QLineEdit*>(u"Text1"_s)->setText(u"note"_s);
            target->findChild<QLineEdit*>(u"Text1"_s)->setFocus();
        }
        if (keys.isEmpty())
            return;
        target->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), target.data());
        for (const QString& key : keys.split(u", "_s)) {
            if (key.startsWith(u"Command")) {
                // The button clicked, then back into the text box.
                QTest::mouseClick(target->findChild<QPushButton*>(key), Qt::LeftButton);
                QTest::mouseClick(target->findChild<QLineEdit*>(u"Text1"_s), Qt::LeftButton);
                continue;
            }
            const QString menuEntry = key.section(u'=', 0, 0);
            const QString shortcut = key.section(u'=', 1);
            if (!shortcut.isEmpty())
                QCOMPARE(target->findChild<QAction*>(menuEntry)->shortcut().toString(), shortcut);
            test::pressKeys(shortcut.isEmpty() ? key : shortcut, QApplication::focusWidget() ? nullptr : target.data());
        }

        const QTextCharFormat format = notesText ? notesText->textCursor().charFormat() : QTextCharFormat();
        const QMap<QString, bool> effects = {
            {u"notes saved"_s, test::readFileBytes(NotesFile) != kNotes},
            {u"find open"_s, window_->windows().loaded(FindDialog::kFormName) != nullptr},
            {u"bold"_s, format.fontWeight() == QFont::Bold && !format.fontItalic() && !format.fontUnderline()},
            {u"italic"_s, format.fontItalic() && format.fontWeight() != QFont::Bold},
            {u"underline"_s, format.fontUnderline() && !format.fontItalic()},
            {u"plain"_s,
             format.fontWeight() != QFont::Bold && notesText && notesText->toPlainText() == u"A note and a Note"},
            {u"table saved"_s, table("Length.tbl") == "X" + kLengthTable},
            {u"found 13"_s, notesText && notesText->textCursor().selectionStart() == 13},
            {u"found 2"_s, notesText && notesText->textCursor().selectionStart() == 2},
            {u"closed"_s, target.isNull() || !target->isVisible()},
        };
        QVERIFY2(effects.value(effect), qPrintable(effect));
        QCOMPARE(messages->described().join(u'\n'),
                 effect == u"found 2" ? u"Mensurix [Ok None] Match not found!"_s : QString());
    }

    void minimiseCarriesAccessoryWindows()
    {
        window_->windows().addWindow(traitsOf(CalculatorWindow::kFormName), [] { return new QWidget; });
        QWidget* calculator = window_->windows().open(CalculatorWindow::kFormName);
        calculator->move(40, 50);
        window_->setWindowState(Qt::WindowMinimized);
        QVERIFY(!calculator->isVisible());
        QVERIFY(window_->windows().mainResizing());
        window_->setWindowState(Qt::WindowNoState);
        QVERIFY(calculator->isVisible());
        QCOMPARE(calculator->pos(), QPoint(40, 50));
        QVERIFY(window_->findChild<QTimer*>(u"timResizeTimer"_s)->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!window_->windows().mainResizing(), 3000);
    }

    // The windows close newest first. The note editor closes its find dialog as it closes: the walk must not touch the
    // deleted dialog.
    void exitClosesTheNewestFirst()
    {
        QStringList closed;
        AccessoryWindows& windows = window_->windows();
        const auto declare = [&](const QString& name, std::function<void()> onClose) {
            windows.addWindow(traitsOf(name), [&closed, name, onClose] {
                auto* w = new test::ClosingHook([&closed, name, onClose] {
                    closed << name;
                    if (onClose)
                        onClose();
                    return true;
                });
                w->setAttribute(Qt::WA_DeleteOnClose);
                return w;
            });
            windows.open(name);
        };
        declare(TableEditorWindow::kFormName, {});
        declare(FindDialog::kFormName, {});
        declare(CalculatorWindow::kFormName, {});
        declare(NoteEditorWindow::kFormName, [&windows] { delete windows.loaded(FindDialog::kFormName); });
        QVERIFY(window_->close());
        QCOMPARE(closed, (QStringList{"frmNoteEditor", "Calculator", "frmTableEditor"}));
    }

    // Edit Table follows the type list (another tab, and the Metric tab chosen again, leave it as it was); what the
    // editor saves the Metric tab lists at once, keeping the value typed. Yes to making a missing table opens the
    // editor on the file to be created, in place of one open on another table unless that one is kept.
    void tableEditorFollowsTheMetricTab()
    {
        writeTable("Length.tbl", kLengthTable);
        QFile::remove(dir_.filePath(u"Custom.tbl"_s));
        QFile::remove(dir_.filePath(u"Electrical.tbl"_s));
        test::ScopedMessages messages;
        messages->answerNext(MsgAnswer::Yes); // Custom, with no editor open: the editor opens on it
        messages->answerNext(MsgAnswer::No);
        QStringList seen{entry("mnuTableEditor")->isEnabled() ? "start on" : "start off"};
        for (const char* step : {"Length", "Temperature", "Custom", "tab 2", "tab 1", "Electrical"}) {
            if (step[0] == 't')
                QTest::mouseClick(tab(step[4] - '0'), Qt::LeftButton);
            else
                choose(step);
            seen << QString::fromLatin1(step) + (entry("mnuTableEditor")->isEnabled() ? " on" : " off");
            if (editor()) {
                seen << editor()->windowTitle();
                delete editor();
            }
        }
        QCOMPARE(seen, (QStringList{"start off", "Length on", "Temperature off", "Custom on", "Editor - Custom",
                                    "tab 2 off", "tab 1 off", "Electrical on"}));

        choose("Length");
        window_->findChild<QLineEdit*>(u"metricText1"_s)->setText(u"5"_s);
        entry("mnuTableEditor")->trigger();
        QCOMPARE(editor()->windowTitle(), u"Editor - Length"_s);
        editorText()->insertPlainText(u"Yards vs Meters\nYards\nMeters\n0.9144\n\n"_s);
        editor()->findChild<QAction*>(u"tlbSave"_s)->trigger();
        QCOMPARE(listedPairs(), (QStringList{"Yards vs Meters", "Inches vs Millimeters", "Feet vs Meters"}));
        QCOMPARE(window_->findChild<QLineEdit*>(u"metricText1"_s)->text(), u"5"_s);

        // Yes to a missing table while the changed Length editor is open: Cancel to its question keeps it, No makes
        // way.
        editorText()->insertPlainText(u"X"_s);
        for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::Cancel, MsgAnswer::Yes, MsgAnswer::No})
            messages->answerNext(answer);
        choose("Custom");
        QCOMPARE(editor()->windowTitle(), u"Editor - Length"_s);
        QVERIFY(editor()->tableDirty());
        // Its save leaves the Custom tab as it is.
        editor()->findChild<QAction*>(u"tlbSave"_s)->trigger();
        QCOMPARE(listedPairs(), QStringList());
        editorText()->insertPlainText(u"Z"_s);
        choose("Length");
        choose("Custom");
        QCOMPARE(window_->windows().loadedWindows(), QList<QWidget*>{editor()});
        QCOMPARE(editor()->windowTitle(), u"Editor - Custom"_s);
        QCOMPARE(table("Length.tbl"), "Yards vs Meters\r\nYards\r\nMeters\r\n0.9144\r\n\r\nX" + kLengthTable);
        QStringList shown;
        for (const auto& message : std::as_const(messages->shown))
            shown << message.text;
        const QString missing = u"The file 'Custom.tbl' is missing.  Would you like to create a new table now?"_s;
        const QString save = u"Do you want to save your changes?"_s;
        QCOMPARE(shown.mid(1),
                 (QStringList{u"The file 'Electrical.tbl' is missing.  Would you like to create a new table "
                              "now?"_s,
                              missing, save, missing, save}));
        // The new table comes into being when the editor saves it, and the Metric tab lists it at once.
        QCOMPARE(editorText()->toPlainText(), QString());
        QVERIFY(!editor()->tableDirty());
        editorText()->insertPlainText(u"Hands vs Inches\nHands\nInches\n4\n"_s);
        editor()->findChild<QAction*>(u"tlbSave"_s)->trigger();
        QCOMPARE(table("Custom.tbl"), QByteArray("Hands vs Inches\r\nHands\r\nInches\r\n4\r\n\r\n"));
        QCOMPARE(listedPairs(), QStringList{"Hands vs Inches"});
    }

    // The splash shows its captions and goes after three ticks, closed before it reports; a click on it ends the
    // start at once, with no window opened.
    void splash()
    {
        auto* splash = new SplashForm;
        QCOMPARE(splash->objectName(), u"frmSplash"_s);
        QStringList captions;
        for (const char* name : {"lblVersion", "lblProductName", "lblPlatform"})
            captions << splash->findChild<QLabel*>(QString::fromLatin1(name))->text();
        QCOMPARE(captions, QStringList({"Version 1.0", "Mensurix", "Metric, English and more"}));
        QPointer<SplashForm> guard(splash);
        splash->show();
        QSignalSpy finished(splash, &SplashForm::finished);
        splash->onTick();
        splash->onTick();
        QVERIFY(finished.isEmpty() && splash->isVisible());
        splash->onTick();
        QCOMPARE(finished.size(), 1);
        QVERIFY(!splash->isVisible());
        QTRY_VERIFY(guard.isNull());

        bool reported = false;
        MainWindow* opened = window_; // anything but nullptr
        guard = startWithSplash(dir_.path(), [&](MainWindow* w) {
            reported = true;
            opened = w;
        });
        QVERIFY(QTest::qWaitForWindowExposed(guard));
        QTest::mouseClick(guard->findChild<QFrame*>(u"Frame1"_s), Qt::LeftButton);
        QTRY_VERIFY(guard.isNull());
        QVERIFY(reported);
        QCOMPARE(opened, nullptr);
    }

    void tipOpensOverAPaintedWindowOnceTheSplashIsGone()
    {
        delete window_; // a first start: no settings file, so the tip shows
        test::ScriptedDialogs dialogs;
        QPointer<SplashForm> splash;
        QPointer<MainWindow> main;
        QStringList seen;
        dialogs.answer(TipWindow::kFormName, [&](QDialog&) {
            seen << (splash.isNull() ? "splash gone" : "splash there");
            seen << (main && main->isVisible() ? "main visible" : "main hidden");
            seen << (main && main->windowHandle() && main->windowHandle()->isExposed() ? "main exposed"
                                                                                       : "not exposed");
            return int(QDialog::Accepted);
        });
        splash = startWithSplash(dir_.path(), [&](MainWindow* w) {
            main = w;
            w->windows().addDialog(TipWindow::kFormName, [] { return new QDialog; });
        });
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QTRY_VERIFY_WITH_TIMEOUT(!seen.isEmpty(), 5000); // three ticks of the splash
        QCOMPARE(seen, (QStringList{"splash gone", "main visible", "main exposed"}));
        QCOMPARE(dialogs.opened, QStringList{TipWindow::kFormName});
        window_ = main;
    }

private:
    TabStrip* strip() const { return window_->findChild<TabStrip*>(u"TabStrip1"_s); }
    QAbstractButton* tab(int i) const { return strip()->findChild<QAbstractButton*>(u"Tabs(%1)"_s.arg(i)); }
    QAction* entry(const char* name) const { return window_->findChild<QAction*>(QString::fromLatin1(name)); }
    QString visiblePanel() const
    {
        QStringList visible;
        for (const char* name : {"picMetric", "picHumidity", "picWind", "picVibration", "PicElectrical"}) {
            if (window_->findChild<QWidget*>(QString::fromLatin1(name))->isVisible())
                visible << QString::fromLatin1(name);
        }
        return visible.join(u',');
    }

    void choose(const char* type)
    {
        QVERIFY(test::chooseFromList(window_->findChild<QComboBox*>(u"Combo2"_s), QString::fromLatin1(type)));
    }

    // Opens a window as the user does, the table editor on Length, the find dialog from the note editor.
    QWidget* openWindow(const QString& name)
    {
        AccessoryWindows& windows = window_->windows();
        if (name == u"frmTabs")
            return window_;
        if (name == u"frmHelp") {
            entry("mnuContents")->trigger();
            return openHelpViewer();
        }
        if (name == u"frmTableEditor") {
            writeTable("Length.tbl", kLengthTable);
            choose("Length");
        } else if (name == u"frmFind") {
            windows.open(NoteEditorWindow::kFormName)->findChild<QAction*>(u"mnuFind"_s)->trigger();
            return windows.loaded(name);
        }
        return windows.open(name);
    }

    TableEditorWindow* editor() const
    {
        return qobject_cast<TableEditorWindow*>(window_->windows().loaded(TableEditorWindow::kFormName));
    }

    QPlainTextEdit* editorText() const { return editor()->findChild<QPlainTextEdit*>(u"txtEditor"_s); }
    QStringList listedPairs() const
    {
        return test::comboItems(window_->findChild<QComboBox*>(u"Combo1"_s), u"|"_s).split(u'|', Qt::SkipEmptyParts);
    }

    void writeTable(const char* name, const QByteArray& bytes)
    {
        QVERIFY(test::writeFileBytes(dir_.filePath(QString::fromLatin1(name)), bytes));
    }

    QByteArray table(const char* name) const { return test::readFileBytes(dir_.filePath(QString::fromLatin1(name))); }

    QTemporaryDir dir_;
    QPointer<MainWindow> window_;
    test::ScriptedDialogs dialogs_; // the first start's tip of the day
};

MX_REGISTER_TEST(MainWindowTest)
#include "tst_main_window.moc"
