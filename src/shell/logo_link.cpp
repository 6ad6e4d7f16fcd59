#include "shell/logo_link.h"

#include "common/number_text.h"
#include "platform/ini_file.h"

#include <QUrl>

#include <limits>

namespace mx {

bool holdsArmingValue(QStringView valueText)
{
    return leadingNumber(valueText) == kArmingValue;
}

bool armingConditionHolds(QStringView secondUnitCaption, QStringView valueText, const LogoLinkFlags& flags)
{
    return secondUnitCaption == QStringView(kArmingUnitCaption) && holdsArmingValue(valueText) &&
           flags.HiddenAnimationEnabled;
}

bool strictlyInside(QPointF position, QSizeF size)
{
    return position.x() > 0 && position.y() > 0 && position.x() < size.width() && position.y() < size.height();
}

void LogoHints::linkMouseMove(QStringView valueText, bool pointerInside)
{
    // Only the value is looked at here; the unit caption and the flag count when the timer fires.
    if (holdsArmingValue(valueText)) {
        if (!egg3_)
            timerEnabled_ = true;
        tip_ = false;
        return;
    }
    if (tip_)
        return;
    if (pointerInside) {
        timerEnabled_ = true;
    } else {
        timerEnabled_ = false;
        tip_ = false;
    }
}

void LogoHints::timerFired(bool armingCondition)
{
    timerEnabled_ = false;
    if (!flags_.WebDialogOpen) {
        if (armingCondition)
            egg_ = true;
        else
            tip_ = true;
    }
    if (flags_.HiddenAnimationArmed)
        egg2_ = true;
}

LogoHints::ClickResult LogoHints::linkClicked(bool armingCondition)
{
    tip_ = false;
    egg_ = false;
    flags_.WebDialogOpen = true;
    if (!armingCondition)
        return ClickResult::OpenWebDialog;

    flags_.HiddenAnimationArmed = true;
    // The count saturates rather than wrapping: past the third click only "three or more" matters.
    if (flags_.ArmClickCount < std::numeric_limits<qint16>::max())
        ++flags_.ArmClickCount;
    if (flags_.ArmClickCount < 3) {
        egg2_ = true;
    } else {
        egg3_ = true;
        egg2_ = false;
    }
    return ClickResult::Armed;
}

void LogoHints::logoMouseMove()
{
    timerEnabled_ = false;
    tip_ = egg_ = egg2_ = egg3_ = false;
}

void LogoHints::panelMouseMove()
{
    timerEnabled_ = false;
    tip_ = false;
}

QString makerWebAddress(const IniDocument& settings)
{
    const std::optional<QString> stored = settings.value(u"Web Site", u"Address");
    if (stored) {
        const QUrl url(*stored, QUrl::StrictMode);
        if (url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty())
            return *stored;
    }
    return QString::fromUtf16(kDefaultMakerWebAddress);
}

} // namespace mx
