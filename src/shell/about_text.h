#pragma once

#include <QString>

// Texts of the about box and the licence text it can show.
namespace mx {

inline constexpr const char16_t* kAboutDescription = u"This program will perform Metric and English conversions.";
inline constexpr const char16_t* kSystemInfoUnavailable = u"System Information Is Unavailable At This Time";
inline constexpr const char16_t* kAboutHint = u"Your red hot";

// "Version 1.2.3".
QString versionText(int major, int minor, int revision);
// The version text of this program.
QString programVersionText();

// "About Mensurix".
QString aboutCaption();

// The licence text the about box shows when L is held while OK is clicked: four paragraphs separated by an empty
// line. Built once at start; the main window keeps it and hands it to every about box.
QString licenceText();

} // namespace mx
