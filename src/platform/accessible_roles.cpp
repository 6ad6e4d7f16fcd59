#include "platform/accessible_roles.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace mx {
namespace {

// Marks a list box that speaks its accessible name.
constexpr char kNamedBox[] = "mxAccessibleNameIsName";

class NamedComboBoxAccessible : public QAccessibleWidget {
public:
    explicit NamedComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);
    }
    // The drop-down list, as Qt's own list box has it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == box()->view() ? 0 : -1;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction())
            box()->showPopup();
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* accessibleRole(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == u"QComboBox" && widget->property(kNamedBox).toBool())
        return new NamedComboBoxAccessible(static_cast<QComboBox*>(widget));
    // Reached only for a class that no factory named by a class of its own.
    if (className == u"QWidget" && widget->isWindow()) {
        const Qt::WindowType type = widget->windowType();
        const bool dialog = type == Qt::Dialog || type == Qt::Sheet || type == Qt::Tool;
        return new QAccessibleWidget(widget, dialog ? QAccessible::Dialog : QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleRole);
        return true;
    }();
    Q_UNUSED(installed);
}

void nameComboBox(QComboBox* box, const QString& name)
{
    installAccessibleRoles();
    box->setProperty(kNamedBox, true);
    // Qt makes a box's interface as soon as anything about it changes, and keeps it: one made before the mark
    // makes way for ours.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(box);
    if (made && !dynamic_cast<NamedComboBoxAccessible*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    box->setAccessibleName(name);
}

} // namespace mx
