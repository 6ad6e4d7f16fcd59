#include "startup_trace.h"

#include <QFile>

#include <chrono>
#include <cstdio>

namespace mx::trace {

void mark(const char* what)
{
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    std::fprintf(stderr, "%s %lld\n", what, static_cast<long long>(ns));
}

void duration(const char* what, qint64 nanoseconds)
{
    std::fprintf(stderr, "%s %lld\n", what, static_cast<long long>(nanoseconds));
}

void residentMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            std::fprintf(stderr, "rss-kib %lld\n", line.mid(6).trimmed().split(' ').value(0).toLongLong());
    }
}

} // namespace mx::trace
