#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// The settings file: a private-profile text file ("[Section]" lines, "Key=Value" lines, CR LF, Windows-1252).
// Section and key names compare case-insensitively; values are replaced in place; unknown sections, keys,
// comments and blank lines are kept as they stand.
namespace mx {

// Larger files are not settings files: reads give the default and writes leave them alone.
inline constexpr qsizetype kMaxIniFileSize = 16 * 1024 * 1024;

// Layout rules, as the platform's profile service reads and writes these files:
// - Lines end with CR LF, LF or a lone CR; a leading UTF-8 byte-order mark is skipped and not written back.
// - "[Name]" (blanks and tabs allowed around) opens a section; the name runs to the last "]" of the line.
// - "Key=Value" is a value; lines starting with ";", lines without "=" and lines before the first section are kept
//   but never match. Only the first section of a name and the first key of a name in it count.
// - Every line that setValue does not replace nor removeValue remove comes back byte for byte from toBytes (with CR
//   LF after it).
class IniDocument {
public:
    static IniDocument fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;

    // The value as the platform's profile service returns it: surrounding blanks removed, one pair of matching
    // surrounding quotes removed. nullopt when the section or key does not exist.
    std::optional<QString> value(QStringView section, QStringView key) const;

    // Replaces the first matching key's value (the key keeps the file's spelling), or adds the key after the last
    // key of its section, or appends the section (no blank line before it) with the key. Line breaks in the
    // arguments become blanks and characters outside the code page become "?", so the document always equals
    // what reading its own bytes back gives. A key must not contain "=" nor start with ";" or "[".
    void setValue(QStringView section, QStringView key, QStringView value);
    // Removes the first matching key, and its section when nothing else is left in it. A missing key changes nothing.
    void removeValue(QStringView section, QStringView key);

private:
    enum class LineKind : quint8 { Other, Section, Key };
    struct Line {
        qsizetype start = 0; // into text_
        qsizetype length = 0;
        qsizetype nameStart = 0; // section or key name, blanks trimmed
        qsizetype nameLength = 0;
        LineKind kind = LineKind::Other;
    };
    struct KeySearch {
        qsizetype found = -1;    // the key's line, or -1
        qsizetype insertAt = -1; // where a new key of the section goes
    };

    Line classify(qsizetype start, qsizetype length) const;
    QStringView lineText(const Line& line) const { return QStringView(text_).sliced(line.start, line.length); }
    QStringView nameOf(const Line& line) const { return QStringView(text_).sliced(line.nameStart, line.nameLength); }
    qsizetype findSection(QStringView name) const;
    KeySearch findKey(qsizetype section, QStringView name) const;
    Line appendText(const QString& lineText);

    // The decoded file; replaced and added lines are appended to it, so the offsets of all lines stay valid and
    // no line needs an allocation of its own.
    QString text_;
    std::vector<Line> lines_;
};

// The whole file at `path` as one document, for callers that read many values. A missing file, or one that cannot
// be read whole as a regular file (or exceeds kMaxIniFileSize), gives an empty document, so every value takes its
// default.
IniDocument readIniDocument(const QString& path);

// Reads one value the way the program has always read its settings, through a 128-character buffer: the result is
// cut before the first run of five blanks (losing one more character), and a value longer than 122 characters
// cannot be read (nullopt, which callers treat as a run-time error). A missing section or key gives
// `defaultValue`, which goes through the same buffer.
std::optional<QString> readIniValue(const IniDocument& doc, const QString& section, const QString& key,
                                    const QString& defaultValue);

struct IniEntry {
    QString section;
    QString key;
    std::optional<QString> value; // nullopt: the key is removed
};

// Sets or removes the entry's key.
void applyIniEntry(IniDocument& doc, const IniEntry& entry);

// Stores values in the settings file at `path` with one read and one atomic write, each as applyIniEntry does,
// creating the file, the section or the key as needed. Something at the path that cannot be read whole as a
// regular file (a pipe, a device, a file over kMaxIniFileSize) is not replaced: the result is false.
bool writeIniValues(const QString& path, const std::vector<IniEntry>& entries);

} // namespace mx
