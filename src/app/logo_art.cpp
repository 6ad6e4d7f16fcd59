#include "app/logo_art.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace mx {

QPixmap productIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, size - 2, size - 2);
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, QColor(0x2f, 0x6f, 0xb5));
    fill.setColorAt(1, QColor(0x14, 0x3c, 0x6e));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0x0b, 0x24, 0x44), 1));
    p.drawRoundedRect(r, size / 6.0, size / 6.0);
    // A ruler's ticks over a thermometer's bulb: length and temperature, what the program is about.
    p.setPen(QPen(Qt::white, qMax(1.0, size / 24.0)));
    const double base = size * 0.72;
    for (int i = 0; i < 7; ++i) {
        const double x = size * 0.18 + i * size * 0.1;
        p.drawLine(QPointF(x, base), QPointF(x, base - (i % 2 == 0 ? size * 0.18 : size * 0.1)));
    }
    p.drawLine(QPointF(size * 0.15, base), QPointF(size * 0.85, base));
    p.setBrush(QColor(0xe0, 0x3a, 0x2f));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(size * 0.5, size * 0.3), size * 0.11, size * 0.11);
    return pixmap;
}

QPixmap makerLogo(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const int h = size.height();
    // A ring for the "Q", then the name.
    p.setPen(QPen(QColor(0x14, 0x3c, 0x6e), qMax(2.0, h / 9.0)));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(h * 0.12, h * 0.12, h * 0.76, h * 0.76);
    p.drawEllipse(ring);
    p.drawLine(QPointF(h * 0.62, h * 0.62), QPointF(h * 0.9, h * 0.9));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(qMax(8, int(h * 0.62)));
    font.setBold(true);
    font.setLetterSpacing(QFont::PercentageSpacing, 110);
    p.setFont(font);
    p.setPen(QColor(0x14, 0x3c, 0x6e));
    p.drawText(QRectF(h * 1.1, 0, size.width() - h * 1.1, h), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("QUORVANE"));
    return pixmap;
}

} // namespace mx
