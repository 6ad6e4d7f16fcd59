#pragma once

#include "conversion/table_file.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The Metric tab's arithmetic, apart from its widgets: factor pairs from the loaded table and the three built-in
// temperature pairs. Each conversion yields both directions at once: answer 0 (row 1) converts from the pair's
// second unit to its first, answer 1 (row 2) from the first to the second.
namespace mx {

// The loaded table and its file; shared with the table editor.
extern ConversionTableArray ConversionTable;
extern QString TablePath;
extern QString CurrentCategory;

inline constexpr const char16_t* kTemperatureCategory = u"Temperature";
inline constexpr const char16_t* kFahrenheitCelsius = u"Fahrenheit vs Celsius";
inline constexpr const char16_t* kFahrenheitRankine = u"Fahrenheit vs Rankin";
inline constexpr const char16_t* kCelsiusKelvin = u"Celsius vs Kelvin";
inline constexpr const char16_t* kOutOfRange = u"Out of Range";

// The conversion types of the type list, in order; every one but the first has a table file.
QStringList conversionTypes();

QString outOfSyncMessage();
QString valueTooLargeMessage();
QString missingTableQuestion(const QString& typeName);

struct MetricAnswers {
    QString answer0;
    QString answer1;
};

// Shows a factor-pair answer: the grouped picture strictly between 0.0001 and 1,000,000, scientific otherwise.
QString formatFactorAnswer(double answer);

enum class MultiplyStatus {
    Ok,
    OutOfSync,      // index outside the table, a zero factor, or arithmetic that overflows
    ValueOutOfRange // the typed value itself is beyond the floating-point range
};

struct MultiplyResult {
    MultiplyStatus status = MultiplyStatus::Ok;
    MetricAnswers answers; // only when Ok
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
    QString first;  // lblScale(0) and lblScale(3)
    QString second; // lblScale(1) and lblScale(2)
};

PairUnits temperaturePairUnits(TemperaturePair pair);

// Both rows of a temperature pair; a result below its scale's absolute zero shows kOutOfRange.
MetricAnswers convertTemperature(TemperaturePair pair, QStringView valueText);

} // namespace mx
