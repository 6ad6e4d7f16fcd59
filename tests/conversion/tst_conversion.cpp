#include "conversion/conversion.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

class ConversionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void factorAnswers_data()
    {
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("answer0");
        QTest::addColumn<QString>("answer1");
        const auto row = [](const char* name, double factor, const char* value, const char* answer0,
                            const char* answer1) {
            QTest::newRow(name) << factor << QString::fromLatin1(value) << QString::fromLatin1(answer0)
                                << QString::fromLatin1(answer1);
        };
        row("inch to mm", 25.4, "1", "0.0394", "25.4");
        row("product past a million", 25.4, "50000", "1,968.5039", "1.2700E6");
        row("exactly a million", 1.0, "1000000", "1.0000E6", "1.0000E6");
        row("exactly 0.0001", 1.0, "0.0001", "1.0000E-4", "1.0000E-4");
        row("just under a million", 1.0, "999999.99", "999,999.99", "999,999.99");
        row("just over 0.0001", 1.0, "0.00011", "0.0001", "0.0001");
        row("empty value is zero", 25.4, "", "0.0000E0", "0.0000E0");
        row("lone minus is zero", 25.4, "-", "0.0000E0", "0.0000E0");
        row("negative is scientific", 2.0, "-3", "-1.5000E0", "-6.0000E0");
        row("two points", 2.0, "1.5.3", "0.75", "3.");
        row("grouping", 1000.0, "999", "0.999", "999,000.");
        row("tiny factor", 1e-9, "1", "1.0000E9", "1.0000E-9");
        row("rounds up to a million", 1.0, "999999.99999", "1,000,000.", "1,000,000.");
        row("the stated limit itself", 25.4, "-7E306", "-2.7559E305", "-1.7780E308");
    }

    void factorAnswers()
    {
        QFETCH(double, factor);
        QFETCH(QString, value);
        ConversionTableArray table;
        table[3].Factor = factor;
        const MultiplyResult result = multiplyByFactor(table, 3, value);
        QCOMPARE(result.status, MultiplyStatus::Ok);
        QTEST(result.answers.answer0, "answer0");
        QTEST(result.answers.answer1, "answer1");
    }

    void factorFailures_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString outOfSync = QStringLiteral("The data table is out of sync.  This can happen after editing the "
                                                 "data table.  Make certain that there are "
                                                 "no extra lines in the data table or at the end of the data table.");
        const auto tooLarge = [](const char* limit) {
            return QStringLiteral("The value to convert is too large.  Enter a number between -%1 and %1.")
                .arg(QString::fromLatin1(limit));
        };
        QTest::newRow("factor zero") << 0 << 0.0 << "5" << outOfSync;
        QTest::newRow("factor zero, value zero") << 0 << 0.0 << "" << outOfSync;
        QTest::newRow("reciprocal overflows") << 0 << 1e-310 << "1" << outOfSync;
        QTest::newRow("index below the table") << -1 << 1.0 << "1" << outOfSync;
        QTest::newRow("index past the table") << 1001 << 1.0 << "1" << outOfSync;
        // A value in range whose product overflows is too large, not a broken table; the range stated is the one taken.
        QTest::newRow("product overflows") << 0 << 25.4 << "1e307" << tooLarge("7E+306");
        QTest::newRow("just past the stated limit") << 0 << 25.4 << "-7.0000001E306" << tooLarge("7E+306");
        QTest::newRow("reciprocal side overflows") << 0 << 1e-9 << "1e300" << tooLarge("1.7E+299");
        QTest::newRow("value beyond doubles") << 0 << 1.0 << "1e400" << tooLarge("1.7E+308");
    }

    void factorFailures()
    {
        QFETCH(int, index);
        QFETCH(double, factor);
        QFETCH(QString, value);
        ConversionTableArray table;
        if (index >= 0 && index < kMaxTableEntries)
            table[std::size_t(index)].Factor = factor;
        const MultiplyResult result = multiplyByFactor(table, index, value);
        QVERIFY(result.status != MultiplyStatus::Ok);
        QTEST(result.message, "message");
        QVERIFY(result.answers.answer0.isEmpty());
    }

    void temperatures_data()
    {
        QTest::addColumn<TemperaturePair>("pair");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("answer0");
        QTest::addColumn<QString>("answer1");
        const auto row = [](const char* name, TemperaturePair pair, const char* value, const char* answer0,
                            const char* answer1) {
            QTest::newRow(name) << pair << QString::fromLatin1(value) << QString::fromLatin1(answer0)
                                << QString::fromLatin1(answer1);
        };
        const char* const kOut = "Out of Range";
        row("F/C 100", TemperaturePair::FvsC, "100", "212.00", "37.78");
        row("F/C absolute zero F", TemperaturePair::FvsC, "-459.67", kOut, "-273.15");
        row("F/C absolute zero C", TemperaturePair::FvsC, "-273.15", "-459.67", "-169.53");
        row("F/C just below the row 2 limit", TemperaturePair::FvsC, "-459.68", kOut, kOut);
        row("F/C empty", TemperaturePair::FvsC, "", "32.00", "-17.78");
        row("F/C grouping", TemperaturePair::FvsC, "1000000", "1,800,032.00", "555,537.78");
        row("F/C overflow", TemperaturePair::FvsC, "1e400", kOut, kOut);
        row("F/R zero", TemperaturePair::FvsR, "0", "-459.67", "459.67");
        row("F/R below both", TemperaturePair::FvsR, "-460", kOut, kOut);
        row("F/R row 2 at its limit", TemperaturePair::FvsR, "-459.67", kOut, "0.00");
        row("C/K zero", TemperaturePair::CvsK, "0", "-273.15", "273.15");
        row("C/K below both", TemperaturePair::CvsK, "-273.16", kOut, kOut);
        row("C/K leading number only", TemperaturePair::CvsK, "12.5.7", "-260.65", "285.65");
    }

    void temperatures()
    {
        QFETCH(TemperaturePair, pair);
        QFETCH(QString, value);
        const MetricAnswers answers = convertTemperature(pair, value);
        QTEST(answers.answer0, "answer0");
        QTEST(answers.answer1, "answer1");
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
};

MX_REGISTER_TEST(ConversionTest)
#include "tst_conversion.moc"
