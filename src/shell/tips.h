#pragma once

#include "platform/file_places.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// Tips of the day. "TIPOFDAY.TXT" holds one tip a line, numbered from 1, empty lines included; the program never
// writes it. "CURRENTTIP.TIP" remembers the number of the tip that was on screen when the tip window was last closed
// with OK, so that the next opening shows the tip after it.
namespace mx {

inline constexpr const char16_t* kTipsFileName = u"TIPOFDAY.TXT";
inline constexpr const char16_t* kTipCounterFileName = u"CURRENTTIP.TIP";
// A tips file larger than this is treated as unreadable; a few hundred tips take a few dozen kilobytes.
inline constexpr qint64 kMaxTipsFileBytes = 1024 * 1024;
inline constexpr qint64 kMaxTipCounterFileBytes = 4096;

// The lines of a tips file, Windows-1252 or UTF-8 text as decodeDataFile() finds it. CR LF, LF and a lone CR each end a
// line; a line end at the very end of the text starts no further tip, so "a\r\nb\r\n" and "a\r\nb" are both two tips
// and empty text is none.
QStringList parseTips(QByteArrayView bytes);

// The tip number a counter file holds: its first value (leading blanks and line ends skipped, then up to a comma or
// a line end) read by the leading-number parse and rounded to the nearest integer, ties to even. A negative number,
// one beyond the 32-bit range, or no number at all gives 0, which starts again at the first tip.
qint32 parseTipCounter(QByteArrayView bytes);

// The counter file's bytes: the number's digits after one blank, or after a minus sign when negative, then CR LF.
QByteArray tipCounterBytes(qint32 tip);

// The tip after `current` among `count` tips: the first again after the last, and 1 when there are none.
qint32 nextTipNumber(qint32 current, qsizetype count);

// Shown in place of a tip when there is no tips file.
QString missingTipsMessage();
// Shown in place of a tip when the tips file is there but cannot be read (a folder, a pipe, too large, no access).
QString unreadableTipsMessage();

// The tips and the number of the tip on screen, for one opening of the tip window.
class TipBook {
public:
    // The tips file is read from the data folder of `places`; the counter file is written to the folder the
    // program writes to, and read from there once it exists (from the data folder before).
    explicit TipBook(FilePlaces places);

    // Reads the tips of `fileName` and the stored counter, then moves on to the next tip. False, with nothing
    // changed, when the name is empty or the file is missing or cannot be read.
    bool loadTips(const QString& fileName);
    // What to show in place of a tip after loadTips() returned false: the file is missing, or it cannot be read.
    QString notLoadedMessage() const;
    void moveToNextTip();

    qint32 currentTip() const { return currentTip_; }
    qsizetype count() const { return tips_.size(); }
    // The tip numbered currentTip(); nullopt while there are no tips.
    std::optional<QString> currentTipText() const;

    QString tipsFilePath() const;
    QString counterFilePath() const;

    // Writes currentTip() to the counter file, replacing it whole. On failure the file is left as it was and
    // `errorText` (if given) receives a sentence for the user. What is there but is no regular file is not touched.
    bool saveCurrentTip(QString* errorText = nullptr) const;

private:
    FilePlaces places_;
    QStringList tips_;
    qint32 currentTip_ = 0;
    bool tipsFileThere_ = false; // the last loadTips() found something at the path
};

} // namespace mx
