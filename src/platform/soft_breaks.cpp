#include "platform/soft_breaks.h"

#include "common/text_pieces.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace mx {
namespace {

// The mark of a soft break sits in the block format of the block after it. Undo and Redo bring block formats back
// with the text (a block's user state they do not), and when blocks join, the first one's format stays: the mark
// of the break before them, which the join leaves as it was.
constexpr int kAfterSoftBreak = QTextFormat::UserProperty + 0x50F;

bool followsSoftBreak(const QTextBlock& block)
{
    return block.blockFormat().boolProperty(kAfterSoftBreak);
}

QTextBlockFormat markedFormat(QTextBlockFormat format, bool afterSoftBreak)
{
    if (afterSoftBreak)
        format.setProperty(kAfterSoftBreak, true);
    else
        format.clearProperty(kAfterSoftBreak);
    return format;
}

void markBlock(const QTextBlock& block, bool afterSoftBreak)
{
    if (block.isValid() && followsSoftBreak(block) != afterSoftBreak)
        QTextCursor(block).setBlockFormat(markedFormat(block.blockFormat(), afterSoftBreak));
}

} // namespace

bool endsSoftly(const QTextBlock& block)
{
    const QTextBlock next = block.next();
    return next.isValid() && followsSoftBreak(next);
}

void markSoftEnds(QTextDocument& document, const std::vector<int>& blockNumbers)
{
    if (blockNumbers.empty())
        return;
    // Part of the text as it was loaded, not a step the user could undo.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextBlock block = document.begin();
    int number = 0;
    for (const int wanted : blockNumbers) {
        for (; block.isValid() && number < wanted; block = block.next())
            ++number;
        if (block.isValid())
            markBlock(block.next(), true);
    }
    document.setUndoRedoEnabled(undo);
}

void insertParagraphBreak(QTextCursor& cursor)
{
    // The new block would take the mark of the one it is split from.
    cursor.insertBlock(markedFormat(cursor.blockFormat(), false));
}

void keepMarksOfInsertion(QTextDocument& document, int start, int end, bool startAfterSoftBreak)
{
    QTextCursor editing(&document);
    bool joined = false;
    const auto mark = [&](const QTextBlock& block, bool afterSoftBreak) {
        if (followsSoftBreak(block) == afterSoftBreak)
            return;
        // One step with the insertion for Undo.
        if (!std::exchange(joined, true))
            editing.joinPreviousEditBlock();
        markBlock(block, afterSoftBreak);
    };
    QTextBlock block = document.findBlock(start);
    mark(block, startAfterSoftBreak);
    const QTextBlock last = document.findBlock(end);
    while (block.isValid() && block != last) {
        block = block.next();
        mark(block, false);
    }
    if (joined)
        editing.endEditBlock();
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
            if (endsSoftly(block))
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
    const PiecedLines pieced = splitLongLines(text);
    if (pieced.softEnds.empty() && !pieced.text.contains(u'\n')) {
        cursor.insertText(pieced.text);
        return;
    }
    cursor.beginEditBlock();
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
        cursor.insertBlock(markedFormat(cursor.blockFormat(), soft));
        ++line;
        from = to + 1;
    }
    cursor.endEditBlock();
}

} // namespace mx
