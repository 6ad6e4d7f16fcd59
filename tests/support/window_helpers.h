#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <functional>

// Pieces the window suites share.
namespace mx::test {

// Each entry of a menu or tool bar as "name=caption" (the tool-tip for a tool bar), " off" after a disabled one; a
// separator is its name and "=".
inline QString describeActions(const QList<QAction*>& actions, bool toolTips = false)
{
    QStringList entries;
    for (const QAction* a : actions)
        entries << a->objectName() + u'=' +
                       (a->isSeparator() ? QString()
                        : toolTips       ? a->toolTip()
                                         : a->text()) +
                       (a->isEnabled() ? QString() : QStringLiteral(" off"));
    return entries.join(QStringLiteral(", "));
}

// Each menu of a menu bar as "name=caption: entries".
inline QStringList describeMenuBar(const QMenuBar* bar)
{
    QStringList menus;
    for (const QAction* top : bar->actions())
        menus << top->menu()->objectName() + u'=' + top->text() + QStringLiteral(": ") +
                     describeActions(top->menu()->actions());
    return menus;
}

// A window as its name, its title and each named label and button in the order they were made, "name=caption"
// ("name=<picture>" for a label showing a picture): frmFind "Find": Label1=Enter a word..., Check1=Match Case, ...
inline QString describeCaptions(const QWidget* window)
{
    QStringList controls;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(control);
        const auto* button = qobject_cast<const QAbstractButton*>(control);
        if ((!label && !button) || control->objectName().isEmpty() || control->objectName().startsWith(u"qt_"))
            continue;
        const QString caption = button                      ? button->text()
                                : !label->pixmap().isNull() ? QStringLiteral("<picture>")
                                                            : label->text();
        controls << control->objectName() + u'=' + caption;
    }
    return QStringLiteral("%1 \"%2\": %3").arg(window->objectName(), window->windowTitle(), controls.join(u", "));
}

// The entries of a combo box joined by `separator`.
inline QString comboItems(const QComboBox* combo, const QString& separator)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items.join(separator);
}

// A window that runs a step of its own as it is asked to close (an editor closing its find dialog) and closes if the
// step says so (an editor whose save question was cancelled does not).
class ClosingHook : public QWidget {
public:
    explicit ClosingHook(std::function<bool()> onClose) : onClose_(std::move(onClose)) {}

protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(onClose_()); }

private:
    std::function<bool()> onClose_;
};

} // namespace mx::test
