#pragma once

#include "platform/tab_panel.h"

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mx {

class MetricConversions;
struct CategoryChoice;

// The Metric tab's panel (picMetric): the conversion-type list, the pair list, the value box and both answers. The
// decisions are MetricConversions'; the panel copies its boxes in and the results out.
class MetricPanel : public TabPanel {
    Q_OBJECT
public:
    // Starts with both lists filled: the three temperature pairs with "Fahrenheit vs Celsius" chosen, the types
    // with "Temperature" chosen.
    MetricPanel(MetricConversions& conversions, QWidget* parent = nullptr);

    // The table editor saved the file at `path`: when it is the table shown, its pairs are listed again with entry
    // 0 chosen. The value box keeps its text.
    void tableSaved(const QString& path);

    // What the value box holds, and the caption of the unit the second row converts to (lblScale(1)).
    QString valueText() const;
    QString secondRowToUnit() const;

Q_SIGNALS:
    // The table editor may edit the chosen type's table (every type but "Temperature").
    void tableEditorAllowed(bool allowed);
    // The user answered Yes to making the missing table: the editor is to open on the file to be created.
    void newTableRequested();

private:
    void fillLists();
    void onTypeChosen();
    void onPairChosen();
    void onConvert();
    void onValueEdited();
    int filterTypedKey(int code);
    void showCategory(const CategoryChoice& choice);
    void clearAnswers();
    void describeAnswers();

    MetricConversions& conversions_;
    QGroupBox* frame_ = nullptr;
    QComboBox* typeList_ = nullptr;
    QComboBox* pairList_ = nullptr;
    QLineEdit* valueBox_ = nullptr;
    QPushButton* convertButton_ = nullptr;
    // Row 1 converts from the second unit to the first, row 2 from the first to the second.
    std::array<QLabel*, 2> answers_{};
    std::array<QLabel*, 2> fromUnits_{}; // lblScale(2), lblScale(3)
    std::array<QLabel*, 2> toUnits_{};   // lblScale(0), lblScale(1)
};

} // namespace mx
