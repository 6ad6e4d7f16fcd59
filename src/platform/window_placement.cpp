#include "platform/window_placement.h"

#include "common/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace mx {

QPoint centredTopLeftTwips(QSize screenTwips, QSize windowTwips)
{
    return {(screenTwips.width() - windowTwips.width()) / 2, (screenTwips.height() - windowTwips.height()) / 2};
}

QSize screenSizeTwips(const QWidget* widget)
{
    const QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize px = screen->geometry().size();
    return {int(pixelsToTwips(px.width())), int(pixelsToTwips(px.height()))};
}

QSize windowSizeTwips(const QWidget* window)
{
    const QSize px = window->frameGeometry().size();
    return {int(pixelsToTwips(px.width())), int(pixelsToTwips(px.height()))};
}

void moveWindowTwips(QWidget* window, QPoint topLeftTwips)
{
    // QWidget::move() places the frame's corner for top-level windows.
    window->move(twipsToPixels(topLeftTwips.x()), twipsToPixels(topLeftTwips.y()));
}

QPoint windowPosTwips(const QWidget* window)
{
    const QPoint px = window->frameGeometry().topLeft();
    return {int(pixelsToTwips(px.x())), int(pixelsToTwips(px.y()))};
}

void centreOnScreen(QWidget* window)
{
    moveWindowTwips(window, centredTopLeftTwips(screenSizeTwips(window), windowSizeTwips(window)));
}

QPoint openingPosTwips(QSize windowTwips, QPoint storedTwips, QSize screenTwips, bool centre)
{
    return centre ? centredTopLeftTwips(screenTwips, windowTwips) : storedTwips;
}

bool placeAccessoryWindow(QWidget* window, QSize outerSizeTwips, QPoint storedTwips, PlacementState state,
                          PlacementGuard guard)
{
    if (guard == PlacementGuard::SkipWhileMinimisedOrResizing && (state.mainResizing || window->isMinimized()))
        return false;
    moveWindowTwips(window, openingPosTwips(outerSizeTwips, storedTwips, screenSizeTwips(window), state.centre));
    return true;
}

} // namespace mx
