#pragma once

#include "common/twips.h"

#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QPalette>
#include <QString>
#include <QWidget>

// Forms are laid out as designed: each control by its design name at a rectangle in twips.
namespace mx {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The font at `factor` times its size, whether it is set in pixels (as the program's font is) or in points.
inline QFont scaledFont(QFont font, qreal factor)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(qMax(1, qRound(font.pixelSize() * factor)));
    else if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

// Names the control and puts it at the rectangle (twips, relative to its parent).
template <typename Widget> Widget* placeControl(Widget* widget, const QString& objectName, TwipsRect at)
{
    widget->setObjectName(objectName);
    widget->setGeometry(twipsRect(at.left, at.top, at.width, at.height));
    return widget;
}

// A label with its design name, text and alignment (vertically centred) at the rectangle.
inline QLabel* placeLabel(QWidget* parent, const QString& objectName, const QString& text, TwipsRect at,
                          Qt::Alignment align = Qt::AlignLeft)
{
    auto* label = placeControl(new QLabel(text, parent), objectName, at);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

// A frame with its caption on its top line, so that the controls inside keep their designed places.
inline QGroupBox* placeFrame(QWidget* parent, const QString& objectName, const QString& caption, TwipsRect at)
{
    auto* frame = placeControl(new QGroupBox(caption, parent), objectName, at);
    frame->setAccessibleName(caption);
    frame->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                                        " margin-top: 6px; }"
                                        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }"));
    return frame;
}

// Tab moves through the widgets in the order given, each after the one before it.
inline void setTabChain(const QList<QWidget*>& widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

// Black text on the given background, whatever the palette the box would inherit.
inline void paintBox(QWidget* box, const QColor& background)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Text, Qt::black);
    box->setPalette(pal);
}

// A result label: black text on yellow in a box, on its own background rather than the panel's button face that
// children inherit; its text can be selected.
inline void paintAnswerLabel(QLabel* label)
{
    label->setFrameShape(QFrame::Box);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Window);
    label->setMargin(1);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 0));
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
}

} // namespace mx
