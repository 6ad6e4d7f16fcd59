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
    void samples_data();
    void samples();
    void formatting_data();
    void formatting();
    void destinations_data();
    void destinations();
    void codePages_data();
    void codePages();
    void malformed_data();
    void malformed();
    void deepNesting_data();
    void deepNesting();
    void documentSizeBounds_data();
    void documentSizeBounds();

private:
    void readsOneParagraph();
};

void RtfReaderTest::samples_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("issues");

    QTest::newRow("WordPad") << sample("wordpad.rtf")
                             << QStringList{
                                    u"L [Calibri 11]Pump room readings"_s,
                                    u"L [Calibri 11 b]Bold[Calibri 11], [Calibri 11 i]italic[Calibri 11], "
                                    u"[Calibri 11 u]underlined[Calibri 11] and [Calibri 11 #ff0000]red"
                                    u"[Calibri 11] words."_s,
                                    u"C [Arial 16]Centred heading"_s,
                                    u"R [Calibri 11]Set point\t72\u00B0F"_s,
                                    u"L [Symbol 11]\u2022\t[Calibri 11]Check the filter"_s,
                                    u"L [Calibri 11 b i #004dbb]Caf\u00E9 \u20AC 12,50[Calibri 11]<br>next line"_s,
                                }
                             << u""_s;
    QTest::newRow("WordPad, Cyrillic") << sample("wordpad_cyrillic.rtf")
                                       << QStringList{u"L [Calibri 11]\u041F\u0440\u0438\u0432\u0435\u0442, "
                                                      u"\u043C\u0438\u0440! Caf\u00E9"_s}
                                       << u""_s;
    QTest::newRow("Word") << sample("word.rtf")
                          << QStringList{
                                 u"C [Calibri 16 b]Boiler log"_s,
                                 u"L [Calibri 11]Pressure held at 2.5 bar [Calibri 11 i]after[Calibri 11] the "
                                 u"[Calibri 11 u #ff0000]valve[Calibri 11] was \u201Ceased\u201D \u2013 see "
                                 u"\u2116 4."_s,
                                 u"L [Calibri 11]See the [Calibri 11 u #0000ff]manual[Calibri 11]."_s,
                                 u"L |[Calibri 11]"_s,
                                 u"R [Calibri 10]Signed: M. M\u00FCller"_s,
                             }
                          << u"SkippedObjects"_s;
    QTest::newRow("LibreOffice Writer")
        << sample("libreoffice.rtf")
        << QStringList{
               u"L [Liberation Sans 16 b]Vibration survey|[Liberation Sans 14]"_s,
               u"J [Liberation Serif 12]The motor\u2019s mount showed 0.5 mm peak-to-peak at 25 Hz. "
               u"[Liberation Serif 12 i]Re-check[Liberation Serif 12] next week \u2014 "
               u"[Liberation Serif 12 u #0070c0]Temperature: 40 \u00B0C|[Liberation Serif 12]"_s,
               u"C [Liberation Serif 12]\u03B1 = 0.02 \u2264 limit"_s,
               u"C |[Liberation Serif 12]"_s,
           }
        << u""_s;
    // Made by LibreOffice 7.4 and pandoc 2.17 from libreoffice_notes.fodt and pandoc_notes.md beside them.
    QTest::newRow("LibreOffice Writer, notes and formats")
        << sample("libreoffice_notes.rtf")
        << QStringList{
               u"L [Liberation Serif 12]Valve [Liberation Serif 12 s]A12[Liberation Serif 12] B14 replaced; flow 3.2 m"
               u"[Liberation Serif 12 super]3[Liberation Serif 12]/h of H[Liberation Serif 12 sub]2"
               u"[Liberation Serif 12]O."_s,
               u"L [Liberation Serif 12 bg#ffff00]Check the seal[Liberation Serif 12] before start-up.[Footnote: "
               u"[Liberation Serif 10]Seal kit 40-112, see the manual.[Liberation Serif 12]] Then log the reading."
               u"[Comment: Ask about the spare seal.]"_s,
               u"L [Liberation Serif 12]Hidden from print: done."_s,
               u"L [Liberation Serif 12]\u03A3 = 12 \u03A9 \u00B1 5 %, 20 \u00B0C, 3 \u20AC \u2014 "
               u"\u201Cquoted\u201D and "
               u"[Liberation Serif 12 b]bold[Liberation Serif 12].[Endnote: [Liberation Serif 10]Figures from the 2023 "
               u"survey.[Liberation Serif 12]]"_s,
               u"L [Liberation Serif 12] \u2022\tDrain the tank"_s,
               u"L [Liberation Serif 12] \u2022\tRefill to the mark"_s,
               u"C [Liberation Serif 12]Angle [Symbol 12]\u03B1[Liberation Serif 12] = 30\u00B0"_s,
           }
        << u"SkippedHeaders SkippedFooters SkippedHidden"_s;
    QTest::newRow("pandoc")
        << sample("pandoc_notes.rtf")
        << QStringList{
               u"L [Helvetica 12]Pump room [Helvetica 12 i]readings[Helvetica 12] for [Helvetica 12 b]March"
               u"[Helvetica 12]: [Helvetica 12 s]old value[Helvetica 12] new value, 4 m[Helvetica 12 super]2"
               u"[Helvetica 12] and CO[Helvetica 12 sub]2[Helvetica 12] level.[Footnote: Measured at the east wall.]"_s,
               u"L [Helvetica 12]\u2022\tCheck the filter"_s,
               u"L [Helvetica 12]\u2022\tDrain the tank, then note 5 \u00B0C"_s,
               u"L [Helvetica 12]\u03A3 resistance 12 \u03A9, cost 3 \u20AC \u2014 \u201Cdone\u201D."_s,
           }
        << u""_s;
}

