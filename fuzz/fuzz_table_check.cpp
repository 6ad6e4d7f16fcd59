#include "conversion/table_check.h"
#include "conversion/table_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any bytes get an answer, and the check agrees with the load: it says the table loads exactly when the load
// succeeds, and a table it finds valid loads with the count it states.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static mx::ConversionTableArray table;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const mx::TableCheck check = mx::checkConversionTable(bytes);
    const mx::TableReadResult load = mx::parseConversionTable(bytes, table);

    if (check.answer.isEmpty() || check.loads != (load.status == mx::TableReadStatus::Ok))
        std::abort();
    if (check.fault == mx::TableFault::None && check.entries != load.count)
        std::abort();
    if (check.fault != mx::TableFault::None && (check.line < 1 || !check.answer.startsWith(u"Line ")))
        std::abort();
    return 0;
}
