#include "platform/drawn_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace mx {
namespace {

class DrawnIconEngine : public QIconEngine {
public:
    DrawnIconEngine(IconDrawing draw, qreal side) : draw_(std::move(draw)), side_(side) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, picture);
    }

    // Asked for in device pixels; the icon sets the screen's ratio on what it returns. Other modes than Normal look
    // as the style makes them from the normal picture (a disabled icon greyed).
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size.width() / side_, size.height() / side_);
        draw_(painter);
        painter.end();
        if (mode == QIcon::Normal || !qApp)
            return picture;
        QStyleOption option;
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(draw_, side_); }

private:
    IconDrawing draw_;
    qreal side_;
};

} // namespace

QIcon drawnIcon(IconDrawing draw, qreal side)
{
    return QIcon(new DrawnIconEngine(std::move(draw), side));
}

} // namespace mx
