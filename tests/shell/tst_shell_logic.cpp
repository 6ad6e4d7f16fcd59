#include "platform/ini_file.h"
#include "shell/about_text.h"
#include "shell/bounce.h"
#include "shell/help_topics.h"
#include "shell/logo_link.h"
#include "shell/system_info.h"

#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(mx::Heading)

namespace {

// The hidden animation's window and pictures, in pixels.
EggBounce::Sizes windowSizes(QSize area = {441, 327})
{
    return {area, {220, 223}, {173, 29}, {32, 32}};
}

// Runs a script of ticks and keys: "t82" is 82 ticks, "k1" the key 1.
void runScript(EggBounce& bounce, const QString& script)
{
    for (const QString& word : script.split(u' ', Qt::SkipEmptyParts)) {
        const int n = word.mid(1).toInt();
        if (word.startsWith(u't')) {
            for (int i = 0; i < n; ++i)
                bounce.tick();
        } else {
            bounce.chooseMode(n);
        }
    }
}

bool makeExecutable(const QString& path, bool executable = true)
{
    if (!test::writeFileBytes(path, "#!/bin/sh\n"))
        return false;
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        permissions |= QFile::ExeOwner;
    return QFile::setPermissions(path, permissions);
}

} // namespace

class ShellLogicTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpFile_data();
    void helpFile();
    void helpAnchors_data();
    void helpAnchors();
    void systemInfoLookup_data();
    void systemInfoLookup();
    void bounce_data();
    void bounce();
    void ballColour_data();
    void ballColour();
    void otherKeysChangeNothing();
    void armingCondition_data();
    void armingCondition();
    void pointerInside_data();
    void pointerInside();
    void logoHints_data();
    void logoHints();
    void armClickCountSaturates();
    void webAddress_data();
    void webAddress();
    void versionTexts_data();
    void versionTexts();
    void licenceText();
};

void ShellLogicTest::helpFile_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("ordinary folder") << u"/opt/mensurix"_s << u"/opt/mensurix/MENSURIX.HTM"_s;
    QTest::newRow("folder with its separator") << u"/opt/mensurix/"_s << u"/opt/mensurix/MENSURIX.HTM"_s;
    QTest::newRow("root folder") << u"/"_s << u"/MENSURIX.HTM"_s;
    QTest::newRow("blank at the end of a name") << u"/opt/mx "_s << u"/opt/mx /MENSURIX.HTM"_s;
}

void ShellLogicTest::helpFile()
{
    QFETCH(QString, folder);
    QTEST(helpFilePath(folder), "path");
}

void ShellLogicTest::helpAnchors_data()
{
    QTest::addColumn<int>("contextId");
    QTest::addColumn<QString>("anchor");
    QTest::newRow("table editor") << 30 << u"table-editor"_s;
    QTest::newRow("note editor") << 140 << u"note-editor"_s;
    QTest::newRow("contents") << 0 << u"contents"_s;
    QTest::newRow("unknown id") << 31 << u"contents"_s;
    QTest::newRow("negative id") << -30 << u"contents"_s;
}

void ShellLogicTest::helpAnchors()
{
    QFETCH(int, contextId);
    QTEST(helpAnchor(contextId), "anchor");
}

void ShellLogicTest::systemInfoLookup_data()
{
    // Files are "folder/name", "x" marking an executable one; "d" a folder of that name.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("searchPath"); // folders relative to the test folder; "@" marks a relative entry
    QTest::addColumn<QString>("found");      // relative to the test folder; empty when none
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("nothing on the path") << QStringList{u"x bin/ls"_s} << u"bin"_s << QString() << QStringList{};
    QTest::newRow("found in a later folder")
        << QStringList{u"x b2/hardinfo"_s} << u"b1:b2"_s << u"b2/hardinfo"_s << QStringList{};
    QTest::newRow("not executable is skipped")
        << QStringList{u"- b1/kinfocenter"_s, u"x b2/hardinfo"_s} << u"b1:b2"_s << u"b2/hardinfo"_s << QStringList{};
    QTest::newRow("a folder of that name is skipped")
        << QStringList{u"d b1/xfce4-about"_s} << u"b1"_s << QString() << QStringList{};
    QTest::newRow("preference before path order")
        << QStringList{u"x b1/hardinfo"_s, u"x b2/kinfocenter"_s} << u"b1:b2"_s << u"b2/kinfocenter"_s << QStringList{};
    QTest::newRow("GNOME settings at its about page")
        << QStringList{u"x b1/gnome-control-center"_s} << u"b1"_s << u"b1/gnome-control-center"_s
        << QStringList{u"info-overview"_s};
    QTest::newRow("relative entry is skipped")
        << QStringList{u"x b1/hardinfo"_s} << u"@b1"_s << QString() << QStringList{};
    QTest::newRow("empty entries") << QStringList{u"x b1/hardinfo2"_s} << u"::b1:"_s << u"b1/hardinfo2"_s
                                   << QStringList{};
}

