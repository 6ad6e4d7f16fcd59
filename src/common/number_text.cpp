#include "common/number_text.h"

#include "common/blanks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

// Picture rules, as the formatter applies them:
//  - A fixed picture is an integer part of "#", "0" and ",", an optional "." and a fraction part of "#" and "0".
//  - The value is first written with 15 significant digits, then rounded half away from zero to as many decimals
//    as the fraction part has digit places. Digits past the fifteenth are zeros.
//  - Integer digits: all significant ones are shown; at least as many as there are digit places from the leftmost
//    "0" of the integer part up to the point (padded with zeros). A "," anywhere groups thousands by three.
//  - Fraction digits: places up to the last "0" always show; trailing zeros after it are dropped. The point is
//    written whenever the picture has one.
//  - A scientific picture is a mantissa picture followed by "E-" or "E+" (or "e-"/"e+") and optional "0"s for the
//    least count of exponent digits. The mantissa has one integer digit; "E-" signs only negative exponents.
//  - The sign comes from the value itself, so a negative value that rounds to zero still shows "-"; -0.0 does not.
//  - Any other picture falls back to the general number text.

namespace mx {
namespace {

constexpr int kSignificant = 15;

// Correct rounding never needs more than about 770 significant decimal digits; the rest only matter as a sticky
// "something non-zero follows" digit.
constexpr qsizetype kMaxKeptDigits = 800;

// Keeps exponent arithmetic far from integer overflow; anything this far out is overflow or zero anyway.
constexpr std::int64_t kExponentClamp = 100000;

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Collects the digits of a decimal number as a clean ASCII string for from_chars, so neither length nor the
// process locale can affect the result.
class DecimalBuilder {
public:
    void addDigit(char16_t c, bool fraction)
    {
        if (fraction) {
            ++m_fractionDigits;
        }
        if (c == u'0' && m_count == 0) {
            return; // leading zeros carry no value
        }
        if (m_count < kMaxKeptDigits) {
            m_text[std::size_t(m_count++)] = char(c);
        } else {
            ++m_droppedDigits;
            m_droppedNonZero = m_droppedNonZero || c != u'0';
        }
    }

    void addExponentDigit(char16_t c)
    {
        // Saturate: beyond this the number is out of range either way.
        if (m_exponent < 1000000000) {
            m_exponent = m_exponent * 10 + (c - u'0');
        }
    }

    void setExponentNegative(bool negative) { m_exponentNegative = negative; }

    // Magnitude of the collected number; overflow is reported, underflow reads as zero.
    LeadingNumber magnitude() const
    {
        LeadingNumber result;
        if (m_count == 0) {
            return result;
        }
        // Room for the digits, the sticky digit and "e-100000".
        std::array<char, kMaxKeptDigits + 16> text;
        std::copy_n(m_text.begin(), m_count, text.begin());
        char* end = text.data() + m_count;
        std::int64_t exp10 = (m_exponentNegative ? -m_exponent : m_exponent) - m_fractionDigits + m_droppedDigits;
        if (m_droppedNonZero) {
            *end++ = '1';
            --exp10;
        }
        exp10 = std::clamp<std::int64_t>(exp10, -kExponentClamp, kExponentClamp);
        *end++ = 'e';
        end = std::to_chars(end, text.data() + text.size(), exp10).ptr;

        double value = 0.0;
        const auto parsed = std::from_chars(text.data(), end, value);
        if (parsed.ec == std::errc::result_out_of_range) {
            // from_chars only fails this way for a result of infinity or zero; the decimal exponent tells which.
            if (std::int64_t(m_count) + exp10 > 0) {
                result.value = HUGE_VAL;
                result.overflow = true;
            }
            return result;
        }
        result.value = value;
        return result;
    }

private:
    std::array<char, kMaxKeptDigits> m_text;
    qsizetype m_count = 0;
    std::int64_t m_fractionDigits = 0;
    std::int64_t m_droppedDigits = 0;
    std::int64_t m_exponent = 0;
    bool m_exponentNegative = false;
    bool m_droppedNonZero = false;
};

LeadingNumber applySign(LeadingNumber number, bool negative)
{
    if (number.value == 0.0) {
        number.value = 0.0; // a typed "-0" is plain zero
    } else if (negative) {
        number.value = -number.value;
    }
    return number;
}

// The value's 15-significant-digit decimal form: digits d0.d1...d14 times 10^exp10 (all zeros and exp10 0 for
// zero).
struct Decimal {
    std::array<char, kSignificant> digits{};
    int exp10 = 0;

