#include "accessories/note_find.h"

#include <limits>

namespace mx {

void FindPositions::take(const QString& text, bool matchCase, bool wholeWord)
{
    findText_ = text;
    findOptions_ = {};
    findOptions_.setFlag(FindOption::MatchCase, matchCase);
    findOptions_.setFlag(FindOption::WholeWord, wholeWord);
}

FindSearch FindPositions::first(const QString& text, bool matchCase, bool wholeWord)
{
    take(text, matchCase, wholeWord);
    return {findText_, findOptions_, 0};
}

FindSearch FindPositions::next(const QString& text, bool matchCase, bool wholeWord)
{
    take(text, matchCase, wholeWord);
    const qint32 from = foundPos_ < std::numeric_limits<qint32>::max() ? foundPos_ + 1 : foundPos_;
    return {findText_, findOptions_, from};
}

bool FindPositions::found(qint32 position)
{
    foundPos_ = position < 0 ? -1 : position;
    return foundPos_ == -1;
}

} // namespace mx
