#include "shell/tips.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

// Any bytes, as a tips file or a counter file: no crash or hang, a counter in range that survives being written and
// read back, and a next tip that is always one that can be shown.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    const QStringList tips = mx::parseTips(bytes);
    if (tips.size() > bytes.size())
        std::abort();
    for (const QString& tip : tips)
        if (tip.contains(u'\r') || tip.contains(u'\n'))
            std::abort();

    const qint32 counter = mx::parseTipCounter(bytes);
    if (counter < 0)
        std::abort();
    if (mx::parseTipCounter(mx::tipCounterBytes(counter)) != counter)
        std::abort();

    const qint32 next = mx::nextTipNumber(counter, tips.size());
    if (next < 1 || (!tips.isEmpty() && next > tips.size()))
        std::abort();
    return 0;
}
