#include "shell/data_file.h"
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

} // namespace

class TipsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void parseLines_data();
    void parseLines();
    void counterValue_data();
    void counterValue();
    void counterBytes_data();
    void counterBytes();
    void nextNumber_data();
    void nextNumber();
    void cycle_data();
    void cycle();
    void emptyTipsFileCountsAsFound();
    void unreadableTipsFile_data();
    void unreadableTipsFile();
    void unreadableCounterStartsAtFirstTip_data();
    void unreadableCounterStartsAtFirstTip();
    void counterInTheWayIsNotReplaced();
    void failedWriteIsReported();
    void missingMessage();
    void shippedTips();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TipsTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TipsTest::parseLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("tips");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("no line end after the last") << QByteArray("a\r\nb") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{u""_s};
    QTest::newRow("empty lines are tips") << QByteArray("a\r\n\r\nb\r\n") << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("LF only") << QByteArray("a\nb\n") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lone CR") << QByteArray("a\rb") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("blanks kept") << QByteArray("  indented \r\n") << QStringList{u"  indented "_s};
    QTest::newRow("Windows-1252") << QByteArray("32 \xb0"
                                                "F \x96 \x93quoted\x94\r\n")
                                  << QStringList{u"32 °F – “quoted”"_s};
    QTest::newRow("NUL inside a tip") << QByteArray("a\0b\r\n", 5) << QStringList{QString(u"a\0b"_s)};
}

void TipsTest::parseLines()
{
    QFETCH(QByteArray, bytes);
    QTEST(parseTips(bytes), "tips");
}

void TipsTest::counterValue_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("tip");
    QTest::newRow("as written") << QByteArray(" 5\r\n") << 5;
    QTest::newRow("no blank, no line end") << QByteArray("5") << 5;
    QTest::newRow("negative counts as 0") << QByteArray("-3\r\n") << 0;
    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("no number") << QByteArray("abc\r\n") << 0;
    QTest::newRow("trailing text") << QByteArray("12abc") << 12;
    QTest::newRow("blanks inside the number") << QByteArray(" 1 2\r\n") << 12;
    QTest::newRow("half rounds to even, down") << QByteArray("2.5") << 2;
    QTest::newRow("half rounds to even, up") << QByteArray("3.5") << 4;
    QTest::newRow("nearest") << QByteArray("2.6") << 3;
    QTest::newRow("exponent") << QByteArray("1e2") << 100;
    QTest::newRow("first value ends at a comma") << QByteArray("7,9") << 7;
    QTest::newRow("first value ends at the line") << QByteArray("7\r\n9") << 7;
    QTest::newRow("leading empty lines skipped") << QByteArray("\r\n\r\n 8\r\n") << 8;
    QTest::newRow("largest 32-bit number") << QByteArray(" 2147483647\r\n") << 2147483647;
    QTest::newRow("beyond 32 bits counts as 0") << QByteArray(" 2147483648\r\n") << 0;
    QTest::newRow("overflowing digits count as 0") << QByteArray("1e999") << 0;
    QTest::newRow("small negative rounds to 0") << QByteArray("-0.4") << 0;
}

void TipsTest::counterValue()
{
    QFETCH(QByteArray, bytes);
    QTEST(int(parseTipCounter(bytes)), "tip");
}

void TipsTest::counterBytes_data()
{
    QTest::addColumn<int>("tip");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("nothing shown yet") << 0 << QByteArray(" 0\r\n");
    QTest::newRow("first tip") << 1 << QByteArray(" 1\r\n");
    QTest::newRow("two digits") << 26 << QByteArray(" 26\r\n");
    QTest::newRow("negative") << -4 << QByteArray("-4\r\n");
    QTest::newRow("largest") << 2147483647 << QByteArray(" 2147483647\r\n");
}

void TipsTest::counterBytes()
{
    QFETCH(int, tip);
    QTEST(tipCounterBytes(tip), "bytes");
}

