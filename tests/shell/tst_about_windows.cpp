#include "shell/about_window.h"
#include "shell/desktop_launch.h"
#include "shell/egg_window.h"
#include "shell/logo_link.h"
#include "shell/web_site_window.h"

#include "scripted_dialogs.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"
#include "window_helpers.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

const QString kLicence = u"Licence, first paragraph.\n\nSecond paragraph."_s;

// Records what the program would have started or opened, for one test.
struct RecordedLaunches {
    explicit RecordedLaunches(bool succeed = true)
    {
        setProgramStarter([this, succeed](const QString& program, const QStringList& arguments) {
            return started.append(QStringList{program} + arguments), succeed;
        });
        setUrlOpener([this](const QUrl& url) { return opened.append(url), true; });
    }
    ~RecordedLaunches() { setProgramStarter({}), setUrlOpener({}); }
    QList<QStringList> started;
    QList<QUrl> opened;
};

template <typename W> W* child(const QWidget& parent, const QString& name)
{
    return parent.findChild<W*>(name);
}

void showAndWait(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

} // namespace

class AboutWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The program's font is sized in pixels, which report no point size.
    void initTestCase()
    {
        bodyFont_ = QApplication::font();
        QFont pixels = bodyFont_;
        pixels.setPixelSize(11);
        QApplication::setFont(pixels);
    }
    void cleanupTestCase() { QApplication::setFont(bodyFont_); }

    // The title stands out above the body text.
    void aboutNamesAndTexts()
    {
        LogoLinkFlags flags;
        AboutWindow about(kLicence, flags);
        QCOMPARE(
            test::describeCaptions(&about),
            u"frmAbout \"About Mensurix\": Image1=<picture>, lblEgg=Your red hot, lblTitle=Mensurix, "
            "lblVersion=Version 1.0.0, lblDescription=This program will perform Metric and English conversions.\n, "
            "lblDisclaimer=Copyright © 2026 Quorvane Instruments, cmdOK=OK, cmdSysInfo=&System Info..."_s);
        QVERIFY(!child<QLabel>(about, u"lblEgg"_s)->isVisibleTo(&about));
        const QFontInfo title(child<QLabel>(about, u"lblTitle"_s)->font());
        QVERIFY(title.bold());
        QVERIFY(title.pixelSize() > QFontInfo(child<QLabel>(about, u"lblVersion"_s)->font()).pixelSize());
    }

    void okClick_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("licenceShown");
        QTest::newRow("L held") << u"press L"_s << true;
        QTest::newRow("L held and repeating") << u"press L; repeat L; press L"_s << true;
        QTest::newRow("L pressed and let go") << u"press L; release L"_s << false;
        QTest::newRow("another key held") << u"press K"_s << false;
        QTest::newRow("no key") << QString() << false;
        QTest::newRow("L held on System Info") << u"sysinfo L"_s << false;
    }

    void okClick()
    {
        QFETCH(QString, keys);
        QFETCH(bool, licenceShown);
        test::ScopedMessages messages;
        LogoLinkFlags flags;
        AboutWindow about(kLicence, flags);
        showAndWait(about);
        auto* ok = child<QPushButton>(about, u"cmdOK"_s);
        for (const QString& step : keys.split(u';', Qt::SkipEmptyParts)) {
            const QString action = step.trimmed().section(u' ', 0, 0);
            const Qt::Key key = step.endsWith(u'L') ? Qt::Key_L : Qt::Key_K;
            if (action == u"press") {
                QTest::keyPress(ok, key);
            } else if (action == u"release") {
                QTest::keyRelease(ok, key);
            } else if (action == u"repeat") {
                QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, u"l"_s, true);
                QCoreApplication::sendEvent(ok, &release);
            } else {
                child<QPushButton>(about, u"cmdSysInfo"_s)->setFocus();
                QTest::keyPress(child<QPushButton>(about, u"cmdSysInfo"_s), key);
            }
        }
        if (licenceShown)
            messages->answerNext(MsgAnswer::Ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(about.isVisible(), licenceShown);
        QCOMPARE(messages->described(),
                 licenceShown ? QStringList{u"Mensurix [Ok None] "_s + kLicence} : QStringList());
        if (!licenceShown)
            return;
        QCOMPARE(about.lastKey(), 0);
        // The next plain click closes the box.
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    void systemInfo_data()
    {
        QTest::addColumn<QString>("tool"); // a tool put on the search path, or none
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QString>("message");
        const QString unavailable = u"Mensurix [Ok None] System Information Is Unavailable At This Time"_s;
        QTest::newRow("no tool") << QString() << true << unavailable;
        QTest::newRow("tool found") << u"hardinfo"_s << true << QString();
        QTest::newRow("tool fails to start") << u"kinfocenter"_s << false << unavailable;
    }

    void systemInfo()
    {
        QFETCH(QString, tool);
        QFETCH(bool, starts);
        QFETCH(QString, message);
        QTemporaryDir bin;
        QVERIFY(bin.isValid());
        if (!tool.isEmpty()) {
            QVERIFY(test::writeFileBytes(bin.filePath(tool), "#!/bin/sh\n"));
            QVERIFY(QFile::setPermissions(bin.filePath(tool), QFile::ReadOwner | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });
        RecordedLaunches launches(starts);
        test::ScopedMessages messages;
        if (!message.isEmpty())
            messages->answerNext(MsgAnswer::Ok);

        LogoLinkFlags flags;
        AboutWindow about(kLicence, flags);
        about.show();
        QTest::mouseClick(child<QPushButton>(about, u"cmdSysInfo"_s), Qt::LeftButton);
        QCOMPARE(launches.started, tool.isEmpty() ? QList<QStringList>() : QList<QStringList>{{bin.filePath(tool)}});
        QCOMPARE(messages->described().join(u'\n'), message);
        QVERIFY(about.isVisible());
    }

    void logoDoor_data()
    {
        QTest::addColumn<bool>("armed");
        QTest::newRow("not armed: the logo does nothing") << false;
        QTest::newRow("armed: hint, then the animation") << true;
    }

    void logoDoor()
    {
        QFETCH(bool, armed);
        test::ScriptedDialogs dialogs;
        dialogs.answer(u"frmEgg"_s, [](QDialog& egg) {
            QTest::keyClick(&egg, Qt::Key_Escape);
            return egg.result();
        });
        LogoLinkFlags flags{true, true, armed, 2};
        AboutWindow about(kLicence, flags);
        showAndWait(about);
        auto* logo = child<QLabel>(about, u"Image1"_s);
        auto* hint = child<QLabel>(about, u"lblEgg"_s);
        auto* timer = child<QTimer>(about, u"Timer1"_s);

        // The desktop reports no move to where the pointer already is, so it comes from elsewhere.
        QTest::mouseMove(&about, QPoint(armed ? 2 : 3, 2));
        QTest::mouseMove(logo, QPoint(10, 10));
        QCOMPARE(timer->isActive(), armed);
        if (armed) {
            QTRY_VERIFY(hint->isVisible());
            QTest::mouseMove(&about, QPoint(5, 5)); // off the logo onto the window itself
            QVERIFY(!hint->isVisible() && !timer->isActive());
        }
        QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(dialogs.opened, armed ? QStringList{u"frmEgg"_s} : QStringList{});
        QCOMPARE(flags.HiddenAnimationArmed, false);
        QCOMPARE(flags.WebDialogOpen, !armed);
        QCOMPARE(flags.ArmClickCount, qint16(armed ? 0 : 2));
        // Disarmed by the animation's closing: a second click does nothing.
        QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(dialogs.opened.size(), armed ? 1 : 0);
        QVERIFY(about.isVisible());
    }

    // The invitation wraps, but never inside the address (which would break after "https://"), unless the address
    // is wider than the label; nothing of the text is lost either way.
    void webAddressStaysOnOneLine_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("pixels"); // the font's size: where the lines end
        QTest::addColumn<bool>("oneLine");
        const QString maker = QString::fromUtf16(kDefaultMakerWebAddress);
        for (int pixels : {9, 10, 11, 12})
            QTest::addRow("the maker's address, %d px", pixels) << maker << pixels << true;
        QTest::newRow("a short address") << u"https://example.org/mx"_s << 10 << true;
        QTest::newRow("an address wider than the label")
            << u"https://www.quorvane.example/downloads/conversion-tables/engineering/latest/index.html"_s << 11
            << false;
    }

    void webAddressStaysOnOneLine()
    {
        QFETCH(QString, address);
        QFETCH(int, pixels);
        LogoLinkFlags flags;
        WebSiteWindow web(address, flags);
        QFont font = web.font();
        font.setPixelSize(pixels);
        web.setFont(font);
        auto* message = child<UnbrokenPhraseLabel>(web, u"lblMessage"_s);
        const QStringList lines = message->lines();
        QVERIFY(lines.size() > 1);
        QCOMPARE(lines.join(u' ').remove(u' '), message->text().remove(u' '));
        const bool whole =
            std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(address); });
        QTEST(whole, "oneLine");
        QVERIFY(!web.windowIcon().isNull());
    }

    void webDialog_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("stillOpen"); // WebDialogOpen afterwards
        QTest::newRow("Go There, then Cancel") << u"Cancel"_s << false;
        QTest::newRow("Go There, then Escape") << u"Escape"_s << false;
        QTest::newRow("Go There, then the close box") << u"close"_s << true;
    }

    void webDialog()
    {
        QFETCH(QString, how);
        RecordedLaunches launches;
        LogoLinkFlags flags;
        flags.WebDialogOpen = true;
        WebSiteWindow web(u"https://example.org/mx"_s, flags);
        QCOMPARE(test::describeCaptions(&web),
                 u"frmWebSite \"Web Site\": Image1=<picture>, lblMessage=Visit the Quorvane Instruments web site at "
                 "https://example.org/mx for news, updates and more conversion tables., cmdGoThere=Go There, "
                 "cmdCancel=Cancel"_s);
        QVERIFY(child<QGroupBox>(web, u"Frame1"_s));
        showAndWait(web);

        QTest::mouseClick(child<QPushButton>(web, u"cmdGoThere"_s), Qt::LeftButton);
        QCOMPARE(launches.opened, QList<QUrl>{QUrl(u"https://example.org/mx"_s)});
        QVERIFY(web.isVisible() && flags.WebDialogOpen);
        if (how == u"Cancel")
            QTest::mouseClick(child<QPushButton>(web, u"cmdCancel"_s), Qt::LeftButton);
        else if (how == u"Escape")
            QTest::keyClick(&web, Qt::Key_Escape);
        else
            web.close();
        QVERIFY(!web.isVisible());
        QTEST(flags.WebDialogOpen, "stillOpen");
    }

    void eggWindowShape()
    {
        LogoLinkFlags flags;
        EggWindow egg(flags);
        QCOMPARE(egg.objectName(), u"frmEgg"_s);
        QVERIFY(egg.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(egg.mask(), QRegion(egg.rect(), QRegion::Ellipse));
        QVERIFY(child<QTimer>(egg, u"timBounce"_s)->isActive());
    }

    void eggKeys_data()
    {
        // "t" one tick, any other character a key typed.
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("visible"); // the moving pictures on show, the one checked first
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QColor>("ball");
        const QColor blue(0, 0, 255);
        QTest::newRow("first tick") << u"t"_s << u"imgDR imgLogo"_s << QPoint(5, 5) << blue;
        QTest::newRow("1 shows the ball") << u"1t"_s << u"shpBall imgLogo"_s << QPoint(5, 5) << blue;
        QTest::newRow("ball's first colour change")
            << u"1tttttttt"_s << u"shpBall imgLogo"_s << QPoint(40, 40) << QColor(0, 0, 128);
        QTest::newRow("2 moves the logo from the corner") << u"tt2t"_s << u"imgLogo"_s << QPoint(5, 5) << blue;
        QTest::newRow("3 after 1 hides the ball") << u"13t"_s << u"imgDR imgLogo"_s << QPoint(5, 5) << blue;
        QTest::newRow("3 puts the logo back home") << u"2tt3"_s << u"imgLogo"_s << QPoint(134, 149) << blue;
        QTest::newRow("1 puts the logo back home") << u"2t1"_s << u"imgLogo shpBall"_s << QPoint(134, 149) << blue;
        QTest::newRow("other keys change nothing") << u"tx9 t"_s << u"imgDR imgLogo"_s << QPoint(10, 10) << blue;
    }

    void eggKeys()
    {
        QFETCH(QString, script);
        QFETCH(QString, visible);
        LogoLinkFlags flags;
        EggWindow egg(flags);
        showAndWait(egg);
        for (const QChar c : script) {
            if (c == u't')
                egg.onTick();
            else
                QTest::keyClicks(&egg, QString(c));
        }
        QVERIFY(egg.isVisible() && child<QTimer>(egg, u"timBounce"_s)->isActive());
        QStringList expected = visible.split(u' ');
        QStringList shown;
        for (const char16_t* name : {u"imgLogo", u"shpBall", u"imgDR", u"imgUR", u"imgUL", u"imgDL"})
            if (child<QWidget>(egg, QString::fromUtf16(name))->isVisible())
                shown << QString::fromUtf16(name);
        QTEST(child<QWidget>(egg, expected.first())->pos(), "place");
        expected.sort();
        shown.sort();
        QCOMPARE(shown, expected);
        QTEST(child<EggBall>(egg, u"shpBall"_s)->property("fillColor").value<QColor>(), "ball");
    }

    void eggClosing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("armClicks");
        QTest::newRow("Enter") << u"Enter"_s << true << 2;
        QTest::newRow("Escape") << u"Escape"_s << true << 0;
        QTest::newRow("click on the window") << u"click"_s << true << 0;
        QTest::newRow("click on the logo") << u"logo"_s << false << 2;
        QTest::newRow("closed by the desktop") << u"close"_s << true << 2;
    }

    void eggClosing()
    {
        QFETCH(QString, how);
        QFETCH(bool, closed);
        LogoLinkFlags flags{true, true, true, 2};
        EggWindow egg(flags);
        showAndWait(egg);
        if (how == u"Enter")
            QTest::keyClick(&egg, Qt::Key_Return);
        else if (how == u"Escape")
            QTest::keyClick(&egg, Qt::Key_Escape);
        else if (how == u"click")
            QTest::mouseClick(&egg, Qt::LeftButton, {}, QPoint(220, 60));
        else if (how == u"logo")
            QTest::mouseClick(child<QLabel>(egg, u"imgLogo"_s), Qt::LeftButton, {}, QPoint(5, 5));
        else
            egg.close();
        QCOMPARE(egg.isVisible(), !closed);
        QTEST(int(flags.ArmClickCount), "armClicks");
        QCOMPARE(flags.HiddenAnimationArmed, !closed);
        QCOMPARE(flags.WebDialogOpen, !closed);
        QCOMPARE(child<QTimer>(egg, u"timBounce"_s)->isActive(), !closed);
    }

    void eggNotEnabledClosesAtOnce()
    {
        LogoLinkFlags flags{false, false, true, 0};
        EggWindow egg(flags);
        QVERIFY(!child<QTimer>(egg, u"timBounce"_s)->isActive());
        egg.show();
        QTRY_VERIFY(!egg.isVisible());
        QVERIFY(!flags.HiddenAnimationArmed);
    }

private:
    QFont bodyFont_;
};

MX_REGISTER_TEST(AboutWindowsTest)
#include "tst_about_windows.moc"
