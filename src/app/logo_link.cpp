#include "app/logo_link.h"

#include "app/logo_art.h"
#include "platform/form_layout.h"

#include <QMouseEvent>
#include <QTimer>

namespace mx {
namespace {

QLabel* makeHint(QWidget* parent, const QString& name, const QString& text, TwipsRect at)
{
    QLabel* label = placeLabel(parent, name, text, at);
    label->setAccessibleDescription(QStringLiteral("Hint"));
    label->setFrameShape(QFrame::Box);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::ToolTipBase);
    label->setForegroundRole(QPalette::ToolTipText);
    label->hide();
    return label;
}

} // namespace

LogoLink::LogoLink(QWidget* parent, int widthTwips) : QObject(parent)
{
    logo_ = placeControl(new QLabel(parent), QStringLiteral("Image1(0)"), {120, 60, 2595, 435});
    logo_->setAccessibleName(QStringLiteral("Quorvane logo"));
    logo_->setPixmap(makerLogo(twipsSize(2595, 435)));
    link_ = placeControl(new QLabel(parent), QStringLiteral("Image2"), {widthTwips - 600, 60, 480, 435});
    link_->setAccessibleName(QStringLiteral("Visit our web site"));
    link_->setPixmap(productIcon(twipsToPixels(420)));
    for (QLabel* picture : {logo_, link_}) {
        picture->setMouseTracking(true);
        picture->installEventFilter(this);
    }

    const TwipsRect hintPlace{widthTwips - 2200, 120, 1500, 255};
    tip_ = makeHint(parent, QStringLiteral("lblTip"), QStringLiteral("Visit our web site"), hintPlace);
    egg_ = makeHint(parent, QStringLiteral("lblEgg"), QStringLiteral("Your getting warm"), hintPlace);
    egg2_ = makeHint(parent, QStringLiteral("lblEgg2"), QStringLiteral("Your getting warmer"), hintPlace);
    egg3_ = makeHint(parent, QStringLiteral("lblEgg3"), QStringLiteral("Why don't you try looking elseware"),
                     {widthTwips - 3700, 120, 3000, 255});

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("timLogoTips"));
    timer_->setInterval(kHintDelayMs);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &LogoLink::onTick);
}

void LogoLink::hidePlainHintOver(QWidget* panel)
{
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
    plainHintWidgets_.append(panel);
}

void LogoLink::hideAllHintsOver(QWidget* widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    allHintWidgets_.append(widget);
}

LogoHints::MetricState LogoLink::metric() const
{
    return readMetric_ ? readMetric_() : LogoHints::MetricState{};
}

bool LogoLink::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == link_) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            hints_.linkMouseMove(metric(), at.x() > 0 && at.y() > 0 && at.x() < link_->width() &&
                                               at.y() < link_->height());
        } else if (watched == logo_ || allHintWidgets_.contains(watched)) {
            hints_.logoMouseMove();
        } else if (plainHintWidgets_.contains(watched)) {
            hints_.panelMouseMove();
        }
        show();
    } else if (watched == link_ && event->type() == QEvent::MouseButtonRelease) {
        const bool openDialog = hints_.linkClicked(metric(), flags_);
        show();
        if (openDialog)
            Q_EMIT webDialogRequested();
    }
    return QObject::eventFilter(watched, event);
}

void LogoLink::onTick()
{
    hints_.timerTick(metric(), flags_);
    show();
}

void LogoLink::show()
{
    const HintsShown& shown = hints_.shown();
    tip_->setVisible(shown.tip);
    egg_->setVisible(shown.egg);
    egg2_->setVisible(shown.egg2);
    egg3_->setVisible(shown.egg3);
    for (QLabel* hint : {tip_, egg_, egg2_, egg3_}) {
        if (hint->isVisible())
            hint->raise();
    }
    if (!hints_.timerRunning())
        timer_->stop();
    else if (!timer_->isActive())
        timer_->start();
}

} // namespace mx