void TipsTest::nextNumber_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("next");
    QTest::newRow("from nothing") << 0 << 3 << 1;
    QTest::newRow("middle") << 1 << 3 << 2;
    QTest::newRow("to the last") << 2 << 3 << 3;
    QTest::newRow("after the last") << 3 << 3 << 1;
    QTest::newRow("beyond the count") << 10 << 3 << 1;
    QTest::newRow("largest stored number") << 2147483647 << 3 << 1;
    QTest::newRow("no tips") << 0 << 0 << 1;
    QTest::newRow("no tips, again") << 1 << 0 << 1;
    QTest::newRow("negative") << -1 << 3 << 1;
}

void TipsTest::nextNumber()
{
    QFETCH(int, current);
    QFETCH(int, count);
    QTEST(int(nextTipNumber(current, count)), "next");
}

void TipsTest::cycle_data()
{
    QTest::addColumn<QByteArray>("tips");
    QTest::addColumn<QByteArray>("counter"); // null: no counter file
    QTest::addColumn<int>("nextClicks");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("first opening") << QByteArray(kThreeTips) << QByteArray() << 0 << u"First tip"_s
                                   << QByteArray(" 1\r\n");
    QTest::newRow("stored 1 shows the second")
        << QByteArray(kThreeTips) << QByteArray(" 1\r\n") << 0 << u"Second tip"_s << QByteArray(" 2\r\n");
    QTest::newRow("stored last starts again")
        << QByteArray(kThreeTips) << QByteArray(" 3\r\n") << 0 << u"First tip"_s << QByteArray(" 1\r\n");
    QTest::newRow("file shortened since")
        << QByteArray(kThreeTips) << QByteArray(" 10\r\n") << 0 << u"First tip"_s << QByteArray(" 1\r\n");
    QTest::newRow("negative counts as 0")
        << QByteArray(kThreeTips) << QByteArray("-5\r\n") << 0 << u"First tip"_s << QByteArray(" 1\r\n");
    QTest::newRow("largest number") << QByteArray(kThreeTips) << QByteArray(" 2147483647\r\n") << 0 << u"First tip"_s
                                    << QByteArray(" 1\r\n");
    QTest::newRow("next wraps round") << QByteArray(kThreeTips) << QByteArray(" 1\r\n") << 2 << u"First tip"_s
                                      << QByteArray(" 1\r\n");
    QTest::newRow("next once") << QByteArray(kThreeTips) << QByteArray() << 1 << u"Second tip"_s
                               << QByteArray(" 2\r\n");
    QTest::newRow("empty line is a tip") << QByteArray("A\r\n\r\nC\r\n") << QByteArray(" 1\r\n") << 0 << u""_s
                                         << QByteArray(" 2\r\n");
    QTest::newRow("LF tips file") << QByteArray("A\nB\n") << QByteArray(" 1") << 0 << u"B"_s << QByteArray(" 2\r\n");
}

void TipsTest::cycle()
{
    QFETCH(QByteArray, tips);
    QFETCH(QByteArray, counter);
    QFETCH(int, nextClicks);
    QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), tips));
    if (!counter.isNull())
        QVERIFY(test::writeFileBytes(path(u"CURRENTTIP.TIP"_s), counter));

    TipBook book(dir_->path());
    QVERIFY(book.LoadTips(book.tipsFilePath()));
    for (int i = 0; i < nextClicks; ++i)
        book.NextTip();
    QVERIFY(book.currentTipText().has_value());
    QTEST(*book.currentTipText(), "shown");
    QVERIFY(book.saveCurrentTip());
    QTEST(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), "written");
}

void TipsTest::emptyTipsFileCountsAsFound()
{
    QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), {}));
    TipBook book(dir_->path());
    QVERIFY(book.LoadTips(book.tipsFilePath()));
    QCOMPARE(book.count(), 0);
    QVERIFY(!book.currentTipText());
    book.NextTip();
    QVERIFY(!book.currentTipText());
    QVERIFY(book.saveCurrentTip());
    QCOMPARE(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), QByteArray(" 1\r\n"));
}

void TipsTest::unreadableTipsFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << u"missing"_s;
    QTest::newRow("empty name") << u"empty name"_s;
    QTest::newRow("a folder") << u"folder"_s;
    QTest::newRow("a named pipe") << u"fifo"_s;
    QTest::newRow("too large") << u"large"_s;
}

