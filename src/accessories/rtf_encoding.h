#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

// Code pages of RTF text: \ansicpg, \fcharset and \cpg name them; bytes of text and \'hh escapes are in them.
namespace mx {

inline constexpr int kCodePage1252 = 1252;

// The Windows code page of a \fcharset value; 0 for "the document's own" (default and unknown character sets).
int codePageOfCharset(int charset);

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
