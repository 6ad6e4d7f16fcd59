#include "conversion/conversion.h"

#include "common/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mx {

QStringList conversionTypes()
{
    return {QStringLiteral("Temperature"), QStringLiteral("Custom"),   QStringLiteral("Length"),
            QStringLiteral("Area"),        QStringLiteral("Volume"),   QStringLiteral("Mass"),
            QStringLiteral("Angles"),      QStringLiteral("Force"),    QStringLiteral("Torque"),
            QStringLiteral("Pressure"),    QStringLiteral("Velocity"), QStringLiteral("Acceleration"),
            QStringLiteral("Power"),       QStringLiteral("Energy"),   QStringLiteral("Electrical")};
}

namespace {

// The named pairs of the type list, and the captions of their units.
struct NamedPair {
    TemperaturePair pair;
    const char16_t* name;
    const char16_t* first;
    const char16_t* second;
};
constexpr NamedPair kTemperaturePairs[] = {
    {TemperaturePair::FvsC, u"Fahrenheit vs Celsius", u"Degrees F", u"Degrees C"},
    {TemperaturePair::FvsR, u"Fahrenheit vs Rankin", u"Degrees F", u"Rankin"},
    {TemperaturePair::CvsK, u"Celsius vs Kelvin", u"Degrees C", u"Degrees K"},
};

QString outOfSyncMessage()
{
    return QStringLiteral("The data table is out of sync.  This can happen after editing the data table.  Make "
                          "certain that there are no extra lines in the data table or at the end of the data table.");
}

// The largest magnitude whose two answers stay finite with this factor, cut to two significant digits so that the
// number the message states is itself accepted when typed.
double largestConvertible(double factor, double reciprocal)
{
    const double scale = std::max({1.0, std::fabs(factor), std::fabs(reciprocal)});
    const double largest = std::numeric_limits<double>::max() / scale;
    const int exponent = int(std::floor(std::log10(largest)));
    for (int tenths = int(std::floor(largest / std::pow(10.0, exponent) * 10.0)); tenths > 1; --tenths) {
        const double stated = leadingNumber(QStringLiteral("%1.%2E%3").arg(tenths / 10).arg(tenths % 10).arg(exponent));
        if (std::isfinite(stated * scale) && stated <= largest)
            return stated;
    }
    return std::pow(10.0, exponent - 1);
}

QString valueTooLargeMessage(double largest)
{
    const QString text = generalNumberText(largest);
    return QStringLiteral("The value to convert is too large.  Enter a number between -%1 and %1.").arg(text);
}

} // namespace

bool isValueCharacter(char32_t code)
{
    return code == U'-' || code == U'.' || (code >= U'0' && code <= U'9');
}

QString formatFactorAnswer(double answer)
{
    if (answer > 0.0001 && answer < 1000000.0)
        return formatPicture(answer, u"###,###0.####");
    return formatPicture(answer, u"0.0000E-");
}

MultiplyResult multiplyByFactor(const ConversionTableArray& table, int index, QStringView valueText)
{
    if (index < 0 || index >= int(table.size()))
        return {MultiplyStatus::OutOfSync, {}, outOfSyncMessage()};
    const double factor = table[std::size_t(index)].Factor;
    const double reciprocal = 1.0 / factor;
    if (factor == 0.0 || !std::isfinite(factor) || !std::isfinite(reciprocal))
        return {MultiplyStatus::OutOfSync, {}, outOfSyncMessage()};
    const LeadingNumber value = parseLeadingNumber(valueText);
    const double largest = largestConvertible(factor, reciprocal);
    if (value.overflow || std::fabs(value.value) > largest)
        return {MultiplyStatus::ValueTooLarge, {}, valueTooLargeMessage(largest)};
    // The reciprocal first, then the product: the order the answers have always been computed in.
    const double answer0 = reciprocal * value.value;
    const double answer1 = value.value * factor;
    return {MultiplyStatus::Ok, {formatFactorAnswer(answer0), formatFactorAnswer(answer1)}, {}};
}

QStringList temperaturePairNames()
{
    QStringList names;
    for (const NamedPair& p : kTemperaturePairs)
        names.append(QString::fromUtf16(p.name));
    return names;
}

PairUnits temperaturePairUnits(TemperaturePair pair)
{
    for (const NamedPair& p : kTemperaturePairs) {
        if (p.pair == pair)
            return {QString::fromUtf16(p.first), QString::fromUtf16(p.second)};
    }
    return {};
}

std::optional<TemperaturePair> temperaturePairNamed(QStringView pairName)
{
    for (const NamedPair& p : kTemperaturePairs) {
        if (pairName == QStringView(p.name))
            return p.pair;
    }
    return std::nullopt;
}

namespace {

QString showTemperature(double result, double limit)
{
    // A value too large for the arithmetic is as far out of range as one below absolute zero.
    if (!std::isfinite(result) || result < limit)
        return QString::fromUtf16(kOutOfRange);
    return formatPicture(result, u"#,###0.#0");
}

} // namespace

MetricAnswers convertTemperature(TemperaturePair pair, QStringView valueText)
{
    const double x = leadingNumber(valueText);
    switch (pair) {
    case TemperaturePair::FvsC: {
        // The quotients first, then the products, in this order; the results depend on it in the last digit.
        const double fahrenheit = (9.0 / 5.0) * x + 32.0;
        const double celsius = (x - 32.0) * (5.0 / 9.0);
        // -273.151 rather than -273.15: -459.67 F lands a hair below -273.15 C and must still show.
        return {showTemperature(fahrenheit, -459.67), showTemperature(celsius, -273.151)};
    }
    case TemperaturePair::FvsR:
        return {showTemperature(x - 459.67, -459.67), showTemperature(x + 459.67, 0.0)};
    case TemperaturePair::CvsK:
        return {showTemperature(x - 273.15, -273.15), showTemperature(x + 273.15, 0.0)};
    }
    return {};
}

} // namespace mx
