#include "app/command_line.h"

#include "conversion/metric_conversions.h"
#include "conversion/table_check.h"
#include "shell/about_text.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace mx {
namespace {

constexpr const char* kOptions[] = {"--convert", "--list", "--check-table", "--help", "-h", "--version"};

QString helpText()
{
    return QStringLiteral("Usage: mensurix [OPTION]\n"
                          "Converts engineering units.  Without an option, opens the Mensurix window.\n"
                          "\n"
                          "  --convert VALUE PAIR  convert VALUE both ways by the pair named PAIR, as the\n"
                          "                        Metric Conversion tab does\n"
                          "  --list                list every conversion type and its pairs\n"
                          "  --check-table FILE    check a conversion table file; the exit status is 0\n"
                          "                        when it is valid, 1 otherwise\n"
                          "  -h, --help            show this help and exit\n"
                          "  --version             show the version and exit\n"
                          "\n"
                          "The pairs come from the *.tbl files beside the program.\n");
}

CommandLineResult usageError(const QString& problem)
{
    return {kUsageExitCode,
            {},
            QStringLiteral("mensurix: ") + problem + QStringLiteral("\nTry 'mensurix --help' for more information.\n")};
}

// Why the table of `type` lists no pairs, with the file named as the tab's question names it.
QString tableFailure(const QString& path, const QString& type)
{
    const QString fileName = type + QStringLiteral(".tbl");
    const TableCheck check = checkConversionTableFile(path, fileName);
    if (check.fault == TableFault::FileMissing || check.fault == TableFault::FileUnreadable)
        return check.answer;
    return QStringLiteral("The file '%1' does not load.  %2").arg(fileName, check.answer);
}

// The tables in the type list's order: each type's pairs, or why it has none.
struct TypeListing {
    QString type;
    QStringList pairs;
    QString failure;
};

class Tables {
public:
    explicit Tables(const QString& programFolder) : conversions_(programFolder) {}

    TypeListing choose(const QString& type)
    {
        const CategoryChoice choice = conversions_.chooseCategory(type);
        TypeListing listing{type, choice.pairs, {}};
        if (choice.pairs.isEmpty())
            listing.failure = tableFailure(conversions_.tablePath(), type);
        return listing;
    }

    MetricConversions& conversions() { return conversions_; }

private:
    MetricConversions conversions_;
};

CommandLineResult list(const QString& programFolder)
{
    Tables tables(programFolder);
    CommandLineResult result;
    for (const QString& type : conversionTypes()) {
        const TypeListing listing = tables.choose(type);
        result.out += type + u'\n';
        for (const QString& pair : listing.pairs)
            result.out += QStringLiteral("  ") + pair + u'\n';
        if (!listing.failure.isEmpty()) {
            result.err += listing.failure + u'\n';
            result.exitCode = 1;
        }
    }
    return result;
}

CommandLineResult convert(const QString& value, const QString& pair, const QString& programFolder)
{
    // What the value box would not let anyone type is refused rather than read as the number before it.
    if (!std::all_of(value.cbegin(), value.cend(), [](QChar c) { return isValueCharacter(c.unicode()); }))
        return {1,
                {},
                QStringLiteral("The value '%1' cannot be typed into the value box, which takes only digits, \"-\" and "
                               "\".\".\n")
                    .arg(value)};

    // The first type whose list holds the pair, in the type list's order, as the tab would find it.
    Tables tables(programFolder);
    QString failures;
    for (const QString& type : conversionTypes()) {
        const TypeListing listing = tables.choose(type);
        const int index = int(listing.pairs.indexOf(pair));
        if (index < 0) {
            if (!listing.failure.isEmpty())
                failures += listing.failure + u'\n';
            continue;
        }
        const MetricConversions& conversions = tables.conversions();
        const std::optional<PairUnits> units = conversions.pairUnits(pair, index);
        const ConversionOutcome outcome = conversions.convert(pair, index, value);
        if (!units || !outcome.answers)
            return {1, {}, outcome.message + u'\n'};
        // Row 1 converts from the pair's second unit to its first, row 2 the other way, as the tab shows them.
        const QString row1 = value + u' ' + units->second + QStringLiteral(" = ") + outcome.answers->answer0 + u' ' +
                             units->first + u'\n';
        const QString row2 = value + u' ' + units->first + QStringLiteral(" = ") + outcome.answers->answer1 + u' ' +
                             units->second + u'\n';
        return {0, row1 + row2, {}};
    }
    return {1,
            {},
            failures + QStringLiteral("The pair '%1' is in none of the conversion tables.  'mensurix --list' lists "
                                      "them.\n")
                           .arg(pair)};
}

CommandLineResult checkTable(const QString& path)
{
    const TableCheck check = checkConversionTableFile(path, path);
    if (check.fault == TableFault::FileMissing || check.fault == TableFault::FileUnreadable)
        return {1, {}, check.answer + u'\n'};
    return {check.fault == TableFault::None ? 0 : 1, check.answer + u'\n', {}};
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

bool isCommandLineRequest(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : kOptions) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

CommandLineResult runCommandLine(const QStringList& arguments, const QString& programFolder)
{
    const QString command = arguments.value(0);
    const qsizetype count = arguments.size();
    const QString folder = withSeparator(programFolder);
    if ((command == u"--help" || command == u"-h") && count == 1)
        return {0, helpText(), {}};
    if (command == u"--version" && count == 1)
        return {0,
                QString::fromUtf8(version::kTitle) + u' ' + programVersionText() + u'\n' +
                    QString::fromUtf8(version::kLegalNotice) + u'\n',
                {}};
    if (command == u"--list" && count == 1)
        return list(folder);
    if (command == u"--check-table" && count == 2)
        return checkTable(arguments[1]);
    if (command == u"--convert" && count == 3)
        return convert(arguments[1], arguments[2], folder);

    if (command == u"--convert")
        return usageError(QStringLiteral("'--convert' takes a value and a pair name"));
    if (command == u"--check-table")
        return usageError(QStringLiteral("'--check-table' takes one file name"));
    const bool known = std::any_of(std::begin(kOptions), std::end(kOptions),
                                   [&command](const char* option) { return command == QLatin1String(option); });
    if (known)
        return usageError(QStringLiteral("'%1' takes no argument").arg(command));
    return usageError(QStringLiteral("unknown option '%1'").arg(command));
}

int runCommandLineTool(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const CommandLineResult result =
        runCommandLine(QCoreApplication::arguments().mid(1), QCoreApplication::applicationDirPath());
    const QByteArray out = result.out.toUtf8();
    const QByteArray err = result.err.toUtf8();
    std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, std::size_t(err.size()), stderr);
    // Output that could not be written (a full disk, a closed pipe) is a failure, not a silent success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return result.exitCode == 0 ? 1 : result.exitCode;
    return result.exitCode;
}

} // namespace mx
