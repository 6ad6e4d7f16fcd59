#pragma once

#include "common/message_service.h"

namespace mx {

// Shows messages as real modal QMessageBoxes over the active window.
class DesktopMessageService final : public MessageService {
public:
    MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override;
};

} // namespace mx