void RtfReaderTest::samples()
{
    QFETCH(QString, path);
    QFETCH(QStringList, expected);
    QFETCH(QString, issues);

    const QByteArray bytes = test::readFileBytes(path);
    QVERIFY(!bytes.isEmpty());
    const RtfReadResult result = readRtfModel(bytes);
    QCOMPARE(describe(result.document), expected);
    QCOMPARE(describe(result.issues), issues);
    // Saved and opened again, the text and every format read stay.
    const RtfReadResult again = readRtfModel(writeRtfModel(result.document));
    QCOMPARE(describe(again.document), expected);
    QCOMPARE(describe(again.issues), u""_s);
}

void RtfReaderTest::formatting_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("plain text") << QByteArray("Hello") << QStringList{u"L [Arial 12]Hello"_s};
    QTest::newRow("bold on and off") << QByteArray("a\\b b\\b0 c")
                                     << QStringList{u"L [Arial 12]a[Arial 12 b]b[Arial 12]c"_s};
    QTest::newRow("a group restores formatting")
        << QByteArray("{\\i x{\\b y}}z") << QStringList{u"L [Arial 12 i]x[Arial 12 b i]y[Arial 12]z"_s};
    QTest::newRow("plain resets characters") << QByteArray("\\b\\i\\ul\\fs40\\f1\\cf1 x\\plain y")
                                             << QStringList{u"L [Courier New 20 b i u #ff0000]x[Arial 12]y"_s};
    QTest::newRow("underline kinds") << QByteArray("\\ul a\\ulnone b\\uldb c\\ul0 d\\ulwave e")
                                     << QStringList{u"L [Arial 12 u]a[Arial 12]b[Arial 12 u]c[Arial 12]d"
                                                    u"[Arial 12 u]e"_s};
    QTest::newRow("strike, raised and lowered")
        << QByteArray("\\strike a\\strike0 b\\super c\\nosupersub d\\sub e{\\up6 f}{\\dn4 g}\\up0 h"
                      "\\striked1 i\\plain j")
        << QStringList{u"L [Arial 12 s]a[Arial 12]b[Arial 12 super]c[Arial 12]d[Arial 12 sub]e[Arial 12 super]f"
                       u"[Arial 12 sub]g[Arial 12]h[Arial 12 s]i[Arial 12]j"_s};
    QTest::newRow("highlight from the colour table")
        << QByteArray("\\highlight1 a\\highlight0 b\\chcbpat2\\cf1 c\\plain d\\highlight9 e")
        << QStringList{u"L [Arial 12 bg#ff0000]a[Arial 12]b[Arial 12 #ff0000 bg#008000]c[Arial 12]de"_s};
    QTest::newRow("sizes bounded") << QByteArray("\\fs0 a\\fs1 b\\fs99999 c")
                                   << QStringList{u"L [Arial 12]a[Arial 1]b[Arial 1638]c"_s};
    QTest::newRow("colours: automatic and out of table")
        << QByteArray("\\cf2 a\\cf0 b\\cf9 c") << QStringList{u"L [Arial 12 #008000]a[Arial 12]bc"_s};
    QTest::newRow("font not in the table") << QByteArray("\\f7 x") << QStringList{u"L [12]x"_s};
    QTest::newRow("alignment per paragraph") << QByteArray("\\qc a\\par\\pard b\\par\\qr c\\par\\qj d\\par\\ql e")
                                             << QStringList{u"C [Arial 12]a"_s, u"L [Arial 12]b"_s, u"R [Arial 12]c"_s,
                                                            u"J [Arial 12]d"_s, u"L [Arial 12]e"_s};
    QTest::newRow("alignment counts at the mark") << QByteArray("{\\qc a}\\par") << QStringList{u"L [Arial 12]a"_s};
    QTest::newRow("last mark ends the last paragraph") << QByteArray("a\\par") << QStringList{u"L [Arial 12]a"_s};
    QTest::newRow("empty paragraphs keep their format")
        << QByteArray("a\\par\\fs40\\par\\par")
        << QStringList{u"L [Arial 12]a"_s, u"L |[Arial 20]"_s, u"L |[Arial 20]"_s};
    QTest::newRow("line break and tab") << QByteArray("a\\line b\\tab c\tx")
                                        << QStringList{u"L [Arial 12]a<br>b\tc\tx"_s};
    QTest::newRow("special characters")
        << QByteArray("\\~\\-\\_\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet")
        << QStringList{u"L [Arial 12]\u00A0\u00AD\u2011\u2014\u2013\u2018\u2019\u201C\u201D\u2022"_s};
    QTest::newRow("Unicode with one fallback") << QByteArray("\\u8364?x") << QStringList{u"L [Arial 12]\u20ACx"_s};
    QTest::newRow("Unicode with two hex fallbacks")
        << QByteArray("\\uc2\\u8364\\'80\\'81x") << QStringList{u"L [Arial 12]\u20ACx"_s};
    QTest::newRow("fallback ends at a brace") << QByteArray("\\uc3{\\u8364}x") << QStringList{u"L [Arial 12]\u20ACx"_s};
    QTest::newRow("fallback skips a control word")
        << QByteArray("\\u8364\\b x") << QStringList{u"L [Arial 12]\u20ACx"_s};
    QTest::newRow("surrogate pair") << QByteArray("\\u-10179?\\u-8704?") << QStringList{u"L [Arial 12]\U0001F600"_s};
    QTest::newRow("lone surrogate") << QByteArray("\\u-10179?x") << QStringList{u"L [Arial 12]\uFFFDx"_s};
    QTest::newRow("Unicode out of range") << QByteArray("\\u70000?x") << QStringList{u"L [Arial 12]x"_s};
    QTest::newRow("unknown words keep their text")
        << QByteArray("\\foo5 bar\\lang1033 !") << QStringList{u"L [Arial 12]bar!"_s};
    QTest::newRow("starred destinations skipped")
        << QByteArray("{\\*\\foo hidden{\\b x}}shown") << QStringList{u"L [Arial 12]shown"_s};
    QTest::newRow("star only counts after a brace") << QByteArray("a\\*\\foo b") << QStringList{u"L [Arial 12]ab"_s};
    QTest::newRow("field results shown")
        << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} {\\field{\\fldinst PAGE}{\\fldrslt 3}}")
        << QStringList{u"L [Arial 12]link 3"_s};
    QTest::newRow("control bytes are not text") << QByteArray("a\x01\x7F"
                                                              "b\\'00c")
                                                << QStringList{u"L [Arial 12]abc"_s};
    QTest::newRow("table cells and rows")
        << QByteArray("\\trowd a\\cell b\\cell\\row c") << QStringList{u"L [Arial 12]a\tb\t"_s, u"L [Arial 12]c"_s};
    QTest::newRow("Unicode half of upr") << QByteArray("{\\upr{ansi}{\\*\\ud{uni}}}")
                                         << QStringList{u"L [Arial 12]uni"_s};
}

