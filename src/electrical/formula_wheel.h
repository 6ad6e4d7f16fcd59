#pragma once

#include "electrical/electrical.h"

#include <QAbstractButton>
#include <QStringList>
#include <QWidget>

#include <array>

namespace mx {

// One formula spot or centre square over the wheel. The wheel hit-tests the mouse itself, so the spot never takes
// mouse events; it exists to carry the spot's name, tool-tip and accessible name, and lets the keyboard pick a
// formula (Space on a focused formula spot).
class WheelSpotButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit WheelSpotButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The formula wheel (picElecWheel): a vector drawing in a square, shown as a disc. Mouse positions are turned
// into twips of the designed wheel and hit-tested against the spots, so spots scale with the drawing.
class FormulaWheel : public QWidget {
    Q_OBJECT
    // What the wheel paints, for readers that cannot see it: the twelve formulas clockwise from three o'clock and
    // the quadrant capitals in the order R, E, W, I.
    Q_PROPERTY(QStringList formulas READ formulas CONSTANT)
    Q_PROPERTY(QStringList quadrantLetters READ quadrantLetters CONSTANT)
public:
    explicit FormulaWheel(QWidget* parent = nullptr);

    QStringList formulas() const;
    QStringList quadrantLetters() const;

    // A spot's rectangle in widget pixels at the wheel's present size.
    QRect spotRect(const WheelSpot& spot) const;
    // A widget position in twips of the designed wheel.
    QPointF toTwips(QPointF position) const;

    // Clips the window to the ellipse inscribed in it, so the corners outside the disc are not part of the wheel.
    void clipToDisc();

Q_SIGNALS:
    void formulaClicked(int index);
    // The mouse moved over a centre square.
    void quadrantSpotHovered(int index);
    // The mouse moved over the wheel anywhere else, formula spots included.
    void wheelHovered();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    WheelSpot spotAt(QPointF position) const;

    std::array<WheelSpotButton*, kElectricalFormulaCount + kQuadrantCount> spots_{};
    WheelSpot pressedSpot_;
};

// One picture of the selection frame (an Image3 element): a formula's right-hand side drawn large.
class FormulaPicture : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString formula READ formula CONSTANT)
public:
    FormulaPicture(int index, QWidget* parent = nullptr);

    QString formula() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int index_;
};

} // namespace mx
