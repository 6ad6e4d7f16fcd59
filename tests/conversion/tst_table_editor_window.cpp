#include "conversion/table_editor_window.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <map>
#include <optional>

using namespace mx;
using mx::test::ScopedMessages;

namespace {

const QByteArray kLength = "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n"
                           "Feet vs Meters\r\nFeet\r\nMeters\r\n0.3048\r\n\r\n";

} // namespace

class TableEditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void opensOnTheTable();
    void menus_data();
    void menus();
    void toolBar();
    void unchangedSaveWritesTheSameBytes_data();
    void unchangedSaveWritesTheSameBytes();
    void closing_data();
    void closing();
    void failedSaveLosesNothing_data();
    void failedSaveLosesNothing();
    void cutAndCopyFollowTheSelection();
    void clipboard();
    void placeIsReported();
    void helpEntriesWaitForAListener();

private:
    void open(const QByteArray* bytes = &kLength);
    QPlainTextEdit* textBox() const { return editor_->findChild<QPlainTextEdit*>(QStringLiteral("txtEditor")); }
    QAction* action(const char* name) const { return editor_->findChild<QAction*>(QString::fromLatin1(name)); }
    QString path() const { return dir_->filePath(QStringLiteral("Length.tbl")); }

    std::unique_ptr<QTemporaryDir> dir_;
    QPointer<TableEditorWindow> editor_;
};

void TableEditorWindowTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TableEditorWindowTest::cleanup()
{
    delete editor_;
    dir_.reset();
}

// Opens the editor on Length.tbl holding `bytes` (nullptr: no file).
void TableEditorWindowTest::open(const QByteArray* bytes)
{
    if (bytes)
        QVERIFY(test::writeFileBytes(path(), *bytes));
    editor_ = new TableEditorWindow(path(), QStringLiteral("Length"));
    editor_->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor_));
}

void TableEditorWindowTest::opensOnTheTable()
{
    open();
    QCOMPARE(editor_->objectName(), QStringLiteral("frmTableEditor"));
    QCOMPARE(editor_->windowTitle(), QStringLiteral("Editor - Length"));
    QCOMPARE(textBox()->toPlainText(), QStringLiteral("Inches vs Millimeters\nInches\nMillimeters\n25.4\n\n"
                                                      "Feet vs Meters\nFeet\nMeters\n0.3048\n"));
    QVERIFY(!editor_->tableDirty());
    QCOMPARE(editor_->filePath(), path());
    QCOMPARE(textBox()->geometry(), QRect(4, 28, 365, 337));
    QCOMPARE(editor_->minimumSize(), editor_->maximumSize());
    QVERIFY(editor_->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!textBox()->accessibleName().isEmpty());

    const AccessoryWindowTraits traits = TableEditorWindow::traits();
    QCOMPARE(traits.formName, QStringLiteral("frmTableEditor"));
    QCOMPARE(traits.openingSizeTwips, QSize(5700, 6180));
    QCOMPARE(traits.leftKey, QStringLiteral("Table Editor Left"));
    QCOMPARE(traits.topKey, QStringLiteral("Table Editor Top"));
    QVERIFY(traits.widthKey.isEmpty());
}

void TableEditorWindowTest::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("entries"); // name=caption, "off" when disabled
    QTest::newRow("file") << "mnuFile"
                          << "&File" << QStringList{"mnuSave=&Save", "mnuFileS=", "mnuExit=E&xit"};
    QTest::newRow("edit") << "mnuEdit"
                          << "&Edit" << QStringList{"mnuCut=C&ut", "mnuCopy=&Copy", "mnuPaste=&Paste"};
    QTest::newRow("help") << "mnuHelp"
                          << "&Help"
                          << QStringList{"mnuContents=&Contents off", "mnuAdding=&Editor Help off",
                                         "mnuHelpS=", "mnuAbout=&About off"};
}

