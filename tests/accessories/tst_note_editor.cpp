#include "accessories/note_editor_window.h"
#include "accessories/notes_file.h"
#include "accessories/spelling_dialog.h"
#include "platform/soft_breaks.h"
#include "platform/window_placement.h"

#include "editor_steps.h"
#include "scripted_dialogs.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"
#include "text_document_describe.h"
#include "window_helpers.h"

#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QFontDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

#include <sys/stat.h>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::describeDocument;
using mx::test::ScopedMessages;
using mx::test::ScriptedDialogs;

class NoteEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void cleanup()
    {
        picks_.clear();
        delete editor_;
        QGuiApplication::clipboard()->clear();
    }

    void opensAsDesigned()
    {
        QVERIFY(openEditor());
        QCOMPARE(editor_->objectName() + u' ' + editor_->windowTitle() + u' ' + editor_->textBox()->objectName(),
                 u"frmNoteEditor Notes RTF"_s);
        QVERIFY(editor_->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(test::describeMenuBar(editor_->findChild<QMenuBar*>()),
                 (QStringList{
                     u"mnuFile=&File: mnuSave=&Save, mnuFileS=, mnuExit=E&xit"_s,
                     u"mnuEdit=&Edit: mnuCut=C&ut, mnuCopy=&Copy, mnuPaste=&Paste, mnuSpelling=Check S&pelling, "
                     "tlbEditS1=, mnuFind=&Find"_s,
                     u"mnuAppearance=&Appearance: mnuColor=C&olor, mnuFont=&Font, mnuBold=&Bold, "
                     "mnuItalic=&Italic, mnuUnderline=&Underline, mnuLeft=&Left, mnuCenter=&Center, "
                     "mnuRight=&Right"_s,
                     u"mnuHelp=&Help: mnuContents=&Contents, mnuNoteHelp=&Note Editor, mnuHelpS=, mnuAbout=&About"_s}));
        // The colour swatch and the font size box stand at the end.
        QCOMPARE(test::describeActions(editor_->findChild<QToolBar*>(u"Toolbar1"_s)->actions(), true),
                 u"tlbCut=Cut off, tlbCopy=Copy off, tlbPaste=Paste, =, tlbSpelling=Check Spelling, =, tlbBold=Bold, "
                 "tlbItalic=Italic, tlbUnderline=Underline, =, tlbLeft=Left Justify, tlbCenter=Center Justify, "
                 "tlbRight=Right Justify, =, tlbFind=Find Text, =, =, ="_s);
        auto* sizes = editor_->findChild<QComboBox*>(u"cboFontSize"_s);
        QCOMPARE(test::comboItems(sizes, u" "_s), u"8 9 10 11 12 13 14 15 16 17 18 19 20 24 26 28 32 34 36 40"_s);
        QCOMPARE(sizes->currentText(), u"12"_s);
        QCOMPARE(editor_->textBox()->currentFont().pointSize(), 12);
        for (QWidget* control : editor_->findChildren<QWidget*>()) {
            if (!control->objectName().isEmpty() && !control->objectName().startsWith(u"qt_"_s))
                QVERIFY2(!control->accessibleName().isEmpty() || !control->accessibleDescription().isEmpty(),
                         qPrintable(control->objectName()));
        }
        // Cut and Copy on the tool bar follow the selection; the menu entries stay on.
        ScopedMessages messages;
        run(messages.get(), u"type abc; Shift+Left"_s);
        QVERIFY(action("tlbCut")->isEnabled() && action("tlbCopy")->isEnabled());
        run(messages.get(), u"End"_s);
        QVERIFY(!action("tlbCut")->isEnabled() && !action("tlbCopy")->isEnabled() && action("mnuCut")->isEnabled());
    }

    // What the user does, from a notes file (none where null; "pipe" a named pipe in its place, "link" a link to
    // nothing, "65 MB" a file larger than the editor reads), and what is then shown, reported and saved. The editor's
    // colour and font dialogs are cancelled unless a "pick" step answers them.
    void session_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("steps"); // as run() reads them
        QTest::addColumn<QString>("shown"); // the document, " *" while unsaved, the swatch if not black; or "closed"
        QTest::addColumn<QString>("clipboard"); // null: not looked at
        QTest::addColumn<QString>("reported");  // messages ("@" is the folder), and dialogs opened
        QTest::addColumn<QByteArray>("saved");  // the file afterwards; null: not looked at
        const QByteArray old = "{\\rtf1 old}";
        const QString question = u"Mensurix [YesNoCancel Exclamation] Do you want to save your changes?"_s;
        const QString full =
            u"Mensurix [Ok Exclamation] The file \"@/MXNotes.rtf\" could not be saved: the disk is full."_s;
        const auto row = [](const char* name, const QByteArray& file, const QString& steps, const QString& shown,
                            const QString& clipboard = {}, const QString& reported = {}, const QByteArray& saved = {}) {
            QTest::newRow(name) << file << steps << shown << clipboard << reported << saved;
        };
        // Every attribute the editor sets, saved.
        row("formats", {},
            u"type Title; Return; type plain italic under; select 0-5; tlbCenter; pick #ff0000; swatch; "
            "pick Liberation Serif 30 b i; mnuFont; size 16; select 12-18; tlbItalic; mnuRight; select 18-24; "
            "mnuUnderline; mnuSave"_s,
            u"C [Liberation Serif 16 b i #ff0000]Title / R [- -]plain [- - i]italic[- - u] under swatch #ff0000"_s, {},
            u"CommonDialog1 opened\nCommonDialog1 opened"_s,
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Liberation Serif;}"
            "{\\f1\\fnil\\fcharset0 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
            "\\pard\\qc\\f0\\fs32\\b\\i\\cf1 Title\\f1\\fs24\\b0\\i0\\cf0\\par\r\n"
            "\\pard\\qr plain \\i italic\\i0\\ul  under\\ulnone\\par\r\n}\r\n");
        // A style chosen for text in the default font: the text keeps its family, not the one standing in for it.
        row("font style only", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 plain}", u"all; pick stand-in 12 b i; mnuFont"_s,
            u"L [Arial 12 b i]plain *"_s, {}, u"CommonDialog1 opened"_s);
        row("bold", {}, u"type word; mnuSave; all; mnuBold"_s, u"L [- - b]word *"_s);
        row("bold twice", {}, u"type word; mnuSave; all; mnuBold; mnuBold"_s, u"L [- -]word *"_s);
        row("underline by the tool bar", {}, u"type word; all; tlbUnderline"_s, u"L [- - u]word *"_s);
        row("half bold becomes bold", {}, u"type word; select 0-2; mnuBold; all; mnuBold"_s, u"L [- - b]word *"_s);
        row("cancelled dialogs change nothing", {}, u"type word; mnuSave; all; mnuColor; mnuFont; swatch"_s,
            u"L [- -]word"_s, {}, u"CommonDialog1 opened\nCommonDialog1 opened\nCommonDialog1 opened"_s);
        row("copy", {}, u"type one two; Shift+Left; Shift+Left; tlbCopy"_s, u"L [- -]one two *"_s, u"wo"_s);
        row("cut, then paste", {}, u"type one two; Shift+Left; Shift+Left; mnuCut; Home; tlbPaste"_s,
            u"L [- -]woone t *"_s, u"wo"_s);
        row("paragraphs go out as lines and come back", {}, u"clip first\nsecond; all; mnuPaste; all; mnuCopy"_s,
            u"L [- -]first / L [- -]second *"_s, u"first\nsecond"_s);
        row("an empty clipboard keeps the selection", {}, u"type keep; all; clip; mnuPaste"_s, u"L [- -]keep *"_s);
        row("a refused cut keeps the text", {}, u"refuse; type keep; all; Ok; mnuCut"_s, u"L [- -]keep *"_s, {},
            u"Mensurix [Ok Exclamation] The selected text could not be put on the clipboard, so it was not cut."_s);
        row("a refused copy says so", {}, u"refuse; type keep; all; Ok; tlbCopy"_s, u"L [- -]keep *"_s, {},
            u"Mensurix [Ok Exclamation] The selected text could not be put on the clipboard."_s);
        row("Yes saves and closes", old, u"all; type new notes; Yes; mnuExit"_s, u"closed"_s, {}, question,
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
            "\\pard\\f0\\fs24 new notes\\par\r\n}\r\n");
        row("closed after a save without a question", {}, u"type x; mnuSave; close"_s, u"closed"_s);
        row("No closes without saving", old, u"all; type new notes; No; mnuExit"_s, u"closed"_s, {}, question, old);
        row("Cancel keeps the editor", old, u"all; type new notes; Cancel; mnuExit"_s, u"L [- 12]new notes *"_s, {},
            question, old);
        // The space is the file's, not the editor's.
        row("emptied notes saved as a space", old, u"all; Delete; mnuSave"_s, u"L |[- 12]"_s, {}, {},
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
            "\\pard\\f0\\fs24  \\par\r\n}\r\n");
        row("a full disk loses nothing", old, u"type more ; Ok; Yes; Ok; full; mnuSave; close; room"_s,
            u"L [- -]more [- 12]old *"_s, {}, QStringList{full, question, full}.join(u'\n'), old);
        row("saved once there is room", old, u"type more ; Ok; full; mnuSave; room; mnuSave"_s,
            u"L [- -]more [- 12]old"_s, {}, full,
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
            "\\pard\\f0\\fs24 more old\\par\r\n}\r\n");
        row("damaged file opens as far as read", "{\\rtf1 Hello {\\b world", u""_s, u"L [- 12]Hello [- 12 b]world"_s,
            {},
            u"Mensurix [Ok Exclamation] Part of the notes file \"@/MXNotes.rtf\" could not be read.  The notes show "
            "what could be read; saving them will replace the file."_s,
            "{\\rtf1 Hello {\\b world");
        row("pipe", "pipe", u""_s, u"L |[- -]"_s, {},
            u"Mensurix [Ok Exclamation] The notes file \"@/MXNotes.rtf\" is not a file that can be read.  The note "
            "editor starts empty, and the notes cannot be saved there."_s);
        row("link to nothing", "link", u""_s, u"L |[- -]"_s, {},
            u"Mensurix [Ok Exclamation] The notes file \"@/MXNotes.rtf\" is a link to \"@/MXNotes.rtf.gone\", which "
            "does not exist.  The note editor starts empty, and the notes cannot be saved there."_s);
        const QString cut =
            u"Mensurix [Ok Exclamation] The notes file \"@/MXNotes.rtf\" is larger than 64 MB: only its "
            "first 64 MB were read.  Saving the notes will ask before replacing the file, as the rest "
            "of it would be lost.\nMensurix [YesNo Exclamation] The notes file \"@/MXNotes.rtf\" was "
            "read only in part.  Saving replaces it with the notes as shown, and the rest of the file "
            "will be lost.  Save anyway?"_s;
        row("a cut file kept on No", "65 MB", u"type x; No; mnuSave"_s, u"L [- -]x[- 12]Start of the notes *"_s, {},
            cut, "65 MB");
        // Once replaced, the file holds what the editor shows: no more questions.
        row("a cut file replaced on Yes", "65 MB", u"type x; Yes; mnuSave; type y; mnuSave"_s,
            u"L [- -]xy[- 12]Start of the notes"_s, {}, cut,
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
            "\\pard\\f0\\fs24 xyStart of the notes\\par\r\n}\r\n");
        row("spelling without a dictionary", {}, u"type Thiss; no dictionary; Ok; mnuSpelling"_s, u"L [- -]Thiss *"_s,
            {},
            u"Mensurix [Ok None] The spelling dictionary \"en_US\" is not installed or cannot be read (@/en_US.aff, "
            "@/en_US.dic)."_s);
    }

    void session()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, clipboard);
        QFETCH(QString, reported);
        QFETCH(QByteArray, saved);
        if (file == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(notesPath()).constData(), 0600), 0);
        else if (file == "link")
            QVERIFY(QFile::link(notesPath() + u".gone"_s, notesPath()));
        else if (file == "65 MB") // sparse, so it costs no disk
            QVERIFY(test::writeFileBytes(notesPath(), "{\\rtf1 Start of the notes") &&
                    QFile::resize(notesPath(), kCutSize));
        else if (!file.isNull())
            QVERIFY(test::writeFileBytes(notesPath(), file));
        ScopedMessages messages;
        QVERIFY(openEditor());
        QCoreApplication::processEvents(); // the warning on opening comes once the window is there
        // What was said on opening stays in the status strip.
        QCOMPARE(editor_->findChild<QLabel*>(u"picStatusBar"_s)->text(),
                 messages->shown.isEmpty() ? QString() : messages->shown[0].text);
        QSignalSpy closing(editor_.data(), &NoteEditorWindow::closing);
        ScriptedDialogs dialogs;
        dialogs.answer(u"CommonDialog1"_s, [this](QDialog& dialog) { return pick(dialog); });
        QFETCH(QString, steps);
        this->run(messages.get(), steps);
        const bool closed = !editor_->isVisible() && closing.size() == 1;
        QTEST(closed ? u"closed"_s
                     : describeDocument(*editor_->textBox()->document()).join(u" / "_s) +
                           (editor_->notesDirty() ? u" *"_s : u""_s) +
                           (swatchColour() != u"#000000" ? u" swatch "_s + swatchColour() : u""_s),
              "shown");
        if (!clipboard.isNull())
            QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        QStringList shown = messages->described();
        for (const QString& dialog : std::as_const(dialogs.opened))
            shown << dialog + u" opened"_s;
        QCOMPARE(shown.join(u'\n'), reported.replace(u'@', QDir::toNativeSeparators(dir_->path())));
        if (saved == "65 MB")
            QCOMPARE(QFileInfo(notesPath()).size(), kCutSize);
        else if (!saved.isNull())
            QCOMPARE(test::readFileBytes(notesPath()), saved);
        QCOMPARE(QFileInfo(notesPath()).isSymLink(), file == "link");
        // Saves go through a temporary that never stays behind.
        QStringList files = QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden);
        files.removeOne(u"MXNotes.rtf"_s);
        QCOMPARE(files, QStringList());
    }

    void longParagraphInPieces_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("at"); // where the keys are typed; the first piece ends at 4096
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("paragraphs"); // of the saved file, as lengths
        QTest::addColumn<int>("removed");            // the character of the paragraph the keys took away, or -1
        QTest::newRow("untouched") << 12000 << 5001 << u""_s << QStringList{u"12000"_s} << -1;
        QTest::newRow("typed") << 12000 << 5001 << u"type XY"_s << QStringList{u"12002"_s} << -1;
        QTest::newRow("Enter splits it in two")
            << 12000 << 5001 << u"Return"_s << QStringList{u"5000"_s, u"7000"_s} << -1;
        QTest::newRow("two Enters leave an empty paragraph")
            << 12000 << 5001 << u"Return; Return"_s << QStringList{u"5000"_s, u"0"_s, u"7000"_s} << -1;
        QTest::newRow("Enter taken back") << 12000 << 5001 << u"Return; Backspace"_s << QStringList{u"12000"_s} << -1;
        // The soft break is no character: the keys beside it take the character beyond it, and Undo gives it back
        // as it was, not as a paragraph break.
        QTest::newRow("Backspace at a piece's start")
            << 12000 << 4097 << u"Backspace"_s << QStringList{u"11999"_s} << 4095;
        QTest::newRow("Delete at a piece's end") << 12000 << 4096 << u"Delete"_s << QStringList{u"11999"_s} << 4096;
        QTest::newRow("Backspace taken back")
            << 12000 << 4097 << u"Backspace; Ctrl+Z"_s << QStringList{u"12000"_s} << -1;
        QTest::newRow("selection over a piece's end deleted, taken back and done again")
            << 12000 << 4090 << u"select 4090-4100; Delete; Ctrl+Z; Ctrl+Shift+Z; Ctrl+Z"_s << QStringList{u"12000"_s}
            << -1;
        QTest::newRow("lines pasted at a piece's start")
            << 12000 << 4097 << u"clip A\nB; Ctrl+V"_s << QStringList{u"4097"_s, u"7905"_s} << -1;
        QTest::newRow("Enter at a piece's end, taken back")
            << 12000 << 4096 << u"Return; Ctrl+Z"_s << QStringList{u"12000"_s} << -1;
        // Past the reader's old bound of 4,194,304 characters: read whole, no warning.
        QTest::newRow("five million characters") << 5'000'000 << 5001 << u""_s << QStringList{u"5000000"_s} << -1;
    }

    // A paragraph with no break point in it is laid out in pieces, and saved as the one paragraph it is.
    void longParagraphInPieces()
    {
        QFETCH(int, length);
        QFETCH(int, at);
        QFETCH(QString, keys);
        QFETCH(int, removed);
        QString text;
        for (int i = 0; i < length; ++i)
            text += QChar(u"0123456789abcdef"[i % 16]);
        QVERIFY(test::writeFileBytes(notesPath(), "{\\rtf1 " + text.toLatin1() + "\\par}"));
        ScopedMessages messages;
        QVERIFY(openEditor());
        QVERIFY(editor_->textBox()->document()->blockCount() > 2);
        // Past the first soft break, which the piece of 4096 characters ends in.
        run(messages.get(), u"select %1-%1; %2; mnuSave"_s.arg(at).arg(keys));
        QTextDocument saved;
        QCOMPARE(loadNotesFile(notesPath(), saved).status, NotesLoadStatus::Loaded);
        const QStringList paragraphs = savedParagraphs(&saved);
        QStringList lengths;
        for (const QString& paragraph : paragraphs)
            lengths << QString::number(paragraph.size());
        QTEST(lengths, "paragraphs");
        if (removed >= 0)
            text.remove(removed, 1);
        const QString lines = paragraphs.join(u'\n');
        QCOMPARE(QString(lines).remove(QRegularExpression(u"[XYAB\n]"_s)), text);
        // A selection across a piece's end copies as the one line it is, by the menu and by the box's own Ctrl+C.
        run(messages.get(), u"select 4000-4200; mnuCopy"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), lines.mid(4000, 199));
        run(messages.get(), u"clip; Ctrl+C"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(), lines.mid(4000, 199));
        QCOMPARE(messages->described(), QStringList());
    }

    // Find searches the paragraph, not its pieces. `from` and `found` count from the first piece's end in the
    // paragraph's own characters (no match: a null value).
    void findOverPieceEnds_data()
    {
        QTest::addColumn<QString>("unit"); // repeated to 12,000 characters
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("options");
        QTest::addColumn<QVariant>("found");
        const QString words = u"alpha beta "_s;
        const QString digits = u"0123456789abcdef"_s;
        const int whole = int(FindOption::WholeWord);
        const int matchCase = int(FindOption::MatchCase);
        QTest::newRow("phrase over a piece end") << words << u"BETA ALPHA"_s << -8 << 0 << QVariant(-5);
        QTest::newRow("case kept") << words << u"BETA ALPHA"_s << -8 << matchCase << QVariant();
        QTest::newRow("whole word starting a piece") << words << u"alpha"_s << -3 << whole << QVariant(0);
        QTest::newRow("word over a piece end") << digits << u"ef0123"_s << -6 << 0 << QVariant(-2);
        // Without blanks a piece ends at its bound, here after "-0" of "-01...".
        QTest::newRow("a piece's end is no word's end") << u"-0123456789abcd"_s << u"0"_s << -2 << whole << QVariant();
    }

    void findOverPieceEnds()
    {
        QFETCH(QString, unit);
        QFETCH(QString, search);
        QFETCH(int, from);
        QFETCH(int, options);
        QFETCH(QVariant, found);
        const QString text = unit.repeated(12000 / unit.size() + 1).left(12000);
        QVERIFY(test::writeFileBytes(notesPath(), "{\\rtf1 " + text.toLatin1() + "\\par}"));
        QVERIFY(openEditor());
        const int pieceEnd = editor_->textBox()->document()->begin().length() - 1;
        QVERIFY(pieceEnd > 0 && pieceEnd < 4097);
        // Document positions count the soft break as a character.
        const auto position = [&](int index) { return pieceEnd + index + (index >= 0 ? 1 : 0); };
        const qint32 at = editor_->findText(search, position(from), FindOptions::fromInt(options));
        QCOMPARE(at, found.isNull() ? -1 : position(found.toInt()));
        if (!found.isNull())
            QCOMPARE(selectedTextJoined(editor_->textBox()->textCursor()).toUpper(), search.toUpper());
    }

    void relayout_data()
    {
        QTest::addColumn<QSize>("requested"); // client size, pixels
        // Outer size after the re-layout, in twips (the offscreen frame is 4 pixels wide); at the least the toolbar,
        // the status strip and 2000 twips of text. Empty for a minimised window, which is not laid out.
        QTest::addColumn<QSize>("twips");
        QTest::newRow("too narrow and too low") << QSize(5, 5) << QSize(405, 2775);
        QTest::newRow("too low") << QSize(500, 40) << QSize(7560, 2775);
        QTest::newRow("large enough") << QSize(500, 400) << QSize(7560, 6060);
        QTest::newRow("minimised") << QSize(5, 5) << QSize();
    }

    void relayout()
    {
        QFETCH(QSize, requested);
        QFETCH(QSize, twips);
        QVERIFY(openEditor());
        auto* timer = editor_->findChild<QTimer*>(u"timResizeTimer"_s);
        QTRY_VERIFY(!timer->isActive());
        const QRect before = editor_->textBox()->geometry();
        if (twips.isEmpty())
            editor_->setWindowState(Qt::WindowMinimized);
        editor_->resize(requested);
        QVERIFY(timer->isActive());
        QTRY_VERIFY(!timer->isActive());
        if (twips.isEmpty()) {
            QCOMPARE(editor_->size(), requested);
            QCOMPARE(editor_->textBox()->geometry(), before);
            return;
        }
        QCOMPARE(windowSizeTwips(editor_), twips);
        // The text box fills the space between the toolbar and the status strip.
        const QRect text = editor_->textBox()->geometry();
        QCOMPARE(text.top(), editor_->findChild<QToolBar*>()->geometry().bottom() + 1);
        QCOMPARE(text.bottom() + 1, editor_->findChild<QLabel*>(u"picStatusBar"_s)->y());
        QCOMPARE(text.width(), editor_->width());
    }

    // The program's own check, on the installed en_US dictionary: each word asked about in the spelling dialog.
    void spellingWithHunspell()
    {
        if (!QFileInfo::exists(u"/usr/share/hunspell/en_US.dic"_s))
            QSKIP("no en_US dictionary installed");
        QVERIFY(test::writeFileBytes(notesPath(), "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 Thiss {\\b\\i iss} a tesst, "
                                                  "a tesst of Mensurix.\\par}"));
        QVERIFY(openEditor());
        ScriptedDialogs dialogs;
        QStringList asked;
        QStringList answers{u"cmdChange"_s, u"cmdIgnore"_s, u"cmdChangeAll"_s, u"cmdAdd"_s};
        dialogs.answer(u"frmSpelling"_s, [&](QDialog& dialog) {
            const QString word = dialog.findChild<QLineEdit*>(u"txtNotInDictionary"_s)->text();
            auto* suggestions = dialog.findChild<QListWidget*>(u"lstSuggestions"_s);
            // The meant word (each misspelling here doubles an s) is picked from the list: it goes to "Change To".
            const auto meant = suggestions->findItems(QString(word).replace(u"ss"_s, u"s"_s), Qt::MatchExactly);
            asked << word + (meant.isEmpty() ? u""_s : u" (suggested)"_s);
            if (!meant.isEmpty())
                suggestions->setCurrentItem(meant.first());
            if (answers.isEmpty())
                return int(QDialog::Rejected);
            dialog.findChild<QPushButton*>(answers.takeFirst())->click();
            return dialog.result();
        });
        ScopedMessages messages;
        messages->answerNext(MsgAnswer::Ok);
        action("mnuSpelling")->trigger();
        QCOMPARE(asked,
                 (QStringList{u"Thiss (suggested)"_s, u"iss (suggested)"_s, u"tesst (suggested)"_s, u"Mensurix"_s}));
        QCOMPARE(messages->described(), QStringList{u"Mensurix [Ok None] The spelling check is complete."_s});
        QCOMPARE(describeDocument(*editor_->textBox()->document()),
                 QStringList{u"L [Arial 12]This [Arial 12 b i]iss[Arial 12] a test, a test of Mensurix."_s});
        QVERIFY(editor_->notesDirty());

        // The added word is known to the next check; Cancel stops it at once.
        dialogs.answer(u"frmSpelling"_s, [&](QDialog& dialog) {
            asked << dialog.findChild<QLineEdit*>(u"txtNotInDictionary"_s)->text();
            dialog.findChild<QPushButton*>(u"cmdCancel"_s)->click();
            return dialog.result();
        });
        asked.clear();
        QVERIFY(editor_->save());
        action("mnuSpelling")->trigger();
        QCOMPARE(asked, QStringList{u"iss"_s});
        QCOMPARE(messages->shown.size(), 1);
        QVERIFY(!editor_->notesDirty()); // nothing changed, nothing written back
    }

    void spellingDialogAsDesigned()
    {
        SpellingDialog dialog;
        dialog.ask(u"teh"_s, {u"the"_s, u"ten"_s});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(test::describeCaptions(&dialog),
                 u"frmSpelling \"Spelling\": lblNotInDictionary=Not in Dictionary:, lblChangeTo=Change &To:, "
                 "lblSuggestions=&Suggestions:, cmdIgnore=&Ignore, cmdIgnoreAll=I&gnore All, cmdChange=&Change, "
                 "cmdChangeAll=Change A&ll, cmdAdd=&Add, cmdCancel=Cancel"_s);
        auto* changeTo = dialog.findChild<QLineEdit*>(u"txtChangeTo"_s);
        QCOMPARE(changeTo->text(), u"the"_s);
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) // captions fit their buttons
            QVERIFY2(button->sizeHint().width() <= button->width() + 2, qPrintable(button->text()));
        // Picking a suggestion puts it in "Change To"; Enter changes; without suggestions the word itself stands there.
        auto* list = dialog.findChild<QListWidget*>(u"lstSuggestions"_s);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(changeTo->text(), u"ten"_s);
        QTest::keyClick(changeTo, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(dialog.answer().action), int(SpellingAction::Change));
        QCOMPARE(dialog.answer().replacement, u"ten"_s);
        dialog.ask(u"Mensurix"_s, {});
        QCOMPARE(changeTo->text(), u"Mensurix"_s);
        QCOMPARE(list->count(), 0);
        QCOMPARE(int(dialog.answer().action), int(SpellingAction::Cancel));
    }

