#include "platform/menu_layout.h"

#include <QMenuBar>

namespace mx {

void buildMenuBar(QMenuBar* bar, const std::vector<MenuOfBar>& layout)
{
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);
    bar->setAccessibleName(QStringLiteral("Menu bar"));
    for (const MenuOfBar& menuOfBar : layout) {
        QMenu* menu = bar->addMenu(QString::fromUtf16(menuOfBar.caption));
        menu->setObjectName(QString::fromUtf16(menuOfBar.name));
        menu->setAccessibleName(menu->title().remove(u'&'));
        for (const MenuEntry& entry : menuOfBar.entries) {
            QAction* action =
                *entry.caption ? menu->addAction(QString::fromUtf16(entry.caption)) : menu->addSeparator();
            action->setObjectName(QString::fromUtf16(entry.name));
            if (*entry.description) {
                action->setStatusTip(QString::fromUtf16(entry.description));
                action->setToolTip(QString::fromUtf16(entry.description));
            }
        }
    }
}

} // namespace mx
