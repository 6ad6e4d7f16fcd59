#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// The program's windows in the order they were loaded. The main window registers first; accessory windows register
// when created and drop out when destroyed. Minimising the main window hides the others, closing it closes them in
// reverse order.
namespace mx {

void registerLoadedWindow(QWidget* window);
QList<QWidget*> loadedWindows();

} // namespace mx
