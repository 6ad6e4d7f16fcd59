// Formats arbitrary doubles (any bit pattern) by arbitrary pictures. The output must only ever hold number
// characters or the overflow text, carry the value's sign, and read back as the value within the picture's rounding.
#include "common/number_text.h"

#include <QString>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant failed: %s\n", what);
        std::abort();
    }
}

bool onlyNumberCharacters(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool ok =
            (u >= u'0' && u <= u'9') || u == u'-' || u == u'+' || u == u'.' || u == u',' || u == u'E' || u == u'e';
        if (!ok) {
            return false;
        }
    }
    return true;
}

// Decimals of a fixed picture ("#", "0", "," then optionally "." and "#", "0"), or nothing for any other picture.
std::optional<int> fixedDecimals(QStringView picture)
{
    qsizetype i = 0;
    bool anything = false;
    while (i < picture.size() && (picture[i] == u'#' || picture[i] == u'0' || picture[i] == u',')) {
        ++i;
        anything = true;
    }
    if (i == picture.size()) {
        return anything ? std::optional<int>(0) : std::nullopt;
    }
    if (picture[i] != u'.') {
        return std::nullopt;
    }
    int decimals = 0;
    for (++i; i < picture.size() && (picture[i] == u'#' || picture[i] == u'0'); ++i) {
        ++decimals;
    }
    return i == picture.size() ? std::optional<int>(decimals) : std::nullopt;
}

// Whether `back` is `value` within 15-digit rounding plus `extra`; values that round past the largest double may
// read back as overflow.
bool readsBack(double value, double back, double extra)
{
    if (std::isinf(back)) {
        return std::fabs(value) > DBL_MAX * (1 - 1e-4);
    }
    return std::fabs(back - value) <= 1e-14 * std::fabs(value) + extra + std::numeric_limits<double>::denorm_min();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double)) {
        return 0;
    }
    double value = 0.0;
    std::memcpy(&value, data, sizeof value);
    const QString picture =
        QString::fromUtf8(reinterpret_cast<const char*>(data + sizeof value), qsizetype(size - sizeof value));

    const QString out = mx::formatPicture(value, picture);
    if (!std::isfinite(value)) {
        check(out == QStringView(mx::kNotANumberText), "non-finite values show the overflow text");
        return 0;
    }
    check(onlyNumberCharacters(out), "output holds only number characters");
    check(out.startsWith(u'-') == (value < 0), "output carries the sign of the value");

    if (const std::optional<int> decimals = fixedDecimals(picture)) {
        QString plain = out;
        plain.remove(u',');
        const double back = mx::leadingNumber(plain);
        check(readsBack(value, back, 0.5000001 * std::pow(10.0, -*decimals)), "fixed picture reads back");
    }

    const QString scientific = mx::formatPicture(value, u"0.0000E-");
    const double back = mx::leadingNumber(scientific);
    check(readsBack(value, back, 5.000001e-5 * std::fabs(value)), "scientific picture reads back");
    return 0;
}
