#include "shell/tips.h"

#include "common/cp1252.h"
#include "common/number_text.h"
#include "platform/atomic_file.h"
#include "platform/file_access.h"

#include <cmath>
#include <limits>

namespace mx {

QStringList parseTips(QByteArrayView bytes)
{
    const QString text = decodeDataFile(bytes);
    QStringList tips;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        tips.append(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        tips.append(text.sliced(start));
    return tips;
}

qint32 parseTipCounter(QByteArrayView bytes)
{
    qsizetype start = 0;
    while (start < bytes.size() &&
           (bytes[start] == ' ' || bytes[start] == '\t' || bytes[start] == '\r' || bytes[start] == '\n'))
        ++start;
    qsizetype end = start;
    while (end < bytes.size() && bytes[end] != ',' && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    const double value = leadingNumber(decodeCp1252(bytes.sliced(start, end - start)));
    const double rounded = std::rint(value); // the default rounding mode: nearest, ties to even
    if (!(rounded >= 0.0 && rounded <= double(std::numeric_limits<qint32>::max())))
        return 0; // negative, out of range or not a number
    return qint32(rounded);
}

QByteArray tipCounterBytes(qint32 tip)
{
    QByteArray bytes = tip < 0 ? QByteArray() : QByteArray(" "); // the number's text carries its own minus sign
    bytes += generalNumberText(double(tip)).toLatin1();
    bytes += "\r\n";
    return bytes;
}

qint32 nextTipNumber(qint32 current, qsizetype count)
{
    // Compared before adding, so that the largest stored number cannot overflow.
    if (current < 0 || qsizetype(current) >= count)
        return 1;
    return current + 1;
}

QString missingTipsMessage()
{
    const QString name = QString::fromUtf16(kTipsFileName);
    return QStringLiteral("That the ") + name + QStringLiteral(" file was not found? ") + QStringLiteral("\r\n\r\n") +
           QStringLiteral("Create a text file named ") + name + QStringLiteral(" using NotePad with 1 tip per line. ") +
           QStringLiteral("Then place it in the same directory as the application. ");
}

QString unreadableTipsMessage()
{
    const QString name = QString::fromUtf16(kTipsFileName);
    return QStringLiteral("The ") + name + QStringLiteral(" file was found but could not be read. ") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("Make sure it is a plain text file of at most 1 MB with 1 tip ") +
           QStringLiteral("per line, and that you may read it. ");
}

TipBook::TipBook(FilePlaces places) : places_(std::move(places)) {}

QString TipBook::tipsFilePath() const
{
    return places_.shipped(QString::fromUtf16(kTipsFileName));
}

QString TipBook::counterFilePath() const
{
    return places_.own(QString::fromUtf16(kTipCounterFileName));
}

bool TipBook::loadTips(const QString& fileName)
{
    const FileRead tipsFile = readRegularFile(fileName, kMaxTipsFileBytes);
    tipsFileThere_ = !fileName.isEmpty() && tipsFile.status != FileReadStatus::Missing;
    if (tipsFile.status != FileReadStatus::Ok)
        return false;
    tips_ = parseTips(tipsFile.bytes);

    // A counter file that is missing or cannot be read starts again at the first tip. Until the user's own one is
    // written, the one the program's folder holds counts.
    const FileRead counter =
        readRegularFile(places_.changeable(QString::fromUtf16(kTipCounterFileName)), kMaxTipCounterFileBytes);
    currentTip_ = counter.status == FileReadStatus::Ok ? parseTipCounter(counter.bytes) : 0;
    moveToNextTip();
    return true;
}

QString TipBook::notLoadedMessage() const
{
    return tipsFileThere_ ? unreadableTipsMessage() : missingTipsMessage();
}

void TipBook::moveToNextTip()
{
    currentTip_ = nextTipNumber(currentTip_, tips_.size());
}

std::optional<QString> TipBook::currentTipText() const
{
    if (currentTip_ < 1 || qsizetype(currentTip_) > tips_.size())
        return std::nullopt;
    return tips_[currentTip_ - 1];
}

bool TipBook::saveCurrentTip(QString* errorText) const
{
    return writeFileAtomically(counterFilePath(), tipCounterBytes(currentTip_), errorText);
}

} // namespace mx
