#pragma once

#include "electrical/electrical.h"
#include "platform/tab_panel.h"

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace mx {

class FormulaPicture;
class FormulaWheel;

// The Electrical tab's panel (PicElectrical): the formula wheel, the picture of the chosen formula, two value boxes
// and the answer. Resting the mouse on a centre square of the wheel names its quadrant after a short delay.
class ElectricalPanel : public TabPanel {
    Q_OBJECT
public:
    explicit ElectricalPanel(QWidget* parent = nullptr);

    // Each time the tab is chosen: the wheel shows as a disc, the answer black on yellow, no quadrant name shown.
    void tabChosen() override;

    static constexpr int kQuadrantTipDelayMs = 500;

public Q_SLOTS:
    void pickFormula(int index);
    void calculate();
    // The quadrant-name delay has run out: show the name of the square the mouse rests on.
    void showQuadrantName();

private:
    void quadrantSpotHovered(int index);
    void hideQuadrantNames();
    int valueBoxKeyPress(int code);

    FormulaWheel* wheel_ = nullptr;
    std::array<QLabel*, kQuadrantCount> quadrantNames_{};
    QTimer* quadrantTipTimer_ = nullptr;
    QFrame* selectionFrame_ = nullptr;
    std::array<FormulaPicture*, kElectricalFormulaCount> formulaPictures_{};
    QLabel* instruction_ = nullptr;
    QLabel* firstCaption_ = nullptr;
    QLineEdit* firstValueBox_ = nullptr;
    QLabel* secondCaption_ = nullptr;
    QLineEdit* secondValueBox_ = nullptr;
    QLabel* answerCaption_ = nullptr;
    QLabel* answer_ = nullptr;
    QPushButton* calculateButton_ = nullptr;

    int pickedFormula_ = 0;   // the formula picked last
    int restingQuadrant_ = 0; // the centre square the mouse last moved on
};

} // namespace mx