    bool isZero() const { return digits[0] == '0'; }
    char digitAt(std::int64_t index) const
    {
        return (index >= 0 && index < kSignificant && !isZero()) ? digits[std::size_t(index)] : '0';
    }
};

Decimal decimalOf(double magnitude)
{
    // "d.dddddddddddddde+ddd" fits easily; to_chars never looks at the locale.
    std::array<char, 32> buffer{};
    const auto written =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific, 14);
    Decimal d;
    d.digits[0] = buffer[0];
    std::copy_n(buffer.data() + 2, kSignificant - 1, d.digits.data() + 1);
    const char* expStart = buffer.data() + 2 + (kSignificant - 1) + 1; // past 'e'
    const bool negative = *expStart == '-';
    int exp10 = 0;
    for (const char* p = expStart + 1; p < written.ptr; ++p) {
        exp10 = exp10 * 10 + (*p - '0');
    }
    d.exp10 = negative ? -exp10 : exp10;
    return d;
}

// Keeps `kept` leading digits, rounding half away from zero.
void roundDigits(Decimal& d, std::int64_t kept)
{
    if (kept >= kSignificant || d.isZero()) {
        return;
    }
    if (kept < 0) {
        d.digits.fill('0');
        d.exp10 = 0;
        return;
    }
    const auto k = std::size_t(kept);
    const bool up = d.digits[k] >= '5';
    std::fill(d.digits.begin() + std::ptrdiff_t(k), d.digits.end(), '0');
    if (!up) {
        if (d.isZero()) {
            d.exp10 = 0;
        }
        return;
    }
    for (std::size_t i = k; i-- > 0;) {
        if (d.digits[i] != '9') {
            ++d.digits[i];
            return;
        }
        d.digits[i] = '0';
    }
    // Carried out of the leading digit (9.99 -> 10.0), or nothing was kept and the first dropped digit rounds up.
    d.digits[0] = '1';
    ++d.exp10;
}

struct Picture {
    enum class Kind { General, Fixed, Scientific };
    Kind kind = Kind::General;
    bool hasPoint = false;
    bool grouping = false;
    qsizetype minIntegerDigits = 0;
    qsizetype decimals = 0;
    qsizetype minDecimals = 0;
    char16_t exponentLetter = u'E';
    bool exponentPlus = false;
    qsizetype minExponentDigits = 1;
};

Picture parsePicture(QStringView text)
{
    Picture pic;
    qsizetype i = 0;
    const qsizetype n = text.size();
    qsizetype integerPlaces = 0;
    qsizetype leftmostZero = -1;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'#' || c == u'0') {
            if (c == u'0' && leftmostZero < 0) {
                leftmostZero = integerPlaces;
            }
            ++integerPlaces;
        } else if (c == u',') {
            pic.grouping = true;
        } else {
            break;
        }
    }
    pic.minIntegerDigits = leftmostZero < 0 ? 0 : integerPlaces - leftmostZero;
    if (i < n && text[i] == u'.') {
        pic.hasPoint = true;
        for (++i; i < n && (text[i] == u'#' || text[i] == u'0'); ++i) {
            ++pic.decimals;
            if (text[i] == u'0') {
                pic.minDecimals = pic.decimals;
            }
        }
    }
    if (i == n) {
        const bool empty = integerPlaces == 0 && !pic.hasPoint && !pic.grouping;
        pic.kind = empty ? Picture::Kind::General : Picture::Kind::Fixed;
        return pic;
    }
    // Scientific: "E-"/"E+" with optional exponent places; no grouping.
    if (pic.grouping || i + 1 >= n || (text[i] != u'E' && text[i] != u'e') ||
        (text[i + 1] != u'-' && text[i + 1] != u'+')) {
        return pic;
    }
    pic.exponentLetter = text[i].unicode();
    pic.exponentPlus = text[i + 1] == u'+';
    qsizetype zeros = 0;
    for (i += 2; i < n && (text[i] == u'#' || text[i] == u'0'); ++i) {
        zeros += text[i] == u'0' ? 1 : 0;
    }
    if (i != n) {
        return pic;
    }
    pic.minExponentDigits = std::max<qsizetype>(zeros, 1);
    pic.kind = Picture::Kind::Scientific;
    return pic;
}

