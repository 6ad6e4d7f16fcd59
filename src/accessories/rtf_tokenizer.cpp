#include "accessories/rtf_tokenizer.h"

#include <algorithm>
#include <limits>

namespace mx {
namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool endsText(char c)
{
    return c == '\\' || c == '{' || c == '}' || c == '\r' || c == '\n';
}

} // namespace

RtfToken RtfTokenizer::next()
{
    const qsizetype size = input_.size();
    while (pos_ < size) {
        const char c = input_[pos_];
        if (c == '\r' || c == '\n') {
            ++pos_;
            continue;
        }
        if (c == '{') {
            ++pos_;
            return {RtfTokenKind::GroupStart, {}, 0, false};
        }
        if (c == '}') {
            ++pos_;
            return {RtfTokenKind::GroupEnd, {}, 0, false};
        }
        if (c != '\\') {
            const qsizetype start = pos_;
            while (pos_ < size && !endsText(input_[pos_]))
                ++pos_;
            return {RtfTokenKind::Text, input_.sliced(start, pos_ - start), 0, false};
        }

        // A backslash.
        if (pos_ + 1 >= size) {
            ++pos_;
            malformed_ = true;
            break;
        }
        const char d = input_[pos_ + 1];
        if (isLetter(d)) {
            ++pos_;
            return controlWord();
        }
        pos_ += 2;
        if (d == '\'') {
            const int high = pos_ < size ? hexValue(input_[pos_]) : -1;
            const int low = pos_ + 1 < size ? hexValue(input_[pos_ + 1]) : -1;
            if (high < 0 || low < 0) {
                // Pass over the one digit there is; what follows is read as it comes.
                pos_ += high >= 0 ? 1 : 0;
                malformed_ = true;
                continue;
            }
            pos_ += 2;
            return {RtfTokenKind::HexByte, {}, high * 16 + low, true};
        }
        if (d == '\r' || d == '\n')
            return {RtfTokenKind::ControlSymbol, {}, '\n', false};
        return {RtfTokenKind::ControlSymbol, {}, static_cast<unsigned char>(d), false};
    }
    return {};
}

RtfToken RtfTokenizer::controlWord()
{
    const qsizetype size = input_.size();
    const qsizetype start = pos_;
    while (pos_ < size && isLetter(input_[pos_]))
        ++pos_;
    RtfToken token{RtfTokenKind::ControlWord, input_.sliced(start, pos_ - start), 0, false};

    const bool negative = pos_ + 1 < size && input_[pos_] == '-' && isDigit(input_[pos_ + 1]);
    if (negative)
        ++pos_;
    if (pos_ < size && isDigit(input_[pos_])) {
        // Long digit strings are read to their end but the value stops growing at the int range.
        constexpr qint64 kLimit = std::numeric_limits<int>::max();
        qint64 value = 0;
        while (pos_ < size && isDigit(input_[pos_])) {
            value = std::min(value * 10 + (input_[pos_] - '0'), kLimit);
            ++pos_;
        }
        token.parameter = int(negative ? -value : value);
        token.hasParameter = true;
    }
    if (pos_ < size && input_[pos_] == ' ')
        ++pos_;

    if (token.data == "bin") {
        const qsizetype wanted = token.hasParameter ? std::max(token.parameter, 0) : 0;
        const qsizetype count = std::min(wanted, size - pos_);
        malformed_ = malformed_ || count < wanted;
        token.kind = RtfTokenKind::Binary;
        token.data = input_.sliced(pos_, count);
        pos_ += count;
    }
    return token;
}

} // namespace mx
