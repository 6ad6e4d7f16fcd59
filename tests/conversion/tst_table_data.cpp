#include "conversion/table_check.h"
#include "conversion/table_file.h"

#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

struct Unit {
    double si = 0.0;   // value in SI base units (radians for angles)
    QString dimension; // units may only be paired within one dimension
};

// Built from the defining relations, independently of the numbers written in the tables.
QHash<QString, Unit> unitsBySi()
{
    constexpr double pi = std::numbers::pi;
    constexpr double inch = 0.0254, foot = 12 * inch, yard = 3 * foot, mile = 5280 * foot, mil = inch / 1000;
    constexpr double lbm = 0.45359237, g0 = 9.80665, lbf = lbm * g0, kgf = g0, hour = 3600.0;
    constexpr double btu = 1055.05585262, calorie = 4.184, horsepower = 550 * foot * lbf;
    constexpr double usGallon = 231 * inch * inch * inch, impGallon = 4.54609e-3;
    constexpr double psi = lbf / (inch * inch), atm = 101325.0;
    constexpr double mercury = 13595.1 * g0, water = 1000 * g0; // pressure per meter of conventional column
    constexpr double degree = pi / 180, circularMil = pi / 4 * mil * mil;

    const struct {
        const char16_t* caption;
        double si;
        const char16_t* dimension;
    } units[] = {
        {u"Inches", inch, u"length"},
        {u"Feet", foot, u"length"},
        {u"Yards", yard, u"length"},
        {u"Miles", mile, u"length"},
        {u"Nautical Miles", 1852, u"length"},
        {u"Fathoms", 2 * yard, u"length"},
        {u"Mils", mil, u"length"},
        {u"Microinches", inch / 1e6, u"length"},
        {u"Meters", 1, u"length"},
        {u"Kilometers", 1e3, u"length"},
        {u"Centimeters", 1e-2, u"length"},
        {u"Millimeters", 1e-3, u"length"},
        {u"Micrometers", 1e-6, u"length"},
        {u"Nanometers", 1e-9, u"length"},

        {u"Square Inches", inch * inch, u"area"},
        {u"Square Feet", foot * foot, u"area"},
        {u"Square Yards", yard * yard, u"area"},
        {u"Square Miles", mile * mile, u"area"},
        {u"Acres", 43560 * foot * foot, u"area"},
        {u"Square Mils", mil * mil, u"area"},
        {u"Circular Mils", circularMil, u"area"},
        {u"Thousand Circular Mils", 1000 * circularMil, u"area"},
        {u"Square Meters", 1, u"area"},
        {u"Hectares", 1e4, u"area"},
        {u"Square Kilometers", 1e6, u"area"},
        {u"Square Centimeters", 1e-4, u"area"},
        {u"Square Millimeters", 1e-6, u"area"},
        {u"Square Micrometers", 1e-12, u"area"},

        {u"Cubic Inches", inch * inch * inch, u"volume"},
        {u"Cubic Feet", foot * foot * foot, u"volume"},
        {u"Cubic Yards", yard * yard * yard, u"volume"},
        {u"US Gallons", usGallon, u"volume"},
        {u"US Quarts", usGallon / 4, u"volume"},
        {u"US Pints", usGallon / 8, u"volume"},
        {u"US Fluid Ounces", usGallon / 128, u"volume"},
        {u"Imperial Gallons", impGallon, u"volume"},
        {u"Imperial Fluid Ounces", impGallon / 160, u"volume"},
        {u"Oil Barrels", 42 * usGallon, u"volume"},
        {u"Cubic Meters", 1, u"volume"},
        {u"Liters", 1e-3, u"volume"},
        {u"Milliliters", 1e-6, u"volume"},
        {u"Cubic Centimeters", 1e-6, u"volume"},

        {u"Pounds", lbm, u"mass"},
        {u"Ounces", lbm / 16, u"mass"},
        {u"Grains", lbm / 7000, u"mass"},
        {u"Troy Ounces", 480 * lbm / 7000, u"mass"},
        {u"Stones", 14 * lbm, u"mass"},
        {u"Short Tons", 2000 * lbm, u"mass"},
        {u"Long Tons", 2240 * lbm, u"mass"},
        {u"Slugs", lbf / foot, u"mass"},
        {u"Kilograms", 1, u"mass"},
        {u"Grams", 1e-3, u"mass"},
        {u"Milligrams", 1e-6, u"mass"},
        {u"Metric Tons", 1e3, u"mass"},

        {u"Degrees", degree, u"angle"},
        {u"Arc Minutes", degree / 60, u"angle"},
        {u"Arc Seconds", degree / 3600, u"angle"},
        {u"Revolutions", 2 * pi, u"angle"},
        {u"Gradians", pi / 200, u"angle"},
        {u"Radians", 1, u"angle"},
        {u"Milliradians", 1e-3, u"angle"},
        {u"Microradians", 1e-6, u"angle"},

        {u"Pounds-force", lbf, u"force"},
        {u"Ounces-force", lbf / 16, u"force"},
        {u"Kips", 1000 * lbf, u"force"},
        {u"Short Tons-force", 2000 * lbf, u"force"},
        {u"Poundals", lbm * foot, u"force"},
        {u"Kilograms-force", kgf, u"force"},
        {u"Grams-force", kgf / 1000, u"force"},
        {u"Newtons", 1, u"force"},
        {u"Kilonewtons", 1e3, u"force"},
        {u"Dynes", 1e-5, u"force"},

        {u"Pound-force Inches", lbf * inch, u"torque"},
        {u"Pound-force Feet", lbf * foot, u"torque"},
        {u"Ounce-force Inches", lbf / 16 * inch, u"torque"},
        {u"Kilogram-force Meters", kgf, u"torque"},
        {u"Gram-force Centimeters", kgf / 1000 / 100, u"torque"},
        {u"Newton Meters", 1, u"torque"},
        {u"Newton Centimeters", 1e-2, u"torque"},
        {u"Newton Millimeters", 1e-3, u"torque"},

        {u"PSI", psi, u"pressure"},
        {u"KSI", 1000 * psi, u"pressure"},
        {u"Pounds per Square Foot", lbf / (foot * foot), u"pressure"},
        {u"Inches of Mercury", mercury * inch, u"pressure"},
        {u"Millimeters of Mercury", mercury / 1000, u"pressure"},
        {u"Inches of Water", water * inch, u"pressure"},
        {u"Feet of Water", water * foot, u"pressure"},
        {u"Atmospheres", atm, u"pressure"},
        {u"Torr", atm / 760, u"pressure"},
        {u"Kilograms-force per Square Centimeter", kgf * 1e4, u"pressure"},
        {u"Pascals", 1, u"pressure"},
        {u"Kilopascals", 1e3, u"pressure"},
        {u"Megapascals", 1e6, u"pressure"},
        {u"Bars", 1e5, u"pressure"},
        {u"Millibars", 100, u"pressure"},

        {u"Miles per Hour", mile / hour, u"velocity"},
        {u"Feet per Second", foot, u"velocity"},
        {u"Feet per Minute", foot / 60, u"velocity"},
        {u"Inches per Second", inch, u"velocity"},
        {u"Knots", 1852 / hour, u"velocity"},
        {u"Kilometers per Hour", 1000 / hour, u"velocity"},
        {u"Meters per Second", 1, u"velocity"},
        {u"Millimeters per Second", 1e-3, u"velocity"},

        {u"Standard Gravities", g0, u"acceleration"},
        {u"Feet per Second Squared", foot, u"acceleration"},
        {u"Inches per Second Squared", inch, u"acceleration"},
        {u"Miles per Hour per Second", mile / hour, u"acceleration"},
        {u"Kilometers per Hour per Second", 1000 / hour, u"acceleration"},
        {u"Meters per Second Squared", 1, u"acceleration"},
        {u"Centimeters per Second Squared", 1e-2, u"acceleration"},
        {u"Millimeters per Second Squared", 1e-3, u"acceleration"},

        {u"Horsepower", horsepower, u"power"},
        {u"Metric Horsepower", 75 * kgf, u"power"},
        {u"Electric Horsepower", 746, u"power"},
        {u"BTU per Hour", btu / hour, u"power"},
        {u"BTU per Minute", btu / 60, u"power"},
        {u"Tons of Refrigeration", 12000 * btu / hour, u"power"},
        {u"Foot-Pounds per Second", foot * lbf, u"power"},
        {u"Foot-Pounds per Minute", foot * lbf / 60, u"power"},
        {u"Kilocalories per Hour", 1000 * calorie / hour, u"power"},
        {u"Watts", 1, u"power"},
        {u"Kilowatts", 1e3, u"power"},

        {u"BTU", btu, u"energy"},
        {u"EC Therms", 105.506e6, u"energy"},
        {u"US Therms", 105.4804e6, u"energy"},
        {u"Foot-Pounds", foot * lbf, u"energy"},
        {u"Inch-Pounds", inch * lbf, u"energy"},
        {u"Horsepower Hours", horsepower * hour, u"energy"},
        {u"Calories", calorie, u"energy"},
        {u"Kilocalories", 1000 * calorie, u"energy"},
        {u"Joules", 1, u"energy"},
        {u"Kilojoules", 1e3, u"energy"},
        {u"Megajoules", 1e6, u"energy"},
        {u"Kilowatt Hours", 1000 * hour, u"energy"},

        {u"Ohm-Circular Mils per Foot", circularMil / foot, u"resistivity"},
        {u"Ohm-Square Millimeters per Meter", 1e-6, u"resistivity"},
        {u"Microhm-Centimeters", 1e-8, u"resistivity"},
        {u"Ohms per 1000 Feet", 1 / (1000 * foot), u"resistance per length"},
        {u"Ohms per Mile", 1 / mile, u"resistance per length"},
        {u"Ohms per Kilometer", 1e-3, u"resistance per length"},
        {u"Amperes per Square Inch", 1 / (inch * inch), u"current density"},
        {u"Amperes per Square Millimeter", 1e6, u"current density"},
        {u"Volts per Mil", 1 / mil, u"field strength"},
        {u"Kilovolts per Millimeter", 1e6, u"field strength"},
        {u"Picofarads per Foot", 1 / foot, u"capacitance per length"},
        {u"Picofarads per Meter", 1, u"capacitance per length"},
        {u"Watts per Square Inch", 1 / (inch * inch), u"power density"},
        {u"Watts per Square Centimeter", 1e4, u"power density"},
        {u"Lines per Square Inch", 1e-8 / (inch * inch), u"flux density"},
        {u"Gauss", 1e-4, u"flux density"},
        {u"Milliteslas", 1e-3, u"flux density"},
        {u"Oersteds", 1000 / (4 * pi), u"magnetic field"},
        {u"Amperes per Meter", 1, u"magnetic field"},
        {u"Ampere-Hours", 3600, u"charge"},
        {u"Coulombs", 1, u"charge"},

        {u"Hours", hour, u"time"},
        {u"Seconds", 1, u"time"},
    };

    QHash<QString, Unit> map;
    for (const auto& u : units)
        map.insert(QString::fromUtf16(u.caption), Unit{u.si, QString::fromUtf16(u.dimension)});
    return map;
}

