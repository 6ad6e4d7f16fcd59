#include "platform/dialog_service.h"
#include "shell/about_window.h"
#include "shell/desktop_launch.h"
#include "shell/egg_window.h"
#include "shell/logo_link.h"
#include "shell/web_site_window.h"

#include "scripted_dialogs.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::ScopedMessages;

namespace {

const QString kLicence = u"Licence, first paragraph.\n\nSecond paragraph."_s;

// Replaces the program starter and the URL opener for one test, recording what they were asked.
struct RecordedLaunches {
    RecordedLaunches(bool succeed = true)
    {
        previousStarter = setProgramStarter([this, succeed](const QString& program, const QStringList& arguments) {
            started.append(QStringList{program} + arguments);
            return succeed;
        });
        previousOpener = setUrlOpener([this](const QUrl& url) {
            opened.append(url);
            return true;
        });
    }
    ~RecordedLaunches()
    {
        setProgramStarter(previousStarter);
        setUrlOpener(previousOpener);
    }
    QList<QStringList> started;
    QList<QUrl> opened;
    ProgramStarter previousStarter;
    UrlOpener previousOpener;
};

template <typename W> W* child(const QWidget& parent, const QString& name)
{
    W* found = parent.findChild<W*>(name);
    if (!found)
        qWarning("no child %s", qPrintable(name));
    return found;
}

QString text(const QWidget& parent, const QString& name)
{
    if (auto* label = parent.findChild<QLabel*>(name))
        return label->text();
    return child<QPushButton>(parent, name)->text();
}

} // namespace

class AboutWindowsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aboutNamesAndTexts();
    void okClick_data();
    void okClick();
    void systemInfo_data();
    void systemInfo();
    void logoDoesNothingUnarmed();
    void armedLogoHintsAndOpensTheAnimation();
    void webDialogNamesAndTexts();
    void goThereOpensTheBrowser();
    void webDialogClosing_data();
    void webDialogClosing();
    void eggWindowShape();
    void eggFirstTick();
    void eggKeys_data();
    void eggKeys();
    void eggClosing_data();
    void eggClosing();
    void eggBallColour();
    void eggNotEnabledClosesAtOnce();
};

void AboutWindowsTest::aboutNamesAndTexts()
{
    LogoLinkFlags flags;
    AboutWindow about(kLicence, flags);
    QCOMPARE(about.objectName(), u"frmAbout"_s);
    QCOMPARE(about.windowTitle(), u"About Mensurix"_s);
    QCOMPARE(about.size(), QSize(388, 234));
    QCOMPARE(text(about, u"lblTitle"_s), u"Mensurix"_s);
    QCOMPARE(text(about, u"lblVersion"_s), u"Version 1.0.0"_s);
    QCOMPARE(text(about, u"lblDescription"_s), u"This program will perform Metric and English conversions.\n"_s);
    QCOMPARE(text(about, u"lblEgg"_s), u"Your red hot"_s);
    QVERIFY(!child<QLabel>(about, u"lblEgg"_s)->isVisibleTo(&about));
    QCOMPARE(text(about, u"cmdOK"_s), u"OK"_s);
    QCOMPARE(text(about, u"cmdSysInfo"_s), u"&System Info..."_s);
    QCOMPARE(child<QTimer>(about, u"Timer1"_s)->interval(), 500);
    QVERIFY(!child<QTimer>(about, u"Timer1"_s)->isActive());
    auto* logo = child<QLabel>(about, u"Image1"_s);
    QVERIFY(!logo->pixmap().isNull());
    QCOMPARE(logo->x(), (about.width() - logo->width()) / 2);
    QCOMPARE(about.lastKey(), 0);
}

void AboutWindowsTest::okClick_data()
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

