#pragma once

#include "app/settings.h"
#include "platform/accessory_window.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QDialog;

// The program's other windows, in one registry: each accessory window (calculator, table editor, note editor, find
// dialog) opens on demand as a single instance, placed by the placement rule; the registry knows which are loaded
// and in which order, hides and shows them with the main window, records where they are for the settings file and
// closes them in order at exit. Modal windows (tip of the day, about box) are made and run through it too, so that
// every window has one seam. Windows are held by QPointer: a window that closes another mid-walk is safe.
namespace mx {

class AccessoryWindows : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*()>;
    using DialogFactory = std::function<QDialog*()>;
    using DialogFinished = std::function<void(QDialog&, int result)>;

    explicit AccessoryWindows(QObject* parent = nullptr);
    ~AccessoryWindows() override;

    // Declares a modeless window. Without a factory the window is known for its place only: the settings file still
    // records where it would open. Declaring a form name again replaces the earlier declaration.
    void addWindow(const AccessoryWindowTraits& traits, Factory make = {});
    // Declares a modal window, made anew each time it opens; `finished` reads what it leaves before it goes.
    void addDialog(const QString& formName, DialogFactory make, DialogFinished finished = {});
    // Carries a window made elsewhere (the help viewer) along with the others: hidden, shown and closed with them.
    void adopt(QWidget* window);

    bool canOpen(const QString& formName) const;
    // Shows the window, made and placed on first use; a window already open is brought forward. Nullptr when the
    // factory made none.
    QWidget* open(const QString& formName);
    // Makes the modal window and runs it through the dialog service; -1 when none is declared under the name.
    int runDialog(const QString& formName);

    // Places a loaded window again by the placement rule (the find dialog, at its first activation); false when it
    // is not loaded or its guard kept it where it is.
    bool placeAgain(const QString& formName);

    QWidget* loaded(const QString& formName) const;
    // The loaded windows, in the order they were loaded.
    QList<QWidget*> loadedWindows() const;

    // The main window being minimised or restored carries the others along.
    void hideAll();
    void showAll();

    // Closes the loaded windows, the most recently loaded first. Stops at a window that refuses (its own save
    // question was cancelled) and returns false; that window and the ones loaded before it stay open.
    bool closeAll();

    // Where each declared window is, or would open, as the settings keys it is stored under. A minimised or
    // maximised window keeps its last normal place and size; only its state is recorded. A window also leaves
    // its place in the program-wide values when it closes, so that it opens there again.
    CapturedGeometry captureGeometry() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kind {
        AccessoryWindowTraits traits;
        Factory make;
        QPointer<QWidget> window;
        QPoint runPosition; // for windows whose place is kept for the run only
        // What a stored outer size has beyond the client area: the frame the window allows for at its opening
        // size. Sizes are stored and applied through it, so a window opened and saved again keeps its size
        // whatever frame the desktop draws.
        QSize frameAllowance{};
    };
    static QSize storedSizeOf(const Kind& kind);
    Kind* find(const QString& formName);
    const Kind* find(const QString& formName) const;
    QPoint storedPlace(const Kind& kind) const;
    bool place(Kind& kind) const;

    std::vector<Kind> kinds_;
    struct DialogKind {
        QString formName;
        DialogFactory make;
        DialogFinished finished;
    };
    std::vector<DialogKind> dialogs_;
    QList<QPointer<QWidget>> loadOrder_;
};

} // namespace mx
