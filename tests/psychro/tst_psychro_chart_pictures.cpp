#include "psychro/psychro_chart_view.h"
#include "reference_image.h"
#include "test_registry.h"

#include <QPainter>
#include <QPalette>
#include <QTest>

using namespace mx;

// The chart as a light desktop shows it, the tab's 77/68 point and the cursor marked; and the extended range in
// Celsius at 5,000 ft on a dark desktop.
static QImage drawnChart(const QString& name, int ratio)
{
    const bool dark = name == u"chart_celsius_dark";
    QPalette palette;
    palette.setColor(QPalette::Base, dark ? QColor(0x23, 0x26, 0x29) : Qt::white);
    palette.setColor(QPalette::Text, dark ? QColor(0xef, 0xf0, 0xf1) : Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    const ChartSetup setup =
        dark ? ChartSetup{TemperatureScale::Celsius, true, BarometricPressure::fromInHg(24.896).value()} : ChartSetup();
    const ChartMarks marks =
        dark ? ChartMarks{QPointF(25, 15.528), std::nullopt} : ChartMarks{QPointF(77, 87.4859), QPointF(95, 120)};
    const QSize size(400, 280);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    paintPsychroChart(painter, QRectF(QPointF(), size), PsychroChart(setup), marks, chartColours(palette));
    return image;
}

class PsychroChartPicturesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pictures_data() { test::addPictureRows({"chart_fahrenheit", "chart_celsius_dark"}); }

    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(int, ratio);
        if (const QString why = test::letteringDiffers(); !why.isEmpty())
            QSKIP(qPrintable(why));
        const QString difference = test::differenceFromReference(
            drawnChart(name, ratio), QStringLiteral(MX_SOURCE_DIR "/tests/psychro/reference"),
            QStringLiteral("%1@%2x").arg(name).arg(ratio));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
};

MX_REGISTER_TEST(PsychroChartPicturesTest)
#include "tst_psychro_chart_pictures.moc"
