#include "conversion/table_check.h"

#include "table_fixture.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;
using mx::test::tableEntries;

namespace {

const QByteArray kEntry = "N\r\nA\r\nB\r\n2\r\n\r\n";

} // namespace

class TableCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
};

MX_REGISTER_TEST(TableCheckTest)
#include "tst_table_check.moc"