void AboutWindowsTest::okClick()
{
    QFETCH(QString, keys);
    QFETCH(bool, licenceShown);
    ScopedMessages messages;
    LogoLinkFlags flags;
    AboutWindow about(kLicence, flags);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* ok = child<QPushButton>(about, u"cmdOK"_s);
    auto* sysInfo = child<QPushButton>(about, u"cmdSysInfo"_s);
    for (const QString& step : keys.split(u';', Qt::SkipEmptyParts)) {
        const QString action = step.trimmed().section(u' ', 0, 0);
        const Qt::Key key = step.trimmed().endsWith(u'L') ? Qt::Key_L : Qt::Key_K;
        if (action == u"press") {
            QTest::keyPress(ok, key);
        } else if (action == u"release") {
            QTest::keyRelease(ok, key);
        } else if (action == u"repeat") {
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, u"l"_s, true);
            QCoreApplication::sendEvent(ok, &release);
        } else {
            sysInfo->setFocus();
            QTest::keyPress(sysInfo, key);
        }
    }
    if (licenceShown)
        messages->answerNext(MsgAnswer::Ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    if (!licenceShown) {
        QVERIFY(messages->shown.isEmpty());
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
        return;
    }
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text, kLicence);
    QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(messages->shown[0].icon, MsgIcon::None);
    QCOMPARE(messages->shown[0].title, u"Mensurix"_s);
    QVERIFY(about.isVisible());
    QCOMPARE(about.lastKey(), 0);
    // The next plain click closes the box.
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(messages->shown.size(), 1);
}

void AboutWindowsTest::systemInfo_data()
{
    QTest::addColumn<QString>("tool"); // a tool put on the search path, or none
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QString>("message");
    QTest::newRow("no tool") << QString() << true << u"System Information Is Unavailable At This Time"_s;
    QTest::newRow("tool found") << u"hardinfo"_s << true << QString();
    QTest::newRow("tool fails to start") << u"kinfocenter"_s << false
                                         << u"System Information Is Unavailable At This Time"_s;
}

void AboutWindowsTest::systemInfo()
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
    ScopedMessages messages;
    if (!message.isEmpty())
        messages->answerNext(MsgAnswer::Ok);
    LogoLinkFlags flags;
    AboutWindow about(kLicence, flags);
    about.show();
    QTest::mouseClick(child<QPushButton>(about, u"cmdSysInfo"_s), Qt::LeftButton);
    if (tool.isEmpty())
        QVERIFY(launches.started.isEmpty());
    else
        QCOMPARE(launches.started, QList<QStringList>{QStringList{bin.filePath(tool)}});
    if (message.isEmpty()) {
        QVERIFY(messages->shown.isEmpty());
    } else {
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].text, message);
        QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
    }
    QVERIFY(about.isVisible());
}

void AboutWindowsTest::logoDoesNothingUnarmed()
{
    test::ScriptedDialogs dialogs;
    LogoLinkFlags flags;
    AboutWindow about(kLicence, flags);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* logo = child<QLabel>(about, u"Image1"_s);
    QTest::mouseMove(&about, QPoint(3, 3));
    QTest::mouseMove(logo, QPoint(10, 10));
    QVERIFY(!child<QTimer>(about, u"Timer1"_s)->isActive());
    QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(dialogs.opened.isEmpty());
    QVERIFY(about.isVisible());
}

void AboutWindowsTest::armedLogoHintsAndOpensTheAnimation()
{
    test::ScriptedDialogs dialogs;
    LogoLinkFlags flags;
    flags.WebDialogOpen = true;
    flags.HiddenAnimationArmed = true;
    flags.ArmClickCount = 2;
    AboutWindow about(kLicence, flags);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* logo = child<QLabel>(about, u"Image1"_s);
    auto* hint = child<QLabel>(about, u"lblEgg"_s);

    // The desktop reports no move to where the pointer already is, so it starts from elsewhere.
    QTest::mouseMove(&about, QPoint(2, 2));
    QTest::mouseMove(logo, QPoint(10, 10));
    QVERIFY(child<QTimer>(about, u"Timer1"_s)->isActive());
    QTRY_VERIFY(hint->isVisible());
    // Off the logo onto the window itself: the hint goes.
    QTest::mouseMove(&about, QPoint(5, 5));
    QVERIFY(!hint->isVisible());
    QVERIFY(!child<QTimer>(about, u"Timer1"_s)->isActive());

    dialogs.answer(u"frmEgg"_s, [](QDialog& egg) {
        QTest::keyClick(&egg, Qt::Key_Escape);
        return egg.result();
    });
    QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(dialogs.opened, QStringList{u"frmEgg"_s});
    QVERIFY(!flags.HiddenAnimationArmed);
    QVERIFY(!flags.WebDialogOpen);
    QCOMPARE(flags.ArmClickCount, qint16(0));
    // Disarmed: a second click on the logo does nothing.
    QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(dialogs.opened.size(), 1);
    QVERIFY(about.isVisible());
}

