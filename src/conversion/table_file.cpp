#include "conversion/table_file.h"

#include "common/blanks.h"
#include "common/cp1252.h"
#include "common/number_text.h"
#include "platform/file_access.h"

namespace mx {
namespace {

enum class FieldResult { Ok, PastEnd, TooLong };

// Fields are views into the decoded text, so the factor and the discarded fifth field cost no allocation.
class FieldReader {
public:
    explicit FieldReader(QStringView text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    FieldResult read(QStringView& value)
    {
        if (atEnd())
            return FieldResult::PastEnd; // how a last entry short of its fifth field shows
        while (!atEnd() && isBlank(text_[pos_]))
            ++pos_;

        if (!atEnd() && text_[pos_] == u'"') {
            const qsizetype start = pos_ + 1;
            qsizetype close = text_.indexOf(u'"', start);
            if (close < 0)
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
};

TableReadResult failed(TableReadStatus status)
{
    return {status, 0};
}

} // namespace

TableReadResult parseConversionTable(const QByteArray& bytes, ConversionTableArray& table)
{
    // Windows-1252 maps byte to character one for one, so decoding first moves no field boundary.
    const QString text = decodeCp1252(bytes);
    FieldReader reader(text);
    int index = 0;
    QStringView fields[5];
    while (!reader.atEnd()) {
        if (index >= kMaxTableEntries)
            return failed(TableReadStatus::TooManyEntries);
        ConversionEntry& entry = table[std::size_t(index)];
        for (QStringView& field : fields) {
            if (reader.read(field) != FieldResult::Ok)
                return {TableReadStatus::Malformed, 0, index};
        }
        entry.Name = fields[0].toString();
        entry.FirstUnit = fields[1].toString();
        entry.SecondUnit = fields[2].toString();
        entry.Factor = leadingNumber(fields[3]);
        ++index;
    }
    return {TableReadStatus::Ok, index};
}

TableReadResult readConversionTable(const QString& path, ConversionTableArray& table)
{
    const FileRead read = readRegularFile(path, kMaxTableFileBytes);
    switch (read.status) {
    case FileReadStatus::Ok:
        return parseConversionTable(read.bytes, table);
    case FileReadStatus::Missing:
        return failed(TableReadStatus::Missing);
    default:
        return failed(TableReadStatus::Unreadable);
    }
}

} // namespace mx
