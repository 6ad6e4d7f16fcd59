#include "app/link_view.h"

#include "platform/form_layout.h"
#include "shell/shell_art.h"

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

// A click is the left button let go over the picture; other buttons, or a press dragged off it, do nothing.
bool isLeftClickOn(const QMouseEvent* release, const QWidget* picture)
{
    return release->button() == Qt::LeftButton && picture->rect().contains(release->position().toPoint());
}

} // namespace

LinkView::LinkView(QWidget* parent, int widthTwips) : QObject(parent)
{
    logo_ = placeControl(new QLabel(parent), QStringLiteral("Image1(0)"), {120, 60, 2595, 435});
    logo_->setAccessibleName(QStringLiteral("Quorvane logo"));
    logo_->setPixmap(drawMakerLogo(twipsSize(2595, 435)));
    link_ = placeControl(new QLabel(parent), QStringLiteral("Image2"), {widthTwips - 600, 60, 480, 435});
    link_->setAccessibleName(QString::fromUtf16(kWebSiteHint));
    link_->setPixmap(drawLinkPicture(twipsToPixels(420)));
    for (QLabel* picture : {logo_, link_}) {
        picture->setMouseTracking(true);
        picture->installEventFilter(this);
    }

    const TwipsRect hintPlace{widthTwips - 2200, 120, 1500, 255};
    tip_ = makeHint(parent, QStringLiteral("lblTip"), QString::fromUtf16(kWebSiteHint), hintPlace);
    egg_ = makeHint(parent, QStringLiteral("lblEgg"), QString::fromUtf16(kWarmHint), hintPlace);
    egg2_ = makeHint(parent, QStringLiteral("lblEgg2"), QString::fromUtf16(kWarmerHint), hintPlace);
    egg3_ = makeHint(parent, QStringLiteral("lblEgg3"), QString::fromUtf16(kElsewhereHint),
                     {widthTwips - 3700, 120, 3000, 255});

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("timLogoTips"));
    timer_->setInterval(kLogoHintDelayMs);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &LinkView::onTick);
}

void LinkView::hidePlainHintOver(QWidget* panel)
{
    panel->setMouseTracking(true);
    panel->installEventFilter(this);
    plainHintWidgets_.append(panel);
}

void LinkView::hideAllHintsOver(QWidget* widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    allHintWidgets_.append(widget);
}

bool LinkView::armingCondition() const
{
    const MetricReading metric = readMetric_ ? readMetric_() : MetricReading{};
    return armingConditionHolds(metric.secondUnitCaption, metric.valueText, flags_);
}

bool LinkView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == link_) {
            const QString valueText = readMetric_ ? readMetric_().valueText : QString();
            hints_.linkMouseMove(valueText,
                                 strictlyInside(static_cast<QMouseEvent*>(event)->position(), link_->size()));
        } else if (watched == logo_ || allHintWidgets_.contains(watched)) {
            hints_.logoMouseMove();
        } else if (plainHintWidgets_.contains(watched)) {
            hints_.panelMouseMove();
        }
        show();
    } else if (watched == link_ && event->type() == QEvent::MouseButtonRelease &&
               isLeftClickOn(static_cast<QMouseEvent*>(event), link_)) {
        const bool openDialog = hints_.linkClicked(armingCondition()) == LogoHints::ClickResult::OpenWebDialog;
        show();
        if (openDialog)
            Q_EMIT webDialogRequested();
    }
    return QObject::eventFilter(watched, event);
}

void LinkView::onTick()
{
    hints_.timerFired(armingCondition());
    show();
}

void LinkView::show()
{
    tip_->setVisible(hints_.webSiteHintShown());
    egg_->setVisible(hints_.warmHintShown());
    egg2_->setVisible(hints_.warmerHintShown());
    egg3_->setVisible(hints_.elsewhereHintShown());
    for (QLabel* hint : {tip_, egg_, egg2_, egg3_}) {
        if (hint->isVisible())
            hint->raise();
    }
    if (!hints_.timerEnabled())
        timer_->stop();
    else if (!timer_->isActive())
        timer_->start();
}

} // namespace mx
