#include "humidity_rows.h"
#include "psychro/psychro_chart.h"
#include "test_registry.h"

#include <QTest>

#include <cmath>

using namespace mx;

// "F", "C", then "extended" and an inHg pressure where the row has them: "C extended 24.896".
static ChartSetup setupOf(const QString& text)
{
    ChartSetup setup;
    const QStringList words = text.split(u' ');
    setup.scale = words.first() == u"C" ? TemperatureScale::Celsius : TemperatureScale::Fahrenheit;
    setup.extendedRange = words.contains(QStringLiteral("extended"));
    if (const double inHg = words.last().toDouble(); inHg > 0)
        setup.pressure = BarometricPressure::fromInHg(inHg).value();
    return setup;
}

static QString joined(const QList<double>& values)
{
    QStringList texts;
    for (const double value : values)
        texts << QString::number(value);
    return texts.join(u' ');
}

static bool near(double actual, double expected, double percent)
{
    return std::fabs(actual - expected) <= std::fabs(expected) * percent / 100;
}

class PsychroChartTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What the chart shows of itself in each scale and range: the axes' labels and titles, the curves' labels (the
    // wet-bulb lines stop where saturation leaves the top), and where it stands. Saturation leaves through the top
    // within 0.15 degree of where the Handbook's formulas have it (scripts/psychro_reference.py).
    void axesAndLabels_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("ticks"); // dry bulb | humidity ratio
        QTest::addColumn<QString>("curves");
        QTest::addColumn<QString>("titles");
        QTest::addColumn<double>("saturationLeaves");
        const QString rh = QStringLiteral("100% 90% 80% 70% 60% 50% 40% 30% 20% 10% ");
        const QString standard = QStringLiteral("Standard atmosphere, 29.92 inHg");
        const QString grains = QStringLiteral("Dry bulb (°F)|Humidity ratio (grains/lb of dry air)|");
        // clang-format off
        QTest::newRow("normal, Fahrenheit") << "F"
            << "32 40 50 60 70 80 90 100 110 120 | 0 20 40 60 80 100 120 140 160 180 200"
            << rh + "35 40 45 50 55 60 65 70 75 80 85" << grains + standard << 87.48;
        QTest::newRow("extended, Fahrenheit, 5,000 ft") << "F extended 24.896"
            << "0 10 20 30 40 50 60 70 80 90 100 110 120 130 140 | 0 20 40 60 80 100 120 140 160 180 200 220 240 260 "
               "280"
            << rh + "5 10 15 20 25 30 35 40 45 50 55 60 65 70 75 80 85 90" << grains + "At 24.90 inHg (5,000 ft)"
            << 91.78;
        QTest::newRow("extended, Celsius") << "C extended"
            << "-20 -15 -10 -5 0 5 10 15 20 25 30 35 40 45 50 55 60 | 0 5 10 15 20 25 30 35 40"
            << rh + "-15 -10 -5 0 5 10 15 20 25 30 35" << "Dry bulb (°C)|Humidity ratio (g/kg of dry air)|" + standard
            << 36.53;
        // clang-format on
    }

    void axesAndLabels()
    {
        QFETCH(QString, setup);
        const PsychroChart chart(setupOf(setup));
        QTEST(joined(chart.dryBulbAxis().ticks()) + QStringLiteral(" | ") + joined(chart.ratioAxis().ticks()), "ticks");
        QStringList labels;
        for (const ChartCurve& curve : chart.curves())
            labels << curve.label;
        QTEST(labels.join(u' '), "curves");
        QTEST(QStringList({chart.dryBulbAxis().title, chart.ratioAxis().title, chart.pressureTitle()}).join(u'|'),
              "titles");
        QFETCH(double, saturationLeaves);
        const QPointF leaves = chart.curves().first().points.last();
        QVERIFY2(std::fabs(leaves.x() - saturationLeaves) <= 0.15, qPrintable(QString::number(leaves.x())));
        QCOMPARE(leaves.y(), chart.ratioAxis().to);
    }

    // A place on the chart read as the tab calculates it: the dry bulb to 0.1 degree and the relative humidity at
    // which the tab calculates the place's humidity ratio, with every box as the tab shows it. The curves go through
    // the states the tab calculates: its relative humidity and wet bulb at its dry bulb meet at its grains (the normal
    // range's grains come from other formulas than its relative humidity: 1.5 %).
    void readAt_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QPointF>("place");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* name, const char* setup, QPointF place, const char* text) {
            QTest::newRow(name) << setup << place << QString::fromUtf8(text);
        };
        // clang-format off
        row("the tab's 77/68 point", "F", {76.96, 87.4859},
            "Pointer: dry bulb 77.00 °F, RH 63.50%, wet bulb 68.00 °F, dew point 63.45 °F, 87.50474 grains/lb");
        row("5,000 ft", "F 24.896", {77, 108.6954}, "Pointer: dry bulb 77.00 °F, RH 65.30%, wet bulb 68.01 °F, "
            "dew point 64.27 °F, 108.75878 grains/lb");
        row("Celsius", "C", {25, 12.5}, "Pointer: dry bulb 25.00 °C, RH 63.50%, wet bulb 20.00 °C, dew point 17.47 °C, "
            "87.50474 grains/lb");
        row("beyond saturation", "F", {70, 150}, "Pointer: dry bulb 70.00 °F, 150.0 grains/lb, beyond saturation");
        row("normal range: wet bulb below freezing", "F", {35, 5}, "Pointer: dry bulb 35.00 °F, 5.0 grains/lb, "
            "not a state the Humidity tab calculates in its normal range");
        row("extended range below freezing", "F extended", {35, 5}, "Pointer: dry bulb 35.00 °F, RH 16.90%, "
            "wet bulb 25.47493 °F, dew point -5.47167 °F, 5.0112396383576 grains/lb");
        row("extended, Celsius, 5,000 ft", "C extended 24.896", {25, 15}, "Pointer: dry bulb 25.00 °C, RH 62.80%, "
            "wet bulb 19.68945 °C, dew point 17.40502 °C, 105.012041209968 grains/lb");
        row("just below 0 C reads as 0", "C extended", {-0.04, 2}, "Pointer: dry bulb 0.00 °C, RH 53.10%, "
            "wet bulb -2.67569 °C, dew point -8.40461 °C, 13.99025154021 grains/lb");
        row("right of the chart", "F", {120.01, 50}, "Point at the chart to read a state there, click to calculate it "
            "on the Humidity tab; arrow keys move a cursor and Enter picks it.");
        // clang-format on
    }

    void readAt()
    {
        QFETCH(QString, setup);
        QFETCH(QPointF, place);
        const PsychroChart chart(setupOf(setup));
        const ChartReading reading = chart.readAt(place);
        QTEST(readingText(chart, reading, QStringLiteral("Pointer")), "text");
        if (reading.kind != ChartReading::Kind::State)
            return;
        // The tab marks the state where it was read: its dry bulb, its grains within a hundredth of the axis.
        QCOMPARE(reading.at.x(), std::round(place.x() * 10) / 10);
        QVERIFY(std::fabs(reading.at.y() - place.y()) <= chart.ratioAxis().to / 100);
        const double percent = chart.setup().extendedRange ? 0.02 : 1.5;
        const double dryBulb = reading.at.x();
        const double grains = reading.at.y();
        const double humidity = reading.boxes.humidity.toDouble();
        QVERIFY2(near(chart.ratioAt(dryBulb, humidity), grains, percent), "relative humidity");
        // The extended range's wet bulb is found to 0.01 hPa: a larger share of the little vapour of cold air.
        QVERIFY2(near(chart.wetBulbRatio(reading.boxes.wetBulbTemp.toDouble(), dryBulb), grains, 1.5), "wet bulb");
    }

    // The tab's state beyond the chart's dry bulbs is named as such (the wiring suite reads the tab's state on it).
    void tabPointOffTheChart()
    {
        QCOMPARE(tabPointText(PsychroChart(), test::boxesOf("150|100|28.57|1.12|90.01|218.2")),
                 QStringLiteral("Humidity tab: dry bulb 150 °F, RH 28.57%, wet bulb 100 °F, dew point 90.01 °F, 218.2 "
                                "grains/lb, off the chart"));
    }
};

MX_REGISTER_TEST(PsychroChartTest)
#include "tst_psychro_chart.moc"
