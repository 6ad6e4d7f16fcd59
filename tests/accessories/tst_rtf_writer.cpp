#include "accessories/rtf_reader.h"
#include "accessories/rtf_writer.h"

#include "test_registry.h"

#include <QTest>

using namespace mx;

namespace {

// A document in Arial, with red, blue and yellow in its colour table.
QByteArray inArial(const QByteArray& body)
{
    return "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;"
           "\\red255\\green255\\blue0;}\\f0 " +
           body + "}";
}

} // namespace

class RtfWriterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The document each input reads as, written: the bytes every saved notes file starts from.
    void bytes_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n";
        const auto row = [](const char* name, const QByteArray& input, const QByteArray& expected) {
            QTest::newRow(name) << input << expected;
        };
        row("no paragraphs", "{\\rtf1}", "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n}\r\n");
        row("one word", inArial("Hello"), head + "\\pard\\f0\\fs24 Hello\\par\r\n}\r\n");
        row("empty paragraph", inArial("\\fs40\\par"), head + "\\pard\\f0\\fs40\\par\r\n}\r\n");
        row("only changes are stated", inArial("\\qc\\b Hi \\b0 there\\par 2\\par\\pard 3"),
            head + "\\pard\\qc\\f0\\fs24\\b Hi \\b0 there\\par\r\n2\\par\r\n\\pard 3\\par\r\n}\r\n");
        row("colours and toggles", inArial("\\qr\\fs21\\i\\ul\\cf1 a\\i0\\ulnone\\cf2 b\\cf0 c"),
            head + "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
                   "\\pard\\qr\\f0\\fs21\\i\\ul\\cf1 a\\i0\\ulnone\\cf2 b\\cf0 c\\par\r\n}\r\n");
        row("characters that need escapes", inArial("\\{a\\}\\\\\\tab b\\line 1 \\'e9\\'80\\u937?\\u-10179?\\u-8704?"),
            head + "\\pard\\f0\\fs24\\{a\\}\\\\\\tab b\\line 1 \\'e9\\'80\\u937\\'3f\\u-10179\\'3f\\u-8704\\'3f"
                   "\\par\r\n}\r\n");
        // A hex fallback, not "?": pandoc skips one character more after a literal one.
        row("fallback before letters", inArial("\\u937?hm"), head + "\\pard\\f0\\fs24\\u937\\'3fhm\\par\r\n}\r\n");
        row("strike, raised, lowered and highlighted",
            inArial("\\strike a{\\strike0\\super\\highlight3 b}{\\strike0\\sub\\cf3 c}\\strike0 d"),
            head + "{\\colortbl ;\\red255\\green255\\blue0;}\r\n"
                   "\\pard\\f0\\fs24\\strike a{\\strike0\\highlight1\\super b}{\\cf1\\strike0\\sub c}"
                   "\\strike0 d\\par\r\n}\r\n");
        row("symbol fonts",
            "{\\rtf1{\\fonttbl{\\f0\\fcharset2 Symbol;}{\\f1\\fcharset2 Wingdings;}{\\f2 Arial;}}"
            "\\f0\\u8226?\\u32?\\u945?\\u49?\\u120?\\u123?\\u92?\\f1\\u9642?\\u108?\\f2\\u8226?}",
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset2 Symbol;}"
            "{\\f1\\fnil\\fcharset2 Wingdings;}{\\f2\\fnil\\fcharset0 Arial;}}\r\n"
            "\\pard\\f0\\fs24\\u8226\\'b7\\u32\\'20\\u945\\'61\\u49\\'31"
            "\\u120\\'3f\\u123\\'7b\\u92\\'3f\\f1\\u9642\\'a7\\u108\\'3f\\f2\\'95\\par\r\n}\r\n");
        row("blank after a word", inArial(" x"), head + "\\pard\\f0\\fs24  x\\par\r\n}\r\n");
        row("font names", "{\\rtf1{\\fonttbl{\\f0 Caf\\'e9 \\{1\\}\\'3b \\u23435?;}}\\f0 a\\f1 b}",
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Caf\\'e9 \\{1\\}\\'3b "
            "\\u23435\\'3f;}{\\f1\\fnil\\fcharset0;}}\r\n\\pard\\f0\\fs24 a\\f1 b\\par\r\n}\r\n");
    }

    void bytes()
    {
        QFETCH(QByteArray, input);
        QTEST(writeRtfModel(readRtfModel(input).document), "expected");
    }
};

MX_REGISTER_TEST(RtfWriterTest)
#include "tst_rtf_writer.moc"
