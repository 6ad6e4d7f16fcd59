#pragma once

#include <QtGlobal>

// The hints around the maker's logo and the link picture beside it: a rest on the link shows "Visit our web site"
// after half a second, a click opens the web dialog, and under the arming condition (the Metric tab holding the
// arming value with the Celsius pair showing) the hints tease and the clicks arm the hidden animation instead.
// Every other movement over the window takes the hints away. A plain state machine; the main window shows what
// it says.
namespace mx {

// The program-wide flags of the link and the hidden animation.
struct LinkFlags {
    bool webDialogOpen = false;
    bool hiddenAnimationEnabled = true;
    bool hiddenAnimationArmed = false;
    qint16 armClickCount = 0;
};

struct HintsShown {
    bool tip = false;  // lblTip, "Visit our web site"
    bool egg = false;  // lblEgg
    bool egg2 = false; // lblEgg2
    bool egg3 = false; // lblEgg3
    bool operator==(const HintsShown&) const = default;
};

class LogoHints {
public:
    // What the Metric tab holds: whether its value reads as the arming value, and whether its second unit is
    // "Degrees C".
    struct MetricState {
        bool armingValue = false;
        bool celsiusShowing = false;
    };

    // The pointer moved over the link; `inside` when strictly within its rectangle.
    void linkMouseMove(const MetricState& metric, bool inside);
    // The half-second wait has passed.
    void timerTick(const MetricState& metric, const LinkFlags& flags);
    // A click on the link: true when the web dialog is to open (the flags change as the click says).
    bool linkClicked(const MetricState& metric, LinkFlags& flags);
    // The pointer moved onto the logo or the tab strip: every hint goes.
    void logoMouseMove();
    // The pointer moved over the Metric, Humidity or Vibration panel: only the plain hint goes.
    void panelMouseMove();

    const HintsShown& shown() const { return shown_; }
    bool timerRunning() const { return timerRunning_; }

    static bool armingCondition(const MetricState& metric, const LinkFlags& flags)
    {
        return metric.armingValue && metric.celsiusShowing && flags.hiddenAnimationEnabled;
    }

private:
    HintsShown shown_;
    bool timerRunning_ = false;
};

} // namespace mx
