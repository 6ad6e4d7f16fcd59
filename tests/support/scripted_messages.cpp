#include "scripted_messages.h"

namespace mx::test {

ScriptedMessages::~ScriptedMessages() = default;

QStringList ScriptedMessages::described() const
{
    static const char* const buttonNames[] = {"Ok", "OkCancel", "YesNo", "YesNoCancel"};
    static const char* const iconNames[] = {"None", "Question", "Exclamation", "Information", "Critical"};
    QStringList lines;
    for (const Shown& message : shown)
        lines << QStringLiteral("%1 [%2 %3] %4")
                     .arg(message.title, QLatin1String(buttonNames[int(message.buttons)]),
                          QLatin1String(iconNames[int(message.icon)]), message.text);
    return lines;
}

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
