#pragma once

#include "platform/tab_panel.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mx {

// The Wind tab's panel (picWind): wind chill and heat index, with the temperature unit (F or C) and the wind-speed
// unit (mph or km/h) chosen by two pairs of options. The arithmetic and the texts shown come from weather.h.
class WindPanel : public TabPanel {
    Q_OBJECT
public:
    explicit WindPanel(QWidget* parent = nullptr);

private:
    void chooseTemperatureUnit();
    void chooseSpeedUnit();
    void calculateWindChill();
    void calculateHeatIndex();
    bool celsius() const;

    QGroupBox* speedFrame_ = nullptr;
    std::array<QRadioButton*, 2> speedUnits_{}; // miles, kilometres per hour
    QGroupBox* temperatureFrame_ = nullptr;
    std::array<QRadioButton*, 2> temperatureUnits_{}; // degrees F, C
    QGroupBox* windChillFrame_ = nullptr;
    std::array<QLabel*, 2> temperatureLabels_{}; // wind chill, heat index
    QLineEdit* chillTemperatureBox_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    QLineEdit* speedBox_ = nullptr;
    QLabel* windChillCaption_ = nullptr;
    QLabel* windChillAnswer_ = nullptr;
    QPushButton* calculateWindChill_ = nullptr;
    QGroupBox* heatIndexFrame_ = nullptr;
    QLineEdit* heatTemperatureBox_ = nullptr;
    QLabel* humidityLabel_ = nullptr;
    QLineEdit* humidityBox_ = nullptr;
    QLabel* heatIndexCaption_ = nullptr;
    QLabel* heatIndexAnswer_ = nullptr;
    QPushButton* calculateHeatIndex_ = nullptr;
};

} // namespace mx
