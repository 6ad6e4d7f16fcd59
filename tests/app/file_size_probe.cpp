// The program under a file-size limit, as `prlimit --fsize` sets one: started as the program starts, it writes a
// file past the limit once the splash is up. The write must fail and say so; a process ended by SIGXFSZ instead
// (every window's unsaved text with it) fails the test. Exits 0 when the short write was reported.
#include "app/application.h"
#include "platform/atomic_file.h"

#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>
#include <unistd.h>

namespace {

class Probe final : public mx::StartupObserver {
public:
    void splashPainted() override
    {
        QTemporaryDir dir;
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 1024;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QString error;
        const bool written = mx::writeFileAtomically(dir.filePath(QStringLiteral("MXNotes.rtf")),
                                                     QByteArray(4096, 'n'), &error);
        const bool reported = !written && error.startsWith(QStringLiteral("The file \"")) &&
                              error.contains(QStringLiteral("could not be saved: "));
        std::printf("%s\n", qPrintable(written ? QStringLiteral("written past the limit") : error));
        std::fflush(stdout);
        ::_exit(reported ? 0 : 1); // no teardown: the window is of no further use
    }
};

} // namespace

int main(int argc, char** argv)
{
    Probe probe;
    return mx::runMensurix(argc, argv, &probe);
}
