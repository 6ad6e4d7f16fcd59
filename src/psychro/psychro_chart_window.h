#pragma once

#include "platform/accessory_window.h"
#include "psychro/psychro_chart.h"

#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;

namespace mx {

class PsychroChartView;

// The psychrometric chart's window (frmPsychroChart): the chart, the Humidity tab's state in lblChartPoint, what the
// pointer or the cursor reads in lblChartCursor, and Copy (a picture on the clipboard), Save (PNG or SVG) and Close.
// The registry opens and places it; it is deleted when closed.
class PsychroChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit PsychroChartWindow(QWidget* parent = nullptr);

    static constexpr QLatin1StringView kFormName{"frmPsychroChart"};
    static AccessoryWindowTraits traits();

    // What the Humidity tab shows: the chart is drawn again when its scale, range or pressure changed.
    void showTab(const ChartSetup& setup, const std::optional<HumidityBoxes>& result);

    PsychroChartView* view() const { return view_; }

Q_SIGNALS:
    // The user picked a state: the tab is to calculate it from this dry bulb and relative humidity.
    void statePicked(const QString& dryBulb, const QString& relativeHumidity);

private:
    void copyChart();
    void saveChart();
    QByteArray svgBytes() const;
    QByteArray pngBytes() const;

    PsychroChartView* view_ = nullptr;
    QLabel* pointLabel_ = nullptr;
    QLabel* cursorLabel_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QString saveFolder_; // where the last Save went
};

} // namespace mx
