#pragma once

#include "accessories/rtf_model.h"

#include <QStringList>

// The model as short text, one line per paragraph, for literal expectations:
//   "C [Arial 16 b #ff0000]Title[Arial 12] rest"
// The letter is the alignment (L C R J); each run opens with its format (family, points, b i u, s for strike,
// super or sub, colour, "bg" and the highlight colour); a tab shows as "\t", a line break as "<br>". The
// paragraph mark's format follows a "|" when it differs from the last run's (always for an empty paragraph).
namespace mx::test {

inline QString describeColor(const RtfColor& c)
{
    return QStringLiteral("#%1%2%3")
        .arg(c.red, 2, 16, QChar(u'0'))
        .arg(c.green, 2, 16, QChar(u'0'))
        .arg(c.blue, 2, 16, QChar(u'0'));
}

inline QString describeFormat(const RtfCharFormat& f)
{
    QStringList parts;
    if (!f.family.isEmpty())
        parts << f.family;
    parts << QString::number(f.halfPoints / 2) + (f.halfPoints % 2 ? QStringLiteral(".5") : QString());
    if (f.bold)
        parts << QStringLiteral("b");
    if (f.italic)
        parts << QStringLiteral("i");
    if (f.underline)
        parts << QStringLiteral("u");
    if (f.strike)
        parts << QStringLiteral("s");
    if (f.vertical != RtfVertical::Baseline)
        parts << (f.vertical == RtfVertical::Superscript ? QStringLiteral("super") : QStringLiteral("sub"));
    if (f.color)
        parts << describeColor(*f.color);
    if (f.highlight)
        parts << QStringLiteral("bg") + describeColor(*f.highlight);
    return u'[' + parts.join(u' ') + u']';
}

inline QStringList describe(const RtfDocument& doc)
{
    static constexpr char16_t kAlign[] = u"LCRJ";
    QStringList lines;
    for (const RtfParagraph& p : doc.paragraphs) {
        QString line{QChar(kAlign[int(p.alignment)])};
        line += u' ';
        for (const RtfRun& run : p.runs) {
            QString text = run.text;
            text.replace(QChar(0x2028), QStringLiteral("<br>"));
            line += describeFormat(run.format) + text;
        }
        if (p.runs.empty() || !(p.runs.back().format == p.markFormat))
            line += u'|' + describeFormat(p.markFormat);
        lines << line;
    }
    return lines;
}

// The issues as their names, lowest bit first: "Unbalanced Truncated"; "" for none.
inline QString describe(RtfIssues issues)
{
    static const QStringList kNames = QStringLiteral("NotRtf Unbalanced TooDeep Truncated TooLong UnknownCodePage "
                                                     "SkippedObjects SkippedHeaders SkippedFooters SkippedHidden")
                                          .split(u' ');
    QStringList names;
    for (qsizetype bit = 0; bit < kNames.size(); ++bit) {
        if (issues.toInt() & (1 << bit))
            names << kNames[bit];
    }
    return names.join(u' ');
}

} // namespace mx::test
