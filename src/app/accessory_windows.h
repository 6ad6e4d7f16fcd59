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
// and in which order, hides and shows them with the main window, keeps their places in the settings and closes them
// in order at exit. Modal windows (tip of the day, about box) are made and run through it too, so that every window
// has one seam. Windows are held by QPointer: a window that closes another mid-walk is safe.
namespace mx {

class AccessoryWindows : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*()>;
    using DialogFactory = std::function<QDialog*()>;
    using DialogFinished = std::function<void(QDialog&, int result)>;

    // Windows are placed by the settings' centring preference and keep their places in `settings`, which must
    // outlive the registry.
    explicit AccessoryWindows(Settings& settings, QObject* parent = nullptr);
    ~AccessoryWindows() override;

    // Declares a modeless window and where its place is kept: a place of the settings (with the size and state, for
    // a window that opens with them), or, given none, by the registry for the run only. A window's place is recorded
    // as the desktop reports it moved or resized, when it closes and when the exit writes the settings, so that it
    // opens there again and the file holds where it is. Without a factory the window is known for its place only.
    // Declaring a form name again replaces the earlier declaration.
    void addWindow(const AccessoryWindowTraits& traits, Factory make, WindowPlace* kept = nullptr);
    void addWindow(const AccessoryWindowTraits& traits, Factory make, SizedWindowPlace* kept);
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

    // The main window being minimised or restored carries the others along; meanwhile guarded windows keep their
    // place.
    void hideAll();
    void showAll();
    void setMainResizing(bool resizing) { mainResizing_ = resizing; }
    bool mainResizing() const { return mainResizing_; }

    // Closes the loaded windows, the most recently loaded first, once every window that may refuse has agreed (its
    // save question answered Yes or No). A Cancel leaves every window open and returns false; so does a window that
    // refuses its close all the same, which stops the closing there.
    bool closeAll();

    // Records where the loaded windows are. The exit calls it before it writes the settings: the desktop may not yet
    // have reported the last move of a window it has just framed.
    void recordOpenPlaces();
    // Save Positions at exit: every window whose place the settings keep records where it is, or, when it is not
    // loaded, where it would open. A minimised or maximised window keeps its last normal place and size; only its
    // state is recorded.
    void recordEveryPlace();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kind {
        AccessoryWindowTraits traits{};
        Factory make{};
        WindowPlace* kept = nullptr;       // in the settings; nullptr: runPlace
        SizedWindowPlace* sized = nullptr; // the same place, for a window that also opens at its size and state
        WindowPlace runPlace{};
        QPointer<QWidget> window{};
        // What a stored outer size has beyond the client area: the frame the window allows for at its opening
        // size. Sizes are stored and applied through it, so a window opened and saved again keeps its size
        // whatever frame the desktop draws.
        QSize frameAllowance{};
    };
    static WindowPlace& placeOf(Kind& kind) { return kind.kept ? *kind.kept : kind.runPlace; }
    static void record(Kind& kind);
    void declare(Kind kind);
    Kind* find(const QString& formName);
    const Kind* find(const QString& formName) const;
    bool place(Kind& kind);

    Settings& settings_;
    bool mainResizing_ = false;
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
