#pragma once

#include <QAbstractButton>
#include <QList>
#include <QWidget>

namespace mx {

class TabStrip;

// One tab of the strip: a real child widget, so that it can be found, read and clicked by name ("Tabs(1)").
class StripTab : public QAbstractButton {
    Q_OBJECT
public:
    StripTab(TabStrip* strip, int index, const QString& caption, const QString& key);
    QString key() const { return key_; }
    void setInFrontRow(bool front) { inFrontRow_ = front; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TabStrip* strip_;
    int index_;
    QString key_;
    bool inFrontRow_ = true;
};

// A tab strip whose tabs wrap into as many rows as they need, the row of the chosen tab nearest the panels, as
// the five long captions of the main window do not fit in one row of its fixed width. Indices are 0-based here;
// the main window speaks of tabs 1 to 5. A screen reader meets it as a page tab list of page tabs, the chosen one
// selected. The body below the tabs is painted in the button face, like the panels laid on it.
class TabStrip : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int currentIndex READ currentIndex WRITE chooseTab NOTIFY tabChosen)
    Q_PROPERTY(int count READ count)
public:
    explicit TabStrip(QWidget* parent = nullptr);

    int addTab(const QString& caption, const QString& key);
    int count() const { return int(tabs_.size()); }
    int currentIndex() const { return current_; }
    Q_INVOKABLE QString tabText(int index) const;
    Q_INVOKABLE QString tabKey(int index) const;
    StripTab* tab(int index) const { return tabs_.value(index); }

public Q_SLOTS:
    // Makes the tab the current one and reports it chosen, also when it was current already: a tab chosen again
    // still initialises its panel.
    void chooseTab(int index);

Q_SIGNALS:
    void tabChosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class StripTab;
    void relayout();
    // Tells a screen reader which tab is chosen, and that it has the focus when the strip has.
    void announceCurrentTab();

    QList<StripTab*> tabs_;
    int current_ = -1;
    int rowsHeight_ = 0;
};

} // namespace mx
