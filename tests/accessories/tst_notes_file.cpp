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
    void warnings_data();
    void warnings();
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

void NotesFileTest::load_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("single space opens empty, typing in its format")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\qc\\f0\\fs40\\b  \\par}") << QStringList{u"C |[Arial 20 b]"_s};
    QTest::newRow("single space without a mark") << QByteArray("{\\rtf1  }") << QStringList{u"L |[- 12]"_s};
    QTest::newRow("two spaces stay") << QByteArray("{\\rtf1   }") << QStringList{u"L [- 12]  "_s};
    QTest::newRow("a space and an empty paragraph stay")
        << QByteArray("{\\rtf1  \\par\\par}") << QStringList{u"L [- 12] "_s, u"L |[- 12]"_s};
    QTest::newRow("text") << QByteArray("{\\rtf1 Notes\\par}") << QStringList{u"L [- 12]Notes"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{u"L |[- -]"_s};
}

void NotesFileTest::load()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);

    QVERIFY(test::writeFileBytes(notesPath(), bytes));
    QTextDocument doc;
    doc.setPlainText(u"before"_s);
    const NotesLoadResult result = loadNotesFile(notesPath(), doc);
    QCOMPARE(result.status, NotesLoadStatus::Loaded);
    QCOMPARE(describeDocument(doc), expected);
    QVERIFY(!doc.isModified());
    QVERIFY(!doc.isUndoAvailable());
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

void NotesFileTest::warnings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("warning");

    const QString damaged = u"Part of the notes file \"%1\" could not be read.  The notes show what could be read; "
                            u"saving them will replace the file."_s;
    QTest::newRow("sound file") << QByteArray("{\\rtf1 fine}") << u"fine"_s << QString();
    QTest::newRow("group left open") << QByteArray("{\\rtf1 abc") << u"abc"_s << damaged;
    QTest::newRow("not RTF") << QByteArray("plain notes") << u"plain notes"_s << damaged;
    QTest::newRow("picture") << QByteArray("{\\rtf1 a{\\pict 00}b}") << u"ab"_s
                             << u"The notes file \"%1\" holds pictures or objects that the note editor cannot show.  "
                                u"Saving the notes will leave them out."_s;
}

void NotesFileTest::warnings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QString, warning);

    QVERIFY(test::writeFileBytes(notesPath(), bytes));
    QTextDocument doc;
    const NotesLoadResult result = loadNotesFile(notesPath(), doc);
    QCOMPARE(doc.toPlainText(), text);
    const QString expected = warning.isNull() ? QString() : warning.arg(QDir::toNativeSeparators(notesPath()));
    QCOMPARE(notesLoadWarning(notesPath(), result.issues), expected);
    // Loading never writes: the file stays as it was until the user saves.
    QCOMPARE(test::readFileBytes(notesPath()), bytes);
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
