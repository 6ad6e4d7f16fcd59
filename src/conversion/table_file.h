#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>

// Conversion table files: one file per conversion type, AppPath + type name + ".tbl". Windows-1252 text (UTF-8 when
// decodeDataFile() finds it), a plain sequence of fields (a comma or a line end ends a field; a field holding a
// comma is quoted), five fields an entry: Name, FirstUnit, SecondUnit, Factor, and a fifth that is thrown away (as
// a rule an empty separator line).
// Line ends may be CR LF, LF or CR. Blanks before a field are skipped, and after an unquoted one dropped; text
// after a closing quote is skipped up to the field's end. The Factor field is read by leadingNumber().
namespace mx {

struct ConversionEntry {
    QString Name;
    QString FirstUnit;
    QString SecondUnit;
    double Factor = 0.0; // how many second units make one first unit
};

inline constexpr int kMaxTableEntries = 1001;
// A table file larger than this is refused like any unreadable file; real tables are a few kilobytes.
inline constexpr qint64 kMaxTableFileBytes = 8 * 1024 * 1024;
// A longer field is refused: captions this long would only make the pair list unusable.
inline constexpr qsizetype kMaxTableFieldChars = 4096;

using ConversionTableArray = std::array<ConversionEntry, kMaxTableEntries>;

enum class TableReadStatus {
    Ok,
    Missing,        // the file does not exist
    Unreadable,     // exists but cannot be opened or read, or is too large
    Malformed,      // the file ends inside an entry, or a field is longer than kMaxTableFieldChars
    TooManyEntries, // more than kMaxTableEntries
};

struct TableReadResult {
    TableReadStatus status = TableReadStatus::Ok;
    int count = 0;        // entries read into the table (0 unless status is Ok)
    int wholeEntries = 0; // Malformed: the entries read whole before the failure, at the start of the table
};

// Parses table text into `table`, from index 0. Entries beyond those read keep what they held. On any failure the
// count is 0, but entries before the failing one may already have been overwritten (as the loaded table is
// discarded on failure, that does not matter to callers).
TableReadResult parseConversionTable(const QByteArray& bytes, ConversionTableArray& table);

// Reads the file at `path` and parses it. A path that does not exist is Missing; a directory, a device, a file that
// cannot be opened or one larger than kMaxTableFileBytes is Unreadable.
TableReadResult readConversionTable(const QString& path, ConversionTableArray& table);

} // namespace mx
