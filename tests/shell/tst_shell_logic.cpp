#include "platform/ini_file.h"
#include "shell/about_text.h"
#include "shell/bounce.h"
#include "shell/help_topics.h"
#include "shell/logo_link.h"
#include "shell/system_info.h"
#include "shell/tips.h"

#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

#include <sys/stat.h>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

constexpr const char* kThreeTips = "First tip\r\nSecond tip\r\nThird tip\r\n";

} // namespace

Q_DECLARE_METATYPE(mx::Heading)

class ShellLogicTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void helpFile_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("ordinary folder") << u"/opt/mensurix"_s << u"/opt/mensurix/MENSURIX.HTM"_s;
        QTest::newRow("folder with its separator") << u"/opt/mensurix/"_s << u"/opt/mensurix/MENSURIX.HTM"_s;
        QTest::newRow("blank at the end of a name") << u"/opt/mx "_s << u"/opt/mx /MENSURIX.HTM"_s;
    }

    void helpFile()
    {
        QFETCH(QString, folder);
        QTEST(helpFilePath(folder), "path");
    }

    void systemInfoLookup_data()
    {
        // Files as "folder/name", with "x:" for an executable file and "-:" a plain one. Search path entries are
        // folders of the test folder; "@" marks one given relative to the current folder.
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("searchPath");
        QTest::addColumn<QString>("found"); // the tool and its arguments; empty when none
        QTest::newRow("nothing known on the path") << u"x:b1/ls"_s << u"b1"_s << QString();
        QTest::newRow("found in a later folder") << u"x:b2/hardinfo"_s << u"b1:b2"_s << u"b2/hardinfo"_s;
        QTest::newRow("not executable is skipped")
            << u"-:b1/kinfocenter x:b2/hardinfo"_s << u"b1:b2"_s << u"b2/hardinfo"_s;
        QTest::newRow("preference before path order")
            << u"x:b1/hardinfo x:b2/kinfocenter"_s << u"b1:b2"_s << u"b2/kinfocenter"_s;
        QTest::newRow("GNOME settings at its about page")
            << u"x:b1/gnome-control-center"_s << u"b1"_s << u"b1/gnome-control-center info-overview"_s;
        QTest::newRow("relative entry is skipped") << u"x:b1/hardinfo"_s << u"@b1"_s << QString();
        QTest::newRow("empty entries") << u"x:b1/hardinfo2"_s << u"::b1:"_s << u"b1/hardinfo2"_s;
    }

    void systemInfoLookup()
    {
        QFETCH(QString, files);
        QFETCH(QString, searchPath);
        const QDir root(dir_->path());
        for (const QString& file : files.split(u' ')) {
            const QString relative = file.mid(2);
            QVERIFY(root.mkpath(QFileInfo(relative).path()));
            QVERIFY(test::writeFileBytes(root.filePath(relative), "#!/bin/sh\n"));
            const auto exec = file.startsWith(u'x') ? QFile::ExeOwner : QFile::Permissions();
            QVERIFY(QFile::setPermissions(root.filePath(relative), QFile::ReadOwner | exec));
        }
        QStringList folders;
        for (const QString& entry : searchPath.split(u':'))
            folders.append(entry.isEmpty() || entry.startsWith(u'@') ? entry.mid(1) : root.filePath(entry));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir_->path()); // a relative entry would find the tool from here
        const std::optional<ProgramCommand> tool = findSystemInfoProgram(folders.join(u':'));
        QDir::setCurrent(previous);
        QTEST(tool ? QStringList(QStringList{root.relativeFilePath(tool->program)} + tool->arguments).join(u' ')
                   : QString(),
              "found");
    }

    void bounce_data()
    {
        // A script of ticks and keys: "t82" is 82 ticks, "k1" the key 1. The window and pictures have their real sizes
        // (441 by 327; ball 220 by 223, logo 173 by 29, direction pictures 32 by 32) unless the area says otherwise.
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<QPoint>("step");
        QTest::addColumn<Heading>("heading");
        QTest::addColumn<int>("colour");
        const auto row = [](const char* name, QSize area, const char16_t* script, QPoint at, QPoint step,
                            Heading heading, int colour) {
            QTest::newRow(name) << area << QString::fromUtf16(script) << at << step << heading << colour;
        };
        const QSize w(441, 327);
        using H = Heading;
        row("first tick", w, u"t1", {5, 5}, {5, 5}, H::DownRight, 0);
        row("bottom edge turns it up", w, u"t59", {295, 295}, {5, -5}, H::UpRight, 0);
        row("right edge turns it left", w, u"t82", {410, 180}, {-5, -5}, H::UpLeft, 0);
        row("top edge turns it down", w, u"t118", {230, 0}, {-5, 5}, H::DownLeft, 0);
        row("crosses an edge by part of a step", {45, 45}, u"t3", {15, 15}, {-5, -5}, H::UpLeft, 0);
        row("key 2 restarts the logo at the corner", w, u"t3 k2", {0, 0}, {5, 5}, H::DownRight, 0);
        row("logo turns by its own size", w, u"k2 t60", {240, 300}, {-5, -5}, H::UpLeft, 0);
        row("key 3 keeps place and direction", w, u"t59 k2 t3 k3", {15, 5}, {5, 5}, H::DownRight, 0);
        row("ball chosen beyond the bottom comes back up", w, u"t50 k1 t30", {110, 110}, {-5, -5}, H::UpLeft, 3);
        row("area smaller than the ball", {20, 20}, u"k1 t3", {5, 5}, {-5, -5}, H::UpLeft, 0);
        row("eighth tick gives dark blue", w, u"k1 t8", {40, 40}, {5, 5}, H::DownRight, 1);
        row("sixteen changes start again", w, u"k1 t128", {190, 10}, {5, 5}, H::DownRight, 0);
        row("only ball ticks count, across modes", w, u"t20 k1 t5 k3 t10 k1 t3", {190, 20}, {5, -5}, H::UpRight, 1);
    }

    void bounce()
    {
        QFETCH(QSize, area);
        QFETCH(QString, script);
        EggBounce bounce({area, {220, 223}, {173, 29}, {32, 32}});
        for (const QString& word : script.split(u' ')) {
            const int n = word.mid(1).toInt();
            if (word.startsWith(u'k'))
                QVERIFY(bounce.chooseMode(n));
            for (int i = 0; word.startsWith(u't') && i < n; ++i)
                bounce.tick();
        }
        QTEST(bounce.position(), "position");
        QTEST(bounce.step(), "step");
        QTEST(bounce.heading(), "heading");
        QTEST(bounce.colourIndex(), "colour");
    }

    void armingCondition_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("arming");
        QTest::newRow("arming value, Celsius") << u"Degrees C"_s << u"-73"_s << true << true;
        QTest::newRow("other spellings of it") << u"Degrees C"_s << u" - 7.3e1x"_s << true << true;
        QTest::newRow("Rankine pair") << u"Rankin"_s << u"-73"_s << true << false;
        QTest::newRow("caption case matters") << u"degrees C"_s << u"-73"_s << true << false;
        QTest::newRow("other value") << u"Degrees C"_s << u"-73.5"_s << true << false;
        QTest::newRow("not enabled") << u"Degrees C"_s << u"-73"_s << false << false;
    }

    void armingCondition()
    {
        QFETCH(QString, caption);
        QFETCH(QString, value);
        QFETCH(bool, enabled);
        QTEST(armingConditionHolds(caption, value, LogoLinkFlags{.HiddenAnimationEnabled = enabled}), "arming");
    }

    void logoHints_data()
    {
        // Events: "in 12" / "out 12" a move over the link picture with that value in the Metric box (pointer inside
        // or outside), "fire" / "fire armed" the timer (arming condition false / true), "click" / "click armed",
        // "logo", "panel", "cancel" (the web dialog's Cancel).
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("timer");
        QTest::addColumn<QString>("flags"); // web dialog open, armed, arming clicks
        const auto row = [](const char* name, const char16_t* events, const char16_t* shown, bool timer,
                            const char16_t* flags) {
            QTest::newRow(name) << QString::fromUtf16(events) << QString::fromUtf16(shown) << timer
                                << QString::fromUtf16(flags);
        };
        const char16_t* idle = u"closed unarmed 0";
        const char16_t* site = u"Visit our web site";
        const char16_t* warmer = u"Your getting warmer";
        const char16_t* elsewhere = u"Why don't you try looking elseware";
        row("rest shows the web-site hint", u"in 12; fire", site, false, idle);
        row("resting starts the wait", u"in 12", u"", true, idle);
        row("leaving the picture stops it", u"in 12; out 12", u"", false, idle);
        row("logo hides the hint", u"in 12; fire; logo", u"", false, idle);
        row("shown hint stays while moving", u"in 12; fire; in 12; out 12", site, false, idle);
        row("click opens the dialog", u"in 12; fire; click", u"", false, u"open unarmed 0");
        row("after Cancel the hint comes again", u"click; cancel; in 12; fire", site, false, idle);
        row("after the close box never again", u"click; in 12; fire", u"", false, u"open unarmed 0");
        row("arming value at rest", u"in -73; fire armed", u"Your getting warm", false, idle);
        row("then every move hides it and waits again", u"in -73; fire; in -73", u"", true, idle);
        row("first arming click", u"click armed", warmer, false, u"open armed 1");
        row("second arming click", u"click armed; click armed", warmer, false, u"open armed 2");
        row("third arming click", u"click armed; click armed; click armed", elsewhere, false, u"open armed 3");
        row("no wait once told to look elsewhere", u"click armed; click armed; click armed; in -73", elsewhere, false,
            u"open armed 3");
        row("armed: rest shows warmer only", u"click armed; logo; in -73; fire armed", warmer, false, u"open armed 1");
        row("panel leaves the teasing hints", u"in -73; fire armed; click armed; panel", warmer, false,
            u"open armed 1");
    }

    void logoHints()
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
                QCOMPARE(hints.linkClicked(argument == u"armed") == LogoHints::ClickResult::Armed,
                         argument == u"armed");
            else if (name == u"logo")
                hints.logoMouseMove();
            else if (name == u"panel")
                hints.panelMouseMove();
            else
                flags.WebDialogOpen = false;
        }
        const std::pair<bool, const char16_t*> labels[] = {{hints.webSiteHintShown(), kWebSiteHint},
                                                           {hints.warmHintShown(), kWarmHint},
                                                           {hints.warmerHintShown(), kWarmerHint},
                                                           {hints.elsewhereHintShown(), kElsewhereHint}};
        QStringList shown;
        for (const auto& [visible, text] : labels)
            if (visible)
                shown << QString::fromUtf16(text);
        QTEST(shown.join(u" + "_s), "shown");
        QTEST(hints.timerEnabled(), "timer");
        QTEST(u"%1 %2 %3"_s
                  .arg(flags.WebDialogOpen ? u"open"_s : u"closed"_s,
                       flags.HiddenAnimationArmed ? u"armed"_s : u"unarmed"_s)
                  .arg(flags.ArmClickCount),
              "flags");
    }

    void webAddress_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("address");
        const QString fallback = u"https://www.quorvane.example/"_s;
        QTest::newRow("no settings") << QByteArray() << fallback;
        QTest::newRow("set") << QByteArray("[Web Site]\r\nAddress=https://example.org/mx\r\n")
                             << u"https://example.org/mx"_s;
        QTest::newRow("plain http, any case")
            << QByteArray("[web site]\r\naddress= http://example.org \r\n") << u"http://example.org"_s;
        QTest::newRow("local file refused") << QByteArray("[Web Site]\r\nAddress=file:///etc/passwd\r\n") << fallback;
    }

    void webAddress()
    {
        QFETCH(QByteArray, settings);
        QTEST(makerWebAddress(IniDocument::fromBytes(settings)), "address");
    }

    void licenceText()
    {
        const QStringList paragraphs = mx::licenceText().split(u"\n\n"_s);
        QCOMPARE(paragraphs.size(), 4);
        QCOMPARE(paragraphs[0],
                 u"Mensurix Version 1.0.0. Copyright © 2026 Quorvane Instruments. All rights not granted "
                 "below are reserved."_s);
    }

    void parseLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("tips");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("no line end after the last") << QByteArray("a\r\nb") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("one empty line") << QByteArray("\r\n") << QStringList{u""_s};
        QTest::newRow("empty lines are tips") << QByteArray("a\r\n\r\nb\r\n") << QStringList{u"a"_s, u""_s, u"b"_s};
        QTest::newRow("LF and lone CR") << QByteArray("a\nb\rc") << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QStringList{u"a"_s, u""_s, u"b"_s};
        QTest::newRow("Windows-1252") << QByteArray("32 \xb0"
                                                    "F \x96 \x93quoted\x94\r\n")
                                      << QStringList{u"32 °F – “quoted”"_s};
        QTest::newRow("UTF-8") << QByteArray("32 \xC2\xB0"
                                             "F \xE2\x80\x93 \xCE\xA9\n")
                               << QStringList{u"32 °F – Ω"_s};
        QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                             "a\r\nb")
                                               << QStringList{u"a"_s, u"b"_s};
    }

    void parseLines()
    {
        QFETCH(QByteArray, bytes);
        QTEST(parseTips(bytes), "tips");
    }

    void counterValue_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("tip");
        QTest::newRow("as written") << QByteArray(" 5\r\n") << 5;
        QTest::newRow("negative counts as 0") << QByteArray("-3\r\n") << 0;
        QTest::newRow("trailing text") << QByteArray("12abc") << 12;
        QTest::newRow("half rounds to even, down") << QByteArray("2.5") << 2;
        QTest::newRow("half rounds to even, up") << QByteArray("3.5") << 4;
        QTest::newRow("first value ends at a comma") << QByteArray("7,9") << 7;
        QTest::newRow("first value ends at the line") << QByteArray("\r\n 7\r\n9") << 7;
        QTest::newRow("largest 32-bit number") << QByteArray(" 2147483647\r\n") << 2147483647;
        QTest::newRow("beyond 32 bits counts as 0") << QByteArray(" 2147483648\r\n") << 0;
        QTest::newRow("overflowing digits count as 0") << QByteArray("1e999") << 0;
    }

    void counterValue()
    {
        QFETCH(QByteArray, bytes);
        QTEST(int(parseTipCounter(bytes)), "tip");
    }

    // The tips and the counter as found ("pipe": a named pipe in the file's place; "large": a file past its limit;
    // null: none), Next pressed so often, the tip shown then and the counter written (null: not saved).
    void tipBook_data()
    {
        QTest::addColumn<QByteArray>("tips"); // "unnamed": no file name given
        QTest::addColumn<QByteArray>("counter");
        QTest::addColumn<int>("nextClicks");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("written");
        const auto row = [](const char* name, const char* tips, const char* counter, int next, const QString& shown,
                            const char* written) {
            QTest::newRow(name) << QByteArray(tips) << QByteArray(counter) << next << shown << QByteArray(written);
        };
        row("first opening", kThreeTips, nullptr, 0, u"First tip"_s, " 1\r\n");
        row("stored 1 shows the second", kThreeTips, " 1\r\n", 0, u"Second tip"_s, " 2\r\n");
        row("stored last starts again", kThreeTips, " 3\r\n", 0, u"First tip"_s, " 1\r\n");
        row("file shortened since", kThreeTips, " 10\r\n", 0, u"First tip"_s, " 1\r\n");
        row("next once", kThreeTips, nullptr, 1, u"Second tip"_s, " 2\r\n");
        row("next wraps round", kThreeTips, " 1\r\n", 2, u"First tip"_s, " 1\r\n");
        row("empty line is a tip", "A\r\n\r\nC\r\n", " 1\r\n", 0, u""_s, " 2\r\n");
        row("no tips", "", " 7\r\n", 1, u"none"_s, " 1\r\n");
        // An unreadable counter starts again at the first tip; unreadable tips leave nothing to show (the tip window's
        // rows find them missing or not a regular file).
        row("no tips file name", "unnamed", " 2\r\n", 0, u"none"_s, nullptr);
        row("tips too large", "large", " 2\r\n", 0, u"none"_s, nullptr);
        row("counter a named pipe", kThreeTips, "pipe", 0, u"First tip"_s, nullptr);
        row("counter too large", kThreeTips, "large", 0, u"First tip"_s, " 1\r\n");
    }

    void tipBook()
    {
        QFETCH(QByteArray, tips);
        QFETCH(QByteArray, counter);
        QFETCH(int, nextClicks);
        QFETCH(QByteArray, written);
        for (const auto& [name, bytes, limit] : {std::tuple(u"TIPOFDAY.TXT"_s, tips, kMaxTipsFileBytes),
                                                 std::tuple(u"CURRENTTIP.TIP"_s, counter, kMaxTipCounterFileBytes)}) {
            if (bytes == "pipe")
                QCOMPARE(::mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
            else if (!bytes.isNull())
                QVERIFY(test::writeFileBytes(path(name), bytes == "large" ? " 2" + QByteArray(limit, ' ') : bytes));
        }
        TipBook book(dir_->path());
        const bool readable = !tips.isNull() && tips != "pipe" && tips != "large" && tips != "unnamed";
        QCOMPARE(book.loadTips(tips == "unnamed" ? QString() : book.tipsFilePath()), readable);
        for (int i = 0; i < nextClicks; ++i)
            book.moveToNextTip();
        QTEST(book.currentTipText().value_or(u"none"_s), "shown");
        if (!written.isNull()) {
            QVERIFY(book.saveCurrentTip());
            QCOMPARE(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), written);
        }
    }

    // A portable folder that may not be written: its counter counts until the user's own is written, and the
    // folder's stays as it was.
    void counterOfALockedFolder()
    {
        const FilePlaces places(dir_->filePath(u"bin"_s), dir_->filePath(u"data"_s), {},
                                FilePlaces::Layout::ReadOnlyFolder);
        QVERIFY(QDir().mkpath(places.dataFolder()) && places.makeUserFolders());
        QVERIFY(test::writeFileBytes(places.shipped(u"TIPOFDAY.TXT"_s), kThreeTips));
        QVERIFY(test::writeFileBytes(places.shipped(u"CURRENTTIP.TIP"_s), " 1\r\n"));
        for (const QString& shown : {u"Second tip"_s, u"Third tip"_s}) {
            TipBook book(places);
            QVERIFY(book.loadTips(book.tipsFilePath()));
            QCOMPARE(book.currentTipText().value_or(QString()), shown);
            QVERIFY(book.saveCurrentTip());
        }
        QCOMPARE(test::readFileBytes(places.own(u"CURRENTTIP.TIP"_s)), QByteArray(" 3\r\n"));
        QCOMPARE(test::readFileBytes(places.shipped(u"CURRENTTIP.TIP"_s)), QByteArray(" 1\r\n"));
    }

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir_;
};

MX_REGISTER_TEST(ShellLogicTest)
#include "tst_shell_logic.moc"