void RtfReaderTest::formatting()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, expected);

    const RtfReadResult result = readRtfModel(withTables(body));
    QCOMPARE(describe(result.document), expected);
    QCOMPARE(describe(result.issues & kRtfDamage), u""_s);
}

// Destinations that hold text: notes kept at their anchors, page furniture and hidden text left out and reported,
// and what holds no text of the document passed over in silence.
void RtfReaderTest::destinations_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("issues");

    QTest::newRow("footnote at its anchor, as Word writes it")
        << QByteArray("Flow{\\super\\chftn{\\footnote\\pard\\plain\\fs20{\\super\\chftn} Measured at the "
                      "inlet.}} was low.")
        << QStringList{u"L [Arial 12]Flow[Footnote: [Arial 10]Measured at the inlet.[Arial 12]] was low."_s} << u""_s;
    QTest::newRow("footnote of two paragraphs, as pandoc writes it")
        << QByteArray("a.{\\super\\chftn}{\\*\\footnote\\chftn\\~\\plain\\pard {\\pard\\qc first\\par}"
                      "{\\pard\\i second\\par}\\par}\\par b")
        << QStringList{u"L [Arial 12]a.[Footnote: first<br>[Arial 12 i]second[Arial 12]]"_s, u"L [Arial 12]b"_s}
        << u""_s;
    QTest::newRow("endnote") << QByteArray("x{\\footnote\\ftnalt\\plain end}y")
                             << QStringList{u"L [Arial 12]x[Endnote: end]y"_s} << u""_s;
    QTest::newRow("comment, as LibreOffice writes it")
        << QByteArray("Check{\\*\\atnid }{\\*\\atnauthor M. Rossi}\\chatn{\\*\\annotation{\\*\\atndate 1}"
                      "\\b Ask Rossi.} done")
        << QStringList{u"L [Arial 12]Check[Comment: [Arial 12 b]Ask Rossi.[Arial 12]] done"_s} << u""_s;
    QTest::newRow("comment, as Word writes it")
        << QByteArray("{\\atnid MR}{\\atnauthor M. Rossi}\\chatn {\\*\\annotation{\\atnref 1}{\\atndate 2}"
                      "\\pard\\plain {\\field{\\*\\fldinst PAGE}{\\fldrslt }}{\\chatn }Spare seal?}x")
        << QStringList{u"L [Arial 12][Comment: Spare seal?]x"_s} << u""_s;
    QTest::newRow("note within a note") << QByteArray("a{\\annotation x{\\footnote y}}b")
                                        << QStringList{u"L [Arial 12]a[Comment: x[Footnote: y]]b"_s} << u""_s;
    QTest::newRow("empty footnote leaves nothing")
        << QByteArray("a{\\footnote\\chftn\\~ \\par}b") << QStringList{u"L [Arial 12]ab"_s} << u""_s;
    QTest::newRow("footnote left open at the end")
        << QByteArray("a{\\footnote note\\par") << QStringList{u"L [Arial 12]a[Footnote: note]"_s} << u""_s;
    QTest::newRow("hidden text left out")
        << QByteArray("a{\\v secret}b\\v c\\par\\v0 d{\\footnote\\v hidden note}")
        << QStringList{u"L [Arial 12]ab"_s, u"L [Arial 12]d"_s} << u"SkippedHidden"_s;
    QTest::newRow("headers and footers")
        << QByteArray("{\\header\\pard Plant log\\par}{\\footerl page}a{\\headerf x}")
        << QStringList{u"L [Arial 12]a"_s} << u"SkippedHeaders SkippedFooters"_s;
    QTest::newRow("pictures with their binary data, drawing objects")
        << QByteArray("a{\\pict\\bin4 }}}}}b{\\pict\\wmetafile8 0100ff}c{\\do{\\dptxbx{\\pard box\\par}}}d")
        << QStringList{u"L [Arial 12]abcd"_s} << u"SkippedObjects"_s;
    QTest::newRow("no text of the document")
        << QByteArray("{\\info{\\title T}{\\author A}}a{\\stylesheet{\\s1 Heading;}}{\\*\\pgdsctbl{\\pgdsc0{\\header h}"
                      "Default;}}b{\\bkmkstart x}c{\\xe index}{\\ftnsep\\chftnsep}")
        << QStringList{u"L [Arial 12]abc"_s} << u""_s;
}

