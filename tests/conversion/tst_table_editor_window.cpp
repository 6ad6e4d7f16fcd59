#include "conversion/table_editor_window.h"
#include "platform/clipboard.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTest>
#include <QToolBar>

#include <optional>

using namespace mx;
using mx::test::ScopedMessages;

namespace {

const QByteArray kLength = "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n"
                           "Feet vs Meters\r\nFeet\r\nMeters\r\n0.3048\r\n\r\n";

// Each entry of a menu ("name=caption") or tool bar ("key=tool-tip"), with " off" when disabled.
QStringList describe(const QList<QAction*>& actions, bool toolTips = false)
{
    QStringList described;
    for (QAction* a : actions)
        described << a->objectName() + u'=' +
                         (a->isSeparator() ? QString()
                          : toolTips       ? a->toolTip()
                                           : a->text()) +
                         (a->isEnabled() ? QString() : QStringLiteral(" off"));
    return described;
}

} // namespace

class TableEditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void form();
    void unchangedSaveWritesTheSameBytes();
    void closing_data();
    void closing();
    void failedSaveLosesNothing();
    void checkTable_data();
    void checkTable();
    void cutAndCopyFollowTheSelection();
    void clipboard();
    void longLinesInPieces_data();
    void longLinesInPieces();
    void unreadFileReplacedOnlyAfterAsking();

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

void TableEditorWindowTest::form()
{
    open();
    QCOMPARE(editor_->windowTitle(), QStringLiteral("Editor - Length"));
    QCOMPARE(textBox()->toPlainText(), QStringLiteral("Inches vs Millimeters\nInches\nMillimeters\n25.4\n\n"
                                                      "Feet vs Meters\nFeet\nMeters\n0.3048\n"));
    QVERIFY(!editor_->tableDirty());
    QCOMPARE(textBox()->geometry(), QRect(4, 28, 365, 337));
    QStringList menus;
    for (QAction* m : editor_->menuBar()->actions())
        menus << m->menu()->objectName() + u'=' + m->text() + u':' + describe(m->menu()->actions()).join(u',');
    QCOMPARE(menus, (QStringList{
                        "mnuFile=&File:mnuSave=&Save,mnuFileS=,mnuExit=E&xit",
                        "mnuEdit=&Edit:mnuCut=C&ut,mnuCopy=&Copy,mnuPaste=&Paste,mnuEditS=,mnuCheckTable=Check &Table",
                        "mnuHelp=&Help:mnuContents=&Contents off,mnuAdding=&Editor Help off,mnuHelpS=,"
                        "mnuAbout=&About off"}));
    auto* bar = editor_->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    QCOMPARE(describe(bar->actions(), true), (QStringList{"tlbSave=Save", "tlbCut=Cut off", "tlbCopy=Copy off",
                                                          "tlbPaste=Paste", "=", "tlbCheck=Check Table"}));
    for (QAction* button : bar->actions())
        QVERIFY(button->isSeparator() || !button->icon().isNull());

    // A help entry turns on once something answers it.
    QSignalSpy topic(editor_.data(), &TableEditorWindow::helpTopicRequested);
    action("mnuAdding")->trigger();
    QCOMPARE(topic.size(), 1);
    QCOMPARE(topic[0].at(0).toInt(), 30);
    QVERIFY(!action("mnuAbout")->isEnabled());
}

// Saving without a change writes the bytes the file held, a no-break space too; no file gives an empty text.
void TableEditorWindowTest::unchangedSaveWritesTheSameBytes()
{
    const QByteArray bytes = "A\xA0\x80\r\n\xB0"
                             "F\r\nB\r\n1\r\n\r\n";
    open(&bytes);
    QSignalSpy saved(editor_.data(), &TableEditorWindow::saved);
    action("tlbSave")->trigger();
    QCOMPARE(test::readFileBytes(path()), bytes);
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved[0].at(0).toString(), path());
    delete editor_;
    QFile::remove(path());
    open(nullptr);
    QCOMPARE(textBox()->toPlainText(), QString());
}

