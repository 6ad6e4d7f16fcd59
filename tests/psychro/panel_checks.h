#pragma once

#include "common/twips.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRect>
#include <QTest>

// Checks both panel suites share.
namespace mx::test {

// The control named by the current data tag sits at its twips place in its parent (and has its designed size where
// `twips` gives one), lies inside the panel, and is named for screen readers.
inline void checkPlacement(QWidget* panel, const QString& parentName, const QRect& twips)
{
    auto* widget = panel->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->pos(), QPoint(twipsToPixels(twips.left()), twipsToPixels(twips.top())));
    if (twips.width() > 0)
        QCOMPARE(widget->size(), twipsSize(twips.width(), twips.height()));
    QVERIFY(panel->rect().contains(QRect(widget->mapTo(panel, QPoint(0, 0)), widget->size())));
    QCOMPARE(panel->minimumSize(), panel->maximumSize());
    const auto* label = qobject_cast<const QLabel*>(widget);
    QVERIFY(!widget->accessibleName().isEmpty() || !widget->accessibleDescription().isEmpty() ||
            (label && !label->text().isEmpty()));
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
