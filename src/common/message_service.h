#pragma once

#include <QString>

// Every message box of the program goes through here, so that tests can see what was shown and answer it.
namespace mx {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Question, Exclamation, Information, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MsgAnswer show(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon) = 0;
};

// What a box answers when its first button is taken (Enter on the default button).
MsgAnswer firstButtonAnswer(MsgButtons buttons);

// The service in use; the program installs the desktop one at start, tests a scripted one. The caller keeps
// ownership. Passing nullptr restores a service that answers the first button without showing anything.
void setMessageService(MessageService* service);
MessageService& messageService();

// Shows a message; an empty title means the application title.
MsgAnswer showMessage(const QString& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                      const QString& title = {});

} // namespace mx
