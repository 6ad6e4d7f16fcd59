#include "platform/tool_icons.h"

#include "platform/drawn_icon.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>

#include <initializer_list>
#include <utility>

namespace mx {
namespace {

// The drawings are on 16 units.
void drawDisk(QPainter& p)
{
    p.setPen(QPen(QColor(20, 40, 110), 1));
    p.setBrush(QColor(40, 80, 170));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(3.5, 9.5, 9, 5));
}

void drawScissors(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1.4));
    p.drawLine(QPointF(4, 1), QPointF(11, 10));
    p.drawLine(QPointF(12, 1), QPointF(5, 10));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(180, 30, 30), 1.4));
    p.drawEllipse(QPointF(4, 12.5), 2.5, 2.5);
    p.drawEllipse(QPointF(12, 12.5), 2.5, 2.5);
}

void drawPages(QPainter& p)
{
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 8, 10));
    p.drawRect(QRectF(6.5, 4.5, 8, 10));
    for (const double y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(8.5, y), QPointF(12.5, y));
}

void drawClipboard(QPainter& p)
{
    p.setPen(QPen(QColor(90, 60, 20), 1));
    p.setBrush(QColor(170, 120, 60));
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 13), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 4.5, 7, 9));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(5.5, 1.5, 5, 3));
}

void drawCheckMark(QPainter& p)
{
    p.setPen(QPen(QColor(30, 130, 40), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
}

void drawMagnifier(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1.2));
    p.drawEllipse(QRectF(2.5, 2.5, 8, 8));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

void drawSpelling(QPainter& p)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(8);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 0, 16, 9), Qt::AlignCenter, QStringLiteral("abc"));
    p.setPen(QPen(Qt::darkGreen, 1.6));
    p.drawPolyline(QPolygonF({QPointF(4, 12), QPointF(7, 15), QPointF(13, 9)}));
}

// Four lines of text, each from `left` to `right`.
void drawLines(QPainter& p, std::initializer_list<std::pair<int, int>> spans)
{
    p.setPen(QPen(Qt::black, 1.2));
    double y = 3.5;
    for (const auto& [left, right] : spans) {
        p.drawLine(QPointF(left, y), QPointF(right, y));
        y += 3;
    }
}

void drawLetter(QPainter& p, const QString& letter, bool bold, bool italic, bool underline)
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(13);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, letter);
}

struct ToolPicture {
    const char16_t* key;
    const char* themeName; // empty: the desktop has no icon for it
    void (*draw)(QPainter&);
};

constexpr ToolPicture kPictures[] = {
    {u"tlbSave", "document-save", drawDisk},
    {u"tlbCut", "edit-cut", drawScissors},
    {u"tlbCopy", "edit-copy", drawPages},
    {u"tlbPaste", "edit-paste", drawClipboard},
    {u"tlbCheck", "", drawCheckMark},
    {u"tlbFind", "edit-find", drawMagnifier},
    {u"tlbSpelling", "tools-check-spelling", drawSpelling},
    {u"tlbBold", "format-text-bold", [](QPainter& p) { drawLetter(p, QStringLiteral("B"), true, false, false); }},
    {u"tlbItalic", "format-text-italic", [](QPainter& p) { drawLetter(p, QStringLiteral("I"), false, true, false); }},
    {u"tlbUnderline", "format-text-underline",
     [](QPainter& p) { drawLetter(p, QStringLiteral("U"), false, false, true); }},
    {u"tlbLeft", "format-justify-left", [](QPainter& p) { drawLines(p, {{2, 14}, {2, 10}, {2, 14}, {2, 8}}); }},
    {u"tlbCenter", "format-justify-center", [](QPainter& p) { drawLines(p, {{2, 14}, {4, 12}, {2, 14}, {5, 11}}); }},
    {u"tlbRight", "format-justify-right", [](QPainter& p) { drawLines(p, {{2, 14}, {6, 14}, {2, 14}, {8, 14}}); }},
};

} // namespace

QIcon toolIcon(QStringView key)
{
    for (const ToolPicture& picture : kPictures) {
        if (key != QStringView(picture.key))
            continue;
        const QIcon drawn = drawnIcon(picture.draw);
        const QString themeName = QString::fromLatin1(picture.themeName);
        return themeName.isEmpty() ? drawn : QIcon::fromTheme(themeName, drawn);
    }
    return {};
}

} // namespace mx
