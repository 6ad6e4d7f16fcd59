#include "psychro/psychro_chart_view.h"

#include "common/number_text.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace mx {
namespace {

constexpr qreal kGap = 4;
constexpr double kShiftedSteps = 10;
const QString kPointer = QStringLiteral("Pointer");
const QString kCursor = QStringLiteral("Cursor");

QString tickText(double value)
{
    return generalNumberText(value);
}

// The curves' labels, a little smaller than the axes'.
QFont curveLabelFont(QFont font)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 0.85);
    else
        font.setPixelSize(std::max(6, int(std::lround(font.pixelSize() * 0.85))));
    return font;
}

QRectF textRect(const QFontMetricsF& metrics, const QString& text)
{
    return {0, 0, metrics.horizontalAdvance(text), metrics.height()};
}

// Labels are drawn only where they overlap none drawn before and stay inside the picture.
class LabelPlaces {
public:
    explicit LabelPlaces(const QRectF& area) : area_(area) {}

    bool take(const QRectF& rect)
    {
        if (!area_.contains(rect))
            return false;
        for (const QRectF& taken : taken_) {
            if (taken.intersects(rect))
                return false;
        }
        taken_.append(rect);
        return true;
    }

private:
    QRectF area_;
    QList<QRectF> taken_;
};

QPen curvePen(const ChartCurve& curve, const ChartColours& colours)
{
    switch (curve.kind) {
    case ChartCurveKind::Saturation:
        return QPen(colours.text, 2);
    case ChartCurveKind::RelativeHumidity:
        return QPen(colours.humidity, 1.1);
    case ChartCurveKind::WetBulb:
        break;
    }
    return QPen(colours.wetBulb, 1, Qt::DashLine);
}

void paintCurveLabels(QPainter& painter, const PsychroChart& chart, const ChartMapping& map,
                      const ChartColours& colours, LabelPlaces& places)
{
    painter.setFont(curveLabelFont(painter.font()));
    const QFontMetricsF metrics(painter.font());
    const QRectF plot = map.plot();
    const double top = chart.ratioAxis().to;
    for (const ChartCurve& curve : chart.curves()) {
        if (curve.points.isEmpty())
            continue;
        QRectF rect = textRect(metrics, curve.label);
        if (curve.kind == ChartCurveKind::WetBulb) {
            // Up and to the left of where the line leaves saturation: nothing is drawn beyond saturation.
            const QPointF start = map.toPixel(curve.points.first());
            rect.moveBottomRight({start.x() - 2, start.y()});
        } else if (curve.points.last().y() >= top) {
            // Left of where the curve leaves through the top: between it and the curve above it.
            const QPointF end = map.toPixel(curve.points.last());
            rect.moveTopRight({end.x() - 2, plot.top() + 2});
        } else {
            const QPointF end = map.toPixel(curve.points.last());
            rect.moveBottomRight({plot.right() - 3, end.y() - 1});
        }
        if (!places.take(rect))
            continue;
        painter.fillRect(rect, colours.background);
        painter.setPen(curvePen(curve, colours).color());
        painter.drawText(rect, Qt::AlignCenter, curve.label);
    }
}

void paintAxisLabels(QPainter& painter, const PsychroChart& chart, const ChartMapping& map, const ChartColours& colours,
                     LabelPlaces& places)
{
    const QFontMetricsF metrics(painter.font());
    const QRectF plot = map.plot();
    painter.setPen(colours.text);
    for (const double t : chart.dryBulbAxis().ticks()) {
        const QString text = tickText(t);
        QRectF rect = textRect(metrics, text);
        rect.moveCenter({map.toPixel({t, 0}).x(), plot.bottom() + kGap + metrics.height() / 2});
        if (places.take(rect))
            painter.drawText(rect, Qt::AlignCenter, text);
    }
    qreal ratioWidth = 0;
    for (const double w : chart.ratioAxis().ticks()) {
        const QString text = tickText(w);
        QRectF rect = textRect(metrics, text);
        ratioWidth = std::max(ratioWidth, rect.width());
        rect.moveCenter({0, map.toPixel({chart.dryBulbAxis().from, w}).y()});
        rect.moveLeft(plot.right() + 3 * kGap);
        if (places.take(rect))
            painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, text);
    }

    QRectF dryTitle = textRect(metrics, chart.dryBulbAxis().title);
    dryTitle.moveCenter({plot.center().x(), plot.bottom() + 2 * kGap + metrics.height() * 1.5});
    painter.drawText(dryTitle, Qt::AlignCenter, chart.dryBulbAxis().title);
    places.take(dryTitle);

    // The ratio's title reads downwards beside its labels.
    painter.save();
    painter.translate(plot.right() + 5 * kGap + ratioWidth, plot.center().y());
    painter.rotate(90);
    QRectF ratioTitle = textRect(metrics, chart.ratioAxis().title);
    ratioTitle.moveCenter({0, -metrics.height() / 2});
    painter.drawText(ratioTitle, Qt::AlignCenter, chart.ratioAxis().title);
    painter.restore();

    // Where it stands and how to read it, in the corner above saturation that no curve reaches.
    qreal y = plot.top() + kGap;
    for (const QString& text : {chart.pressureTitle(), QStringLiteral("Wet bulb: dashed lines")}) {
        QRectF rect = textRect(metrics, text);
        rect.moveTopLeft({plot.left() + 2 * kGap, y});
        if (places.take(rect))
            painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, text);
        y += metrics.height();
    }
}

