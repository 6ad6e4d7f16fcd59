#include "app/startup_trace.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace mx::trace {

bool enabled()
{
    static const bool on = std::getenv("MENSURIX_STARTUP_TRACE") != nullptr;
    return on;
}

void mark(const char* what)
{
    if (!enabled())
        return;
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    std::fprintf(stderr, "%s %lld\n", what, static_cast<long long>(ns));
}

void duration(const char* what, qint64 nanoseconds)
{
    if (enabled())
        std::fprintf(stderr, "%s %lld\n", what, static_cast<long long>(nanoseconds));
}

void mainWindowShown()
{
    if (!enabled())
        return;
    mark("main-visible");
    QTimer::singleShot(1000, qApp, [] {
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n'))
                if (line.startsWith("VmRSS:"))
                    std::fprintf(stderr, "rss-kib %lld\n", line.mid(6).trimmed().split(' ').value(0).toLongLong());
        }
        QCoreApplication::exit(0);
    });
}

} // namespace mx::trace
