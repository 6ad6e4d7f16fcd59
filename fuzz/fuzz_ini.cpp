// Settings-file reader and writer: any bytes must parse, and writing a document out and reading it back must give
// the same document, before and after a value is set or removed.
//
// Input: "section\nkey\nvalue\n" then the file. Names to compare are the given ones plus those found in the file.

#include "common/cp1252.h"
#include "platform/ini_file.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

QByteArray takeLine(QByteArrayView& input)
{
    const qsizetype end = input.indexOf('\n');
    const QByteArrayView line = end < 0 ? input : input.first(end);
    input = end < 0 ? QByteArrayView() : input.sliced(end + 1);
    return line.toByteArray();
}

// A rough pick of (section, key) pairs from the file itself, so that lookups hit real lines; it need not agree with
// the parser, since both documents are asked the same questions.
std::vector<std::pair<QString, QString>> namesIn(const QString& text)
{
    constexpr std::size_t kMaxNames = 64;
    std::vector<std::pair<QString, QString>> names;
    QString section;
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.startsWith(u'[') && trimmed.lastIndexOf(u']') > 0)
            section = trimmed.sliced(1, trimmed.lastIndexOf(u']') - 1).toString();
        else if (const qsizetype equals = line.indexOf(u'='); equals >= 0)
            names.emplace_back(section, line.first(equals).toString());
        if (names.size() == kMaxNames)
            break;
    }
    return names;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkSameValues(const mx::IniDocument& a, const mx::IniDocument& b,
                     const std::vector<std::pair<QString, QString>>& names)
{
    for (const auto& [section, key] : names)
        check(a.value(section, key) == b.value(section, key));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString section = mx::decodeCp1252(takeLine(input));
    const QString key = mx::decodeCp1252(takeLine(input));
    const QString value = mx::decodeCp1252(takeLine(input));
    const QByteArray file = input.toByteArray();

    auto names = namesIn(mx::decodeCp1252(file));
    names.emplace_back(section, key);

    mx::IniDocument doc = mx::IniDocument::fromBytes(file);
    const QByteArray written = doc.toBytes();
    const mx::IniDocument reread = mx::IniDocument::fromBytes(written);
    check(reread.toBytes() == written);
    checkSameValues(doc, reread, names);

    doc.setValue(section, key, value);
    const QByteArray changed = doc.toBytes();
    const mx::IniDocument rereadChanged = mx::IniDocument::fromBytes(changed);
    check(rereadChanged.toBytes() == changed);
    checkSameValues(doc, rereadChanged, names);

    // Removing a key (and a section it leaves empty) keeps the document what its bytes read back as.
    mx::IniDocument removed = mx::IniDocument::fromBytes(changed);
    removed.removeValue(section, key);
    const QByteArray removedBytes = removed.toBytes();
    const mx::IniDocument rereadRemoved = mx::IniDocument::fromBytes(removedBytes);
    check(rereadRemoved.toBytes() == removedBytes);
    checkSameValues(removed, rereadRemoved, names);

    // A well-formed key reads back as written, blanks and tabs trimmed and one pair of quotes removed.
    const QString keyName = key.trimmed();
    if (!key.contains(u'=') && !keyName.startsWith(u';') && !keyName.startsWith(u'[') && !key.contains(u'\r') &&
        !section.contains(u'\r')) {
        QStringView expected(value);
        while (!expected.isEmpty() &&
               (expected.front() == u' ' || expected.front() == u'\t' || expected.front() == u'\r'))
            expected = expected.sliced(1);
        while (!expected.isEmpty() && (expected.back() == u' ' || expected.back() == u'\t' || expected.back() == u'\r'))
            expected.chop(1);
        if (expected.size() > 1 && (expected.front() == u'"' || expected.front() == u'\'') &&
            expected.back() == expected.front())
            expected = expected.sliced(1, expected.size() - 2);
        QString wanted = expected.toString();
        wanted.replace(u'\r', u' ');
        check(doc.value(section, key) == wanted);
    }
    return 0;
}