// What closing does after what the user did, and what the file holds then.
void TableEditorWindowTest::closing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<int>("answer"); // to the question; -1: not asked
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("unchanged") << "" << false << -1 << true << kLength;
    QTest::newRow("typed, saved") << "X" << true << -1 << true << "X" + kLength;
    QTest::newRow("typed, Yes") << "X" << false << int(MsgAnswer::Yes) << true << "X" + kLength;
    QTest::newRow("typed, No") << "X" << false << int(MsgAnswer::No) << true << kLength;
    QTest::newRow("typed, Cancel") << "X" << false << int(MsgAnswer::Cancel) << false << kLength;
}

void TableEditorWindowTest::closing()
{
    QFETCH(QString, typed);
    QFETCH(bool, saveFirst);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    open();
    ScopedMessages messages;
    QTest::keyClicks(textBox(), typed);
    QCOMPARE(editor_->tableDirty(), !typed.isEmpty());
    if (saveFirst)
        action("mnuSave")->trigger();
    if (answer >= 0)
        messages->answerNext(MsgAnswer(answer));

    action("mnuExit")->trigger();
    QCOMPARE(messages->shown.size(), answer >= 0 ? 1 : 0);
    if (answer >= 0) {
        QCOMPARE(messages->shown[0].text, QStringLiteral("Do you want to save your changes?"));
        QCOMPARE(messages->shown[0].title, QStringLiteral("Mensurix"));
        QCOMPARE(messages->shown[0].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(messages->shown[0].icon, MsgIcon::Exclamation);
    }
    QTEST(test::readFileBytes(path()), "file");
    if (closes)
        QTRY_VERIFY(editor_.isNull());
    else
        QVERIFY(editor_->isVisible() && editor_->tableDirty() && textBox()->toPlainText().startsWith(u"XInches"));
}

// A full disk: the save says why, keeps the text, the unsaved state and the old file, and a close that would save
// keeps the window open.
void TableEditorWindowTest::failedSaveLosesNothing()
{
    open();
    ScopedMessages messages;
    textBox()->insertPlainText(QString(4000, u'x'));
    const QString text = textBox()->toPlainText();
    QSignalSpy saved(editor_.data(), &TableEditorWindow::saved);
    {
        test::FileSizeLimitScope full(1024);
        messages->answerNext(MsgAnswer::Ok);
        action("tlbSave")->trigger();
        messages->answerNext(MsgAnswer::Yes);
        messages->answerNext(MsgAnswer::Ok);
        QVERIFY(!editor_->close());
    }
    QCOMPARE(messages->shown.size(), 3);
    QCOMPARE(messages->shown[0].text,
             QStringLiteral("The file \"%1\" could not be saved: the disk is full.").arg(path()));
    QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(messages->shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(messages->shown[2].text, messages->shown[0].text);
    QCOMPARE(saved.size(), 0);
    QVERIFY(editor_->tableDirty() && editor_->isVisible());
    QCOMPARE(textBox()->toPlainText(), text);
    QCOMPARE(test::readFileBytes(path()), kLength);
}

// Check Table answers for the text as a save would write it; a save whose table would not load says why.
void TableEditorWindowTest::checkTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<MsgIcon>("icon");

    QTest::newRow("valid") << "A vs B\nA\nB\n2\n"
                           << "mnuCheckTable"
                           << "The table is valid: 1 conversion." << MsgIcon::Information;
    QTest::newRow("character a table cannot hold")
        << QStringLiteral("A\nB \u4E00\nC\n2\n") << "tlbCheck"
        << QStringLiteral("Line 2: the character \"\u4E00\" cannot be stored in a table file.") << MsgIcon::Exclamation;
    QTest::newRow("saved, loads with a zero factor") << "A\nB\nC\n0\n"
                                                     << "tlbSave"
                                                     << "" << MsgIcon::None;
    QTest::newRow("saved, does not load")
        << "A\nB\nC\n2"
        << "mnuSave"
        << "Line 5: the entry that begins on line 1 has no separator line." << MsgIcon::Exclamation;
}

void TableEditorWindowTest::checkTable()
{
    QFETCH(QString, text);
    QFETCH(QString, entry);
    QFETCH(QString, message);
    open();
    ScopedMessages messages;
    if (!message.isEmpty())
        messages->answerNext(MsgAnswer::Ok);
    textBox()->setPlainText(text);
    action(qPrintable(entry))->trigger();
    QCOMPARE(messages->shown.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(messages->shown[0].text, message);
        QTEST(messages->shown[0].icon, "icon");
    }
    // A save writes the file whatever the check says.
    if (entry.endsWith(u"Save"))
        QCOMPARE(test::readFileBytes(path()),
                 text.replace(QStringLiteral("\n"), QStringLiteral("\r\n")).toLatin1() + "\r\n");
}

void TableEditorWindowTest::cutAndCopyFollowTheSelection()
{
    open();
    const auto buttons = [this] {
        return QString::fromLatin1(action("tlbCut")->isEnabled() ? "on" : "off") + u'/' +
               QString::fromLatin1(action("tlbCopy")->isEnabled() ? "on" : "off");
    };
    QWidget* viewport = textBox()->viewport();

    // The key is seen before it takes effect: what it does to the selection shows at the next key or mouse move.
    QTest::keyClick(textBox(), Qt::Key_End, Qt::ShiftModifier);
    QVERIFY(textBox()->textCursor().hasSelection());
    QCOMPARE(buttons(), QStringLiteral("off/off"));
    QTest::mouseMove(viewport, QPoint(40, 40));
    QCOMPARE(buttons(), QStringLiteral("on/on"));
    QTest::keyClick(textBox(), Qt::Key_Right);
    QCOMPARE(buttons(), QStringLiteral("on/on"));
    QTest::keyClick(textBox(), Qt::Key_Shift);
    QCOMPARE(buttons(), QStringLiteral("off/off"));
    QVERIFY(action("mnuCut")->isEnabled() && action("mnuCopy")->isEnabled());

    // A selection dragged with the mouse shows at once.
    const QPoint start = textBox()->cursorRect(QTextCursor(textBox()->document())).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, start + QPoint(60, 0));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, start + QPoint(60, 0));
    QVERIFY(textBox()->textCursor().hasSelection());
    QCOMPARE(buttons(), QStringLiteral("on/on"));
}

