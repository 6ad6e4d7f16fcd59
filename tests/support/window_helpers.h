#pragma once

#include <QCloseEvent>
#include <QWidget>

// Pieces the window suites share.
namespace mx::test {

// A window that refuses to close, like an editor whose save question was cancelled.
class StubbornWindow : public QWidget {
public:
    int asked = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++asked;
        event->ignore();
    }
};

} // namespace mx::test