void RtfReaderTest::destinations()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, expected);
    QFETCH(QString, issues);

    const RtfReadResult result = readRtfModel(withTables(body));
    QCOMPARE(describe(result.document), expected);
    QCOMPARE(describe(result.issues & ~RtfIssues(RtfIssue::Unbalanced)), issues);
}

void RtfReaderTest::codePages_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("issues");

    QTest::newRow("1252 is the default") << QByteArray("{\\rtf1 \\'80\\'e9\\'9f}") << u"L [12]\u20AC\u00E9\u0178"_s
                                         << u""_s;
    QTest::newRow("1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}") << u"L [12]\u041F\u0440\u0438"_s
                          << u""_s;
    QTest::newRow("Macintosh") << QByteArray("{\\rtf1\\mac \\'8e}") << u"L [12]\u00E9"_s << u""_s;
    QTest::newRow("DOS 437") << QByteArray("{\\rtf1\\pc \\'82}") << u"L [12]\u00E9"_s << u""_s;
    QTest::newRow("font character set")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Arial Greek;}}\\f1\\'e1\\f0\\'e1}")
        << u"L [Arial Greek 12]\u03B1[Arial 12]\u00E1"_s << u""_s;
    QTest::newRow("font code page") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\cpg1251 Courier;}}\\'e9}")
                                    << u"L [Courier 12]\u0439"_s << u""_s;
    QTest::newRow("font name in its character set")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 \\'c0\\'f0\\'e8\\'e0\\'eb;}}x}")
        << u"L [\u0410\u0440\u0438\u0430\u043B 12]x"_s << u""_s;
    QTest::newRow("double-byte code page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}") << u"L [12]\u3042"_s << u""_s;
    QTest::newRow("UTF-8 code page") << QByteArray("{\\rtf1\\ansi\\ansicpg65001 \\'c3\\'a9}") << u"L [12]\u00E9"_s
                                     << u""_s;
    QTest::newRow("unknown code page") << QByteArray("{\\rtf1\\ansi\\ansicpg4242 caf\\'e9}") << u"L [12]caf\u00E9"_s
                                       << u"UnknownCodePage"_s;
    QTest::newRow("Symbol list bullet")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}"
                      "{\\pntext\\f1\\'B7\\tab}\\f0 item}")
        << u"L [Symbol 12]\u2022\t[Arial 12]item"_s << u""_s;
    QTest::newRow("Symbol letters and signs")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}}a\\'b3 W=1\\'b0\\'a0\\'80}")
        << u"L [Symbol 12]\u03B1\u2265 \u03A9=1\u00B0\u20AC\u20AC"_s << u""_s;
    QTest::newRow("named Symbol, no character set")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 symbol;}}\\'b7}") << u"L [symbol 12]\u2022"_s << u""_s;
    QTest::newRow("other font of the symbol set")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset2 MT Extra;}}p}") << u"L [MT Extra 12]\u03C0"_s << u""_s;
    QTest::newRow("Wingdings bullets")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Wingdings;}}\\'a7\\'d8\\'fc a}")
        << u"L [Wingdings 12]\u25AA\u27A2\u2714 a"_s << u""_s;
    QTest::newRow("symbol characters in the private-use area")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}{\\f1 Arial;}}"
                      "\\u61623\\'b7\\u61537?\\u945?\\f1\\u61623?}")
        << u"L [Symbol 12]\u2022\u03B1\u03B1[Arial 12]\uF0B7"_s << u""_s;
    QTest::newRow("unknown code page, ASCII only")
        << QByteArray("{\\rtf1\\ansi\\ansicpg4242 cafe}") << u"L [12]cafe"_s << u""_s;
}