void ShellLogicTest::systemInfoLookup()
{
    QFETCH(QStringList, files);
    QFETCH(QString, searchPath);
    QFETCH(QString, found);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString& file : files) {
        const QString kind = file.section(u' ', 0, 0);
        const QString relative = file.section(u' ', 1);
        QVERIFY(QDir(dir.path()).mkpath(QFileInfo(relative).path()));
        if (kind == u"d")
            QVERIFY(QDir(dir.path()).mkpath(relative));
        else
            QVERIFY(makeExecutable(dir.filePath(relative), kind == u"x"));
    }
    QStringList folders;
    for (const QString& entry : searchPath.split(u':'))
        folders.append(entry.isEmpty() ? entry : entry.startsWith(u'@') ? entry.mid(1) : dir.filePath(entry));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path()); // a relative entry would find the tool from here
    const std::optional<ProgramCommand> tool = findSystemInfoProgram(folders.join(u':'));
    QDir::setCurrent(previous);
    if (found.isEmpty()) {
        QVERIFY(!tool);
        return;
    }
    QVERIFY(tool);
    QCOMPARE(tool->program, dir.filePath(found));
    QTEST(tool->arguments, "arguments");
}

void ShellLogicTest::bounce_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QPoint>("step");
    QTest::addColumn<Heading>("heading");
    QTest::addColumn<int>("mode");

    const QSize window(441, 327);
    QTest::newRow("first tick") << window << u"t1"_s << QPoint(5, 5) << QPoint(5, 5) << Heading::DownRight << 3;
    QTest::newRow("bottom edge turns it up")
        << window << u"t59"_s << QPoint(295, 295) << QPoint(5, -5) << Heading::UpRight << 3;
    QTest::newRow("just before the bottom")
        << window << u"t58"_s << QPoint(290, 290) << QPoint(5, 5) << Heading::DownRight << 3;
    QTest::newRow("right edge turns it left")
        << window << u"t82"_s << QPoint(410, 180) << QPoint(-5, -5) << Heading::UpLeft << 3;
    QTest::newRow("top edge turns it down")
        << window << u"t118"_s << QPoint(230, 0) << QPoint(-5, 5) << Heading::DownLeft << 3;
    QTest::newRow("crosses the edge by part of a step")
        << QSize(12, 12) << u"t2"_s << QPoint(10, 10) << QPoint(-5, -5) << Heading::UpLeft << 3;
    QTest::newRow("back at the near edge")
        << QSize(12, 12) << u"t4"_s << QPoint(0, 0) << QPoint(5, 5) << Heading::DownRight << 3;
    QTest::newRow("key 2 restarts the logo at the corner")
        << window << u"t3 k2"_s << QPoint(0, 0) << QPoint(5, 5) << Heading::DownRight << 2;
    QTest::newRow("logo turns by its own height")
        << window << u"k2 t60"_s << QPoint(240, 300) << QPoint(-5, -5) << Heading::UpLeft << 2;
    QTest::newRow("key 1 keeps place and direction")
        << window << u"t3 k1"_s << QPoint(15, 15) << QPoint(5, 5) << Heading::DownRight << 1;
    QTest::newRow("key 3 keeps place and direction")
        << window << u"t59 k2 t3 k3"_s << QPoint(15, 5) << QPoint(5, 5) << Heading::DownRight << 3;
    QTest::newRow("ball chosen beyond the bottom comes back up")
        << window << u"t50 k1 t2"_s << QPoint(250, 250) << QPoint(-5, -5) << Heading::UpLeft << 1;
    QTest::newRow("ball chosen beyond the bottom, later")
        << window << u"t50 k1 t30"_s << QPoint(110, 110) << QPoint(-5, -5) << Heading::UpLeft << 1;
    QTest::newRow("area smaller than the picture")
        << QSize(20, 20) << u"k1 t3"_s << QPoint(5, 5) << QPoint(-5, -5) << Heading::UpLeft << 1;
}

