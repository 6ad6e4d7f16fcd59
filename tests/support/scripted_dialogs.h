#pragma once

#include "platform/dialog_service.h"

#include <QDialog>
#include <QHash>
#include <QStringList>

#include <functional>

namespace mx::test {

// A dialog service for tests, in use for its lifetime: records the objectName of every modal window opened and answers
// it with the handler set for that name (which may fill in or click the dialog and returns its result). A window
// without a handler is answered Rejected, so no test ever blocks.
class ScriptedDialogs final : public DialogService {
public:
    using Handler = std::function<int(QDialog&)>;

    ScriptedDialogs() : previous_(setDialogService(this)) {}
    ~ScriptedDialogs() override { setDialogService(previous_); }

    int exec(QDialog& dialog) override
    {
        opened.append(dialog.objectName());
        const auto handler = handlers_.constFind(dialog.objectName());
        return handler == handlers_.constEnd() ? int(QDialog::Rejected) : (*handler)(dialog);
    }
    void answer(const QString& objectName, Handler handler) { handlers_.insert(objectName, std::move(handler)); }

    QStringList opened;

private:
    QHash<QString, Handler> handlers_;
    DialogService* previous_ = nullptr;
};

} // namespace mx::test