// Rows of one paragraph: the input, its description and the issues the reader flags.
void RtfReaderTest::readsOneParagraph()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QFETCH(QString, issues);

    const RtfReadResult result = readRtfModel(input);
    QCOMPARE(describe(result.document), QStringList{expected});
    QCOMPARE(describe(result.issues), issues);
}

void RtfReaderTest::codePages()
{
    readsOneParagraph();
}

void RtfReaderTest::malformed_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("issues");

    QTest::newRow("group left open") << QByteArray("{\\rtf1 abc") << QStringList{u"L [12]abc"_s} << u"Unbalanced"_s;
    QTest::newRow("inner group left open")
        << QByteArray("{\\rtf1 a{\\b b\\par c") << QStringList{u"L [12]a[12 b]b"_s, u"L [12 b]c"_s} << u"Unbalanced"_s;
    QTest::newRow("text after the last brace")
        << QByteArray("{\\rtf1 a}b}") << QStringList{u"L [12]a"_s} << u"Unbalanced"_s;
    QTest::newRow("blanks and NUL after the last brace")
        << raw("{\\rtf1 a}\r\n\0 ") << QStringList{u"L [12]a"_s} << u""_s;
    QTest::newRow("binary data is not text")
        << QByteArray("{\\rtf1 a\\bin3 xyzb}") << QStringList{u"L [12]ab"_s} << u""_s;
    QTest::newRow("binary count past the end")
        << QByteArray("{\\rtf1 a\\bin2147483647 xyz}") << QStringList{u"L [12]a"_s} << u"Unbalanced Truncated"_s;
    QTest::newRow("Unicode without a number")
        << QByteArray("{\\rtf1 a\\u}") << QStringList{u"L [12]a"_s} << u"Truncated"_s;
    QTest::newRow("Unicode at the very end")
        << QByteArray("{\\rtf1 a\\u") << QStringList{u"L [12]a"_s} << u"Unbalanced Truncated"_s;
    QTest::newRow("Unicode fallback cut off")
        << QByteArray("{\\rtf1 a\\uc2\\u8364") << QStringList{u"L [12]a\u20AC"_s} << u"Unbalanced"_s;
    QTest::newRow("hex byte cut off") << QByteArray("{\\rtf1 a\\'4") << QStringList{u"L [12]a"_s}
                                      << u"Unbalanced Truncated"_s;
    QTest::newRow("just the header") << QByteArray("{\\rtf1}") << QStringList{} << u""_s;
    QTest::newRow("empty input") << QByteArray() << QStringList{} << u""_s;
    QTest::newRow("plain text") << QByteArray("first line\r\nsecond\n\nfourth\rfifth")
                                << QStringList{u"L [12]first line"_s, u"L [12]second"_s, u"L |[12]"_s,
                                               u"L [12]fourth"_s, u"L [12]fifth"_s}
                                << u"NotRtf"_s;
    QTest::newRow("plain UTF-8") << QByteArray("caf\xC3\xA9\t\x01!") << QStringList{u"L [12]caf\u00E9\t!"_s}
                                 << u"NotRtf"_s;
    QTest::newRow("plain Windows-1252") << QByteArray("caf\xE9 \x80") << QStringList{u"L [12]caf\u00E9 \u20AC"_s}
                                        << u"NotRtf"_s;
    QTest::newRow("binary garbage") << raw("\x00\x01\xff\xfe\x1b") << QStringList{u"L [12]\u00FF\u00FE"_s}
                                    << u"NotRtf"_s;
    QTest::newRow("garbage inside") << raw("{\\rtf1 a\x00\xff{{\\'\\\\}}\\") << QStringList{u"L [12]a\u00FF\\"_s}
                                    << u"Unbalanced Truncated"_s;
    QTest::newRow("colour table without automatic entry")
        << QByteArray("{\\rtf1{\\colortbl\\red1\\green2\\blue300;}\\cf0 a}") << QStringList{u"L [12 #0102ff]a"_s}
        << u""_s;
    QTest::newRow("font table without groups")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\fswiss Arial;\\f1\\fmodern Courier;}\\f1 a}")
        << QStringList{u"L [Courier 12]a"_s} << u""_s;
    QTest::newRow("font entry without semicolon")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0{\\*\\panose 0}Arial}{\\f1 Serif}}a}") << QStringList{u"L [Arial 12]a"_s}
        << u""_s;
    QTest::newRow("Unicode half without upr")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\*\\ud x}}a}") << QStringList{u"L [Arial 12]a"_s} << u""_s;
    QTest::newRow("destination at the document's level")
        << QByteArray("{\\rtf1\\info a}") << QStringList{u"L [12]a"_s} << u""_s;
    QTest::newRow("embedded object") << QByteArray("{\\rtf1 a{\\object\\objemb{\\*\\objdata 0102}{\\result b}}c}")
                                     << QStringList{u"L [12]ac"_s} << u"SkippedObjects"_s;
}

