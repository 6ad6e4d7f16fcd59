#pragma once

#include "common/text_pieces.h"
#include "platform/soft_breaks.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>

// A text box (QTextEdit or QPlainTextEdit) that holds over-long paragraphs in pieces: a long text dropped or pasted
// in by Qt's own keys goes in as pieces, as a loaded one does, and one copied or dragged out by them leaves as the
// one line it is. A soft break is no character: Backspace and Delete beside one take the character beyond it. Enter
// and text put in start paragraphs, never pieces.
namespace mx {

template <typename Box> class PiecedTextBox : public Box {
public:
    using Box::Box;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const QTextCursor cursor = this->textCursor();
        if (!this->isReadOnly() && !cursor.hasSelection()) {
            const QTextBlock block = cursor.block();
            if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier) &&
                cursor.atBlockStart() && endsSoftly(block.previous()) && block.previous().length() > 1) {
                QTextCursor beyond(block.previous());
                beyond.movePosition(QTextCursor::EndOfBlock);
                beyond.deletePreviousChar();
                return;
            }
            if (event->matches(QKeySequence::Delete) && cursor.atBlockEnd() && endsSoftly(block) &&
                block.next().length() > 1) {
                QTextCursor(block.next()).deleteChar();
                return;
            }
        }
        if (!this->isReadOnly() && event->matches(QKeySequence::InsertParagraphSeparator)) {
            QTextCursor editing = this->textCursor();
            insertParagraphBreak(editing);
            this->setTextCursor(editing);
            this->ensureCursorVisible();
            return;
        }
        Box::keyPressEvent(event);
    }
    QMimeData* createMimeDataFromSelection() const override
    {
        return withSoftBreaksJoined(Box::createMimeDataFromSelection(), this->textCursor());
    }
    void insertFromMimeData(const QMimeData* source) override
    {
        if (!source->hasText() || source->text().size() <= kMaxPieceChars) {
            QTextDocument* document = this->document();
            const int start = this->textCursor().selectionStart();
            const bool afterSoftBreak = endsSoftly(document->findBlock(start).previous());
            Box::insertFromMimeData(source);
            keepMarksOfInsertion(*document, start, this->textCursor().position(), afterSoftBreak);
            return;
        }
        QTextCursor cursor = this->textCursor();
        insertTextInPieces(cursor, source->text());
        this->setTextCursor(cursor);
    }
};

} // namespace mx
