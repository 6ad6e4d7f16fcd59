#include "conversion/metric_conversions.h"

namespace mx {

MetricConversions::MetricConversions(const FilePlaces& places)
    : places_(places), currentCategory_(QString::fromUtf16(kTemperatureCategory)),
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
    choice.tableEditorAllowed = tableEditorAllowed();
    tablePath_ = places_.changeable(type + QStringLiteral(".tbl"));

    const TableReadResult result = readConversionTable(tablePath_, *table_);
    if (result.status == TableReadStatus::Missing) {
        choice.missingTableQuestion =
            QStringLiteral("The file '%1.tbl' is missing.  Would you like to create a new table now?").arg(type);
        return choice;
    }
    // Any other failure loads nothing and says nothing: the empty pair list tells the user.
    if (result.status != TableReadStatus::Ok)
        return choice;
    choice.pairs = pairNames(result.count);
    return choice;
}

bool MetricConversions::tableEditorAllowed() const
{
    return currentCategory_ != QStringView(kTemperatureCategory);
}

QString MetricConversions::tableToEdit(QString* errorText)
{
    if (errorText)
        errorText->clear();
    if (tablePath_.isEmpty())
        return {};
    // Where no copy can be made, the editor opens the table itself and, unable to save it there, shows it read-only.
    QString copyError;
    const QString path = places_.writableCopy(tablePath_, kMaxTableFileBytes, &copyError);
    if (path.isEmpty())
        return tablePath_;
    tablePath_ = path;
    return path;
}

bool MetricConversions::isCurrentTable(const QString& path) const
{
    return tableEditorAllowed() && !path.isEmpty() && path == tablePath_;
}

std::optional<CategoryChoice> MetricConversions::tableSaved(const QString& path)
{
    if (!isCurrentTable(path))
        return std::nullopt;
    CategoryChoice choice;
    choice.tableEditorAllowed = true;
    const TableReadResult result = readConversionTable(tablePath_, *table_);
    switch (result.status) {
    case TableReadStatus::Ok:
        choice.pairs = pairNames(result.count);
        break;
    case TableReadStatus::Malformed:
        // The entries before the one the file ends in stay usable until the type is chosen again.
        choice.pairs = pairNames(result.wholeEntries);
        break;
    case TableReadStatus::TooManyEntries: // the editor tells why, with the line
    case TableReadStatus::Missing:
    case TableReadStatus::Unreadable:
        break;
    }
    return choice;
}

QStringList MetricConversions::pairNames(int count) const
{
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.append((*table_)[std::size_t(i)].Name);
    return names;
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
