#include "platform/box_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QVariant>

namespace mx {
namespace {

// The alignment a label was designed with, noted the first time a text is shown in it.
constexpr char kDesignedAlignment[] = "mxDesignedAlignment";

} // namespace

void showInBox(QLineEdit* box, const QString& text)
{
    if (box->text() == text)
        return;
    box->setText(text);
    box->setCursorPosition(0);
}

void showInLabel(QLabel* label, const QString& text)
{
    QVariant designed = label->property(kDesignedAlignment);
    if (!designed.isValid()) {
        designed = int(label->alignment());
        label->setProperty(kDesignedAlignment, designed);
    }
    const auto alignment = Qt::Alignment(designed.toInt());
    label->setText(text);
    const int room = label->contentsRect().width() - 2 * label->margin();
    const bool fits = label->fontMetrics().horizontalAdvance(text) <= room;
    label->setAlignment(fits ? alignment : (alignment & Qt::AlignVertical_Mask) | Qt::AlignLeft);
}

} // namespace mx
