#include "shell/help_topics.h"

#include <QDir>

#include <algorithm>
#include <array>

namespace mx {

QString helpFilePath(const QString& programFolder)
{
    const QString trimmed = programFolder.trimmed();
    const bool endsInSeparator = trimmed.endsWith(u'/') || trimmed.endsWith(QDir::separator());
    return programFolder + (endsInSeparator ? QString() : QString(QDir::separator())) +
           QString::fromUtf16(kHelpFileName);
}

QString helpAnchor(int contextId)
{
    switch (contextId) {
    case kTableEditorHelpContext:
        return QStringLiteral("table-editor");
    case kNoteEditorHelpContext:
        return QStringLiteral("note-editor");
    default:
        return QString::fromUtf16(kHelpContentsAnchor);
    }
}

} // namespace mx

namespace mx {
namespace {

bool isNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Elements without an end tag, or whose end tag HTML lets out.
bool endsByItself(QStringView name)
{
    static constexpr std::array<const char16_t*, 26> kNames = {
        u"area", u"base", u"br", u"col", u"colgroup", u"dd", u"dt", u"embed", u"hr", u"img",
        u"input", u"li", u"link", u"meta", u"option", u"p", u"param", u"source", u"tbody", u"td",
        u"tfoot", u"th", u"thead", u"tr", u"track", u"wbr"};
    return std::any_of(kNames.cbegin(), kNames.cend(),
                       [name](const char16_t* known) { return name.compare(QStringView(known), Qt::CaseInsensitive) == 0; });
}

} // namespace

bool helpNestedTooDeeply(QStringView html)
{
    int tables = 0;
    int elements = 0;
    for (qsizetype i = html.indexOf(u'<'); i >= 0 && i + 1 < html.size(); i = html.indexOf(u'<', i + 1)) {
        if (html.sliced(i).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            if (end < 0)
                break;
            i = end + 2;
            continue;
        }
        const bool closing = html[i + 1] == u'/';
        qsizetype start = i + (closing ? 2 : 1);
        qsizetype end = start;
        while (end < html.size() && isNameChar(html[end]))
            ++end;
        if (end == start)
            continue; // "<!DOCTYPE", "<?xml", or a "<" in text
        const QStringView name = html.sliced(start, end - start);
        const qsizetype close = html.indexOf(u'>', end);
        const bool selfClosing = close > 0 && html[close - 1] == u'/';
        if (name.compare(u"table", Qt::CaseInsensitive) == 0) {
            tables = std::max(0, tables + (closing ? -1 : 1));
            if (tables > kMaxHelpTableDepth)
                return true;
        }
        if (endsByItself(name) || (selfClosing && !closing))
            continue;
        elements = std::max(0, elements + (closing ? -1 : 1));
        if (elements > kMaxHelpElementDepth)
            return true;
    }
    return false;
}

} // namespace mx
