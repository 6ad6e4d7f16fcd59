#include "app/splash.h"

#include "platform/form_layout.h"
#include "platform/window_placement.h"
#include "shell/shell_art.h"
#include "version.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace mx {
namespace {

constexpr int kWidthTwips = 6480;
constexpr int kHeightTwips = 3375;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, double points, bool bold, TwipsRect at)
{
    QLabel* label = placeLabel(parent, name, text, at);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

} // namespace

SplashForm::SplashForm(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAccessibleName(QStringLiteral("Mensurix is starting"));
    setAttribute(Qt::WA_DeleteOnClose);

    frame_ = placeControl(new QFrame(this), QStringLiteral("Frame1"), {120, 60, 6240, 3255});
    frame_->setAccessibleName(QStringLiteral("Splash frame: click to cancel start-up"));
    frame_->setFrameShape(QFrame::Box);
    frame_->installEventFilter(this);

    QLabel* icon = placeControl(new QLabel(frame_), QStringLiteral("imgLogo"), {240, 300, 720, 720});
    icon->setAccessibleName(QStringLiteral("Mensurix icon"));
    icon->setPixmap(drawProductIcon(twipsToPixels(720)));

    // The version information fills the product, version, company and notice lines.
    makeLabel(frame_, QStringLiteral("lblProductName"), QString::fromUtf8(version::kTitle), 24, true,
              {1200, 180, 4900, 660});
    makeLabel(frame_, QStringLiteral("lblPlatform"), QStringLiteral("Metric, English and more"), 14.25, true,
              {1200, 900, 4900, 420});
    makeLabel(frame_, QStringLiteral("lblVersion"),
              QStringLiteral("Version %1.%2").arg(version::kMajor).arg(version::kMinor), 12, true,
              {1200, 1380, 4900, 360});
    for (QLabel* line : {makeLabel(frame_, QStringLiteral("lblCompany"), QString::fromUtf8(version::kCompanyName), 8.25,
                                   false, {2880, 2160, 3240, 240}),
                         makeLabel(frame_, QStringLiteral("lblCopyright"), QString::fromUtf8(version::kLegalNotice),
                                   8.25, false, {2880, 2430, 3240, 240}),
                         makeLabel(frame_, QStringLiteral("Label1"), QStringLiteral("A Halbrecht Group company"), 8.25,
                                   false, {2880, 2700, 3240, 240})})
        line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QLabel* companyLogo = placeControl(new QLabel(frame_), QStringLiteral("imgCompanyLogo"), {240, 2460, 2595, 435});
    companyLogo->setAccessibleName(QStringLiteral("Quorvane logo"));
    companyLogo->setPixmap(drawMakerLogo(twipsSize(2595, 435)));

    tickTimer_ = new QTimer(this);
    tickTimer_->setObjectName(QStringLiteral("Timer1"));
    tickTimer_->setInterval(kTickMs);
    connect(tickTimer_, &QTimer::timeout, this, &SplashForm::onTick);

    // A second instance was refused before this window was made, so that nothing is shown for it.
    setFixedSize(twipsSize(kWidthTwips, kHeightTwips));
    centreOnScreen(this);
    tickTimer_->start();
}

void SplashForm::onTick()
{
    ++tickCount_;
    if (tickCount_ < kTicksShown)
        return;
    tickTimer_->stop();
    close();
    Q_EMIT finished();
}

void SplashForm::cancelStart()
{
    tickTimer_->stop();
    close();
}

bool SplashForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == frame_ && event->type() == QEvent::MouseButtonRelease) {
        cancelStart();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashForm::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        Q_EMIT firstPainted();
    }
}

void SplashForm::keyPressEvent(QKeyEvent* event)
{
    event->accept(); // a key press on the splash does nothing
}

} // namespace mx
