#pragma once

#include "platform/tab_panel.h"

#include <QKeySequence>
#include <QLabel>
#include <QTest>

#include <utility>

// Checks both panel suites share.
namespace mx::test {

using ControlsByParent = QList<std::pair<QString, QStringList>>;

// Each control is there once, under its parent, inside the fixed-size panel, and named for screen readers.
inline void checkControls(QWidget* panel, const ControlsByParent& byParent)
{
    QCOMPARE(panel->minimumSize(), panel->maximumSize());
    for (const auto& [parentName, names] : byParent) {
        for (const QString& name : names) {
            const QList<QWidget*> found = panel->findChildren<QWidget*>(name);
            QVERIFY2(found.size() == 1, qPrintable(name));
            const QWidget* widget = found.first();
            QVERIFY2(widget->parentWidget()->objectName() == parentName, qPrintable(name));
            QVERIFY2(panel->rect().contains(QRect(widget->mapTo(panel, QPoint(0, 0)), widget->size())),
                     qPrintable(name));
            const auto* label = qobject_cast<const QLabel*>(widget);
            QVERIFY2(!widget->accessibleName().isEmpty() || !widget->accessibleDescription().isEmpty() ||
                         (label && !label->text().isEmpty()),
                     qPrintable(name));
        }
    }
}

// Drives a panel as a user would, one step a string: "Option2" clicks the control of that name, "Option1:Down"
// presses that key in it, "tabChosen" chooses the panel's tab again.
inline void act(TabPanel* panel, const QStringList& steps)
{
    for (const QString& step : steps) {
        if (step == u"tabChosen") {
            panel->tabChosen();
            continue;
        }
        const QString name = step.section(u':', 0, 0);
        auto* control = panel->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        const QString key = step.section(u':', 1);
        if (key.isEmpty()) {
            QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
        } else {
            control->setFocus();
            QTest::keyClick(control, QKeySequence::fromString(key)[0].key());
        }
    }
}

} // namespace mx::test
