#include "electrical/formula_wheel.h"

#include "electrical/formula_drawing.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QStyleOptionFocusRect>
#include <QToolTip>

namespace mx {
namespace {

// Letter size of the selection pictures, in pixels: as large as the tallest formula allows in its frame.
constexpr int kPictureLetterPixels = 22;

QString spokenFormula(int index)
{
    const ElectricalFormula& f = electricalFormulas()[std::size_t(index)];
    return quadrantLetter(f.quantity) + QStringLiteral(" = ") + QString::fromUtf16(f.picture);
}

// Formula spots first, then the centre squares, as in wheelSpots().
std::size_t slotOf(const WheelSpot& spot)
{
    return std::size_t(spot.index + (spot.kind == WheelSpotKind::Quadrant ? kElectricalFormulaCount : 0));
}

} // namespace

WheelSpotButton::WheelSpotButton(QWidget* parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void WheelSpotButton::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

FormulaWheel::FormulaWheel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picElecWheel"));
    setAccessibleName(QStringLiteral("Formula wheel"));
    setAccessibleDescription(QStringLiteral("Quadrants R, E, W and I; formulas ") + formulas().join(u", "));
    setMouseTracking(true);
    for (const WheelSpot& spot : wheelSpots()) {
        auto* button = new WheelSpotButton(this);
        button->setObjectName(wheelSpotName(spot));
        if (spot.kind == WheelSpotKind::Formula) {
            button->setAccessibleName(spokenFormula(spot.index));
            button->setAccessibleDescription(pickSpotToolTip());
            button->setToolTip(pickSpotToolTip());
            button->setFocusPolicy(Qt::TabFocus);
            const int index = spot.index;
            connect(button, &QAbstractButton::clicked, this, [this, index] { Q_EMIT formulaClicked(index); });
        } else {
            button->setAccessibleName(quadrantName(Quantity(spot.index)));
        }
        button->setGeometry(spotRect(spot));
        spots_[slotOf(spot)] = button;
    }
}

QStringList FormulaWheel::formulas() const
{
    QStringList list;
    for (int i = 0; i < kElectricalFormulaCount; ++i)
        list.append(spokenFormula(i));
    return list;
}

QStringList FormulaWheel::quadrantLetters() const
{
    QStringList list;
    for (int q = 0; q < kQuadrantCount; ++q)
        list.append(quadrantLetter(Quantity(q)));
    return list;
}

QRect FormulaWheel::spotRect(const WheelSpot& spot) const
{
    const double sx = width() / kWheelDrawingTwips;
    const double sy = height() / kWheelDrawingTwips;
    const QRect& r = spot.twips;
    const QPoint topLeft(qRound(r.left() * sx), qRound(r.top() * sy));
    const QPoint end(qRound((r.left() + r.width()) * sx), qRound((r.top() + r.height()) * sy));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

QPointF FormulaWheel::toTwips(QPointF position) const
{
    if (width() <= 0 || height() <= 0)
        return {-1, -1};
    return {position.x() * kWheelDrawingTwips / width(), position.y() * kWheelDrawingTwips / height()};
}

WheelSpot FormulaWheel::spotAt(QPointF position) const
{
    return wheelSpotAt(toTwips(position));
}

void FormulaWheel::clipToDisc()
{
    setMask(QRegion(rect(), QRegion::Ellipse));
}

bool FormulaWheel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const WheelSpot spot = spotAt(help->pos());
        if (spot.kind == WheelSpotKind::Formula) {
            QToolTip::showText(help->globalPos(), pickSpotToolTip(), this, spotRect(spot));
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

void FormulaWheel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintFormulaWheel(painter, std::min(width(), height()));
}

void FormulaWheel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (const WheelSpot& spot : wheelSpots())
        spots_[slotOf(spot)]->setGeometry(spotRect(spot));
    clipToDisc();
}

void FormulaWheel::mouseMoveEvent(QMouseEvent* event)
{
    const WheelSpot spot = spotAt(event->position());
    if (spot.kind == WheelSpotKind::Quadrant)
        Q_EMIT quadrantSpotHovered(spot.index);
    else
        Q_EMIT wheelHovered();
}

void FormulaWheel::mousePressEvent(QMouseEvent* event)
{
    pressedSpot_ = event->button() == Qt::LeftButton ? spotAt(event->position()) : WheelSpot{};
}

void FormulaWheel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const WheelSpot spot = spotAt(event->position());
    const bool clicked = spot.kind == WheelSpotKind::Formula && spot == pressedSpot_;
    pressedSpot_ = {};
    if (clicked)
        Q_EMIT formulaClicked(spot.index);
}

FormulaPicture::FormulaPicture(int index, QWidget* parent) : QWidget(parent), index_(index)
{
    setObjectName(QStringLiteral("Image3(%1)").arg(index));
    setAccessibleName(spokenFormula(index));
    setAccessibleDescription(selectedFormulaToolTip());
    setToolTip(selectedFormulaToolTip());
}

QString FormulaPicture::formula() const
{
    return QString::fromUtf16(electricalFormulas()[std::size_t(index_)].picture);
}

void FormulaPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    drawFormula(painter, formula(), QRectF(rect()).center(), kPictureLetterPixels);
}

} // namespace mx
