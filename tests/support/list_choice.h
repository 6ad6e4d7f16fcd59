#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>

// Used by the install probe too, which has no Qt Test: the events are sent by hand.
namespace mx::test {

// Chooses an entry of a drop-down list as a user does: Alt+Down opens the list, a click takes the entry.
inline bool chooseFromList(QComboBox* list, const QString& text)
{
    const int row = list->findText(text);
    if (row < 0)
        return false;
    QKeyEvent openKey(QEvent::KeyPress, Qt::Key_Down, Qt::AltModifier);
    QApplication::sendEvent(list, &openKey);
    QAbstractItemView* view = list->view();
    if (!view->isVisible())
        return false;
    const QModelIndex index = view->model()->index(row, list->modelColumn(), list->rootModelIndex());
    view->scrollTo(index);
    QWidget* viewport = view->viewport();
    const QPointF at = view->visualRect(index).center();
    const QPointF global = viewport->mapToGlobal(at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &click);
    }
    return list->currentIndex() == row && !view->isVisible();
}

} // namespace mx::test
