#include "accessories/notes_file.h"
#include "accessories/rtf_text_document.h"

#include "test_helpers.h"
#include "test_registry.h"
#include "text_document_describe.h"

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
    QTest::newRow("directory") << u"directory"_s << NotesLoadStatus::Unreadable << false;
    QTest::newRow("named pipe") << u"fifo"_s << NotesLoadStatus::Unreadable << false;
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

MX_REGISTER_TEST(NotesFileTest)
#include "tst_notes_file.moc"
