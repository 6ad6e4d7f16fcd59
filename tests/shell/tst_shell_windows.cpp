#include "shell/about_window.h"
#include "shell/desktop_launch.h"
#include "shell/egg_window.h"
#include "shell/help_topics.h"
#include "shell/help_viewer.h"
#include "shell/logo_link.h"
#include "shell/shell_art.h"
#include "shell/tip_window.h"
#include "shell/web_site_window.h"

#include "reference_image.h"
#include "scripted_dialogs.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"
#include "window_helpers.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include <sys/stat.h>

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

void showAndWait(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

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

// The about box, the web-site invitation, the hidden animation, the tip of the day, the help viewer and the pictures
// they show.
class ShellWindowsTest : public QObject {
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

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), "First tip\r\nSecond <b>tip</b>\r\nThird tip\r\n"));
        QVERIFY(QFile::copy(QStringLiteral(MX_DATA_DIR "/MENSURIX.HTM"), path(u"MENSURIX.HTM"_s)));
        owner_ = new QWidget; // the help's owner, the main window elsewhere
        opened_.clear();
        setUpHelp(owner_, dir_->path(), [this](QWidget* viewer) { opened_.append(viewer); });
    }

    void cleanup()
    {
        delete owner_; // takes the viewer with it
        QVERIFY(!openHelpViewer());
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
        QCOMPARE(
            test::describeCaptions(&about),
            u"frmAbout \"About Mensurix\": Image1=<picture>, lblEgg=Your red hot, lblTitle=Mensurix, "
            "lblVersion=Version 1.0.0, lblDescription=This program will perform Metric and English conversions.\n, "
            "lblDisclaimer=Copyright © 2026 Quorvane Instruments, cmdOK=OK, cmdSysInfo=&System Info..."_s);
        QVERIFY(!about.findChild<QLabel*>(u"lblEgg"_s)->isVisibleTo(&about));
        // The title stands out above the body text.
        const QFontInfo title(about.findChild<QLabel*>(u"lblTitle"_s)->font());
        QVERIFY(title.bold());
        QVERIFY(title.pixelSize() > QFontInfo(about.findChild<QLabel*>(u"lblVersion"_s)->font()).pixelSize());
        showAndWait(about);
        auto* ok = about.findChild<QPushButton*>(u"cmdOK"_s);
        auto* info = about.findChild<QPushButton*>(u"cmdSysInfo"_s);
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
        auto* logo = about.findChild<QLabel*>(u"Image1"_s);
        auto* hint = about.findChild<QLabel*>(u"lblEgg"_s);
        auto* timer = about.findChild<QTimer*>(u"Timer1"_s);

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
    // is wider than the label; nothing of the text is lost either way. Go There opens the address and leaves the
    // dialog open; Cancel and Escape end what the link began, the close box does not.
    void webDialog_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("pixels"); // the font's size: where the lines end
        QTest::addColumn<bool>("oneLine");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("stillOpen"); // WebDialogOpen afterwards
        const QString maker = QString::fromUtf16(kDefaultMakerWebAddress);
        for (int pixels : {9, 10, 11, 12})
            QTest::addRow("the maker's address, %d px, Cancel", pixels)
                << maker << pixels << true << u"Cancel"_s << false;
        QTest::newRow("a short address, Escape") << u"https://example.org/mx"_s << 10 << true << u"Escape"_s << false;
        QTest::newRow("an address wider than the label, the close box")
            << u"https://www.quorvane.example/downloads/conversion-tables/engineering/latest/index.html"_s << 11
            << false << u"close"_s << true;
    }

    void webDialog()
    {
        QFETCH(QString, address);
        QFETCH(int, pixels);
        QFETCH(QString, how);
        RecordedLaunches launches;
        LogoLinkFlags flags;
        flags.WebDialogOpen = true;
        WebSiteWindow web(address, flags);
        QCOMPARE(
            test::describeCaptions(&web),
            u"frmWebSite \"Web Site\": Image1=<picture>, lblMessage=Visit the Quorvane Instruments web site at "
            "%1 for news, updates and more conversion tables., cmdGoThere=Go There, cmdCancel=Cancel"_s.arg(address));
        QVERIFY(web.findChild<QGroupBox*>(u"Frame1"_s));
        QFont font = web.font();
        font.setPixelSize(pixels);
        web.setFont(font);
        auto* message = web.findChild<UnbrokenPhraseLabel*>(u"lblMessage"_s);
        const QStringList lines = message->lines();
        QVERIFY(lines.size() > 1);
        QCOMPARE(lines.join(u' ').remove(u' '), message->text().remove(u' '));
        const bool whole =
            std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(address); });
        QTEST(whole, "oneLine");
        showAndWait(web);

        QTest::mouseClick(web.findChild<QPushButton*>(u"cmdGoThere"_s), Qt::LeftButton);
        QCOMPARE(launches.opened, QList<QUrl>{QUrl(address)});
        QVERIFY(web.isVisible() && flags.WebDialogOpen);
        if (how == u"Cancel")
            QTest::mouseClick(web.findChild<QPushButton*>(u"cmdCancel"_s), Qt::LeftButton);
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
        auto* timer = egg.findChild<QTimer*>(u"timBounce"_s);
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
                QTest::mouseClick(egg.findChild<QLabel*>(u"imgLogo"_s), Qt::LeftButton, {}, QPoint(5, 5));
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
            if (egg.findChild<QWidget*>(QString::fromUtf16(name))->isVisible())
                shown << QString::fromUtf16(name);
        QTEST(egg.findChild<QWidget*>(expected.first())->pos(), "place");
        expected.sort();
        shown.sort();
        QCOMPARE(shown, expected);
        QTEST(egg.findChild<EggBall*>(u"shpBall"_s)->property("fillColor").value<QColor>(), "ball");
    }

    // From the files found, the tips shown after Next and the way the window is closed, and what the counter holds
    // then: OK, Enter and Escape write the tip last shown, the close box writes nothing.
    void closing_data()
    {
        QTest::addColumn<QByteArray>("tips");    // null: no tips file; "folder": a folder in its place
        QTest::addColumn<QByteArray>("counter"); // "pipe": a named pipe in its place
        QTest::addColumn<int>("nextClicks");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("lastShown"); // as text, not markup
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("message");
        const QByteArray tips = "First tip\r\nSecond <b>tip</b>\r\nThird tip\r\n";
        const auto row = [](const char* name, const QByteArray& tipsFile, const char* counter, int next,
                            const QString& how, const QString& shown, const char* written,
                            const QString& message = {}) {
            QTest::newRow(name) << tipsFile << QByteArray(counter) << next << how << shown << QByteArray(written)
                                << message;
        };
        row("OK after Next", tips, " 1\r\n", 1, u"OK"_s, u"Third tip"_s, " 3\r\n");
        row("Escape presses OK", tips, " 1\r\n", 0, u"Escape"_s, u"Second <b>tip</b>"_s, " 2\r\n");
        row("Enter presses OK", tips, " 1\r\n", 0, u"Enter"_s, u"Second <b>tip</b>"_s, " 2\r\n");
        row("close box leaves the file", tips, " 1\r\n", 1, u"close"_s, u"Third tip"_s, " 1\r\n");
        row("no tips file", {}, " 2\r\n", 0, u"OK"_s,
            u"That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT using NotePad "
            "with 1 tip per line. Then place it in the same directory as the application. "_s,
            " 0\r\n");
        row("tips file unreadable", "folder", " 2\r\n", 0, u"OK"_s,
            u"The TIPOFDAY.TXT file was found but could not be read. \r\n\r\nMake sure it is a plain text file of at "
            "most 1 MB with 1 tip per line, and that you may read it. "_s,
            " 0\r\n");
        row("empty tips file", "", nullptr, 1, u"OK"_s, QString(), " 1\r\n");
        row("counter in the way", tips, "pipe", 0, u"OK"_s, u"First tip"_s, nullptr,
            u"Mensurix [Ok Exclamation] The file \"@\" could not be saved: it is not a regular file."_s);
    }

    void closing()
    {
        QFETCH(QByteArray, tips);
        QFETCH(QByteArray, counter);
        QFETCH(int, nextClicks);
        QFETCH(QString, how);
        QFETCH(QString, message);
        QFile::remove(path(u"TIPOFDAY.TXT"_s));
        if (tips == "folder")
            QVERIFY(QDir(dir_->path()).mkdir(u"TIPOFDAY.TXT"_s));
        else
            QVERIFY(tips.isNull() || test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), tips));
        if (counter == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path(u"CURRENTTIP.TIP"_s)).constData(), 0600), 0);
        else if (!counter.isNull())
            QVERIFY(test::writeFileBytes(path(u"CURRENTTIP.TIP"_s), counter));
        test::ScopedMessages messages;
        messages->answerNext(MsgAnswer::Ok);
        TipWindow window(dir_->path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(button(window, u"cmdNextTip"_s)->isEnabled(), !tips.isNull() && tips != "folder");
        for (int i = 0; i < nextClicks; ++i)
            QTest::mouseClick(button(window, u"cmdNextTip"_s), Qt::LeftButton);
        QTEST(tipText(window)->text(), "lastShown");
        QCOMPARE(tipText(window)->textFormat(), Qt::PlainText);

        if (how == u"OK")
            QTest::mouseClick(button(window, u"cmdOK"_s), Qt::LeftButton);
        else if (how == u"Escape")
            QTest::keyClick(&window, Qt::Key_Escape);
        else if (how == u"Enter")
            QTest::keyClick(&window, Qt::Key_Return);
        else
            window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), how == u"close" ? QDialog::Rejected : QDialog::Accepted);
        QTEST(QFileInfo(path(u"CURRENTTIP.TIP"_s)).isFile() ? test::readFileBytes(path(u"CURRENTTIP.TIP"_s))
                                                            : QByteArray(),
              "written");
        QCOMPARE(messages->described().join(u'\n'), message.replace(u'@', path(u"CURRENTTIP.TIP"_s)));
    }

    // Opened, the box is ticked (the main window's suite checks it ticked again on Help > Show Tip of the Day, and
    // an unticking kept in the settings); each click on it is reported. A tip longer than the box wraps and scrolls,
    // and the next tip is read from its start. The heading stands out above the tip.
    void namesBoxAndLongTips()
    {
        QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), "First tip\r\nRead on. " +
                                                                  QByteArray("Long tip. ").repeated(120) +
                                                                  "The end.\r\nShort tip.\r\n"));
        TipWindow window(dir_->path());
        QCOMPARE(test::describeCaptions(&window),
                 u"frmTip \"Tip of the Day\": Picture1=<picture>, Label1=Did you know..., lblTipText=First tip, "
                 "chkLoadTipsAtStartup=&Show Tips at Startup, cmdNextTip=&Next Tip, cmdOK=OK"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy changed(&window, &TipWindow::showTipsAtStartupChanged);
        auto* box = window.findChild<QCheckBox*>(u"chkLoadTipsAtStartup"_s);
        QVERIFY(box->isChecked());
        for (bool expected : {false, true}) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            QCOMPARE(window.showTipsAtStartup(), expected);
            QCOMPARE(changed.takeFirst().at(0).toBool(), expected);
        }

        QLabel* label = tipText(window);
        auto* scroller = window.findChild<QScrollArea*>(u"scrTipText"_s);
        button(window, u"cmdNextTip"_s)->click();
        QVERIFY(label->text().endsWith(u"The end."_s));
        QTRY_VERIFY(label->heightForWidth(label->width()) <= label->height());
        QVERIFY(label->width() <= scroller->viewport()->width());
        QTRY_VERIFY(scroller->verticalScrollBar()->maximum() > 0);
        scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
        button(window, u"cmdNextTip"_s)->click();
        QCOMPARE(label->text(), u"Short tip."_s);
        QCOMPARE(scroller->verticalScrollBar()->value(), 0);

        const QFontInfo heading(window.findChild<QLabel*>(u"Label1"_s)->font());
        QVERIFY(heading.bold());
        QVERIFY(heading.pixelSize() > QFontInfo(label->font()).pixelSize());
    }

    // The contents, owned by the main window and carried along with its other windows: a topic for every tab and
    // accessory, every link within the help leading to one; links followed, back and forth; topics asked for (F1 is
    // pressed in the main window's suite); closed, it is gone.
    void contents()
    {
        RecordedLaunches launches;
        showHelpContents();
        HelpViewer* viewer = openHelpViewer();
        QVERIFY(viewer && viewer->isVisible() && viewer->isWindow());
        QCOMPARE(viewer->parentWidget(), owner_);
        QCOMPARE(viewer->objectName() + u' ' + viewer->windowTitle(), u"frmHelp Mensurix Help"_s);
        QCOMPARE(opened_, QList<QWidget*>{viewer});
        QTextBrowser* browser = viewer->browser();
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        QCOMPARE(browser->document()->begin().text(), u"Mensurix Help"_s);
        QHash<QString, QString> headings; // every anchor name with the text of its block
        QStringList links;                // every link within the help
        for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                for (const QString& name : format.anchorNames())
                    headings.insert(name, block.text());
                if (format.isAnchor() && format.anchorHref().startsWith(u'#'))
                    links.append(format.anchorHref().mid(1));
            }
        }
        for (const QString& link : links)
            QVERIFY2(headings.contains(link), qPrintable(link));
        for (const char* topic : {"metric", "temperature", "table-files", "humidity", "wind", "vibration", "electrical",
                                  "calculator", "table-editor", "note-editor", "find", "tips", "settings", "about",
                                  "copy", "keyboard", "command-line", "files"})
            QVERIFY2(headings.contains(QLatin1String(topic)) && links.contains(QLatin1String(topic)), topic);
        // The table format's example is there as the user would type it.
        QVERIFY(browser->toPlainText().contains(u"Inches vs Millimeters\nInches\nMillimeters\n25.4\n"_s));

        const auto button = [viewer](const QString& name) { return viewer->findChild<QPushButton*>(name); };
        QVERIFY(!button(u"cmdBack"_s)->isEnabled());
        Q_EMIT browser->anchorClicked(QUrl(u"#wind"_s));
        QCOMPARE(browser->source().fragment(), u"wind"_s);
        QTest::mouseClick(button(u"cmdBack"_s), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        // A web address goes to the browser; the help stays where it was.
        Q_EMIT browser->anchorClicked(QUrl(u"https://example.org/help"_s));
        QCOMPARE(launches.opened, QList<QUrl>{QUrl(u"https://example.org/help"_s)});
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        QTest::mouseClick(button(u"cmdForward"_s), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"wind"_s);
        QTest::mouseClick(button(u"cmdContents"_s), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        // The open viewer, minimised, is brought back at the topic; an id without one shows the contents.
        for (const auto& [id, topic] : {std::pair(kTableEditorHelpContext, u"table-editor|Table editor"_s),
                                        std::pair(kNoteEditorHelpContext, u"note-editor|Note editor"_s),
                                        std::pair(999, u"contents|Mensurix Help"_s)}) {
            viewer->showMinimized();
            showHelpTopic(id);
            QCOMPARE(openHelpViewer(), viewer);
            QVERIFY(viewer->isVisible());
            const QString at = browser->source().fragment();
            QCOMPARE(at + u'|' + headings.value(at), topic);
        }

        QVERIFY(viewer->close());
        QTRY_VERIFY(!openHelpViewer());
    }

    // A help file that cannot be read, or a page whose nesting took minutes to lay out and crashed deeper still,
    // is not shown.
    void unusablePages_data()
    {
        QTest::addColumn<QString>("page"); // "missing", "fifo" or "large", else the body of the page
        QTest::addColumn<QString>("text"); // what the viewer shows: "" for the could-not-open page
        const auto nested = [](const QString& open, const QString& close, int depth) {
            return open.repeated(depth) + u"deep"_s + close.repeated(depth);
        };
        for (const char* kind : {"missing", "fifo", "large"})
            QTest::newRow(kind) << QString::fromLatin1(kind) << u""_s;
        QTest::newRow("tables nested 8 deep") << nested(u"<table><tr><td>"_s, u"</td></tr></table>"_s, 8) << u"deep"_s;
        QTest::newRow("tables nested 9 deep") << nested(u"<table><tr><td>"_s, u"</td></tr></table>"_s, 9) << u""_s;
        QTest::newRow("5000 nested blocks") << nested(u"<div>"_s, u"</div>"_s, 5000) << u""_s;
        QTest::newRow("98 nested blocks in the body") << nested(u"<div>"_s, u"</div>"_s, 98) << u"deep"_s;
        QTest::newRow("500 breaks, which need no end tag")
            << u"a<br>"_s.repeated(500) + u"deep"_s << u"a\n"_s.repeated(500) + u"deep"_s;
    }

    void unusablePages()
    {
        QFETCH(QString, page);
        QFETCH(QString, text);
        const QString path = dir_->filePath(u"MENSURIX.HTM"_s);
        QVERIFY(QFile::remove(path));
        if (page == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (page == u"large")
            QVERIFY(test::writeFileBytes(path, QByteArray(kMaxHelpFileBytes + 1, ' ')));
        else if (page != u"missing")
            QVERIFY(test::writeFileBytes(path, u"<html><body>%1</body></html>"_s.arg(page).toLatin1()));
        showHelpTopic(kNoteEditorHelpContext);
        QCOMPARE(openHelpViewer()->browser()->toPlainText().trimmed(),
                 text.isEmpty() ? u"Mensurix Help\nThe help file \"%1\" could not be opened."_s.arg(path) : text);
    }

    // A paragraph with no break point in it is shown whole, in pieces that are laid out one at a time.
    void longParagraph()
    {
        const QString hex = u"0123456789abcdef"_s.repeated(1000);
        QVERIFY(test::writeFileBytes(
            dir_->filePath(u"MENSURIX.HTM"_s),
            u"<html><body><a name=\"contents\"></a><p>%1</p><p>end</p></body></html>"_s.arg(hex).toLatin1()));
        showHelpContents();
        const QTextDocument* document = openHelpViewer()->browser()->document();
        QVERIFY(document->blockCount() >= 4);
        QString shown = document->toPlainText();
        QVERIFY(shown.endsWith(u"\nend"_s));
        shown.chop(4);
        QCOMPARE(shown.remove(u'\n'), hex);
    }

    void helpPictures_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QSize>("size"); // 1 by 1: the stand-in for a picture refused
        QTest::newRow("beside the help") << u"logo.png"_s << QSize(3, 2);
        QTest::newRow("elsewhere") << u"%1/logo.png"_s << QSize(1, 1);
        QTest::newRow("a named pipe") << u"pipe.png"_s << QSize(1, 1);
        QTest::newRow("not a picture") << u"MENSURIX.HTM"_s << QSize(1, 1);
    }

    // Pictures come only from the help's folder, as bounded regular files: Qt never opens a path itself.
    void helpPictures()
    {
        QFETCH(QString, source);
        QFETCH(QSize, size);
        QTemporaryDir elsewhere;
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir_->filePath(u"logo.png"_s)));
        QVERIFY(picture.save(elsewhere.filePath(u"logo.png"_s)));
        const QString pipe = dir_->filePath(u"pipe.png"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        // Should the pipe be opened after all, a writer comes after a while and the time taken tells.
        std::atomic<bool> done = false;
        std::thread unblock([&] {
            for (int i = 0; i < 50 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (!done)
                QFile(pipe).open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        });
        const QString src = source.contains(u"%1") ? source.arg(elsewhere.path()) : source;
        QVERIFY(test::writeFileBytes(
            dir_->filePath(u"MENSURIX.HTM"_s),
            u"<html><body><a name=\"contents\"></a><img src=\"%1\"></body></html>"_s.arg(src).toLatin1()));
        QElapsedTimer timer;
        timer.start();
        showHelpContents();
        QTextBrowser* browser = openHelpViewer()->browser();
        const QUrl url = browser->source().resolved(QUrl(src.startsWith(u'/') ? QUrl::fromLocalFile(src) : QUrl(src)));
        const QImage shown = browser->document()->resource(QTextDocument::ImageResource, url).value<QImage>();
        const qint64 elapsed = timer.elapsed();
        done = true;
        unblock.join();
        QVERIFY2(elapsed < 4000, "the picture was read by Qt, which waited for the pipe");
        QCOMPARE(shown.size(), size);
    }

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

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    static QLabel* tipText(const QWidget& w) { return w.findChild<QLabel*>(u"lblTipText"_s); }
    static QPushButton* button(const QWidget& w, const QString& name) { return w.findChild<QPushButton*>(name); }

    std::unique_ptr<QTemporaryDir> dir_;
    QWidget* owner_ = nullptr;
    QList<QWidget*> opened_;
    QFont bodyFont_;
};

MX_REGISTER_TEST(ShellWindowsTest)
#include "tst_shell_windows.moc"
