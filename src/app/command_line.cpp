#include "app/command_line.h"

#include "app/app_globals.h"
#include "conversion/metric_conversions.h"
#include "conversion/table_check.h"
#include "shell/about_text.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace mx {
namespace {

using Kind = CommandLineRequest::Kind;

// How an option takes its value.
enum class ValueForm { None, Next, NextOrEquals, EqualsOnly };

struct KnownOption {
    const char16_t* name;
    ValueForm value;
    int dashes; // the one form Mensurix's own options are written in; 0 for Qt's, which take "-name" and "--name"
};

// Every option that is understood: Mensurix's own, then the window options of QGuiApplication, QApplication and the
// X11 platform, in the forms Qt reads them.
constexpr KnownOption kKnownOptions[] = {
    {u"convert", ValueForm::NextOrEquals, 2},
    {u"list", ValueForm::None, 2},
    {u"check-table", ValueForm::NextOrEquals, 2},
    {u"help", ValueForm::None, 2},
    {u"h", ValueForm::None, 1},
    {u"version", ValueForm::None, 2},
    {u"platform", ValueForm::Next, 0},
    {u"platformpluginpath", ValueForm::Next, 0},
    {u"platformtheme", ValueForm::Next, 0},
    {u"plugin", ValueForm::Next, 0},
    {u"qwindowgeometry", ValueForm::Next, 0},
    {u"qwindowicon", ValueForm::Next, 0},
    {u"qwindowtitle", ValueForm::Next, 0},
    {u"reverse", ValueForm::None, 0},
    {u"session", ValueForm::Next, 0},
    {u"style", ValueForm::NextOrEquals, 0},
    {u"stylesheet", ValueForm::NextOrEquals, 0},
    {u"widgetcount", ValueForm::None, 0},
    {u"qmljsdebugger", ValueForm::EqualsOnly, 0},
    {u"display", ValueForm::Next, 0},
    {u"geometry", ValueForm::Next, 0},
    {u"title", ValueForm::Next, 0},
    {u"icon", ValueForm::Next, 0},
    {u"name", ValueForm::Next, 0},
    {u"visual", ValueForm::Next, 0},
    {u"ncols", ValueForm::Next, 0},
    {u"cmap", ValueForm::None, 0},
    {u"sync", ValueForm::None, 0},
    {u"nograb", ValueForm::None, 0},
    {u"dograb", ValueForm::None, 0},
};

const KnownOption* knownOption(QStringView name, int dashes)
{
    const auto* found = std::find_if(std::begin(kKnownOptions), std::end(kKnownOptions),
                                     [name](const KnownOption& option) { return name == QStringView(option.name); });
    if (found == std::end(kKnownOptions) || (found->dashes != 0 && found->dashes != dashes))
        return nullptr;
    return found;
}

CommandLineRequest usage(const QString& problem)
{
    return {Kind::Usage, {}, problem};
}

QString missingValue(const QString& written)
{
    if (written == u"--convert")
        return QStringLiteral("'--convert' takes a value and a pair name");
    if (written == u"--check-table")
        return QStringLiteral("'--check-table' takes one file name");
    return QStringLiteral("'%1' takes a value").arg(written);
}

// The parser would take "-list" for "--list" and a value after "=" for every option; Qt takes neither, so the
// forms are checked first. The first argument in a form nobody reads, or an option missing its value, is the
// problem; empty when there is none.
QString formProblem(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--")
            break;
        if (!argument.startsWith(u'-') || argument == u"-")
            continue;
        const int dashes = argument.startsWith(u"--") ? 2 : 1;
        const qsizetype equals = argument.indexOf(u'=');
        const QString written = equals < 0 ? argument : argument.left(equals);
        const KnownOption* option = knownOption(QStringView(written).sliced(dashes), dashes);
        if (!option)
            return QStringLiteral("unknown option '%1'").arg(written);
        switch (option->value) {
        case ValueForm::None:
            if (equals >= 0)
                return QStringLiteral("'%1' takes no argument").arg(written);
            break;
        case ValueForm::EqualsOnly:
            if (equals < 0)
                return QStringLiteral("'%1' takes its value after '='").arg(written);
            break;
        case ValueForm::Next:
            if (equals >= 0)
                return QStringLiteral("'%1' takes its value as the next argument").arg(written);
            [[fallthrough]];
        case ValueForm::NextOrEquals:
            if (equals < 0 && ++i >= arguments.size())
                return missingValue(written);
            break;
        }
    }
    return {};
}

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
                          "The pairs come from the tables the window reads: those you have edited, and\n"
                          "the ones the program ships for the rest.  Qt's window options (-platform,\n"
                          "-style, -display, ...) are passed on to the window.\n"
                          "\n"
                          "Exit status: 0 on success, 1 when a conversion or a table fails, 2 for a\n"
                          "command line that cannot be understood.\n");
}

