#include "accessories/rtf_encoding.h"

#include "common/cp1252.h"

#include <QByteArray>
#include <QHash>

#include <algorithm>
#include <array>

namespace mx {
namespace {

struct CodePageName {
    int codePage;
    const char* name;
};

// Names the converters know these code pages by; the rest are tried as "cpN" and "windows-N".
constexpr CodePageName kNames[] = {
    {437, "IBM437"},       {850, "IBM850"},       {852, "IBM852"},        {874, "windows-874"},
    {932, "windows-31j"},  {936, "GBK"},          {949, "windows-949"},   {950, "Big5"},
    {10000, "macintosh"},  {10029, "x-mac-ce"},   {20127, "US-ASCII"},    {20866, "KOI8-R"},
    {28591, "ISO-8859-1"}, {28592, "ISO-8859-2"}, {28605, "ISO-8859-15"}, {65001, "UTF-8"},
};

// The Symbol font from 0x20 to 0xFF; 0 where the font has no character. The Greek capitals Delta and Omega and the
// small mu are the Greek letters, not the look-alike signs, as a reader of the text means them.
// clang-format off
constexpr char16_t kSymbolFont[224] = {
    // 0x20
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220B, 0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212,
    0x002E, 0x002F, 0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037, 0x0038, 0x0039, 0x003A, 0x003B,
    0x003C, 0x003D, 0x003E, 0x003F,
    // 0x40
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393, 0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C,
    0x039D, 0x039F, 0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9, 0x039E, 0x03A8, 0x0396, 0x005B,
    0x2234, 0x005D, 0x22A5, 0x005F,
    // 0x60
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3, 0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC,
    0x03BD, 0x03BF, 0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9, 0x03BE, 0x03C8, 0x03B6, 0x007B,
    0x007C, 0x007D, 0x223C, 0,
    // 0x80: none
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663, 0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191,
    0x2192, 0x2193, 0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022, 0x00F7, 0x2260, 0x2261, 0x2248,
    0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229, 0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286,
    0x2208, 0x2209, 0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5, 0x00AC, 0x2227, 0x2228, 0x21D4,
    0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C, 0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8,
    0x23A9, 0x23AA, 0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F, 0x23A0, 0x23A4, 0x23A5, 0x23A6,
    0x23AB, 0x23AC, 0x23AD, 0,
};
// clang-format on

struct SymbolPair {
    unsigned char byte;
    char16_t character;
};

// The bullets of Word's bullet library that use Wingdings; the font's other pictures have no plain-text meaning.
constexpr SymbolPair kWingdingsBullets[] = {
    {0x6C, 0x25CF}, {0x6E, 0x25A0}, {0x71, 0x2751}, {0x75, 0x25C6}, {0x76, 0x2756},
    {0xA7, 0x25AA}, {0xA8, 0x25FB}, {0xD8, 0x27A2}, {0xFC, 0x2714},
};

// A symbol font both ways: its character for every byte, and for each character the byte that shows it, the
// font's own before one read as Windows-1252, the lowest of equals.
struct SymbolFont {
    std::array<char16_t, 256> characters{};
    QHash<char16_t, unsigned char> bytes;
};

SymbolFont makeSymbolFont(SymbolEncoding encoding)
{
    QByteArray all(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString cp1252 = decodeCp1252(all);
    SymbolFont font;
    for (int i = 0; i < 256; ++i)
        font.characters[std::size_t(i)] = cp1252[i].unicode();
    std::array<bool, 256> own{};
    if (encoding == SymbolEncoding::Symbol) {
        for (int i = 0x20; i < 0x100; ++i) {
            if (const char16_t c = kSymbolFont[i - 0x20]) {
                font.characters[std::size_t(i)] = c;
                own[std::size_t(i)] = true;
            }
        }
    } else if (encoding == SymbolEncoding::Wingdings) {
        for (const SymbolPair& pair : kWingdingsBullets) {
            font.characters[pair.byte] = pair.character;
            own[pair.byte] = true;
        }
    } else {
        return font; // a plain font has no symbol bytes
    }
    for (const bool ownPass : {false, true}) {
        for (int i = 0xFF; i >= 0x20; --i) {
            if (own[std::size_t(i)] == ownPass)
                font.bytes.insert(font.characters[std::size_t(i)], static_cast<unsigned char>(i));
        }
    }
    return font;
}

const SymbolFont& symbolFont(SymbolEncoding encoding)
{
    static const SymbolFont symbol = makeSymbolFont(SymbolEncoding::Symbol);
    static const SymbolFont wingdings = makeSymbolFont(SymbolEncoding::Wingdings);
    static const SymbolFont none = makeSymbolFont(SymbolEncoding::None);
    switch (encoding) {
    case SymbolEncoding::Symbol:
        return symbol;
    case SymbolEncoding::Wingdings:
        return wingdings;
    case SymbolEncoding::None:
        break;
    }
    return none;
}

QStringDecoder makeDecoder(int codePage)
{
    constexpr auto kFlags = QStringConverter::Flag::Stateless;
    for (const CodePageName& entry : kNames) {
        if (entry.codePage == codePage)
            return QStringDecoder(entry.name, kFlags);
    }
    if (codePage <= 0 || codePage > 65535)
        return {};
    for (const char* prefix : {"windows-", "cp"}) {
        QStringDecoder decoder((QByteArray(prefix) + QByteArray::number(codePage)).constData(), kFlags);
        if (decoder.isValid())
            return decoder;
    }
    return {};
}

} // namespace

int codePageOfCharset(int charset)
{
    switch (charset) {
    case 0: // ANSI
    case 2: // symbol fonts: their text is read through SymbolEncoding
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

SymbolEncoding symbolEncodingOfFont(QStringView family, int charset)
{
    if (family.compare(u"Symbol", Qt::CaseInsensitive) == 0)
        return SymbolEncoding::Symbol;
    if (family.compare(u"Wingdings", Qt::CaseInsensitive) == 0)
        return SymbolEncoding::Wingdings;
    return charset == 2 ? SymbolEncoding::Symbol : SymbolEncoding::None;
}

char16_t symbolCharacter(SymbolEncoding encoding, unsigned char byte)
{
    return symbolFont(encoding).characters[byte];
}

unsigned char symbolByte(SymbolEncoding encoding, char16_t c)
{
    return symbolFont(encoding).bytes.value(c, 0);
}

bool RtfTextDecoder::decode(int codePage, QByteArrayView bytes, QString& out)
{
    if (codePage != kCodePage1252) {
        // Plain ASCII reads the same in every code page met here, known to us or not.
        if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            out += decodeCp1252(bytes);
            return true;
        }
        auto it = decoders_.find(codePage);
        if (it == decoders_.end())
            it = decoders_.emplace(codePage, makeDecoder(codePage)).first;
        if (it->second.isValid()) {
            out += it->second.decode(bytes);
            return true;
        }
    }
    out += decodeCp1252(bytes);
    return codePage == kCodePage1252;
}

} // namespace mx
