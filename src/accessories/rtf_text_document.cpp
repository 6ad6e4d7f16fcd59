#include "accessories/rtf_text_document.h"

#include "accessories/rtf_reader.h"
#include "accessories/rtf_writer.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <QHash>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace mx {
namespace {

// Marks a text document keeps for its own structure (objects such as images, frame boundaries): not text.
bool isStructureMark(QChar c)
{
    return c == QChar::ObjectReplacementCharacter || c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1;
}

RtfCharFormat modelFormat(const QTextCharFormat& f, const QFont& defaultFont)
{
    RtfCharFormat r;
    const QStringList families = f.property(QTextFormat::FontFamilies).toStringList();
    r.family = families.isEmpty() ? defaultFont.family() : families.first();
    qreal points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : defaultFont.pointSizeF();
    if (!(points > 0))
        points = kDefaultHalfPoints / 2.0;
    r.halfPoints = int(std::clamp(std::lround(points * 2), long(kMinHalfPoints), long(kMaxHalfPoints)));
    const int weight = f.hasProperty(QTextFormat::FontWeight) ? f.fontWeight() : int(defaultFont.weight());
    r.bold = weight >= QFont::DemiBold;
    r.italic = f.hasProperty(QTextFormat::FontItalic) ? f.fontItalic() : defaultFont.italic();
    if (f.hasProperty(QTextFormat::TextUnderlineStyle))
        r.underline = f.underlineStyle() != QTextCharFormat::NoUnderline;
    else
        r.underline = f.hasProperty(QTextFormat::FontUnderline) ? f.fontUnderline() : defaultFont.underline();
    const auto modelColor = [&f](QTextFormat::Property property) -> std::optional<RtfColor> {
        const QBrush brush = f.brushProperty(property);
        if (!f.hasProperty(property) || brush.style() == Qt::NoBrush)
            return std::nullopt;
        // Pasted web text often states a transparent background: no highlight.
        if (property == QTextFormat::BackgroundBrush && brush.color().alpha() == 0)
            return std::nullopt;
        const QColor c = brush.color().toRgb();
        return RtfColor{quint8(c.red()), quint8(c.green()), quint8(c.blue())};
    };
    r.color = modelColor(QTextFormat::ForegroundBrush);
    r.strike = f.hasProperty(QTextFormat::FontStrikeOut) ? f.fontStrikeOut() : defaultFont.strikeOut();
    switch (f.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript:
        r.vertical = RtfVertical::Superscript;
        break;
    case QTextCharFormat::AlignSubScript:
        r.vertical = RtfVertical::Subscript;
        break;
    default:
        break;
    }
    r.highlight = modelColor(QTextFormat::BackgroundBrush);
    return r;
}

QTextCharFormat documentFormat(const RtfCharFormat& r)
{
    QTextCharFormat f;
    if (!r.family.isEmpty())
        f.setFontFamilies({r.family});
    f.setFontPointSize(r.halfPoints / 2.0);
    f.setFontWeight(r.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(r.italic);
    f.setFontUnderline(r.underline);
    if (r.color)
        f.setForeground(QColor(r.color->red, r.color->green, r.color->blue));
    if (r.strike)
        f.setFontStrikeOut(true);
    if (r.vertical != RtfVertical::Baseline)
        f.setVerticalAlignment(r.vertical == RtfVertical::Superscript ? QTextCharFormat::AlignSuperScript
                                                                      : QTextCharFormat::AlignSubScript);
    if (r.highlight)
        f.setBackground(QColor(r.highlight->red, r.highlight->green, r.highlight->blue));
    return f;
}

RtfAlignment modelAlignment(Qt::Alignment alignment)
{
    switch (alignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute) {
    case Qt::AlignHCenter:
        return RtfAlignment::Center;
    case Qt::AlignRight:
        return RtfAlignment::Right;
    case Qt::AlignJustify:
        return RtfAlignment::Justify;
    default:
        return RtfAlignment::Left;
    }
}

Qt::Alignment documentAlignment(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Center:
        return Qt::AlignHCenter;
    case RtfAlignment::Right:
        return Qt::AlignRight;
    case RtfAlignment::Justify:
        return Qt::AlignJustify;
    case RtfAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Formats already converted. A notes page uses a few dozen formats over many thousand runs, and a document
// recognises a format object it holds already without comparing its properties.
class DocumentFormats {
public:
    const QTextCharFormat& get(const RtfCharFormat& format)
    {
        const auto colorKey = [](const std::optional<RtfColor>& c) {
            return c ? (1u << 24) | (uint(c->red) << 16) | (uint(c->green) << 8) | c->blue : 0u;
        };
        const std::size_t hash =
            qHashMulti(0, format.family, format.halfPoints, format.bold, format.italic, format.underline,
                       colorKey(format.color), format.strike, int(format.vertical), colorKey(format.highlight));
        auto [first, last] = cache_.equal_range(hash);
        for (auto it = first; it != last; ++it) {
            if (it->second.first == format)
                return it->second.second;
        }
        return cache_.emplace(hash, std::pair(format, documentFormat(format)))->second.second;
    }

private:
    std::unordered_multimap<std::size_t, std::pair<RtfCharFormat, QTextCharFormat>> cache_;
};

} // namespace

RtfDocument rtfModelFromDocument(const QTextDocument& document)
{
    const QFont defaultFont = document.defaultFont();
    // A document keeps each distinct format once, by index: each is converted once.
    QHash<int, RtfCharFormat> formats;
    const auto modelFormatAt = [&](int index, const auto& formatOf) {
        auto it = formats.constFind(index);
        if (it == formats.cend())
            it = formats.insert(index, modelFormat(formatOf(), defaultFont));
        return *it;
    };
    RtfDocument model;
    model.paragraphs.reserve(std::size_t(document.blockCount()));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RtfParagraph paragraph;
        paragraph.alignment = modelAlignment(block.blockFormat().alignment());
        paragraph.markFormat = modelFormatAt(block.charFormatIndex(), [&] { return block.charFormat(); });
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            QString text = fragment.text();
            text.removeIf(isStructureMark); // an image is one such mark: it has no text to keep
            if (text.isEmpty())
                continue;
            RtfCharFormat format = modelFormatAt(fragment.charFormatIndex(), [&] { return fragment.charFormat(); });
            if (!paragraph.runs.empty() && paragraph.runs.back().format == format)
                paragraph.runs.back().text += text;
            else
                paragraph.runs.push_back(RtfRun{std::move(text), std::move(format)});
        }
        model.paragraphs.push_back(std::move(paragraph));
    }
    return model;
}

void fillDocumentFromRtfModel(QTextDocument& document, const RtfDocument& model)
{
    // Without undo the load is one quick edit, and the user cannot undo the file away.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    DocumentFormats formats;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const RtfParagraph& paragraph : model.paragraphs) {
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(documentAlignment(paragraph.alignment));
        const QTextCharFormat& mark = formats.get(paragraph.markFormat);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(mark);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, mark);
        }
        for (const RtfRun& run : paragraph.runs)
            cursor.insertText(run.text, formats.get(run.format));
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
    document.setModified(false);
}

QByteArray writeRtf(const QTextDocument& document)
{
    return writeRtfModel(rtfModelFromDocument(document));
}

RtfIssues readRtf(QByteArrayView bytes, QTextDocument& document)
{
    const RtfReadResult result = readRtfModel(bytes);
    fillDocumentFromRtfModel(document, result.document);
    return result.issues;
}

} // namespace mx