void TableEditorWindowTest::clipboard()
{
    open();
    QClipboard* clipboard = QGuiApplication::clipboard();
    QPlainTextEdit* box = textBox();
    box->moveCursor(QTextCursor::Down, QTextCursor::KeepAnchor);
    box->moveCursor(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
    action("mnuCopy")->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("Inches vs Millimeters\nInches"));
    QVERIFY(!editor_->tableDirty());

    action("mnuCut")->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("Inches vs Millimeters\nInches"));
    QVERIFY(box->toPlainText().startsWith(u"\nMillimeters\n"));
    QVERIFY(editor_->tableDirty());
    box->moveCursor(QTextCursor::End);
    action("tlbPaste")->trigger();

    // Pasting nothing keeps the selection.
    clipboard->clear();
    box->selectAll();
    action("mnuPaste")->trigger();
    QVERIFY(box->toPlainText().startsWith(u"\nMillimeters\n"));

    action("mnuSave")->trigger();
    QVERIFY(test::readFileBytes(path()).endsWith("0.3048\r\nInches vs Millimeters\r\nInches\r\n"));

    // A clipboard that does not take the text: Cut says so and leaves the text alone.
    const ClipboardWriter previous = setClipboardWriter([](const QString&) { return false; });
    const auto restore = qScopeGuard([&] { setClipboardWriter(previous); });
    const QString before = box->toPlainText();
    box->selectAll();
    ScopedMessages messages;
    messages->answerNext(MsgAnswer::Ok);
    action("mnuCut")->trigger();
    QCOMPARE(box->toPlainText(), before);
    QVERIFY(!editor_->tableDirty());
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text,
             QStringLiteral("The selected text could not be put on the clipboard, so it was not cut."));
    QCOMPARE(messages->shown[0].icon, MsgIcon::Exclamation);
}

