#include "shell/shell_art.h"

#include "platform/drawn_icon.h"
#include "platform/form_layout.h"
#include "version.h"

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <QtMath>

namespace mx {
namespace {

const QColor kNavy(0x1b, 0x3a, 0x66);
const QColor kSignalRed(0xd6, 0x3b, 0x2a);

// A transparent pixmap of `size` in the program's own pixels with `ratio` device pixels behind each: the drawing below
// stays in those coordinates and comes out crisp at any scale.
QPixmap blank(QSize size, qreal ratio)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

qreal screenPixelRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

namespace {

void paintProductIcon(QPainter& p, double s)
{
    QLinearGradient tile(0, 0, 0, s);
    tile.setColorAt(0, QColor(0x3b, 0x7d, 0xc4));
    tile.setColorAt(1, kNavy);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);

    // The dial: an upper half circle with ticks, the needle leaning right.
    const QPointF centre(s * 0.5, s * 0.68);
    const double radius = s * 0.36;
    p.setPen(QPen(Qt::white, qMax(1.0, s / 20.0), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 0, 180 * 16);
    for (int i = 0; i <= 6; ++i) {
        const double angle = qDegreesToRadians(180.0 - i * 30.0);
        const QPointF outer(centre.x() + radius * std::cos(angle), centre.y() - radius * std::sin(angle));
        const double inner = radius * (i % 3 == 0 ? 0.68 : 0.8);
        p.drawLine(QPointF(centre.x() + inner * std::cos(angle), centre.y() - inner * std::sin(angle)), outer);
    }
    const double needle = qDegreesToRadians(55.0);
    p.setPen(QPen(kSignalRed, qMax(1.0, s / 14.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre,
               QPointF(centre.x() + radius * 0.85 * std::cos(needle), centre.y() - radius * 0.85 * std::sin(needle)));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, s * 0.06, s * 0.06);
}

} // namespace

QPixmap drawProductIcon(int size, qreal ratio)
{
    QPixmap pixmap = blank({size, size}, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paintProductIcon(p, size);
    return pixmap;
}

QIcon productIcon()
{
    // Drawn on 48 units: the line widths keep the proportions of the splash's picture at every size.
    constexpr double kSide = 48;
    return QIcon::fromTheme(QString::fromUtf16(kProductIconName),
                            drawnIcon([](QPainter& p) { paintProductIcon(p, kSide); }, kSide));
}

QPixmap drawMakerLogo(QSize size, qreal ratio)
{
    QPixmap pixmap = blank(size, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = size.height();
    p.setPen(QPen(kNavy, qMax(2.0, h / 8.0)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(h * 0.14, h * 0.14, h * 0.72, h * 0.72));
    p.setPen(QPen(kSignalRed, qMax(2.0, h / 8.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(h * 0.6, h * 0.6), QPointF(h * 0.88, h * 0.88));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qMax(8, int(h * 0.6)));
    font.setBold(true);
    font.setLetterSpacing(QFont::PercentageSpacing, 112);
    p.setFont(font);
    p.setPen(kNavy);
    p.drawText(QRectF(h * 1.08, 0, size.width() - h * 1.08, h), Qt::AlignVCenter | Qt::AlignLeft,
               QString::fromUtf8(version::kCompanyName).section(u' ', 0, 0).toUpper());
    return pixmap;
}

QPixmap drawLinkPicture(int size, qreal ratio)
{
    QPixmap pixmap = blank({size, size}, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QRectF globe(s * 0.04, s * 0.04, s * 0.74, s * 0.74);
    QRadialGradient sea(globe.center() - QPointF(s * 0.12, s * 0.12), s * 0.5);
    sea.setColorAt(0, QColor(0x9f, 0xd3, 0xf5));
    sea.setColorAt(1, QColor(0x2a, 0x7a, 0xc0));
    p.setBrush(sea);
    p.setPen(QPen(kNavy, qMax(1.0, s / 28.0)));
    p.drawEllipse(globe);
    // Two meridians and two parallels.
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(globe.center().x() - globe.width() * 0.22, globe.top(), globe.width() * 0.44, globe.height()));
    p.drawLine(QPointF(globe.center().x(), globe.top()), QPointF(globe.center().x(), globe.bottom()));
    p.drawLine(QPointF(globe.left(), globe.center().y()), QPointF(globe.right(), globe.center().y()));
    p.drawLine(QPointF(globe.left() + globe.width() * 0.1, globe.top() + globe.height() * 0.27),
               QPointF(globe.right() - globe.width() * 0.1, globe.top() + globe.height() * 0.27));

    // A pointer arrow over the lower right of the globe.
    QPainterPath arrow;
    const QPointF tip(s * 0.52, s * 0.5);
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(0, s * 0.44));
    arrow.lineTo(tip + QPointF(s * 0.11, s * 0.33));
    arrow.lineTo(tip + QPointF(s * 0.2, s * 0.48));
    arrow.lineTo(tip + QPointF(s * 0.27, s * 0.44));
    arrow.lineTo(tip + QPointF(s * 0.18, s * 0.3));
    arrow.lineTo(tip + QPointF(s * 0.32, s * 0.3));
    arrow.closeSubpath();
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, qMax(1.0, s / 32.0)));
    p.drawPath(arrow);
    return pixmap;
}

QPixmap drawDirectionPicture(Heading heading, int size, qreal ratio)
{
    QPixmap pixmap = blank({size, size}, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    p.setPen(QPen(Qt::black, qMax(1.0, s / 24.0)));
    p.setBrush(QColor(0xff, 0xd7, 0x2e));
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));

    // An arrow drawn pointing down and right, then turned to the heading.
    double turn = 0;
    switch (heading) {
    case Heading::DownRight:
        turn = 0;
        break;
    case Heading::DownLeft:
        turn = 90;
        break;
    case Heading::UpLeft:
        turn = 180;
        break;
    case Heading::UpRight:
        turn = 270;
        break;
    }
    p.translate(s / 2, s / 2);
    p.rotate(turn);
    QPainterPath arrow;
    arrow.moveTo(-s * 0.26, -s * 0.26);
    arrow.lineTo(s * 0.12, s * 0.12);
    arrow.moveTo(s * 0.26, s * 0.26);
    arrow.lineTo(s * 0.26, -s * 0.02);
    arrow.lineTo(-s * 0.02, s * 0.26);
    arrow.closeSubpath();
    p.setPen(QPen(kNavy, qMax(1.5, s / 9.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kNavy);
    p.drawPath(arrow);
    return pixmap;
}

QPixmap drawTipPicture(int size, qreal ratio)
{
    QPixmap pixmap = blank({size, size}, ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    // Rays, the glass, then the screw base.
    p.setPen(QPen(QColor(0xf2, 0xa9, 0x00), qMax(1.0, s / 22.0), Qt::SolidLine, Qt::RoundCap));
    const QPointF glow(s * 0.5, s * 0.38);
    for (int i = 0; i < 7; ++i) {
        const double angle = qDegreesToRadians(180.0 - i * 30.0);
        p.drawLine(glow + QPointF(s * 0.33 * std::cos(angle), -s * 0.33 * std::sin(angle)),
                   glow + QPointF(s * 0.45 * std::cos(angle), -s * 0.45 * std::sin(angle)));
    }
    QRadialGradient light(glow, s * 0.26);
    light.setColorAt(0, QColor(0xff, 0xfb, 0xd0));
    light.setColorAt(1, QColor(0xff, 0xd8, 0x3a));
    p.setBrush(light);
    p.setPen(QPen(QColor(0x8a, 0x6a, 0x00), qMax(1.0, s / 30.0)));
    QPainterPath glass;
    glass.addEllipse(glow, s * 0.24, s * 0.24);
    QPainterPath neck;
    neck.addRect(QRectF(s * 0.4, s * 0.52, s * 0.2, s * 0.16));
    p.drawPath(glass.united(neck));
    p.setBrush(QColor(0x90, 0x90, 0x98));
    p.setPen(QPen(QColor(0x40, 0x40, 0x48), qMax(1.0, s / 30.0)));
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(s * 0.38, s * (0.68 + i * 0.07), s * 0.24, s * 0.07), s * 0.02, s * 0.02);
    return pixmap;
}

QFont headingFont(QFont body, qreal factor)
{
    body.setBold(true);
    return scaledFont(body, factor);
}

} // namespace mx
