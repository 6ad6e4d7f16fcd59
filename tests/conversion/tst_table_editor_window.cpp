#include "conversion/table_editor_window.h"
#include "scripted_messages.h"
#include "table_fixture.h"
#include "test_registry.h"
#include "window_helpers.h"

#include <QClipboard>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include <optional>

using namespace mx;
using mx::test::ScopedMessages;

using mx::test::kLengthTable;

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

private:
    void open(const QByteArray* bytes = &kLengthTable);
    QPlainTextEdit* textBox() const { return editor_->findChild<QPlainTextEdit*>(QStringLiteral("txtEditor")); }
    QAction* action(const char* name) const { return editor_->findChild<QAction*>(QString::fromLatin1(name)); }
    QString path() const { return tables_->filePath(QStringLiteral("Length.tbl")); }

    std::optional<test::TableFolder> tables_;
    QPointer<TableEditorWindow> editor_;
};

void TableEditorWindowTest::init()
{
    tables_.emplace();
    QVERIFY(tables_->isValid());
}

void TableEditorWindowTest::cleanup()
{
    delete editor_;
    tables_.reset();
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
    QCOMPARE(test::describeMenuBar(editor_->menuBar()),
             (QStringList{"mnuFile=&File: mnuSave=&Save, mnuFileS=, mnuExit=E&xit",
                          "mnuEdit=&Edit: mnuCut=C&ut, mnuCopy=&Copy, mnuPaste=&Paste, mnuEditS=, "
                          "mnuCheckTable=Check &Table",
                          "mnuHelp=&Help: mnuContents=&Contents off, mnuAdding=&Editor Help off, mnuHelpS=, "
                          "mnuAbout=&About off"}));
    auto* bar = editor_->findChild<QToolBar*>(QStringLiteral("Toolbar1"));
    QCOMPARE(test::describeActions(bar->actions(), true),
             "tlbSave=Save, tlbCut=Cut off, tlbCopy=Copy off, tlbPaste=Paste, =, tlbCheck=Check Table");
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
    QTest::newRow("unchanged") << "" << false << -1 << true << kLengthTable;
    QTest::newRow("typed, saved") << "X" << true << -1 << true << "X" + kLengthTable;
    QTest::newRow("typed, Yes") << "X" << false << int(MsgAnswer::Yes) << true << "X" + kLengthTable;
    QTest::newRow("typed, No") << "X" << false << int(MsgAnswer::No) << true << kLengthTable;
    QTest::newRow("typed, Cancel") << "X" << false << int(MsgAnswer::Cancel) << false << kLengthTable;
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
    QCOMPARE(messages->described(), answer >= 0 ? QStringList{"Mensurix [YesNoCancel Exclamation] Do you want to save "
                                                              "your changes?"}
                                                : QStringList());
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
    const QString full =
        QStringLiteral("Mensurix [Ok Exclamation] The file \"%1\" could not be saved: the disk is full.").arg(path());
    QCOMPARE(messages->described(),
             (QStringList{full, "Mensurix [YesNoCancel Exclamation] Do you want to save your changes?", full}));
    QCOMPARE(saved.size(), 0);
    QVERIFY(editor_->tableDirty() && editor_->isVisible());
    QCOMPARE(textBox()->toPlainText(), text);
    QCOMPARE(test::readFileBytes(path()), kLengthTable);
}

// Check Table answers for the text as a save would write it; a save whose table would not load says why.
void TableEditorWindowTest::checkTable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::newRow("valid") << "A vs B\nA\nB\n2\n"
                           << "mnuCheckTable"
                           << "Mensurix [Ok Information] The table is valid: 1 conversion.";
    QTest::newRow("character a table cannot hold")
        << QStringLiteral("A\nB \u4E00\nC\n2\n") << "tlbCheck"
        << QStringLiteral("Mensurix [Ok Exclamation] Line 2: the character \"\u4E00\" cannot be stored in a table "
                          "file.");
    QTest::newRow("saved, loads with a zero factor") << "A\nB\nC\n0\n"
                                                     << "tlbSave"
                                                     << "";
    QTest::newRow("saved, does not load")
        << "A\nB\nC\n2"
        << "mnuSave"
        << "Mensurix [Ok Exclamation] Line 5: the entry that begins on line 1 has no separator line.";
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
    QCOMPARE(messages->described().join(u'\n'), message);
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
}

MX_REGISTER_TEST(TableEditorWindowTest)
#include "tst_table_editor_window.moc"
