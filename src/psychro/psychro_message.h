#pragma once

#include "common/message_service.h"

#include <QList>
#include <QString>

namespace mx {

// A message the Humidity or Wind tab is to show. The computing side decides it; the panel shows it through
// showMessage() in the order given.
struct PsychroMessage {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString title; // empty: the application title

    bool operator==(const PsychroMessage&) const = default;
};

using PsychroMessages = QList<PsychroMessage>;

// Shown wherever a result would not be a finite number, so that no box ever reads "nan", "inf" or "Overflow".
inline PsychroMessage notCalculableMessage()
{
    return {QStringLiteral("The Values selected can not be calculated correctly"), MsgButtons::Ok, MsgIcon::Information,
            QStringLiteral("Calculation ERROR")};
}

} // namespace mx
