#pragma once

#include <QByteArrayView>

// Splits RTF bytes into groups, control words, control symbols, hex bytes, text and binary data. It never fails:
// malformed escapes are passed over and noted, counts are bounded by the input, and every call moves forward, so
// any input ends in time linear in its length.
namespace mx {

enum class RtfTokenKind : quint8 {
    End,           // no more input
    GroupStart,    // "{"
    GroupEnd,      // "}"
    ControlWord,   // name in `data`, optional signed parameter
    ControlSymbol, // backslash and one non-letter, in `parameter`; a backslash before a line end gives '\n'
    HexByte,       // \'hh, the byte in `parameter`
    Text,          // bytes up to the next brace, backslash or line end (line ends are not text in RTF)
    Binary,        // the bytes of \binN
};

struct RtfToken {
    RtfTokenKind kind = RtfTokenKind::End;
    QByteArrayView data; // the word's name, the text, or the binary bytes; a view into the input
    int parameter = 0;
    bool hasParameter = false;
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView input) : input_(input) {}

    RtfToken next();

    // True once a \'hh without two hex digits, a backslash at the very end, or a \bin longer than the rest of the
    // input was met.
    bool sawMalformed() const { return malformed_; }
    qsizetype position() const { return pos_; }

private:
    RtfToken controlWord();

    QByteArrayView input_;
    qsizetype pos_ = 0;
    bool malformed_ = false;
};

} // namespace mx
