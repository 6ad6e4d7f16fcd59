#include "modal_watchdog.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace mx::test {
namespace {

ModalWatchdog* current = nullptr;
constexpr int kCheckIntervalMs = 20;

void closeModal(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

} // namespace

ModalWatchdog::ModalWatchdog() : timer_(new QTimer(this))
{
    current = this;
    timer_->setInterval(kCheckIntervalMs);
    connect(timer_, &QTimer::timeout, this, &ModalWatchdog::check);
    timer_->start();
}

ModalWatchdog::~ModalWatchdog()
{
    current = nullptr;
}

ModalWatchdog* ModalWatchdog::instance()
{
    return current;
}

void ModalWatchdog::expectModal(const QString& objectName)
{
    expected_.append(objectName);
}

void ModalWatchdog::check()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || expected_.contains(modal->objectName()))
        return;
    unexpected_.append(QStringLiteral("opened an unexpected modal window \"%1\"").arg(modal->objectName()));
    closeModal(modal);
}

int ModalWatchdog::takeFailures(const char* testName)
{
    check();
    while (QWidget* modal = QApplication::activeModalWidget()) {
        unexpected_.append(QStringLiteral("left the modal window \"%1\" open").arg(modal->objectName()));
        closeModal(modal);
        if (modal->isVisible())
            modal->hide();
    }
    for (const QString& failure : std::as_const(unexpected_))
        std::fprintf(stderr, "FAIL!  : %s %s\n", testName, qPrintable(failure));
    const int failures = int(unexpected_.size());
    unexpected_.clear();
    expected_.clear();
    return failures;
}

} // namespace mx::test
