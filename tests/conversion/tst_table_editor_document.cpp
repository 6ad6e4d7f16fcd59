#include "conversion/table_editor_document.h"
#include "table_fixture.h"
#include "test_registry.h"

#include <QDir>
#include <QTest>

#include <optional>

#include <sys/stat.h>

using namespace mx;
using namespace Qt::StringLiterals;

// The table editor's text of a file, the bytes its save writes, and saves that fail.
class TableEditorDocumentTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A file's bytes, the text the editor shows for them, and what saving that text unchanged writes.
    void loadThenSave_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("saved");
        const auto row = [](const char* name, const QByteArray& file, const QString& shown, const QByteArray& saved) {
            QTest::newRow(name) << file << shown << saved;
        };
        row("an entry", "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n",
            u"Inches vs Millimeters\nInches\nMillimeters\n25.4\n"_s,
            "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n");
        row("no final line end gains one", "A\r\nB", u"A\nB"_s, "A\r\nB\r\n");
        row("LF only", "A\nB\n", u"A\nB"_s, "A\r\nB\r\n");
        row("CR only", "A\rB\r", u"A\nB"_s, "A\r\nB\r\n");
        row("LF then CR is two line ends", "A\n\rB", u"A\n\nB"_s, "A\r\n\r\nB\r\n");
        row("extra empty line at the end", "A\r\n\r\n", u"A\n"_s, "A\r\n\r\n");
        row("empty: one line end", "", u""_s, "\r\n");
        row("one line end", "\r\n", u""_s, "\r\n");
        row("code page bytes", "\x80 \xA0\xB5\x81\t,\"", u"€ \u00A0µ\u0081\t,\""_s, "\x80 \xA0\xB5\x81\t,\"\r\n");
        row("UTF-8 stays UTF-8", "Degrees \xC2\xB0\n\xCE\xA9\n", u"Degrees °\nΩ"_s, "Degrees \xC2\xB0\r\n\xCE\xA9\r\n");
        row("UTF-8 byte-order mark kept", "\xEF\xBB\xBF\xC2\xB5m\r\n", u"µm"_s, "\xEF\xBB\xBF\xC2\xB5m\r\n");
        const QByteArray twoMarks = QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") + "A\r\n";
        row("a second byte-order mark is text", twoMarks, u"\uFEFFA"_s, twoMarks);
    }

    void loadThenSave()
    {
        QFETCH(QByteArray, file);
        TextEncoding encoding = TextEncoding::Cp1252;
        const QString shown = tableEditorText(file, &encoding);
        QTEST(shown, "shown");
        QTEST(tableFileBytes(shown, nullptr, encoding), "saved");
    }

    void unstorableCharacters()
    {
        QString unstorable;
        QCOMPARE(tableFileBytes(QString::fromUtf8("Why?\u2029€"), &unstorable), QByteArray("Why?\r\n\x80\r\n"));
        QVERIFY(unstorable.isEmpty());
        QVERIFY(tableFileBytes(QString::fromUtf8("Volts?\nΩ and 😀"), &unstorable).isNull());
        QCOMPARE(unstorable, QString::fromUtf8("Ω"));
        QVERIFY(tableFileBytes(QString::fromUtf8("x 😀"), &unstorable).isNull());
        QCOMPARE(unstorable, QString::fromUtf8("😀"));
        QCOMPARE(tableFileBytes(QString::fromUtf8("Ω 😀"), &unstorable, TextEncoding::Utf8),
                 QByteArray("\xCE\xA9 \xF0\x9F\x98\x80\r\n"));
        const QString halfPair = QString(QChar(0xD800));
        QVERIFY(tableFileBytes(QStringLiteral("a\nb") + halfPair, &unstorable, TextEncoding::Utf8).isNull());
        QCOMPARE(unstorable, halfPair);
        QCOMPARE(checkTableText(QStringLiteral("a\nb") + halfPair, TextEncoding::Utf8).answer,
                 QStringLiteral("Line 2: the character \"%1\" cannot be stored in a table file.").arg(halfPair));
    }

    // A table is saved in the encoding it was read in: what a Linux editor wrote stays UTF-8 and takes any character;
    // a table in the code page (or in plain ASCII, or a new one) stays in the code page.
    void savesInTheEncodingItRead_data()
    {
        QTest::addColumn<QByteArray>("file");  // null: a new table
        QTest::addColumn<QString>("typed");    // added at the end of the text
        QTest::addColumn<QByteArray>("saved"); // null: refused
        QTest::newRow("UTF-8") << QByteArray("A\r\n\xC2\xB0\r\n") << QString::fromUtf8("\nΩ")
                               << QByteArray("A\r\n\xC2\xB0\r\n\xCE\xA9\r\n");
        QTest::newRow("Windows-1252") << QByteArray("A\r\n\xB0\r\n") << QString::fromUtf8("\n€")
                                      << QByteArray("A\r\n\xB0\r\n\x80\r\n");
        QTest::newRow("Windows-1252 lacks the character")
            << QByteArray("A\r\n\xB0\r\n") << QString::fromUtf8("\nΩ") << QByteArray();
        QTest::newRow("ASCII") << QByteArray("A\r\n") << QString::fromUtf8("\n°") << QByteArray("A\r\n\xB0\r\n");
        QTest::newRow("a new table") << QByteArray() << QString::fromUtf8("°") << QByteArray("\xB0\r\n");
    }

    void savesInTheEncodingItRead()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        QFETCH(QByteArray, saved);
        const test::TableFolder tables;
        const QString path = tables.filePath(QStringLiteral("Custom.tbl"));
        if (!file.isNull())
            QVERIFY(test::writeFileBytes(path, file));
        TableEditorDocument document(path, QStringLiteral("Custom"));
        const QString failure = document.save(document.load() + typed);
        QCOMPARE(failure.isEmpty(), !saved.isNull());
        QCOMPARE(test::readFileBytes(path), saved.isNull() ? file : saved);
    }

    // A save that fails says why and leaves the old file whole; nothing at the path may block, on load or on save.
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("why");
        QTest::addColumn<QString>("message"); // %1: the file's path; ending in ": ", the reason is the system's
        const auto row = [](const char* name, const char* why, const QString& message) {
            QTest::newRow(name) << QString::fromLatin1(why) << message;
        };
        row("full disk", "disk", u"The file \"%1\" could not be saved: the disk is full."_s);
        row("read-only folder", "folder", u"The file \"%1\" could not be saved: "_s);
        row("a named pipe", "fifo", u"The file \"%1\" could not be saved: it is not a regular file."_s);
        row("a character the file cannot hold", "character",
            u"The character \"Ω\" cannot be stored in a table file.  Replace it and save again."_s);
    }

    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, why);
        QFETCH(QString, message);
        const test::TableFolder tables;
        const QString path = tables.filePath(QStringLiteral("Length.tbl"));
        const QByteArray old = "Old\r\nA\r\nB\r\n2\r\n\r\n";
        if (why == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(test::writeFileBytes(path, old));
        TableEditorDocument document(path, QStringLiteral("Length"));
        QCOMPARE(document.caption(), QStringLiteral("Editor - Length"));
        QCOMPARE(document.load(), why == u"fifo" ? QString() : QStringLiteral("Old\nA\nB\n2\n"));

        QString failure;
        {
            std::optional<test::FileSizeLimitScope> full;
            std::optional<test::ReadOnlyScope> readOnly;
            if (why == u"disk")
                full.emplace(64);
            if (why == u"folder") {
                readOnly.emplace(path, true);
                if (!readOnly->blocksWrites())
                    QSKIP("permissions do not stop this user");
            }
            failure = document.save(why == u"character" ? QString::fromUtf8("New\nΩ") : QString(2000, u'x'));
        }
        message.replace(QStringLiteral("%1"), path);
        if (message.endsWith(QStringLiteral(": ")))
            QVERIFY2(failure.startsWith(message) && failure.size() > message.size() + 1, qPrintable(failure));
        else
            QCOMPARE(failure, message);
        if (why != u"fifo")
            QCOMPARE(test::readFileBytes(path), old);
        QCOMPARE(QDir(tables.path()).entryList(QDir::Files | QDir::System | QDir::Hidden), QStringList{"Length.tbl"});
    }

    void unreadFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("warning");  // %1: the file's path
        QTest::addColumn<QString>("question"); // asked before a save replaces the file
        QTest::addColumn<bool>("readOnly");
        const auto row = [](const char* name, const char* kind, const char* warning, const char* question,
                            bool readOnly) {
            QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromUtf8(warning)
                                << QString::fromUtf8(question) << readOnly;
        };
        row("read", "read", "", "", false);
        row("missing: a new table", "missing", "", "", false);
        row("over 8 MB", "large",
            "The table file \"%1\" is larger than 8 MB, so the editor could not read it.  The editor starts empty.",
            "The table file \"%1\" could not be read, so the editor does not show it.  Saving replaces the file with "
            "the "
            "text shown, and the 8,388,609 bytes it holds will be lost.  Save anyway?",
            false);
        row("a folder", "folder",
            "The table file \"%1\" is not a file that can be read.  The editor starts empty, and the table cannot be "
            "saved there.",
            "", true);
    }

    // A table file that is there but could not be read is never replaced unasked, nor written where it cannot be.
    void unreadFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, warning);
        QFETCH(QString, question);
        QFETCH(bool, readOnly);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Length.tbl"));
        if (kind == u"read")
            QVERIFY(test::writeFileBytes(path, "A\r\nB\r\nC\r\n1\r\n"));
        else if (kind == u"large")
            QVERIFY(test::writeFileBytes(path, QByteArray(8 * 1024 * 1024 + 1, 'x')));
        else if (kind == u"folder")
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Length.tbl")));
        TableEditorDocument document(path, QStringLiteral("Length"));
        QCOMPARE(document.load(), kind == u"read" ? QStringLiteral("A\nB\nC\n1") : QString());
        const auto withPath = [&path](const QString& text) { return text.isEmpty() ? text : text.arg(path); };
        QCOMPARE(document.loadWarning(), withPath(warning));
        QCOMPARE(document.replaceQuestion(), withPath(question));
        QCOMPARE(document.readOnly(), readOnly);
        if (kind == u"large") {
            QVERIFY(document.save(QStringLiteral("typed")).isEmpty());
            QCOMPARE(document.replaceQuestion(), QString()); // the file now holds what the editor shows
        }
    }
};

MX_REGISTER_TEST(TableEditorDocumentTest)
#include "tst_table_editor_document.moc"
