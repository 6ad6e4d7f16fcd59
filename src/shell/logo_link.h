#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringView>

namespace mx {

class IniDocument;

// The main window's link picture (Image2) and logo: the "Visit our web site" hint, the web dialog, and the arming
// of the hidden animation that the about box then opens. The main window owns one LogoLinkFlags for the whole run
// and hands it to the web dialog, the about box and the animation, which read and clear its values.
struct LogoLinkFlags {
    bool WebDialogOpen = false;         // set by every click on the link; cleared by the web dialog's Cancel and
                                        // when the animation closes. While set, no new web-site hint is shown.
    bool HiddenAnimationEnabled = true; // nothing clears it
    bool HiddenAnimationArmed = false;  // set by an arming click; cleared when the animation closes
    qint16 ArmClickCount = 0;           // arming clicks; reset when the animation is closed by Escape or a click
};

// The arming value typed into the Metric tab's value box, and the caption its second unit must show.
inline constexpr double kArmingValue = -73;
inline constexpr const char16_t* kArmingUnitCaption = u"Degrees C";

// Whether the value box's text reads (by the leading-number parse) as the arming value.
bool holdsArmingValue(QStringView valueText);

// The arming condition: the second unit's caption (lblScale(1)) is exactly "Degrees C", the value box holds the
// arming value, and the animation is enabled.
bool armingConditionHolds(QStringView secondUnitCaption, QStringView valueText, const LogoLinkFlags& flags);

// Whether a pointer position lies strictly inside an area of the given size (edges excluded).
bool strictlyInside(QPointF position, QSizeF size);

inline constexpr int kLogoHintDelayMs = 500;

inline constexpr const char16_t* kWebSiteHint = u"Visit our web site";
inline constexpr const char16_t* kWarmHint = u"Your getting warm";
inline constexpr const char16_t* kWarmerHint = u"Your getting warmer";
inline constexpr const char16_t* kElsewhereHint = u"Why don't you try looking elseware";

// Which hint labels the main window shows and whether its hint timer runs, event by event. The main window feeds
// in its events, then shows each label and runs the timer as the accessors say: it starts the timer when
// timerEnabled() turns true and stops it when it turns false (an enabled timer is not started again), and calls
// timerFired() when it fires.
class LogoHints {
public:
    explicit LogoHints(LogoLinkFlags& flags) : flags_(flags) {}

    // The pointer moves over the link picture: the value box's text, and whether the pointer lies strictly inside.
    void linkMouseMove(QStringView valueText, bool pointerInside);
    // The hint timer fired; the arming condition as it stands now.
    void timerFired(bool armingCondition);

    enum class ClickResult {
        Armed,         // the animation was armed; no dialog
        OpenWebDialog, // the main window now shows the web dialog modally
    };
    ClickResult linkClicked(bool armingCondition);

    // The pointer moves over the logo or the tab strip: every hint goes.
    void logoMouseMove();
    // The pointer moves over the Metric, Humidity or Vibration panel: the web-site hint goes, the others stay.
    void panelMouseMove();

    bool timerEnabled() const { return timerEnabled_; }
    bool webSiteHintShown() const { return tip_; }    // lblTip
    bool warmHintShown() const { return egg_; }       // lblEgg
    bool warmerHintShown() const { return egg2_; }    // lblEgg2
    bool elsewhereHintShown() const { return egg3_; } // lblEgg3

private:
    LogoLinkFlags& flags_;
    bool timerEnabled_ = false;
    bool tip_ = false;
    bool egg_ = false;
    bool egg2_ = false;
    bool egg3_ = false;
};

// The maker's web address. It can be set in the settings file (section "Web Site", key "Address"); the program
// never writes that key. Only an http or https address with a host is taken, anything else gives the default.
inline constexpr const char16_t* kDefaultMakerWebAddress = u"https://www.quorvane.example/";
QString makerWebAddress(const IniDocument& settings);

} // namespace mx
