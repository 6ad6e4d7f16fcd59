#pragma once

#include "platform/tab_panel.h"
#include "psychro/humidity_procedures.h"

#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mx {

// What the tab shows, for the windows that draw it.
struct HumidityReading {
    TemperatureScale scale = TemperatureScale::Fahrenheit;
    bool extendedRange = false;
    BarometricPressure pressure;
    // The boxes as the last calculation that gave a result left them (in the scale now chosen); none before the
    // first, after Clear and after a calculation that showed a message.
    std::optional<HumidityBoxes> result;
};

// The Humidity tab's panel (picHumidity): scale, method and range options, the six quantity boxes, Calculate and
// Clear. The arithmetic, the messages and the texts shown come from humidity_procedures.h.
class HumidityPanel : public TabPanel {
    Q_OBJECT
public:
    explicit HumidityPanel(QWidget* parent = nullptr);

    // Sets the tab up the first time it is chosen; later choices change nothing.
    void tabChosen() override;

    // The logo element of this panel (Image1(1)); the main window wires its hints.
    QLabel* logoImage() const { return logoImage_; }

    // The barometric pressure the tab calculates at: the settings' value, which must outlive the panel. Without
    // one, the standard atmosphere.
    void setPressureSource(const BarometricPressure* pressure);
    BarometricPressure pressure() const;
    // The source's pressure has been changed: the caption follows, the results of the old pressure are emptied, and
    // pressureChanged tells the windows that draw at the same pressure.
    void pressureSet();

    HumidityReading reading() const;
    // Types the dry bulb and relative humidity in with "Dry Bulb / %RH" chosen and calculates, as a user would.
    void calculateFrom(const QString& dryBulb, const QString& relativeHumidity);

Q_SIGNALS:
    void pressureChanged(const mx::BarometricPressure& pressure);
    // A calculation, Clear, the scale, the range or the pressure changed the reading.
    void readingChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void initHumidity();
    // The pressure in use in the caption lblPressure, hidden at the standard atmosphere.
    void showPressure();
    void chooseScale(TemperatureScale scale);
    void chooseMethod(HumidityMethod method);
    void orderTabStops(HumidityMethod method);
    void extendedRangeChanged();
    void calculate();
    void clearBoxes();
    int dryBulbKeyPress(int code);
    int wetBulbKeyPress(int code);
    int humidityKeyPress(int code);

    HumidityMethod method() const;
    HumidityBoxes boxTexts() const;
    void setBoxTexts(const HumidityBoxes& boxes);

    QCheckBox* extendedRange_ = nullptr;
    QGroupBox* scaleFrame_ = nullptr;
    QRadioButton* fahrenheit_ = nullptr;
    QRadioButton* celsius_ = nullptr;
    QGroupBox* methodFrame_ = nullptr;
    QRadioButton* wetBulbMethod_ = nullptr;
    QRadioButton* humidityMethod_ = nullptr;
    QRadioButton* dewPointMethod_ = nullptr;
    QLabel* logoImage_ = nullptr;
    QLabel* dryBulbLabel_ = nullptr;
    QLineEdit* dryBulbBox_ = nullptr;
    QLabel* wetBulbLabel_ = nullptr;
    QLineEdit* wetBulbBox_ = nullptr;
    QLabel* humidityLabel_ = nullptr;
    QLineEdit* humidityBox_ = nullptr;
    QLabel* vaporLabel_ = nullptr;
    QLineEdit* vaporBox_ = nullptr;
    QLabel* dewPointLabel_ = nullptr;
    QLineEdit* dewPointBox_ = nullptr;
    QLabel* grainsLabel_ = nullptr;
    QLineEdit* grainsBox_ = nullptr;
    QPushButton* calculate_ = nullptr;
    QPushButton* clear_ = nullptr;
    QLabel* pressureCaption_ = nullptr;
    const BarometricPressure* pressureSource_ = nullptr;
    TemperatureScale scale_ = TemperatureScale::Fahrenheit; // always the chosen scale option's
    bool rhInputMode_ = false; // the relative humidity is the second input (set by a method or a calculation)
    std::optional<HumidityBoxes> result_;
    bool initDone_ = false;
};

} // namespace mx
