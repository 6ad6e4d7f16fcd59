#include "accessories/note_formatting.h"

#include "common/number_text.h"
#include "common/twips.h"
#include "platform/dialog_service.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace mx {

ColourSwatch::ColourSwatch(QWidget* parent) : QAbstractButton(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setColour(Qt::black);
}

void ColourSwatch::setColour(const QColor& colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

QSize ColourSwatch::sizeHint() const
{
    return twipsSize(330, 330);
}

void ColourSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

namespace {

constexpr double kMaxPoints = 1638; // the largest size the notes file holds

// Whether every character of the selection (or, without one, the typing format) passes the test.
template <typename Test> bool selectionAll(const QTextEdit& box, Test test)
{
    const QTextCursor cursor = box.textCursor();
    if (!cursor.hasSelection())
        return test(box.currentCharFormat());
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = box.document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() <= start || fragment.position() >= end)
                continue;
            if (!test(fragment.charFormat()))
                return false;
        }
    }
    return true;
}

} // namespace

const QStringList& noteFontSizes()
{
    static const QStringList sizes = {u"8"_qs,  u"9"_qs,  u"10"_qs, u"11"_qs, u"12"_qs, u"13"_qs, u"14"_qs,
                                      u"15"_qs, u"16"_qs, u"17"_qs, u"18"_qs, u"19"_qs, u"20"_qs, u"24"_qs,
                                      u"26"_qs, u"28"_qs, u"32"_qs, u"34"_qs, u"36"_qs, u"40"_qs};
    return sizes;
}

void toggleBold(QTextEdit& box)
{
    const bool bold = selectionAll(box, [](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; });
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Normal : QFont::Bold);
    box.mergeCurrentCharFormat(format);
}

void toggleItalic(QTextEdit& box)
{
    const bool italic = selectionAll(box, [](const QTextCharFormat& f) { return f.fontItalic(); });
    QTextCharFormat format;
    format.setFontItalic(!italic);
    box.mergeCurrentCharFormat(format);
}

void toggleUnderline(QTextEdit& box)
{
    const bool underline = selectionAll(box, [](const QTextCharFormat& f) { return f.fontUnderline(); });
    QTextCharFormat format;
    format.setFontUnderline(!underline);
    box.mergeCurrentCharFormat(format);
}

void applyPointSize(QTextEdit& box, const QString& sizeText)
{
    const double points = leadingNumber(sizeText);
    if (!(points >= 1 && points <= kMaxPoints))
        return;
    QTextCharFormat format;
    format.setFontPointSize(points);
    box.mergeCurrentCharFormat(format);
}

QColor chooseTextColour(QTextEdit& box, const QColor& start, QWidget* parent)
{
    QColorDialog dialog(start, parent);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setWindowTitle(QStringLiteral("Color"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    // Cancel leaves the text as it was.
    if (execDialog(dialog) != QDialog::Accepted)
        return {};
    const QColor colour = dialog.currentColor();
    QTextCharFormat format;
    format.setForeground(colour);
    box.mergeCurrentCharFormat(format);
    return colour;
}

void chooseTextFont(QTextEdit& box, QWidget* parent)
{
    QFontDialog dialog(box.currentFont(), parent);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setWindowTitle(QStringLiteral("Font"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    // The dialog lists only installed families: text in a family that is not installed opens at the one standing
    // in for it, which must not replace the text's own unless the user chose another.
    const QString shownFamily = dialog.currentFont().family();
    const QString standIn = QFontInfo(box.currentFont()).family();
    if (execDialog(dialog) != QDialog::Accepted)
        return;
    const QFont font = dialog.currentFont();
    QTextCharFormat format;
    if (font.family() != shownFamily && font.family() != standIn)
        format.setFontFamilies({font.family()});
    format.setFontItalic(font.italic());
    format.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    box.mergeCurrentCharFormat(format);
}

} // namespace mx
