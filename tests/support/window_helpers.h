#pragma once

#include <QCloseEvent>
#include <QStringList>
#include <QWidget>

#include <functional>

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

// A window that notes its name in a list when it closes.
class ClosingRecorder : public QWidget {
public:
    explicit ClosingRecorder(QStringList& closed) : closed_(closed) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        closed_.append(objectName());
        event->accept();
    }

private:
    QStringList& closed_;
};

// A window that runs a step of its own as it closes (an editor closing its find dialog).
class ClosingHook : public QWidget {
public:
    explicit ClosingHook(std::function<void()> onClose) : onClose_(std::move(onClose)) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        onClose_();
        event->accept();
    }

private:
    std::function<void()> onClose_;
};

} // namespace mx::test