void paintMarks(QPainter& painter, const ChartMapping& map, const ChartMarks& marks, const ChartColours& colours)
{
    const qreal radius = std::max(4.0, QFontMetricsF(painter.font()).height() * 0.32);
    if (marks.cursor) {
        const QPointF at = map.toPixel(*marks.cursor);
        painter.setPen(QPen(colours.cursor, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(at, radius + 4, radius + 4);
        for (const QPointF direction : {QPointF(1, 0), QPointF(-1, 0), QPointF(0, 1), QPointF(0, -1)})
            painter.drawLine(at + direction * (radius + 4), at + direction * (radius + 9));
    }
    if (marks.point) {
        painter.setPen(QPen(colours.background, 1.5));
        painter.setBrush(colours.point);
        painter.drawEllipse(map.toPixel(*marks.point), radius, radius);
    }
}

} // namespace

ChartColours chartColours(const QPalette& palette)
{
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const bool dark = base.lightnessF() < 0.5;
    QColor grid = text;
    grid.setAlphaF(dark ? 0.3f : 0.22f);
    return {base,
            text,
            grid,
            dark ? QColor(0x7a, 0xb4, 0xff) : QColor(0x1e, 0x63, 0xb5),
            dark ? QColor(0x7f, 0xd1, 0x8b) : QColor(0x2e, 0x7d, 0x32),
            dark ? QColor(0xff, 0x70, 0x70) : QColor(0xc6, 0x28, 0x28),
            palette.color(QPalette::Highlight)};
}

ChartMapping chartMapping(const QRectF& area, const PsychroChart& chart, const QFont& font)
{
    const QFontMetricsF metrics(font);
    qreal ratioWidth = 0;
    for (const double w : chart.ratioAxis().ticks())
        ratioWidth = std::max(ratioWidth, metrics.horizontalAdvance(tickText(w)));
    const qreal line = metrics.height();
    const qreal left = std::max(2 * kGap, metrics.horizontalAdvance(tickText(chart.dryBulbAxis().from)) / 2 + kGap);
    const qreal top = line / 2 + kGap;
    const qreal right = 5 * kGap + ratioWidth + line + kGap;
    const qreal bottom = 3 * kGap + 2 * line;
    return {area.adjusted(left, top, -right, -bottom), chart.dryBulbAxis(), chart.ratioAxis()};
}

void paintPsychroChart(QPainter& painter, const QRectF& area, const PsychroChart& chart, const ChartMarks& marks,
                       const ChartColours& colours)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, colours.background);
    const ChartMapping map = chartMapping(area, chart, painter.font());
    const QRectF plot = map.plot();
    const auto pixels = [&map](const QList<QPointF>& values) {
        QPolygonF polygon;
        polygon.reserve(values.size());
        for (const QPointF& value : values)
            polygon.append(map.toPixel(value));
        return polygon;
    };

    painter.setPen(QPen(colours.grid, 1));
    for (const QLineF& line : chart.gridLines())
        painter.drawLine(QLineF(map.toPixel(line.p1()), map.toPixel(line.p2())));
    painter.save();
    painter.setClipRect(plot.adjusted(-2, -2, 2, 2));
    // Saturation last, over the curves that start on it.
    for (auto kind : {ChartCurveKind::WetBulb, ChartCurveKind::RelativeHumidity, ChartCurveKind::Saturation}) {
        for (const ChartCurve& curve : chart.curves()) {
            if (curve.kind != kind)
                continue;
            painter.setPen(curvePen(curve, colours));
            painter.drawPolyline(pixels(curve.points));
        }
    }
    painter.restore();
    painter.setPen(QPen(colours.text, 1.2));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomRight(), plot.topRight());

    LabelPlaces places(area);
    const QFont font = painter.font();
    paintAxisLabels(painter, chart, map, colours, places);
    paintCurveLabels(painter, chart, map, colours, places);
    painter.setFont(font);
    paintMarks(painter, map, marks, colours);
    painter.restore();
}

