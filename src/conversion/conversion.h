#pragma once

#include "conversion/table_file.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The Metric tab's arithmetic: factor pairs from a loaded table and the three built-in temperature pairs. Each
// conversion yields both directions at once: answer 0 (row 1) converts from the pair's second unit to its first,
// answer 1 (row 2) from the first to the second.
namespace mx {

inline constexpr const char16_t* kTemperatureCategory = u"Temperature";
inline constexpr const char16_t* kOutOfRange = u"Out of Range";

// The conversion types of the type list, in order; every one but the first has a table file.
QStringList conversionTypes();

// Whether a character may stand in the value to convert: the digits, "-" and "." (a value box filters what is typed
// to these; the command line refuses a value with any other).
bool isValueCharacter(char32_t code);

struct MetricAnswers {
    QString answer0;
    QString answer1;
};

// Shows a factor-pair answer: the grouped picture strictly between 0.0001 and 1,000,000, scientific otherwise.
QString formatFactorAnswer(double answer);

enum class MultiplyStatus {
    Ok,
    OutOfSync,     // index outside the table, a zero factor, or a reciprocal beyond the floating-point range
    ValueTooLarge, // the value's answers would overflow: `message` states the range accepted for this factor
};

struct MultiplyResult {
    MultiplyStatus status = MultiplyStatus::Ok;
    MetricAnswers answers; // when Ok
    QString message;       // when not Ok: the message to show
};

// Converts valueText by entry `index` of `table`: answer 0 = (1 / Factor) * value, answer 1 = value * Factor.
MultiplyResult multiplyByFactor(const ConversionTableArray& table, int index, QStringView valueText);

enum class TemperaturePair { FvsC, FvsR, CvsK };

// The three built-in pairs in list order.
QStringList temperaturePairNames();

// The built-in pair a pair name stands for (exact string comparison), if any: a table entry with one of these names
// is converted as that pair too.
std::optional<TemperaturePair> temperaturePairNamed(QStringView pairName);

struct PairUnits {
    QString first;  // caption of the first unit: "to" of row 1, "from" of row 2
    QString second; // caption of the second unit: "from" of row 1, "to" of row 2
};

PairUnits temperaturePairUnits(TemperaturePair pair);

// Both rows of a temperature pair; a result below its scale's absolute zero shows kOutOfRange.
MetricAnswers convertTemperature(TemperaturePair pair, QStringView valueText);

} // namespace mx
