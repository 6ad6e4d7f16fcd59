#include "common/cp1252.h"
#include "common/text_pieces.h"
#include "shell/help_topics.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes, as a help page: the nesting check ends without a crash, and a page cut into pieces of bounded length
// gives back every character in order.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = mx::decodeCp1252(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    (void)mx::helpNestedTooDeeply(text);

    const mx::PiecedLines pieced = mx::splitLongLines(text);
    QString joined;
    qsizetype lineStart = 0;
    std::size_t soft = 0;
    for (int line = 0;; ++line) {
        qsizetype end = pieced.text.indexOf(u'\n', lineStart);
        const bool last = end < 0;
        if (last)
            end = pieced.text.size();
        if (end - lineStart > mx::kMaxPieceChars)
            std::abort();
        joined += QStringView(pieced.text).sliced(lineStart, end - lineStart);
        if (last)
            break;
        if (soft < pieced.softEnds.size() && pieced.softEnds[soft] == line)
            ++soft;
        else
            joined += u'\n';
        lineStart = end + 1;
    }
    if (joined != text || soft != pieced.softEnds.size())
        std::abort();
    return 0;
}