// Writes the fraction digits (decimal places first..first+count of the rounded number), dropping trailing zeros
// down to `keep`. Returns the new end.
char16_t* writeFraction(char16_t* out, const Decimal& d, std::int64_t firstIndex, qsizetype count, qsizetype keep)
{
    char16_t* const start = out;
    for (qsizetype i = 0; i < count; ++i) {
        *out++ = char16_t(d.digitAt(firstIndex + i));
    }
    while (out - start > keep && out[-1] == u'0') {
        --out;
    }
    return out;
}

QString formatFixed(double value, const Picture& pic)
{
    Decimal d = decimalOf(std::fabs(value));
    roundDigits(d, std::int64_t(d.exp10) + 1 + pic.decimals);

    const std::int64_t pointPos = std::int64_t(d.exp10) + 1; // digits before the point
    const std::int64_t integerDigits = d.isZero() ? 0 : std::max<std::int64_t>(pointPos, 0);
    const std::int64_t shown = std::max<std::int64_t>(integerDigits, pic.minIntegerDigits);
    const std::int64_t commas = (pic.grouping && shown > 0) ? (shown - 1) / 3 : 0;

    QString result(qsizetype(1 + shown + commas + 1 + pic.decimals), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(result.data());
    char16_t* out = begin;
    if (value < 0) {
        *out++ = u'-';
    }
    const std::int64_t padding = shown - integerDigits;
    for (std::int64_t j = 0; j < shown; ++j) {
        if (commas > 0 && j > 0 && (shown - j) % 3 == 0) {
            *out++ = u',';
        }
        *out++ = j < padding ? u'0' : char16_t(d.digitAt(j - padding));
    }
    if (pic.hasPoint) {
        *out++ = u'.';
        out = writeFraction(out, d, pointPos, pic.decimals, pic.minDecimals);
    }
    result.truncate(out - begin);
    return result;
}

QString formatScientific(double value, const Picture& pic)
{
    Decimal d = decimalOf(std::fabs(value));
    roundDigits(d, 1 + std::int64_t(pic.decimals));

    std::array<char, 8> expDigits{};
    const auto expEnd = std::to_chars(expDigits.data(), expDigits.data() + expDigits.size(), std::abs(d.exp10)).ptr;
    const qsizetype expLength = expEnd - expDigits.data();
    const qsizetype expPadding = std::max<qsizetype>(pic.minExponentDigits - expLength, 0);

    QString result(4 + pic.decimals + 2 + expPadding + expLength, Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(result.data());
    char16_t* out = begin;
    if (value < 0) {
        *out++ = u'-';
    }
    *out++ = char16_t(d.digits[0]);
    if (pic.hasPoint) {
        *out++ = u'.';
        out = writeFraction(out, d, 1, pic.decimals, pic.minDecimals);
    }
    *out++ = pic.exponentLetter;
    if (d.exp10 < 0) {
        *out++ = u'-';
    } else if (pic.exponentPlus) {
        *out++ = u'+';
    }
    out = std::fill_n(out, expPadding, u'0');
    for (const char* p = expDigits.data(); p < expEnd; ++p) {
        *out++ = char16_t(*p);
    }
    result.truncate(out - begin);
    return result;
}

} // namespace

LeadingNumber parseLeadingNumber(QStringView text)
{
    enum class State { Start, Integer, Fraction, ExponentStart, ExponentSign, ExponentDigits };
    DecimalBuilder builder;
    State state = State::Start;
    bool negative = false;

    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n') {
            continue;
        }
        const bool mantissa = state == State::Start || state == State::Integer || state == State::Fraction;
        if (state == State::Start && (c == u'+' || c == u'-')) {
            negative = c == u'-';
            state = State::Integer;
        } else if (mantissa && isDigit(c)) {
            builder.addDigit(c, state == State::Fraction);
            state = state == State::Fraction ? State::Fraction : State::Integer;
        } else if (c == u'.' && (state == State::Start || state == State::Integer)) {
            state = State::Fraction;
        } else if (mantissa && (c == u'E' || c == u'e' || c == u'D' || c == u'd')) {
            state = State::ExponentStart;
        } else if (state == State::ExponentStart && (c == u'+' || c == u'-')) {
            // Without digits the exponent stays zero, so "1e-" still reads 1.
            builder.setExponentNegative(c == u'-');
            state = State::ExponentSign;
        } else if (state >= State::ExponentStart && isDigit(c)) {
            builder.addExponentDigit(c);
            state = State::ExponentDigits;
        } else {
            break; // a carriage return, or anything else that cannot continue the number
        }
    }
    return applySign(builder.magnitude(), negative);
}

