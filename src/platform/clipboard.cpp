#include "platform/clipboard.h"

#include "common/message_service.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <utility>

namespace mx {
namespace {

bool writeDesktopClipboard(const QString& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    // Only reading it back tells whether the desktop let us have the clipboard.
    return clipboard->text() == text;
}

ClipboardWriter& writer()
{
    static ClipboardWriter current = writeDesktopClipboard;
    return current;
}

bool writeDesktopClipboardImage(const QImage& image)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(image);
    return clipboard->image().size() == image.size();
}

ClipboardImageWriter& imageWriter()
{
    static ClipboardImageWriter current = writeDesktopClipboardImage;
    return current;
}

} // namespace

ClipboardWriter setClipboardWriter(ClipboardWriter replacement)
{
    return std::exchange(writer(), replacement ? std::move(replacement) : ClipboardWriter(writeDesktopClipboard));
}

bool putOnClipboard(const QString& text)
{
    return writer()(text);
}

ClipboardImageWriter setClipboardImageWriter(ClipboardImageWriter replacement)
{
    return std::exchange(imageWriter(),
                         replacement ? std::move(replacement) : ClipboardImageWriter(writeDesktopClipboardImage));
}

bool putImageOnClipboard(const QImage& image)
{
    return !image.isNull() && imageWriter()(image);
}

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

bool putSelectionOnClipboard(const QString& selected, ClipboardUse use)
{
    if (putOnClipboard(selected))
        return true;
    showMessage(use == ClipboardUse::Cut
                    ? QStringLiteral("The selected text could not be put on the clipboard, so it was not cut.")
                    : QStringLiteral("The selected text could not be put on the clipboard."),
                MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

} // namespace mx