const QStringList kTypes = {u"Custom"_s,       u"Length"_s, u"Area"_s,   u"Volume"_s,    u"Mass"_s,
                            u"Angles"_s,       u"Force"_s,  u"Torque"_s, u"Pressure"_s,  u"Velocity"_s,
                            u"Acceleration"_s, u"Power"_s,  u"Energy"_s, u"Electrical"_s};

QString tablePath(const QString& type)
{
    return QStringLiteral(MX_DATA_DIR "/") + type + u".tbl"_s;
}

bool isWindows1252Printable(unsigned char b)
{
    switch (b) {
    case 0x7F:
    case 0x81:
    case 0x8D:
    case 0x8F:
    case 0x90:
    case 0x9D:
        return false;
    default:
        return b >= 0x20;
    }
}

} // namespace

class TableDataTest : public QObject {
    Q_OBJECT

private slots:
    void everyTypeShipped();
    void table_data();
    void table();
    void bytes_data() { table_data(); }
    void bytes();
};

void TableDataTest::everyTypeShipped()
{
    QStringList files = QDir(QStringLiteral(MX_DATA_DIR)).entryList({u"*.tbl"_s}, QDir::Files, QDir::Name);
    QStringList expected;
    for (const QString& type : kTypes)
        expected << type + u".tbl"_s;
    expected.sort();
    QCOMPARE(files, expected);
}

