#pragma once

#include "common/cp1252.h"

#include <QByteArray>
#include <QString>

// Checking a conversion table: reads the bytes exactly as the Metric tab loads them and names the first fault, with
// its line, that keeps the table from loading or one of its pairs from converting. Used by the table editor's Check
// Table, after its saves, and by the command line.
namespace mx {

enum class TableFault {
    None,
    Empty,            // no entry at all
    MissingField,     // the text ends inside an entry
    ExtraLines,       // only empty lines stand after the last whole entry
    FieldTooLong,     // a field longer than kMaxTableFieldChars
    UnclosedQuote,    // a quote that nothing closes takes the rest of the text
    FactorNotANumber, // the whole factor field is not one number
    FactorZero,
    FactorOutOfRange, // the factor or its reciprocal lies beyond the 64-bit float range
    DuplicateName,    // a pair name given before in the same table
    TooManyEntries,   // more than kMaxTableEntries
    FileMissing,      // checkConversionTableFile() only
    FileUnreadable,   // checkConversionTableFile() only: not a regular file, too large, or unreadable
    Unstorable,       // the table editor's text holds a character Windows-1252 lacks
};

struct TableCheck {
    TableFault fault = TableFault::None;
    int line = 0;      // the fault's line, 1 for the first (0 for the file faults)
    int entries = 0;   // the conversions of a valid table
    bool loads = true; // whether the Metric tab's load succeeds (a table with faults may still load)
    QString answer;    // "The table is valid: N conversions." or the fault, "Line 7: the factor is not a number."
    TextEncoding encoding = TextEncoding::Cp1252; // how the text was read
};

TableCheck checkConversionTable(const QByteArray& bytes);

// Checks the file at `path`, named `shownName` in the answers about the file itself.
TableCheck checkConversionTableFile(const QString& path, const QString& shownName);

// The answer naming a UTF-8 reading, which a file written in the table's own code page never gets:
// "The table is valid: 12 conversions (UTF-8)." or "Line 7 (UTF-8): the factor is not a number.".
QString answerNamingEncoding(const TableCheck& check);

} // namespace mx
