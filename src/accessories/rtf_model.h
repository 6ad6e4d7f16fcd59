#pragma once

#include <QFlags>
#include <QString>

#include <optional>
#include <vector>

// The plain model between RTF bytes and a text document: paragraphs with an alignment, each a list of runs of
// text with one character format. It holds what the note editor can show, so that a document written and read
// back compares equal.
namespace mx {

struct RtfColor {
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;
    friend bool operator==(const RtfColor&, const RtfColor&) = default;
};

inline constexpr int kDefaultHalfPoints = 24; // 12 points, the size of text that names none
inline constexpr int kMinHalfPoints = 2;
inline constexpr int kMaxHalfPoints = 3276; // 1638 points, the largest size word processors accept

enum class RtfVertical : quint8 { Baseline, Superscript, Subscript };

struct RtfCharFormat {
    QString family; // empty: the document's default font
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<RtfColor> color; // none: the automatic text colour
    bool strike = false;
    RtfVertical vertical = RtfVertical::Baseline;
    std::optional<RtfColor> highlight; // none: no background behind the text
    friend bool operator==(const RtfCharFormat&, const RtfCharFormat&) = default;
};

enum class RtfAlignment : quint8 { Left, Center, Right, Justify };

// Text holds no paragraph breaks: a line break within a paragraph is U+2028, a tab is U+0009.
struct RtfRun {
    QString text;
    RtfCharFormat format;
    friend bool operator==(const RtfRun&, const RtfRun&) = default;
};

struct RtfParagraph {
    RtfAlignment alignment = RtfAlignment::Left;
    std::vector<RtfRun> runs; // never empty texts; neighbours differ in format
    RtfCharFormat markFormat; // the format of the paragraph mark: what an empty paragraph's line is set in
    friend bool operator==(const RtfParagraph&, const RtfParagraph&) = default;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;
    friend bool operator==(const RtfDocument&, const RtfDocument&) = default;
};

// What a reader met that it could not take in whole. Everything else in the file was read.
enum class RtfIssue : quint32 {
    NotRtf = 0x01,          // no RTF header: the bytes were read as plain text
    Unbalanced = 0x02,      // a group was still open at the end, or text followed the document's last brace
    TooDeep = 0x04,         // groups nested beyond kMaxRtfGroupDepth were left out
    Truncated = 0x08,       // binary data, a hex byte or an escape was cut off or malformed
    TooLong = 0x10,         // the document passed a size bound of the reader or the file: the rest is unread
    UnknownCodePage = 0x20, // text in a code page this program cannot decode was read as Windows-1252
    SkippedObjects = 0x40,  // pictures or embedded objects, which the editor cannot show, were left out
    SkippedHeaders = 0x80,  // page headers: page furniture, which a note has no place for
    SkippedFooters = 0x100, // page footers, likewise
    SkippedHidden = 0x200,  // hidden text, which the editor would show: it was left out
};
Q_DECLARE_FLAGS(RtfIssues, RtfIssue)
Q_DECLARE_OPERATORS_FOR_FLAGS(RtfIssues)

// Issues that mean the file was damaged (rather than holding things the editor does not show).
inline constexpr RtfIssues kRtfDamage = RtfIssues(RtfIssue::NotRtf) | RtfIssue::Unbalanced | RtfIssue::TooDeep |
                                        RtfIssue::Truncated | RtfIssue::TooLong | RtfIssue::UnknownCodePage;

} // namespace mx
