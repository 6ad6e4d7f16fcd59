#include "accessories/rtf_reader.h"
#include "accessories/rtf_writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes give a bounded document without crashing or hanging; and whatever was read, written out and read
// again, comes back the same and sound.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const mx::RtfReadResult result = mx::readRtfModel(bytes);

    const auto& paragraphs = result.document.paragraphs;
    if (qsizetype(paragraphs.size()) > mx::kMaxRtfParagraphs)
        std::abort();
    qsizetype chars = 0;
    qsizetype runs = 0;
    for (const mx::RtfParagraph& p : paragraphs) {
        runs += qsizetype(p.runs.size());
        for (std::size_t i = 0; i < p.runs.size(); ++i) {
            const mx::RtfRun& run = p.runs[i];
            if (run.text.isEmpty() || (i > 0 && run.format == p.runs[i - 1].format))
                std::abort();
            if (run.format.halfPoints < mx::kMinHalfPoints || run.format.halfPoints > mx::kMaxHalfPoints)
                std::abort();
            for (const QChar c : run.text) {
                if ((c.unicode() < 0x20 && c != u'\t') || c == QChar::ParagraphSeparator)
                    std::abort();
            }
            chars += run.text.size();
        }
    }
    if (chars > mx::kMaxRtfDocumentChars || runs > mx::kMaxRtfRuns)
        std::abort();

    const mx::RtfReadResult again = mx::readRtfModel(mx::writeRtfModel(result.document));
    if (!(again.document == result.document) || again.issues)
        std::abort();
    return 0;
}