void AboutWindowsTest::webDialogNamesAndTexts()
{
    LogoLinkFlags flags;
    QWidget owner;
    QPixmap iconPixmap(16, 16);
    iconPixmap.fill(Qt::red);
    const QIcon icon(iconPixmap);
    owner.setWindowIcon(icon);
    WebSiteWindow web(u"https://example.org/mx"_s, flags, &owner);
    QCOMPARE(web.objectName(), u"frmWebSite"_s);
    QCOMPARE(web.windowTitle(), u"Web Site"_s);
    QCOMPARE(text(web, u"lblMessage"_s),
             u"Visit the Quorvane Instruments web site at https://example.org/mx for news, updates and more "
             "conversion tables."_s);
    QCOMPARE(text(web, u"cmdGoThere"_s), u"Go There"_s);
    QCOMPARE(text(web, u"cmdCancel"_s), u"Cancel"_s);
    QVERIFY(child<QGroupBox>(web, u"Frame1"_s));
    QVERIFY(!child<QLabel>(web, u"Image1"_s)->pixmap().isNull());
    QCOMPARE(web.windowIcon().cacheKey(), icon.cacheKey());
}

void AboutWindowsTest::goThereOpensTheBrowser()
{
    RecordedLaunches launches;
    LogoLinkFlags flags;
    flags.WebDialogOpen = true;
    WebSiteWindow web(u"https://example.org/mx"_s, flags);
    web.show();
    QVERIFY(QTest::qWaitForWindowExposed(&web));
    QTest::mouseClick(child<QPushButton>(web, u"cmdGoThere"_s), Qt::LeftButton);
    QCOMPARE(launches.opened, QList<QUrl>{QUrl(u"https://example.org/mx"_s)});
    QVERIFY(web.isVisible());
    QVERIFY(flags.WebDialogOpen);
}

void AboutWindowsTest::webDialogClosing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("stillOpen"); // WebDialogOpen afterwards
    QTest::newRow("Cancel") << u"Cancel"_s << false;
    QTest::newRow("Escape") << u"Escape"_s << false;
    QTest::newRow("close box") << u"close"_s << true;
}

void AboutWindowsTest::webDialogClosing()
{
    QFETCH(QString, how);
    LogoLinkFlags flags;
    flags.WebDialogOpen = true;
    WebSiteWindow web(u"https://example.org/mx"_s, flags);
    web.show();
    QVERIFY(QTest::qWaitForWindowExposed(&web));
    if (how == u"Cancel")
        QTest::mouseClick(child<QPushButton>(web, u"cmdCancel"_s), Qt::LeftButton);
    else if (how == u"Escape")
        QTest::keyClick(&web, Qt::Key_Escape);
    else
        web.close();
    QVERIFY(!web.isVisible());
    QTEST(flags.WebDialogOpen, "stillOpen");
}

