#include "reference_image.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace mx::test {
namespace {

QImage comparable(const QImage& image)
{
    QImage converted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    converted.setDevicePixelRatio(1);
    return converted;
}

int channelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                     std::abs(qAlpha(a) - qAlpha(b))});
}

} // namespace

void addPictureRows(std::initializer_list<const char*> names)
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("ratio");
    for (const char* name : names)
        for (const int ratio : {1, 2})
            QTest::addRow("%s@%dx", name, ratio) << QString::fromLatin1(name) << ratio;
}

QString differenceFromReference(const QImage& actual, const QString& folder, const QString& name)
{
    const QImage drawn = comparable(actual);
    const QString referencePath = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!qEnvironmentVariableIsEmpty("MX_UPDATE_REFERENCES")) {
        if (!QDir().mkpath(folder) || !drawn.save(referencePath))
            return QStringLiteral("could not write %1").arg(referencePath);
        qInfo("wrote %s", qPrintable(referencePath));
        return {};
    }

    const QImage reference = comparable(QImage(referencePath));
    QString difference;
    if (reference.isNull()) {
        difference = QStringLiteral("no reference picture %1").arg(referencePath);
    } else if (reference.size() != drawn.size()) {
        difference = QStringLiteral("drawn %1 by %2 pixels, the reference is %3 by %4")
                         .arg(drawn.width())
                         .arg(drawn.height())
                         .arg(reference.width())
                         .arg(reference.height());
    } else {
        int differing = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            const auto* got = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
            const auto* want = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
            for (int x = 0; x < drawn.width(); ++x)
                differing += channelDifference(got[x], want[x]) > kChannelTolerance ? 1 : 0;
        }
        const int allowed = kDifferingPixels + drawn.width() * drawn.height() / kPixelsPerDifference;
        if (differing > allowed)
            difference = QStringLiteral("%1 pixels differ from %2 (at most %3 may)")
                             .arg(differing)
                             .arg(referencePath)
                             .arg(allowed);
    }
    if (difference.isEmpty())
        return {};

    const QString failures = QCoreApplication::applicationDirPath() + QStringLiteral("/reference_failures");
    const QString drawnPath = QDir(failures).filePath(name + QStringLiteral(".png"));
    if (QDir().mkpath(failures) && drawn.save(drawnPath))
        difference += QStringLiteral("; the picture drawn is %1").arg(drawnPath);
    return difference;
}

QString letteringDiffers()
{
    const QStringList families = QFontDatabase::families();
    if (families.contains(QStringLiteral("Arial")))
        return QStringLiteral("Arial is installed here, the lettered references are drawn in Liberation Sans");
    if (!families.contains(QStringLiteral("Liberation Sans")))
        return QStringLiteral("Liberation Sans, which the lettered references are drawn in, is not installed here");
    return {};
}

QImage pictureSheet(const QList<QImage>& pictures, int columns)
{
    QSize cell;
    for (const QImage& picture : pictures)
        cell = cell.expandedTo(picture.size());
    const int rows = int((pictures.size() + columns - 1) / columns);
    QImage sheet(cell.width() * std::min(columns, int(pictures.size())), cell.height() * rows,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    for (int i = 0; i < pictures.size(); ++i) {
        QImage picture = pictures[i];
        picture.setDevicePixelRatio(1);
        painter.drawImage(QPoint(i % columns * cell.width(), i / columns * cell.height()), picture);
    }
    return sheet;
}

} // namespace mx::test
