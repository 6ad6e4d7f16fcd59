#include "shell/shell_art.h"

#include "reference_image.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

namespace {

// Each picture at the size its window shows it.
QImage drawnPicture(const QString& name, qreal ratio)
{
    if (name == u"product_icon")
        return drawProductIcon(48, ratio).toImage();
    if (name == u"maker_logo")
        return drawMakerLogo({173, 29}, ratio).toImage();
    if (name == u"link_picture")
        return drawLinkPicture(40, ratio).toImage();
    if (name == u"tip_picture")
        return drawTipPicture(60, ratio).toImage();
    QList<QImage> arrows;
    for (const Heading heading : {Heading::DownRight, Heading::DownLeft, Heading::UpLeft, Heading::UpRight})
        arrows << drawDirectionPicture(heading, 32, ratio).toImage();
    return test::pictureSheet(arrows, 4);
}

} // namespace

class ShellPicturesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pictures_data()
    {
        test::addPictureRows({"product_icon", "maker_logo", "link_picture", "tip_picture", "direction_pictures"});
    }

    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(int, ratio);
        if (const QString why = test::letteringDiffers(); name == u"maker_logo" && !why.isEmpty())
            QSKIP(qPrintable(why));
        const QString difference = test::differenceFromReference(drawnPicture(name, ratio),
                                                                 QStringLiteral(MX_SOURCE_DIR "/tests/shell/reference"),
                                                                 QStringLiteral("%1@%2x").arg(name).arg(ratio));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
};

MX_REGISTER_TEST(ShellPicturesTest)
#include "tst_shell_pictures.moc"
