#include "platform/ini_file.h"

#include "common/blanks.h"
#include "common/cp1252.h"
#include "platform/atomic_file.h"
#include "platform/file_access.h"

#include <algorithm>

namespace mx {
namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// What a text becomes once written to the file and read back, so that the document in memory never differs from
// a fresh read of its bytes. A line break would start a line of its own, a key or a section the caller never wrote:
// it is written as a blank.
QString asFileText(QStringView text)
{
    QString result = decodeCp1252(encodeCp1252(text));
    for (QChar& c : result) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return result;
}

// The service copies at most 127 characters and a NUL into a buffer of 128 blanks; the caller then keeps what
// stands before the first run of five blanks, less one character meant to be the NUL.
std::optional<QString> throughProfileBuffer(QStringView value)
{
    constexpr qsizetype kBufferSize = 128;
    QString buffer(kBufferSize, u' ');
    const qsizetype copied = std::min(value.size(), kBufferSize - 1);
    std::copy_n(value.begin(), copied, buffer.begin());
    buffer[copied] = QChar(u'\0');
    const qsizetype run = buffer.indexOf(QStringView(u"     "));
    if (run < 1) // no run at all, or one at the very start: a negative length, a run-time error for the caller
        return std::nullopt;
    return buffer.left(run - 1);
}

// nullopt when something is there but cannot be read whole as a regular file; a missing file reads as empty.
std::optional<QByteArray> readIniBytes(const QString& path)
{
    FileRead read = readRegularFile(path, kMaxIniFileSize);
    switch (read.status) {
    case FileReadStatus::Ok:
        return std::move(read.bytes);
    case FileReadStatus::Missing:
        return QByteArray();
    default:
        return std::nullopt;
    }
}

} // namespace

IniDocument IniDocument::fromBytes(const QByteArray& bytes)
{
    // Every leading mark goes, so that the bytes written back do not begin with one either.
    QByteArrayView view(bytes);
    while (view.startsWith(kUtf8Bom))
        view = view.sliced(kUtf8Bom.size());

    IniDocument doc;
    doc.text_ = decodeCp1252(view);
    doc.lines_.reserve(
        std::size_t(std::count(view.begin(), view.end(), '\n') + std::count(view.begin(), view.end(), '\r')) + 1);
    const QStringView text(doc.text_);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        doc.lines_.push_back(doc.classify(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        doc.lines_.push_back(doc.classify(start, text.size() - start));
    return doc;
}

QByteArray IniDocument::toBytes() const
{
    qsizetype size = 0;
    for (const Line& line : lines_)
        size += line.length + 2;
    QString joined;
    joined.reserve(size);
    for (const Line& line : lines_) {
        joined += lineText(line);
        joined += u"\r\n";
    }
    return encodeCp1252(joined);
}

IniDocument::Line IniDocument::classify(qsizetype start, qsizetype length) const
{
    Line line{start, length, 0, 0, LineKind::Other};
    const QStringView text = QStringView(text_).sliced(start, length);
    qsizetype first = 0;
    while (first < text.size() && isBlank(text[first]))
        ++first;
    if (first == text.size() || text[first] == u';')
        return line;

    QStringView name;
    if (text[first] == u'[') {
        const qsizetype close = text.lastIndexOf(u']');
        if (close <= first) // an unclosed bracket is junk, not a key
            return line;
        name = trimBlanks(text.sliced(first + 1, close - first - 1));
        line.kind = LineKind::Section;
    } else {
        const qsizetype equals = text.indexOf(u'=', first);
        if (equals < 0)
            return line;
        name = trimBlanks(text.sliced(first, equals - first));
        line.kind = LineKind::Key;
    }
    line.nameStart = start + (name.data() - text.data());
    line.nameLength = name.size();
    return line;
}

qsizetype IniDocument::findSection(QStringView name) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section && sameName(nameOf(lines_[i]), name))
            return qsizetype(i);
    }
    return -1;
}

