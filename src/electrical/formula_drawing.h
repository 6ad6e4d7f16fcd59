#pragma once

#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QStringView>

class QPainter;

// Vector drawing of the formula wheel and of single formulas, in whatever units the painter is set to, so that the
// drawing stays sharp at every scale and pixel ratio.
namespace mx {

// Text sizes of the wheel in twips, in the ratio 5 : 4 : 2 (quadrant capitals, formula letters, raised 2s).
inline constexpr int kQuadrantLetterTwips = 400;
inline constexpr int kFormulaLetterTwips = 320;

// The wheel is laid out on the twips of its designed pixel size, so that at that size one pixel is exactly 15 twips
// and its lines fall on whole pixels.
inline constexpr double kWheelDrawingTwips = 4575;

// Arial where it is installed, else the metric-compatible Liberation Sans, so the layout holds on every desktop.
// `pixelSize` is in the painter's units.
QFont formulaFont(int pixelSize);

// Extent of a formula's right-hand side ("E/I", "E²/W", "√(W/R)") drawn with letters of `letterSize`; its raised
// 2s are half that size.
QSizeF formulaExtent(QStringView picture, int letterSize);

// Draws a formula's right-hand side centred on `centre`, in the painter's pen colour.
void drawFormula(QPainter& painter, QStringView picture, QPointF centre, int letterSize);

// Paints the whole wheel filling a square of `side` in the painter's units: circles, lines, quadrant capitals and
// the twelve formulas. Nothing is painted outside the outer circle.
void paintFormulaWheel(QPainter& painter, double side);

} // namespace mx
