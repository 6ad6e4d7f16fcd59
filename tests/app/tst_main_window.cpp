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
#include "platform/shell_open.h"
#include "platform/window_placement.h"
#include "psychro/barometer_dialog.h"
#include "psychro/humidity_panel.h"
#include "scripted_dialogs.h"
#include "scripted_messages.h"
#include "settings_text.h"
#include "shell/about_window.h"
#include "shell/help_viewer.h"
#include "shell/tip_window.h"
#include "shell/web_site_window.h"
#include "table_fixture.h"
#include "test_helpers.h"
#include "test_registry.h"
#include "window_helpers.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <optional>
#include <sys/stat.h>

using namespace mx;
using namespace Qt::StringLiterals;
using test::kLengthTable;
using test::kStoredNumbers;
using test::settingsText;

namespace {

AccessoryWindowTraits traitsOf(const QString& formName)
{
    return {.formName = formName, .openingSizeTwips = {3000, 2000}};
}

const QByteArray kNotes = "{\\rtf1 A note and a Note\\par}";

QPoint pixelsOf(QPoint twips)
{
    return {qRound(twips.x() / 15.0), qRound(twips.y() / 15.0)};
}

QPoint centredTwips(QSize size)
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size() * 15;
    return {(screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2};
}

bool isCentred(const QWidget* w)
{
    return w->pos() == pixelsOf(centredTwips(w->frameGeometry().size() * 15));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { setProgramFont(); }
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        setAppPath(dir_->path());
        tips_ = 0;
        dialogs_ = std::make_unique<test::ScriptedDialogs>();
        dialogs_->answer(TipWindow::kFormName, [this](QDialog&) {
            ++tips_;
            return int(QDialog::Accepted);
        });
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
        dialogs_.reset();
    }

