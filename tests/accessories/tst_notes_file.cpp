#include "accessories/notes_file.h"
#include "accessories/rtf_text_document.h"

#include "test_helpers.h"
#include "test_registry.h"
#include "text_document_describe.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <optional>

#include <sys/stat.h>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::describeDocument;

class NotesFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void emptyDocumentSavedAsSpace();
    void load_data();
    void load();
    void notRegularFiles_data();
    void notRegularFiles();
    void hugeFileOpensAsFarAsRead();
    void savedNotesReadBack();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void foreignFileSavedAndReopened();
    void staleTemporariesGo();

private:
    QString notesPath() const { return notesFilePath(dir_->path() + u'/'); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void NotesFileTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void NotesFileTest::emptyDocumentSavedAsSpace()
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(u"Arial"_s, 12));
    QString error;
    QVERIFY(saveNotesFile(notesPath(), doc, &error));
    QCOMPARE(error, u""_s);
    QCOMPARE(test::readFileBytes(notesPath()),
             QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
                        "\\pard\\f0\\fs24  \\par\r\n}\r\n"));
    QVERIFY(doc.isEmpty());

    QTextDocument read;
    read.setPlainText(u"before"_s);
    const NotesLoadResult result = loadNotesFile(notesPath(), read);
    QCOMPARE(result.status, NotesLoadStatus::Loaded);
    QVERIFY(read.isEmpty());
    QVERIFY(!read.isModified());
}

// What a file opens as, and what the editor is to warn of; loading never writes, never leaves an undo step.
void NotesFileTest::load_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("warning"); // %1: the file's path

    const QString damaged = u"Part of the notes file \"%1\" could not be read.  The notes show what could be read; "
                            u"saving them will replace the file."_s;
    const auto row = [](const char* name, const QByteArray& bytes, const QStringList& expected,
                        const QString& warning = {}) { QTest::newRow(name) << bytes << expected << warning; };
    row("single space opens empty, typing in its format",
        QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\qc\\f0\\fs40\\b  \\par}"), {u"C |[Arial 20 b]"_s});
    row("single space without a mark", QByteArray("{\\rtf1  }"), {u"L |[- 12]"_s});
    row("two spaces stay", QByteArray("{\\rtf1   }"), {u"L [- 12]  "_s});
    row("a space and an empty paragraph stay", QByteArray("{\\rtf1  \\par\\par}"), {u"L [- 12] "_s, u"L |[- 12]"_s});
    row("text", QByteArray("{\\rtf1 Notes\\par}"), {u"L [- 12]Notes"_s});
    row("empty file", QByteArray(), {u"L |[- -]"_s});
    row("group left open", QByteArray("{\\rtf1 abc"), {u"L [- 12]abc"_s}, damaged);
    row("not RTF", QByteArray("plain notes"), {u"L [- 12]plain notes"_s}, damaged);
    row("picture", QByteArray("{\\rtf1 a{\\pict 00}b}"), {u"L [- 12]ab"_s},
        u"The notes file \"%1\" holds pictures or objects that the note editor cannot show.  Saving the notes will "
        "leave them out."_s);
    const QString leftOut = u"The notes file \"%1\" holds %2 that the note editor cannot show.  Saving the notes "
                            "will leave them out."_s;
    row("header and footer", QByteArray("{\\rtf1 a{\\header h}{\\footerr f}b}"), {u"L [- 12]ab"_s},
        leftOut.arg(u"%1"_s, u"headers and footers"_s));
    row("hidden text", QByteArray("{\\rtf1 a{\\v b}}"), {u"L [- 12]a"_s}, leftOut.arg(u"%1"_s, u"hidden text"_s));
    row("every kind", QByteArray("{\\rtf1{\\footer f}{\\v v}a{\\object o}{\\headerl h}}"), {u"L [- 12]a"_s},
        leftOut.arg(u"%1"_s, u"pictures or objects, headers, footers and hidden text"_s));
    row("footnote and comment kept", QByteArray("{\\rtf1 a{\\footnote b}{\\annotation c}}"),
        {u"L [- 12]a[Footnote: b][Comment: c]"_s});
}

void NotesFileTest::load()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, warning);
    QVERIFY(test::writeFileBytes(notesPath(), bytes));
    QTextDocument doc;
    doc.setPlainText(u"before"_s);
    const NotesLoadResult result = loadNotesFile(notesPath(), doc);
    QCOMPARE(result.status, NotesLoadStatus::Loaded);
    QTEST(describeDocument(doc), "expected");
    QVERIFY(!doc.isModified());
    QVERIFY(!doc.isUndoAvailable());
    QCOMPARE(notesLoadWarning(notesPath(), result.issues),
             warning.isEmpty() ? QString() : warning.arg(QDir::toNativeSeparators(notesPath())));
    QCOMPARE(test::readFileBytes(notesPath()), bytes);
}

