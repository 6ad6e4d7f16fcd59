#include "platform/button_keys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPointer>
#include <QRadioButton>
#include <QTimer>

namespace mx {
namespace {

// As long as Qt shows a button down for an animated click.
constexpr int kShownDownMs = 100;
// Presses made from the keyboard whose moment of being shown down has not run out yet.
constexpr char kPendingPresses[] = "mxPendingKeyPresses";
constexpr char kFilterName[] = "mxButtonKeys";

bool isEnter(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && held == Qt::NoModifier;
}

// The button Enter presses when the key goes to `receiver`: a focused, enabled button that is not a check box or an
// option button (Enter does not toggle those).
QAbstractButton* pressedByEnter(QObject* receiver)
{
    auto* button = qobject_cast<QAbstractButton*>(receiver);
    if (!button || !button->hasFocus() || !button->isEnabled())
        return nullptr;
    if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))
        return nullptr;
    return button;
}

class ButtonKeys : public QObject {
public:
    explicit ButtonKeys(QObject* parent) : QObject(parent) { setObjectName(QLatin1String(kFilterName)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        QAbstractButton* button = isEnter(key) ? pressedByEnter(watched) : nullptr;
        if (!button)
            return false;
        // Claimed before any shortcut of the window can take the key.
        event->accept();
        if (type == QEvent::KeyPress && !key->isAutoRepeat())
            pressButton(button);
        return true;
    }
};

} // namespace

void pressButton(QAbstractButton* button)
{
    const QPointer<QAbstractButton> guard(button);
    // A button the mouse holds down is shown down already, and released by the mouse.
    const int pending = button->property(kPendingPresses).toInt();
    const bool heldByMouse = button->isDown() && pending == 0;
    button->click();
    if (!guard || heldByMouse)
        return;
    button->setProperty(kPendingPresses, pending + 1);
    button->setDown(true);
    QTimer::singleShot(kShownDownMs, button, [button] {
        const int left = button->property(kPendingPresses).toInt() - 1;
        button->setProperty(kPendingPresses, left);
        if (left <= 0)
            button->setDown(false);
    });
}

void installButtonKeys()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || app->findChild<QObject*>(QLatin1String(kFilterName), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new ButtonKeys(app));
}

} // namespace mx
