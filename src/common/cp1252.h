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

} // namespace mx
