#include "platform/result_copy.h"

#include "platform/clipboard.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>

namespace mx {
namespace {

bool opensMenu(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Menu && held == Qt::NoModifier) ||
           (key->key() == Qt::Key_F10 && held == Qt::ShiftModifier);
}

class ResultCopy : public QObject {
public:
    ResultCopy(QWidget* result, UnitOfResult unit, TypedBoxCopy typed)
        : QObject(result), result_(result), unit_(std::move(unit)), typed_(typed)
    {
        // A result is reached by Tab as well as by a click; in a label the arrow keys then select, as in a box.
        if (auto* label = qobject_cast<QLabel*>(result))
            label->setTextInteractionFlags(label->textInteractionFlags() | Qt::TextSelectableByKeyboard);
        result->setFocusPolicy(Qt::StrongFocus);
        result->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != result_)
            return false;
        switch (event->type()) {
        case QEvent::ContextMenu: {
            if (!hasMenu())
                return false;
            auto* request = static_cast<QContextMenuEvent*>(event);
            if (request->reason() == QContextMenuEvent::Keyboard)
                showMenuFromKeyboard();
            else
                showMenu(request->globalPos());
            return true;
        }
        case QEvent::ShortcutOverride: {
            // Taken before any window shortcut can claim the key.
            auto* key = static_cast<QKeyEvent*>(event);
            if ((copiesOnKey() && key->matches(QKeySequence::Copy)) || (opensMenu(key) && hasMenu())) {
                event->accept();
                return true;
            }
            return false;
        }
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (copiesOnKey() && key->matches(QKeySequence::Copy)) {
                const QString selected = selectedText();
                const QString text = selected.isEmpty() ? shownText() : selected;
                if (!text.isEmpty())
                    putOnClipboard(text);
                return true;
            }
            if (opensMenu(key) && hasMenu()) {
                showMenuFromKeyboard();
                return true;
            }
            return false;
        }
        case QEvent::FocusIn:
            return focusIn(static_cast<QFocusEvent*>(event));
        default:
            return false;
        }
    }

private:
    QLineEdit* lineEdit() const { return qobject_cast<QLineEdit*>(result_); }

    bool isResult() const
    {
        const QLineEdit* edit = lineEdit();
        return !edit || edit->isReadOnly();
    }

    // An input without a unit has nothing to add to its own menu.
    bool hasMenu() const { return isResult() || bool(unit_); }

    bool copiesOnKey() const
    {
        if (isResult())
            return true;
        return typed_ == TypedBoxCopy::ProgramText && !lineEdit()->isModified();
    }

    // A result Tab enters is selected whole, as a line edit's text is: the selection shows where the focus is, and
    // Ctrl+C copies it. A read-only box still shows the start of its text; the line edit would scroll to the tail.
    bool focusIn(QFocusEvent* event)
    {
        const Qt::FocusReason reason = event->reason();
        if (!isResult() ||
            (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason))
            return false;
        static_cast<QObject*>(result_)->event(event);
        const int length = int(shownText().size());
        if (QLineEdit* edit = lineEdit())
            edit->setSelection(length, -length);
        else if (auto* label = qobject_cast<QLabel*>(result_))
            label->setSelection(0, length);
        return true;
    }

    QString shownText() const
    {
        if (const QLineEdit* edit = lineEdit())
            return edit->text();
        if (const auto* label = qobject_cast<QLabel*>(result_))
            return label->text();
        return {};
    }

    QString selectedText() const
    {
        if (const QLineEdit* edit = lineEdit())
            return edit->selectedText();
        if (const auto* label = qobject_cast<QLabel*>(result_))
            return label->selectedText();
        return {};
    }

    QString textWithUnit() const
    {
        const QString unit = unit_ ? unit_() : QString();
        return unit.isEmpty() ? shownText() : shownText() + u' ' + unit;
    }

    // Opened by the Menu key or Shift+F10: below the result, its first entry ready for Enter. A second request
    // while the menu is open (the desktop sends one of its own for the Menu key) changes nothing.
    void showMenuFromKeyboard()
    {
        if (menu_ && menu_->isVisible())
            return;
        showMenu(result_->mapToGlobal(QPoint(0, result_->height())));
        for (QAction* action : menu_->actions()) {
            if (action->isEnabled() && !action->isSeparator()) {
                menu_->setActiveAction(action);
                break;
            }
        }
    }

    void showMenu(const QPoint& globalPos)
    {
        QLineEdit* edit = lineEdit();
        const bool input = !isResult();
        QMenu* menu = input ? edit->createStandardContextMenu() : new QMenu(result_);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const bool empty = shownText().isEmpty();
        if (input) {
            menu->addSeparator();
        } else {
            QAction* copy = menu->addAction(QStringLiteral("Copy"), this, [this] { putOnClipboard(shownText()); });
            copy->setShortcut(QKeySequence::Copy);
            copy->setEnabled(!empty);
        }
        if (unit_) {
            QAction* withUnit =
                menu->addAction(QStringLiteral("Copy with Unit"), this, [this] { putOnClipboard(textWithUnit()); });
            withUnit->setEnabled(!empty);
        }
        menu_ = menu;
        menu->popup(globalPos);
    }

    QWidget* result_;
    UnitOfResult unit_;
    TypedBoxCopy typed_;
    QPointer<QMenu> menu_;
};

} // namespace

void installResultCopy(QWidget* result, UnitOfResult unit, TypedBoxCopy typed)
{
    new ResultCopy(result, std::move(unit), typed);
}

QString unitOfCaption(QStringView caption)
{
    const QStringView text = caption.trimmed();
    const qsizetype open = text.lastIndexOf(u'(');
    if (text.endsWith(u')') && open >= 0)
        return text.mid(open + 1, text.size() - open - 2).trimmed().toString();
    const qsizetype in = text.lastIndexOf(u" in ");
    if (in >= 0)
        return text.mid(in + 4).trimmed().toString();
    const qsizetype degrees = text.indexOf(u"Degrees");
    if (degrees >= 0)
        return text.mid(degrees).toString();
    const QStringView lastWord = text.mid(text.lastIndexOf(u' ') + 1);
    if (lastWord.contains(u'/'))
        return lastWord.toString();
    if (text.startsWith(u'%'))
        return QStringLiteral("%");
    return text.toString();
}

} // namespace mx
