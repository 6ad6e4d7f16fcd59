#pragma once

#include <QFlags>
#include <QString>

// What the find dialog remembers between searches, for the whole run (also while the dialog is closed): the text
// and options of the last search and where its match was. The search itself is the note editor's; this only says
// where each search starts and whether a miss is reported.
namespace mx {

enum class FindOption : quint8 {
    MatchCase = 0x1,
    WholeWord = 0x2,
};
Q_DECLARE_FLAGS(FindOptions, FindOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(FindOptions)

inline constexpr const char16_t* kMatchNotFoundText = u"Match not found!";

struct FindSearch {
    QString text;
    FindOptions options;
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
    FindOptions findOptions() const { return findOptions_; }
    qint32 foundPos() const { return foundPos_; }

private:
    void take(const QString& text, bool matchCase, bool wholeWord);

    QString findText_;
    FindOptions findOptions_;
    qint32 foundPos_ = 0; // a 32-bit position: documents run far past 32767 characters
};

} // namespace mx
