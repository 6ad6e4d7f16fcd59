#include "platform/key_filter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace mx {

KeyPressFilter::KeyPressFilter(QWidget* box, KeyPressHandler handler, ControlCodes controlCodes)
    : QObject(box), handler_(std::move(handler)), controlCodes_(controlCodes)
{
    box->installEventFilter(this);
}

int KeyPressFilter::typedCode(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                              ControlCodes controlCodes)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Escape:
        return -1;
    default:
        break;
    }
    const Qt::KeyboardModifiers held = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (held == Qt::ControlModifier) {
        if (controlCodes == ControlCodes::Filtered && key >= Qt::Key_A && key <= Qt::Key_Z)
            return key - Qt::Key_A + 1;
        return -1;
    }
    if (held != Qt::NoModifier || text.isEmpty())
        return -1;
    const char32_t c = text.toUcs4().value(0);
    // Control characters that arrive as text (DEL, escape sequences) are keys, not characters typed.
    if (c < 0x20 || c == 0x7f)
        return -1;
    return int(c);
}

bool KeyPressFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && !replacing_) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int code = typedCode(key->key(), key->modifiers(), key->text(), controlCodes_);
        if (code < 0)
            return false;
        const int kept = handler_(code);
        if (code == kEnter || kept == kDiscard)
            return true;
        if (kept == code)
            return false;
        // The handler replaced the character: the box gets the replacement instead.
        const char32_t replacement = char32_t(kept);
        QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUcs4(&replacement, 1));
        replacing_ = true;
        QCoreApplication::sendEvent(watched, &replaced);
        replacing_ = false;
        return true;
    }
    if (event->type() == QEvent::InputMethod) {
        // Text an input method commits is typed text too: each character passes the same handler.
        auto* im = static_cast<QInputMethodEvent*>(event);
        if (im->commitString().isEmpty())
            return false;
        QString kept;
        for (char32_t c : im->commitString().toUcs4()) {
            if (c < 0x20 || c == 0x7f)
                continue;
            const char32_t result = char32_t(handler_(int(c)));
            if (result != char32_t(kDiscard) && result != char32_t(kEnter))
                kept += QString::fromUcs4(&result, 1);
        }
        if (kept != im->commitString())
            im->setCommitString(kept, im->replacementStart(), im->replacementLength());
        return false;
    }
    return QObject::eventFilter(watched, event);
}

KeyPressFilter* installKeyPressFilter(QWidget* box, KeyPressHandler handler, ControlCodes controlCodes)
{
    return new KeyPressFilter(box, std::move(handler), controlCodes);
}

} // namespace mx
