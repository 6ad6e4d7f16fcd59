#include "electrical/formula_drawing.h"

#include "electrical/electrical.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace mx {
namespace {

constexpr char16_t kSquare = u'\u00B2';
constexpr QStringView kRootOpen = u"\u221A(";

// A formula is a row of letters ("IR", "I²R"), a fraction of two rows, or either under a radical.
struct Shape {
    bool root = false;
    QStringView numerator;
    QStringView denominator; // empty: no fraction
};

Shape parseShape(QStringView picture)
{
    Shape shape;
    QStringView body = picture;
    if (body.startsWith(kRootOpen) && body.endsWith(u')')) {
        shape.root = true;
        body = body.mid(kRootOpen.size(), body.size() - kRootOpen.size() - 1);
    }
    const qsizetype slash = body.indexOf(u'/');
    if (slash < 0) {
        shape.numerator = body;
    } else {
        shape.numerator = body.left(slash);
        shape.denominator = body.mid(slash + 1);
    }
    return shape;
}

// Extent around a baseline: `up` above it, `down` below it. Capitals and digits have no descent, so rows use the
// cap height and sit tight on their fraction bars.
struct Box {
    qreal width = 0;
    qreal up = 0;
    qreal down = 0;
};

class FormulaLayout {
public:
    explicit FormulaLayout(int letterSize)
        : letters_(formulaFont(letterSize)), twos_(formulaFont(std::max(1, letterSize / 2))), letterMetrics_(letters_),
          twoMetrics_(twos_), size_(letterSize)
    {}

    Box box(const Shape& shape) const
    {
        Box b = contentBox(shape);
        if (!shape.root)
            return b;
        const qreal barSpace = radicalGap() + bar();
        return {radicalWidth(shape) + radicalPad() + b.width + radicalPad() * 1.5, b.up + barSpace,
                b.down + radicalFoot()};
    }

    void draw(QPainter& painter, const Shape& shape, QPointF origin) const
    {
        if (!shape.root) {
            drawContent(painter, shape, origin);
            return;
        }
        const Box content = contentBox(shape);
        const qreal width = box(shape).width;
        const qreal top = origin.y() - content.up - radicalGap() - bar() / 2;
        const qreal bottom = origin.y() + content.down + radicalFoot();
        const qreal height = bottom - top;
        const qreal rw = radicalWidth(shape);
        const qreal x = origin.x();
        QPainterPath sign;
        sign.moveTo(x, bottom - 0.42 * height);
        sign.lineTo(x + 0.18 * rw, bottom - 0.5 * height);
        sign.lineTo(x + 0.5 * rw, bottom);
        sign.lineTo(x + rw, top);
        sign.lineTo(x + width, top);
        painter.save();
        QPen pen(painter.pen().color(), bar());
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(sign);
        painter.restore();
        drawContent(painter, shape, {x + rw + radicalPad(), origin.y()});
    }

private:
    qreal bar() const { return size_ * 0.06; }
    qreal fractionGap() const { return size_ * 0.12; }
    qreal fractionPad() const { return size_ * 0.08; }
    qreal radicalGap() const { return size_ * 0.12; }
    qreal radicalPad() const { return size_ * 0.08; }
    qreal radicalFoot() const { return size_ * 0.04; }
    qreal radicalWidth(const Shape& shape) const { return size_ * (shape.denominator.isEmpty() ? 0.45 : 0.55); }

    Box rowBox(QStringView row) const
    {
        qreal width = 0;
        for (const QChar c : row)
            width +=
                c == kSquare ? twoMetrics_.horizontalAdvance(QLatin1Char('2')) : letterMetrics_.horizontalAdvance(c);
        return {width, letterMetrics_.capHeight(), 0};
    }

    void drawRow(QPainter& painter, QStringView row, QPointF origin) const
    {
        // The raised 2 tops out level with the capitals.
        const qreal raise = letterMetrics_.capHeight() - twoMetrics_.capHeight();
        qreal x = origin.x();
        for (const QChar c : row) {
            if (c == kSquare) {
                painter.setFont(twos_);
                painter.drawText(QPointF(x, origin.y() - raise), QStringLiteral("2"));
                x += twoMetrics_.horizontalAdvance(QLatin1Char('2'));
            } else {
                painter.setFont(letters_);
                painter.drawText(QPointF(x, origin.y()), QString(c));
                x += letterMetrics_.horizontalAdvance(c);
            }
        }
    }

