#pragma once

#include <QWidget>

class QFrame;
class QTimer;

namespace mx {

// The start-up window: the product's name and version for three ticks of the timer. It closes itself (and is
// deleted) either way: after its time, having reported finished(), or at a click on its frame, which ends the start.
class SplashForm : public QWidget {
    Q_OBJECT
public:
    explicit SplashForm(QWidget* parent = nullptr);

    static constexpr int kTickMs = 600;
    static constexpr int kTicksShown = 3;

public Q_SLOTS:
    void onTick();

Q_SIGNALS:
    // The splash has done its time and closed: the main window should open once it is gone.
    void finished();
    void firstPainted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cancelStart();

    qint16 tickCount_ = 0;
    bool painted_ = false;
    QFrame* frame_ = nullptr;
    QTimer* tickTimer_ = nullptr;
};

} // namespace mx
