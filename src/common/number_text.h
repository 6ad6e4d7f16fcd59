#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Reading and writing of numbers exactly as the user sees them. Every number typed into a box is read by
// leadingNumber(); every number shown is written by formatPicture() or generalNumberText().
namespace mx {

struct LeadingNumber {
    double value = 0.0;    // +-HUGE_VAL when overflowed
    bool overflow = false; // the digits named a number beyond the 64-bit float range
};

// Reads the number at the start of the text: blanks, tabs and line feeds are ignored anywhere; a carriage return
// ends the number; optional sign, digits with at most one ".", optional exponent ("E" or "D", either case, optional
// sign, at least one digit; an exponent letter without digits is not part of the number). Reading stops at the
// first character that cannot continue the number; no number at all reads as 0.
LeadingNumber parseLeadingNumber(QStringView text);

// The value of parseLeadingNumber(); an overflow gives +-HUGE_VAL.
double leadingNumber(QStringView text);

// The whole text must be a number (leading and trailing blanks and tabs allowed; "12." and ".5" are numbers, "1e5"
// too, "." and "1e" are not); anything else, or a value beyond the 64-bit float range, gives nullopt. A value too
// small to represent reads as 0, as it does in parseLeadingNumber().
std::optional<double> strictNumber(QStringView text);

// Default number-to-text conversion: 15 significant digits, no trailing zeros or point ("0.5", "12", "-3.25"),
// exponent form when the decimal exponent is below -4 or at least 15 ("1E-05", "2.5E+15"). Negative zero is "0".
QString generalNumberText(double value);

// Formats by a number picture ("####.###0", "#,###0.#0", "0.0000E-", ...). Rounds half away from zero on the
// value's 15-significant-digit decimal form. See number_text.cpp for the rules of "#", "0", "," and ".".
// Non-finite values give kNotANumberText, never "nan" or "inf".
QString formatPicture(double value, QStringView picture);

// What a picture or the general number text shows for an infinite or NaN value.
inline constexpr const char16_t* kNotANumberText = u"Overflow";

} // namespace mx
