#include "app/command_line.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

// The shipped tables, with the user's own copies beside them: an edited Length table (whose shipped copy has a
// wrong factor), a Custom table as a Linux editor writes it (UTF-8), one that ends inside its first entry, the rest
// missing.
const QByteArray kShippedLength = "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25\r\n\r\n";
const QByteArray kEditedLength = "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n"
                                 "Zero vs Nothing\r\nZero\r\nNothing\r\n0\r\n\r\n";
const QByteArray kCustom = "Hands vs Inches\nHands\nInches\n4\n\nMicrons vs \xC3\x85ngstr\xC3\xB6ms\n\xC2\xB5m\n"
                           "\xC3\x85\n10000\n\n";
const QByteArray kArea = "Acres\r\nA\r\n";

QString missingTables()
{
    QString text;
    for (const char* type : {"Volume", "Mass", "Angles", "Force", "Torque", "Pressure", "Velocity", "Acceleration",
                             "Power", "Energy", "Electrical"})
        text += QStringLiteral("mensurix: The file '%1.tbl' is missing.\n").arg(QLatin1String(type));
    return text;
}

const QString kAreaFailure = QStringLiteral(
    "mensurix: The file 'Area.tbl' does not load.  Line 3: the entry that begins on line 1 has no second unit.\n");