void TableDataTest::table_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("dimension"); // shared by every unit of the table; empty where the table mixes
    const QStringList dimensions = {
        {},          u"length"_s,   u"area"_s,     u"volume"_s,       u"mass"_s,  u"angle"_s,  u"force"_s,
        u"torque"_s, u"pressure"_s, u"velocity"_s, u"acceleration"_s, u"power"_s, u"energy"_s, {}};
    for (qsizetype i = 0; i < kTypes.size(); ++i)
        QTest::newRow(qPrintable(kTypes[i])) << kTypes[i] << dimensions[i];
}

void TableDataTest::table()
{
    QFETCH(QString, type);
    QFETCH(QString, dimension);

    static const QHash<QString, Unit> units = unitsBySi();
    const QSet<QString> temperaturePairs = {u"Fahrenheit vs Celsius"_s, u"Fahrenheit vs Rankin"_s,
                                            u"Celsius vs Kelvin"_s};
    ConversionTableArray table;
    const TableReadResult result = readConversionTable(tablePath(type), table);
    QCOMPARE(result.status, TableReadStatus::Ok);
    QCOMPARE(checkConversionTableFile(tablePath(type), type).fault, TableFault::None);
    QVERIFY2(result.count >= (type == u"Custom" ? 3 : 6) && result.count <= 20,
             qPrintable(QString::number(result.count)));

    QSet<QString> names;
    for (int i = 0; i < result.count; ++i) {
        const ConversionEntry& e = table[i];
        QVERIFY2(!names.contains(e.Name), qPrintable(e.Name));
        names.insert(e.Name);
        QVERIFY2(!temperaturePairs.contains(e.Name), qPrintable(e.Name));
        QCOMPARE(e.Name, e.FirstUnit + u" vs "_s + e.SecondUnit);

        const auto first = units.constFind(e.FirstUnit);
        const auto second = units.constFind(e.SecondUnit);
        QVERIFY2(first != units.cend(), qPrintable(u"unknown unit "_s + e.FirstUnit));
        QVERIFY2(second != units.cend(), qPrintable(u"unknown unit "_s + e.SecondUnit));
        QVERIFY2(first->dimension == second->dimension, qPrintable(e.Name));
        if (!dimension.isEmpty())
            QCOMPARE(first->dimension, dimension);

        const double expected = first->si / second->si;
        QVERIFY2(std::abs(e.Factor - expected) <= 1e-9 * expected,
                 qPrintable(e.Name + u": "_s + QString::number(e.Factor, 'g', 17) + u" instead of "_s +
                            QString::number(expected, 'g', 17)));
    }
}

void TableDataTest::bytes()
{
    QFETCH(QString, type);

    QFile file(tablePath(type));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    QVERIFY(data.endsWith("\r\n"));
    QVERIFY(!data.startsWith("\xEF\xBB\xBF"));
    for (qsizetype i = 0; i < data.size(); ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        if (b == '\r')
            QVERIFY2(i + 1 < data.size() && data[i + 1] == '\n', qPrintable(u"lone CR at "_s + QString::number(i)));
        else if (b == '\n')
            QVERIFY2(i > 0 && data[i - 1] == '\r', qPrintable(u"lone LF at "_s + QString::number(i)));
        else
            QVERIFY2(isWindows1252Printable(b),
                     qPrintable(u"byte "_s + QString::number(b) + u" at "_s + QString::number(i)));
    }
}

MX_REGISTER_TEST(TableDataTest)
#include "tst_table_data.moc"
