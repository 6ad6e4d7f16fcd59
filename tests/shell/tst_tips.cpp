#include "shell/tips.h"

#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

constexpr const char* kThreeTips = "First tip\r\nSecond tip\r\nThird tip\r\n";

// Puts something that cannot be read as a data file at `path`: a folder, a named pipe or an oversized file.
bool makeUnreadable(const QString& path, const QString& kind, qint64 limit)
{
    if (kind == u"folder")
        return QDir().mkdir(path);
    if (kind == u"fifo")
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    if (kind == u"large")
        return test::writeFileBytes(path, " 2" + QByteArray(limit, ' '));
    return true; // "missing"
}

} // namespace

class TipsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void parseLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("tips");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("no line end after the last") << QByteArray("a\r\nb") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{u""_s};
        QTest::newRow("empty lines are tips") << QByteArray("a\r\n\r\nb\r\n") << QStringList{u"a"_s, u""_s, u"b"_s};
        QTest::newRow("LF and lone CR") << QByteArray("a\nb\rc") << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QStringList{u"a"_s, u""_s, u"b"_s};
        QTest::newRow("Windows-1252") << QByteArray("32 \xb0"
                                                    "F \x96 \x93quoted\x94\r\n")
                                      << QStringList{u"32 °F – “quoted”"_s};
        QTest::newRow("UTF-8") << QByteArray("32 \xC2\xB0"
                                             "F \xE2\x80\x93 \xCE\xA9\n")
                               << QStringList{u"32 °F – Ω"_s};
        QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                             "a\r\nb")
                                               << QStringList{u"a"_s, u"b"_s};
    }

    void parseLines()
    {
        QFETCH(QByteArray, bytes);
        QTEST(parseTips(bytes), "tips");
    }

    void counterValue_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("tip");
        QTest::newRow("as written") << QByteArray(" 5\r\n") << 5;
        QTest::newRow("negative counts as 0") << QByteArray("-3\r\n") << 0;
        QTest::newRow("trailing text") << QByteArray("12abc") << 12;
        QTest::newRow("half rounds to even, down") << QByteArray("2.5") << 2;
        QTest::newRow("half rounds to even, up") << QByteArray("3.5") << 4;
        QTest::newRow("first value ends at a comma") << QByteArray("7,9") << 7;
        QTest::newRow("first value ends at the line") << QByteArray("\r\n 7\r\n9") << 7;
        QTest::newRow("largest 32-bit number") << QByteArray(" 2147483647\r\n") << 2147483647;
        QTest::newRow("beyond 32 bits counts as 0") << QByteArray(" 2147483648\r\n") << 0;
        QTest::newRow("overflowing digits count as 0") << QByteArray("1e999") << 0;
    }

    void counterValue()
    {
        QFETCH(QByteArray, bytes);
        QTEST(int(parseTipCounter(bytes)), "tip");
    }

    void cycle_data()
    {
        QTest::addColumn<QByteArray>("tips");
        QTest::addColumn<QByteArray>("counter"); // null: no counter file
        QTest::addColumn<int>("nextClicks");
        QTest::addColumn<QString>("shown"); // null: no tip to show
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char* name, const char* tips, const char* counter, int next, const QString& shown,
                            const char* written) {
            QTest::newRow(name) << QByteArray(tips) << QByteArray(counter) << next << shown << QByteArray(written);
        };
        row("first opening", kThreeTips, nullptr, 0, u"First tip"_s, " 1\r\n");
        row("stored 1 shows the second", kThreeTips, " 1\r\n", 0, u"Second tip"_s, " 2\r\n");
        row("stored last starts again", kThreeTips, " 3\r\n", 0, u"First tip"_s, " 1\r\n");
        row("file shortened since", kThreeTips, " 10\r\n", 0, u"First tip"_s, " 1\r\n");
        row("next once", kThreeTips, nullptr, 1, u"Second tip"_s, " 2\r\n");
        row("next wraps round", kThreeTips, " 1\r\n", 2, u"First tip"_s, " 1\r\n");
        row("empty line is a tip", "A\r\n\r\nC\r\n", " 1\r\n", 0, u""_s, " 2\r\n");
        row("no tips", "", " 7\r\n", 1, QString(), " 1\r\n");
    }

    void cycle()
    {
        QFETCH(QByteArray, counter);
        QFETCH(int, nextClicks);
        QFETCH(QString, shown);
        QFETCH(QByteArray, tips);
        QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), tips));
        if (!counter.isNull())
            QVERIFY(test::writeFileBytes(path(u"CURRENTTIP.TIP"_s), counter));

        TipBook book(dir_->path());
        QVERIFY(book.loadTips(book.tipsFilePath()));
        for (int i = 0; i < nextClicks; ++i)
            book.moveToNextTip();
        QCOMPARE(book.currentTipText().has_value(), !shown.isNull());
        QCOMPARE(book.currentTipText().value_or(QString()), shown);
        QVERIFY(book.saveCurrentTip());
        QTEST(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), "written");
    }

    void unreadableFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("tips missing") << u"TIPOFDAY.TXT"_s << u"missing"_s << false;
        QTest::newRow("no tips file name") << QString() << u"missing"_s << false;
        QTest::newRow("tips a folder") << u"TIPOFDAY.TXT"_s << u"folder"_s << false;
        QTest::newRow("tips a named pipe") << u"TIPOFDAY.TXT"_s << u"fifo"_s << false;
        QTest::newRow("tips too large") << u"TIPOFDAY.TXT"_s << u"large"_s << false;
        QTest::newRow("counter a folder") << u"CURRENTTIP.TIP"_s << u"folder"_s << true;
        QTest::newRow("counter a named pipe") << u"CURRENTTIP.TIP"_s << u"fifo"_s << true;
        QTest::newRow("counter too large") << u"CURRENTTIP.TIP"_s << u"large"_s << true;
    }

    void unreadableFiles()
    {
        QFETCH(QString, file);
        QFETCH(QString, kind);
        QFETCH(bool, loaded);
        // Whatever else is there is fine: a counter of 2 that would show the third tip.
        for (const auto& [name, bytes] : {std::pair(u"TIPOFDAY.TXT"_s, QByteArray(kThreeTips)),
                                          std::pair(u"CURRENTTIP.TIP"_s, QByteArray(" 2\r\n"))})
            if (name != file)
                QVERIFY(test::writeFileBytes(path(name), bytes));
        const qint64 limit = file == u"TIPOFDAY.TXT" ? kMaxTipsFileBytes : kMaxTipCounterFileBytes;
        if (!file.isEmpty())
            QVERIFY(makeUnreadable(path(file), kind, limit));

        TipBook book(dir_->path());
        QCOMPARE(book.loadTips(file.isEmpty() ? QString() : book.tipsFilePath()), loaded);
        // An unreadable counter starts again at the first tip; unreadable tips leave nothing to show.
        QCOMPARE(book.currentTipText().value_or(u"none"_s), loaded ? u"First tip"_s : u"none"_s);
        QCOMPARE(book.currentTip(), loaded ? 1 : 0);
    }

    // A portable folder that may not be written: its counter counts until the user's own is written, and the
    // folder's stays as it was.
    void counterOfALockedFolder()
    {
        const FilePlaces places(dir_->filePath(u"bin"_s), dir_->filePath(u"data"_s), {},
                                FilePlaces::Layout::ReadOnlyFolder);
        QVERIFY(QDir().mkpath(places.dataFolder()) && places.makeUserFolders());
        QVERIFY(test::writeFileBytes(places.shipped(u"TIPOFDAY.TXT"_s), kThreeTips));
        QVERIFY(test::writeFileBytes(places.shipped(u"CURRENTTIP.TIP"_s), " 1\r\n"));
        for (const QString& shown : {u"Second tip"_s, u"Third tip"_s}) {
            TipBook book(places);
            QVERIFY(book.loadTips(book.tipsFilePath()));
            QCOMPARE(book.currentTipText().value_or(QString()), shown);
            QVERIFY(book.saveCurrentTip());
        }
        QCOMPARE(test::readFileBytes(places.own(u"CURRENTTIP.TIP"_s)), QByteArray(" 3\r\n"));
        QCOMPARE(test::readFileBytes(places.shipped(u"CURRENTTIP.TIP"_s)), QByteArray(" 1\r\n"));
    }

    void failedWriteIsReported()
    {
        // A program folder that has gone away cannot take the counter.
        TipBook book(dir_->filePath(u"gone"_s));
        QString error;
        QVERIFY(!book.saveCurrentTip(&error));
        const QString start = u"The file \"%1\" could not be saved: "_s.arg(dir_->filePath(u"gone/CURRENTTIP.TIP"_s));
        QVERIFY2(error.startsWith(start), qPrintable(error));
        QVERIFY(!QFileInfo::exists(dir_->filePath(u"gone"_s)));
    }

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

MX_REGISTER_TEST(TipsTest)
#include "tst_tips.moc"