QString usage(const char* problem)
{
    return QStringLiteral("mensurix: %1\nTry 'mensurix --help' for more information.\n")
        .arg(QString::fromUtf8(problem));
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What the arguments ask for, as "window", "usage: <problem>" or the request and its values.
    void understood_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("request");
        const auto row = [](const char* name, const QStringList& arguments, const char* request) {
            QTest::newRow(name) << arguments << QString::fromUtf8(request);
        };
        row("nothing", {}, "window");
        row("a Qt option", {"-platform", "offscreen"}, "window");
        row("Qt options with two dashes", {"--platform", "offscreen", "--reverse", "--qwindowtitle", "T"}, "window");
        row("style and style sheet after '='", {"-style=fusion", "-stylesheet=a.qss", "-widgetcount"}, "window");
        row("every other window option",
            QStringLiteral("-platformpluginpath p -platformtheme t -plugin evdevtouch -qwindowgeometry 9x9+1+1 "
                           "-qwindowicon i.png -session s -display :1 -geometry 9x9 -title T -icon i -name n -visual "
                           "TrueColor -ncols 8 -cmap -sync -nograb -dograb -qmljsdebugger=port:1234,block")
                .split(u' '),
            "window");
        row("a negative value", {"--convert", "-460", "Fahrenheit vs Rankin"}, "convert|-460|Fahrenheit vs Rankin");
        row("the value after '='", {"--convert=12.5", "Inches vs Millimeters"}, "convert|12.5|Inches vs Millimeters");
        row("the pair first", {"Inches vs Millimeters", "--convert", "1"}, "convert|1|Inches vs Millimeters");
        row("a pair that looks like an option", {"--convert", "1", "--", "-x vs y"}, "convert|1|-x vs y");
        row("window options beside the command line", {"-style", "fusion", "--list"}, "list");
        row("check a table", {"--check-table", "-"}, "check|-");
        row("help wins", {"--list", "--help"}, "help");
        row("-h", {"-h"}, "help");
        row("version", {"--version"}, "version");

        row("unknown option", {"--frob"}, "usage: unknown option '--frob'");
        row("an option of ours with one dash", {"-list"}, "usage: unknown option '-list'");
        row("'=' where Qt takes none", {"-platform=xcb"}, "usage: '-platform' takes its value as the next argument");
        row("no '=' where Qt needs one", {"-qmljsdebugger", "port:1"},
            "usage: '-qmljsdebugger' takes its value after '='");
        row("a value for a switch", {"--list=3"}, "usage: '--list' takes no argument");
        row("a Qt switch with a value", {"-reverse=1"}, "usage: '-reverse' takes no argument");
        row("a window option without its value", {"-platform"}, "usage: '-platform' takes a value");
        row("a file name", {"notes.txt"}, "usage: unexpected argument 'notes.txt'");
        row("an argument after --list", {"--list", "Length"}, "usage: '--list' takes no argument");
        row("convert without a pair", {"--convert", "1"}, "usage: '--convert' takes a value and a pair name");
        row("convert twice", {"--convert", "1", "a", "--convert", "2", "b"},
            "usage: '--convert' takes a value and a pair name");
        row("check two files", {"--check-table", "a", "b"}, "usage: '--check-table' takes one file name");
        row("two requests", {"--version", "--list"}, "usage: '--list' and '--version' cannot be given together");
    }

    void understood()
    {
        QFETCH(QStringList, arguments);
        const CommandLineRequest request = parseCommandLine(arguments);
        using Kind = CommandLineRequest::Kind;
        const char* kinds[] = {"window", "help", "version", "list", "convert", "check", "usage"};
        QString described = QString::fromLatin1(kinds[int(request.kind)]);
        if (request.kind == Kind::Usage)
            described += QStringLiteral(": ") + request.problem;
        for (const QString& value : request.values)
            described += u'|' + value;
        QTEST(described, "request");
    }

    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "@" stands for the folder of the shipped tables
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");

        const auto row = [](const char* name, const QStringList& arguments, int exitCode, const QString& out,
                            const QString& err) { QTest::newRow(name) << arguments << exitCode << out << err; };
        row("the user's edited table", {"--convert", "12.5", "Inches vs Millimeters"}, 0,
            u"12.5 Millimeters = 0.4921 Inches\n12.5 Inches = 317.5 Millimeters\n"_s, {});
        row("a UTF-8 table", {"--convert", "1", "Microns vs Ångströms"}, 0, u"1 Å = 1.0000E-4 µm\n1 µm = 10,000. Å\n"_s,
            {});
        row("both rows below absolute zero", {"--convert", "-460", "Fahrenheit vs Rankin"}, 1, {},
            u"mensurix: -460 Rankin is below absolute zero.\nmensurix: -460 Degrees F is below absolute zero.\n"_s);
        row("one row below absolute zero", {"--convert", "-100", "Celsius vs Kelvin"}, 1,
            u"-100 Degrees C = 173.15 Degrees K\n"_s, u"mensurix: -100 Degrees K is below absolute zero.\n"_s);
        row("zero factor", {"--convert", "1", "Zero vs Nothing"}, 1, {},
            u"mensurix: The data table is out of sync.  This can happen after editing the data table.  Make certain "
            u"that "
            "there are no extra lines in the data table or at the end of the data table.\n"_s);
        const QString notAValue =
            u"mensurix: '%1' is not a value to convert: it may hold only digits, \"-\" and \".\".\n"_s;
        row("value with an exponent", {"--convert", "1e5", "Hands vs Inches"}, 1, {}, notAValue.arg(u"1e5"));
        row("empty value", {"--convert", "", "Hands vs Inches"}, 1, {}, notAValue.arg(u""));
        row("unknown pair", {"--convert", "1", "Inches vs Furlongs"}, 1, {},
            kAreaFailure + missingTables() +
                u"mensurix: The pair 'Inches vs Furlongs' is in none of the conversion tables.  'mensurix --list' "
                u"lists "
                "them.\n"_s);
        row("list", {"--list"}, 1,
            u"Temperature\n  Fahrenheit vs Celsius\n  Fahrenheit vs Rankin\n  Celsius vs Kelvin\nCustom\n  Hands vs "
            u"Inches\n"
            "  Microns vs Ångströms\nLength\n  Inches vs Millimeters\n  Zero vs "
            "Nothing\nArea\nVolume\nMass\nAngles\nForce\n"
            "Torque\nPressure\nVelocity\nAcceleration\nPower\nEnergy\nElectrical\n"_s,
            kAreaFailure + missingTables());
        row("valid UTF-8 table", {"--check-table", "@/Custom.tbl"}, 0,
            u"The table is valid: 2 conversions (UTF-8).\n"_s, {});
        row("faulty table", {"--check-table", "@/Area.tbl"}, 1,
            u"Line 3: the entry that begins on line 1 has no second unit.\n"_s, {});
        row("no table file", {"--check-table", "@/Mass.tbl"}, 1, {},
            u"mensurix: The file '@/Mass.tbl' is missing.\n"_s);
        row("usage", {"--list", "x"}, 2, {}, usage("'--list' takes no argument"));
    }

    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir shipped;
        QTemporaryDir user;
        QVERIFY(shipped.isValid() && user.isValid());
        QVERIFY(test::writeFileBytes(shipped.filePath(QStringLiteral("Custom.tbl")), kCustom));
        QVERIFY(test::writeFileBytes(shipped.filePath(QStringLiteral("Length.tbl")), kShippedLength));
        QVERIFY(test::writeFileBytes(user.filePath(QStringLiteral("Length.tbl")), kEditedLength));
        QVERIFY(test::writeFileBytes(shipped.filePath(QStringLiteral("Area.tbl")), kArea));
        arguments.replaceInStrings(QStringLiteral("@"), shipped.path());

        const CommandLineResult result =
            answerCommandLine(parseCommandLine(arguments), FilePlaces(shipped.path(), user.path()));
        QCOMPARE(result.out, out);
        QCOMPARE(result.err, err.replace(u'@', shipped.path()));
        QTEST(result.exitCode, "exitCode");
    }

    // The program itself, from the build folder with the shipped tables beside it, and with no display at all.
    void program_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output"); // where standard output goes; empty: captured
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("an unknown option")
            << QStringList{"--frob", "-platform", "xcb"} << "" << 2 << "" << usage("unknown option '--frob'");
        QTest::newRow("a full disk") << QStringList{"--list"} << "/dev/full" << 1 << ""
                                     << "mensurix: the answer could not be written: No space left on device\n";
    }

    void program()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        QTemporaryDir home;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("HOME"), home.path());
        program.setProcessEnvironment(environment);
        if (!output.isEmpty())
            program.setStandardOutputFile(output);
        program.start(QStringLiteral(MX_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QTEST(QString::fromUtf8(program.readAllStandardOutput()), "out");
        QTEST(QString::fromUtf8(program.readAllStandardError()), "err");
        QTEST(program.exitCode(), "exitCode");
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }
};

MX_REGISTER_TEST(CommandLineTest)
#include "tst_command_line.moc"
