#pragma once

#include "platform/clipboard.h"
#include "scripted_messages.h"
#include "test_helpers.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <optional>

namespace mx::test {

// Runs what a user does in an editor window, as the editor suites write it in their tables: steps separated by "; ",
// each "type TEXT", "set TEXT" (the whole text at once), a key ("Shift+Left"), "select FROM-TO", "all", the
// objectName of a menu entry or tool-bar button, "clip TEXT" ("clip" alone empties the clipboard), "refuse" (the
// clipboard takes nothing until the steps end), Yes / No / Cancel /
// Ok (the answer to the next message), "full" / "room" (the disk takes at most 16 bytes a file / has room again) or
// "close". A step the suite has words of its own for goes to `own` first, which returns whether it took it.
// `box` is the window's QTextEdit or QPlainTextEdit.
inline void runEditorSteps(QWidget* window, QWidget* box, ScriptedMessages& messages, const QString& steps,
                           const std::function<bool(const QString& step)>& own = {})
{
    auto* rich = qobject_cast<QTextEdit*>(box);
    auto* plain = qobject_cast<QPlainTextEdit*>(box);
    std::optional<FileSizeLimitScope> fullDisk;
    const ClipboardWriter desktopClipboard = setClipboardWriter({});
    const auto restoreClipboard = qScopeGuard([&] { setClipboardWriter(desktopClipboard); });
    for (const QString& step : steps.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        const QString word = step.section(u' ', 0, 0);
        const QString rest = step.section(u' ', 1);
        if (own && own(step))
            continue;
        if (word == u"type") {
            QTest::keyClicks(box, rest);
        } else if (word == u"set") {
            rich ? rich->setPlainText(rest) : plain->setPlainText(rest);
        } else if (word == u"select") {
            QTextCursor cursor = rich ? rich->textCursor() : plain->textCursor();
            cursor.setPosition(rest.section(u'-', 0, 0).toInt());
            cursor.setPosition(rest.section(u'-', 1).toInt(), QTextCursor::KeepAnchor);
            rich ? rich->setTextCursor(cursor) : plain->setTextCursor(cursor);
        } else if (word == u"all") {
            rich ? rich->selectAll() : plain->selectAll();
        } else if (word == u"clip") {
            if (rest.isEmpty())
                QGuiApplication::clipboard()->clear();
            else
                QGuiApplication::clipboard()->setText(rest);
        } else if (word == u"refuse") {
            setClipboardWriter([](const QString&) { return false; });
        } else if (word == u"full") {
            fullDisk.emplace(16);
        } else if (word == u"room") {
            fullDisk.reset();
        } else if (word == u"close") {
            window->close();
        } else if (word == u"Yes" || word == u"No" || word == u"Cancel" || word == u"Ok") {
            messages.answerNext(word == u"Yes"  ? MsgAnswer::Yes
                                : word == u"No" ? MsgAnswer::No
                                : word == u"Ok" ? MsgAnswer::Ok
                                                : MsgAnswer::Cancel);
        } else if (QAction* entry = window->findChild<QAction*>(word)) {
            entry->trigger();
        } else {
            const QKeyCombination key = QKeySequence(word)[0];
            QTest::keyClick(box, key.key(), key.keyboardModifiers());
        }
    }
}

} // namespace mx::test
