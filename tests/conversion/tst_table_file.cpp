#include "conversion/table_check.h"
#include "conversion/table_file.h"

#include "table_fixture.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QSet>
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

QString tablePath(const QString& type)
{
    return QStringLiteral(MX_DATA_DIR "/") + type + u".tbl"_s;
}

const QByteArray kEntry = "N\r\nA\r\nB\r\n2\r\n\r\n";

void fillWithSentinel(ConversionTableArray& table)
{
    table.fill(ConversionEntry{QStringLiteral("old"), QStringLiteral("x"), QStringLiteral("y"), -1.0});
}

} // namespace

// Table files read, checked as the editor and the command line check them, and the shipped tables.
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

    void check_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("loads");

        const auto row = [](const char* name, const QByteArray& bytes, const char* answer, bool loads) {
            QTest::newRow(name) << bytes << QString::fromLatin1(answer) << loads;
        };
        row("valid", tableEntries(2), "The table is valid: 2 conversions.", true);
        row("D exponent, negative factor", "N\r\nA\r\nB\r\n 1D3\r\n\r\nM\r\nA\r\nB\r\n-2.5E2\r\n\r\n",
            "The table is valid: 2 conversions.", true);
        row("an empty text saved", "\r\n", "Line 1: the table has no entries.", false);
        row("no separator after the last entry", kEntry + "M\r\nA\r\nB\r\n2\r\n",
            "Line 10: the entry that begins on line 6 has no separator line.", false);
        row("extra empty line at the end", kEntry + "\r\n", "Line 6: empty lines follow the last entry.", false);
        row("factor with unit text", "N\r\nA\r\nB\r\n25.4 mm\r\n\r\n", "Line 4: the factor is not a number.", true);
        row("factor zero, LF and lone CR", "N\nA\rB\r\n0.0\r\r", "Line 4: the factor is zero.", true);
        row("pair name twice", kEntry + "M\r\nA\r\nB\r\n2\r\n\r\n" + kEntry,
            "Line 11: the pair name is given twice (first on line 1).", true);
        row("unclosed quote in the fifth field", "N\r\nA\r\nB\r\n2\r\n\"rest\r\n", "Line 5: the quote is not closed.",
            true);
        row("unclosed quote takes the rest", "N\r\n\"A\r\nB\r\n2\r\n\r\n" + kEntry, "Line 2: the quote is not closed.",
            false);
        row("first fault wins", "N\r\nA\r\nB\r\n0\r\n\r\nM\r\n", "Line 4: the factor is zero.", false);
        row("field too long", "N\r\nA\r\n" + QByteArray(4097, 'x') + "\r\n2\r\n\r\n",
            "Line 3: the field is longer than 4096 characters.", false);
        row("1002 entries", tableEntries(1002), "Line 5006: the table has more than 1001 entries.", false);
        // A table read as UTF-8 says so on the command line; its lines are counted in what it reads.
        row("UTF-8", "Degrees \xC2\xB0 vs Grads\n\xC2\xB0\ngrad\n0.9\n\n", "The table is valid: 1 conversion (UTF-8).",
            true);
        row("UTF-8 with a fault", "\xEF\xBB\xBF\xCE\xA9\r\nA\r\nB\r\nx\r\n\r\n",
            "Line 4 (UTF-8): the factor is not a number.", true);
        row("UTF-8 pair name twice", "\xCE\xA9\nA\nB\n2\n\n\xCE\xA9\nA\nB\n2\n\n",
            "Line 6 (UTF-8): the pair name is given twice (first on line 1).", true);
    }

    void check()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, answer);
        const TableCheck check = checkConversionTable(bytes);
        QCOMPARE(answerNamingEncoding(check), answer);
        QCOMPARE(check.answer, answer.remove(QStringLiteral(" (UTF-8)"))); // the table editor's answer
        QTEST(check.loads, "loads");
    }

    // One pair of each table with its factor from the units' definitions (the EC therm is 105.506 MJ exactly).
    void table_data()
    {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<double>("factor");
        const auto row = [](const char* type, const char* pair, double factor) {
            QTest::newRow(type) << QString::fromLatin1(pair) << factor;
        };
        row("Custom", "Miles vs Feet", 5280);
        row("Length", "Nautical Miles vs Kilometers", 1.852);
        row("Area", "Acres vs Square Meters", 4046.8564224);
        row("Volume", "US Gallons vs Liters", 3.785411784);
        row("Mass", "Grains vs Milligrams", 64.79891);
        row("Angles", "Degrees vs Radians", 0.0174532925199433);
        row("Force", "Pounds-force vs Newtons", 4.4482216152605);
        row("Torque", "Ounce-force Inches vs Gram-force Centimeters", 72.0077887375);
        row("Pressure", "PSI vs Kilopascals", 6.89475729316836);
        row("Velocity", "Knots vs Meters per Second", 0.514444444444444);
        row("Acceleration", "Standard Gravities vs Inches per Second Squared", 386.088582677165);
        row("Power", "Horsepower vs Watts", 745.69987158227);
        row("Energy", "EC Therms vs Megajoules", 105.506);
        row("Electrical", "Oersteds vs Amperes per Meter", 79.5774715459477);
    }

    void table()
    {
        const QString type = QString::fromLatin1(QTest::currentDataTag());
        QFETCH(QString, pair);
        ConversionTableArray table;
        const TableReadResult result = readConversionTable(tablePath(type), table);
        QCOMPARE(result.status, TableReadStatus::Ok);
        QCOMPARE(checkConversionTableFile(tablePath(type), type).fault, TableFault::None);
        QVERIFY2(result.count >= (type == u"Custom" ? 3 : 6) && result.count <= 20,
                 qPrintable(QString::number(result.count)));
        QSet<QString> names;
        for (int i = 0; i < result.count; ++i) {
            const ConversionEntry& e = table[std::size_t(i)];
            QVERIFY2(!names.contains(e.Name), qPrintable(e.Name));
            names.insert(e.Name);
            // A table pair named like a built-in temperature pair would convert as one.
            QVERIFY2(
                !QStringList({"Fahrenheit vs Celsius", "Fahrenheit vs Rankin", "Celsius vs Kelvin"}).contains(e.Name),
                qPrintable(e.Name));
            QCOMPARE(e.Name, e.FirstUnit + u" vs "_s + e.SecondUnit);
            if (e.Name == pair)
                QTEST(e.Factor, "factor");
        }
        QVERIFY2(names.contains(pair), qPrintable(pair));

        QFile file(tablePath(type));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        QVERIFY(data.endsWith("\r\n") && !data.startsWith("\xEF\xBB\xBF"));
        for (qsizetype i = 0; i < data.size(); ++i) {
            const auto b = static_cast<unsigned char>(data[i]);
            const bool lineEnd =
                (b == '\r' && data.mid(i + 1, 1) == "\n") || (b == '\n' && i > 0 && data[i - 1] == '\r');
            // Bytes Windows-1252 leaves undefined, and control characters, have no place in a table.
            const bool printable =
                b >= 0x20 && b != 0x7F && b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D;
            QVERIFY2(lineEnd || printable, qPrintable(u"byte %1 at %2"_s.arg(b).arg(i)));
        }
    }
};

MX_REGISTER_TEST(TableFileTest)
#include "tst_table_file.moc"
