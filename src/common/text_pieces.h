#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// Qt lays a paragraph out whole at every change, and a run without break points in quadratic time, so one paragraph
// of a few million characters would freeze the text views for minutes. They hold such a paragraph as pieces of
// bounded length, each a block of its own whose end is no paragraph end (a soft break), and join the pieces again
// wherever text leaves them.
namespace mx {

inline constexpr qsizetype kMaxPieceChars = 4096;

// Where the piece of `text` that starts at `from` ends: the end of the text when the rest fits, else after the last
// blank or line break in the piece's second half, else at the bound (never between the halves of a surrogate pair).
qsizetype pieceEnd(QStringView text, qsizetype from);

// Lines joined by "\n", with every line longer than the bound cut into pieces, also joined by "\n".
struct PiecedLines {
    QString text;
    std::vector<int> softEnds; // the numbers (from 0) of the lines of `text` that end in a soft break
};
PiecedLines splitLongLines(QStringView text);

} // namespace mx