void ShellLogicTest::bounce()
{
    QFETCH(QSize, area);
    QFETCH(QString, script);
    EggBounce bounce(windowSizes(area));
    if (area == QSize(12, 12))
        bounce = EggBounce({area, {4, 4}, {4, 4}, {4, 4}});
    runScript(bounce, script);
    QTEST(bounce.position(), "position");
    QTEST(bounce.step(), "step");
    QTEST(bounce.heading(), "heading");
    QTEST(int(bounce.mode()), "mode");
}

void ShellLogicTest::ballColour_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("colour");
    QTest::newRow("seven ticks keep the first") << u"k1 t7"_s << 0;
    QTest::newRow("eighth tick gives dark blue") << u"k1 t8"_s << 1;
    QTest::newRow("fifteen changes") << u"k1 t120"_s << 15;
    QTest::newRow("sixteen changes start again") << u"k1 t128"_s << 0;
    QTest::newRow("ticks of other modes do not count") << u"t20 k1 t7"_s << 0;
    QTest::newRow("the count survives a change of mode") << u"k1 t5 k3 t10 k1 t3"_s << 1;
}

void ShellLogicTest::ballColour()
{
    QFETCH(QString, script);
    EggBounce bounce(windowSizes());
    runScript(bounce, script);
    QTEST(bounce.colourIndex(), "colour");
}

void ShellLogicTest::otherKeysChangeNothing()
{
    EggBounce bounce(windowSizes());
    runScript(bounce, u"k2 t4"_s);
    for (int mode : {0, 4, -1, 51}) {
        QVERIFY(!bounce.chooseMode(mode));
        QCOMPARE(int(bounce.mode()), 2);
        QCOMPARE(bounce.position(), QPoint(20, 20));
        QCOMPARE(bounce.objectSize(), QSize(173, 29));
    }
    const EggColour darkBlue = kEggPalette[1];
    QCOMPARE(QList<int>({darkBlue.red, darkBlue.green, darkBlue.blue}), QList<int>({0, 0, 128}));
}

void ShellLogicTest::armingCondition_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("arming");
    QTest::newRow("arming value, Celsius") << u"Degrees C"_s << u"-73"_s << true << true;
    QTest::newRow("written with decimals") << u"Degrees C"_s << u"-73.000"_s << true << true;
    QTest::newRow("with an exponent") << u"Degrees C"_s << u"-7.3e1"_s << true << true;
    QTest::newRow("blanks ignored") << u"Degrees C"_s << u" - 7 3"_s << true << true;
    QTest::newRow("text after the number") << u"Degrees C"_s << u"-73x"_s << true << true;
    QTest::newRow("Rankine pair") << u"Rankin"_s << u"-73"_s << true << false;
    QTest::newRow("caption case matters") << u"degrees C"_s << u"-73"_s << true << false;
    QTest::newRow("other value") << u"Degrees C"_s << u"-73.5"_s << true << false;
    QTest::newRow("positive") << u"Degrees C"_s << u"73"_s << true << false;
    QTest::newRow("not enabled") << u"Degrees C"_s << u"-73"_s << false << false;
}

void ShellLogicTest::armingCondition()
{
    QFETCH(QString, caption);
    QFETCH(QString, value);
    QFETCH(bool, enabled);
    LogoLinkFlags flags;
    flags.HiddenAnimationEnabled = enabled;
    QTEST(armingConditionHolds(caption, value, flags), "arming");
}

