#include "app/logo_hints.h"

namespace mx {

void LogoHints::linkMouseMove(const MetricState& metric, bool inside)
{
    // The arming value alone decides here; the caption and the flag are looked at only when the wait is over.
    if (metric.armingValue) {
        if (!shown_.egg3)
            timerRunning_ = true;
        shown_.tip = false;
        return;
    }
    if (shown_.tip)
        return;
    timerRunning_ = inside;
    if (!inside)
        shown_.tip = false;
}

void LogoHints::timerTick(const MetricState& metric, const LinkFlags& flags)
{
    timerRunning_ = false;
    if (!flags.webDialogOpen) {
        if (armingCondition(metric, flags))
            shown_.egg = true;
        else
            shown_.tip = true;
    }
    if (flags.hiddenAnimationArmed)
        shown_.egg2 = true;
}

bool LogoHints::linkClicked(const MetricState& metric, LinkFlags& flags)
{
    shown_.tip = false;
    shown_.egg = false;
    flags.webDialogOpen = true;
    if (!armingCondition(metric, flags))
        return true;
    flags.hiddenAnimationArmed = true;
    ++flags.armClickCount;
    if (flags.armClickCount < 3) {
        shown_.egg2 = true;
    } else {
        shown_.egg3 = true;
        shown_.egg2 = false;
    }
    return false;
}

void LogoHints::logoMouseMove()
{
    timerRunning_ = false;
    shown_ = {};
}

void LogoHints::panelMouseMove()
{
    timerRunning_ = false;
    shown_.tip = false;
}

} // namespace mx
