#include "conversion/table_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes must give a status without crashing or hanging, and never a count or field the reader promises to bound.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static mx::ConversionTableArray table;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const mx::TableReadResult result = mx::parseConversionTable(bytes, table);

    if (result.count < 0 || result.count > mx::kMaxTableEntries)
        std::abort();
    if (result.status != mx::TableReadStatus::Ok && result.count != 0)
        std::abort();
    for (int i = 0; i < result.count; ++i) {
        const mx::ConversionEntry& e = table[std::size_t(i)];
        if (e.Name.size() > mx::kMaxTableFieldChars || e.FirstUnit.size() > mx::kMaxTableFieldChars ||
            e.SecondUnit.size() > mx::kMaxTableFieldChars)
            std::abort();
    }
    return 0;
}
