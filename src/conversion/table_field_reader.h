#pragma once

#include "common/blanks.h"
#include "conversion/table_file.h"

#include <QStringView>

// The one reader of a table file's fields, shared by the table load and the table check so that both split a text
// the same way. Internal to the conversion core.
namespace mx {

enum class FieldResult { Ok, PastEnd, TooLong };

// Fields are views into the decoded text, so the factor and the discarded fifth field cost no allocation.
class TableFieldReader {
public:
    explicit TableFieldReader(QStringView text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    qsizetype position() const { return pos_; }
    // Where the field read last began, and whether it opened a quote that nothing closed (it then took the rest).
    qsizetype fieldStart() const { return fieldStart_; }
    bool quoteUnclosed() const { return quoteUnclosed_; }

    FieldResult read(QStringView& value)
    {
        fieldStart_ = pos_;
        quoteUnclosed_ = false;
        if (atEnd())
            return FieldResult::PastEnd; // how a last entry short of its fifth field shows
        while (!atEnd() && isBlank(text_[pos_]))
            ++pos_;

        if (!atEnd() && text_[pos_] == u'"') {
            const qsizetype start = pos_ + 1;
            qsizetype close = text_.indexOf(u'"', start);
            quoteUnclosed_ = close < 0;
            if (quoteUnclosed_)
                close = text_.size(); // an unclosed quote takes the rest of the file
            value = text_.sliced(start, close - start);
            pos_ = close < text_.size() ? close + 1 : close;
            skipToDelimiter();
        } else {
            const qsizetype start = pos_;
            skipToDelimiter();
            qsizetype end = pos_;
            while (end > start && isBlank(text_[end - 1]))
                --end;
            value = text_.sliced(start, end - start);
        }
        consumeDelimiter();
        return value.size() > kMaxTableFieldChars ? FieldResult::TooLong : FieldResult::Ok;
    }

private:
    static bool isDelimiter(QChar c) { return c == u',' || c == u'\r' || c == u'\n'; }

    void skipToDelimiter()
    {
        while (!atEnd() && !isDelimiter(text_[pos_]))
            ++pos_;
    }

    void consumeDelimiter()
    {
        if (atEnd())
            return;
        const QChar c = text_[pos_++];
        if (c == u'\r' && !atEnd() && text_[pos_] == u'\n')
            ++pos_;
    }

    QStringView text_;
    qsizetype pos_ = 0;
    qsizetype fieldStart_ = 0;
    bool quoteUnclosed_ = false;
};

} // namespace mx