private:
    NoteEditorWindow* openEditor()
    {
        delete editor_;
        editor_ = new NoteEditorWindow(notesPath());
        editor_->show();
        return QTest::qWaitForWindowExposed(editor_) ? editor_.data() : nullptr;
    }
    QAction* action(const char* name) const { return editor_->findChild<QAction*>(QString::fromLatin1(name)); }
    QString notesPath() const { return dir_->filePath(u"MXNotes.rtf"_s); }
    QString swatchColour() const
    {
        return editor_->findChild<QWidget*>(u"picColors"_s)->palette().color(QPalette::Window).name();
    }

    // Steps as runEditorSteps() reads them, and "swatch" (a click on the colour swatch), "size N" (N points chosen
    // in the size box from the keyboard), "no dictionary" (the spelling check looks in the test's folder) and
    // "pick ANSWER" (the next colour or font dialog takes "#rrggbb" or "FAMILY POINTS [b] [i]"; "stand-in" is the
    // family drawing the current font).
    void run(test::ScriptedMessages& messages, const QString& script)
    {
        test::runEditorSteps(editor_, editor_->textBox(), messages, script, [this](const QString& step) {
            if (step.startsWith(u"pick "))
                picks_ << step.mid(5);
            if (step == u"swatch")
                QTest::mouseClick(editor_->findChild<QWidget*>(u"picColors"_s), Qt::LeftButton);
            if (step == u"no dictionary") // a folder without one
                editor_->setSpellingSessions(hunspellSpellingSessions(editor_, dir_->path(), u"en_US"_s));
            auto* sizes = editor_->findChild<QComboBox*>(u"cboFontSize"_s);
            for (int i = 0; step.startsWith(u"size ") && i < 20 && sizes->currentText() != step.mid(5); ++i)
                QTest::keyClick(sizes, Qt::Key_Down);
            return step == u"swatch" || step == u"no dictionary" || step.startsWith(u"size ") ||
                   step.startsWith(u"pick ");
        });
    }

    int pick(QDialog& dialog)
    {
        auto* colours = qobject_cast<QColorDialog*>(&dialog);
        auto* fonts = qobject_cast<QFontDialog*>(&dialog);
        if (picks_.isEmpty())
            return int(QDialog::Rejected);
        QStringList words = picks_.takeFirst().split(u' ');
        if (colours && colours->testOption(QColorDialog::DontUseNativeDialog)) {
            colours->setCurrentColor(QColor(words[0]));
        } else if (fonts && fonts->testOption(QFontDialog::DontUseNativeDialog)) {
            const bool italic = words.last() == u"i" && !words.takeLast().isEmpty();
            const bool bold = words.last() == u"b" && !words.takeLast().isEmpty();
            const int points = words.takeLast().toInt();
            const QString family = words.join(u' ');
            fonts->setCurrentFont(
                QFont(family == u"stand-in" ? QFontInfo(editor_->textBox()->currentFont()).family() : family, points,
                      bold ? QFont::Bold : QFont::Normal, italic));
        } else {
            return int(QDialog::Rejected);
        }
        return int(QDialog::Accepted);
    }

    // The paragraphs of the editor's document (or another) as saved: a long one is held in pieces.
    QStringList savedParagraphs(const QTextDocument* document = nullptr) const
    {
        QStringList paragraphs;
        for (const RtfParagraph& paragraph :
             notesModel(document ? *document : *editor_->textBox()->document()).paragraphs) {
            paragraphs << QString();
            for (const RtfRun& run : paragraph.runs)
                paragraphs.last() += run.text;
        }
        return paragraphs;
    }

    static constexpr qint64 kCutSize = 65LL * 1024 * 1024;
    std::unique_ptr<QTemporaryDir> dir_;
    QPointer<NoteEditorWindow> editor_;
    QStringList picks_;
};

MX_REGISTER_TEST(NoteEditorTest)
#include "tst_note_editor.moc"
