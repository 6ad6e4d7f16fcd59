#include "platform/dialog_service.h"

#include <QDialog>

namespace mx {
namespace {

class DesktopDialogService final : public DialogService {
public:
    int exec(QDialog& dialog) override { return dialog.exec(); }
};

DesktopDialogService desktopService;
DialogService* current = &desktopService;

} // namespace

void setDialogService(DialogService* service)
{
    current = service ? service : &desktopService;
}

int execDialog(QDialog& dialog)
{
    return current->exec(dialog);
}

} // namespace mx
