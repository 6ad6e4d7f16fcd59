#include "accessories/rtf_tokenizer.h"

#include "test_registry.h"

#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

// Tokens as text: "{" "}" "\word5" "sym:~" "hex:e9" "text:abc" "bin:3:abc", joined by blanks.
QString tokens(const QByteArray& input, bool* malformed = nullptr)
{
    RtfTokenizer tokenizer(input);
    QStringList out;
    for (int guard = 0; guard < 1000; ++guard) {
        const RtfToken t = tokenizer.next();
        switch (t.kind) {
        case RtfTokenKind::End:
            if (malformed)
                *malformed = tokenizer.sawMalformed();
            return out.join(u' ');
        case RtfTokenKind::GroupStart:
            out << u"{"_s;
            break;
        case RtfTokenKind::GroupEnd:
            out << u"}"_s;
            break;
        case RtfTokenKind::ControlWord:
            out << u'\\' + QString::fromLatin1(t.data) + (t.hasParameter ? QString::number(t.parameter) : QString());
            break;
        case RtfTokenKind::ControlSymbol:
            out << (t.parameter == '\n' ? u"sym:LF"_s : u"sym:"_s + QChar(t.parameter));
            break;
        case RtfTokenKind::HexByte:
            out << u"hex:"_s + QString::number(t.parameter, 16);
            break;
        case RtfTokenKind::Text:
            out << u"text:"_s + QString::fromLatin1(t.data);
            break;
        case RtfTokenKind::Binary:
            out << u"bin:"_s + QString::number(t.data.size()) + u':' + QString::fromLatin1(t.data);
            break;
        }
    }
    return u"no end"_s;
}

} // namespace

class RtfTokenizerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void split_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("malformed");

        QTest::newRow("groups and words") << QByteArray("{\\rtf1\\ansi x}") << u"{ \\rtf1 \\ansi text:x }"_s << false;
        QTest::newRow("one blank ends a word and is dropped")
            << QByteArray("\\b  bold") << u"\\b text: bold"_s << false;
        QTest::newRow("negative parameter") << QByteArray("\\u-10179?") << u"\\u-10179 text:?"_s << false;
        QTest::newRow("minus without digits is text") << QByteArray("\\b-x") << u"\\b text:-x"_s << false;
        QTest::newRow("parameter stops growing")
            << QByteArray("\\fs99999999999999 x") << u"\\fs2147483647 text:x"_s << false;
        QTest::newRow("line ends are not text")
            << QByteArray("ab\r\ncd\n\\par\r\nef") << u"text:ab text:cd \\par text:ef"_s << false;
        QTest::newRow("backslash before a line end") << QByteArray("a\\\r\nb") << u"text:a sym:LF text:b"_s << false;
        QTest::newRow("escaped braces and backslash")
            << QByteArray("\\{\\}\\\\\\~\\*") << u"sym:{ sym:} sym:\\ sym:~ sym:*"_s << false;
        QTest::newRow("hex byte") << QByteArray("caf\\'e9s") << u"text:caf hex:e9 text:s"_s << false;
        QTest::newRow("hex byte with one digit") << QByteArray("\\'4x") << u"text:x"_s << true;
        QTest::newRow("hex byte at the end") << QByteArray("a\\'") << u"text:a"_s << true;
        QTest::newRow("backslash at the end") << QByteArray("a\\") << u"text:a"_s << true;
        QTest::newRow("binary holds braces and backslashes")
            << QByteArray("\\bin5 {}\\\\x}") << u"bin:5:{}\\\\x }"_s << false;
        QTest::newRow("binary longer than the input") << QByteArray("\\bin2147483647 abc") << u"bin:3:abc"_s << true;
        QTest::newRow("negative binary count") << QByteArray("\\bin-5 ab") << u"bin:0: text:ab"_s << false;
        QTest::newRow("empty") << QByteArray() << u""_s << false;
    }

    void split()
    {
        QFETCH(QByteArray, input);
        bool sawMalformed = false;
        QTEST(tokens(input, &sawMalformed), "expected");
        QTEST(sawMalformed, "malformed");
    }
};

MX_REGISTER_TEST(RtfTokenizerTest)
#include "tst_rtf_tokenizer.moc"
