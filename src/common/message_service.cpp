#include "common/message_service.h"

#include "version.h"

namespace mx {
namespace {

class SilentService final : public MessageService {
public:
    MsgAnswer show(const QString&, const QString&, MsgButtons buttons, MsgIcon) override
    {
        return firstButtonAnswer(buttons);
    }
};

SilentService silentService;
MessageService* current = &silentService;

} // namespace

MsgAnswer firstButtonAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Yes;
    }
    return MsgAnswer::Ok;
}

void setMessageService(MessageService* service)
{
    current = service ? service : &silentService;
}

MessageService& messageService()
{
    return *current;
}

MsgAnswer showMessage(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    return current->show(text, title.isEmpty() ? QString::fromUtf8(version::kTitle) : title, buttons, icon);
}

} // namespace mx
