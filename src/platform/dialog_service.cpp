#include "platform/dialog_service.h"

#include <QDialog>

#include <utility>

namespace mx {
namespace {

class DesktopDialogService final : public DialogService {
public:
    int exec(QDialog& dialog) override { return dialog.exec(); }
};

DesktopDialogService desktopService;
DialogService* current = &desktopService;

} // namespace

DialogService* setDialogService(DialogService* service)
{
    return std::exchange(current, service ? service : &desktopService);
}

int execDialog(QDialog& dialog)
{
    return current->exec(dialog);
}

} // namespace mx