QString errorLine(const QString& message)
{
    return QStringLiteral("mensurix: ") + message + u'\n';
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
    explicit Tables(const FilePlaces& places) : conversions_(places) {}

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

CommandLineResult list(const FilePlaces& places)
{
    Tables tables(places);
    CommandLineResult result;
    for (const QString& type : conversionTypes()) {
        const TypeListing listing = tables.choose(type);
        result.out += type + u'\n';
        for (const QString& pair : listing.pairs)
            result.out += QStringLiteral("  ") + pair + u'\n';
        if (!listing.failure.isEmpty()) {
            result.err += errorLine(listing.failure);
            result.exitCode = 1;
        }
    }
    return result;
}

CommandLineResult convert(const QString& value, const QString& pair, const FilePlaces& places)
{
    // What the tab's value box would not let anyone type is refused rather than read as the number before it.
    if (value.isEmpty() ||
        !std::all_of(value.cbegin(), value.cend(), [](QChar c) { return isValueCharacter(c.unicode()); }))
        return {1,
                {},
                errorLine(QStringLiteral("'%1' is not a value to convert: it may hold only digits, \"-\" and \".\".")
                              .arg(value))};

    // The first type whose list holds the pair, in the type list's order, as the tab would find it.
    Tables tables(places);
    QString failures;
    for (const QString& type : conversionTypes()) {
        const TypeListing listing = tables.choose(type);
        const int index = int(listing.pairs.indexOf(pair));
        if (index < 0) {
            if (!listing.failure.isEmpty())
                failures += errorLine(listing.failure);
            continue;
        }
        const MetricConversions& conversions = tables.conversions();
        const std::optional<PairUnits> units = conversions.pairUnits(pair, index);
        const ConversionOutcome outcome = conversions.convert(pair, index, value);
        if (!units || !outcome.answers)
            return {1, {}, errorLine(outcome.message)};
        // Row 1 converts from the pair's second unit to its first, row 2 the other way, as the tab shows them. A
        // temperature below absolute zero is no value to print.
        CommandLineResult result;
        const auto row = [&result, &value](const QString& answer, const QString& from, const QString& to) {
            if (answer == QStringView(kOutOfRange)) {
                result.err += errorLine(QStringLiteral("%1 %2 is below absolute zero.").arg(value, from));
                result.exitCode = 1;
            } else {
                result.out += value + u' ' + from + QStringLiteral(" = ") + answer + u' ' + to + u'\n';
            }
        };
        row(outcome.answers->answer0, units->second, units->first);
        row(outcome.answers->answer1, units->first, units->second);
        return result;
    }
    return {1,
            {},
            failures + errorLine(QStringLiteral("The pair '%1' is in none of the conversion tables.  'mensurix --list' "
                                                "lists them.")
                                     .arg(pair))};
}

CommandLineResult checkTable(const QString& path)
{
    const TableCheck check = checkConversionTableFile(path, path);
    if (check.fault == TableFault::FileMissing || check.fault == TableFault::FileUnreadable)
        return {1, {}, errorLine(check.answer)};
    return {check.fault == TableFault::None ? 0 : 1, answerNamingEncoding(check) + u'\n', {}};
}

} // namespace

