#pragma once

#include "platform/tab_panel.h"
#include "vibration/vibration_procedures.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mx {

// The Vibration tab's panel (picVibration): the sine calculator with its English/Metric choice, and the random
// calculator. The arithmetic and the messages come from vibration_procedures.h.
class VibrationPanel : public TabPanel {
    Q_OBJECT
public:
    explicit VibrationPanel(QWidget* parent = nullptr);

    // Each time the tab comes to the front the unit system is taken from the chosen option button again, so the
    // option, the captions and the entries keep agreeing after the user chose Metric and left the tab.
    void tabChosen() override;

private Q_SLOTS:
    void onCalculateSine();
    void onCalculateRandom();
    void onClearSine();
    void onClearRandom();

private:
    void onUnitsChosen(bool english);
    SineEntries sineEntries() const;
    void showSineTexts(const SineTexts& texts);
    void showUnitCaptions(const UnitCaptions& captions);

    QGroupBox* sineFrame_ = nullptr;
    QLabel* sineHint_ = nullptr;
    std::array<QLabel*, kSineBoxCount> sineLabels_{};
    std::array<QLineEdit*, kSineBoxCount> sineBoxes_{};
    QPushButton* calculateSineButton_ = nullptr;
    QPushButton* clearSineButton_ = nullptr;
    QRadioButton* englishOption_ = nullptr;
    QRadioButton* metricOption_ = nullptr;

    QGroupBox* randomFrame_ = nullptr;
    QLabel* randomHint_ = nullptr;
    std::array<QLabel*, kRandomBoxCount> randomLabels_{};
    std::array<QLineEdit*, kRandomBoxCount> randomBoxes_{};
    QPushButton* calculateRandomButton_ = nullptr;
    QPushButton* clearRandomButton_ = nullptr;

    bool englishUnits_ = true; // the unit system the displacement and velocity entries are in
};

} // namespace mx