    // A fraction's origin is the middle of its bar.
    Box contentBox(const Shape& shape) const
    {
        const Box top = rowBox(shape.numerator);
        if (shape.denominator.isEmpty())
            return top;
        const Box bottom = rowBox(shape.denominator);
        const qreal half = bar() / 2 + fractionGap();
        return {std::max(top.width, bottom.width) + 2 * fractionPad(), half + top.up + top.down,
                half + bottom.up + bottom.down};
    }

    void drawContent(QPainter& painter, const Shape& shape, QPointF origin) const
    {
        if (shape.denominator.isEmpty()) {
            drawRow(painter, shape.numerator, origin);
            return;
        }
        const Box top = rowBox(shape.numerator);
        const Box bottom = rowBox(shape.denominator);
        const qreal width = contentBox(shape).width;
        const qreal half = bar() / 2 + fractionGap();
        painter.fillRect(QRectF(origin.x(), origin.y() - bar() / 2, width, bar()), painter.pen().color());
        drawRow(painter, shape.numerator, {origin.x() + (width - top.width) / 2, origin.y() - half - top.down});
        drawRow(painter, shape.denominator, {origin.x() + (width - bottom.width) / 2, origin.y() + half + bottom.up});
    }

    QFont letters_;
    QFont twos_;
    QFontMetricsF letterMetrics_;
    QFontMetricsF twoMetrics_;
    int size_;
};

void drawCentred(QPainter& painter, const FormulaLayout& layout, const Shape& shape, QPointF centre)
{
    const Box b = layout.box(shape);
    layout.draw(painter, shape, {centre.x() - b.width / 2, centre.y() - (b.up + b.down) / 2 + b.up});
}

} // namespace

QFont formulaFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    // Glyphs are laid out at design size and scaled; hinting would bend them away from that layout.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QSizeF formulaExtent(QStringView picture, int letterSize)
{
    const Box b = FormulaLayout(letterSize).box(parseShape(picture));
    return {b.width, b.up + b.down};
}

void drawFormula(QPainter& painter, QStringView picture, QPointF centre, int letterSize)
{
    drawCentred(painter, FormulaLayout(letterSize), parseShape(picture), centre);
}

void paintFormulaWheel(QPainter& painter, double side)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double scale = side / kWheelDrawingTwips;
    painter.scale(scale, scale);

    const QPointF centre = kWheelCentreTwips;
    const double outer = kWheelOuterRadiusTwips;
    const double inner = kWheelInnerRadiusTwips;
    painter.setPen(QPen(Qt::black, 30));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, outer, outer);

    QPen thin(Qt::black, 15);
    thin.setCapStyle(Qt::FlatCap);
    painter.setPen(thin);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, inner, inner);
    for (int k = 0; k < kElectricalFormulaCount; ++k) {
        const double angle = k * std::numbers::pi / 6; // clockwise on screen, y pointing down
        const QPointF direction(std::cos(angle), std::sin(angle));
        // The four quarter lines run on through the inner circle and divide it into the quadrants.
        const double from = k % 3 == 0 ? 0.0 : inner;
        painter.drawLine(centre + direction * from, centre + direction * outer);
    }

    painter.setPen(Qt::black);
    const QFont capitals = formulaFont(kQuadrantLetterTwips);
    const QFontMetricsF capitalMetrics(capitals);
    painter.setFont(capitals);
    const FormulaLayout layout(kFormulaLetterTwips);
    const auto& formulas = electricalFormulas();
    for (const WheelSpot& spot : wheelSpots()) {
        const QPointF spotCentre = QRectF(spot.twips).center();
        if (spot.kind == WheelSpotKind::Quadrant) {
            const QString letter = quadrantLetter(Quantity(spot.index));
            painter.setFont(capitals);
            painter.drawText(QPointF(spotCentre.x() - capitalMetrics.horizontalAdvance(letter) / 2,
                                     spotCentre.y() + capitalMetrics.capHeight() / 2),
                             letter);
        } else {
            drawCentred(painter, layout, parseShape(formulas[std::size_t(spot.index)].picture), spotCentre);
        }
    }
    painter.restore();
}

} // namespace mx
