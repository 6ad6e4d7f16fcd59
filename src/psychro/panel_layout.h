#pragma once

#include "common/message_service.h"
#include "common/twips.h"
#include "psychro/psychro_message.h"

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QString>

// Building blocks of the Humidity and Wind panels: controls at their twips rectangles, named as designed.
namespace mx::psychro_layout {

inline const QColor kInputColour(255, 255, 255);
inline const QColor kOutputColour(255, 255, 0);

template <typename W> W* place(W* widget, const QString& name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(twipsRect(left, top, width, height));
    return widget;
}

inline QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                         int height)
{
    auto* label = place(new QLabel(text, parent), name, left, top, width, height);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// A frame whose caption sits on its top line, so the controls inside keep their designed places.
inline QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                            int height)
{
    auto* frame = place(new QGroupBox(caption, parent), name, left, top, width, height);
    frame->setStyleSheet(QStringLiteral("QGroupBox#%1 { border: 1px solid palette(mid); border-radius: 2px;"
                                        " margin-top: 6px; }"
                                        "QGroupBox#%1::title { subcontrol-origin: margin; left: 8px;"
                                        " padding: 0 2px; }")
                             .arg(name));
    return frame;
}

// Black text on the given background, whatever the palette the box inherits.
inline void paintBox(QWidget* box, const QColor& background)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, background);
    pal.setColor(QPalette::Text, Qt::black);
    box->setPalette(pal);
}

// An answer label: black text on yellow, boxed, its own background rather than the panel's button face.
inline void paintAnswerLabel(QLabel* label)
{
    label->setFrameShape(QFrame::Box);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Window);
    label->setMargin(1);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, kOutputColour);
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
}

inline void showAll(const PsychroMessages& messages)
{
    for (const PsychroMessage& message : messages)
        showMessage(message.text, message.buttons, message.icon, message.title);
}

} // namespace mx::psychro_layout