void TableEditorWindowTest::longLinesInPieces_data()
{
    QTest::addColumn<QString>("line");     // the long line of the file, between two short ones
    QTest::addColumn<QList<int>>("pieces"); // the lengths of the blocks the editor holds it in
    QTest::addColumn<bool>("enter");        // Enter pressed at character 3000 of the line before saving
    const QString hex = QString(6000, u'f');
    QTest::newRow("no break point: cut at 4096") << hex << QList<int>{4096, 1904} << false;
    QTest::newRow("cut after the last blank past half a piece")
        << QString(3000, u'a') + u' ' + QString(3000, u'b') << QList<int>{3001, 3000} << false;
    QTest::newRow("Enter in a piece splits the line there") << hex << QList<int>{4096, 1904} << true;
}

// An over-long line is held in pieces, each laid out on its own, and saved as the one line it is.
void TableEditorWindowTest::longLinesInPieces()
{
    QFETCH(QString, line);
    QFETCH(QList<int>, pieces);
    QFETCH(bool, enter);
    const QByteArray bytes = "A\r\n" + line.toLatin1() + "\r\nB\r\n";
    open(&bytes);
    QList<int> lengths;
    const QTextDocument* document = textBox()->document();
    for (QTextBlock block = document->findBlockByNumber(1); block.isValid() && block.next().isValid();
         block = block.next())
        lengths << int(block.text().size());
    QCOMPARE(lengths, pieces);
    if (enter) {
        QTextCursor cursor(document->findBlockByNumber(1));
        cursor.setPosition(cursor.position() + 3000);
        textBox()->setTextCursor(cursor);
        QTest::keyClick(textBox(), Qt::Key_Return);
    }
    ScopedMessages messages;
    action("mnuSave")->trigger();
    const QString saved = QString::fromLatin1(test::readFileBytes(path()));
    QCOMPARE(saved, enter ? QStringLiteral("A\r\n") + line.left(3000) + QStringLiteral("\r\n") + line.mid(3000) +
                                QStringLiteral("\r\nB\r\n")
                          : QString::fromLatin1(bytes));
}

// A table larger than the editor reads opens empty with a warning; saving over it asks what it would lose.
void TableEditorWindowTest::unreadFileReplacedOnlyAfterAsking()
{
    const QByteArray large(8 * 1024 * 1024 + 1, 'x');
    ScopedMessages messages;
    messages->answerNext(MsgAnswer::Ok);
    open(&large);
    QTRY_COMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text, QStringLiteral("The table file \"%1\" is larger than 8 MB, so the editor could "
                                                     "not read it.  The editor starts empty.")
                                          .arg(path()));
    textBox()->insertPlainText(QStringLiteral("A"));
    messages->answerNext(MsgAnswer::No);
    QVERIFY(!editor_->saveFile());
    QCOMPARE(messages->shown.size(), 2);
    QCOMPARE(messages->shown[1].text, QStringLiteral("The table file \"%1\" could not be read, so the editor does not "
                                                     "show it.  Saving replaces the file with the text shown, and the "
                                                     "8,388,609 bytes it holds will be lost.  Save anyway?")
                                          .arg(path()));
    QCOMPARE(messages->shown[1].buttons, MsgButtons::YesNo);
    QCOMPARE(QFileInfo(path()).size(), large.size());
    QVERIFY(editor_->tableDirty());
    messages->answerNext(MsgAnswer::Yes);
    messages->answerNext(MsgAnswer::Ok); // the table check: "A" alone does not load
    QVERIFY(editor_->saveFile());
    QCOMPARE(test::readFileBytes(path()), QByteArray("A\r\n"));
}

MX_REGISTER_TEST(TableEditorWindowTest)
#include "tst_table_editor_window.moc"
