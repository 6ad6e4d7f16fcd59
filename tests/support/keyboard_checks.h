#pragma once

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Driving windows from the keyboard as a user on X11 does, and what a screen reader hears as a control's label.
namespace mx::test {

// A key pressed and released as the X server delivers it: the key together with the text it types ("\r" for Return,
// "\t" for Tab, "\b" for Backspace, "\x7f" for Delete, "\x1b" for Escape, "+" with Shift), shortcuts first.
inline void x11Key(QWidget* target, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = {})
{
    QTest::sendKeyEvent(QTest::Click, target, key, text, modifiers);
}

// The same key sent to whichever widget has the focus.
inline void x11KeyToFocus(Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    x11Key(focus, key, text, modifiers);
}

// The object names of the widgets Tab reaches, one press at a time, starting from `start`.
inline QStringList tabWalk(QWidget* start, int presses)
{
    start->setFocus(Qt::OtherFocusReason);
    QStringList names;
    for (int i = 0; i < presses && QApplication::focusWidget(); ++i) {
        x11Key(QApplication::focusWidget(), Qt::Key_Tab, QStringLiteral("\t"));
        names << QApplication::focusWidget()->objectName();
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