PsychroChartView::PsychroChartView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picChart"));
    setAccessibleName(QStringLiteral("Psychrometric chart"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    readAgain();
}

QSize PsychroChartView::sizeHint() const
{
    return {640, 440};
}

QSize PsychroChartView::minimumSizeHint() const
{
    return {320, 220};
}

void PsychroChartView::setChart(const PsychroChart& chart)
{
    const ChartSetup before = chart_.setup();
    chart_ = chart;
    pointer_.reset();
    // A cursor is kept in degrees and percent: kept across a change of pressure, not of scale or range.
    if (before.scale != chart.setup().scale || before.extendedRange != chart.setup().extendedRange)
        cursor_.reset();
    cursorReading_.reset();
    if (cursor_)
        cursorReading_ = chart_.readState(cursor_->x(), cursor_->y());
    readAgain();
    update();
}

void PsychroChartView::setResult(const std::optional<HumidityBoxes>& result)
{
    // A new state calculated elsewhere is where the cursor starts next; one picked here leaves the cursor in place.
    if (result != result_ && !hasFocus()) {
        cursor_.reset();
        cursorReading_.reset();
    }
    result_ = result;
    update();
}

ChartMapping PsychroChartView::mapping() const
{
    return chartMapping(QRectF(rect()), chart_, font());
}

ChartMarks PsychroChartView::marks() const
{
    ChartMarks marks;
    if (result_) {
        const std::optional<QPointF> point = chart_.pointOf(*result_);
        if (point && chart_.contains(*point))
            marks.point = point;
    }
    if (hasFocus() && cursorReading_ && chart_.contains(cursorReading_->at))
        marks.cursor = cursorReading_->at;
    return marks;
}

QImage PsychroChartView::picture(qreal ratio) const
{
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.setFont(font());
    ChartMarks shown = marks();
    shown.cursor.reset();
    paintPsychroChart(painter, QRectF(rect()), chart_, shown, chartColours(palette()));
    return image;
}

void PsychroChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    paintPsychroChart(painter, QRectF(rect()), chart_, marks(), chartColours(palette()));
}

void PsychroChartView::mouseMoveEvent(QMouseEvent* event)
{
    pointer_ = chart_.readAt(mapping().toValue(event->position()));
    readAgain();
}

void PsychroChartView::leaveEvent(QEvent* event)
{
    pointer_.reset();
    readAgain();
    QWidget::leaveEvent(event);
}

void PsychroChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const ChartReading reading = chart_.readAt(mapping().toValue(event->position()));
    pointer_ = reading;
    if (reading.kind == ChartReading::Kind::State) {
        // The cursor follows the pick, so that the keyboard goes on from there.
        cursor_ = QPointF(reading.at.x(), leadingNumber(reading.boxes.humidity));
        cursorReading_ = reading;
        update();
        Q_EMIT statePicked(reading.boxes.dryAirTemp, reading.boxes.humidity);
    }
    readAgain();
}

void PsychroChartView::keyPressEvent(QKeyEvent* event)
{
    const double steps = event->modifiers() & Qt::ShiftModifier ? kShiftedSteps : 1;
    switch (event->key()) {
    case Qt::Key_Left:
        moveCursor(-steps, 0);
        return;
    case Qt::Key_Right:
        moveCursor(steps, 0);
        return;
    case Qt::Key_Up:
        moveCursor(0, steps);
        return;
    case Qt::Key_Down:
        moveCursor(0, -steps);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (cursorReading_ && cursorReading_->kind == ChartReading::Kind::State)
            Q_EMIT statePicked(cursorReading_->boxes.dryAirTemp, cursorReading_->boxes.humidity);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PsychroChartView::moveCursor(double dryBulbSteps, double humiditySteps)
{
    if (!cursor_)
        return;
    const ChartAxis& axis = chart_.dryBulbAxis();
    const QPointF next(std::clamp(cursor_->x() + dryBulbSteps, axis.from, axis.to),
                       std::clamp(cursor_->y() + humiditySteps, 1.0, 100.0));
    const ChartReading reading = chart_.readState(next.x(), next.y());
    // A cursor never leaves the chart through its top.
    if (next == *cursor_ || !chart_.contains(reading.at))
        return;
    cursor_ = next;
    cursorReading_ = reading;
    readAgain();
    update();
}

void PsychroChartView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (!cursor_) {
        // From the tab's state, in whole degrees and percent; else from the middle of the chart at 50 %.
        const ChartAxis& axis = chart_.dryBulbAxis();
        QPointF start(std::round((axis.from + axis.to) / 2), 50);
        const std::optional<QPointF> point = result_ ? chart_.pointOf(*result_) : std::nullopt;
        if (point && chart_.contains(*point))
            start = {std::round(point->x()), std::clamp(std::round(leadingNumber(result_->humidity)), 1.0, 100.0)};
        cursor_ = start;
        cursorReading_ = chart_.readState(start.x(), start.y());
    }
    readAgain();
    update();
}

void PsychroChartView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    readAgain();
    update();
}

void PsychroChartView::readAgain()
{
    if (pointer_ && pointer_->kind != ChartReading::Kind::Outside)
        showReading(readingText(chart_, *pointer_, kPointer));
    else if (hasFocus() && cursorReading_)
        showReading(readingText(chart_, *cursorReading_, kCursor));
    else
        showReading(readingText(chart_, {}, kPointer));
}

void PsychroChartView::showReading(const QString& text)
{
    if (text == readingText_)
        return;
    readingText_ = text;
    setAccessibleDescription(text);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    Q_EMIT readingChanged(text);
}

} // namespace mx
