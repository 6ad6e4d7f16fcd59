#include "app/command_line.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mx;

namespace {

// The program folder of every case: two good tables, one that ends inside its first entry, the rest missing.
const QByteArray kCustom = "Hands vs Inches\r\nHands\r\nInches\r\n4\r\n\r\n";
const QByteArray kLength = "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n"
                           "Zero vs Nothing\r\nZero\r\nNothing\r\n0\r\n\r\n";
const QByteArray kArea = "Acres\r\nA\r\n";

QString missingTables()
{
    QString text;
    for (const char* type : {"Volume", "Mass", "Angles", "Force", "Torque", "Pressure", "Velocity", "Acceleration",
                             "Power", "Energy", "Electrical"})
        text += QStringLiteral("The file '%1.tbl' is missing.\n").arg(QLatin1String(type));
    return text;
}

const QString kAreaFailure =
    QStringLiteral("The file 'Area.tbl' does not load.  Line 3: the entry that begins on line 1 has no second unit.\n");

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answers_data();
    void answers();
};

void CommandLineTest::answers_data()
{
    QTest::addColumn<QStringList>("arguments"); // "@" stands for the program folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("factor pair") << QStringList{"--convert", "12.5", "Inches vs Millimeters"} << 0
                                 << "12.5 Millimeters = 0.4921 Inches\n12.5 Inches = 317.5 Millimeters\n"
                                 << "";
    QTest::newRow("temperature out of range") << QStringList{"--convert", "-460", "Fahrenheit vs Rankin"} << 0
                                              << "-460 Rankin = Out of Range Degrees F\n"
                                                 "-460 Degrees F = Out of Range Rankin\n"
                                              << "";
    QTest::newRow("zero factor") << QStringList{"--convert", "1", "Zero vs Nothing"} << 1 << ""
                                 << "The data table is out of sync.  This can happen after editing the data table.  "
                                    "Make certain that there are no extra lines in the data table or at the end of "
                                    "the data table.\n";
    QTest::newRow("value the box refuses")
        << QStringList{"--convert", "1e5", "Hands vs Inches"} << 1 << ""
        << "The value '1e5' cannot be typed into the value box, which takes only digits, \"-\" and \".\".\n";
    QTest::newRow("unknown pair") << QStringList{"--convert", "1", "Inches vs Furlongs"} << 1 << ""
                                  << kAreaFailure + missingTables() +
                                         "The pair 'Inches vs Furlongs' is in none of the conversion tables.  "
                                         "'mensurix --list' lists them.\n";
    QTest::newRow("list") << QStringList{"--list"} << 1
                          << "Temperature\n  Fahrenheit vs Celsius\n  Fahrenheit vs Rankin\n  Celsius vs Kelvin\n"
                             "Custom\n  Hands vs Inches\nLength\n  Inches vs Millimeters\n  Zero vs Nothing\nArea\n"
                             "Volume\nMass\nAngles\nForce\nTorque\nPressure\nVelocity\nAcceleration\nPower\nEnergy\n"
                             "Electrical\n"
                          << kAreaFailure + missingTables();
    QTest::newRow("valid table") << QStringList{"--check-table", "@/Custom.tbl"} << 0
                                 << "The table is valid: 1 conversion.\n"
                                 << "";
    QTest::newRow("faulty table") << QStringList{"--check-table", "@/Area.tbl"} << 1
                                  << "Line 3: the entry that begins on line 1 has no second unit.\n"
                                  << "";
    QTest::newRow("no table file") << QStringList{"--check-table", "@/Mass.tbl"} << 1 << ""
                                   << "The file '@/Mass.tbl' is missing.\n";
    QTest::newRow("a window option first") << QStringList{"-style", "fusion", "--list"} << 2 << ""
                                           << "mensurix: unknown option '-style'\n"
                                              "Try 'mensurix --help' for more information.\n";
}

void CommandLineTest::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(test::writeFileBytes(dir.filePath(QStringLiteral("Custom.tbl")), kCustom));
    QVERIFY(test::writeFileBytes(dir.filePath(QStringLiteral("Length.tbl")), kLength));
    QVERIFY(test::writeFileBytes(dir.filePath(QStringLiteral("Area.tbl")), kArea));
    arguments.replaceInStrings(QStringLiteral("@"), dir.path());

    const CommandLineResult result = runCommandLine(arguments, dir.path());
    QCOMPARE(result.out, out);
    QCOMPARE(result.err, err.replace(u'@', dir.path()));
    QTEST(result.exitCode, "exitCode");
}

MX_REGISTER_TEST(CommandLineTest)
#include "tst_command_line.moc"
