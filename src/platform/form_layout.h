#pragma once

#include "common/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QString>

// Forms are laid out as designed: each control by its design name at a rectangle in twips.
namespace mx {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

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

} // namespace mx
