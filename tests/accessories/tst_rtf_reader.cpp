#include "accessories/rtf_reader.h"
#include "accessories/rtf_writer.h"

#include "rtf_describe.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::describe;

namespace {

// A document with the two fonts and two colours the snippet rows use.
QByteArray withTables(const QByteArray& body)
{
    return "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}" +
           body + "}";
}

// The bytes of a literal that holds NUL bytes.
template <qsizetype N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QString sample(const char* name)
{
    return QStringLiteral(MX_SOURCE_DIR "/tests/accessories/rtf_samples/") + QLatin1String(name);
}

} // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void samples_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("issues");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("WordPad") << sample("wordpad.rtf") << u""_s
                                 << QStringList{
                                        u"L [Calibri 11]Pump room readings"_s,
                                        u"L [Calibri 11 b]Bold[Calibri 11], [Calibri 11 i]italic[Calibri 11], "
                                        u"[Calibri 11 u]underlined[Calibri 11] and [Calibri 11 #ff0000]red"
                                        u"[Calibri 11] words."_s,
                                        u"C [Arial 16]Centred heading"_s,
                                        u"R [Calibri 11]Set point\t72\u00B0F"_s,
                                        u"L [Symbol 11]\u2022\t[Calibri 11]Check the filter"_s,
                                        u"L [Calibri 11 b i #004dbb]Caf\u00E9 \u20AC 12,50[Calibri 11]<br>next line"_s,
                                    };
        QTest::newRow("WordPad, Cyrillic") << sample("wordpad_cyrillic.rtf") << u""_s
                                           << QStringList{u"L [Calibri 11]\u041F\u0440\u0438\u0432\u0435\u0442, "
                                                          u"\u043C\u0438\u0440! Caf\u00E9"_s};
        QTest::newRow("Word") << sample("word.rtf") << u"SkippedObjects"_s
                              << QStringList{
                                     u"C [Calibri 16 b]Boiler log"_s,
                                     u"L [Calibri 11]Pressure held at 2.5 bar [Calibri 11 i]after[Calibri 11] the "
                                     u"[Calibri 11 u #ff0000]valve[Calibri 11] was \u201Ceased\u201D \u2013 see "
                                     u"\u2116 4."_s,
                                     u"L [Calibri 11]See the [Calibri 11 u #0000ff]manual[Calibri 11]."_s,
                                     u"L |[Calibri 11]"_s,
                                     u"R [Calibri 10]Signed: M. M\u00FCller"_s,
                                 };
        QTest::newRow("LibreOffice Writer")
            << sample("libreoffice.rtf") << u""_s
            << QStringList{
                   u"L [Liberation Sans 16 b]Vibration survey|[Liberation Sans 14]"_s,
                   u"J [Liberation Serif 12]The motor\u2019s mount showed 0.5 mm peak-to-peak at 25 Hz. "
                   u"[Liberation Serif 12 i]Re-check[Liberation Serif 12] next week \u2014 "
                   u"[Liberation Serif 12 u #0070c0]Temperature: 40 \u00B0C|[Liberation Serif 12]"_s,
                   u"C [Liberation Serif 12]\u03B1 = 0.02 \u2264 limit"_s,
                   u"C |[Liberation Serif 12]"_s,
               };
        // Made by LibreOffice 7.4 and pandoc 2.17 from libreoffice_notes.fodt and pandoc_notes.md beside them.
        QTest::newRow("LibreOffice Writer, notes and formats")
            << sample("libreoffice_notes.rtf") << u"SkippedHeaders SkippedFooters SkippedHidden"_s
            << QStringList{
                   u"L [Liberation Serif 12]Valve [Liberation Serif 12 s]A12[Liberation Serif 12] B14 replaced; "
                   u"flow 3.2 m[Liberation Serif 12 super]3[Liberation Serif 12]/h of H[Liberation Serif 12 sub]2"
                   u"[Liberation Serif 12]O."_s,
                   u"L [Liberation Serif 12 bg#ffff00]Check the seal[Liberation Serif 12] before start-up.[Footnote: "
                   u"[Liberation Serif 10]Seal kit 40-112, see the manual.[Liberation Serif 12]] Then log the reading."
                   u"[Comment: Ask about the spare seal.]"_s,
                   u"L [Liberation Serif 12]Hidden from print: done."_s,
                   u"L [Liberation Serif 12]\u03A3 = 12 \u03A9 \u00B1 5 %, 20 \u00B0C, 3 \u20AC \u2014 "
                   u"\u201Cquoted\u201D and "
                   u"[Liberation Serif 12 b]bold[Liberation Serif 12].[Endnote: [Liberation Serif 10]Figures from "
                   u"the 2023 survey.[Liberation Serif 12]]"_s,
                   u"L [Liberation Serif 12] \u2022\tDrain the tank"_s,
                   u"L [Liberation Serif 12] \u2022\tRefill to the mark"_s,
                   u"C [Liberation Serif 12]Angle [Symbol 12]\u03B1[Liberation Serif 12] = 30\u00B0"_s,
               };
        QTest::newRow("pandoc")
            << sample("pandoc_notes.rtf") << u""_s
            << QStringList{
                   u"L [Helvetica 12]Pump room [Helvetica 12 i]readings[Helvetica 12] for [Helvetica 12 b]March"
                   u"[Helvetica 12]: [Helvetica 12 s]old value[Helvetica 12] new value, 4 m[Helvetica 12 super]2"
                   u"[Helvetica 12] and CO[Helvetica 12 sub]2[Helvetica 12] level.[Footnote: Measured at the east wall.]"_s,
                   u"L [Helvetica 12]\u2022\tCheck the filter"_s,
                   u"L [Helvetica 12]\u2022\tDrain the tank, then note 5 \u00B0C"_s,
                   u"L [Helvetica 12]\u03A3 resistance 12 \u03A9, cost 3 \u20AC \u2014 \u201Cdone\u201D."_s,
               };
    }

    void samples()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, expected);
        const QByteArray bytes = test::readFileBytes(path);
        QVERIFY(!bytes.isEmpty());
        const RtfReadResult result = readRtfModel(bytes);
        QCOMPARE(describe(result.document), expected);
        QTEST(describe(result.issues), "issues");
        // Saved and opened again, the text and every format read stay.
        const RtfReadResult again = readRtfModel(writeRtfModel(result.document));
        QCOMPARE(describe(again.document), expected);
        QCOMPARE(describe(again.issues), u""_s);
    }

    // Whole inputs, and snippets in a document with two fonts and two colours: formatting, destinations that hold
    // text (notes kept at their anchors, page furniture and hidden text left out and reported, what holds no text
    // of the document passed over in silence), code pages, malformed input and deep nesting.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected"); // paragraphs joined by " / "
        QTest::addColumn<QString>("issues");
        const auto row = [](const char* name, const QByteArray& input, const char16_t* expected,
                            const char* issues = "") {
            QTest::newRow(name) << input << QString::fromUtf16(expected) << QString::fromLatin1(issues);
        };
        const auto snippet = [&row](const char* name, const QByteArray& body, const char16_t* expected,
                                    const char* issues = "") { row(name, withTables(body), expected, issues); };
        const int n = 100000;
        snippet("bold on and off", "a\\b b\\b0 c", u"L [Arial 12]a[Arial 12 b]b[Arial 12]c");
        snippet("a group restores formatting", "{\\i x{\\b y}}z", u"L [Arial 12 i]x[Arial 12 b i]y[Arial 12]z");
        snippet("plain resets characters", "\\b\\i\\ul\\fs40\\f1\\cf1 x\\plain y",
                u"L [Courier New 20 b i u #ff0000]x[Arial 12]y");
        snippet("underline kinds", "\\ul a\\ulnone b\\uldb c\\ul0 d\\ulwave e",
                u"L [Arial 12 u]a[Arial 12]b[Arial 12 u]c[Arial 12]d[Arial 12 u]e");
        snippet("strike, raised and lowered",
                "\\strike a\\strike0 b\\super c\\nosupersub d\\sub e{\\up6 f}{\\dn4 g}\\up0 h"
                "\\striked1 i\\plain j",
                u"L [Arial 12 s]a[Arial 12]b[Arial 12 super]c[Arial 12]d[Arial 12 sub]e[Arial 12 super]f[Arial 12 "
                u"sub]g[Arial 12]h[Arial 12 s]i[Arial 12]j");
        snippet("highlight from the colour table",
                "\\highlight1 a\\highlight0 b\\chcbpat2\\cf1 c\\plain d\\highlight9 e",
                u"L [Arial 12 bg#ff0000]a[Arial 12]b[Arial 12 #ff0000 bg#008000]c[Arial 12]de");
        snippet("sizes bounded", "\\fs0 a\\fs1 b\\fs99999999999999 c", u"L [Arial 12]a[Arial 1]b[Arial 1638]c");
        snippet("colours: automatic and out of table", "\\cf2 a\\cf0 b\\cf9 c", u"L [Arial 12 #008000]a[Arial 12]bc");
        snippet("font not in the table", "\\f7 x", u"L [12]x");
        snippet("alignment per paragraph", "\\qc a\\par\\pard b\\par\\qr c\\par\\qj d\\par\\ql e",
                u"C [Arial 12]a / L [Arial 12]b / R [Arial 12]c / J [Arial 12]d / L [Arial 12]e");
        snippet("alignment counts at the mark", "{\\qc a}\\par", u"L [Arial 12]a");
        snippet("empty paragraphs keep their format", "a\\par\\fs40\\par\\par",
                u"L [Arial 12]a / L |[Arial 20] / L |[Arial 20]");
        snippet("line break and tab", "a\\line b\\tab c\tx", u"L [Arial 12]a<br>b\tc\tx");
        snippet("special characters", "\\~\\-\\_\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet",
                u"L [Arial 12]\u00A0\u00AD\u2011\u2014\u2013\u2018\u2019\u201C\u201D\u2022");
        snippet("Unicode with two hex fallbacks", "\\uc2\\u8364\\'80\\'81x", u"L [Arial 12]\u20ACx");
        snippet("fallback ends at a brace", "\\uc3{\\u8364}x", u"L [Arial 12]\u20ACx");
        snippet("fallback skips a control word", "\\u8364\\b x", u"L [Arial 12]\u20ACx");
        snippet("surrogate pair", "\\u-10179?\\u-8704?", u"L [Arial 12]\U0001F600");
        snippet("lone surrogate", "\\u-10179?x", u"L [Arial 12]\uFFFDx");
        snippet("Unicode out of range", "\\u70000?x", u"L [Arial 12]x");
        snippet("unknown words keep their text", "\\foo5 bar\\lang1033 !\\b-x", u"L [Arial 12]bar![Arial 12 b]-x");
        snippet("backslash before a line end ends the paragraph", "a\\\r\nb\\\nc",
                u"L [Arial 12]a / L [Arial 12]b / L [Arial 12]c");
        snippet("starred destinations skipped", "{\\*\\foo hidden{\\b x}}shown", u"L [Arial 12]shown");
        snippet("star only counts after a brace", "a\\*\\foo b", u"L [Arial 12]ab");
        snippet("field results shown",
                "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} {\\field{\\fldinst PAGE}{\\fldrslt 3}}",
                u"L [Arial 12]link 3");
        snippet("control bytes are not text", "a\x01\x7F\\'00c", u"L [Arial 12]ac");
        snippet("table cells and rows", "\\trowd a\\cell b\\cell\\row c", u"L [Arial 12]a\tb\t / L [Arial 12]c");
        snippet("Unicode half of upr", "{\\upr{ansi}{\\*\\ud{uni}}}", u"L [Arial 12]uni");
        snippet("footnote at its anchor, as Word writes it",
                "Flow{\\super\\chftn{\\footnote\\pard\\plain\\fs20{\\super\\chftn} Measured at the "
                "inlet.}} was low.",
                u"L [Arial 12]Flow[Footnote: [Arial 10]Measured at the inlet.[Arial 12]] was low.");
        snippet("footnote of two paragraphs, as pandoc writes it",
                "a.{\\super\\chftn}{\\*\\footnote\\chftn\\~\\plain\\pard {\\pard\\qc first\\par}"
                "{\\pard\\i second\\par}\\par}\\par b",
                u"L [Arial 12]a.[Footnote: first<br>[Arial 12 i]second[Arial 12]] / L [Arial 12]b");
        snippet("endnote", "x{\\footnote\\ftnalt\\plain end}y", u"L [Arial 12]x[Endnote: end]y");
        snippet("comment, as LibreOffice writes it",
                "Check{\\*\\atnid }{\\*\\atnauthor M. Rossi}\\chatn{\\*\\annotation{\\*\\atndate 1}"
                "\\b Ask Rossi.} done",
                u"L [Arial 12]Check[Comment: [Arial 12 b]Ask Rossi.[Arial 12]] done");
        snippet("comment, as Word writes it",
                "{\\atnid MR}{\\atnauthor M. Rossi}\\chatn {\\*\\annotation{\\atnref 1}{\\atndate 2}"
                "\\pard\\plain {\\field{\\*\\fldinst PAGE}{\\fldrslt }}{\\chatn }Spare seal?}x",
                u"L [Arial 12][Comment: Spare seal?]x");
        snippet("note within a note", "a{\\annotation x{\\footnote y}}b", u"L [Arial 12]a[Comment: x[Footnote: y]]b");
        snippet("empty footnote leaves nothing", "a{\\footnote\\chftn\\~ \\par}b", u"L [Arial 12]ab");
        snippet("footnote left open at the end", "a{\\footnote note\\par", u"L [Arial 12]a[Footnote: note]",
                "Unbalanced");
        snippet("hidden text left out", "a{\\v secret}b\\v c\\par\\v0 d{\\footnote\\v hidden note}",
                u"L [Arial 12]ab / L [Arial 12]d", "SkippedHidden");
        snippet("headers and footers", "{\\header\\pard Plant log\\par}{\\footerl page}a{\\headerf x}",
                u"L [Arial 12]a", "SkippedHeaders SkippedFooters");
        snippet("pictures with their binary data, drawing objects",
                "a{\\pict\\bin4 }}}}}b{\\pict\\wmetafile8 0100ff}c{\\do{\\dptxbx{\\pard box\\par}}}d",
                u"L [Arial 12]abcd", "SkippedObjects");
        snippet("no text of the document",
                "{\\info{\\title T}{\\author A}}a{\\stylesheet{\\s1 Heading;}}{\\*\\pgdsctbl{\\pgdsc0{\\header h}"
                "Default;}}b{\\bkmkstart x}c{\\xe index}{\\ftnsep\\chftnsep}",
                u"L [Arial 12]abc");
        row("1252 is the default", "{\\rtf1 \\'80\\'e9\\'9f}", u"L [12]\u20AC\u00E9\u0178");
        row("1251", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", u"L [12]\u041F\u0440\u0438");
        row("Macintosh", "{\\rtf1\\mac \\'8e}", u"L [12]\u00E9");
        row("DOS 437", "{\\rtf1\\pc \\'82}", u"L [12]\u00E9");
        row("font character set",
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Arial Greek;}}\\f1\\'e1\\f0\\'e1}",
            u"L [Arial Greek 12]\u03B1[Arial 12]\u00E1");
        row("font code page", "{\\rtf1\\ansi{\\fonttbl{\\f0\\cpg1251 Courier;}}\\'e9}", u"L [Courier 12]\u0439");
        row("font name in its character set",
            "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}x}",
            u"L [\u0410\u0440\u0438\u0430\u043B 12]x");
        row("double-byte code page", "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}", u"L [12]\u3042");
        row("UTF-8 code page", "{\\rtf1\\ansi\\ansicpg65001 \\'c3\\'a9}", u"L [12]\u00E9");
        row("unknown code page", "{\\rtf1\\ansi\\ansicpg4242 caf\\'e9}", u"L [12]caf\u00E9", "UnknownCodePage");
        row("Symbol letters and signs", "{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}}a\\'b3 W=1\\'b0\\'a0\\'80}",
            u"L [Symbol 12]\u03B1\u2265 \u03A9=1\u00B0\u20AC\u20AC");
        row("named Symbol, no character set", "{\\rtf1{\\fonttbl{\\f0 symbol;}}\\'b7}", u"L [symbol 12]\u2022");
        row("other font of the symbol set", "{\\rtf1{\\fonttbl{\\f0\\fcharset2 MT Extra;}}p}",
            u"L [MT Extra 12]\u03C0");
        row("Wingdings bullets", "{\\rtf1{\\fonttbl{\\f0\\fcharset2 Wingdings;}}\\'a7\\'d8\\'fc a}",
            u"L [Wingdings 12]\u25AA\u27A2\u2714 a");
        row("symbol characters in the private-use area",
            "{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}{\\f1 Arial;}}"
            "\\u61623\\'b7\\u61537?\\u945?\\f1\\u61623?}",
            u"L [Symbol 12]\u2022\u03B1\u03B1[Arial 12]\uF0B7");
        row("unknown code page, ASCII only", "{\\rtf1\\ansi\\ansicpg4242 cafe}", u"L [12]cafe");
        row("group left open", "{\\rtf1 abc", u"L [12]abc", "Unbalanced");
        row("inner group left open", "{\\rtf1 a{\\b b\\par c", u"L [12]a[12 b]b / L [12 b]c", "Unbalanced");
        row("text after the last brace", "{\\rtf1 a}b}", u"L [12]a", "Unbalanced");
        row("blanks and NUL after the last brace", raw("{\\rtf1 a}\r\n\0 "), u"L [12]a");
        row("binary data is not text", "{\\rtf1 a\\bin3 xyzb\\bin-5 c}", u"L [12]abc");
        row("binary count past the end", "{\\rtf1 a\\bin2147483647 xyz}", u"L [12]a", "Unbalanced Truncated");
        row("Unicode without a number", "{\\rtf1 a\\u}", u"L [12]a", "Truncated");
        row("Unicode fallback cut off", "{\\rtf1 a\\uc2\\u8364", u"L [12]a\u20AC", "Unbalanced");
        row("hex byte of one digit", "{\\rtf1 a\\'4x}", u"L [12]ax", "Truncated");
        row("just the header", "{\\rtf1}", u"");
        row("empty input", "", u"");
        row("plain text", "first line\r\nsecond\n\nfourth\rfifth",
            u"L [12]first line / L [12]second / L |[12] / L [12]fourth / L [12]fifth", "NotRtf");
        row("plain UTF-8", "caf\xC3\xA9\t\x01!", u"L [12]caf\u00E9\t!", "NotRtf");
        row("plain Windows-1252", "caf\xE9 \x80", u"L [12]caf\u00E9 \u20AC", "NotRtf");
        row("binary garbage", raw("\x00\x01\xff\xfe\x1b"), u"L [12]\u00FF\u00FE", "NotRtf");
        row("garbage inside", raw("{\\rtf1 a\x00\xff{{\\'\\\\}}\\"), u"L [12]a\u00FF\\", "Unbalanced Truncated");
        row("colour table without automatic entry", "{\\rtf1{\\colortbl\\red1\\green2\\blue300;}\\cf0 a}",
            u"L [12 #0102ff]a");
        row("font table without groups", "{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1\\fmodern Courier;}\\f1 a}",
            u"L [Courier 12]a");
        row("font entry without semicolon", "{\\rtf1{\\fonttbl{\\f0{\\*\\panose 0}Arial}{\\f1 Serif}}a}",
            u"L [Arial 12]a");
        row("Unicode half without upr", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\*\\ud x}}a}", u"L [Arial 12]a");
        row("destination at the document's level", "{\\rtf1\\info a}", u"L [12]a");
        row("embedded object", "{\\rtf1 a{\\object\\objemb{\\*\\objdata 0102}{\\result b}}c}", u"L [12]ac",
            "SkippedObjects");
        row("100 000 nested groups", "{\\rtf1 a" + QByteArray(n, '{') + "x" + QByteArray(n, '}') + "b}", u"L [12]ab",
            "TooDeep");
        row("deepest group read", "{\\rtf1 a" + QByteArray(255, '{') + "x" + QByteArray(255, '}') + "b}", u"L [12]axb");
        row("one group too deep", "{\\rtf1 a" + QByteArray(256, '{') + "x" + QByteArray(256, '}') + "b}", u"L [12]ab",
            "TooDeep");
        row("nesting inside a skipped destination",
            "{\\rtf1 a{\\*\\foo" + QByteArray(n, '{') + QByteArray(n, '}') + "}b}", u"L [12]ab");
        row("100 000 open groups", "{\\rtf1 a" + QByteArray(n, '{') + "x", u"L [12]a", "Unbalanced TooDeep");
    }

    void reading()
    {
        QFETCH(QByteArray, input);
        const RtfReadResult result = readRtfModel(input);
        QTEST(describe(result.document).join(u" / "_s), "expected");
        QTEST(describe(result.issues), "issues");
    }

    // Counted, not described: paragraphs, runs and characters read, and the issues.
    void documentSizeBounds_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");
        const qsizetype sixteenMillion = 16777216;
        QTest::newRow("characters at the bound")
            << "{\\rtf1 " + QByteArray(sixteenMillion, 'a') + "}" << u"1 1 16777216 "_s;
        QTest::newRow("characters past the bound")
            << "{\\rtf1 " + QByteArray(sixteenMillion + 10, 'a') + "}" << u"1 1 16777216 TooLong"_s;
        QTest::newRow("paragraphs past the bound")
            << "{\\rtf1 " + QByteArray("\\par a").repeated(1100000) + "}" << u"1048576 1048575 1048575 TooLong"_s;
        QTest::newRow("runs past the bound")
            << "{\\rtf1 " + QByteArray("a\\b b\\b0 ").repeated(1100000) + "}" << u"1 2097152 2097152 TooLong"_s;
    }

    void documentSizeBounds()
    {
        QFETCH(QByteArray, input);
        const RtfReadResult result = readRtfModel(input);
        qsizetype runs = 0;
        qsizetype chars = 0;
        for (const RtfParagraph& p : result.document.paragraphs) {
            runs += qsizetype(p.runs.size());
            for (const RtfRun& run : p.runs)
                chars += run.text.size();
        }
        QTEST(u"%1 %2 %3 %4"_s.arg(result.document.paragraphs.size()).arg(runs).arg(chars).arg(describe(result.issues)),
              "expected");
    }
};

MX_REGISTER_TEST(RtfReaderTest)
#include "tst_rtf_reader.moc"
