#pragma once

// The large notes file the notes benchmarks open, save and search: about a million characters of mixed formatting in
// 5 MB of RTF.
#include "accessories/rtf_model.h"
#include "accessories/rtf_writer.h"

#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>

namespace mx::bench {

// One word a run, each run formatted unlike the last (as notes pasted together from many places are); a
// paragraph every forty runs or so.
inline mx::RtfDocument largeNotes()
{
    QRandomGenerator random(42);
    const QStringList words{u"pressure"_qs,
                            u"valve"_qs,
                            u"at"_qs,
                            u"25"_qs,
                            u"\u00B0C"_qs,
                            u"pump"_qs,
                            u"bearing"_qs,
                            u"0.5 mm"_qs,
                            u"the"_qs,
                            u"check"_qs,
                            u"caf\u00E9"_qs,
                            u"\u2013"_qs,
                            u"\u201Cnote\u201D"_qs,
                            u"\u03A9"_qs,
                            u"flow"_qs,
                            u"r\u00E9gl\u00E9"_qs,
                            u"\u00FCber"_qs,
                            u"\u00D8 50"_qs,
                            u"\u00E0 \u00E9t\u00E9"_qs,
                            u"Stra\u00DFe"_qs,
                            u"\u2264 5\u00A0%"_qs,
                            u"\u00BD\u00A0\u00B5m"_qs,
                            u"="_qs,
                            u"\u00B1"_qs,
                            u"x"_qs,
                            u"/"_qs};
    const QStringList families{u"Arial"_qs, u"Times New Roman"_qs, u"Courier New"_qs};
    const int sizes[] = {18, 20, 22, 24, 28, 32};
    const mx::RtfColor colors[] = {{255, 0, 0}, {0, 0, 255}, {0, 128, 0}};

    mx::RtfDocument doc;
    qsizetype chars = 0;
    while (chars < 1'090'000) { // about 5 MB of RTF
        mx::RtfParagraph paragraph;
        paragraph.alignment = mx::RtfAlignment(random.bounded(4));
        const int runs = random.bounded(20, 60);
        for (int r = 0; r < runs; ++r) {
            mx::RtfCharFormat f;
            f.family = families[random.bounded(3)];
            f.halfPoints = sizes[random.bounded(6)];
            f.bold = random.bounded(2) == 0;
            f.italic = random.bounded(2) == 0;
            f.underline = random.bounded(3) == 0;
            if (random.bounded(2) == 0)
                f.color = colors[random.bounded(3)];
            QString text;
            const int count = 1;
            for (int w = 0; w < count; ++w)
                text += words[random.bounded(int(words.size()))] + u' ';
            if (!paragraph.runs.empty() && paragraph.runs.back().format == f)
                paragraph.runs.back().text += text;
            else
                paragraph.runs.push_back({text, f});
            chars += text.size();
        }
        paragraph.markFormat = paragraph.runs.back().format;
        doc.paragraphs.push_back(std::move(paragraph));
    }
    return doc;
}

inline const QByteArray& largeNotesBytes()
{
    static const QByteArray bytes = [] {
        const mx::RtfDocument doc = largeNotes();
        qsizetype chars = 0;
        for (const auto& p : doc.paragraphs) {
            for (const auto& run : p.runs)
                chars += run.text.size();
        }
        const QByteArray b = mx::writeRtfModel(doc);
        std::size_t runs = 0;
        for (const auto& p : doc.paragraphs)
            runs += p.runs.size();
        std::printf("notes file: %lld bytes, %lld characters, %zu runs, %zu paragraphs\n",
                    static_cast<long long>(b.size()), static_cast<long long>(chars), runs, doc.paragraphs.size());
        return b;
    }();
    return bytes;
}

} // namespace mx::bench
