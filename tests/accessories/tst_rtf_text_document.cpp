#include "accessories/rtf_text_document.h"

#include "test_helpers.h"
#include "test_registry.h"
#include "text_document_describe.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::describeDocument;

namespace {

// Flags: b i u, s strike, ^ raised, _ lowered.
QTextCharFormat charFormat(const QString& family, qreal points, const QString& flags = {}, const QColor& color = {},
                           const QColor& background = {})
{
    QTextCharFormat f;
    if (!family.isEmpty())
        f.setFontFamilies({family});
    if (points > 0)
        f.setFontPointSize(points);
    if (flags.contains(u'b'))
        f.setFontWeight(QFont::Bold);
    f.setFontItalic(flags.contains(u'i'));
    f.setFontUnderline(flags.contains(u'u'));
    if (color.isValid())
        f.setForeground(color);
    if (flags.contains(u's'))
        f.setFontStrikeOut(true);
    if (flags.contains(u'^'))
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (flags.contains(u'_'))
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (background.isValid())
        f.setBackground(background);
    return f;
}

void addBlock(QTextCursor& cursor, Qt::Alignment alignment, const QTextCharFormat& mark = {})
{
    QTextBlockFormat block;
    block.setAlignment(alignment);
    if (cursor.atStart()) {
        cursor.setBlockFormat(block);
        cursor.setBlockCharFormat(mark);
    } else {
        cursor.insertBlock(block, mark);
    }
}

// What the note editor can produce or show: every attribute it sets, those a foreign file brings, text of every
// kind, an empty paragraph.
void buildEditorDocument(QTextDocument& doc)
{
    doc.setDefaultFont(QFont(u"Arial"_s, 12));
    QTextCursor cursor(&doc);
    addBlock(cursor, Qt::AlignHCenter);
    cursor.insertText(u"Title"_s, charFormat(u"Arial"_s, 16, u"b"_s, QColor(255, 0, 0)));
    addBlock(cursor, Qt::AlignLeft);
    cursor.insertText(u"plain "_s, QTextCharFormat());
    cursor.insertText(u"italic\tnext\u2028line "_s, charFormat(u"Times New Roman"_s, 12, u"i"_s));
    cursor.insertText(u"under"_s, charFormat(u"Courier New"_s, 9.5, u"u"_s, QColor(0, 128, 0)));
    addBlock(cursor, Qt::AlignRight, charFormat(u"Arial"_s, 20));
    addBlock(cursor, Qt::AlignJustify);
    cursor.insertText(u"\u20AC \u03A9 \U0001F600 {x} \\ 12"_s, charFormat(u"Arial"_s, 12, u"biu"_s));
    addBlock(cursor, Qt::AlignLeft);
    cursor.insertText(u"H"_s, QTextCharFormat());
    cursor.insertText(u"2"_s, charFormat({}, 0, u"_"_s));
    cursor.insertText(u"O "_s, QTextCharFormat());
    cursor.insertText(u"old"_s, charFormat({}, 0, u"s"_s));
    cursor.insertText(u" m"_s, QTextCharFormat());
    cursor.insertText(u"3"_s, charFormat({}, 0, u"^"_s));
    cursor.insertText(u"seal"_s, charFormat({}, 0, u"s"_s, QColor(0, 0, 255), QColor(255, 255, 0)));
    cursor.insertText(u"\u2022\t\u03B1"_s, charFormat(u"Symbol"_s, 0));
}

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
    void editorDocumentRoundTrip()
    {
        QTextDocument original;
        buildEditorDocument(original);
        const QByteArray bytes = writeRtf(original);

        QTextDocument read;
        QCOMPARE(int(readRtf(bytes, read)), 0);
        QCOMPARE(describeDocument(read), kEditorDocumentRead);
        QCOMPARE(read.toPlainText(), original.toPlainText());
        // Written again, the document gives the same bytes: nothing drifts from save to save.
        QCOMPARE(writeRtf(read), bytes);
    }

    void defaultFontIsWritten()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(u"Courier New"_s, 9));
        doc.setPlainText(u"x"_s);
        QCOMPARE(writeRtf(doc),
                 QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Courier "
                            "New;}}\r\n\\pard\\f0\\fs18 x\\par\r\n}\r\n"));
    }

    void readingReplacesContentWithoutUndo()
    {
        QTextDocument doc;
        doc.setPlainText(u"old text\nsecond"_s);
        QTextCursor(&doc).insertText(u"typed "_s);
        QVERIFY(doc.isUndoAvailable());

        readRtf("{\\rtf1 new\\par}", doc);
        QCOMPARE(doc.toPlainText(), u"new"_s);
        QVERIFY(!doc.isUndoAvailable() && !doc.isModified() && doc.isUndoRedoEnabled());

        readRtf("{\\rtf1}", doc);
        QVERIFY(doc.isEmpty());
    }

    // Pictures and tables as their text; a transparent background is no highlight.
    void pastedWebTextKeepsItsText()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(u"Arial"_s, 12));
        doc.setHtml(u"<p>a<img src=\"missing.png\">b</p><table><tr><td>c</td><td>d</td></tr></table>"
                    u"<p style=\"background: transparent\">e <span style=\"background: #ff0\">f</span></p>"_s);
        QTextDocument read;
        readRtf(writeRtf(doc), read);
        QCOMPARE(read.toPlainText(), u"ab\nc\nd\n\ne f"_s);
        QCOMPARE(describeDocument(read).constLast(), u"L [Arial 12]e [Arial 12 bg#ffff00]f"_s);
    }
};

MX_REGISTER_TEST(RtfTextDocumentTest)
#include "tst_rtf_text_document.moc"