double leadingNumber(QStringView text)
{
    return parseLeadingNumber(text).value;
}

std::optional<double> strictNumber(QStringView text)
{
    text = trimBlanks(text);
    const qsizetype end = text.size();

    DecimalBuilder builder;
    qsizetype i = 0;
    bool negative = false;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qsizetype mantissaDigits = 0;
    bool fraction = false;
    for (; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (isDigit(c)) {
            builder.addDigit(c, fraction);
            ++mantissaDigits;
        } else if (c == u'.' && !fraction) {
            fraction = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < end && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) {
            builder.setExponentNegative(text[i] == u'-');
            ++i;
        }
        const qsizetype exponentStart = i;
        for (; i < end && isDigit(text[i].unicode()); ++i) {
            builder.addExponentDigit(text[i].unicode());
        }
        if (i == exponentStart) {
            return std::nullopt;
        }
    }
    if (i != end) {
        return std::nullopt;
    }
    const LeadingNumber number = applySign(builder.magnitude(), negative);
    if (number.overflow) {
        return std::nullopt;
    }
    return number.value;
}

QString generalNumberText(double value)
{
    if (!std::isfinite(value)) {
        return QString::fromUtf16(kNotANumberText);
    }
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    const Decimal d = decimalOf(std::fabs(value));
    int last = kSignificant - 1;
    while (last > 0 && d.digits[std::size_t(last)] == '0') {
        --last;
    }
    const int count = last + 1;

    // Longest case: "-0.0001" plus 15 digits, or "-d.ddddddddddddddE-308".
    std::array<char16_t, 32> buffer{};
    char16_t* out = buffer.data();
    if (value < 0) {
        *out++ = u'-';
    }
    const int e = d.exp10;
    if (e < -4 || e >= kSignificant) {
        *out++ = char16_t(d.digits[0]);
        if (count > 1) {
            *out++ = u'.';
            for (int i = 1; i < count; ++i) {
                *out++ = char16_t(d.digits[std::size_t(i)]);
            }
        }
        *out++ = u'E';
        *out++ = e < 0 ? u'-' : u'+';
        const int magnitude = std::abs(e);
        if (magnitude >= 100) {
            *out++ = char16_t(u'0' + magnitude / 100);
        }
        *out++ = char16_t(u'0' + magnitude / 10 % 10);
        *out++ = char16_t(u'0' + magnitude % 10);
    } else if (e < 0) {
        *out++ = u'0';
        *out++ = u'.';
        out = std::fill_n(out, -e - 1, u'0');
        for (int i = 0; i < count; ++i) {
            *out++ = char16_t(d.digits[std::size_t(i)]);
        }
    } else {
        for (int i = 0; i <= e; ++i) {
            *out++ = char16_t(d.digits[std::size_t(i)]);
        }
        if (count > e + 1) {
            *out++ = u'.';
            for (int i = e + 1; i < count; ++i) {
                *out++ = char16_t(d.digits[std::size_t(i)]);
            }
        }
    }
    return QString::fromUtf16(buffer.data(), out - buffer.data());
}

QString formatPicture(double value, QStringView picture)
{
    if (!std::isfinite(value)) {
        return QString::fromUtf16(kNotANumberText);
    }
    const Picture pic = parsePicture(picture);
    switch (pic.kind) {
    case Picture::Kind::Fixed:
        return formatFixed(value, pic);
    case Picture::Kind::Scientific:
        return formatScientific(value, pic);
    case Picture::Kind::General:
        break;
    }
    return generalNumberText(value);
}

} // namespace mx