void RtfReaderTest::malformed()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, expected);
    QFETCH(QString, issues);

    const RtfReadResult result = readRtfModel(input);
    QCOMPARE(describe(result.document), expected);
    QCOMPARE(describe(result.issues), issues);
}

void RtfReaderTest::deepNesting_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("issues");

    const int n = 100000;
    QTest::newRow("100 000 nested groups")
        << "{\\rtf1 a" + QByteArray(n, '{') + "x" + QByteArray(n, '}') + "b}" << u"L [12]ab"_s << u"TooDeep"_s;
    QTest::newRow("deepest group read") << "{\\rtf1 a" + QByteArray(255, '{') + "x" + QByteArray(255, '}') + "b}"
                                        << u"L [12]axb"_s << u""_s;
    QTest::newRow("one group too deep") << "{\\rtf1 a" + QByteArray(256, '{') + "x" + QByteArray(256, '}') + "b}"
                                        << u"L [12]ab"_s << u"TooDeep"_s;
    QTest::newRow("nesting inside a skipped destination")
        << "{\\rtf1 a{\\*\\foo" + QByteArray(n, '{') + QByteArray(n, '}') + "}b}" << u"L [12]ab"_s << u""_s;
    QTest::newRow("100 000 open groups") << "{\\rtf1 a" + QByteArray(n, '{') + "x" << u"L [12]a"_s
                                         << u"Unbalanced TooDeep"_s;
}

