#include "app/tab_strip.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace mx {
namespace {

constexpr int kTabPadding = 14; // horizontal space around a caption
constexpr int kTabSpare = 3;    // the chosen tab rises this much above the other tabs of its row

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
    p.drawControl(QStyle::CE_TabBarTab, opt);
}

TabStrip::TabStrip(QWidget* parent) : QWidget(parent)
{
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
    }
    Q_EMIT tabChosen(index);
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

bool TabStrip::event(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        relayout();
    return QWidget::event(event);
}

} // namespace mx
