#include "app/accessory_windows.h"

#include "app/app_globals.h"
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

// The numbers of a window's keys: place and size only in the normal state, the state in any.
void addGeometry(CapturedGeometry& geometry, const AccessoryWindowTraits& traits, QPoint position, QSize size,
                 qint16 state)
{
    if (state == 0) {
        geometry.emplace_back(traits.leftKey, position.x());
        geometry.emplace_back(traits.topKey, position.y());
        if (!traits.widthKey.isEmpty()) {
            geometry.emplace_back(traits.widthKey, size.width());
            geometry.emplace_back(traits.heightKey, size.height());
        }
    }
    if (!traits.stateKey.isEmpty())
        geometry.emplace_back(traits.stateKey, state);
}

} // namespace

AccessoryWindows::AccessoryWindows(QObject* parent) : QObject(parent) {}

AccessoryWindows::~AccessoryWindows() = default;

void AccessoryWindows::addWindow(const AccessoryWindowTraits& traits, Factory make)
{
    if (Kind* kind = find(traits.formName)) {
        kind->traits = traits;
        kind->make = std::move(make);
        return;
    }
    kinds_.push_back({traits, std::move(make), {}, {}});
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
        const QSize client(int(pixelsToTwips(kind->window->width())), int(pixelsToTwips(kind->window->height())));
        kind->frameAllowance = (kind->traits.openingSizeTwips - client).expandedTo({0, 0});
        adopt(kind->window);
        place(*kind);
        // Where it was is remembered each time it closes.
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
    // A copy of guarded pointers: closing one window may close or delete another on the way.
    const QList<QPointer<QWidget>> order = loadOrder_;
    for (auto it = order.crbegin(); it != order.crend(); ++it) {
        QWidget* w = it->data();
        if (!w)
            continue;
        if (!w->close())
            return false;
    }
    return true;
}

bool AccessoryWindows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close) {
        for (Kind& kind : kinds_) {
            if (kind.window != watched)
                continue;
            if (kind.traits.leftKey.isEmpty()) {
                kind.runPosition = windowPosTwips(kind.window);
            } else {
                CapturedGeometry geometry;
                addGeometry(geometry, kind.traits, windowPosTwips(kind.window), storedSizeOf(kind),
                            windowStateCode(kind.window));
                storePositions(geometry);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

QSize AccessoryWindows::storedSizeOf(const Kind& kind)
{
    const QWidget* w = kind.window;
    return QSize(int(pixelsToTwips(w->width())), int(pixelsToTwips(w->height()))) + kind.frameAllowance;
}

QPoint AccessoryWindows::storedPlace(const Kind& kind) const
{
    if (kind.traits.leftKey.isEmpty())
        return kind.runPosition;
    return {mx::storedNumber(kind.traits.leftKey).value_or(0), mx::storedNumber(kind.traits.topKey).value_or(0)};
}

bool AccessoryWindows::place(Kind& kind) const
{
    QWidget* window = kind.window;
    const AccessoryWindowTraits& traits = kind.traits;
    if (traits.guard == PlacementGuard::SkipWhileMinimisedOrResizing && (MainResizing || window->isMinimized()))
        return false;
    moveWindowTwips(window,
                    openingPosTwips(traits.openingSizeTwips, storedPlace(kind), screenSizeTwips(), CenterForms));
    if (CenterForms || traits.widthKey.isEmpty())
        return true;
    // Stored as outer sizes; the key named for the height holds the width.
    const QSize size(storedNumber(traits.widthKey).value_or(0), storedNumber(traits.heightKey).value_or(0));
    if (size.width() > 0 && size.height() > 0) {
        const QSize client = (size - kind.frameAllowance).expandedTo({kTwipsPerPixel, kTwipsPerPixel});
        window->resize(twipsToPixels(client.width()), twipsToPixels(client.height()));
    }
    const qint16 stateCode = qint16(storedNumber(traits.stateKey).value_or(0));
    if (stateCode == 1)
        window->setWindowState(Qt::WindowMinimized);
    else if (stateCode == 2)
        window->setWindowState(Qt::WindowMaximized);
    return true;
}

CapturedGeometry AccessoryWindows::captureGeometry() const
{
    CapturedGeometry geometry;
    const QSize screen = screenSizeTwips();
    for (const Kind& kind : kinds_) {
        const AccessoryWindowTraits& traits = kind.traits;
        if (traits.leftKey.isEmpty())
            continue;
        QPoint position;
        QSize size = traits.openingSizeTwips;
        qint16 state = 0;
        if (const QWidget* w = kind.window) {
            position = windowPosTwips(w);
            size = storedSizeOf(kind);
            state = windowStateCode(w);
        } else if (CenterForms) {
            position = centredTopLeftTwips(screen, size);
        } else {
            // It would open at its stored place, size and state.
            position = storedPlace(kind);
            if (!traits.widthKey.isEmpty()) {
                size = {storedNumber(traits.widthKey).value_or(0), storedNumber(traits.heightKey).value_or(0)};
                state = qint16(storedNumber(traits.stateKey).value_or(0));
            }
        }
        addGeometry(geometry, traits, position, size, state);
    }
    return geometry;
}

} // namespace mx