void NotesFileTest::notRegularFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<NotesLoadStatus>("status");
    QTest::addColumn<bool>("saved");

    QTest::newRow("missing: the first save creates it") << u"missing"_s << NotesLoadStatus::Missing << true;
    QTest::newRow("directory") << u"directory"_s << NotesLoadStatus::NotRegular << false;
    QTest::newRow("named pipe") << u"fifo"_s << NotesLoadStatus::NotRegular << false;
}

void NotesFileTest::notRegularFiles()
{
    QFETCH(QString, kind);
    QFETCH(NotesLoadStatus, status);
    QFETCH(bool, saved);

    if (kind == u"directory")
        QVERIFY(QDir(dir_->path()).mkdir(u"MXNotes.rtf"_s));
    else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(notesPath()).constData(), 0600), 0);

    // A pipe would block the open, so a hang here is the failure.
    QTextDocument doc;
    doc.setPlainText(u"before"_s);
    QCOMPARE(loadNotesFile(notesPath(), doc).status, status);
    QVERIFY(doc.isEmpty());

    doc.setPlainText(u"typed"_s);
    QString error;
    QCOMPARE(saveNotesFile(notesPath(), doc, &error), saved);
    QCOMPARE(error, saved ? QString()
                          : u"The file \"%1\" could not be saved: it is not a regular file."_s.arg(
                                QDir::toNativeSeparators(notesPath())));
    QCOMPARE(QFileInfo(notesPath()).isFile(), saved);
}

void NotesFileTest::hugeFileOpensAsFarAsRead()
{
    // 100 MB: a document that never closes, padded with NUL bytes (sparse where the file system allows).
    QFile file(notesPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write("{\\rtf1 Start of the notes") > 0);
    QVERIFY(file.resize(100LL * 1024 * 1024));
    file.close();

    QTextDocument doc;
    const NotesLoadResult result = loadNotesFile(notesPath(), doc);
    QCOMPARE(result.status, NotesLoadStatus::Loaded);
    QCOMPARE(doc.toPlainText(), u"Start of the notes"_s);
    QVERIFY(result.issues & RtfIssue::TooLong);
    QVERIFY(result.issues & RtfIssue::Unbalanced);
    QCOMPARE(QFileInfo(notesPath()).size(), 100LL * 1024 * 1024);
}

void NotesFileTest::savedNotesReadBack()
{
    QTextDocument doc;
    doc.setDefaultFont(QFont(u"Arial"_s, 12));
    QTextCursor cursor(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(0, 0, 255));
    cursor.insertText(u"Ohm's law"_s, bold);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.insertBlock(centred, QTextCharFormat());
    cursor.insertText(u"V = I \u00D7 R"_s, QTextCharFormat());

    QVERIFY(saveNotesFile(notesPath(), doc));
    // Saving again replaces the file through a temporary that does not stay behind.
    QVERIFY(saveNotesFile(notesPath(), doc));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"MXNotes.rtf"_s});

    QTextDocument read;
    const NotesLoadResult result = loadNotesFile(notesPath(), read);
    QCOMPARE(result.status, NotesLoadStatus::Loaded);
    QCOMPARE(int(result.issues), 0);
    QCOMPARE(describeDocument(read),
             (QStringList{u"L [Arial 12 b #0000ff]Ohm's law"_s, u"C [Arial 12]V = I \u00D7 R"_s}));
}

void NotesFileTest::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("folder gone") << false;
    QTest::newRow("read-only folder") << true;
}

void NotesFileTest::failedSaveKeepsOldFile()
{
    QFETCH(bool, readOnlyFolder);

    const QByteArray old("{\\rtf1 old notes\\par}");
    QString path = notesPath();
    if (readOnlyFolder)
        QVERIFY(test::writeFileBytes(path, old));
    else
        path = dir_->filePath(u"gone/MXNotes.rtf"_s);
    std::optional<test::ReadOnlyScope> scope;
    if (readOnlyFolder) {
        scope.emplace(path, true);
        if (!scope->blocksWrites())
            QSKIP("permissions do not stop this user");
    }

    QTextDocument doc;
    doc.setPlainText(u"new notes"_s);
    QString error;
    QVERIFY(!saveNotesFile(path, doc, &error));
    QVERIFY2(error.startsWith(u"The file \"%1\" could not be saved: "_s.arg(QDir::toNativeSeparators(path))),
             qPrintable(error));
    if (readOnlyFolder)
        QCOMPARE(test::readFileBytes(path), old);
}