void TipsTest::unreadableTipsFile()
{
    QFETCH(QString, kind);
    const QString tipsPath = path(u"TIPOFDAY.TXT"_s);
    QVERIFY(test::writeFileBytes(path(u"CURRENTTIP.TIP"_s), " 2\r\n"));
    if (kind == u"folder")
        QVERIFY(QDir(dir_->path()).mkdir(u"TIPOFDAY.TXT"_s));
    else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(tipsPath).constData(), 0600), 0);
    else if (kind == u"large")
        QVERIFY(test::writeFileBytes(tipsPath, QByteArray(kMaxTipsFileBytes + 1, 'x')));

    TipBook book(dir_->path());
    QVERIFY(!book.LoadTips(kind == u"empty name" ? QString() : tipsPath));
    QCOMPARE(book.currentTip(), 0);
    QVERIFY(!book.currentTipText());
    // OK still writes the counter, with 0.
    QVERIFY(book.saveCurrentTip());
    QCOMPARE(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), QByteArray(" 0\r\n"));
}

void TipsTest::unreadableCounterStartsAtFirstTip_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a folder") << u"folder"_s;
    QTest::newRow("a named pipe") << u"fifo"_s;
    QTest::newRow("too large") << u"large"_s;
}

void TipsTest::unreadableCounterStartsAtFirstTip()
{
    QFETCH(QString, kind);
    QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), kThreeTips));
    const QString counterPath = path(u"CURRENTTIP.TIP"_s);
    if (kind == u"folder")
        QVERIFY(QDir(dir_->path()).mkdir(u"CURRENTTIP.TIP"_s));
    else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(counterPath).constData(), 0600), 0);
    else
        QVERIFY(test::writeFileBytes(counterPath, " 2" + QByteArray(kMaxTipCounterFileBytes, ' ')));

    TipBook book(dir_->path());
    QVERIFY(book.LoadTips(book.tipsFilePath()));
    QCOMPARE(*book.currentTipText(), u"First tip"_s);
}

void TipsTest::counterInTheWayIsNotReplaced()
{
    QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), kThreeTips));
    const QString counterPath = path(u"CURRENTTIP.TIP"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(counterPath).constData(), 0600), 0);
    TipBook book(dir_->path());
    QVERIFY(book.LoadTips(book.tipsFilePath()));
    QString error;
    QVERIFY(!book.saveCurrentTip(&error));
    QCOMPARE(error, u"The file \"%1\" could not be saved: it is not a regular file."_s.arg(counterPath));
    QVERIFY(QFileInfo(counterPath).exists() && !QFileInfo(counterPath).isFile());
}

void TipsTest::failedWriteIsReported()
{
    // A program folder that has gone away cannot take the counter.
    TipBook book(dir_->filePath(u"gone"_s));
    QString error;
    QVERIFY(!book.saveCurrentTip(&error));
    QVERIFY2(error.startsWith(u"The file \"%1\" could not be saved: "_s.arg(dir_->filePath(u"gone/CURRENTTIP.TIP"_s))),
             qPrintable(error));
    QVERIFY(!QFileInfo::exists(dir_->filePath(u"gone"_s)));
}

void TipsTest::missingMessage()
{
    QCOMPARE(missingTipsMessage(),
             u"That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT using NotePad "
             "with 1 tip per line. Then place it in the same directory as the application. "_s);
}

void TipsTest::shippedTips()
{
    const DataFile file = readDataFile(QStringLiteral(MX_DATA_DIR "/TIPOFDAY.TXT"), kMaxTipsFileBytes);
    QCOMPARE(file.status, DataFileStatus::Ok);
    // Windows-made text: every line ends in CR LF.
    QCOMPARE(file.bytes.count('\n'), file.bytes.count("\r\n"));
    QVERIFY(file.bytes.endsWith("\r\n"));
    const QStringList tips = parseTips(file.bytes);
    QVERIFY2(tips.size() >= 20, qPrintable(QString::number(tips.size())));
    for (const QString& tip : tips) {
        QVERIFY2(!tip.trimmed().isEmpty(), "an empty line would show as an empty tip");
        QVERIFY2(tip.size() <= 260, qPrintable(tip));
    }
}

MX_REGISTER_TEST(TipsTest)
#include "tst_tips.moc"
