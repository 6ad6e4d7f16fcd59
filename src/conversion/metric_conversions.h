#pragma once

#include "conversion/conversion.h"
#include "platform/file_places.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// The Metric tab's state and decisions apart from its widgets: which table file a type reads, what each load result
// means for the user, which captions a pair gets and which routine converts it. The panel copies its boxes in,
// calls, and copies the results out; the table editor reads the loaded file's path and type from here.
namespace mx {

// What choosing a conversion type leaves for the panel to show.
struct CategoryChoice {
    QStringList pairs;               // the pair list in file order, entry 0 to be selected; empty when nothing loaded
    bool tableEditorAllowed = false; // the table editor edits every type but "Temperature"
    QString missingTableQuestion;    // not empty: the table file is missing and the user is asked to create it
};

// What a conversion leaves for the panel: both answers, a message, or nothing at all.
struct ConversionOutcome {
    std::optional<MetricAnswers> answers;
    QString message; // OK only, no icon, the application's title
};

class MetricConversions {
public:
    // `places` says where the table files are read and where an edited one is written.
    explicit MetricConversions(const FilePlaces& places);
    ~MetricConversions();

    // Chooses a type: "Temperature" lists its three built-in pairs; any other type reads its table file.
    CategoryChoice chooseCategory(const QString& type);
    // The table editor edits every type but "Temperature"; Edit Table follows the type chosen last.
    bool tableEditorAllowed() const;
    // Whether the file at `path` is the table the type list shows now.
    bool isCurrentTable(const QString& path) const;
    // After the table editor saved the file at `path`: nullopt when the tab shows another table (or "Temperature")
    // and stays as it is. Otherwise the table read again: a table that now ends inside an entry lists the entries
    // read whole before it; one of more than kMaxTableEntries lists nothing.
    std::optional<CategoryChoice> tableSaved(const QString& path);

    // The unit captions of the pair at `index` of the list, whose text is `pairName`; nullopt when the index lies
    // outside the table (the captions then keep what they showed).
    std::optional<PairUnits> pairUnits(const QString& pairName, int index) const;

    // Converts the typed value by the pair at `index` whose text is `pairName`. An empty pair name does nothing.
    ConversionOutcome convert(const QString& pairName, int index, QStringView valueText) const;

    const QString& currentCategory() const { return currentCategory_; }
    const QString& tablePath() const { return tablePath_; } // empty until a table type is first chosen
    // The file the table editor is to open for the current table: where the program may write it (an installed
    // program's shipped table is first copied to the user's folder, and the tab reads that copy from then on).
    // When the copy cannot be made, the table itself, which the editor shows read-only where it cannot be saved;
    // `errorText` stays empty.
    QString tableToEdit(QString* errorText = nullptr);
    const ConversionTableArray& table() const { return *table_; }

private:
    QStringList pairNames(int count) const;

    FilePlaces places_;
    QString currentCategory_;
    QString tablePath_;
    std::unique_ptr<ConversionTableArray> table_;
};

} // namespace mx