// A file from another word processor: the warning names what saving leaves out, and the notes saved and opened
// again keep the text, the notes and every format read.
void NotesFileTest::foreignFileSavedAndReopened()
{
    const QByteArray bytes =
        test::readFileBytes(QStringLiteral(MX_SOURCE_DIR "/tests/accessories/rtf_samples/libreoffice_notes.rtf"));
    QVERIFY(test::writeFileBytes(notesPath(), bytes));
    QTextDocument doc;
    const NotesLoadResult loaded = loadNotesFile(notesPath(), doc);
    QCOMPARE(notesLoadWarning(notesPath(), loaded.issues),
             u"The notes file \"%1\" holds headers, footers and hidden text that the note editor cannot show.  "
             u"Saving the notes will leave them out."_s.arg(QDir::toNativeSeparators(notesPath())));

    QVERIFY(saveNotesFile(notesPath(), doc));
    QTextDocument reopened;
    const NotesLoadResult again = loadNotesFile(notesPath(), reopened);
    QCOMPARE(int(again.issues), 0);
    QCOMPARE(describeDocument(reopened),
             (QStringList{
                 u"L [Liberation Serif 12]Valve [Liberation Serif 12 s]A12[Liberation Serif 12] B14 replaced; flow "
                 u"3.2 m[Liberation Serif 12 super]3[Liberation Serif 12]/h of H[Liberation Serif 12 sub]2"
                 u"[Liberation Serif 12]O."_s,
                 u"L [Liberation Serif 12 bg#ffff00]Check the seal[Liberation Serif 12] before start-up.[Footnote: "
                 u"[Liberation Serif 10]Seal kit 40-112, see the manual.[Liberation Serif 12]] Then log the reading."
                 u"[Comment: Ask about the spare seal.]"_s,
                 u"L [Liberation Serif 12]Hidden from print: done."_s,
                 u"L [Liberation Serif 12]\u03A3 = 12 \u03A9 \u00B1 5 %, 20 \u00B0C, 3 \u20AC \u2014 "
                 u"\u201Cquoted\u201D and "
                 u"[Liberation Serif 12 b]bold[Liberation Serif 12].[Endnote: [Liberation Serif 10]Figures from the "
                 u"2023 survey.[Liberation Serif 12]]"_s,
                 u"L [Liberation Serif 12] \u2022\tDrain the tank"_s,
                 u"L [Liberation Serif 12] \u2022\tRefill to the mark"_s,
                 u"C [Liberation Serif 12]Angle [Symbol 12]\u03B1[Liberation Serif 12] = 30\u00B0"_s,
             }));
}

// A save cut short leaves "MXNotes.rtf.XXXXXX" behind; the next save removes those, and nothing else.
void NotesFileTest::staleTemporariesGo()
{
    const QDir folder(dir_->path());
    const QDateTime past = QDateTime::currentDateTime().addSecs(-60);
    const QStringList names{u"MXNotes.rtf.Ab12Cd"_s, u"MXNotes.rtf.zzzzzz"_s, u"MXNotes.rtf.Ab12C"_s,
                            u"MXNotes.rtf.Ab12Cde"_s, u"MXNotes.rtf.Ab-2Cd"_s, u"Other.rtf.Ab12Cd"_s,
                            u"MXNotes.rtf.Fresh1"_s};
    for (const QString& name : names) {
        QVERIFY(test::writeFileBytes(folder.filePath(name), "{\\rtf1 half"));
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::ReadWrite));
        // One is newer than the save: another save may be writing it.
        QVERIFY(file.setFileTime(name.endsWith(u"Fresh1") ? past.addSecs(3600) : past,
                                 QFileDevice::FileModificationTime));
    }
    QVERIFY(QDir().mkdir(folder.filePath(u"MXNotes.rtf.Dir123"_s)));
    QVERIFY(QFile::link(folder.filePath(u"Other.rtf.Ab12Cd"_s), folder.filePath(u"MXNotes.rtf.Link12"_s)));

    QTextDocument doc;
    doc.setPlainText(u"notes"_s);
    QVERIFY(saveNotesFile(notesPath(), doc));
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name),
             (QStringList{u"MXNotes.rtf"_s, u"MXNotes.rtf.Ab-2Cd"_s, u"MXNotes.rtf.Ab12C"_s, u"MXNotes.rtf.Ab12Cde"_s,
                          u"MXNotes.rtf.Dir123"_s, u"MXNotes.rtf.Fresh1"_s, u"MXNotes.rtf.Link12"_s,
                          u"Other.rtf.Ab12Cd"_s}));
}

MX_REGISTER_TEST(NotesFileTest)
#include "tst_notes_file.moc"
