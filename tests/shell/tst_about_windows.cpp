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

    // Steps on the about box: "press L" (or K), "release L" and "repeat L" (a held key's release) at OK; "info L"
    // pressed at System Info; "OK" and "info" clicked. A tool put on the search path (none, or one that fails to
    // start, marked "!") is what System Info finds.
    void aboutBox_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("shown"); // the messages; "@" stands for the licence
        QTest::addColumn<bool>("open");
        const auto row = [](const char* name, const char16_t* steps, const char16_t* tool, const char16_t* shown,
                            bool open) {
            QTest::newRow(name) << QString::fromUtf16(steps) << QString::fromUtf16(tool) << QString::fromUtf16(shown)
                                << open;
        };
        const char16_t* unavailable = u"Mensurix [Ok None] System Information Is Unavailable At This Time";
        row("L held shows the licence", u"press L; OK", u"", u"Mensurix [Ok None] @", true);
        row("the next plain click closes", u"press L; OK; OK", u"", u"Mensurix [Ok None] @", false);
        row("L held and repeating", u"press L; repeat L; press L; OK", u"", u"Mensurix [Ok None] @", true);
        row("L pressed and let go", u"press L; release L; OK", u"", u"", false);
        row("another key held", u"press K; OK", u"", u"", false);
        row("L held on System Info", u"info L; OK", u"", u"", false);
        row("no system information tool", u"info", u"", unavailable, true);
        row("tool found", u"info", u"hardinfo", u"", true);
        row("tool fails to start", u"info", u"kinfocenter!", unavailable, true);
    }

    void aboutBox()
    {
        QFETCH(QString, steps);
        QFETCH(QString, tool);
        QFETCH(QString, shown);
        QTemporaryDir bin;
        const QString program = QString(tool).remove(u'!');
        if (!program.isEmpty()) {
            QVERIFY(test::writeFileBytes(bin.filePath(program), "#!/bin/sh\n"));
            QVERIFY(QFile::setPermissions(bin.filePath(program), QFile::ReadOwner | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });
        RecordedLaunches launches(!tool.endsWith(u'!'));
        test::ScopedMessages messages;
        for (qsizetype i = 0; i < shown.count(u"Mensurix ["_s); ++i)
            messages->answerNext(MsgAnswer::Ok);
        LogoLinkFlags flags;
        AboutWindow about(kLicence, flags);
        showAndWait(about);
        auto* ok = child<QPushButton>(about, u"cmdOK"_s);
        auto* info = child<QPushButton>(about, u"cmdSysInfo"_s);
        for (const QString& step : steps.split(u"; "_s)) {
            const Qt::Key key = step.endsWith(u" L") ? Qt::Key_L : Qt::Key_K;
            if (step == u"OK" || step == u"info") {
                QTest::mouseClick(step == u"OK" ? ok : info, Qt::LeftButton);
            } else if (step.startsWith(u"press")) {
                QTest::keyPress(ok, key);
            } else if (step.startsWith(u"release")) {
                QTest::keyRelease(ok, key);
            } else if (step.startsWith(u"repeat")) {
                QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, u"l"_s, true);
                QCoreApplication::sendEvent(ok, &release);
            } else {
                info->setFocus();
                QTest::keyPress(info, key);
            }
        }
        QCOMPARE(messages->described().join(u'\n'), shown.replace(u'@', kLicence));
        QCOMPARE(launches.started,
                 program.isEmpty() ? QList<QStringList>() : QList<QStringList>{{bin.filePath(program)}});
        QTEST(about.isVisible(), "open");
        QCOMPARE(about.result(), int(about.isVisible() ? QDialog::Rejected : QDialog::Accepted));
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

    // A script of "t" (a tick), keys typed, and E (Enter), Q (Escape), C (a click on the window), L (a click on the
    // logo) or D (closed by the desktop). Open, the moving pictures on show (the one checked first at its place) and
    // the ball's colour; closed, the count of arming clicks left.
    void egg_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("visible"); // empty once closed
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QColor>("ball");
        QTest::addColumn<int>("armClicks");
        const auto row = [](const char* name, const char16_t* script, const char16_t* visible, QPoint place = {},
                            QColor ball = QColor(0, 0, 255), int armClicks = 2, bool enabled = true) {
            QTest::newRow(name) << enabled << QString::fromUtf16(script) << QString::fromUtf16(visible) << place << ball
                                << armClicks;
        };
        row("first tick", u"t", u"imgDR imgLogo", {5, 5});
        row("1 shows the ball", u"1t", u"shpBall imgLogo", {5, 5});
        row("ball's first colour change", u"1tttttttt", u"shpBall imgLogo", {40, 40}, QColor(0, 0, 128));
        row("2 moves the logo from the corner", u"tt2t", u"imgLogo", {5, 5});
        row("3 after 1 hides the ball", u"13t", u"imgDR imgLogo", {5, 5});
        row("3 puts the logo back home", u"2tt3", u"imgLogo", {134, 149});
        row("1 puts the logo back home", u"2t1", u"imgLogo shpBall", {134, 149});
        row("other keys change nothing", u"tx9 t", u"imgDR imgLogo", {10, 10});
        row("a click on the logo changes nothing", u"tL", u"imgDR imgLogo", {5, 5});
        row("Enter", u"E", u"");
        row("Escape", u"Q", u"", {}, {}, 0);
        row("click on the window", u"C", u"", {}, {}, 0);
        row("closed by the desktop", u"D", u"");
        row("not enabled: closes at once", u"", u"", {}, {}, 2, false);
    }

    void egg()
    {
        QFETCH(bool, enabled);
        QFETCH(QString, script);
        QFETCH(QString, visible);
        LogoLinkFlags flags{true, enabled, true, 2};
        EggWindow egg(flags);
        QCOMPARE(egg.objectName(), u"frmEgg"_s);
        QVERIFY(egg.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(egg.mask(), QRegion(egg.rect(), QRegion::Ellipse));
        auto* timer = child<QTimer>(egg, u"timBounce"_s);
        QCOMPARE(timer->isActive(), enabled);
        egg.show();
        QVERIFY(!enabled || QTest::qWaitForWindowExposed(&egg));
        for (const QChar c : script) {
            if (c == u't')
                egg.onTick();
            else if (c == u'E' || c == u'Q')
                QTest::keyClick(&egg, c == u'E' ? Qt::Key_Return : Qt::Key_Escape);
            else if (c == u'C')
                QTest::mouseClick(&egg, Qt::LeftButton, {}, QPoint(220, 60));
            else if (c == u'L')
                QTest::mouseClick(child<QLabel>(egg, u"imgLogo"_s), Qt::LeftButton, {}, QPoint(5, 5));
            else if (c == u'D')
                egg.close();
            else
                QTest::keyClicks(&egg, QString(c));
        }
        QTRY_COMPARE(egg.isVisible(), !visible.isEmpty());
        QCOMPARE(timer->isActive(), egg.isVisible());
        // Closing disarms the animation and ends what the web dialog began.
        QCOMPARE(u"%1 %2"_s.arg(flags.HiddenAnimationArmed).arg(flags.WebDialogOpen),
                 egg.isVisible() ? u"1 1"_s : u"0 0"_s);
        if (visible.isEmpty()) {
            QTEST(int(flags.ArmClickCount), "armClicks");
            return;
        }
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

private:
    QFont bodyFont_;
};

MX_REGISTER_TEST(AboutWindowsTest)
#include "tst_about_windows.moc"
