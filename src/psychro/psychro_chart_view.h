#pragma once

#include "psychro/psychro_chart.h"

#include <QColor>
#include <QWidget>

#include <optional>

class QPainter;
class QPalette;

namespace mx {

// What is marked on the chart besides its curves.
struct ChartMarks {
    std::optional<QPointF> point;  // the Humidity tab's state
    std::optional<QPointF> cursor; // the keyboard's cursor
};

// Colours drawn over the palette's base: on a dark base the curves take lighter tones, so that both read.
struct ChartColours {
    QColor background;
    QColor text;
    QColor grid;
    QColor humidity;
    QColor wetBulb;
    QColor point;
    QColor cursor;
};

ChartColours chartColours(const QPalette& palette);

// Where the plot stands in `area` when lettered in `font`: room is left for the tick labels and axis titles.
ChartMapping chartMapping(const QRectF& area, const PsychroChart& chart, const QFont& font);

// Draws the chart as vectors into `area` (logical pixels) in the painter's font; the same drawing serves the window,
// the clipboard and the saved files.
void paintPsychroChart(QPainter& painter, const QRectF& area, const PsychroChart& chart, const ChartMarks& marks,
                       const ChartColours& colours);

// The chart drawn in a window (picChart): it marks the Humidity tab's state, reads the state under the pointer and
// under a cursor the arrow keys move (Shift: ten at a time), and picks one with a click or Enter. What it reads is
// its accessible description, told to screen readers as it changes.
class PsychroChartView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString reading READ reading NOTIFY readingChanged)
public:
    explicit PsychroChartView(QWidget* parent = nullptr);

    void setChart(const PsychroChart& chart);
    const PsychroChart& chart() const { return chart_; }
    // The tab's result to mark, or none.
    void setResult(const std::optional<HumidityBoxes>& result);
    std::optional<QPointF> markedPoint() const { return marks().point; }

    ChartMapping mapping() const;
    // What the chart reads under the pointer or the cursor, as lblChartCursor shows it.
    QString reading() const { return readingText_; }
    // The keyboard's cursor: (dry bulb, relative humidity), shown while the chart has the focus.
    std::optional<QPointF> cursor() const { return cursor_; }

    // The chart as the window shows it (with the tab's state, without the cursor), `ratio` device pixels to a pixel.
    QImage picture(qreal ratio) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void readingChanged(const QString& text);
    // A state was picked: the dry bulb and relative humidity to calculate it from, as typed into the tab.
    void statePicked(const QString& dryBulb, const QString& relativeHumidity);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ChartMarks marks() const;
    void moveCursor(double dryBulbSteps, double humiditySteps);
    void readAgain();
    void showReading(const QString& text);

    PsychroChart chart_;
    std::optional<HumidityBoxes> result_;
    std::optional<ChartReading> pointer_; // under the mouse
    std::optional<QPointF> cursor_;       // (dry bulb, relative humidity)
    std::optional<ChartReading> cursorReading_;
    QString readingText_;
};

} // namespace mx
