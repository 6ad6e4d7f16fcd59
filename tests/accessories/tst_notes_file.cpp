#include "accessories/notes_file.h"
#include "accessories/rtf_text_document.h"

#include "rtf_describe.h"
#include "test_helpers.h"
#include "test_registry.h"
#include "text_document_describe.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::describeDocument;

class NotesFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // What a file opens as, and what the editor is to warn of; loading never writes, never leaves an undo step.
    // Saved and opened again, the notes read the same.
    void load_data()
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
        row("a space and an empty paragraph stay", QByteArray("{\\rtf1  \\par\\par}"),
            {u"L [- 12] "_s, u"L |[- 12]"_s});
        row("text", QByteArray("{\\rtf1 Notes\\par}"), {u"L [- 12]Notes"_s});
        row("empty file", QByteArray(), {u"L |[- -]"_s});
        row("group left open", QByteArray("{\\rtf1 abc"), {u"L [- 12]abc"_s}, damaged);
        row("not RTF", QByteArray("plain notes"), {u"L [- 12]plain notes"_s}, damaged);
        const QString leftOut = u"The notes file \"%1\" holds %2 that the note editor cannot show.  Saving the notes "
                                "will leave them out."_s;
        row("picture", QByteArray("{\\rtf1 a{\\pict 00}b}"), {u"L [- 12]ab"_s},
            leftOut.arg(u"%1"_s, u"pictures or objects"_s));
        row("every kind", QByteArray("{\\rtf1{\\footer f}{\\v v}a{\\object o}{\\headerl h}}"), {u"L [- 12]a"_s},
            leftOut.arg(u"%1"_s, u"pictures or objects, headers, footers and hidden text"_s));
        row("notes kept", QByteArray("{\\rtf1 a{\\footnote b}{\\annotation c}{\\footnote\\ftnalt d}}"),
            {u"L [- 12]a[Footnote: b][Comment: c][Endnote: d]"_s});
    }

    void load()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, warning);
        QVERIFY(test::writeFileBytes(notesPath(), bytes));
        QTextDocument doc;
        doc.setPlainText(u"before"_s);
        const NotesLoadResult result = loadNotesFile(notesPath(), doc);
        QCOMPARE(result.status, NotesLoadStatus::Loaded);
        QTEST(describeDocument(doc), "expected");
        QVERIFY(!doc.isModified() && !doc.isUndoAvailable());
        QCOMPARE(notesLoadWarning(notesPath(), result.issues),
                 warning.isEmpty() ? QString() : warning.arg(QDir::toNativeSeparators(notesPath())));
        QCOMPARE(test::readFileBytes(notesPath()), bytes);

        QVERIFY(saveNotesFile(notesPath(), doc));
        QTextDocument reopened;
        QCOMPARE(int(loadNotesFile(notesPath(), reopened).issues), 0);
        QCOMPARE(test::describe(notesModel(reopened)), test::describe(notesModel(doc)));
    }

    // A save cut short leaves "MXNotes.rtf.XXXXXX" behind; the next save removes those, and nothing else.
    void staleTemporariesGo()
    {
        const QDir folder(dir_->path());
        const QDateTime past = QDateTime::currentDateTime().addSecs(-60);
        const QStringList names{u"MXNotes.rtf.Ab12Cd"_s,  u"MXNotes.rtf.zzzzzz"_s, u"MXNotes.rtf.Ab12C"_s,
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
                 (QStringList{u"MXNotes.rtf"_s, u"MXNotes.rtf.Ab-2Cd"_s, u"MXNotes.rtf.Ab12C"_s,
                              u"MXNotes.rtf.Ab12Cde"_s, u"MXNotes.rtf.Dir123"_s, u"MXNotes.rtf.Fresh1"_s,
                              u"MXNotes.rtf.Link12"_s, u"Other.rtf.Ab12Cd"_s}));
    }

private:
    QString notesPath() const { return notesFilePath(dir_->path() + u'/'); }

    std::unique_ptr<QTemporaryDir> dir_;
};

MX_REGISTER_TEST(NotesFileTest)
#include "tst_notes_file.moc"
