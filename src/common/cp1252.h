#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the single-byte code page of every data file the program reads and writes. Our own table rather
// than ICU: it is tiny, it cannot be missing, and it decodes the five unassigned bytes to U+0081 etc. so that a
// file read and written back keeps every byte.
namespace mx {

QString decodeCp1252(QByteArrayView bytes);

// Characters outside the code page become "?"; `lossless` (if given) tells whether any did.
QByteArray encodeCp1252(QStringView text, bool* lossless = nullptr);

// How the text of a table or tips file is stored: Windows-1252 as the program writes them, or UTF-8 as Linux
// editors do (with the byte-order mark some Windows editors put first).
enum class TextEncoding { Cp1252, Utf8, Utf8WithBom };

// UTF-8 when the bytes are valid UTF-8 and hold more than ASCII (Windows-1252 text beyond ASCII is practically never
// valid UTF-8); Windows-1252 otherwise, which reads every byte, so ASCII and anything else stay as they are.
TextEncoding detectTextEncoding(QByteArrayView bytes);

// The text of a data file in the encoding detectTextEncoding() finds (the byte-order mark is not part of it), and
// that encoding in `encoding` if given.
QString decodeDataFile(QByteArrayView bytes, TextEncoding* encoding = nullptr);

// The bytes of `text` in `encoding`. A character the encoding lacks (most of Unicode in Windows-1252, half a
// surrogate pair in UTF-8) becomes "?" or U+FFFD, and `lossless` (if given) is false.
QByteArray encodeDataFile(QStringView text, TextEncoding encoding, bool* lossless = nullptr);

} // namespace mx
