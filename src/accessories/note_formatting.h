#pragma once

#include <QAbstractButton>
#include <QColor>

class QTextEdit;

namespace mx {

// The note editor's character formatting: the Appearance menu's commands, the size list and the colour swatch.
// Each command formats the selection, or without one the text typed next.

// The colour swatch (picColors): its background is the last colour chosen through it; a click asks for a colour.
class ColourSwatch : public QAbstractButton {
public:
    explicit ColourSwatch(QWidget* parent);
    void setColour(const QColor& colour);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The sizes the size list offers, in points.
const QStringList& noteFontSizes();

// A selection that is only partly bold (italic, underlined) becomes so throughout; pressed again, nowhere.
void toggleBold(QTextEdit& box);
void toggleItalic(QTextEdit& box);
void toggleUnderline(QTextEdit& box);

// The size chosen in the size list; a text that is not a size the notes file can hold changes nothing.
void applyPointSize(QTextEdit& box, const QString& sizeText);

// Asks for a colour, starting at `start`, and colours the text with it; returns the colour, or an invalid one when
// the user cancelled.
QColor chooseTextColour(QTextEdit& box, const QColor& start, QWidget* parent);

// Asks for a font and takes its family, italic and bold (the size is the size list's business).
void chooseTextFont(QTextEdit& box, QWidget* parent);

} // namespace mx
