#pragma once

#include <QObject>
#include <QStringList>

class QTimer;

namespace mx::test {

// Fails a test that opens a modal window it did not expect, or leaves one open, instead of letting the suite hang
// on it: the window is closed and the failure counted. A test that means to open one names it first with
// expectModal(objectName); the expectation lasts until the end of the test class.
class ModalWatchdog : public QObject {
    Q_OBJECT
public:
    ModalWatchdog();
    ~ModalWatchdog() override;

    static ModalWatchdog* instance();
    void expectModal(const QString& objectName);

    // Closes what is still open and returns the failures since the last call, printing each.
    int takeFailures(const char* testName);

private:
    void check();

    QTimer* timer_ = nullptr;
    QStringList expected_;
    QStringList unexpected_;
};

inline void expectModal(const QString& objectName)
{
    ModalWatchdog::instance()->expectModal(objectName);
}

} // namespace mx::test
