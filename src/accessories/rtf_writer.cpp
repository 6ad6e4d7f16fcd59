#include "accessories/rtf_writer.h"

#include "accessories/rtf_encoding.h"
#include "common/cp1252.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace mx {
namespace {

// Characters U+0080 and above that Windows-1252 holds, by byte 0x80 to 0xFF.
const std::array<char16_t, 128>& highCharacters()
{
    static const std::array<char16_t, 128> table = [] {
        std::array<char16_t, 128> t{};
        QByteArray bytes(128, Qt::Uninitialized);
        for (int i = 0; i < 128; ++i)
            bytes[i] = char(0x80 + i);
        const QString text = decodeCp1252(bytes);
        for (int i = 0; i < 128; ++i)
            t[std::size_t(i)] = text[i].unicode();
        return t;
    }();
    return table;
}

// The Windows-1252 byte of `c` (0x80 and above), or 0 when it has none.
unsigned char cp1252Byte(char16_t c)
{
    if (c >= 0xA0 && c <= 0xFF)
        return static_cast<unsigned char>(c);
    const auto& table = highCharacters();
    for (std::size_t i = 0; i < 32; ++i) {
        if (table[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

quint32 colorKey(const RtfColor& c)
{
    return (quint32(c.red) << 16) | (quint32(c.green) << 8) | c.blue;
}

class Writer {
public:
    QByteArray write(const RtfDocument& document);

private:
    void collectTables(const RtfDocument& document);
    void noteFormat(const RtfCharFormat& format);
    void noteColor(const std::optional<RtfColor>& color);
    int colorIndex(const std::optional<RtfColor>& color) const;
    void writeHeader();
    void writeFormat(const RtfCharFormat& format);
    void writeRun(const RtfCharFormat& format, QStringView text, bool paragraphEnd);
    void writeText(QStringView text, bool fontName, SymbolEncoding encoding = SymbolEncoding::None);
    void unicode(char16_t c, unsigned char fallback);
    void word(const char* name);
    void word(const char* name, int parameter);
    void literal(char c);
    void escapedByte(unsigned char byte);

    QByteArray out_;
    QHash<QString, int> fontIndex_;
    QStringList fonts_;
    std::vector<SymbolEncoding> fontEncodings_;
    QHash<quint32, int> colorIndex_; // 1-based: entry 0 is the automatic colour
    std::vector<RtfColor> colors_;

    // The formatting in force at the point written; -1: none stated yet. Raised and lowered text is written in a
    // group of its own, so it is never in force outside one.
    struct InForce {
        int font = -1;
        int halfPoints = -1;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        int color = 0;
        bool strike = false;
        int highlight = 0;
    };
    InForce inForce_;
    bool needDelimiter_ = false;
};

QByteArray Writer::write(const RtfDocument& document)
{
    collectTables(document);
    qsizetype chars = 0;
    for (const RtfParagraph& p : document.paragraphs) {
        for (const RtfRun& run : p.runs)
            chars += run.text.size();
    }
    out_.reserve(chars + qsizetype(document.paragraphs.size()) * 16 + 256);
    writeHeader();

    bool first = true;
    RtfAlignment alignment = RtfAlignment::Left;
    for (const RtfParagraph& p : document.paragraphs) {
        if (first || p.alignment != alignment) {
            word("pard");
            static constexpr const char* kAlignWords[] = {nullptr, "qc", "qr", "qj"};
            if (const char* align = kAlignWords[int(p.alignment)])
                word(align);
            alignment = p.alignment;
            first = false;
        }
        for (const RtfRun& run : p.runs)
            writeRun(run.format, run.text, false);
        writeRun(p.markFormat, {}, true);
        out_ += "\r\n"; // a line end also delimits the word
        needDelimiter_ = false;
    }
    out_ += "}\r\n";
    return std::move(out_);
}

void Writer::collectTables(const RtfDocument& document)
{
    for (const RtfParagraph& p : document.paragraphs) {
        for (const RtfRun& run : p.runs)
            noteFormat(run.format);
        noteFormat(p.markFormat);
    }
}

void Writer::noteFormat(const RtfCharFormat& format)
{
    if (!fontIndex_.contains(format.family)) {
        fontIndex_.insert(format.family, int(fonts_.size()));
        fonts_.append(format.family);
        fontEncodings_.push_back(symbolEncodingOfFont(format.family, 0));
    }
    noteColor(format.color);
    noteColor(format.highlight);
}

void Writer::noteColor(const std::optional<RtfColor>& color)
{
    if (color && !colorIndex_.contains(colorKey(*color))) {
        colors_.push_back(*color);
        colorIndex_.insert(colorKey(*color), int(colors_.size()));
    }
}

int Writer::colorIndex(const std::optional<RtfColor>& color) const
{
    return color ? colorIndex_.value(colorKey(*color)) : 0;
}

void Writer::writeHeader()
{
    out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
    if (!fonts_.isEmpty()) {
        out_ += "{\\fonttbl";
        for (qsizetype i = 0; i < fonts_.size(); ++i) {
            out_ += "{";
            word("f", int(i));
            word("fnil");
            word("fcharset", fontEncodings_[std::size_t(i)] == SymbolEncoding::None ? 0 : 2);
            writeText(fonts_[i], true);
            out_ += ";}";
            needDelimiter_ = false;
        }
        out_ += "}";
    }
    out_ += "\r\n";
    if (!colors_.empty()) {
        out_ += "{\\colortbl ;";
        for (const RtfColor& c : colors_) {
            word("red", c.red);
            word("green", c.green);
            word("blue", c.blue);
            out_ += ';';
        }
        out_ += "}\r\n";
    }
    needDelimiter_ = false;
}

// Readers agree on groups, not on the words that end raised or lowered text (pandoc ignores \nosupersub,
// LibreOffice \super0): such a run is a group.
void Writer::writeRun(const RtfCharFormat& format, QStringView text, bool paragraphEnd)
{
    const bool grouped = format.vertical != RtfVertical::Baseline;
    const InForce outside = inForce_;
    if (grouped) {
        out_ += '{';
        needDelimiter_ = false;
    }
    writeFormat(format);
    if (grouped)
        word(format.vertical == RtfVertical::Superscript ? "super" : "sub");
    if (paragraphEnd)
        word("par");
    else
        writeText(text, false, fontEncodings_[std::size_t(inForce_.font)]);
    if (grouped) {
        out_ += '}';
        needDelimiter_ = false;
        inForce_ = outside;
    }
}

void Writer::writeFormat(const RtfCharFormat& format)
{
    const int font = fontIndex_.value(format.family);
    if (font != inForce_.font) {
        word("f", font);
        inForce_.font = font;
    }
    const int halfPoints = std::clamp(format.halfPoints, kMinHalfPoints, kMaxHalfPoints);
    if (halfPoints != inForce_.halfPoints) {
        word("fs", halfPoints);
        inForce_.halfPoints = halfPoints;
    }
    if (format.bold != inForce_.bold) {
        format.bold ? word("b") : word("b", 0);
        inForce_.bold = format.bold;
    }
    if (format.italic != inForce_.italic) {
        format.italic ? word("i") : word("i", 0);
        inForce_.italic = format.italic;
    }
    if (format.underline != inForce_.underline) {
        format.underline ? word("ul") : word("ulnone");
        inForce_.underline = format.underline;
    }
    const int color = colorIndex(format.color);
    if (color != inForce_.color) {
        word("cf", color);
        inForce_.color = color;
    }
    if (format.strike != inForce_.strike) {
        format.strike ? word("strike") : word("strike", 0);
        inForce_.strike = format.strike;
    }
    const int highlight = colorIndex(format.highlight);
    if (highlight != inForce_.highlight) {
        word("highlight", highlight);
        inForce_.highlight = highlight;
    }
}

void Writer::writeText(QStringView text, bool fontName, SymbolEncoding encoding)
{
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (encoding != SymbolEncoding::None && c >= 0x20 && c != 0x7F && c != 0x2028) {
            // Readers take a symbol font's bytes as its own characters (LibreOffice even its blanks and digits, as
            // private-use characters): its text is written as Unicode, with the font's byte for other readers.
            const unsigned char byte = symbolByte(encoding, c);
            unicode(c, byte != 0 ? byte : '?');
            continue;
        }
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\' || c == '{' || c == '}') {
                out_ += '\\';
                out_ += char(c);
                needDelimiter_ = false;
            } else if (fontName && c == ';') {
                escapedByte(';'); // a bare ";" would end the name
            } else {
                literal(char(c));
            }
        } else if (c == '\t') {
            fontName ? escapedByte('\t') : word("tab");
        } else if (c == 0x2028 && !fontName) {
            word("line");
        } else if (c < 0x20 || c == 0x7F) {
            // Control characters are not text.
        } else if (const unsigned char byte = cp1252Byte(c)) {
            escapedByte(byte);
        } else {
            unicode(c, '?');
        }
    }
}

// The fallback is a hex byte: some readers skip a character more after a literal one.
void Writer::unicode(char16_t c, unsigned char fallback)
{
    word("u", c > 0x7FFF ? int(c) - 0x10000 : int(c));
    escapedByte(fallback);
}

void Writer::word(const char* name)
{
    out_ += '\\';
    out_ += name;
    needDelimiter_ = true;
}

void Writer::word(const char* name, int parameter)
{
    word(name);
    out_ += QByteArray::number(parameter);
}

void Writer::literal(char c)
{
    if (needDelimiter_) {
        out_ += ' ';
        needDelimiter_ = false;
    }
    out_ += c;
}

void Writer::escapedByte(unsigned char byte)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out_ += "\\'";
    out_ += kHex[byte >> 4];
    out_ += kHex[byte & 0x0F];
    needDelimiter_ = false;
}

} // namespace

QByteArray writeRtfModel(const RtfDocument& document)
{
    Writer writer;
    return writer.write(document);
}

} // namespace mx
