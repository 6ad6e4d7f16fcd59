#pragma once

#include <QString>
#include <QStringView>
#include <QTextDocument>

#include <vector>

class QMimeData;
class QTextBlock;
class QTextCursor;

// Over-long paragraphs held as pieces (see common/text_pieces.h): the block after a soft break carries a mark that
// says so, which Undo and Redo keep with the text.
namespace mx {

bool endsSoftly(const QTextBlock& block);
// Marks the blocks with these numbers (from 0, in rising order) as ending softly; not a step of the undo history.
void markSoftEnds(QTextDocument& document, const std::vector<int>& blockNumbers);

// A paragraph break where the user makes one (Enter): the text after the cursor starts a paragraph.
void insertParagraphBreak(QTextCursor& cursor);

// After text made elsewhere (a paste, a drop) went in between `start` and `end`: the breaks it brought are
// paragraph breaks, and the block it went into keeps the mark it had (`startAfterSoftBreak`). Part of the same
// step for Undo.
void keepMarksOfInsertion(QTextDocument& document, int start, int end, bool startAfterSoftBreak);

// The selection's text as QTextCursor::selectedText() gives it (paragraph breaks as U+2029), less the soft breaks.
QString selectedTextJoined(const QTextCursor& cursor);

// What Qt's own copy and drag (Ctrl+C, Ctrl+X, a dragged selection) put out: `made`, as the text box made it, unless
// the selection crosses a soft break, which would come out as a paragraph break; it then holds the joined plain text
// alone, so that pasted back it goes in as the one line it is. Takes `made` over.
QMimeData* withSoftBreaksJoined(QMimeData* made, const QTextCursor& cursor);

// QTextDocument::find (forward; U+00A0 matched as a blank; a whole word bounded by anything but letters and digits)
// over the paragraphs as the user sees them: a match may run over a soft break. Returns the match selected, or a
// null cursor.
QTextCursor findAcrossSoftBreaks(const QTextDocument& document, const QString& text, int from,
                                 QTextDocument::FindFlags flags);

// Inserts `text` (lines ended by "\n") at the cursor as typed text would go in, an over-long line in pieces.
void insertTextInPieces(QTextCursor& cursor, QStringView text);

} // namespace mx
