#pragma once

#include <QString>

// The help file and its topics. Help is one HTML file beside the program; a numeric context id, as the windows ask
// for help by number, names a topic by its anchor in that file.
namespace mx {

inline constexpr const char16_t* kHelpFileName = u"MENSURIX.HTM";
// The shipped file is a few dozen kilobytes; anything beyond this is not the help file.
inline constexpr qint64 kMaxHelpFileBytes = 4 * 1024 * 1024;
// Pictures of the help are small drawings beside it.
inline constexpr qint64 kMaxHelpImageBytes = 4 * 1024 * 1024;
// Laying out nested tables takes about twice as long with every level, and deep nesting of any kind exhausts the
// viewer's stack: the shipped help nests two tables and a few elements.
inline constexpr int kMaxHelpTableDepth = 8;
inline constexpr int kMaxHelpElementDepth = 100;

inline constexpr int kHelpContentsContext = 0; // no topic: the contents page
inline constexpr int kTableEditorHelpContext = 30;
inline constexpr int kNoteEditorHelpContext = 140;

inline constexpr const char16_t* kHelpContentsAnchor = u"contents";

// The help file in `programFolder`: a separator is put between them unless the folder, leading and trailing blanks
// left out, already ends in one (a root folder), so the path never holds a doubled separator.
QString helpFilePath(const QString& programFolder);

// The anchor of the topic with this context id; the contents anchor for an id without a topic of its own.
QString helpAnchor(int contextId);

// Whether the HTML nests tables, or elements of any kind, deeper than the viewer can lay out in good time. Elements
// that need no end tag (br, img, p, li, td and the like) are not counted, so sloppy HTML does not add up.
bool helpNestedTooDeeply(QStringView html);

} // namespace mx
