#include "accessories/rtf_reader.h"
#include "accessories/rtf_writer.h"

#include "rtf_describe.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::describe;

namespace {

RtfCharFormat format(const QString& family, int halfPoints, const QString& flags = {},
                     std::optional<RtfColor> color = std::nullopt)
{
    return RtfCharFormat{family, halfPoints, flags.contains(u'b'), flags.contains(u'i'), flags.contains(u'u'), color};
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
    void bytes_data();
    void bytes();
    void roundTrip_data();
    void roundTrip();
};

void RtfWriterTest::bytes_data()
{
    QTest::addColumn<RtfDocument>("document");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n";

    QTest::newRow("no paragraphs") << RtfDocument{} << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n}\r\n");
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
        << RtfDocument{{paragraph(RtfAlignment::Right, {{u"a"_s, format(u"Arial"_s, 21, u"iu"_s, RtfColor{255, 0, 0})},
                                                        {u"b"_s, format(u"Arial"_s, 21, u""_s, RtfColor{0, 0, 255})},
                                                        {u"c"_s, format(u"Arial"_s, 21)}})}}
        << head + "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
                  "\\pard\\qr\\f0\\fs21\\i\\ul\\cf1 a\\i0\\ulnone\\cf2 b\\cf0 c\\par\r\n}\r\n";
    QTest::newRow("characters that need escapes")
        << RtfDocument{{paragraph(RtfAlignment::Left, {{u"{a}\\\tb\u2028"
                                                        "1 \u00E9\u20AC\u03A9\U0001F600"_s,
                                                        kArial}})}}
        << head + "\\pard\\f0\\fs24\\{a\\}\\\\\\tab b\\line 1 \\'e9\\'80\\u937?\\u-10179?\\u-8704?\\par\r\n}\r\n";
    QTest::newRow("blank after a word") << RtfDocument{{paragraph(RtfAlignment::Left, {{u" x"_s, kArial}})}}
                                        << head + "\\pard\\f0\\fs24  x\\par\r\n}\r\n";
    QTest::newRow("font names")
        << RtfDocument{{paragraph(RtfAlignment::Left,
                                  {{u"a"_s, format(u"Caf\u00E9 {1}; \u5B8B"_s, 24)}, {u"b"_s, format(u""_s, 24)}})}}
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Caf\\'e9 \\{1\\}\\'3b "
                      "\\u23435?;}{\\f1\\fnil\\fcharset0;}}\r\n\\pard\\f0\\fs24 a\\f1 b\\par\r\n}\r\n");
}

void RtfWriterTest::bytes()
{
    QFETCH(RtfDocument, document);
    QFETCH(QByteArray, expected);

    QCOMPARE(writeRtfModel(document), expected);
}

void RtfWriterTest::roundTrip_data()
{
    QTest::addColumn<RtfDocument>("document");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("formats and alignments")
        << RtfDocument{{paragraph(RtfAlignment::Justify,
                                  {{u"Bold"_s, format(u"Arial"_s, 24, u"b"_s)},
                                   {u" red"_s, format(u"Arial"_s, 24, u""_s, RtfColor{255, 0, 0})},
                                   {u" 10.5"_s, format(u"Times"_s, 21, u"iu"_s)}}),
                        paragraph(RtfAlignment::Right, {}, format(u"Times"_s, 60)),
                        paragraph(RtfAlignment::Center, {{u"end"_s, kArial}}, format(u"Times"_s, 20, u"b"_s))}}
        << QStringList{u"J [Arial 12 b]Bold[Arial 12 #ff0000] red[Times 10.5 i u] 10.5"_s, u"R |[Times 30]"_s,
                       u"C [Arial 12]end|[Times 10 b]"_s};
    QTest::newRow("awkward text")
        << RtfDocument{{paragraph(RtfAlignment::Left, {{u" 12 \\par {x} \t\u2028;?\u00FF\u0152\U0001F600"_s, kArial}})}}
        << QStringList{u"L [Arial 12] 12 \\par {x} \t<br>;?\u00FF\u0152\U0001F600"_s};
    QTest::newRow("trailing empty paragraphs")
        << RtfDocument{{paragraph(RtfAlignment::Left, {{u"a"_s, kArial}}), paragraph(RtfAlignment::Left, {}, kArial),
                        paragraph(RtfAlignment::Left, {}, kArial)}}
        << QStringList{u"L [Arial 12]a"_s, u"L |[Arial 12]"_s, u"L |[Arial 12]"_s};
}

void RtfWriterTest::roundTrip()
{
    QFETCH(RtfDocument, document);
    QFETCH(QStringList, expected);

    const RtfReadResult result = readRtfModel(writeRtfModel(document));
    QCOMPARE(describe(result.document), expected);
    QCOMPARE(describe(result.issues), u""_s);
}

MX_REGISTER_TEST(RtfWriterTest)
#include "tst_rtf_writer.moc"