void TableEditorWindowTest::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    open();
    auto* m = editor_->findChild<QMenu*>(menu);
    QVERIFY(m);
    QCOMPARE(m->title(), caption);
    QVERIFY(editor_->menuBar()->actions().contains(m->menuAction()));
    QStringList actual;
    for (QAction* a : m->actions()) {
        actual << a->objectName() + u'=' + (a->isSeparator() ? QString() : a->text()) +
                      (a->isEnabled() ? QString() : QStringLiteral(" off"));
    }
    QTEST(actual, "entries");
}

void TableEditorWindowTest::toolBar()
{
    open();
    auto* bar = editor_->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    QVERIFY(bar);
    QStringList buttons;
    for (QAction* a : bar->actions()) {
        QVERIFY(!a->icon().isNull());
        buttons << a->objectName() + u'=' + a->toolTip() + (a->isEnabled() ? QString() : QStringLiteral(" off"));
    }
    QCOMPARE(buttons, (QStringList{"tlbSave=Save", "tlbCut=Cut off", "tlbCopy=Copy off", "tlbPaste=Paste"}));

    // A button of another key does nothing.
    QAction* stray = bar->addAction(QStringLiteral("Find"));
    stray->setObjectName(QStringLiteral("tlbFind"));
    QSignalSpy saved(editor_.data(), &TableEditorWindow::saved);
    stray->trigger();
    QCOMPARE(saved.size(), 0);
    action("tlbSave")->trigger();
    QCOMPARE(saved.size(), 1);
}

// Saving without a change writes the bytes the file held, give or take a final line end.
void TableEditorWindowTest::unchangedSaveWritesTheSameBytes_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file yet
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("a table") << kLength << kLength;
    QTest::newRow("no final line end") << QByteArray("A\r\nB") << QByteArray("A\r\nB\r\n");
    QTest::newRow("no-break space and code page bytes") << QByteArray("A\xA0\x80\r\n\xB0"
                                                                      "F\r\n")
                                                        << QByteArray("A\xA0\x80\r\n\xB0"
                                                                      "F\r\n");
    QTest::newRow("extra empty line") << QByteArray("A\r\n\r\n") << QByteArray("A\r\n\r\n");
    QTest::newRow("empty file") << QByteArray("") << QByteArray("\r\n");
    QTest::newRow("no file: an empty text") << QByteArray() << QByteArray("\r\n");
}

void TableEditorWindowTest::unchangedSaveWritesTheSameBytes()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, saved);
    open(file.isNull() ? nullptr : &file);
    QVERIFY(!editor_->tableDirty());
    QSignalSpy spy(editor_.data(), &TableEditorWindow::saved);
    action("mnuSave")->trigger();
    QCOMPARE(test::readFileBytes(path()), saved);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0].at(0).toString(), path());
}

// What closing does after what the user did, and what the file holds then.
void TableEditorWindowTest::closing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<QString>("answer"); // "": not asked
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("unchanged") << "" << false << "" << true << kLength;
    QTest::newRow("typed, saved, closed") << "X" << true << "" << true << "X" + kLength;
    QTest::newRow("typed, Yes") << "X" << false << "Yes" << true << "X" + kLength;
    QTest::newRow("typed, No") << "X" << false << "No" << true << kLength;
    QTest::newRow("typed, Cancel") << "X" << false << "Cancel" << false << kLength;
}

