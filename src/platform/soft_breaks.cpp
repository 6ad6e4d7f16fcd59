#include "platform/soft_breaks.h"

#include "common/text_pieces.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace mx {
namespace {

// Any state but -1, the state of a block nobody has marked.
constexpr int kSoftEnd = 0x50F7;
// Set on the document while our own edits place the soft breaks themselves.
constexpr const char* kPlacingProperty = "mxPlacingSoftBreaks";

} // namespace

bool endsSoftly(const QTextBlock& block)
{
    return block.userState() == kSoftEnd;
}

void setSoftEnd(QTextBlock block, bool soft)
{
    block.setUserState(soft ? kSoftEnd : -1);
}

void markSoftEnds(QTextDocument& document, const std::vector<int>& blockNumbers)
{
    QTextBlock block = document.begin();
    int number = 0;
    for (const int wanted : blockNumbers) {
        for (; block.isValid() && number < wanted; block = block.next())
            ++number;
        if (block.isValid())
            setSoftEnd(block, true);
    }
}

void keepSoftBreaks(QTextDocument& document)
{
    QTextDocument* doc = &document;
    // A split leaves the block's state with its first part and gives the parts after it none, so a soft end would
    // move to the break the user made. It goes back to the end it belongs to; joins need nothing, as a joined block
    // keeps the state of its last part.
    QObject::connect(doc, &QTextDocument::contentsChange, doc, [doc](int position, int, int added) {
        if (added == 0 || doc->property(kPlacingProperty).toBool())
            return;
        QTextBlock first = doc->findBlock(position);
        const QTextBlock last = doc->findBlock(position + added);
        if (!last.isValid() || first == last || !endsSoftly(first) || endsSoftly(last))
            return;
        setSoftEnd(first, false);
        setSoftEnd(last, true);
    });
}

QString selectedTextJoined(const QTextCursor& cursor)
{
    QString text = cursor.selectedText();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const QTextDocument* document = cursor.document();
    // From the back, so that the positions before each removal stay as they were.
    for (QTextBlock block = document->findBlock(end); block.isValid() && block.position() + block.length() > start;
         block = block.previous()) {
        const int breakAt = block.position() + block.length() - 1;
        if (breakAt >= start && breakAt < end && endsSoftly(block))
            text.remove(breakAt - start, 1);
    }
    return text;
}

QMimeData* withSoftBreaksJoined(QMimeData* made, const QTextCursor& cursor)
{
    const QString joined = selectedTextJoined(cursor);
    if (joined.size() == cursor.selectedText().size())
        return made;
    // The text box's own data fills itself in from the selection when read: a new one in its place.
    delete made;
    auto* plain = new QMimeData;
    plain->setText(QString(joined).replace(QChar::ParagraphSeparator, u'\n'));
    return plain;
}

QTextCursor findAcrossSoftBreaks(const QTextDocument& document, const QString& text, int from,
                                 QTextDocument::FindFlags flags)
{
    const bool pieced = [&] {
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (endsSoftly(block) && block.next().isValid())
                return true;
        }
        return false;
    }();
    if (!pieced || text.isEmpty() || from < 0)
        return document.find(text, from, flags);

    // The text with the soft breaks left out, and where each block starts in it and in the document.
    QString joined;
    std::vector<int> joinedStarts;
    std::vector<int> positions;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        joinedStarts.push_back(int(joined.size()));
        positions.push_back(block.position());
        joined += block.text();
        if (block.next().isValid() && !endsSoftly(block))
            joined += QChar::ParagraphSeparator;
    }
    joined.replace(QChar::Nbsp, u' ');
    const auto documentPosition = [&](qsizetype index) {
        const auto block = std::upper_bound(joinedStarts.begin(), joinedStarts.end(), int(index)) - 1;
        return positions[std::size_t(block - joinedStarts.begin())] + int(index) - *block;
    };
    const QTextBlock start = document.findBlock(from);
    if (!start.isValid())
        return {};
    qsizetype offset = joinedStarts[std::size_t(start.blockNumber())] + (from - start.position());

    const Qt::CaseSensitivity sensitivity =
        flags.testFlag(QTextDocument::FindCaseSensitively) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const auto letterOrDigit = [&](qsizetype i) { return i >= 0 && i < joined.size() && joined[i].isLetterOrNumber(); };
    while (offset <= joined.size()) {
        const qsizetype index = joined.indexOf(text, offset, sensitivity);
        if (index < 0)
            return {};
        const qsizetype end = index + text.size();
        if (flags.testFlag(QTextDocument::FindWholeWords) && (letterOrDigit(index - 1) || letterOrDigit(end))) {
            offset = end + 1; // as QTextDocument::find goes on
            continue;
        }
        QTextCursor match(const_cast<QTextDocument*>(&document));
        match.setPosition(documentPosition(index));
        match.setPosition(documentPosition(end - 1) + 1, QTextCursor::KeepAnchor);
        return match;
    }
    return {};
}

void insertTextInPieces(QTextCursor& cursor, QStringView text)
{
    QTextDocument* document = cursor.document();
    const PiecedLines pieced = splitLongLines(text);
    if (pieced.softEnds.empty()) {
        cursor.insertText(pieced.text);
        return;
    }
    document->setProperty(kPlacingProperty, true);
    cursor.beginEditBlock();
    const bool endSoftly = endsSoftly(cursor.block());
    auto softEnd = pieced.softEnds.cbegin();
    int line = 0;
    for (qsizetype from = 0;;) {
        qsizetype to = pieced.text.indexOf(u'\n', from);
        if (to < 0)
            to = pieced.text.size();
        cursor.insertText(QStringView(pieced.text).sliced(from, to - from).toString());
        if (to == pieced.text.size())
            break;
        const bool soft = softEnd != pieced.softEnds.cend() && *softEnd == line;
        if (soft)
            ++softEnd;
        const QTextBlock before = cursor.block();
        cursor.insertBlock();
        setSoftEnd(before, soft);
        ++line;
        from = to + 1;
    }
    setSoftEnd(cursor.block(), endSoftly);
    cursor.endEditBlock();
    document->setProperty(kPlacingProperty, false);
}

} // namespace mx