void ShellLogicTest::pointerInside_data()
{
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<bool>("inside");
    QTest::newRow("inside") << QPointF(5, 5) << true;
    QTest::newRow("left edge") << QPointF(0, 5) << false;
    QTest::newRow("top edge") << QPointF(5, 0) << false;
    QTest::newRow("right edge") << QPointF(32, 5) << false;
    QTest::newRow("bottom edge") << QPointF(5, 29) << false;
    QTest::newRow("just inside the corner") << QPointF(31.5, 28.5) << true;
    QTest::newRow("outside") << QPointF(-1, 40) << false;
}

void ShellLogicTest::pointerInside()
{
    QFETCH(QPointF, position);
    QTEST(strictlyInside(position, QSizeF(32, 29)), "inside");
}

void ShellLogicTest::logoHints_data()
{
    // Events separated by ";": "in 12" / "out 12" a move over the link picture with that value (pointer inside or
    // outside), "fire" / "fire armed" the timer (arming condition false / true), "click" / "click armed", "logo",
    // "panel", "cancel" (the web dialog's Cancel).
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("timer");
    QTest::addColumn<QString>("flags"); // web dialog open, armed, arming clicks

    QTest::newRow("rest shows the web-site hint")
        << u"in 12; fire"_s << u"Visit our web site"_s << false << u"closed unarmed 0"_s;
    QTest::newRow("resting starts the wait") << u"in 12"_s << QString() << true << u"closed unarmed 0"_s;
    QTest::newRow("leaving the picture stops it") << u"in 12; out 12"_s << QString() << false << u"closed unarmed 0"_s;
    QTest::newRow("logo hides the hint") << u"in 12; fire; logo"_s << QString() << false << u"closed unarmed 0"_s;
    QTest::newRow("panel hides the hint") << u"in 12; fire; panel"_s << QString() << false << u"closed unarmed 0"_s;
    QTest::newRow("shown hint stays while moving")
        << u"in 12; fire; in 12; out 12"_s << u"Visit our web site"_s << false << u"closed unarmed 0"_s;
    QTest::newRow("click opens the dialog") << u"in 12; fire; click"_s << QString() << false << u"open unarmed 0"_s;
    QTest::newRow("after Cancel the hint comes again")
        << u"click; cancel; in 12; fire"_s << u"Visit our web site"_s << false << u"closed unarmed 0"_s;
    QTest::newRow("after the close box never again")
        << u"click; in 12; fire"_s << QString() << false << u"open unarmed 0"_s;
    QTest::newRow("arming value at rest")
        << u"in -73; fire armed"_s << u"Your getting warm"_s << false << u"closed unarmed 0"_s;
    QTest::newRow("arming value with another pair")
        << u"in -73; fire"_s << u"Visit our web site"_s << false << u"closed unarmed 0"_s;
    QTest::newRow("then every move hides it and waits again")
        << u"in -73; fire; in -73"_s << QString() << true << u"closed unarmed 0"_s;
    QTest::newRow("first arming click") << u"click armed"_s << u"Your getting warmer"_s << false << u"open armed 1"_s;
    QTest::newRow("second arming click") << u"click armed; click armed"_s << u"Your getting warmer"_s << false
                                         << u"open armed 2"_s;
    QTest::newRow("third arming click") << u"click armed; click armed; click armed"_s
                                        << u"Why don't you try looking elseware"_s << false << u"open armed 3"_s;
    QTest::newRow("no wait once told to look elsewhere")
        << u"click armed; click armed; click armed; in -73"_s << u"Why don't you try looking elseware"_s << false
        << u"open armed 3"_s;
    QTest::newRow("armed: rest shows warmer only")
        << u"click armed; logo; in -73; fire armed"_s << u"Your getting warmer"_s << false << u"open armed 1"_s;
    QTest::newRow("panel leaves the teasing hints")
        << u"in -73; fire armed; click armed; panel"_s << u"Your getting warmer"_s << false << u"open armed 1"_s;
    QTest::newRow("logo takes them all") << u"click armed; logo"_s << QString() << false << u"open armed 1"_s;
}

