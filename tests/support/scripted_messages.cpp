#include "scripted_messages.h"

namespace mx::test {

ScriptedMessages::~ScriptedMessages() = default;

MsgAnswer ScriptedMessages::show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    shown.append({text, title, buttons, icon});
    if (!answers_.isEmpty())
        return answers_.takeFirst();
    ++unexpected;
    return firstButtonAnswer(buttons);
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
