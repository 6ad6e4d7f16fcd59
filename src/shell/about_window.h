#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace mx {

struct LogoLinkFlags;

// The about box (frmAbout), run modally through execDialog. Holding L while clicking OK shows the licence text and
// keeps the box open; System Info starts the desktop's system-information tool. Once the hidden animation is armed,
// resting on the logo shows a hint and a click on it opens the animation.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr QLatin1StringView kFormName{"frmAbout"};

    // `flags` belongs to the main window and outlives the box.
    AboutWindow(QString licenceText, LogoLinkFlags& flags, QWidget* parent = nullptr);

    // The key held down while the box or its OK button has the focus; 0 when none.
    int lastKey() const { return lastKey_; }

    static constexpr int kWidthTwips = 5820;
    static constexpr int kHeightTwips = 3510;
    static constexpr int kHintDelayMs = 500;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void onOk();
    void onSystemInfo();
    void onLogoHover();
    void onLogoClicked();
    void onHintTimer();
    void noteKeyDown(const QKeyEvent* event);
    void noteKeyUp(const QKeyEvent* event);

    QString licenceText_;
    LogoLinkFlags& flags_;
    int lastKey_ = 0;
    bool centred_ = false;
    QLabel* logo_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* description_ = nullptr;
    QLabel* disclaimer_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* systemInfoButton_ = nullptr;
    QTimer* hintTimer_ = nullptr;
};

} // namespace mx
