#include "scripted_dialogs.h"

namespace mx::test {

ScriptedDialogs::ScriptedDialogs() : previous_(setDialogService(this)) {}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogService(previous_);
}

int ScriptedDialogs::exec(QDialog& dialog)
{
    opened.append(dialog.objectName());
    const auto handler = handlers_.constFind(dialog.objectName());
    if (handler == handlers_.constEnd()) {
        ++unexpected;
        return QDialog::Rejected;
    }
    return (*handler)(dialog);
}

} // namespace mx::test
