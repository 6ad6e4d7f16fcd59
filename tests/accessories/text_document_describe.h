#pragma once

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

// A text document as short text, one line per block, read straight from Qt's formats:
//   "C [Arial 16 b #ff0000]Title"
// The letter is the alignment (L C R J); each fragment opens with its family, points, b i u, s (strike), super or
// sub, colour and "bg" with the background colour as the fragment states them ("-" for a family or size left to
// the document's default). An empty block shows the format of its mark after "|". A line break shows as "<br>".
namespace mx::test {

inline QString describeTextFormat(const QTextCharFormat& f)
{
    QStringList parts;
    const QStringList families = f.property(QTextFormat::FontFamilies).toStringList();
    parts << (families.isEmpty() ? QStringLiteral("-") : families.first());
    parts << (f.hasProperty(QTextFormat::FontPointSize) ? QString::number(f.fontPointSize()) : QStringLiteral("-"));
    if (f.fontWeight() >= QFont::Bold)
        parts << QStringLiteral("b");
    if (f.fontItalic())
        parts << QStringLiteral("i");
    if (f.fontUnderline())
        parts << QStringLiteral("u");
    if (f.fontStrikeOut())
        parts << QStringLiteral("s");
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        parts << QStringLiteral("super");
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        parts << QStringLiteral("sub");
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        parts << f.foreground().color().name();
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        parts << QStringLiteral("bg") + f.background().color().name();
    return u'[' + parts.join(u' ') + u']';
}

inline QStringList describeDocument(const QTextDocument& doc)
{
    QStringList lines;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment a = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        QString line = a == Qt::AlignHCenter   ? QStringLiteral("C ")
                       : a == Qt::AlignRight   ? QStringLiteral("R ")
                       : a == Qt::AlignJustify ? QStringLiteral("J ")
                                               : QStringLiteral("L ");
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QString text = it.fragment().text();
            text.replace(QChar::LineSeparator, QStringLiteral("<br>"));
            line += describeTextFormat(it.fragment().charFormat()) + text;
        }
        if (block.length() == 1)
            line += u'|' + describeTextFormat(block.charFormat());
        lines << line;
    }
    return lines;
}

} // namespace mx::test
