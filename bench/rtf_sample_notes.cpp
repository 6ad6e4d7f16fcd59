// Writes sample notes through the notes' RTF writer for bench/rtf_readers.sh, which opens them with other word
// processors' readers: for each sample <name>.rtf and <name>.txt, its text as UTF-8, one line per paragraph.
// Usage: rtf_sample_notes <folder>

#include "accessories/rtf_writer.h"
#include "platform/atomic_file.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace mx;

namespace {

struct Sample {
    const char* name;
    RtfDocument document;
};

RtfCharFormat format(const char* family, const char* flags = "")
{
    RtfCharFormat f;
    f.family = QString::fromLatin1(family);
    const QByteArrayView set(flags);
    f.bold = set.contains('b');
    f.strike = set.contains('s');
    f.vertical = set.contains('^')   ? RtfVertical::Superscript
                 : set.contains('_') ? RtfVertical::Subscript
                                     : RtfVertical::Baseline;
    if (set.contains('h'))
        f.highlight = RtfColor{255, 255, 0};
    return f;
}

RtfParagraph paragraph(std::vector<RtfRun> runs)
{
    RtfParagraph p;
    p.runs = std::move(runs);
    p.markFormat = p.runs.back().format;
    return p;
}

std::vector<Sample> samples()
{
    const RtfCharFormat arial = format("Arial");
    const RtfCharFormat symbol = format("Symbol");
    return {
        {"unicode",
         {{paragraph({{QStringLiteral("\u03A9hm and 5 \u00B5m, 3 \u20AC, \u201Cquoted\u201D \u2014 done"), arial}}),
           paragraph({{QStringLiteral("\u03A3 = 12 \u03A9; \u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC "
                                      "\u041A\u0438\u0440\u0438\u043B\u043B\u0438\u0446\u0430 \u4E2D\u6587a"),
                       arial}}),
           paragraph({{QStringLiteral("\u2264\u2265\u2260 x\u00B2 \u0152uvre caf\u00E9"), arial}})}}},
        {"astral", {{paragraph({{QStringLiteral("Smile \U0001F600 and \U0001D400 end"), arial}})}}},
        {"symbol",
         {{paragraph({{QStringLiteral("\u2022\t"), symbol}, {QStringLiteral("Check the filter"), arial}}),
           paragraph({{QStringLiteral("Angle "), arial}, {QStringLiteral("\u03B1 \u2265 \u03A9"), symbol}})}}},
        {"text",
         {{paragraph({{QStringLiteral("Braces {x}, a backslash \\ and 12 \\par literally"), arial}}),
           paragraph({{QStringLiteral("Tab\there, [Footnote: kept as text]"), arial}})}}},
        {"formats",
         {{paragraph({{QStringLiteral("H"), arial},
                      {QStringLiteral("2"), format("Arial", "_")},
                      {QStringLiteral("O in m"), arial},
                      {QStringLiteral("3"), format("Arial", "^")},
                      {QStringLiteral(", "), arial},
                      {QStringLiteral("old"), format("Arial", "s")},
                      {QStringLiteral(" new "), arial},
                      {QStringLiteral("seal"), format("Arial", "h")}})}}},
    };
}

QString plainText(const RtfDocument& document)
{
    QString text;
    for (const RtfParagraph& p : document.paragraphs) {
        for (const RtfRun& run : p.runs)
            text += run.text;
        text += u'\n';
    }
    return text.replace(QChar(0x2028), u'\n');
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fputs("usage: rtf_sample_notes <folder>\n", stderr);
        return 2;
    }
    const QDir folder(args[1]);
    for (const Sample& sample : samples()) {
        const QString name = QString::fromLatin1(sample.name);
        if (!writeFileAtomically(folder.filePath(name + QStringLiteral(".rtf")), writeRtfModel(sample.document)) ||
            !writeFileAtomically(folder.filePath(name + QStringLiteral(".txt")), plainText(sample.document).toUtf8())) {
            std::fprintf(stderr, "cannot write %s in %s\n", sample.name, qPrintable(args[1]));
            return 1;
        }
    }
    return 0;
}