IniDocument::KeySearch IniDocument::findKey(qsizetype section, QStringView name) const
{
    KeySearch result;
    result.insertAt = section + 1;
    for (auto i = std::size_t(section) + 1; i < lines_.size() && lines_[i].kind != LineKind::Section; ++i) {
        if (lines_[i].kind != LineKind::Key)
            continue;
        if (sameName(nameOf(lines_[i]), name)) {
            result.found = qsizetype(i);
            break;
        }
        result.insertAt = qsizetype(i) + 1;
    }
    return result;
}

std::optional<QString> IniDocument::value(QStringView section, QStringView key) const
{
    const qsizetype sectionLine = findSection(trimBlanks(section));
    if (sectionLine < 0)
        return std::nullopt;
    const qsizetype keyLine = findKey(sectionLine, trimBlanks(key)).found;
    if (keyLine < 0)
        return std::nullopt;
    const QStringView text = lineText(lines_[std::size_t(keyLine)]);
    QStringView result = trimBlanks(text.sliced(text.indexOf(u'=') + 1));
    if (result.size() > 1 && (result.front() == u'"' || result.front() == u'\'') && result.back() == result.front())
        result = result.sliced(1, result.size() - 2);
    return result.toString();
}

IniDocument::Line IniDocument::appendText(const QString& lineText)
{
    const qsizetype start = text_.size();
    text_ += lineText;
    return classify(start, lineText.size());
}

void IniDocument::setValue(QStringView section, QStringView key, QStringView value)
{
    const QString sectionText = asFileText(section);
    const QString keyText = asFileText(key);
    const QString valueText = asFileText(value);

    const qsizetype sectionLine = findSection(trimBlanks(sectionText));
    if (sectionLine < 0) {
        lines_.push_back(appendText(u'[' + sectionText + u']'));
        lines_.push_back(appendText(keyText + u'=' + valueText));
        return;
    }
    const KeySearch search = findKey(sectionLine, trimBlanks(keyText));
    if (search.found >= 0) {
        Line& line = lines_[std::size_t(search.found)];
        line = appendText(nameOf(line).toString() + u'=' + valueText);
    } else {
        const Line added = appendText(keyText + u'=' + valueText);
        lines_.insert(lines_.begin() + search.insertAt, added);
    }
}

void IniDocument::removeValue(QStringView section, QStringView key)
{
    const qsizetype sectionLine = findSection(trimBlanks(asFileText(section)));
    if (sectionLine < 0)
        return;
    const qsizetype keyLine = findKey(sectionLine, trimBlanks(asFileText(key))).found;
    if (keyLine < 0)
        return;
    lines_.erase(lines_.begin() + keyLine);
    const auto next = std::size_t(sectionLine) + 1;
    if (next == lines_.size() || lines_[next].kind == LineKind::Section)
        lines_.erase(lines_.begin() + sectionLine);
}

void applyIniEntry(IniDocument& doc, const IniEntry& entry)
{
    if (entry.value)
        doc.setValue(entry.section, entry.key, *entry.value);
    else
        doc.removeValue(entry.section, entry.key);
}

IniDocument readIniDocument(const QString& path)
{
    const auto bytes = readIniBytes(path);
    return IniDocument::fromBytes(bytes ? *bytes : QByteArray());
}

std::optional<QString> readIniValue(const IniDocument& doc, const QString& section, const QString& key,
                                    const QString& defaultValue)
{
    const std::optional<QString> stored = doc.value(section, key);
    return throughProfileBuffer(stored ? *stored : defaultValue);
}

bool writeIniValues(const QString& path, const std::vector<IniEntry>& entries)
{
    const auto bytes = readIniBytes(path);
    if (!bytes)
        return false;
    IniDocument doc = IniDocument::fromBytes(*bytes);
    for (const IniEntry& entry : entries)
        applyIniEntry(doc, entry);
    return writeFileAtomically(path, doc.toBytes());
}

} // namespace mx
