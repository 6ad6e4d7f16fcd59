#include "scripted_messages.h"

namespace mx::test {

ScriptedMessages::~ScriptedMessages() = default;

MsgAnswer ScriptedMessages::show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    shown.append({text, title, buttons, icon});
    if (!answers_.isEmpty())
        return answers_.takeFirst();
    ++unexpected;
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

ScopedMessages::ScopedMessages() : previous_(&messageService())
{
    setMessageService(&messages_);
}

ScopedMessages::~ScopedMessages()
{
    setMessageService(previous_);
}

} // namespace mx::test
