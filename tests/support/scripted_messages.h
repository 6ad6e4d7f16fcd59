#pragma once

#include "common/message_service.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mx::test {

// A message service for tests: records every message and gives the answers queued with answerNext(). A message
// with no queued answer is recorded as unexpected and answered with the first button, so no test ever blocks.
class ScriptedMessages final : public MessageService {
public:
    struct Shown {
        QString text;
        QString title;
        MsgButtons buttons;
        MsgIcon icon;
    };

    MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) override
    {
        shown.append({text, title, buttons, icon});
        if (!answers_.isEmpty())
            return answers_.takeFirst();
        ++unexpected;
        return firstButtonAnswer(buttons);
    }

    void answerNext(MsgAnswer answer) { answers_.append(answer); }
    // Each message shown, in order, as "title [buttons icon] text": "Mensurix [YesNo Question] Save the table?".
    QStringList described() const
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
    void clear()
    {
        shown.clear();
        answers_.clear();
        unexpected = 0;
    }

    QList<Shown> shown;
    int unexpected = 0;

private:
    QList<MsgAnswer> answers_;
};

// Installs a fresh scripted service for one scope and restores the previous one after.
class ScopedMessages {
public:
    ScopedMessages() : previous_(&messageService()) { setMessageService(&messages_); }
    ~ScopedMessages() { setMessageService(previous_); }
    ScriptedMessages* operator->() { return &messages_; }
    ScriptedMessages& get() { return messages_; }

private:
    ScriptedMessages messages_;
    MessageService* previous_;
};

} // namespace mx::test
