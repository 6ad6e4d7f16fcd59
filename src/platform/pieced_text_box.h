#pragma once

#include "common/text_pieces.h"
#include "platform/soft_breaks.h"

#include <QMimeData>
#include <QTextCursor>

// A text box (QTextEdit or QPlainTextEdit) that holds over-long paragraphs in pieces: a long text dropped or pasted
// in by Qt's own keys goes in as pieces, as a loaded one does, and one copied or dragged out by them leaves as the
// one line it is.
namespace mx {

template <typename Box> class PiecedTextBox : public Box {
public:
    using Box::Box;

protected:
    QMimeData* createMimeDataFromSelection() const override
    {
        return withSoftBreaksJoined(Box::createMimeDataFromSelection(), this->textCursor());
    }
    void insertFromMimeData(const QMimeData* source) override
    {
        if (!source->hasText() || source->text().size() <= kMaxPieceChars) {
            Box::insertFromMimeData(source);
            return;
        }
        QTextCursor cursor = this->textCursor();
        insertTextInPieces(cursor, source->text());
        this->setTextCursor(cursor);
    }
};

} // namespace mx
