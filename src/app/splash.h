#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace mx {

// The start-up window: the product's name and version for three ticks of the timer, then the main window.
class SplashForm : public QWidget {
    Q_OBJECT
public:
    explicit SplashForm(QWidget* parent = nullptr);

    static constexpr int kTickMs = 600;
    static constexpr int kTicksShown = 3;
    static constexpr int kWidthTwips = 6480;
    static constexpr int kHeightTwips = 3375;

public Q_SLOTS:
    void Timer1_Timer();
    void Frame1_Click();

Q_SIGNALS:
    // The splash has done its time: the main window should open now.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();

    qint16 TickCount = 0;
    bool painted_ = false;
    QFrame* Frame1 = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCompany = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* imgCompanyLogo = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace mx