void RtfReaderTest::deepNesting()
{
    readsOneParagraph();
}

void RtfReaderTest::documentSizeBounds_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<qsizetype>("paragraphs");
    QTest::addColumn<qsizetype>("runs");
    QTest::addColumn<qsizetype>("chars");
    QTest::addColumn<QString>("issues");

    const qsizetype sixteenMillion = 16777216;
    QTest::newRow("characters at the bound") << "{\\rtf1 " + QByteArray(sixteenMillion, 'a') + "}" << qsizetype(1)
                                             << qsizetype(1) << sixteenMillion << u""_s;
    QTest::newRow("characters past the bound") << "{\\rtf1 " + QByteArray(sixteenMillion + 10, 'a') + "}"
                                               << qsizetype(1) << qsizetype(1) << sixteenMillion << u"TooLong"_s;
    QTest::newRow("paragraphs past the bound")
        << "{\\rtf1 " + QByteArray("\\par a").repeated(1100000) + "}" << qsizetype(1048576) << qsizetype(1048575)
        << qsizetype(1048575) << u"TooLong"_s;
    QTest::newRow("runs past the bound") << "{\\rtf1 " + QByteArray("a\\b b\\b0 ").repeated(1100000) + "}"
                                         << qsizetype(1) << qsizetype(2097152) << qsizetype(2097152) << u"TooLong"_s;
}

void RtfReaderTest::documentSizeBounds()
{
    QFETCH(QByteArray, input);
    QFETCH(qsizetype, paragraphs);
    QFETCH(qsizetype, runs);
    QFETCH(qsizetype, chars);
    QFETCH(QString, issues);

    const RtfReadResult result = readRtfModel(input);
    qsizetype runCount = 0;
    qsizetype charCount = 0;
    for (const RtfParagraph& p : result.document.paragraphs) {
        runCount += qsizetype(p.runs.size());
        for (const RtfRun& run : p.runs)
            charCount += run.text.size();
    }
    QCOMPARE(qsizetype(result.document.paragraphs.size()), paragraphs);
    QCOMPARE(runCount, runs);
    QCOMPARE(charCount, chars);
    QCOMPARE(describe(result.issues), issues);
}

MX_REGISTER_TEST(RtfReaderTest)
#include "tst_rtf_reader.moc"
