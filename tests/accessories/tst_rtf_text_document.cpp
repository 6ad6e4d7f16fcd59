#include "accessories/rtf_text_document.h"

#include "test_registry.h"
#include "text_document_describe.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::describeDocument;

namespace {

// What the note editor can produce or show: every attribute it sets, those a foreign file brings, text of every
// kind, an empty paragraph with a format of its own.
const QByteArray kEditorDocumentBytes =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Times New "
    "Roman;}{\\f2\\fnil\\fcharset0 Courier New;}{\\f3\\fnil\\fcharset2 Symbol;}}\r\n"
    "{\\colortbl "
    ";\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}\r\n"
    "\\pard\\qc\\f0\\fs32\\b\\cf1 Title\\fs24\\b0\\cf0\\par\r\n"
    "\\pard plain \\f1\\i italic\\tab next\\line line \\f2\\fs19\\i0\\ul\\cf2 under\\f0\\fs24\\ulnone\\cf0\\par\r\n"
    "\\pard\\qr\\fs40\\par\r\n"
    "\\pard\\qj\\fs24\\b\\i\\ul\\'80 \\u937\\'3f \\u-10179\\'3f\\u-8704\\'3f \\{x\\} \\\\ 12\\b0\\i0\\ulnone\\par\r\n"
    "\\pard H{\\sub 2}O \\strike old\\strike0  m{\\super 3}\\cf3\\strike\\highlight4 seal\\f3\\cf0\\strike0\\highlight0"
    "\\u8226\\'b7\\tab\\u945\\'61\\f0\\par\r\n}\r\n";

const QStringList kEditorDocumentRead{
    u"C [Arial 16 b #ff0000]Title"_s,
    u"L [Arial 12]plain [Times New Roman 12 i]italic\tnext<br>line [Courier New 9.5 u #008000]under"_s,
    u"R |[Arial 20]"_s,
    u"J [Arial 12 b i u]\u20AC \u03A9 \U0001F600 {x} \\ 12"_s,
    u"L [Arial 12]H[Arial 12 sub]2[Arial 12]O [Arial 12 s]old[Arial 12] m[Arial 12 super]3"
    u"[Arial 12 s #0000ff bg#ffff00]seal[Symbol 12]\u2022\t\u03B1"_s,
};

} // namespace

class RtfTextDocumentTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Read and written again, the document gives the same bytes: nothing drifts from save to save. Reading
    // replaces what the document held and leaves no step to undo.
    void editorDocumentRoundTrip()
    {
        QTextDocument read;
        read.setPlainText(u"old text\nsecond"_s);
        QTextCursor(&read).insertText(u"typed "_s);
        QCOMPARE(int(readRtf(kEditorDocumentBytes, read)), 0);
        QCOMPARE(describeDocument(read), kEditorDocumentRead);
        QVERIFY(!read.isUndoAvailable() && !read.isModified() && read.isUndoRedoEnabled());
        QCOMPARE(writeRtf(read), kEditorDocumentBytes);
        readRtf("{\\rtf1}", read);
        QVERIFY(read.isEmpty());
    }

    // Text with no font of its own is written in the document's default font; pictures and tables as their text; a
    // transparent background is no highlight.
    void pastedWebTextKeepsItsText()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(u"Courier New"_s, 9));
        doc.setHtml(u"<p>a<img src=\"missing.png\">b</p><table><tr><td>c</td><td>d</td></tr></table>"
                    u"<p style=\"background: transparent\">e <span style=\"background: #ff0\">f</span></p>"_s);
        QTextDocument read;
        readRtf(writeRtf(doc), read);
        QCOMPARE(read.toPlainText(), u"ab\nc\nd\n\ne f"_s);
        QCOMPARE(describeDocument(read).constLast(), u"L [Courier New 9]e [Courier New 9 bg#ffff00]f"_s);
    }
};

MX_REGISTER_TEST(RtfTextDocumentTest)
#include "tst_rtf_text_document.moc"