    // The names outside checks find the window's parts by, the menus as designed, and a name for every control.
    void form()
    {
        start();
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
                              "mnuBarometricPressure=&Barometric Pressure..., mnuPsychroChart=&Psychrometric Chart, "
                              "mnuToolsS=, mnuSavePositions=&Save Positions, mnuCenter=&Restore Defaults",
                              "mnuHelp=&Help: mnuContents=&Contents, mnuShowTip=&Show tip of the day, mnuHelpS=, "
                              "mnuAbout=&About this Program, mnuQuorvane=About &Quorvane"}));
        // Each entry of a menu is reached by its own letter.
        for (const QAction* menu : window_->menuBar()->actions()) {
            QSet<QKeySequence> letters;
            for (const QAction* entry : menu->menu()->actions()) {
                if (entry->isSeparator())
                    continue;
                const QKeySequence letter = QKeySequence::mnemonic(entry->text());
                QVERIFY2(!letters.contains(letter), qPrintable(entry->text()));
                letters.insert(letter);
            }
        }
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
    // Backtab with Shift held.
    void tabStrip_data()
    {
        QTest::addColumn<QString>("gesture"); // "click" or the keys pressed
        QTest::addColumn<int>("from");        // tab index 1 to 5
        QTest::addColumn<int>("to");
        QTest::newRow("click Humidity") << "click" << 1 << 2;
        QTest::newRow("right arrow wraps") << "Right" << 5 << 1;
        QTest::newRow("left arrow wraps") << "Left" << 1 << 5;
        QTest::newRow("Ctrl+Tab wraps") << "Ctrl+Tab" << 5 << 1;
        QTest::newRow("Ctrl+Shift+Tab wraps") << "Ctrl+Shift+Backtab" << 1 << 5;
        QTest::newRow("Ctrl+PageDown") << "Ctrl+PgDown" << 2 << 3;
        QTest::newRow("Ctrl+PageUp wraps") << "Ctrl+PgUp" << 1 << 5;
    }

    void tabStrip()
    {
        start();
        QFETCH(QString, gesture);
        QFETCH(int, from);
        QFETCH(int, to);
        const char* const panels[] = {"", "picMetric", "picHumidity", "picWind", "picVibration", "PicElectrical"};
        // A real X11 Ctrl+Shift+Tab matches only the Tab form of the key; Qt's own events match the Backtab form.
        QVERIFY(
            window_->findChild<QShortcut*>(u"previousTabKey"_s)->keys().contains(QKeySequence(u"Ctrl+Shift+Tab"_s)));
        QTest::mouseClick(tab(from), Qt::LeftButton);
        QCOMPARE(visiblePanel(), QString::fromLatin1(panels[from]));

        QSignalSpy chosen(strip(), &TabStrip::tabChosen);
        if (gesture == u"click") {
            QTest::mouseClick(tab(to), Qt::LeftButton);
        } else {
            window_->activateWindow();
            QTRY_VERIFY(window_->isActiveWindow());
            strip()->setFocus(); // the arrows are the strip's own; the others work wherever the focus is
            test::pressKeys(gesture);
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
        start();
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
        start();
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
        start();
        QVERIFY(test::writeFileBytes(NotesFile, kNotes));
        QVERIFY(QFile::copy(QStringLiteral(MX_DATA_DIR "/MENSURIX.HTM"), AppPath + u"MENSURIX.HTM"_s));
        action("mnuNoteEditor")->trigger();
        action("mnuNoteEditor")->trigger();
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
        for (const QString& way : {u"F1"_s, u"mnuContents"_s, u"mnuNoteHelp"_s}) {
            way == u"F1" ? QTest::keyClick(editor, Qt::Key_F1) : editor->findChild<QAction*>(way)->trigger();
            topics << openHelpViewer()->browser()->source().fragment();
        }
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
        start();
        QFETCH(QString, dirty);
        QFETCH(QStringList, answers);
        QFETCH(bool, exits);
        QFETCH(QString, saved);
        const bool tableDirty = dirty == u"both";
        writeTable("Length.tbl", kLengthTable);
        AccessoryWindows& windows = window_->windows();
        choose("Length");
        action("mnuTableEditor")->trigger();
        QPointer<TableEditorWindow> tableEditor = editor();
        if (tableDirty)
            editorText()->insertPlainText(u"X"_s);
        action("mnuNoteEditor")->trigger();
        QPointer<NoteEditorWindow> notes = qobject_cast<NoteEditorWindow*>(windows.loaded(NoteEditorWindow::kFormName));
        notes->findChild<QAction*>(u"mnuFind"_s)->trigger();
        QPointer<QWidget> find = windows.loaded(FindDialog::kFormName);
        QTest::keyClicks(notes->textBox(), u"unsaved"_s);
        action("mnuCalculator")->trigger();
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

    // Help ▸ About and Show Tip open their dialogs, About Quorvane the page beside the program. Asking for the tip
    // turns the tip at start back on: for a user who said No it is the only way back.
    void helpMenu()
    {
        start();
        test::ScriptedDialogs dialogs;
        for (const QString& name : {QString(AboutWindow::kFormName), QString(TipWindow::kFormName)})
            dialogs.answer(name, [](QDialog&) { return int(QDialog::Rejected); });
        window_->settings().showTipsAtStartup = false;
        action("mnuAbout")->trigger();
        QVERIFY(!window_->settings().showTipsAtStartup);
        action("mnuShowTip")->trigger();
        QVERIFY(window_->settings().showTipsAtStartup);
        QCOMPARE(dialogs.opened, (QStringList{AboutWindow::kFormName, TipWindow::kFormName}));
        QList<QUrl> opened;
        const ShellOpenHandler previous = setShellOpenHandler([&opened](const QUrl& url) {
            opened.append(url);
            return false; // ignored
        });
        action("mnuQuorvane")->trigger();
        setShellOpenHandler(previous);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(dir_->filePath(u"quorvane.htm"_s))});
    }

    // Resting on the link shows its hint; moving on takes it away over the logo (both elements of Image1) and the tab
    // strip, and over the panels that have a handler. Only the left button let go over the link opens the web dialog,
    // which shows the product icon.
    void link_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("gesture"); // moved onto a control, or a button pressed on the link and let go
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, int tab, const char* gesture, const char* outcome) {
            QTest::newRow(name) << tab << QString::fromLatin1(gesture) << QString::fromLatin1(outcome);
        };
        row("logo", 1, "Image1(0)", "hint gone");
        row("logo on the Humidity tab", 2, "Image1(1)", "hint gone");
        row("tab strip", 1, "TabStrip1", "hint gone");
        row("Metric panel", 1, "picMetric", "hint gone");
        row("Wind panel", 3, "picWind", "hint stays");
        row("left click", 1, "left over", "web opened, with its icon");
        row("right click", 1, "right over", "nothing opened");
        row("left press dragged off", 1, "left off", "nothing opened");
    }

    void link()
    {
        start();
        QFETCH(int, tab);
        QFETCH(QString, gesture);
        QFETCH(QString, outcome);
        QTest::mouseClick(this->tab(tab), Qt::LeftButton);
        auto* link = window_->findChild<QLabel*>(u"Image2"_s);
        if (gesture.contains(u' ')) {
            test::ScriptedDialogs dialogs;
            QString opened = u"nothing opened"_s;
            dialogs.answer(WebSiteWindow::kFormName, [&opened](QDialog& web) {
                opened = web.windowIcon().isNull() ? u"web opened"_s : u"web opened, with its icon"_s;
                return int(QDialog::Rejected);
            });
            const Qt::MouseButton button = gesture.startsWith(u"left") ? Qt::LeftButton : Qt::RightButton;
            QTest::mousePress(link, button, {}, link->rect().center());
            QTest::mouseRelease(link, button, {},
                                gesture.endsWith(u"over") ? link->rect().center() : QPoint(-5, link->height() / 2));
            QCOMPARE(opened, outcome);
            return;
        }
        auto* hint = window_->findChild<QLabel*>(u"lblTip"_s);
        QTest::mouseMove(link, link->rect().center());
        QTRY_VERIFY(hint->isVisible());
        QCOMPARE(hint->text(), u"Visit our web site"_s);
        // Onto the control itself: a move over a control on a panel is that control's.
        QWidget* over = window_->findChild<QWidget*>(gesture);
        QPoint bare(3, 3);
        while (over->childAt(bare) && bare.y() < over->height())
            bare += QPoint(0, 4);
        QTest::mouseMove(over, bare);
        QCOMPARE(hint->isVisible() ? u"hint stays"_s : u"hint gone"_s, outcome);
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
        row("table Ctrl+S", "frmTableEditor", "mnuSave=Ctrl+S", "table saved");
        row("find: Enter finds first, then next", "frmFind", "Return, Return", "found 13");
        row("find: Enter after Find First finds next", "frmFind", "Command1, Return", "found 13");
        row("find: Enter after a miss starts over", "frmFind", "Return, Return, Return, Return", "found 2");
        row("help: Escape", "frmHelp", "Escape", "closed");
    }

    void windowsAndTheirKeys()
    {
        start();
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
        start();
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
        start();
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
        start();
        writeTable("Length.tbl", kLengthTable);
        test::ScopedMessages messages;
        messages->answerNext(MsgAnswer::Yes); // Custom, with no editor open: the editor opens on it
        messages->answerNext(MsgAnswer::No);
        QStringList seen{action("mnuTableEditor")->isEnabled() ? "start on" : "start off"};
        for (const char* step : {"Length", "Temperature", "Custom", "tab 2", "tab 1", "Electrical"}) {
            if (step[0] == 't')
                QTest::mouseClick(tab(step[4] - '0'), Qt::LeftButton);
            else
                choose(step);
            seen << QString::fromLatin1(step) + (action("mnuTableEditor")->isEnabled() ? " on" : " off");
            if (editor()) {
                seen << editor()->windowTitle();
                delete editor();
            }
        }
        QCOMPARE(seen, (QStringList{"start off", "Length on", "Temperature off", "Custom on", "Editor - Custom",
                                    "tab 2 off", "tab 1 off", "Electrical on"}));

        choose("Length");
        window_->findChild<QLineEdit*>(u"metricText1"_s)->setText(u"5"_s);
        action("mnuTableEditor")->trigger();
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

        QStringList reported;
        guard = startWithSplash(dir_->path(), [&](MainWindow* w) { reported << (w ? "a window" : "no window"); });
        QVERIFY(QTest::qWaitForWindowExposed(guard));
        QTest::mouseClick(guard->findChild<QFrame*>(u"Frame1"_s), Qt::LeftButton);
        QTRY_VERIFY(guard.isNull());
        QCOMPARE(reported, QStringList{"no window"});
    }

    void tipOpensOverAPaintedWindowOnceTheSplashIsGone()
    {
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
        splash = startWithSplash(dir_->path(), [&](MainWindow* w) {
            main = w;
            w->windows().addDialog(TipWindow::kFormName, [] { return new QDialog; });
        });
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QTRY_VERIFY_WITH_TIMEOUT(!seen.isEmpty(), 5000); // three ticks of the splash
        QCOMPARE(seen, (QStringList{"splash gone", "main visible", "main exposed"}));
        QCOMPARE(dialogs.opened, QStringList{TipWindow::kFormName});
        window_ = main;
    }

    // One start and one exit without a click but perhaps on the tip's box: each starts centred with the tip; the exact
    // file the exit leaves. Unticking "Show Tips at Startup" is kept while every stored place is still 0.
    void startAndExit_data()
    {
        QTest::addColumn<QByteArray>("file");    // null: no file
        QTest::addColumn<bool>("untick");        // the tip's "Show Tips at Startup"
        QTest::addColumn<bool>("restoreMark");   // else Save Positions is checked
        QTest::addColumn<QByteArray>("written"); // null: the recovery path, which stores every window centred
        QTest::newRow("no file") << QByteArray() << false << true << settingsText({}, "Yes", "Yes");
        QTest::newRow("tip unticked") << QByteArray() << true << true << settingsText({}, "Yes", "No");
        // Keys a file lacks go after the last key of their section.
        QTest::newRow("missing keys") << QByteArray("[Position Information]\r\nMain Window Left= 1500\r\n") << false
                                      << true << settingsText({1500}, "Yes", "Yes");
        QTest::newRow("too large for 32 bits")
            << settingsText(kStoredNumbers, "No", "No").replace("= 1500", "= 2147483648") << false << false
            << QByteArray();
    }

    void startAndExit()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, untick);
        QFETCH(bool, restoreMark);
        QFETCH(QByteArray, written);
        if (!file.isNull())
            QVERIFY(test::writeFileBytes(SettingsFile, file));
        test::ScopedMessages messages;
        dialogs_->answer(TipWindow::kFormName, [this, untick](QDialog& tip) {
            ++tips_;
            tip.show();
            if (untick)
                QTest::mouseClick(tip.findChild<QCheckBox*>(QStringLiteral("chkLoadTipsAtStartup")), Qt::LeftButton);
            return int(QDialog::Accepted);
        });

        start();
        QVERIFY(isCentred(window_));
        QCOMPARE(action("mnuCenter")->isChecked(), restoreMark);
        QCOMPARE(action("mnuSavePositions")->isChecked(), !restoreMark);
        QCOMPARE(tips_, 1);
        // Recovery or not, the Metric panel lies below the tab strip, never over its tabs.
        const QPoint strip = window_->findChild<QWidget*>(QStringLiteral("TabStrip1"))->pos();
        QCOMPARE(window_->findChild<QWidget*>(QStringLiteral("picMetric"))->pos(), strip + pixelsOf({360, 1200}));

        if (written.isNull()) {
            const QPoint main = window_->pos() * 15;
            const QPoint calculator = centredTwips({2895, 3330});
            const QPoint table = centredTwips({5700, 6180});
            const QPoint notes = centredTwips({7200, 5400});
            written = settingsText({main.x(), main.y(), calculator.x(), calculator.y(), table.x(), table.y(), notes.x(),
                                    notes.y(), 7200, 5400, 0},
                                   "No", "Yes");
        }
        exit();
        QCOMPARE(test::readFileBytes(SettingsFile), written);
        QVERIFY(messages->shown.isEmpty());
    }

    // Clicks on Save Positions (S) and Restore Defaults (R) after a start from a file that says "No", the marks after
    // each ("S" checked, "s" not); then the window is moved and closed.
    void menuClicksDecideTheExit_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("marks");
        QTest::addColumn<QByteArray>("written");
        const QByteArray unchanged = settingsText(kStoredNumbers, "No", "No");
        const QByteArray saved = settingsText({4500, 6000, 4500, 600, 300, 150, 600, 900, 7200, 5400, 0}, "No", "No");
        const QByteArray restored = settingsText(kStoredNumbers, "Yes", "No");
        const auto row = [](const char* name, const char* clicks, const char* marks, const QByteArray& written) {
            QTest::newRow(name) << QString::fromLatin1(clicks) << QString::fromLatin1(marks) << written;
        };
        row("none", "", "", unchanged);
        row("S: the first click only clears the mark", "S", "sr", unchanged);
        row("SS", "SS", "sr Sr", saved);
        row("SSS: unchecked again", "SSS", "sr Sr sr", unchanged);
        row("R", "R", "sR", restored);
        row("RR: checked then unchecked", "RR", "sR sr", unchanged);
        row("SSR", "SSR", "sr Sr sR", restored);
        row("RS", "RS", "sR Sr", saved);
    }

    void menuClicksDecideTheExit()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, marks);
        QVERIFY(test::writeFileBytes(SettingsFile, settingsText(kStoredNumbers, "No", "No")));
        test::ScopedMessages messages;
        start();
        for (qsizetype i = 0; i < clicks.size(); ++i) {
            window_->move(10, 20);
            messages->clear();
            action(clicks[i] == u'S' ? "mnuSavePositions" : "mnuCenter")->trigger();
            const QString shown = marks.section(u' ', int(i), int(i));
            QCOMPARE(QString(action("mnuSavePositions")->isChecked() ? u'S' : u's') +
                         (action("mnuCenter")->isChecked() ? u'R' : u'r'),
                     shown);
            // Checking Restore Defaults centres the window at once and says so.
            const bool checked = clicks[i] == u'R' && shown.endsWith(u'R');
            QCOMPARE(messages->described(),
                     checked ? QStringList{QStringLiteral("Mensurix [Ok None] The program defaults have been reset.\n"
                                                          "This will take affect the next time this program is run.")}
                             : QStringList());
            QCOMPARE(isCentred(window_), checked);
        }
        // The marks only decide what the exit does: windows still open at their stored places.
        QCOMPARE(windowPosTwips(window_->windows().open(CalculatorWindow::kFormName)), QPoint(4500, 600));
        window_->move(300, 400);
        exit();
        QTEST(test::readFileBytes(SettingsFile), "written");
    }

    // Window places through a run. Each window opens centred at its opening size or at its stored place (the note
    // editor at its stored size too, the key named for the height holding the width) and keeps its place as it closes.
    // A window still open at exit is written where it is, by an exit that does not save the positions too (a file's
    // Save Positions mark is only shown); with Save Positions a maximised note editor keeps its last normal place and
    // size, and the next start opens it maximised with them underneath. The find dialog keeps its place for the run
    // only. Steps: a window opened ("calculator", "table", "notes", "find" from the note editor) or "main", which the
    // steps after it act on: "at X,Y" (pixels), "centred" (at its opening size), "size W,H", "move X,Y", "resize W,H",
    // "maximise", "maximised", "normal", "active" (once activated), "close"; "S" clicks Save Positions; "exit",
    // "start".
    void windowPlaces_data()
    {
        QTest::addColumn<QByteArray>("centre"); // the file's Center All Forms
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QByteArray>("written"); // what the file holds at the end
        const auto row = [](const char* name, const char* centre, const char* steps,
                            const test::StoredNumbers& written) {
            QTest::newRow(name) << QByteArray(centre) << QString::fromLatin1(steps)
                                << settingsText(written, centre, "No");
        };
        row("calculator", "No", "calculator; at 300,40; move 40,50; close; calculator; at 40,50; move 60,70; exit",
            {1500, 3000, 900, 1050, 300, 150, 600, 900, 7200, 5400, 0});
        row("calculator, centred", "Yes",
            "calculator; centred; move 40,50; close; calculator; centred; move 60,70; exit",
            {1500, 3000, 900, 1050, 300, 150, 600, 900, 7200, 5400, 0});
        row("table editor", "No", "table; at 20,10; move 40,50; close; table; at 40,50; move 60,70; exit",
            {1500, 3000, 4500, 600, 900, 1050, 600, 900, 7200, 5400, 0});
        // 7200 by 5400 twips less the frame the window allows for; resized to 500 by 400 pixels, the frame added.
        row("note editor", "No",
            "notes; at 40,60; size 472,332; move 40,50; resize 500,400; close; notes; at 40,50; size 500,400; "
            "move 60,70; exit",
            {1500, 3000, 4500, 600, 300, 150, 900, 1050, 7620, 6420, 0});
        row("note editor, centred at its opening size", "Yes",
            "notes; centred; size 472,332; move 40,50; resize 500,400; close; notes; centred; size 472,332; "
            "move 60,70; exit",
            {1500, 3000, 4500, 600, 300, 150, 900, 1050, 7200, 5400, 0});
        row("maximised note editor", "No",
            "notes; maximise; calculator; move 30,40; S; S; main; move 20,10; exit; start; notes; maximised; normal; "
            "size 472,332; at 40,60",
            {300, 150, 450, 600, 300, 150, 600, 900, 7200, 5400, 2});
        // Placed again at its first activation, at the same place.
        row("find dialog", "No",
            "notes; find; at 0,0; move 200,100; close; find; at 200,100; active; at 200,100; S; S; exit",
            kStoredNumbers);
    }

    void windowPlaces()
    {
        QFETCH(QByteArray, centre);
        QFETCH(QString, steps);
        QVERIFY(test::writeFileBytes(SettingsFile, settingsText(kStoredNumbers, centre, "No")));
        writeTable("Length.tbl", kLengthTable);
        start();
        choose("Length");
        const QMap<QString, QString> entries = {
            {u"calculator"_s, u"mnuCalculator"_s}, {u"table"_s, u"mnuTableEditor"_s}, {u"notes"_s, u"mnuNoteEditor"_s}};
        const QMap<QString, QSize> openingSizes = {
            {u"calculator"_s, {2895, 3330}}, {u"table"_s, {5700, 6180}}, {u"notes"_s, {7200, 5400}}};
        QPointer<QWidget> window;
        QString opened;
        for (const QString& step : steps.split(u"; "_s)) {
            const QString word = step.section(u' ', 0, 0);
            const QStringList numbers = step.section(u' ', 1).split(u',');
            const QPoint point = numbers.size() == 2 ? QPoint(numbers[0].toInt(), numbers[1].toInt()) : QPoint();
            if (entries.contains(word) || word == u"find") {
                if (word == u"find")
                    window_->windows()
                        .loaded(NoteEditorWindow::kFormName)
                        ->findChild<QAction*>(u"mnuFind"_s)
                        ->trigger();
                else
                    action(qPrintable(entries[word]))->trigger();
                window = window_->windows().loadedWindows().constLast();
                opened = word;
            } else if (word == u"main") {
                window = window_.data();
            } else if (word == u"at") {
                QCOMPARE(window->pos(), point);
            } else if (word == u"centred") {
                QCOMPARE(window->pos(), pixelsOf(centredTwips(openingSizes[opened])));
            } else if (word == u"size") {
                QTRY_COMPARE(window->size(), QSize(point.x(), point.y()));
            } else if (word == u"move" || word == u"resize") {
                word == u"move" ? window->move(point) : window->resize(point.x(), point.y());
            } else if (word == u"maximise" || word == u"normal") {
                window->setWindowState(word == u"maximise" ? Qt::WindowMaximized : Qt::WindowNoState);
            } else if (word == u"maximised") {
                QVERIFY(window->isMaximized());
            } else if (word == u"active") {
                QVERIFY(QTest::qWaitForWindowActive(window));
            } else if (word == u"close") {
                QVERIFY(window->close());
                QTRY_VERIFY(window.isNull());
            } else {
                QVERIFY2(word == u"S" || word == u"exit" || word == u"start", qPrintable(step));
                word == u"S" ? action("mnuSavePositions")->trigger() : word == u"exit" ? exit() : start();
            }
        }
        QTEST(test::readFileBytes(SettingsFile), "written");
    }

    // Settings that cannot be written are lost without a word, and nothing is left beside them. A named pipe in the
    // settings file's place would block the start for good if it were opened: the start is a first run.
    void unwritableSettingsAreLostQuietly_data()
    {
        QTest::addColumn<QString>("why");
        for (const char* why : {"read-only folder", "read-only file", "full disk", "named pipe"})
            QTest::newRow(why) << QString::fromLatin1(why);
    }

    void unwritableSettingsAreLostQuietly()
    {
        QFETCH(QString, why);
        const QByteArray old = settingsText(kStoredNumbers, "No", "No");
        std::optional<test::ReadOnlyScope> readOnly;
        if (why == u"named pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(SettingsFile).constData(), 0600), 0);
        } else {
            QVERIFY(test::writeFileBytes(SettingsFile, old));
            if (why.startsWith(u"read-only")) {
                readOnly.emplace(SettingsFile, why == u"read-only folder");
                if (!readOnly->blocksWrites())
                    QSKIP("permissions do not stop this user (root?)");
            }
        }
        test::ScopedMessages messages;
        start();
        QCOMPARE(tips_, why == u"named pipe" ? 1 : 0);
        action("mnuSavePositions")->trigger();
        action("mnuSavePositions")->trigger();
        window_->move(300, 400);
        {
            std::optional<test::FileSizeLimitScope> full;
            if (why == u"full disk")
                full.emplace(64);
            exit();
        }
        QVERIFY(messages->shown.isEmpty());
        QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Mensurix.ini")});
        if (why == u"named pipe")
            QVERIFY(!QFileInfo(SettingsFile).isFile());
        else
            QCOMPARE(test::readFileBytes(SettingsFile), old);
    }

    // A window that refuses to close cancels the exit. The file is written by then, but the run goes on under the
    // preference it had: windows opened after it still centre themselves.
    void cancelledExitKeepsThePlacementRule()
    {
        start();
        action("mnuSavePositions")->trigger();
        QPointer<QWidget> calculator = window_->windows().open(CalculatorWindow::kFormName);
        calculator->move(40, 50); // stored there by the exit
        int asked = 0;
        window_->windows().addWindow(traitsOf(u"frmStubborn"_s),
                                     [&asked] { return new test::ClosingHook([&asked] { return ++asked < 0; }); });
        QPointer<QWidget> stubborn = window_->windows().open(QStringLiteral("frmStubborn"));
        QVERIFY(!window_->close());
        QVERIFY(window_->isVisible());
        QCOMPARE(asked, 1); // asked once, not again and again
        QVERIFY(test::readFileBytes(SettingsFile).contains("Center All Forms=No"));
        QVERIFY(calculator->close());
        QTRY_VERIFY(calculator.isNull());
        QCOMPARE(window_->windows().open(CalculatorWindow::kFormName)->pos(), pixelsOf(centredTwips({2895, 3330})));
        delete stubborn;
        exit();
    }

    // The Humidity tab's barometric pressure: taken from the file (one written by hand too), chosen in its dialog,
    // shown on the tab, and written only when it is not the standard atmosphere, after "Startup Tips".
    void barometricPressure_data()
    {
        QTest::addColumn<QByteArray>("humidity"); // what the file holds after the keys of the exit
        QTest::addColumn<QString>("choice");  // in the dialog: "" not opened, "cancel", "standard" or an altitude in ft
        QTest::addColumn<QString>("caption"); // on the Humidity tab; empty: none shown
        QTest::addColumn<QByteArray>("written"); // what the exit leaves after those keys
        const QByteArray key = "[Humidity]\r\nBarometric Pressure=";
        const QString denver = QStringLiteral("At 24.90 inHg (5,000 ft)");
        const QString none;
        // clang-format off
        QTest::newRow("standard") << QByteArray() << none << none << QByteArray();
        QTest::newRow("written by hand") << key + "24.896\r\n" << none << denver << key + "24.896\r\n";
        QTest::newRow("too long to read") << key + QByteArray(130, '2') + "\r\n" << none << none << QByteArray();
        QTest::newRow("what else the section holds stays") << key + "high\r\n; mine\r\n" << none << none
                                                           << QByteArray("[Humidity]\r\n; mine\r\n");
        QTest::newRow("chosen") << QByteArray() << "5000" << denver << key + "24.896\r\n";
        QTest::newRow("back to standard") << key + "20.577\r\n" << "standard" << none << QByteArray();
        QTest::newRow("cancelled") << key + "20.577\r\n" << "cancel" << "At 20.58 inHg (10,000 ft)"
                                   << key + "20.577\r\n";
        // clang-format on
    }

    void barometricPressure()
    {
        QFETCH(QByteArray, humidity);
        QFETCH(QString, choice);
        QFETCH(QString, caption);
        const QByteArray stored = settingsText(kStoredNumbers, "No", "No");
        QVERIFY(test::writeFileBytes(SettingsFile, stored + humidity));
        dialogs_->answer(BarometerDialog::kFormName, [choice](QDialog& dialog) {
            if (choice == u"cancel")
                return int(QDialog::Rejected);
            const bool standard = choice == u"standard";
            dialog.findChild<QRadioButton*>(standard ? QStringLiteral("optStandard") : QStringLiteral("optAltitude"))
                ->setChecked(true);
            if (!standard)
                dialog.findChild<QLineEdit*>(QStringLiteral("txtAltitude"))->setText(choice);
            dialog.accept();
            return dialog.result();
        });
        start();
        QSignalSpy changed(window_->findChild<HumidityPanel*>(), &HumidityPanel::pressureChanged);
        if (!choice.isEmpty())
            action("mnuBarometricPressure")->trigger();
        QCOMPARE(changed.size(), choice.isEmpty() || choice == u"cancel" ? 0 : 1);
        QCOMPARE(dialogs_->opened.count(BarometerDialog::kFormName), choice.isEmpty() ? 0 : 1);
        window_->findChild<TabStrip*>()->chooseTab(1);
        const auto* shown = window_->findChild<QLabel*>(QStringLiteral("lblPressure"));
        QCOMPARE(shown->isVisible(), !caption.isEmpty());
        if (!caption.isEmpty())
            QCOMPARE(shown->text(), caption);
        exit();
        QFETCH(QByteArray, written);
        QCOMPARE(test::readFileBytes(SettingsFile), stored + written);
    }

    // A portable folder that may not be written: its settings and notes are read until the user has copies of their
    // own, the user is told once where changes go, and the first writes copy the files over with all they held.
    void lockedPortableFolder()
    {
        const QString program = dir_->filePath(QStringLiteral("program"));
        const FilePlaces places(program, dir_->filePath(QStringLiteral("data")),
                                dir_->filePath(QStringLiteral("config")), FilePlaces::Layout::ReadOnlyFolder);
        QVERIFY(QDir().mkpath(program) && places.makeUserFolders());
        const QByteArray folderSettings = settingsText(kStoredNumbers, "No", "No") + "[Mine]\r\nKept=1\r\n";
        QVERIFY(test::writeFileBytes(places.shipped(QStringLiteral("Mensurix.ini")), folderSettings));
        QVERIFY(
            test::writeFileBytes(places.shipped(QStringLiteral("MXNotes.rtf")), "{\\rtf1 The folder's notes\\par}"));

        test::ScopedMessages messages;
        messages->answerNext(MsgAnswer::Ok);
        start(places);
        QCOMPARE(tips_, 0); // the folder's "Show Tips=No"
        QCOMPARE(window_->pos(), pixelsOf({1500, 3000}));
        QCOMPARE(messages->described(),
                 QStringList{
                     QStringLiteral("Mensurix [Ok Information] Mensurix cannot save in its folder \"%1/\".  From now "
                                    "on it keeps your settings in \"%2/config/\", and your notes, the tables you "
                                    "edit and your place in the tips of the day in \"%2/data/\".")
                         .arg(program, dir_->path())});
        action("mnuNoteEditor")->trigger();
        QWidget* editor = window_->windows().loaded(NoteEditorWindow::kFormName);
        QCOMPARE(editor->findChild<QTextEdit*>(QStringLiteral("RTF"))->toPlainText(),
                 QStringLiteral("The folder's notes"));
        QVERIFY(QFileInfo::exists(places.own(QStringLiteral("MXNotes.rtf"))));
        exit();
        QCOMPARE(test::readFileBytes(places.config(QStringLiteral("Mensurix.ini"))), folderSettings);
        QCOMPARE(test::readFileBytes(places.shipped(QStringLiteral("Mensurix.ini"))), folderSettings);

        start(places);
        QCOMPARE(messages->shown.size(), 1); // once
        exit();
    }

private:
    TabStrip* strip() const { return window_->findChild<TabStrip*>(u"TabStrip1"_s); }
    QAbstractButton* tab(int i) const { return strip()->findChild<QAbstractButton*>(u"Tabs(%1)"_s.arg(i)); }
    void start() { start(dir_->path()); }
    void start(const FilePlaces& places)
    {
        window_ = new MainWindow(places);
        QSignalSpy started(window_, &MainWindow::started);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        QTRY_COMPARE(started.size(), 1);
    }

    void exit()
    {
        QVERIFY(window_->close());
        delete window_; // deleted on close, but only once an event loop gets to it
    }

    QAction* action(const char* name) const { return window_->findChild<QAction*>(QString::fromLatin1(name)); }
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
            action("mnuContents")->trigger();
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
        QVERIFY(test::writeFileBytes(dir_->filePath(QString::fromLatin1(name)), bytes));
    }

    QByteArray table(const char* name) const { return test::readFileBytes(dir_->filePath(QString::fromLatin1(name))); }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::ScriptedDialogs> dialogs_; // answers the tip of the day, counting it in tips_
    QPointer<MainWindow> window_;
    int tips_ = 0;
};

MX_REGISTER_TEST(MainWindowTest)
#include "tst_main_window.moc"