void ShellLogicTest::logoHints()
{
    QFETCH(QString, events);
    LogoLinkFlags flags;
    LogoHints hints(flags);
    for (const QString& event : events.split(u';')) {
        const QString name = event.trimmed().section(u' ', 0, 0);
        const QString argument = event.trimmed().section(u' ', 1);
        if (name == u"in" || name == u"out")
            hints.linkMouseMove(argument, name == u"in");
        else if (name == u"fire")
            hints.timerFired(argument == u"armed");
        else if (name == u"click")
            hints.linkClicked(argument == u"armed");
        else if (name == u"logo")
            hints.logoMouseMove();
        else if (name == u"panel")
            hints.panelMouseMove();
        else if (name == u"cancel")
            flags.WebDialogOpen = false;
        else
            QFAIL(qPrintable(event));
    }
    QStringList shown;
    if (hints.webSiteHintShown())
        shown << QString::fromUtf16(kWebSiteHint);
    if (hints.warmHintShown())
        shown << QString::fromUtf16(kWarmHint);
    if (hints.warmerHintShown())
        shown << QString::fromUtf16(kWarmerHint);
    if (hints.elsewhereHintShown())
        shown << QString::fromUtf16(kElsewhereHint);
    QTEST(shown.join(u" + "_s), "shown");
    QTEST(hints.timerEnabled(), "timer");
    const QString state = (flags.WebDialogOpen ? u"open "_s : u"closed "_s) +
                          (flags.HiddenAnimationArmed ? u"armed "_s : u"unarmed "_s) +
                          QString::number(flags.ArmClickCount);
    QTEST(state, "flags");
}

void ShellLogicTest::armClickCountSaturates()
{
    LogoLinkFlags flags;
    flags.ArmClickCount = 32766;
    LogoHints hints(flags);
    QCOMPARE(hints.linkClicked(true), LogoHints::ClickResult::Armed);
    hints.linkClicked(true);
    QCOMPARE(flags.ArmClickCount, qint16(32767));
    QVERIFY(hints.elsewhereHintShown());
    QCOMPARE(hints.linkClicked(false), LogoHints::ClickResult::OpenWebDialog);
}

void ShellLogicTest::webAddress_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("address");
    const QString fallback = u"https://www.quorvane.example/"_s;
    QTest::newRow("no settings") << QByteArray() << fallback;
    QTest::newRow("set") << QByteArray("[Web Site]\r\nAddress=https://example.org/mx\r\n")
                         << u"https://example.org/mx"_s;
    QTest::newRow("plain http") << QByteArray("[web site]\r\naddress= http://example.org \r\n")
                                << u"http://example.org"_s;
    QTest::newRow("local file refused") << QByteArray("[Web Site]\r\nAddress=file:///etc/passwd\r\n") << fallback;
    QTest::newRow("no scheme refused") << QByteArray("[Web Site]\r\nAddress=www.example.org\r\n") << fallback;
    QTest::newRow("script refused") << QByteArray("[Web Site]\r\nAddress=javascript:alert(1)\r\n") << fallback;
    QTest::newRow("no host refused") << QByteArray("[Web Site]\r\nAddress=https://\r\n") << fallback;
    QTest::newRow("empty") << QByteArray("[Web Site]\r\nAddress=\r\n") << fallback;
}

void ShellLogicTest::webAddress()
{
    QFETCH(QByteArray, settings);
    QTEST(makerWebAddress(IniDocument::fromBytes(settings)), "address");
}

void ShellLogicTest::versionTexts_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("text");
    QTest::newRow("first release") << 1 << 0 << 0 << u"Version 1.0.0"_s;
    QTest::newRow("several digits") << 2 << 13 << 107 << u"Version 2.13.107"_s;
}

void ShellLogicTest::versionTexts()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QTEST(versionText(major, minor, revision), "text");
}

void ShellLogicTest::licenceText()
{
    const QStringList paragraphs = BuildLicenceText().split(u"\n\n"_s);
    QCOMPARE(paragraphs.size(), 4);
    QCOMPARE(paragraphs[0], u"Mensurix Version 1.0.0. Copyright © 2026 Quorvane Instruments. All rights not granted "
                            "below are reserved."_s);
    for (const QString& paragraph : paragraphs)
        QVERIFY2(!paragraph.contains(u'\n') && paragraph.endsWith(u'.'), qPrintable(paragraph));
    QCOMPARE(aboutCaption(), u"About Mensurix"_s);
    QCOMPARE(programVersionText(), u"Version 1.0.0"_s);
}

MX_REGISTER_TEST(ShellLogicTest)
#include "tst_shell_logic.moc"
