#pragma once

class QDialog;

// Every modal window of the program (tip of the day, about box, web dialog, animation, find-and-spell dialogs) is run
// through here, as every message box goes through the message service: tests install their own service, see which
// window opened and answer it without a nested event loop.
namespace mx {

class DialogService {
public:
    virtual ~DialogService() = default;
    // Runs the dialog modally and returns its result (QDialog::Accepted or Rejected, or a done() code).
    virtual int exec(QDialog& dialog) = 0;
};

// Puts a service in use and returns the one it replaces; nullptr restores the desktop one, which calls
// QDialog::exec(). The caller keeps ownership.
DialogService* setDialogService(DialogService* service);

int execDialog(QDialog& dialog);

} // namespace mx
