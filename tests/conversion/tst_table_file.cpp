#include "conversion/table_file.h"

#include "table_fixture.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::tableEntries;

namespace {

QString describe(const ConversionEntry& e)
{
    return e.Name + u'|' + e.FirstUnit + u'|' + e.SecondUnit + u'|' +
           QString::number(e.Factor, 'g', QLocale::FloatingPointShortest);
}

void fillWithSentinel(ConversionTableArray& table)
{
    table.fill(ConversionEntry{QStringLiteral("old"), QStringLiteral("x"), QStringLiteral("y"), -1.0});
}

} // namespace

class TableFileTest : public QObject {
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TableReadStatus>("status");
        QTest::addColumn<QStringList>("expected"); // every entry read, when status is Ok

        using S = TableReadStatus;
        const QString inMm = QStringLiteral("Inches vs Millimeters|Inches|Millimeters|25.4");
        const QByteArray longField(kMaxTableFieldChars, 'x');

        const auto row = [](const char* name, const QByteArray& bytes, TableReadStatus status,
                            const QStringList& read) { QTest::newRow(name) << bytes << status << read; };
        row("normal entry", "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n", S::Ok, QStringList{inMm});
        row("LF only", "Inches vs Millimeters\nInches\nMillimeters\n25.4\n\n", S::Ok, QStringList{inMm});
        row("lone CR", "Inches vs Millimeters\rInches\rMillimeters\r25.4\r\r", S::Ok, QStringList{inMm});
        row("LF CR is two line ends", "N\n\rA\nB\n1\n", S::Ok, QStringList{u"N||A|0"_s});
        row("commas on one line", "N,A,B,3,\r\n", S::Ok, QStringList{u"N|A|B|3"_s});
        row("quoted comma", "\"Feet, US\"\r\nFeet\r\n\" m,\"\r\n1\r\n\r\n", S::Ok,
            QStringList{u"Feet, US|Feet| m,|1"_s});
        row("text after closing quote", "\"N\" tail,A,\"B\"x\r\n1\r\n\r\n", S::Ok, QStringList{u"N|A|B|1"_s});
        row("quoted line end", "\"N\r\nM\"\r\nA\r\nB\r\n1\r\n\r\n", S::Ok, QStringList{u"N\r\nM|A|B|1"_s});
        row("unclosed quote in name", "\"N\r\nA\r\nB\r\n1\r\n\r\n", S::Malformed, QStringList{});
        row("unclosed quote in fifth field", "N\r\nA\r\nB\r\n1\r\n\"rest\r\n", S::Ok, QStringList{u"N|A|B|1"_s});
        row("blanks around fields", " \tN vs M \t\r\n  A\r\n\t\" B \"\r\n  7 \r\n  \r\n", S::Ok,
            QStringList{u"N vs M|A| B |7"_s});
        row("non-numeric factor", "N\r\nA\r\nB\r\nabc\r\n\r\n", S::Ok, QStringList{u"N|A|B|0"_s});
        row("factor with unit text", "N\r\nA\r\nB\r\n-2.5E2 mm\r\n\r\n", S::Ok, QStringList{u"N|A|B|-250"_s});
        row("empty fifth field at end of file", "N\r\nA\r\nB\r\n1\r\n  ", S::Ok, QStringList{u"N|A|B|1"_s});
        row("short last entry", "N\r\nA\r\nB\r\n1\r\n\r\nM\r\nA\r\nB\r\n1\r\n", S::Malformed, QStringList{});
        row("extra blank line at end", "N\r\nA\r\nB\r\n1\r\n\r\n\r\n", S::Malformed, QStringList{});
        row("only a line end", "\r\n", S::Malformed, QStringList{});
        row("empty file", {}, S::Ok, QStringList{});
        row("Windows-1252", "Degrees \xB0 vs \x80\r\n\xB0\r\n\x80\r\n1\r\n\r\n", S::Ok,
            QStringList{u"Degrees \u00B0 vs \u20AC|\u00B0|\u20AC|1"_s});
        // What Linux editors write; anything that is not valid UTF-8 stays Windows-1252, byte for character.
        row("UTF-8", "Degrees \xC2\xB0 vs \xE2\x82\xAC\n\xC2\xB0\n\xE2\x82\xAC\n1\n\n", S::Ok,
            QStringList{u"Degrees \u00B0 vs \u20AC|\u00B0|\u20AC|1"_s});
        row("UTF-8 byte-order mark", "\xEF\xBB\xBFN\r\n\xCE\xA9\r\nB\r\n1\r\n\r\n", S::Ok,
            QStringList{u"N|\u03A9|B|1"_s});
        row("overlong UTF-8", "N\r\n\xC0\xAF\r\nB\r\n1\r\n\r\n", S::Ok, QStringList{u"N|\u00C0\u00AF|B|1"_s});
        row("a surrogate in UTF-8", "N\r\n\xED\xA0\x80\r\nB\r\n1\r\n\r\n", S::Ok,
            QStringList{u"N|\u00ED\u00A0\u20AC|B|1"_s});
        row("beyond U+10FFFF", "N\r\n\xF4\x90\x80\x80\r\nB\r\n1\r\n\r\n", S::Ok,
            QStringList{u"N|\u00F4\u0090\u20AC\u20AC|B|1"_s});
        row("UTF-8 cut short", "N\r\nA\r\nB\r\n1\r\n\xC2", S::Ok, QStringList{u"N|A|B|1"_s});
        row("longest field", "N\r\n" + longField + "\r\nB\r\n1\r\n\r\n", S::Ok,
            QStringList{u"N|"_s + QString(kMaxTableFieldChars, u'x') + u"|B|1"_s});
        row("field too long", "N\r\nx" + longField + "\r\nB\r\n1\r\n\r\n", S::Malformed, QStringList{});
        row("quoted field too long", "N\r\nA\r\nB\r\n1\r\n\"x" + longField, S::Malformed, QStringList{});
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TableReadStatus, status);
        QFETCH(QStringList, expected);

        ConversionTableArray table;
        const TableReadResult result = parseConversionTable(bytes, table);
        QCOMPARE(result.status, status);
        QCOMPARE(result.count, int(expected.size()));
        for (int i = 0; i < result.count; ++i)
            QCOMPARE(describe(table[i]), expected[i]);
    }

    void entryLimit_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TableReadStatus>("status");
        QTest::addColumn<int>("count");

        QTest::newRow("1001 entries") << tableEntries(1001) << TableReadStatus::Ok << 1001;
        QTest::newRow("1002 entries") << tableEntries(1002) << TableReadStatus::TooManyEntries << 0;
        QTest::newRow("1001 entries and a stray byte")
            << tableEntries(1001) + ' ' << TableReadStatus::TooManyEntries << 0;
    }

    void entryLimit()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(TableReadStatus, status);
        QFETCH(int, count);

        // Entries past those of a table read keep what they held.
        ConversionTableArray table;
        fillWithSentinel(table);
        const TableReadResult result = parseConversionTable(bytes, table);
        QCOMPARE(result.status, status);
        QCOMPARE(result.count, count);
        if (count > 0)
            QCOMPARE(describe(table[std::size_t(count) - 1]), u"Pair %1|A|B|2"_s.arg(count - 1));
        for (std::size_t i = std::size_t(count); status == TableReadStatus::Ok && i < table.size(); ++i)
            QCOMPARE(describe(table[i]), u"old|x|y|-1"_s);
    }

    void fileStatus_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<TableReadStatus>("status");
        QTest::addColumn<int>("count");

        QTest::newRow("table file") << u"table"_s << TableReadStatus::Ok << 2;
        QTest::newRow("missing") << u"missing"_s << TableReadStatus::Missing << 0;
        QTest::newRow("directory") << u"directory"_s << TableReadStatus::Unreadable << 0;
        QTest::newRow("no permission to read") << u"locked"_s << TableReadStatus::Unreadable << 0;
        QTest::newRow("at size limit") << u"atLimit"_s << TableReadStatus::Ok << 1;
        QTest::newRow("over size limit") << u"overLimit"_s << TableReadStatus::Unreadable << 0;
        QTest::newRow("50 MB") << u"huge"_s << TableReadStatus::Unreadable << 0;
    }

    void fileStatus()
    {
        QFETCH(QString, kind);
        QFETCH(TableReadStatus, status);
        QFETCH(int, count);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"Length.tbl"_s);
        // The size cases hold one valid entry whose fifth field is blanks, which the reader skips.
        const QByteArray head("N\r\nA\r\nB\r\n1\r\n");
        if (kind == u"table" || kind == u"locked") {
            QVERIFY(test::writeFileBytes(path, tableEntries(2)));
        } else if (kind == u"directory") {
            QVERIFY(QDir(dir.path()).mkdir(u"Length.tbl"_s));
        } else if (kind == u"atLimit" || kind == u"overLimit") {
            const qint64 size = kMaxTableFileBytes + (kind == u"overLimit" ? 1 : 0);
            QVERIFY(test::writeFileBytes(path, head + QByteArray(size - head.size(), ' ')));
        } else if (kind == u"huge") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(head) == head.size());
            QVERIFY(file.resize(50LL * 1024 * 1024)); // sparse where the file system allows
        }
        if (kind == u"locked") {
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
            if (QFile probe(path); probe.open(QIODevice::ReadOnly))
                QSKIP("permissions do not restrict this user (root?)");
        }

        ConversionTableArray table;
        fillWithSentinel(table);
        const TableReadResult result = readConversionTable(path, table);
        QCOMPARE(result.status, status);
        QCOMPARE(result.count, count);
        if (status != TableReadStatus::Ok)
            QCOMPARE(table[0].Name, u"old"_s);
    }
};

MX_REGISTER_TEST(TableFileTest)
#include "tst_table_file.moc"
