#include "common/cp1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace mx {
namespace {

// Bytes 0x80-0x9F; the rest of the code page equals Latin-1. Unassigned bytes map to the C1 control of the same
// value so they survive a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString decodeCp1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char16_t(b);
    }
    return out;
}

QByteArray encodeCp1252(QStringView text, bool* lossless)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    bool allMapped = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        char byte = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            byte = char(c);
        } else {
            bool found = false;
            for (std::size_t k = 0; k < kHigh.size(); ++k) {
                if (kHigh[k] == c) {
                    byte = char(0x80 + k);
                    found = true;
                    break;
                }
            }
            allMapped = allMapped && found;
        }
        out[i] = byte;
    }
    if (lossless)
        *lossless = allMapped;
    return out;
}

namespace {

constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";

} // namespace

TextEncoding detectTextEncoding(QByteArrayView bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char b) { return (uchar(b) & 0x80) == 0; });
    if (ascii || !bytes.isValidUtf8())
        return TextEncoding::Cp1252;
    return bytes.startsWith(kUtf8Bom) ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
}

QString decodeDataFile(QByteArrayView bytes, TextEncoding* encoding)
{
    const TextEncoding found = detectTextEncoding(bytes);
    if (encoding)
        *encoding = found;
    switch (found) {
    case TextEncoding::Cp1252:
        return decodeCp1252(bytes);
    case TextEncoding::Utf8WithBom: {
        // One mark is dropped; a second one is text (fromUtf8() would drop it too).
        QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return decoder(bytes.sliced(kUtf8Bom.size()));
    }
    case TextEncoding::Utf8:
        break;
    }
    return QString::fromUtf8(bytes);
}

QByteArray encodeDataFile(QStringView text, TextEncoding encoding, bool* lossless)
{
    switch (encoding) {
    case TextEncoding::Cp1252:
        return encodeCp1252(text, lossless);
    case TextEncoding::Utf8WithBom:
    case TextEncoding::Utf8:
        break;
    }
    // Half of a surrogate pair, which only a paste of broken text could bring, has no UTF-8 either.
    if (lossless)
        *lossless = text.isValidUtf16();
    const QByteArray bytes = text.toUtf8();
    return encoding == TextEncoding::Utf8WithBom ? kUtf8Bom.toByteArray() + bytes : bytes;
}

} // namespace mx
