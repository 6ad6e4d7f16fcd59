#include "conversion/table_file.h"

#include "common/cp1252.h"
#include "common/number_text.h"
#include "conversion/table_field_reader.h"
#include "platform/file_access.h"

namespace mx {
namespace {

TableReadResult failed(TableReadStatus status)
{
    return {status, 0};
}

} // namespace

TableReadResult parseConversionTable(const QByteArray& bytes, ConversionTableArray& table)
{
    // Every character that ends a field is ASCII, so decoding first moves no field boundary.
    const QString text = decodeDataFile(bytes);
    TableFieldReader reader(text);
    int index = 0;
    QStringView fields[5];
    while (!reader.atEnd()) {
        if (index >= kMaxTableEntries)
            return failed(TableReadStatus::TooManyEntries);
        ConversionEntry& entry = table[std::size_t(index)];
        for (QStringView& field : fields) {
            if (reader.read(field) != FieldResult::Ok)
                return {TableReadStatus::Malformed, 0, index};
        }
        entry.Name = fields[0].toString();
        entry.FirstUnit = fields[1].toString();
        entry.SecondUnit = fields[2].toString();
        entry.Factor = leadingNumber(fields[3]);
        ++index;
    }
    return {TableReadStatus::Ok, index};
}

TableReadResult readConversionTable(const QString& path, ConversionTableArray& table)
{
    const FileRead read = readRegularFile(path, kMaxTableFileBytes);
    switch (read.status) {
    case FileReadStatus::Ok:
        return parseConversionTable(read.bytes, table);
    case FileReadStatus::Missing:
        return failed(TableReadStatus::Missing);
    default:
        return failed(TableReadStatus::Unreadable);
    }
}

} // namespace mx
