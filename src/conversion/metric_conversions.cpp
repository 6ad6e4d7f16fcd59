#include "conversion/metric_conversions.h"

namespace mx {

MetricConversions::MetricConversions(const QString& programFolder)
    : folder_(programFolder), currentCategory_(QString::fromUtf16(kTemperatureCategory)),
      table_(std::make_unique<ConversionTableArray>())
{}

MetricConversions::~MetricConversions() = default;

CategoryChoice MetricConversions::chooseCategory(const QString& type)
{
    currentCategory_ = type;
    CategoryChoice choice;
    if (type == QStringView(kTemperatureCategory)) {
        // The table path stays: the editor still knows the table chosen last.
        choice.pairs = temperaturePairNames();
        return choice;
    }
    choice.tableEditorAllowed = true;
    tablePath_ = folder_ + type + QStringLiteral(".tbl");

    const TableReadResult result = readConversionTable(tablePath_, *table_);
    if (result.status == TableReadStatus::Missing) {
        choice.missingTableQuestion =
            QStringLiteral("The file '%1.tbl' is missing.  Would you like to create a new table now?").arg(type);
        return choice;
    }
    // Any other failure loads nothing and says nothing: the empty pair list tells the user.
    if (result.status != TableReadStatus::Ok)
        return choice;
    choice.pairs.reserve(result.count);
    for (int i = 0; i < result.count; ++i)
        choice.pairs.append((*table_)[std::size_t(i)].Name);
    return choice;
}

std::optional<PairUnits> MetricConversions::pairUnits(const QString& pairName, int index) const
{
    if (const auto pair = temperaturePairNamed(pairName))
        return temperaturePairUnits(*pair);
    if (index < 0 || index >= kMaxTableEntries)
        return std::nullopt;
    const ConversionEntry& entry = (*table_)[std::size_t(index)];
    return PairUnits{entry.FirstUnit, entry.SecondUnit};
}

ConversionOutcome MetricConversions::convert(const QString& pairName, int index, QStringView valueText) const
{
    if (pairName.isEmpty())
        return {};
    if (const auto pair = temperaturePairNamed(pairName))
        return {convertTemperature(*pair, valueText), {}};
    const MultiplyResult result = multiplyByFactor(*table_, index, valueText);
    if (result.status != MultiplyStatus::Ok)
        return {std::nullopt, result.message};
    return {result.answers, {}};
}

} // namespace mx
