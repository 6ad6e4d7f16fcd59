#pragma once

#include "psychro/barometric_pressure.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mx {

// Tools > Barometric Pressure... (frmBarometer), run modally: the standard atmosphere, the pressure at an altitude
// (ft or m) or a barometer reading (inHg, psia, hPa, kPa). OK refuses an entry no place on earth has with a message
// and keeps the dialog open; Enter is OK and Escape Cancel. Typing in a box, or choosing its unit, chooses its line.
class BarometerDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr QLatin1StringView kFormName{"frmBarometer"};

    explicit BarometerDialog(const BarometricPressure& current, QWidget* parent = nullptr);

    // The pressure taken by OK (the one the dialog opened with until then).
    const BarometricPressure& chosenPressure() const { return chosen_; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PressureEntry entry() const;
    void showSummary();

    BarometricPressure chosen_;
    QRadioButton* standard_ = nullptr;
    QRadioButton* altitude_ = nullptr;
    QRadioButton* reading_ = nullptr;
    QLineEdit* altitudeBox_ = nullptr;
    QComboBox* altitudeUnit_ = nullptr;
    QLineEdit* readingBox_ = nullptr;
    QComboBox* readingUnit_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace mx
