#include "platform/drawn_icon.h"
#include "test_registry.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace mx;

// Drawn icons are drawn again at each scale, never enlarged from a small picture.
class DrawnIconTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void edgeStaysSharp_data();
    void edgeStaysSharp();
};

void DrawnIconTest::edgeStaysSharp_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("side");  // device pixels of a 16-unit icon
    QTest::addColumn<int>("edge");  // the first device column right of the edge at 8.5 units
    QTest::addColumn<int>("alpha"); // of the column just left of it
    QTest::newRow("100 %") << 1.0 << 16 << 9 << 128;
    QTest::newRow("200 %") << 2.0 << 32 << 17 << 255;
    QTest::newRow("400 %") << 4.0 << 64 << 34 << 255;
}

void DrawnIconTest::edgeStaysSharp()
{
    QFETCH(qreal, ratio);
    QFETCH(int, edge);
    const QIcon icon = drawnIcon([](QPainter& p) { p.fillRect(QRectF(0, 0, 8.5, 16), Qt::black); });
    const QPixmap pixmap = icon.pixmap(QSize(16, 16), ratio);
    QTEST(pixmap.width(), "side");
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    const QImage image = pixmap.toImage();
    const int row = image.height() / 2;
    QFETCH(int, alpha);
    QVERIFY2(qAbs(qAlpha(image.pixel(edge - 1, row)) - alpha) <= 2, "the column left of the edge");
    QCOMPARE(qAlpha(image.pixel(edge, row)), 0);
}

MX_REGISTER_TEST(DrawnIconTest)
#include "tst_drawn_icon.moc"
