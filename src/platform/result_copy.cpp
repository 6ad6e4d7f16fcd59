#include "platform/result_copy.h"

#include "platform/clipboard.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

namespace mx {
namespace {

class ResultCopy : public QObject {
public:
    ResultCopy(QWidget* result, UnitOfResult unit) : QObject(result), result_(result), unit_(std::move(unit))
    {
        if (result->focusPolicy() == Qt::NoFocus)
            result->setFocusPolicy(Qt::ClickFocus);
        result->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != result_)
            return false;
        switch (event->type()) {
        case QEvent::ContextMenu:
            // An input without a unit has nothing to add to its own menu.
            if (!isResult() && !unit_)
                return false;
            showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        case QEvent::ShortcutOverride:
            // Taken before any window shortcut can claim the key.
            if (isResult() && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
                event->accept();
                return true;
            }
            return false;
        case QEvent::KeyPress:
            if (isResult() && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
                const QString selected = selectedText();
                const QString text = selected.isEmpty() ? shownText() : selected;
                if (!text.isEmpty())
                    putOnClipboard(text);
                return true;
            }
            return false;
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
        menu->popup(globalPos);
    }

    QWidget* result_;
    UnitOfResult unit_;
};

} // namespace

void installResultCopy(QWidget* result, UnitOfResult unit)
{
    new ResultCopy(result, std::move(unit));
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
