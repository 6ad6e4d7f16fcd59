#pragma once

#include "common/twips.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRect>
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

// The control sits at its twips place in its parent, with its designed size where `twips` gives one.
inline void checkPlacement(QWidget* panel, const QString& name, const QRect& twips)
{
    const auto* widget = panel->findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->pos(), QPoint(twipsToPixels(twips.left()), twipsToPixels(twips.top())));
    if (twips.width() > 0)
        QCOMPARE(widget->size(), twipsSize(twips.width(), twips.height()));
}

inline void clickAll(QWidget* panel, const QStringList& names)
{
    for (const QString& name : names) {
        auto* button = panel->findChild<QAbstractButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
}

} // namespace mx::test
