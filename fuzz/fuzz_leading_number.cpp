// Reads arbitrary text as a typed number and checks what every caller relies on: the result is finite unless
// flagged as overflow, the strict reader agrees wherever it accepts, and the general text reads back as the value.
#include "common/number_text.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant failed: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const mx::LeadingNumber number = mx::parseLeadingNumber(text);
    if (number.overflow) {
        check(std::isinf(number.value), "overflow gives an infinite value");
    } else {
        check(std::isfinite(number.value), "no overflow gives a finite value");
        check(!std::signbit(number.value) || number.value != 0.0, "zero is never negative");
    }

    if (const std::optional<double> strict = mx::strictNumber(text)) {
        check(!number.overflow && *strict == number.value, "strict and leading reading agree");
    }

    if (!number.overflow) {
        // Fifteen significant digits: the text is within half a unit of the 15th digit (5e-15 of the value at
        // most), plus half an ulp from reading it back, which is large only among subnormals.
        const QString written = mx::generalNumberText(number.value);
        const std::optional<double> back = mx::strictNumber(written);
        check(back.has_value(), "general text is a strict number");
        const double tolerance = 5.2e-15 * std::fabs(number.value) + std::numeric_limits<double>::denorm_min();
        check(std::fabs(*back - number.value) <= tolerance, "general text reads back as the value");
        check(mx::leadingNumber(written) == *back, "leading reading of general text");
    }
    return 0;
}
