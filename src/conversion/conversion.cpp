#include "conversion/conversion.h"

#include "common/number_text.h"

#include <cmath>

namespace mx {

ConversionTableArray ConversionTable;
QString TablePath;
QString CurrentCategory;

QStringList conversionTypes()
{
    return {QStringLiteral("Temperature"), QStringLiteral("Custom"),   QStringLiteral("Length"),
            QStringLiteral("Area"),        QStringLiteral("Volume"),   QStringLiteral("Mass"),
            QStringLiteral("Angles"),      QStringLiteral("Force"),    QStringLiteral("Torque"),
            QStringLiteral("Pressure"),    QStringLiteral("Velocity"), QStringLiteral("Acceleration"),
            QStringLiteral("Power"),       QStringLiteral("Energy"),   QStringLiteral("Electrical")};
}

QString outOfSyncMessage()
{
    return QStringLiteral("The data table is out of sync.  This can happen after editing the data table.  Make "
                          "certain that there are no extra lines in the data table or at the end of the data table.");
}

QString valueTooLargeMessage()
{
    return QStringLiteral("The value to convert is too large.  Enter a number between -1E+308 and 1E+308.");
}

QString missingTableQuestion(const QString& typeName)
{
    return QStringLiteral("The file '") + typeName +
           QStringLiteral(".tbl' is missing.  Would you like to create a new table now?");
}

QString formatFactorAnswer(double answer)
{
    if (answer > 0.0001 && answer < 1000000.0)
        return formatPicture(answer, u"###,###0.####");
    return formatPicture(answer, u"0.0000E-");
}

MultiplyResult multiplyByFactor(const ConversionTableArray& table, int index, QStringView valueText)
{
    const LeadingNumber value = parseLeadingNumber(valueText);
    if (value.overflow)
        return {MultiplyStatus::ValueOutOfRange, {}};
    if (index < 0 || index >= int(table.size()))
        return {MultiplyStatus::OutOfSync, {}};
    const double factor = table[std::size_t(index)].Factor;
    if (factor == 0.0 || !std::isfinite(factor))
        return {MultiplyStatus::OutOfSync, {}};
    // The reciprocal first, then the product: the order the answers have always been computed in.
    const double reciprocal = 1.0 / factor;
    const double answer0 = reciprocal * value.value;
    const double answer1 = value.value * factor;
    if (!std::isfinite(reciprocal) || !std::isfinite(answer0) || !std::isfinite(answer1))
        return {MultiplyStatus::OutOfSync, {}};
    return {MultiplyStatus::Ok, {formatFactorAnswer(answer0), formatFactorAnswer(answer1)}};
}

QStringList temperaturePairNames()
{
    return {QString::fromUtf16(kFahrenheitCelsius), QString::fromUtf16(kFahrenheitRankine),
            QString::fromUtf16(kCelsiusKelvin)};
}

PairUnits temperaturePairUnits(TemperaturePair pair)
{
    switch (pair) {
    case TemperaturePair::FvsC:
        return {QStringLiteral("Degrees F"), QStringLiteral("Degrees C")};
    case TemperaturePair::FvsR:
        return {QStringLiteral("Degrees F"), QStringLiteral("Rankin")};
    case TemperaturePair::CvsK:
        return {QStringLiteral("Degrees C"), QStringLiteral("Degrees K")};
    }
    return {};
}

std::optional<TemperaturePair> temperaturePairNamed(QStringView pairName)
{
    if (pairName == QStringView(kFahrenheitCelsius))
        return TemperaturePair::FvsC;
    if (pairName == QStringView(kFahrenheitRankine))
        return TemperaturePair::FvsR;
    if (pairName == QStringView(kCelsiusKelvin))
        return TemperaturePair::CvsK;
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
