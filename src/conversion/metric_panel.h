#pragma once

#include "conversion/conversion.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mx {

// The Metric tab's panel (picMetric): the conversion-type list, the pair list, the value box and both answers.
// Handlers carry their design names; the arithmetic lives in conversion.h.
class MetricPanel : public QWidget {
    Q_OBJECT
public:
    explicit MetricPanel(QWidget* parent = nullptr);

    // Fills both lists as at start: the three temperature pairs with "Fahrenheit vs Celsius" chosen, the types
    // with "Temperature" chosen.
    void fillLists();

    QComboBox* combo1() const { return Combo1; }
    QComboBox* combo2() const { return Combo2; }
    QLineEdit* valueBox() const { return metricText1; }
    QLabel* answer(int i) const { return lblAnswer[std::size_t(i)]; }
    QLabel* scale(int i) const { return lblScale[std::size_t(i)]; }
    QGroupBox* frame() const { return Frame3; }

    // Reloads the current table and its pair list (after the table editor saved the file).
    void reloadTable();

public Q_SLOTS:
    void Combo2_Click();
    void Combo1_Click();
    void Convert_Click();
    void metricText1_Change();

Q_SIGNALS:
    // The table editor may edit tables of every type but "Temperature".
    void tableEditorAllowed(bool allowed);
    // The user answered Yes to creating a missing table.
    void createTableRequested();

private:
    // Returns the code the box takes, or kDiscard.
    int metricText1_KeyPress(int code);
    void loadCategory(const QString& category);
    void Multiply(int index);
    void FvsC();
    void FvsR();
    void CvsK();
    void showTemperatures(TemperaturePair pair);
    void showAnswers(const QString& answer0, const QString& answer1);

    QGroupBox* Frame3 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* Label6 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Label17 = nullptr;
    QLineEdit* metricText1 = nullptr;
    QPushButton* Convert = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    std::array<QLabel*, 4> lblScale{};
    std::array<QLabel*, 2> lblAnswer{};
};

} // namespace mx