CommandLineRequest parseCommandLine(const QStringList& arguments)
{
    if (const QString problem = formProblem(arguments); !problem.isEmpty())
        return usage(problem);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const KnownOption& known : kKnownOptions) {
        QCommandLineOption option(QString::fromUtf16(known.name));
        if (known.value != ValueForm::None)
            option.setValueName(QStringLiteral("value"));
        parser.addOption(option);
    }
    if (!parser.parse(QStringList{QStringLiteral("mensurix")} + arguments))
        return usage(parser.errorText());

    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("h")))
        return {Kind::Help, {}, {}};
    QStringList given;
    for (const char16_t* name : {u"convert", u"list", u"check-table", u"version"}) {
        if (parser.isSet(QString::fromUtf16(name)))
            given.append(QStringLiteral("--") + QString::fromUtf16(name));
    }
    const QStringList positional = parser.positionalArguments();
    if (given.size() > 1)
        return usage(QStringLiteral("'%1' and '%2' cannot be given together").arg(given[0], given[1]));
    if (given.isEmpty())
        return positional.isEmpty() ? CommandLineRequest{}
                                    : usage(QStringLiteral("unexpected argument '%1'").arg(positional[0]));

    const QString& option = given[0];
    if (option == u"--convert") {
        const QStringList values = parser.values(QStringLiteral("convert"));
        if (values.size() != 1 || positional.size() != 1)
            return usage(missingValue(option));
        return {Kind::Convert, {values[0], positional[0]}, {}};
    }
    if (option == u"--check-table") {
        const QStringList values = parser.values(QStringLiteral("check-table"));
        if (values.size() != 1 || !positional.isEmpty())
            return usage(missingValue(option));
        return {Kind::CheckTable, values, {}};
    }
    if (!positional.isEmpty())
        return usage(QStringLiteral("'%1' takes no argument").arg(option));
    return {option == u"--list" ? Kind::List : Kind::Version, {}, {}};
}

CommandLineResult answerCommandLine(const CommandLineRequest& request, const FilePlaces& places)
{
    switch (request.kind) {
    case Kind::Help:
        return {0, helpText(), {}};
    case Kind::Version:
        return {0,
                QString::fromUtf8(version::kTitle) + u' ' + programVersionText() + u'\n' +
                    QString::fromUtf8(version::kLegalNotice) + u'\n',
                {}};
    case Kind::List:
        return list(places);
    case Kind::Convert:
        return convert(request.values.value(0), request.values.value(1), places);
    case Kind::CheckTable:
        return checkTable(request.values.value(0));
    case Kind::Usage:
        return {kUsageExitCode,
                {},
                errorLine(request.problem) + QStringLiteral("Try 'mensurix --help' for more information.\n")};
    case Kind::Window:
        break;
    }
    return {};
}

int runCommandLineTool(const CommandLineRequest& request, int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // The user's folders are named after the program, as the window names them.
    QCoreApplication::setApplicationName(QStringLiteral("Mensurix"));
    CommandLineResult result = answerCommandLine(request, programFilePlaces(QCoreApplication::applicationDirPath()));

    // Output that could not be written (a full disk, a closed descriptor) is a failure, not a silent success.
    const QByteArray out = result.out.toUtf8();
    const bool written = std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout) == std::size_t(out.size()) &&
                         std::fflush(stdout) == 0;
    const int writeError = errno;
    if (!written) {
        result.err += errorLine(QStringLiteral("the answer could not be written: %1")
                                    .arg(QString::fromLocal8Bit(std::strerror(writeError))));
        result.exitCode = std::max(result.exitCode, 1);
    }
    const QByteArray err = result.err.toUtf8();
    std::fwrite(err.constData(), 1, std::size_t(err.size()), stderr);
    return result.exitCode;
}

QStringList argumentsAfterProgramName(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace mx
