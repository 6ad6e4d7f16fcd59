#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include <initializer_list>

// Drawn pictures compared with reference images checked in beside the suite (tests/<folder>/reference/<name>.png).
//
// Tolerance: a pixel differs when one of its channels, alpha included and colours premultiplied, is off by more than
// kChannelTolerance of 255; the pictures match when no more than kDifferingPixels differ, and one more for every
// kPixelsPerDifference pixels of the picture. Another machine's font rasteriser or antialiasing moves a few edge
// pixels a little; a missing ray, a line drawn elsewhere or a square corner moves dozens of pixels all the way.
//
// To draw the references again (after a change that is meant to show), run the suite with MX_UPDATE_REFERENCES=1
// and look at every picture written before committing it. When a comparison fails, the picture drawn is written to
// reference_failures/<name>.png beside the test executable.
namespace mx::test {

inline constexpr int kChannelTolerance = 40;
inline constexpr int kDifferingPixels = 4;
inline constexpr int kPixelsPerDifference = 4000;

// The rows "name@1x" and "name@2x" of each picture, in the columns "name" (QString) and "ratio" (int).
void addPictureRows(std::initializer_list<const char*> names);

// Empty when `actual` matches the reference `name` in `folder`, else what differs and where the picture drawn went.
QString differenceFromReference(const QImage& actual, const QString& folder, const QString& name);

// The lettered references are drawn in Liberation Sans, which stands in for Arial where Arial is not installed (as on
// the Debian desktops the suites run on). Empty where this machine letters them so too; else why it cannot.
QString letteringDiffers();

// The pictures side by side in rows of `columns`, each in a cell as large as the largest, on transparency.
QImage pictureSheet(const QList<QImage>& pictures, int columns);

} // namespace mx::test
