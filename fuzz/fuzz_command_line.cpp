#include "app/command_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any arguments (the input split at NUL bytes) are understood or refused without a crash: every request carries
// the values it needs, a refusal says why, and what needs no file answers with the exit status it promises.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList arguments;
    for (const QByteArray& argument : bytes.split('\0'))
        arguments.append(QString::fromUtf8(argument));
    const mx::CommandLineRequest request = mx::parseCommandLine(arguments);

    using Kind = mx::CommandLineRequest::Kind;
    switch (request.kind) {
    case Kind::Usage: {
        const mx::CommandLineResult result =
            mx::answerCommandLine(request, mx::FilePlaces(QStringLiteral("/nonexistent")));
        if (request.problem.isEmpty() || result.exitCode != mx::kUsageExitCode || !result.out.isEmpty() ||
            !result.err.startsWith(QStringLiteral("mensurix: ")))
            std::abort();
        break;
    }
    case Kind::Convert:
        if (request.values.size() != 2)
            std::abort();
        break;
    case Kind::CheckTable:
        if (request.values.size() != 1)
            std::abort();
        break;
    case Kind::Window:
    case Kind::Help:
    case Kind::Version:
    case Kind::List:
        if (!request.values.isEmpty())
            std::abort();
        break;
    }
    return 0;
}
