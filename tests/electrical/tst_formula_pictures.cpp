#include "electrical/electrical_panel.h"

#include "reference_image.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

namespace {

// The wheel with its own background; a formula alone on the white of the frame it stands in.
QImage rendered(QWidget& widget, int ratio, bool ownBackground)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(ownBackground ? Qt::transparent : Qt::white);
    widget.render(&image, {}, {}, ownBackground ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    return image;
}

} // namespace

// The wheel as the tab shows it (a disc: nothing outside it is painted) and the twelve formulas of the selection frame.
class FormulaPicturesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pictures_data() { test::addPictureRows({"formula_wheel", "formula_signs"}); }

    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(int, ratio);
        if (const QString why = test::letteringDiffers(); !why.isEmpty())
            QSKIP(qPrintable(why));
        ElectricalPanel panel;
        QImage image;
        if (name == u"formula_wheel") {
            image = rendered(*panel.findChild<QWidget*>(QStringLiteral("picElecWheel")), ratio, true);
        } else {
            QList<QImage> signs;
            for (int i = 0; i < kElectricalFormulaCount; ++i)
                signs << rendered(*panel.findChild<QWidget*>(QStringLiteral("Image3(%1)").arg(i)), ratio, false);
            image = test::pictureSheet(signs, 4);
        }
        const QString difference =
            test::differenceFromReference(image, QStringLiteral(MX_SOURCE_DIR "/tests/electrical/reference"),
                                          QStringLiteral("%1@%2x").arg(name).arg(ratio));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
};

MX_REGISTER_TEST(FormulaPicturesTest)
#include "tst_formula_pictures.moc"
