#pragma once

#include "shell/bounce.h"

#include <QColor>
#include <QDialog>

#include <array>

class QLabel;
class QTimer;

namespace mx {

struct LogoLinkFlags;

// The ball of the hidden animation: a filled circle whose colour can be read back.
class EggBall : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor fillColor READ fillColor)
public:
    explicit EggBall(QWidget* parent = nullptr);
    QColor fillColor() const { return colour_; }
    void setFillColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{0, 0, 255};
};

// The hidden animation (frmEgg): an oval window without a frame in which a picture bounces off the edges. Keys 1,
// 2 and 3 choose the ball, the logo or the direction pictures; Enter, Escape or a click (not on the logo) closes it.
// Run modally through execDialog from the about box. Closing clears the flags' armed and web-dialog values, so the
// user must arm it again to see it again; Escape and a click also reset the arming count.
class EggWindow : public QDialog {
    Q_OBJECT
public:
    // `flags` belongs to the main window and outlives the window.
    explicit EggWindow(LogoLinkFlags& flags, QWidget* parent = nullptr);

    const EggBounce& bounce() const { return bounce_; }

    static constexpr int kWidthTwips = 6615;
    static constexpr int kHeightTwips = 4905;

    void done(int result) override;

public Q_SLOTS:
    // One tick of the animation timer.
    void onTick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void chooseMode(int mode);
    void closeResettingCount();
    QLabel* directionPicture(Heading heading) const;

    LogoLinkFlags& flags_;
    QLabel* logo_ = nullptr;
    EggBall* ball_ = nullptr;
    std::array<QLabel*, 4> directions_{}; // by Heading
    QTimer* timer_ = nullptr;
    QPoint logoHome_;
    EggBounce bounce_;
};

} // namespace mx
