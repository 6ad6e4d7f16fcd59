#pragma once

#include "common/message_service.h"
#include "psychro/psychro_message.h"

#include <QColor>

// Building blocks the Humidity and Wind panels share.
namespace mx::psychro_layout {

inline const QColor kInputColour(255, 255, 255);
inline const QColor kOutputColour(255, 255, 0);

inline void showAll(const PsychroMessages& messages)
{
    for (const PsychroMessage& message : messages)
        showMessage(message.text, message.buttons, message.icon, message.title);
}

} // namespace mx::psychro_layout
