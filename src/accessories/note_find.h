#pragma once

#include <QString>

// What the find dialog remembers between searches, for the whole run (also while the dialog is closed): the text
// and options of the last search and where its match was. The search itself is the note editor's; this only says
// where each search starts and whether a miss is reported.
namespace mx {

// Option flags of the find operation; a search's options are their sum.
inline constexpr qint16 kFindWholeWord = 2;
inline constexpr qint16 kFindMatchCase = 4;

inline constexpr const char16_t* kMatchNotFoundText = u"Match not found!";

struct FindSearch {
    QString text;
    qint16 options = 0;
    qint32 from = 0; // character position the search starts at, to the end of the document
};

class FindPositions {
public:
    // Find First searches the whole document; Find Next starts one character after the last match, or at the
    // start after a miss. Both take the text and options as they are now.
    FindSearch first(const QString& text, bool matchCase, bool wholeWord);
    FindSearch next(const QString& text, bool matchCase, bool wholeWord);

    // Records the match position the search returned (-1: none). Returns true when the miss is to be reported.
    bool found(qint32 position);

    const QString& findText() const { return findText_; }
    qint16 findOptions() const { return findOptions_; }
    qint32 foundPos() const { return foundPos_; }

private:
    void take(const QString& text, bool matchCase, bool wholeWord);

    QString findText_;
    qint16 findOptions_ = 0;
    qint32 foundPos_ = 0; // a 32-bit position: documents run far past 32767 characters
};

} // namespace mx
