#include "common/text_pieces.h"

namespace mx {

qsizetype pieceEnd(QStringView text, qsizetype from)
{
    if (text.size() - from <= kMaxPieceChars)
        return text.size();
    qsizetype end = from + kMaxPieceChars;
    for (qsizetype i = end; i > from + kMaxPieceChars / 2; --i) {
        const QChar c = text[i - 1];
        if (c == u' ' || c == u'\t' || c == QChar::LineSeparator)
            return i;
    }
    if (text[end - 1].isHighSurrogate() && text[end].isLowSurrogate())
        --end;
    return end;
}

PiecedLines splitLongLines(QStringView text)
{
    PiecedLines pieced;
    if (text.size() <= kMaxPieceChars) {
        pieced.text = text.toString();
        return pieced;
    }
    pieced.text.reserve(text.size() + text.size() / kMaxPieceChars + 1);
    int line = 0;
    qsizetype lineStart = 0;
    while (lineStart <= text.size()) {
        qsizetype lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QStringView whole = text.sliced(lineStart, lineEnd - lineStart);
        for (qsizetype from = 0;;) {
            const qsizetype end = pieceEnd(whole, from);
            pieced.text += whole.sliced(from, end - from);
            if (end == whole.size())
                break;
            pieced.text += u'\n';
            pieced.softEnds.push_back(line++);
            from = end;
        }
        if (lineEnd == text.size())
            break;
        pieced.text += u'\n';
        ++line;
        lineStart = lineEnd + 1;
    }
    return pieced;
}

} // namespace mx
