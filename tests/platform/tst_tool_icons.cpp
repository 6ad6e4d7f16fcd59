#include "platform/tool_icons.h"

#include "reference_image.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

// The editors' tool-bar drawings, as a desktop without an icon theme shows them: crisp at 1x and 2x.
class ToolIconsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QIcon::setThemeSearchPaths({}); }

    void pictures_data() { test::addPictureRows({"tool_icons"}); }

    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(int, ratio);
        if (const QString why = test::letteringDiffers(); !why.isEmpty())
            QSKIP(qPrintable(why));
        QList<QImage> icons;
        for (const char16_t* key : {u"tlbSave", u"tlbCut", u"tlbCopy", u"tlbPaste", u"tlbCheck", u"tlbFind",
                                    u"tlbSpelling", u"tlbBold", u"tlbItalic", u"tlbUnderline", u"tlbLeft",
                                    u"tlbCenter", u"tlbRight"}) {
            const QIcon icon = toolIcon(QStringView(key));
            QVERIFY(!icon.isNull());
            icons << icon.pixmap(QSize(16, 16), ratio).toImage();
        }
        const QString difference = test::differenceFromReference(
            test::pictureSheet(icons, 13), QStringLiteral(MX_SOURCE_DIR "/tests/platform/reference"),
            QStringLiteral("%1@%2x").arg(name).arg(ratio));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }
};

MX_REGISTER_TEST(ToolIconsTest)
#include "tst_tool_icons.moc"
