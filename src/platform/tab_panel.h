#pragma once


#include <QWidget>

// The panel of one tab of the main window. The main window keeps a table of its tab pages (caption, objectName,
// a factory making the panel), places the chosen panel at its offset below the tab strip and calls tabChosen() each
// time the user chooses its tab, also when the tab is chosen again. A panel owns its own timers and hints.
namespace mx {

class TabPanel : public QWidget {
    Q_OBJECT
public:
    // The panels stand in the main window from its start: the first one puts the program's button keys in place.
    explicit TabPanel(QWidget* parent = nullptr) : QWidget(parent) {}

    virtual void tabChosen() {}
};

} // namespace mx
