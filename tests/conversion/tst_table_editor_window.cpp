#include "conversion/table_editor_window.h"
#include "editor_steps.h"
#include "scripted_messages.h"
#include "table_fixture.h"
#include "test_registry.h"
#include "window_helpers.h"

#include <QClipboard>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QToolBar>

#include <optional>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::ScopedMessages;

using mx::test::kLengthTable;

class TableEditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        tables_.emplace();
        QVERIFY(tables_->isValid());
    }

    void cleanup()
    {
        delete editor_;
        tables_.reset();
    }

    void form()
    {
        open();
        QCOMPARE(editor_->windowTitle(), QStringLiteral("Editor - Length"));
        QVERIFY(editor_->testAttribute(Qt::WA_DeleteOnClose));
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

    // What the user does, from a Length.tbl holding `file` (none where null), and what is then shown, reported and
    // saved.
    void session_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("steps");     // as runEditorSteps() reads them
        QTest::addColumn<QString>("shown");     // the text, lines joined by "|", then " *" while unsaved; or "closed"
        QTest::addColumn<QString>("clipboard"); // null: not looked at
        QTest::addColumn<QString>("reported");  // messages, and each "saved" the editor announced
        QTest::addColumn<QByteArray>("saved");  // the file afterwards
        const QString length = u"Inches vs Millimeters|Inches|Millimeters|25.4||Feet vs Meters|Feet|Meters|0.3048|"_s;
        const QString question = u"Mensurix [YesNoCancel Exclamation] Do you want to save your changes?"_s;
        const QString full = u"Mensurix [Ok Exclamation] The file \"@\" could not be saved: the disk is full."_s;
        const auto row = [](const char* name, const QByteArray& file, const QString& steps, const QString& shown,
                            const QString& clipboard, const QString& reported, const QByteArray& saved) {
            QTest::newRow(name) << file << steps << shown << clipboard << reported << saved;
        };
        // An unchanged save writes the bytes the file held, a no-break space too (shown as a blank).
        const QByteArray odd = "A\xA0\x80\r\n\xB0"
                               "F\r\nB\r\n1\r\n\r\n";
        row("unchanged save", odd, u"tlbSave"_s, u"A €|°F|B|1|"_s, {}, u"saved"_s, odd);
        row("no file", {}, {}, QString(), {}, {}, {});
        row("unchanged, closed", kLengthTable, u"mnuExit"_s, u"closed"_s, {}, {}, kLengthTable);
        row("typed, saved, closed", kLengthTable, u"type X; mnuSave; mnuExit"_s, u"closed"_s, {}, u"saved"_s,
            "X" + kLengthTable);
        row("typed, Yes", kLengthTable, u"type X; Yes; mnuExit"_s, u"closed"_s, {}, question + u"\nsaved"_s,
            "X" + kLengthTable);
        row("typed, No", kLengthTable, u"type X; No; mnuExit"_s, u"closed"_s, {}, question, kLengthTable);
        row("typed, Cancel", kLengthTable, u"type X; Cancel; mnuExit"_s, u"X"_s + length + u" *"_s, {}, question,
            kLengthTable);
        // A save that fails says why and keeps the text, the unsaved state and the old file; a close that would save
        // keeps the window open.
        row("a full disk loses nothing", kLengthTable, u"type X; Ok; Yes; Ok; full; tlbSave; close; room"_s,
            u"X"_s + length + u" *"_s, {}, QStringList{full, question, full}.join(u'\n'), kLengthTable);
        row("copy", kLengthTable, u"Shift+Down; Shift+End; mnuCopy"_s, length, u"Inches vs Millimeters\nInches"_s, {},
            kLengthTable);
        // Pasting nothing keeps the selection.
        row("cut, paste at the end", kLengthTable,
            u"Shift+Down; Shift+End; mnuCut; Ctrl+End; tlbPaste; clip; all; mnuPaste; mnuSave"_s,
            u"|Millimeters|25.4||Feet vs Meters|Feet|Meters|0.3048|Inches vs Millimeters|Inches"_s, u""_s, u"saved"_s,
            "\r\nMillimeters\r\n25.4\r\n\r\nFeet vs Meters\r\nFeet\r\nMeters\r\n0.3048\r\nInches vs Millimeters\r\n"
            "Inches\r\n");
        row("a refused cut keeps the text", kLengthTable, u"refuse; all; Ok; mnuCut"_s, length, {},
            u"Mensurix [Ok Exclamation] The selected text could not be put on the clipboard, so it was not cut."_s,
            kLengthTable);
        // Check Table answers for the text as a save would write it; a save writes the file whatever the check says,
        // and says why its table would not load.
        row("check: valid", kLengthTable, u"set A vs B\nA\nB\n2\n; Ok; mnuCheckTable"_s, u"A vs B|A|B|2| *"_s, {},
            u"Mensurix [Ok Information] The table is valid: 1 conversion."_s, kLengthTable);
        row("check: a character a table cannot hold", kLengthTable, u"set A\nB \u4E00\nC\n2\n; Ok; tlbCheck"_s,
            u"A|B \u4E00|C|2| *"_s, {},
            u"Mensurix [Ok Exclamation] Line 2: the character \"\u4E00\" cannot be stored in a table file."_s,
            kLengthTable);
        row("saved, loads with a zero factor", kLengthTable, u"set A\nB\nC\n0\n; tlbSave"_s, u"A|B|C|0|"_s, {},
            u"saved"_s, "A\r\nB\r\nC\r\n0\r\n\r\n");
        row("saved, does not load", kLengthTable, u"set A\nB\nC\n2; Ok; mnuSave"_s, u"A|B|C|2"_s, {},
            u"Mensurix [Ok Exclamation] Line 5: the entry that begins on line 1 has no separator line.\nsaved"_s,
            "A\r\nB\r\nC\r\n2\r\n");
    }

    void session()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, steps);
        QFETCH(QString, clipboard);
        QFETCH(QString, reported);
        open(file.isNull() ? nullptr : &file);
        ScopedMessages messages;
        QSignalSpy saved(editor_.data(), &TableEditorWindow::saved);
        test::runEditorSteps(editor_, textBox(), messages.get(), steps);
        QTEST(!editor_ || !editor_->isVisible()
                  ? u"closed"_s
                  : textBox()->toPlainText().replace(u'\n', u'|') + (editor_->tableDirty() ? u" *"_s : u""_s),
              "shown");
        if (!clipboard.isNull())
            QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QStringList shown = messages->described();
        for (const QList<QVariant>& signal : std::as_const(saved)) {
            QCOMPARE(signal.at(0).toString(), path());
            shown << u"saved"_s;
        }
        QCOMPARE(shown.join(u'\n'), reported.replace(u'@', path()));
        QTEST(test::readFileBytes(path()), "saved");
    }

    void cutAndCopyFollowTheSelection()
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

    void longLinesInPieces_data()
    {
        QTest::addColumn<QString>("line");      // the long line of the file, between two short ones
        QTest::addColumn<QList<int>>("pieces"); // the lengths of the blocks the editor holds it in
        QTest::addColumn<bool>("enter");        // Enter pressed at character 3000 of the line before saving
        const QString hex = QString(6000, u'f');
        QTest::newRow("no break point: cut at 4096") << hex << QList<int>{4096, 1904} << false;
        QTest::newRow("cut after the last blank past half a piece")
            << QString(3000, u'a') + u' ' + QString(3000, u'b') << QList<int>{3001, 3000} << false;
        QTest::newRow("Enter in a piece splits the line there") << hex << QList<int>{4096, 1904} << true;
    }

    // An over-long line is held in pieces, each laid out on its own, and saved as the one line it is.
    void longLinesInPieces()
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

    // A table larger than the editor reads opens empty with a warning; saving over it asks what it would lose (the
    // document suite holds the whole texts).
    void unreadFileReplacedOnlyAfterAsking()
    {
        const QByteArray large(8 * 1024 * 1024 + 1, 'x');
        ScopedMessages messages;
        messages->answerNext(MsgAnswer::Ok);
        open(&large);
        QTRY_COMPARE(messages->shown.size(), 1);
        QVERIFY(messages->shown[0].text.endsWith(u"could not read it.  The editor starts empty."));
        textBox()->insertPlainText(QStringLiteral("A"));
        messages->answerNext(MsgAnswer::No);
        QVERIFY(!editor_->saveFile());
        QCOMPARE(messages->shown.size(), 2);
        QVERIFY(messages->shown[1].text.endsWith(u"bytes it holds will be lost.  Save anyway?"));
        QCOMPARE(messages->shown[1].buttons, MsgButtons::YesNo);
        QCOMPARE(QFileInfo(path()).size(), large.size());
        QVERIFY(editor_->tableDirty());
        messages->answerNext(MsgAnswer::Yes);
        messages->answerNext(MsgAnswer::Ok); // the table check: "A" alone does not load
        QVERIFY(editor_->saveFile());
        QCOMPARE(test::readFileBytes(path()), QByteArray("A\r\n"));
    }

private:
    // Opens the editor on Length.tbl holding `bytes` (nullptr: no file).
    void open(const QByteArray* bytes = &kLengthTable)
    {
        if (bytes)
            QVERIFY(test::writeFileBytes(path(), *bytes));
        editor_ = new TableEditorWindow(path(), QStringLiteral("Length"));
        editor_->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor_));
    }

    QPlainTextEdit* textBox() const { return editor_->findChild<QPlainTextEdit*>(QStringLiteral("txtEditor")); }
    QAction* action(const char* name) const { return editor_->findChild<QAction*>(QString::fromLatin1(name)); }
    QString path() const { return tables_->filePath(QStringLiteral("Length.tbl")); }

    std::optional<test::TableFolder> tables_;
    QPointer<TableEditorWindow> editor_;
};

MX_REGISTER_TEST(TableEditorWindowTest)
#include "tst_table_editor_window.moc"
