#include "app/tab_strip.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace mx {
namespace {

constexpr int kTabPadding = 14; // horizontal space around a caption
constexpr int kTabSpare = 3;    // the chosen tab rises this much above the other tabs of its row
constexpr int kFrameLines = 2;  // the style's border of the body and of the chosen tab, kept when filling them

// The strip as a page tab list. Its children are the tabs in their order on the strip, whatever order raising
// the chosen tab has left the child widgets in.
class TabStripAccessible : public QAccessibleWidget {
public:
    explicit TabStripAccessible(TabStrip* strip) : QAccessibleWidget(strip, QAccessible::PageTabList) {}

    int childCount() const override { return strip()->count(); }
    QAccessibleInterface* child(int index) const override
    {
        StripTab* tab = strip()->tab(index);
        return tab ? QAccessible::queryAccessibleInterface(tab) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; child && i < strip()->count(); ++i) {
            if (child->object() == strip()->tab(i))
                return i;
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override
    {
        return strip()->hasFocus() ? child(strip()->currentIndex()) : nullptr;
    }

private:
    TabStrip* strip() const { return static_cast<TabStrip*>(widget()); }
};

// One tab as a page tab named by its caption: selectable, selected while chosen, focused while chosen in a strip
// that has the focus; pressing it chooses it.
class StripTabAccessible : public QAccessibleWidget {
public:
    StripTabAccessible(StripTab* tab, TabStrip* strip) : QAccessibleWidget(tab, QAccessible::PageTab), strip_(strip) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const bool chosen = strip_->tab(strip_->currentIndex()) == widget();
        state.focusable = strip_->focusPolicy() != Qt::NoFocus;
        state.selectable = true;
        state.selected = chosen;
        state.focused = chosen && strip_->hasFocus();
        state.checkable = false;
        state.checked = false;
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction())
            static_cast<StripTab*>(widget())->click();
    }

private:
    TabStrip* strip_;
};

QAccessibleInterface* tabStripAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(TabStrip::staticMetaObject.className()))
        return new TabStripAccessible(static_cast<TabStrip*>(object));
    if (className == QLatin1String(StripTab::staticMetaObject.className())) {
        auto* tab = static_cast<StripTab*>(object);
        return new StripTabAccessible(tab, static_cast<TabStrip*>(tab->parentWidget()));
    }
    return nullptr;
}

} // namespace

StripTab::StripTab(TabStrip* strip, int index, const QString& caption, const QString& key)
    : QAbstractButton(strip), strip_(strip), index_(index), key_(key)
{
    setObjectName(QStringLiteral("Tabs(%1)").arg(index + 1));
    setText(caption);
    setAccessibleName(caption);
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus); // the strip itself takes the focus and the arrow keys
    connect(this, &QAbstractButton::clicked, strip, [this] { strip_->chooseTab(index_); });
}

QSize StripTab::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(text()) + kTabPadding, fm.height() + 8};
}

void StripTab::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionTab opt;
    opt.initFrom(this);
    opt.shape = QTabBar::RoundedNorth;
    opt.text = text();
    opt.rect = rect();
    const bool selected = strip_->currentIndex() == index_;
    if (selected)
        opt.state |= QStyle::State_Selected;
    else if (inFrontRow_)
        opt.rect.adjust(0, kTabSpare, 0, 0);
    if (strip_->hasFocus() && selected)
        opt.state |= QStyle::State_HasFocus;
    opt.position = QStyleOptionTab::Middle;
    if (!selected) {
        p.drawControl(QStyle::CE_TabBarTab, opt);
        return;
    }
    // The chosen tab opens onto the body: the same button face inside its border.
    p.drawControl(QStyle::CE_TabBarTabShape, opt);
    p.fillRect(opt.rect.adjusted(kFrameLines, kFrameLines, -kFrameLines, 0), palette().button());
    p.drawControl(QStyle::CE_TabBarTabLabel, opt);
}

TabStrip::TabStrip(QWidget* parent) : QWidget(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(tabStripAccessible);
        return true;
    }();
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_Hover);
}

int TabStrip::addTab(const QString& caption, const QString& key)
{
    auto* t = new StripTab(this, int(tabs_.size()), caption, key);
    tabs_.append(t);
    if (current_ < 0) {
        current_ = 0;
        t->setChecked(true);
    }
    relayout();
    return int(tabs_.size()) - 1;
}

QString TabStrip::tabText(int index) const
{
    return index >= 0 && index < tabs_.size() ? tabs_[index]->text() : QString();
}

QString TabStrip::tabKey(int index) const
{
    return index >= 0 && index < tabs_.size() ? tabs_[index]->key() : QString();
}

void TabStrip::chooseTab(int index)
{
    if (index < 0 || index >= tabs_.size())
        return;
    if (index != current_) {
        current_ = index;
        for (int i = 0; i < tabs_.size(); ++i)
            tabs_[i]->setChecked(i == index);
        relayout();
        update();
        announceCurrentTab();
    }
    Q_EMIT tabChosen(index);
}

void TabStrip::announceCurrentTab()
{
    if (!QAccessible::isActive() || current_ < 0)
        return;
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(current_);
        QAccessible::updateAccessibility(&focus);
    }
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(current_);
    QAccessible::updateAccessibility(&selection);
}

void TabStrip::relayout()
{
    if (tabs_.isEmpty())
        return;
    const int width = qMax(1, this->width() - 4);
    // Fill rows left to right, then stretch each row to the full width.
    QList<QList<int>> rows(1);
    int used = 0;
    for (int i = 0; i < tabs_.size(); ++i) {
        const int w = tabs_[i]->sizeHint().width();
        if (!rows.last().isEmpty() && used + w > width) {
            rows.append(QList<int>());
            used = 0;
        }
        rows.last().append(i);
        used += w;
    }
    // The row holding the chosen tab goes to the bottom, next to the panels.
    for (int r = 0; r < rows.size(); ++r) {
        if (rows[r].contains(current_)) {
            rows.append(rows.takeAt(r));
            break;
        }
    }
    const int rowHeight = tabs_.first()->sizeHint().height();
    for (int r = 0; r < rows.size(); ++r) {
        int natural = 0;
        for (int i : rows[r])
            natural += tabs_[i]->sizeHint().width();
        const int extra = rows.size() > 1 ? width - natural : 0;
        int x = 2;
        for (int k = 0; k < rows[r].size(); ++k) {
            const int i = rows[r][k];
            const int share = extra / int(rows[r].size()) + (k < extra % int(rows[r].size()) ? 1 : 0);
            const int w = tabs_[i]->sizeHint().width() + share;
            tabs_[i]->setGeometry(x, r * rowHeight, w, rowHeight + (i == current_ ? 1 : 0));
            tabs_[i]->setInFrontRow(r == rows.size() - 1);
            x += w;
        }
    }
    rowsHeight_ = int(rows.size()) * rowHeight;
    if (current_ >= 0)
        tabs_[current_]->raise();
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, rowsHeight_, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    p.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
    p.fillRect(frame.rect.adjusted(kFrameLines, kFrameLines, -kFrameLines, -kFrameLines), palette().button());
}

void TabStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void TabStrip::keyPressEvent(QKeyEvent* event)
{
    const int n = int(tabs_.size());
    if (n == 0)
        return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Left:
        chooseTab((current_ + n - 1) % n);
        break;
    case Qt::Key_Right:
        chooseTab((current_ + 1) % n);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TabStrip::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    announceCurrentTab();
}

bool TabStrip::event(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        relayout();
    return QWidget::event(event);
}

} // namespace mx
