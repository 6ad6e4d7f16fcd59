#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <map>

// Code pages of RTF text: \ansicpg, \fcharset and \cpg name them; bytes of text and \'hh escapes are in them.
namespace mx {

inline constexpr int kCodePage1252 = 1252;

// The Windows code page of a \fcharset value; 0 for "the document's own" (default and unknown character sets).
int codePageOfCharset(int charset);

// Symbol fonts place their own characters on the bytes: "Symbol" the Greek letters, mathematical signs and the
// list bullet at 0xB7; "Wingdings" the list bullets Word offers. Any other font of the symbol character set
// (\fcharset2) is read as Symbol.
enum class SymbolEncoding : quint8 { None, Symbol, Wingdings };

SymbolEncoding symbolEncodingOfFont(QStringView family, int charset);

// The character of `byte` in a symbol font. Bytes the font's table leaves out read as in Windows-1252.
char16_t symbolCharacter(SymbolEncoding encoding, unsigned char byte);

// The lowest byte that shows `c` in a symbol font; 0 when none does, and for every character of a plain font.
unsigned char symbolByte(SymbolEncoding encoding, char16_t c);

// Decodes byte runs, keeping one decoder per code page. Windows-1252 uses our own table; other code pages (the
// Central European, Cyrillic, Greek, Turkish, Baltic, DOS, Macintosh and East Asian ones) go through the system's
// converters.
class RtfTextDecoder {
public:
    // Appends the text of `bytes` to `out`. Returns false when the code page is unknown here; the bytes are then
    // read as Windows-1252.
    bool decode(int codePage, QByteArrayView bytes, QString& out);

private:
    std::map<int, QStringDecoder> decoders_;
};

} // namespace mx
