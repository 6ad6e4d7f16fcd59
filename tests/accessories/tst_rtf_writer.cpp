#include "accessories/rtf_writer.h"

#include "test_registry.h"

#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

// Flags: b i u, s strike, ^ raised, _ lowered.
RtfCharFormat format(const QString& family, int halfPoints, const QString& flags = {},
                     std::optional<RtfColor> color = std::nullopt, std::optional<RtfColor> highlight = std::nullopt)
{
    RtfCharFormat f;
    f.family = family;
    f.halfPoints = halfPoints;
    f.bold = flags.contains(u'b');
    f.italic = flags.contains(u'i');
    f.underline = flags.contains(u'u');
    f.color = color;
    f.strike = flags.contains(u's');
    f.vertical = flags.contains(u'^')   ? RtfVertical::Superscript
                 : flags.contains(u'_') ? RtfVertical::Subscript
                                        : RtfVertical::Baseline;
    f.highlight = highlight;
    return f;
}

RtfParagraph paragraph(RtfAlignment alignment, std::vector<RtfRun> runs, std::optional<RtfCharFormat> mark = {})
{
    RtfParagraph p{alignment, std::move(runs), {}};
    p.markFormat = mark ? *mark : (p.runs.empty() ? RtfCharFormat{} : p.runs.back().format);
    return p;
}

const RtfCharFormat kArial = format(u"Arial"_s, 24);

} // namespace

class RtfWriterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bytes_data()
    {
        QTest::addColumn<RtfDocument>("document");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n";

        QTest::newRow("no paragraphs") << RtfDocument{}
                                       << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n}\r\n");
        QTest::newRow("one word") << RtfDocument{{paragraph(RtfAlignment::Left, {{u"Hello"_s, kArial}})}}
                                  << head + "\\pard\\f0\\fs24 Hello\\par\r\n}\r\n";
        QTest::newRow("empty paragraph") << RtfDocument{{paragraph(RtfAlignment::Left, {}, format(u"Arial"_s, 40))}}
                                         << head + "\\pard\\f0\\fs40\\par\r\n}\r\n";
        QTest::newRow("only changes are stated")
            << RtfDocument{{paragraph(RtfAlignment::Center,
                                      {{u"Hi "_s, format(u"Arial"_s, 24, u"b"_s)}, {u"there"_s, kArial}}),
                            paragraph(RtfAlignment::Center, {{u"2"_s, kArial}}),
                            paragraph(RtfAlignment::Left, {{u"3"_s, kArial}})}}
            << head + "\\pard\\qc\\f0\\fs24\\b Hi \\b0 there\\par\r\n2\\par\r\n\\pard 3\\par\r\n}\r\n";
        QTest::newRow("colours and toggles")
            << RtfDocument{{paragraph(RtfAlignment::Right,
                                      {{u"a"_s, format(u"Arial"_s, 21, u"iu"_s, RtfColor{255, 0, 0})},
                                       {u"b"_s, format(u"Arial"_s, 21, u""_s, RtfColor{0, 0, 255})},
                                       {u"c"_s, format(u"Arial"_s, 21)}})}}
            << head + "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
                      "\\pard\\qr\\f0\\fs21\\i\\ul\\cf1 a\\i0\\ulnone\\cf2 b\\cf0 c\\par\r\n}\r\n";
        QTest::newRow("characters that need escapes")
            << RtfDocument{{paragraph(RtfAlignment::Left, {{u"{a}\\\tb\u2028"
                                                            "1 \u00E9\u20AC\u03A9\U0001F600"_s,
                                                            kArial}})}}
            << head + "\\pard\\f0\\fs24\\{a\\}\\\\\\tab b\\line 1 \\'e9\\'80\\u937\\'3f\\u-10179\\'3f\\u-8704\\'3f"
                      "\\par\r\n}\r\n";
        // A hex fallback, not "?": pandoc skips one character more after a literal one.
        QTest::newRow("fallback before letters")
            << RtfDocument{{paragraph(RtfAlignment::Left, {{u"\u03A9hm"_s, kArial}})}}
            << head + "\\pard\\f0\\fs24\\u937\\'3fhm\\par\r\n}\r\n";
        QTest::newRow("strike, raised, lowered and highlighted")
            << RtfDocument{{paragraph(RtfAlignment::Left,
                                      {{u"a"_s, format(u"Arial"_s, 24, u"s"_s)},
                                       {u"b"_s, format(u"Arial"_s, 24, u"^"_s, std::nullopt, RtfColor{255, 255, 0})},
                                       {u"c"_s, format(u"Arial"_s, 24, u"_"_s, RtfColor{255, 255, 0})},
                                       {u"d"_s, kArial}})}}
            << head + "{\\colortbl ;\\red255\\green255\\blue0;}\r\n"
                      "\\pard\\f0\\fs24\\strike a{\\strike0\\highlight1\\super b}{\\cf1\\strike0\\sub c}"
                      "\\strike0 d\\par\r\n}\r\n";
        QTest::newRow("symbol fonts")
            << RtfDocument{{paragraph(RtfAlignment::Left, {{u"\u2022 \u03B11x{\\"_s, format(u"Symbol"_s, 24)},
                                                           {u"\u25AAl"_s, format(u"Wingdings"_s, 24)},
                                                           {u"\u2022"_s, kArial}})}}
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset2 Symbol;}"
                          "{\\f1\\fnil\\fcharset2 Wingdings;}{\\f2\\fnil\\fcharset0 Arial;}}\r\n"
                          "\\pard\\f0\\fs24\\u8226\\'b7\\u32\\'20\\u945\\'61\\u49\\'31"
                          "\\u120\\'3f\\u123\\'7b\\u92\\'3f\\f1\\u9642\\'a7\\u108\\'3f\\f2\\'95\\par\r\n}\r\n");
        QTest::newRow("blank after a word") << RtfDocument{{paragraph(RtfAlignment::Left, {{u" x"_s, kArial}})}}
                                            << head + "\\pard\\f0\\fs24  x\\par\r\n}\r\n";
        QTest::newRow("font names")
            << RtfDocument{{paragraph(RtfAlignment::Left,
                                      {{u"a"_s, format(u"Caf\u00E9 {1}; \u5B8B"_s, 24)}, {u"b"_s, format(u""_s, 24)}})}}
            << QByteArray(
                   "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Caf\\'e9 \\{1\\}\\'3b "
                   "\\u23435\\'3f;}{\\f1\\fnil\\fcharset0;}}\r\n\\pard\\f0\\fs24 a\\f1 b\\par\r\n}\r\n");
    }

    void bytes()
    {
        QFETCH(RtfDocument, document);
        QTEST(writeRtfModel(document), "expected");
    }
};

MX_REGISTER_TEST(RtfWriterTest)
#include "tst_rtf_writer.moc"