void TableEditorWindowTest::closing()
{
    QFETCH(QString, typed);
    QFETCH(bool, saveFirst);
    QFETCH(QString, answer);
    QFETCH(bool, closes);
    open();
    ScopedMessages messages;
    textBox()->setFocus();
    textBox()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(textBox(), typed);
    QCOMPARE(editor_->tableDirty(), !typed.isEmpty());
    if (saveFirst)
        action("tlbSave")->trigger();
    const std::map<QString, MsgAnswer> answers = {
        {"Yes", MsgAnswer::Yes}, {"No", MsgAnswer::No}, {"Cancel", MsgAnswer::Cancel}};
    if (!answer.isEmpty())
        messages->answerNext(answers.at(answer));

    action("mnuExit")->trigger();
    QCOMPARE(messages->shown.size(), answer.isEmpty() ? 0 : 1);
    if (!answer.isEmpty()) {
        QCOMPARE(messages->shown[0].text, QStringLiteral("Do you want to save your changes?"));
        QCOMPARE(messages->shown[0].title, QStringLiteral("Mensurix"));
        QCOMPARE(messages->shown[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(messages->shown[0].icon, MsgIcon::Exclamation);
    }
    QCOMPARE(editor_->isVisible(), !closes);
    QTEST(test::readFileBytes(path()), "file");
    if (closes) {
        QTRY_VERIFY(editor_.isNull());
    } else {
        QVERIFY(textBox()->toPlainText().startsWith(u"XInches"));
        QVERIFY(editor_->tableDirty());
    }
    QCOMPARE(messages->unexpected, 0);
}

// A save that fails says why; the text, the unsaved state and the old file stay, and the window stays open.
void TableEditorWindowTest::failedSaveLosesNothing_data()
{
    QTest::addColumn<QString>("why");
    QTest::addColumn<QString>("message"); // %1: the file's path
    QTest::newRow("full disk") << "disk"
                               << "The file \"%1\" could not be saved: the disk is full.";
    QTest::newRow("a character the file cannot hold")
        << "character"
        << QString::fromUtf8("The character \"Ω\" cannot be stored in a table file.  Replace it and "
                             "save again.");
}

void TableEditorWindowTest::failedSaveLosesNothing()
{
    QFETCH(QString, why);
    QFETCH(QString, message);
    open();
    ScopedMessages messages;
    const QString typed = why == u"character" ? QString::fromUtf8("Ω") : QString(4000, u'x');
    textBox()->textCursor().insertText(typed);
    const QString text = textBox()->toPlainText();
    QSignalSpy saved(editor_.data(), &TableEditorWindow::saved);
    {
        std::optional<test::FileSizeLimitScope> full;
        if (why == u"disk")
            full.emplace(1024);
        messages->answerNext(MsgAnswer::Ok);
        action("tlbSave")->trigger();
        // Yes to the close question tries the save again; it fails again and the window stays.
        messages->answerNext(MsgAnswer::Yes);
        messages->answerNext(MsgAnswer::Ok);
        QVERIFY(!editor_->close());
    }
    QCOMPARE(messages->shown.size(), 3);
    QCOMPARE(messages->shown[0].text, QString(message).replace(QStringLiteral("%1"), path()));
    QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(messages->shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(messages->shown[2].text, messages->shown[0].text);
    QCOMPARE(saved.size(), 0);
    QVERIFY(editor_->tableDirty());
    QCOMPARE(textBox()->toPlainText(), text);
    QVERIFY(editor_->isVisible());
    QCOMPARE(test::readFileBytes(path()), kLength);
}

void TableEditorWindowTest::cutAndCopyFollowTheSelection()
{
    open();
    QAction* cut = action("tlbCut");
    QAction* copy = action("tlbCopy");
    const auto buttons = [&] {
        return QString::fromLatin1(cut->isEnabled() ? "on" : "off") + u'/' +
               QString::fromLatin1(copy->isEnabled() ? "on" : "off");
    };
    QWidget* viewport = textBox()->viewport();
    textBox()->setFocus();

    // The key is seen before it takes effect: the selection it makes shows at the next key or mouse move.
    QTest::keyClick(textBox(), Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(textBox()->textCursor().selectedText(), QStringLiteral("Inches vs Millimeters"));
    QCOMPARE(buttons(), QStringLiteral("off/off"));
    QTest::mouseMove(viewport, QPoint(40, 40));
    QCOMPARE(buttons(), QStringLiteral("on/on"));
    QTest::keyClick(textBox(), Qt::Key_Right);
    QCOMPARE(buttons(), QStringLiteral("on/on"));
    QTest::keyClick(textBox(), Qt::Key_Shift);
    QCOMPARE(buttons(), QStringLiteral("off/off"));

    // Selecting with the mouse: the buttons turn on while it moves.
    const QRect first = textBox()->cursorRect(QTextCursor(textBox()->document()));
    QTest::mousePress(viewport, Qt::LeftButton, {}, first.center());
    QTest::mouseMove(viewport, first.center() + QPoint(60, 0));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, first.center() + QPoint(60, 0));
    QVERIFY(textBox()->textCursor().hasSelection());
    QCOMPARE(buttons(), QStringLiteral("on/on"));
    textBox()->moveCursor(QTextCursor::Start);
    QTest::mouseMove(viewport, first.center() + QPoint(61, 0));
    QCOMPARE(buttons(), QStringLiteral("off/off"));

    // The menu entries work whatever the buttons show.
    QVERIFY(action("mnuCut")->isEnabled());
    QVERIFY(action("mnuCopy")->isEnabled());
}

void TableEditorWindowTest::clipboard()
{
    open();
    QClipboard* clipboard = QGuiApplication::clipboard();
    QPlainTextEdit* box = textBox();
    clipboard->clear();
    box->moveCursor(QTextCursor::Start);
    box->moveCursor(QTextCursor::Down, QTextCursor::KeepAnchor);
    box->moveCursor(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
    action("tlbCopy")->trigger(); // off until a key or the mouse shows it the selection
    QCOMPARE(clipboard->text(), QString());
    QTest::mouseMove(box->viewport(), QPoint(30, 30));
    action("tlbCopy")->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("Inches vs Millimeters\nInches"));
    QVERIFY(!editor_->tableDirty());

    action("mnuCut")->trigger();
    QVERIFY(box->toPlainText().startsWith(u"\nMillimeters\n"));
    QCOMPARE(clipboard->text(), QStringLiteral("Inches vs Millimeters\nInches"));
    QVERIFY(editor_->tableDirty());

    box->moveCursor(QTextCursor::End);
    action("tlbPaste")->trigger();
    QVERIFY(box->toPlainText().endsWith(u"0.3048\nInches vs Millimeters\nInches"));

    // Nothing to paste: the selection stays.
    clipboard->clear();
    box->selectAll();
    action("mnuPaste")->trigger();
    QVERIFY(box->toPlainText().startsWith(u"\nMillimeters\n"));

    // Copy with nothing selected empties the clipboard.
    clipboard->setText(QStringLiteral("before"));
    box->moveCursor(QTextCursor::Start);
    action("mnuCopy")->trigger();
    QCOMPARE(clipboard->text(), QString());

    action("mnuSave")->trigger();
    QVERIFY(test::readFileBytes(path()).endsWith("0.3048\r\nInches vs Millimeters\r\nInches\r\n"));
}

void TableEditorWindowTest::placeIsReported()
{
    open();
    QSignalSpy place(editor_.data(), &TableEditorWindow::placeToKeep);
    editor_->move(20, 30);
    QTRY_VERIFY(!place.isEmpty());
    QCOMPARE(place.last().at(0).toPoint(), QPoint(300, 450));
    place.clear();
    editor_->close();
    QCOMPARE(place.size(), 1);
    QCOMPARE(place.last().at(0).toPoint(), QPoint(300, 450));
}

void TableEditorWindowTest::helpEntriesWaitForAListener()
{
    open();
    QVERIFY(!action("mnuAdding")->isEnabled());
    QSignalSpy topic(editor_.data(), &TableEditorWindow::helpTopicRequested);
    QVERIFY(action("mnuAdding")->isEnabled());
    QVERIFY(!action("mnuContents")->isEnabled());
    action("mnuAdding")->trigger();
    QCOMPARE(topic.size(), 1);
    QCOMPARE(topic[0].at(0).toInt(), 30);
}

MX_REGISTER_TEST(TableEditorWindowTest)
#include "tst_table_editor_window.moc"
