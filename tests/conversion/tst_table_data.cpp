#include "conversion/table_check.h"
#include "conversion/table_file.h"

#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

const QStringList kTypes = {u"Custom"_s,       u"Length"_s, u"Area"_s,   u"Volume"_s,    u"Mass"_s,
                            u"Angles"_s,       u"Force"_s,  u"Torque"_s, u"Pressure"_s,  u"Velocity"_s,
                            u"Acceleration"_s, u"Power"_s,  u"Energy"_s, u"Electrical"_s};

QString tablePath(const QString& type)
{
    return QStringLiteral(MX_DATA_DIR "/") + type + u".tbl"_s;
}

} // namespace

// The shipped tables: every type has one, each loads and passes the check, and is written as a Windows-made file.
class TableDataTest : public QObject {
    Q_OBJECT

private slots:
    void everyTypeShipped()
    {
        QStringList expected;
        for (const QString& type : kTypes)
            expected << type + u".tbl"_s;
        expected.sort();
        QCOMPARE(QDir(QStringLiteral(MX_DATA_DIR)).entryList({u"*.tbl"_s}, QDir::Files, QDir::Name), expected);
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

MX_REGISTER_TEST(TableDataTest)
#include "tst_table_data.moc"
