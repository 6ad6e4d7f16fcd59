#include "accessories/rtf_encoding.h"

#include "common/cp1252.h"

#include <QByteArray>

#include <algorithm>

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
    case 2: // symbol fonts: their bytes shown as Windows-1252 give the nearest readable text
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
