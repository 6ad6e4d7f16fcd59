#pragma once

#include "platform/tab_panel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QTest>

#include <utility>

// Checks and steps the suites of the tabs and their dialog share.
namespace mx::test {

// Shown as the active window, as the program shows a tab.
inline void showActive(QWidget* panel)
{
    panel->show();
    panel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(panel));
}

// Each control is there once, under its parent, inside the fixed-size panel (the main window's suite checks that
// every control is named for screen readers).
inline void checkControls(QWidget* panel, const QList<std::pair<QString, QStringList>>& byParent)
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
        }
    }
}

// Drives a panel or a dialog as a user would, one step a string: "Option2" clicks the control of that name,
// "Option1:Down" presses that key in it, "DryAirTemp=12" types into it; without a name (":Alt+A", "=3") the focused
// control takes the key or the typing. "tabChosen" chooses the panel's tab again.
inline void act(QWidget* root, const QStringList& steps)
{
    for (const QString& step : steps) {
        if (step == u"tabChosen") {
            qobject_cast<TabPanel*>(root)->tabChosen();
            continue;
        }
        qsizetype at = 0;
        while (at < step.size() && step[at] != u':' && step[at] != u'=')
            ++at;
        QWidget* control = at == 0 ? QApplication::focusWidget() : root->findChild<QWidget*>(step.left(at));
        QVERIFY2(control, qPrintable(step));
        if (at == step.size()) {
            QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, control->height() / 2));
            continue;
        }
        control->setFocus();
        if (step[at] == u'=') {
            QTest::keyClicks(control, step.mid(at + 1));
            continue;
        }
        const QKeyCombination key = QKeySequence::fromString(step.mid(at + 1))[0];
        QTest::keyClick(control, key.key(), key.keyboardModifiers());
        // A mnemonic clicks its button as a button animates a click: what it does lands a moment later.
        for (const QAbstractButton* button : root->findChildren<QAbstractButton*>())
            QTRY_VERIFY(!button->isDown());
    }
}

} // namespace mx::test
