#include "conversion/conversion.h"
#include "conversion/metric_conversions.h"
#include "table_fixture.h"
#include "test_registry.h"

#include <QTest>

#include <functional>
#include <optional>

#include <sys/stat.h>

using namespace mx;
using mx::test::tableEntries;

using Call = std::function<QString()>;

// The conversions of a value, and what choosing a type means for the user, decided apart from the panel.
class MetricConversionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        tables_.emplace();
        QVERIFY(tables_->write(QStringLiteral("Length.tbl"), test::kLengthTable));
        QVERIFY(tables_->write(QStringLiteral("Area.tbl"), "Short vs Entry\r\nA\r\nB\r\n2\r\n"));
        QVERIFY(tables_->write(QStringLiteral("Force.tbl"), tableEntries(1002)));
        QVERIFY(tables_->write(QStringLiteral("Volume.tbl"), "Celsius vs Kelvin\r\nX\r\nY\r\n3\r\n\r\n"
                                                             "Gallons vs Liters\r\nGallons\r\nLiters\r\n3.78\r\n\r\n"));
        QCOMPARE(::mkfifo(QFile::encodeName(tables_->filePath(QStringLiteral("Power.tbl"))).constData(), 0600), 0);
        conversions_ = std::make_unique<MetricConversions>(tables_->path());
    }

    // A value converted by a table's factor (at entry 3, or at the index given) or as a temperature pair: the two
    // answers, or the message shown instead.
    void convert_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<QString>("shown");
        const auto byFactor = [](const char* name, double factor, const char* value, const QString& shown,
                                 int index = 3) {
            QTest::newRow(name) << Call([=] {
                ConversionTableArray table;
                if (index >= 0 && index < kMaxTableEntries)
                    table[std::size_t(index)].Factor = factor;
                const MultiplyResult result = multiplyByFactor(table, index, QString::fromLatin1(value));
                if (result.status != MultiplyStatus::Ok) // a failure shows its message alone
                    return result.answers.answer0.isEmpty() ? result.message : QStringLiteral("answers and a message");
                return result.answers.answer0 + u'|' + result.answers.answer1;
            }) << shown;
        };
        const auto temperature = [](const char* name, TemperaturePair pair, const char* value, const char* shown) {
            QTest::newRow(name) << Call([=] {
                const MetricAnswers answers = convertTemperature(pair, QString::fromLatin1(value));
                return answers.answer0 + u'|' + answers.answer1;
            }) << QString::fromLatin1(shown);
        };
        const QString outOfSync = QStringLiteral("The data table is out of sync.  This can happen after editing the "
                                                 "data table.  Make certain that there are "
                                                 "no extra lines in the data table or at the end of the data table.");
        const auto tooLarge = [](const char* limit) {
            return QStringLiteral("The value to convert is too large.  Enter a number between -%1 and %1.")
                .arg(QString::fromLatin1(limit));
        };
        // clang-format off
        byFactor("inch to mm", 25.4, "1", "0.0394|25.4");
        byFactor("product past a million", 25.4, "50000", "1,968.5039|1.2700E6");
        byFactor("exactly a million", 1.0, "1000000", "1.0000E6|1.0000E6");
        byFactor("exactly 0.0001", 1.0, "0.0001", "1.0000E-4|1.0000E-4");
        byFactor("just under a million", 1.0, "999999.99", "999,999.99|999,999.99");
        byFactor("just over 0.0001", 1.0, "0.00011", "0.0001|0.0001");
        byFactor("empty value is zero", 25.4, "", "0.0000E0|0.0000E0");
        byFactor("lone minus is zero", 25.4, "-", "0.0000E0|0.0000E0");
        byFactor("negative is scientific", 2.0, "-3", "-1.5000E0|-6.0000E0");
        byFactor("two points", 2.0, "1.5.3", "0.75|3.");
        byFactor("grouping", 1000.0, "999", "0.999|999,000.");
        byFactor("tiny factor", 1e-9, "1", "1.0000E9|1.0000E-9");
        byFactor("rounds up to a million", 1.0, "999999.99999", "1,000,000.|1,000,000.");
        byFactor("the stated limit itself", 25.4, "-7E306", "-2.7559E305|-1.7780E308");
        byFactor("factor zero", 0.0, "5", outOfSync);
        byFactor("factor zero, value zero", 0.0, "", outOfSync);
        byFactor("reciprocal overflows", 1e-310, "1", outOfSync);
        byFactor("index below the table", 1.0, "1", outOfSync, -1);
        byFactor("index past the table", 1.0, "1", outOfSync, 1001);
        // A value in range whose product overflows is too large, not a broken table; the range stated is the one taken.
        byFactor("product overflows", 25.4, "1e307", tooLarge("7E+306"));
        byFactor("just past the stated limit", 25.4, "-7.0000001E306", tooLarge("7E+306"));
        byFactor("reciprocal side overflows", 1e-9, "1e300", tooLarge("1.7E+299"));
        byFactor("value beyond doubles", 1.0, "1e400", tooLarge("1.7E+308"));
        const TemperaturePair FvsC = TemperaturePair::FvsC;
        temperature("F/C 100", FvsC, "100", "212.00|37.78");
        temperature("F/C absolute zero F", FvsC, "-459.67", "Out of Range|-273.15");
        temperature("F/C absolute zero C", FvsC, "-273.15", "-459.67|-169.53");
        temperature("F/C just below the row 2 limit", FvsC, "-459.68", "Out of Range|Out of Range");
        temperature("F/C empty", FvsC, "", "32.00|-17.78");
        temperature("F/C grouping", FvsC, "1000000", "1,800,032.00|555,537.78");
        temperature("F/C overflow", FvsC, "1e400", "Out of Range|Out of Range");
        temperature("F/R zero", TemperaturePair::FvsR, "0", "-459.67|459.67");
        temperature("F/R below both", TemperaturePair::FvsR, "-460", "Out of Range|Out of Range");
        temperature("F/R row 2 at its limit", TemperaturePair::FvsR, "-459.67", "Out of Range|0.00");
        temperature("C/K zero", TemperaturePair::CvsK, "0", "-273.15|273.15");
        temperature("C/K below both", TemperaturePair::CvsK, "-273.16", "Out of Range|Out of Range");
        temperature("C/K leading number only", TemperaturePair::CvsK, "12.5.7", "-260.65|285.65");
        // clang-format on
    }

    void convert()
    {
        QFETCH(Call, call);
        QTEST(call(), "shown");
    }

    void temperaturePairNames()
    {
        QCOMPARE(temperaturePairNamed(u"Fahrenheit vs Celsius"), TemperaturePair::FvsC);
        QCOMPARE(temperaturePairNamed(u"Fahrenheit vs Rankin"), TemperaturePair::FvsR);
        QCOMPARE(temperaturePairNamed(u"Celsius vs Kelvin"), TemperaturePair::CvsK);
        // The names compare exactly: another spelling is an ordinary table pair.
        QCOMPARE(temperaturePairNamed(u"Fahrenheit vs Rankine"), std::nullopt);
        QCOMPARE(temperaturePairNamed(u"fahrenheit vs celsius"), std::nullopt);
        QCOMPARE(temperaturePairNamed(u"Celsius vs Kelvin "), std::nullopt);
    }

    void chooseCategory_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("pairs");
        QTest::addColumn<QString>("firstPair");
        QTest::addColumn<bool>("editorAllowed");
        QTest::addColumn<QString>("question");
        QTest::newRow("table present") << "Length" << 2 << "Inches vs Millimeters" << true << "";
        QTest::newRow("table missing")
            << "Custom" << 0 << "" << true
            << "The file 'Custom.tbl' is missing.  Would you like to create a new table now?";
        QTest::newRow("last entry short of its separator") << "Area" << 0 << "" << true << "";
        QTest::newRow("1002 entries") << "Force" << 0 << "" << true << "";
        QTest::newRow("a named pipe, never opened") << "Power" << 0 << "" << true << "";
        QTest::newRow("built in") << "Temperature" << 3 << "Fahrenheit vs Celsius" << false << "";
    }

    void chooseCategory()
    {
        QFETCH(QString, type);
        const CategoryChoice choice = conversions_->chooseCategory(type);
        QTEST(int(choice.pairs.size()), "pairs");
        QTEST(choice.pairs.value(0), "firstPair");
        QTEST(choice.tableEditorAllowed, "editorAllowed");
        QTEST(choice.missingTableQuestion, "question");
        QCOMPARE(conversions_->currentCategory(), type);
        if (type != u"Temperature")
            QCOMPARE(conversions_->tablePath(), tables_->filePath(type + QStringLiteral(".tbl")));
    }

    // The table editor saved a file: whether the tab lists it again, and what it lists.
    void tableSaved_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");    // the file the editor wrote, in the table folder
        QTest::addColumn<QByteArray>("bytes"); // what it wrote
        QTest::addColumn<int>("pairs");        // -1: the tab is not reloaded
        QTest::addColumn<QString>("lastPair");

        const QByteArray length = "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n";
        const auto row = [](const char* name, const char* chosen, const char* saved, const QByteArray& bytes, int pairs,
                            const char* lastPair) {
            QTest::newRow(name) << QString::fromLatin1(chosen) << QString::fromLatin1(saved) << bytes << pairs
                                << QString::fromLatin1(lastPair);
        };
        row("one entry more", "Length", "Length.tbl", length + "Yards vs Meters\r\nYards\r\nMeters\r\n0.9144\r\n\r\n",
            2, "Yards vs Meters");
        row("a new table", "Custom", "Custom.tbl", length, 1, "Inches vs Millimeters");
        row("1002 entries", "Length", "Length.tbl", tableEntries(1002), 0, "");
        row("extra empty line: the entries before it", "Length", "Length.tbl", length + "\r\n", 1,
            "Inches vs Millimeters");
        row("ends inside an entry", "Length", "Length.tbl", tableEntries(3) + "Half\r\nA\r\n", 3, "Pair 2");
        row("another table than the one shown", "Length", "Area.tbl", length, -1, "");
        // Temperatures are shown: a save of the table chosen before them changes nothing there.
        row("temperatures shown", "Temperature", "Length.tbl", length, -1, "");
    }

    void tableSaved()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QFETCH(QByteArray, bytes);
        QFETCH(int, pairs);
        conversions_->chooseCategory(QStringLiteral("Length"));
        conversions_->chooseCategory(chosen);
        const QString path = tables_->filePath(saved);
        QVERIFY(test::writeFileBytes(path, bytes));

        const std::optional<CategoryChoice> choice = conversions_->tableSaved(path);
        QCOMPARE(choice.has_value(), pairs >= 0);
        if (!choice)
            return;
        QCOMPARE(choice->pairs.size(), pairs);
        QTEST(choice->pairs.value(pairs - 1), "lastPair");
        QVERIFY(choice->missingTableQuestion.isEmpty());
        QVERIFY(choice->tableEditorAllowed);
        QCOMPARE(conversions_->currentCategory(), chosen);
    }

    // The captions and the answers of a pair come from the pair's name: a table entry named like a built-in pair is
    // one.
    void pairs_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("pair");
        QTest::addColumn<QString>("shown"); // "first unit|second unit: row 1|row 2"
        const auto row = [](const char* name, const char* type, const char* pair, const char* shown) {
            QTest::newRow(name) << QString::fromLatin1(type) << QString::fromLatin1(pair) << QString::fromLatin1(shown);
        };
        row("F/R", "Temperature", "Fahrenheit vs Rankin", "Degrees F|Rankin: -458.67|460.67");
        row("table entry", "Length", "Feet vs Meters", "Feet|Meters: 3.2808|0.3048");
        row("named like C/K", "Volume", "Celsius vs Kelvin", "Degrees C|Degrees K: -272.15|274.15");
    }

    void pairs()
    {
        QFETCH(QString, type);
        QFETCH(QString, pair);
        const int index = int(conversions_->chooseCategory(type).pairs.indexOf(pair));
        const auto units = conversions_->pairUnits(pair, index);
        const ConversionOutcome outcome = conversions_->convert(pair, index, u"1");
        QVERIFY(units && outcome.answers && outcome.message.isEmpty());
        QTEST(units->first + u'|' + units->second + QStringLiteral(": ") + outcome.answers->answer0 + u'|' +
                  outcome.answers->answer1,
              "shown");
        QVERIFY(!conversions_->convert(QString(), index, u"1").answers); // no pair does nothing
    }

    void installedTableEditedInTheUsersCopy()
    {
        QTemporaryDir user;
        MetricConversions installed(FilePlaces(tables_->path(), user.path()));
        installed.chooseCategory(QStringLiteral("Length"));
        const QString copy = installed.tableToEdit();
        QCOMPARE(copy, user.filePath(QStringLiteral("Length.tbl")));
        QCOMPARE(test::readFileBytes(copy), test::kLengthTable);
        // What the editor saves there is listed now and whenever Length is chosen again.
        QVERIFY(test::writeFileBytes(copy, "Yards vs Meters\r\nYards\r\nMeters\r\n0.9144\r\n\r\n"));
        QCOMPARE(installed.tableSaved(copy).value_or(CategoryChoice{}).pairs.size(), 1);
        installed.chooseCategory(QStringLiteral("Area"));
        QCOMPARE(installed.chooseCategory(QStringLiteral("Length")).pairs, QStringList{"Yards vs Meters"});
        // A table that is nowhere is made in the user's folder.
        installed.chooseCategory(QStringLiteral("Custom"));
        QCOMPARE(installed.tableToEdit(), user.filePath(QStringLiteral("Custom.tbl")));
        // No folder of the user's at all (one cannot be made under a file): the editor gets the table itself, which it
        // shows read-only, and no message that would keep it from opening.
        MetricConversions nowhere(FilePlaces(tables_->path(), QStringLiteral("/dev/null/Mensurix/")));
        nowhere.chooseCategory(QStringLiteral("Area"));
        QString error = QStringLiteral("stale");
        QCOMPARE(nowhere.tableToEdit(&error), tables_->filePath(QStringLiteral("Area.tbl")));
        QCOMPARE(error, QString());
    }

private:
    std::optional<test::TableFolder> tables_;
    std::unique_ptr<MetricConversions> conversions_;
};

MX_REGISTER_TEST(MetricConversionsTest)
#include "tst_metric_conversions.moc"
