#pragma once

#include <QAccessible>
#include <QApplication>
#include <QKeySequence>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Driving windows from the keyboard as a user on X11 does, and what a screen reader hears as a control's label.
namespace mx::test {

// Presses and releases each key as the X server delivers it, shortcuts first: the key together with the text it
// types ("\r" for Return, "\t" for Tab, "\b" for Backspace, "\x7f" for Delete, "\x1b" for Escape, "\x03" for
// Ctrl+C, "+" with Shift). `keys` are words: a key name as QKeySequence reads it ("Return", "Shift+F10", "Ctrl+C",
// "Enter" from the keypad) or one character typed ("7", "+"). They go to `target`, or to the focused widget.
inline void pressKeys(const QString& keys, QWidget* target = nullptr)
{
    for (const QString& word : keys.split(u' ', Qt::SkipEmptyParts)) {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        if (word.size() == 1) {
            key = Qt::Key(word[0].toUpper().unicode());
            text = word;
            if (word[0].isUpper() || QStringLiteral("~!@#$%^&*()_+{}|:\"<>?").contains(word[0]))
                modifiers = Qt::ShiftModifier;
        } else {
            const QKeyCombination named = QKeySequence::fromString(word)[0];
            key = named.key();
            modifiers = named.keyboardModifiers();
            if (key == Qt::Key_Enter)
                modifiers |= Qt::KeypadModifier;
            static const QList<std::pair<Qt::Key, const char*>> controlTexts = {
                {Qt::Key_Return, "\r"},    {Qt::Key_Enter, "\r"},    {Qt::Key_Tab, "\t"},      {Qt::Key_Backtab, "\t"},
                {Qt::Key_Backspace, "\b"}, {Qt::Key_Delete, "\x7f"}, {Qt::Key_Escape, "\x1b"}, {Qt::Key_Space, " "}};
            for (const auto& [k, t] : controlTexts)
                if (k == key)
                    text = QString::fromLatin1(t);
            if (modifiers == Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z)
                text = QChar(char16_t(key - Qt::Key_A + 1));
        }
        QWidget* receiver = target ? target : QApplication::focusWidget();
        QVERIFY2(receiver, qPrintable(word));
        QTest::sendKeyEvent(QTest::Click, receiver, key, text, modifiers);
    }
}

// The object names of the widgets Tab reaches, one press at a time, starting from `start`.
inline QStringList tabWalk(QWidget* start, int presses)
{
    start->setFocus(Qt::OtherFocusReason);
    QStringList names;
    for (int i = 0; i < presses; ++i) {
        pressKeys(QStringLiteral("Tab"));
        names << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    return names;
}

// The texts of the labels a screen reader takes as the control's label, in the order it is given them.
inline QString spokenLabels(QWidget* control)
{
    QStringList texts;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
    if (!accessible)
        return QStringLiteral("(no accessible interface)");
    for (const auto& [label, relation] : accessible->relations(QAccessible::Label))
        texts << label->text(QAccessible::Name);
    return texts.join(u'|');
}

} // namespace mx::test
