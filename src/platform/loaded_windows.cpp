#include "platform/loaded_windows.h"

namespace mx {
namespace {

QList<QPointer<QWidget>>& windows()
{
    static QList<QPointer<QWidget>> list;
    return list;
}

} // namespace

void registerLoadedWindow(QWidget* window)
{
    windows().removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    if (!windows().contains(window))
        windows().append(window);
}

QList<QWidget*> loadedWindows()
{
    QList<QWidget*> out;
    for (const auto& w : windows())
        if (w)
            out.append(w.data());
    return out;
}

} // namespace mx
