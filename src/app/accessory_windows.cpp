#include "app/accessory_windows.h"

#include "common/twips.h"
#include "platform/dialog_service.h"

#include <QDialog>
#include <QEvent>

#include <memory>

namespace mx {
namespace {

qint16 windowStateCode(const QWidget* window)
{
    if (window->isMinimized())
        return 1;
    if (window->isMaximized())
        return 2;
    return 0;
}

QSize clientSizeTwips(const QWidget* window)
{
    return {int(pixelsToTwips(window->width())), int(pixelsToTwips(window->height()))};
}

} // namespace

AccessoryWindows::AccessoryWindows(Settings& settings, QObject* parent) : QObject(parent), settings_(settings) {}

AccessoryWindows::~AccessoryWindows() = default;

void AccessoryWindows::addWindow(const AccessoryWindowTraits& traits, Factory make, WindowPlace* kept)
{
    declare({.traits = traits, .make = std::move(make), .kept = kept});
}

void AccessoryWindows::addWindow(const AccessoryWindowTraits& traits, Factory make, SizedWindowPlace* kept)
{
    declare({.traits = traits, .make = std::move(make), .kept = kept, .sized = kept});
}

void AccessoryWindows::declare(Kind kind)
{
    if (Kind* known = find(kind.traits.formName)) {
        *known = std::move(kind);
        return;
    }
    kinds_.push_back(std::move(kind));
}

void AccessoryWindows::addDialog(const QString& formName, DialogFactory make, DialogFinished finished)
{
    for (DialogKind& kind : dialogs_) {
        if (kind.formName == formName) {
            kind = {formName, std::move(make), std::move(finished)};
            return;
        }
    }
    dialogs_.push_back({formName, std::move(make), std::move(finished)});
}

void AccessoryWindows::adopt(QWidget* window)
{
    loadOrder_.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    loadOrder_.append(window);
}

AccessoryWindows::Kind* AccessoryWindows::find(const QString& formName)
{
    for (Kind& kind : kinds_) {
        if (kind.traits.formName == formName)
            return &kind;
    }
    return nullptr;
}

const AccessoryWindows::Kind* AccessoryWindows::find(const QString& formName) const
{
    return const_cast<AccessoryWindows*>(this)->find(formName);
}

bool AccessoryWindows::canOpen(const QString& formName) const
{
    const Kind* kind = find(formName);
    return kind && kind->make;
}

QWidget* AccessoryWindows::open(const QString& formName)
{
    Kind* kind = find(formName);
    if (!kind || !kind->make)
        return nullptr;
    if (!kind->window) {
        kind->window = kind->make();
        if (!kind->window) // the factory said why
            return nullptr;
        kind->window->setObjectName(formName);
        kind->frameAllowance = (kind->traits.openingSizeTwips - clientSizeTwips(kind->window)).expandedTo({0, 0});
        adopt(kind->window);
        place(*kind);
        kind->window->installEventFilter(this);
    }
    QWidget* window = kind->window;
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

int AccessoryWindows::runDialog(const QString& formName)
{
    for (const DialogKind& kind : dialogs_) {
        if (kind.formName != formName || !kind.make)
            continue;
        const std::unique_ptr<QDialog> dialog(kind.make());
        dialog->setObjectName(formName);
        const int result = execDialog(*dialog);
        if (kind.finished)
            kind.finished(*dialog, result);
        return result;
    }
    return -1;
}

bool AccessoryWindows::placeAgain(const QString& formName)
{
    Kind* kind = find(formName);
    return kind && kind->window && place(*kind);
}

QWidget* AccessoryWindows::loaded(const QString& formName) const
{
    const Kind* kind = find(formName);
    return kind ? kind->window.data() : nullptr;
}

QList<QWidget*> AccessoryWindows::loadedWindows() const
{
    QList<QWidget*> windows;
    for (const QPointer<QWidget>& w : loadOrder_) {
        if (w)
            windows.append(w.data());
    }
    return windows;
}

void AccessoryWindows::hideAll()
{
    for (QWidget* w : loadedWindows())
        w->hide();
}

void AccessoryWindows::showAll()
{
    for (QWidget* w : loadedWindows())
        w->show();
}

bool AccessoryWindows::closeAll()
{
    // Guarded pointers, newest first: closing one window may close or delete another on the way.
    const QList<QPointer<QWidget>> newestFirst(loadOrder_.crbegin(), loadOrder_.crend());
    const auto cancelled = [&newestFirst] {
        for (const QPointer<QWidget>& w : newestFirst) {
            if (auto* question = dynamic_cast<CloseQuestion*>(w.data()))
                question->closeCancelled();
        }
        return false;
    };
    // Every window that may refuse is asked before any closes, so that a Cancel leaves every window as it was.
    for (const QPointer<QWidget>& w : newestFirst) {
        auto* question = dynamic_cast<CloseQuestion*>(w.data());
        if (question && !question->mayClose())
            return cancelled();
    }
    for (const QPointer<QWidget>& w : newestFirst) {
        if (w && !w->close())
            return cancelled();
    }
    return true;
}

bool AccessoryWindows::eventFilter(QObject* watched, QEvent* event)
{
    // Moves and resizes count as the desktop reports them. Those Qt sends on its own as a window is shown or placed
    // come before the desktop has framed it, and its outer corner is not yet where it will be.
    const QEvent::Type type = event->type();
    const bool reported = (type == QEvent::Move || type == QEvent::Resize) && event->spontaneous();
    if (reported || type == QEvent::Close) {
        for (Kind& kind : kinds_) {
            if (kind.window == watched)
                record(kind);
        }
    }
    return QObject::eventFilter(watched, event);
}

void AccessoryWindows::record(Kind& kind)
{
    const QWidget* w = kind.window;
    const qint16 state = windowStateCode(w);
    if (state == 0) {
        const QPoint position = windowPosTwips(w);
        placeOf(kind) = {position.x(), position.y()};
        if (kind.sized) {
            const QSize size = clientSizeTwips(w) + kind.frameAllowance;
            kind.sized->width = size.width();
            kind.sized->height = size.height();
        }
    }
    if (kind.sized)
        kind.sized->state = state;
}

bool AccessoryWindows::place(Kind& kind)
{
    QWidget* window = kind.window;
    const bool centre = settings_.centring.isOn();
    const WindowPlace stored = placeOf(kind);
    if (!placeAccessoryWindow(window, kind.traits.openingSizeTwips, {stored.left, stored.top}, {centre, mainResizing_},
                              kind.traits.guard))
        return false;
    if (centre || !kind.sized)
        return true;
    const SizedWindowPlace sized = *kind.sized;
    if (sized.width > 0 && sized.height > 0) {
        const QSize client =
            (QSize(sized.width, sized.height) - kind.frameAllowance).expandedTo({kTwipsPerPixel, kTwipsPerPixel});
        window->resize(twipsToPixels(client.width()), twipsToPixels(client.height()));
    }
    if (sized.state == 1)
        window->setWindowState(Qt::WindowMinimized);
    else if (sized.state == 2)
        window->setWindowState(Qt::WindowMaximized);
    return true;
}

void AccessoryWindows::recordOpenPlaces()
{
    for (Kind& kind : kinds_) {
        if (kind.window)
            record(kind);
    }
}

void AccessoryWindows::recordEveryPlace()
{
    recordOpenPlaces();
    if (!settings_.centring.isOn())
        return; // a window not loaded would open at its stored place, size and state, which stay
    const QSize screen = screenSizeTwips();
    for (Kind& kind : kinds_) {
        if (!kind.kept || kind.window)
            continue;
        const QSize size = kind.traits.openingSizeTwips;
        const QPoint centred = centredTopLeftTwips(screen, size);
        *kind.kept = {centred.x(), centred.y()};
        if (kind.sized)
            *kind.sized = {{centred.x(), centred.y()}, size.width(), size.height(), 0};
    }
}

} // namespace mx