void AboutWindowsTest::eggWindowShape()
{
    LogoLinkFlags flags;
    EggWindow egg(flags);
    QCOMPARE(egg.objectName(), u"frmEgg"_s);
    QVERIFY(egg.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(egg.size(), QSize(441, 327));
    QCOMPARE(egg.mask(), QRegion(QRect(0, 0, 441, 327), QRegion::Ellipse));
    QCOMPARE(egg.palette().color(QPalette::Window), QColor(0, 0, 255));
    auto* timer = child<QTimer>(egg, u"timBounce"_s);
    QCOMPARE(timer->interval(), 100);
    QVERIFY(timer->isActive());
    QCOMPARE(child<QLabel>(egg, u"imgLogo"_s)->pos(), QPoint(134, 149));
    QVERIFY(!child<QWidget>(egg, u"shpBall"_s)->isVisibleTo(&egg));
    QCOMPARE(child<QWidget>(egg, u"shpBall"_s)->geometry(), QRect(60, 60, 220, 223));
    for (const char16_t* name : {u"imgDR", u"imgUR", u"imgUL", u"imgDL"})
        QVERIFY(!child<QLabel>(egg, QString::fromUtf16(name))->pixmap().isNull());
}

void AboutWindowsTest::eggFirstTick()
{
    LogoLinkFlags flags;
    EggWindow egg(flags);
    egg.onTick();
    QCOMPARE(child<QLabel>(egg, u"imgDR"_s)->pos(), QPoint(5, 5));
    QVERIFY(child<QLabel>(egg, u"imgDR"_s)->isVisibleTo(&egg));
    for (const char16_t* name : {u"imgUR", u"imgUL", u"imgDL"})
        QVERIFY(!child<QLabel>(egg, QString::fromUtf16(name))->isVisibleTo(&egg));
}

void AboutWindowsTest::eggKeys_data()
{
    // "t" one tick, any other character a key typed.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("visible"); // the moving pictures on show, sorted
    QTest::addColumn<QString>("moved");       // the picture whose place is checked
    QTest::addColumn<QPoint>("place");
    QTest::newRow("1 shows the ball") << u"1t"_s << QStringList{u"imgLogo"_s, u"shpBall"_s} << u"shpBall"_s
                                      << QPoint(5, 5);
    QTest::newRow("2 moves the logo from the corner")
        << u"tt2t"_s << QStringList{u"imgLogo"_s} << u"imgLogo"_s << QPoint(5, 5);
    QTest::newRow("3 after 1 hides the ball")
        << u"13t"_s << QStringList{u"imgDR"_s, u"imgLogo"_s} << u"imgDR"_s << QPoint(5, 5);
    QTest::newRow("3 puts the logo back home")
        << u"2tt3"_s << QStringList{u"imgLogo"_s} << u"imgLogo"_s << QPoint(134, 149);
    QTest::newRow("1 puts the logo back home")
        << u"2t1"_s << QStringList{u"imgLogo"_s, u"shpBall"_s} << u"imgLogo"_s << QPoint(134, 149);
    QTest::newRow("other keys change nothing")
        << u"tx9 t"_s << QStringList{u"imgDR"_s, u"imgLogo"_s} << u"imgDR"_s << QPoint(10, 10);
}

void AboutWindowsTest::eggKeys()
{
    QFETCH(QString, script);
    LogoLinkFlags flags;
    EggWindow egg(flags);
    egg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&egg));
    for (const QChar c : script) {
        if (c == u't')
            egg.onTick();
        else
            QTest::keyClicks(&egg, QString(c));
    }
    QVERIFY(egg.isVisible());
    QVERIFY(child<QTimer>(egg, u"timBounce"_s)->isActive());
    QStringList visible;
    for (const char16_t* name : {u"imgLogo", u"shpBall", u"imgDR", u"imgUR", u"imgUL", u"imgDL"})
        if (child<QWidget>(egg, QString::fromUtf16(name))->isVisible())
            visible << QString::fromUtf16(name);
    visible.sort();
    QTEST(visible, "visible");
    QFETCH(QString, moved);
    QTEST(child<QWidget>(egg, moved)->pos(), "place");
}

void AboutWindowsTest::eggClosing_data()
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

void AboutWindowsTest::eggClosing()
{
    QFETCH(QString, how);
    QFETCH(bool, closed);
    LogoLinkFlags flags;
    flags.WebDialogOpen = true;
    flags.HiddenAnimationArmed = true;
    flags.ArmClickCount = 2;
    EggWindow egg(flags);
    egg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&egg));
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
    QCOMPARE(!egg.isVisible(), closed);
    QTEST(int(flags.ArmClickCount), "armClicks");
    QCOMPARE(flags.HiddenAnimationArmed, !closed);
    QCOMPARE(flags.WebDialogOpen, !closed);
    if (closed)
        QVERIFY(!child<QTimer>(egg, u"timBounce"_s)->isActive());
}

void AboutWindowsTest::eggBallColour()
{
    LogoLinkFlags flags;
    EggWindow egg(flags);
    QTest::keyClicks(&egg, u"1"_s);
    auto* ball = child<EggBall>(egg, u"shpBall"_s);
    for (int i = 0; i < 7; ++i)
        egg.onTick();
    QCOMPARE(ball->property("fillColor").value<QColor>(), QColor(0, 0, 255));
    egg.onTick();
    QCOMPARE(ball->property("fillColor").value<QColor>(), QColor(0, 0, 128));
    for (int i = 0; i < 8; ++i)
        egg.onTick();
    QCOMPARE(ball->fillColor(), QColor(0, 128, 0));
}

void AboutWindowsTest::eggNotEnabledClosesAtOnce()
{
    LogoLinkFlags flags;
    flags.HiddenAnimationEnabled = false;
    flags.HiddenAnimationArmed = true;
    EggWindow egg(flags);
    QVERIFY(!child<QTimer>(egg, u"timBounce"_s)->isActive());
    egg.show();
    QTRY_VERIFY(!egg.isVisible());
    QVERIFY(!flags.HiddenAnimationArmed);
}

MX_REGISTER_TEST(AboutWindowsTest)
#include "tst_about_windows.moc"
