#include "platform/atomic_file.h"
#include "platform/file_places.h"
#include "platform/ini_file.h"
#include "platform/single_instance.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

const QString kTips = QStringLiteral("Startup Tips");
const QString kShow = QStringLiteral("Show Tips");

QString folderNames(const FilePlaces& places, const QString& prefix)
{
    return QString(places.dataFolder() + u'|' + places.userFolder() + u'|' + places.configFolder()).remove(prefix);
}

} // namespace

// The settings file read and written byte for byte; where a started program reads and writes, from how its folder
// looks; the moves between those places; and the lock that keeps a second program off the same folder.
class FilesAndPlacesTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        settings_ = dir_->filePath(QStringLiteral("Mensurix.ini"));
    }

    void readValue_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no file at all
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QVariant>("expected"); // invalid: the read fails
        const QByteArray x122(122, 'x');
        const auto row = [](const char* name, const QByteArray& file, const QString& def, const QVariant& expected) {
            QTest::newRow(name) << file << def << expected;
        };
        row("no file", QByteArray(), u"Yes"_s, u"Yes"_s);
        row("missing key", "[Startup Tips]\r\nShow=No\r\n", u"Yes"_s, u"Yes"_s);
        row("names ignore case", "[startup TIPS]\r\nshow tips=No\r\n", u"Yes"_s, u"No"_s);
        row("blanks and tabs around", " \t[ Startup Tips ] \r\n\t Show Tips \t=\t -15 \t\r\n", {}, u"-15"_s);
        row("empty value is not missing", "[Startup Tips]\r\nShow Tips=\r\n", u"Yes"_s, u""_s);
        row("first duplicate key", "[Startup Tips]\r\nShow Tips=No\r\nShow Tips=Yes\r\n", {}, u"No"_s);
        row("first duplicate section", "[Startup Tips]\r\nA=1\r\n[STARTUP TIPS]\r\nShow Tips=No\r\n", u"Yes"_s,
            u"Yes"_s);
        row("key before any section", "Show Tips=No\r\n[Startup Tips]\r\n", u"Yes"_s, u"Yes"_s);
        row("comment", "[Startup Tips]\r\n;Show Tips=No\r\n", u"Yes"_s, u"Yes"_s);
        row("unclosed section", "[Startup Tips\r\nShow Tips=No\r\n", u"Yes"_s, u"Yes"_s);
        row("double quotes", "[Startup Tips]\r\nShow Tips=\"a  b\"\r\n", {}, u"a  b"_s);
        row("mixed quotes", "[Startup Tips]\r\nShow Tips=\"No'\r\n", {}, u"\"No'"_s);
        row("BOM", "\xEF\xBB\xBF[Startup Tips]\r\nShow Tips=No\r\n", {}, u"No"_s);
        row("LF only", "[Startup Tips]\nShow Tips=No\n", {}, u"No"_s);
        row("code page", QByteArrayLiteral("\0\xff\r\n[Startup Tips]\r\n\0=\x01\r\nShow Tips=\x80\xe9\r\n"), {},
            u"\u20ac\u00e9"_s);
        row("122 characters", "[Startup Tips]\r\nShow Tips=" + x122, {}, QString::fromLatin1(x122));
        row("123 characters", "[Startup Tips]\r\nShow Tips=" + x122 + "x", {}, {});
        row("five blanks cut", "[Startup Tips]\r\nShow Tips=ab     cd\r\n", {}, u"a"_s);
        row("four blanks kept", "[Startup Tips]\r\nShow Tips=ab    cd\r\n", {}, u"ab    cd"_s);
        row("default through the buffer", QByteArray(), u"ab     cd"_s, u"a"_s);
        row("default of five blanks", QByteArray(), u"     "_s, {});
    }

    void readValue()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, defaultValue);
        QFETCH(QVariant, expected);
        if (!file.isNull())
            QVERIFY(test::writeFileBytes(settings_, file));
        const std::optional<QString> got = read(defaultValue);
        QCOMPARE(got.has_value(), expected.isValid());
        if (got)
            QCOMPARE(*got, expected.toString());
    }

    // The value written ("No"), or removed where null; a removed key takes its section along when nothing else is
    // left in it. A value, key or section holding a line break must not become two lines (a value could then add keys
    // of its own): each break is written as a blank.
    void writeValue_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char* name, const QByteArray& before, const QByteArray& after) {
            QTest::newRow(name) << kTips << u"No"_s << before << after;
        };
        row("no file", QByteArray(), "[Startup Tips]\r\nShow Tips=No\r\n");
        row("replaced in place",
            "; mine\r\n[A]\r\nx=1\r\n[Startup Tips]\r\n; c\r\nShow Tips = Yes\r\nz=2\r\n\r\n[B]\r\n",
            "; mine\r\n[A]\r\nx=1\r\n[Startup Tips]\r\n; c\r\nShow Tips=No\r\nz=2\r\n\r\n[B]\r\n");
        row("key keeps its spelling", "[startup tips]\r\n  show TIPS=yes\r\n", "[startup tips]\r\nshow TIPS=No\r\n");
        row("first duplicate replaced", "[Startup Tips]\r\nShow Tips=1\r\nShow Tips=2\r\n[Startup Tips]\r\nShow Tips=3",
            "[Startup Tips]\r\nShow Tips=No\r\nShow Tips=2\r\n[Startup Tips]\r\nShow Tips=3\r\n");
        row("added after the last key", "[Startup Tips]\r\nA=1\r\njunk\r\n; c\r\n\r\n[B]\r\n",
            "[Startup Tips]\r\nA=1\r\nShow Tips=No\r\njunk\r\n; c\r\n\r\n[B]\r\n");
        row("added to an empty section", "[Startup Tips]\r\n\r\n[B]\r\n",
            "[Startup Tips]\r\nShow Tips=No\r\n\r\n[B]\r\n");
        row("section appended", "[A]\r\nx=1", "[A]\r\nx=1\r\n[Startup Tips]\r\nShow Tips=No\r\n");
        row("line ends made CR LF", "a\nb\rc\r\n\n[Startup Tips]\nShow Tips=Yes\n",
            "a\r\nb\r\nc\r\n\r\n[Startup Tips]\r\nShow Tips=No\r\n");
        row("BOM dropped", "\xEF\xBB\xBF[Startup Tips]\r\n", "[Startup Tips]\r\nShow Tips=No\r\n");
        row("garbage kept", QByteArrayLiteral("\0\x81\x9d\xff\r\n=\r\n[\r\n]x=\x90\r\n\xEF\xBB\xBF\r\n"),
            QByteArrayLiteral(
                "\0\x81\x9d\xff\r\n=\r\n[\r\n]x=\x90\r\n\xEF\xBB\xBF\r\n[Startup Tips]\r\nShow Tips=No\r\n"));
        const auto removed = [](const char* name, const QByteArray& before, const QByteArray& after) {
            QTest::newRow(name) << kTips << QString() << before << after;
        };
        removed("removed: section goes too", "[A]\r\nx=1\r\n[Startup Tips]\r\nShow Tips=Yes\r\n[B]\r\ny=2\r\n",
                "[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
        removed("removed: last in the file", "[A]\r\nx=1\r\n[startup tips]\r\n show tips = 1", "[A]\r\nx=1\r\n");
        removed("removed: other lines keep the section", "[Startup Tips]\r\n; c\r\nShow Tips=Yes\r\n\r\n[B]\r\n",
                "[Startup Tips]\r\n; c\r\n\r\n[B]\r\n");
        removed("removed: first duplicate only", "[Startup Tips]\r\nShow Tips=1\r\nShow Tips=2\r\n",
                "[Startup Tips]\r\nShow Tips=2\r\n");
        removed("removed: missing key", "[Startup Tips]\r\nX=1\r\n[A]\r\nShow Tips=1\r\n",
                "[Startup Tips]\r\nX=1\r\n[A]\r\nShow Tips=1\r\n");
        const auto broken = [](const char* name, const QString& section, const QString& value,
                               const QByteArray& after) {
            QTest::newRow(name) << section << value << QByteArray() << after;
        };
        broken("break: CR LF bringing a key", kTips, u"No\r\n[Position Information]\r\nMain Window Left= 99"_s,
               "[Startup Tips]\r\nShow Tips=No  [Position Information]  Main Window Left= 99\r\n");
        broken("break: lone LF", kTips, u"a\nb"_s, "[Startup Tips]\r\nShow Tips=a b\r\n");
        broken("break: lone CR", kTips, u"a\rb"_s, "[Startup Tips]\r\nShow Tips=a b\r\n");
        broken("break: nothing else", kTips, u"\n"_s, "[Startup Tips]\r\nShow Tips= \r\n");
        broken("break: in the section name", u"Startup\nTips"_s, u"No"_s, "[Startup Tips]\r\nShow Tips=No\r\n");
    }

    void writeValue()
    {
        QFETCH(QString, section);
        QFETCH(QString, value);
        QFETCH(QByteArray, before);
        if (!before.isNull())
            QVERIFY(test::writeFileBytes(settings_, before));
        const std::optional<QString> written = value.isNull() ? std::nullopt : std::optional(value);
        QVERIFY(writeIniValues(settings_, {{section, kShow, written}}));
        QTEST(test::readFileBytes(settings_), "after");
        QVERIFY(!readIniDocument(settings_).value(u"Position Information", u"Main Window Left"));
        // What is kept in memory is what the file reads back as.
        IniDocument inMemory = IniDocument::fromBytes(before);
        written ? inMemory.setValue(section, kShow, *written) : inMemory.removeValue(section, kShow);
        QCOMPARE(inMemory.toBytes(), test::readFileBytes(settings_));
    }

    // A write that fails leaves what is at the path as it was, and no temporary file beside it. What is too large,
    // or not a regular file, is neither read nor written: a pipe would block the open for good.
    void failedWrites_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("error"); // what writing the file whole reports, in part; null: not tried
        for (const char* cause : {"read-only folder", "read-only file", "full disk"})
            QTest::newRow(cause) << QString::fromLatin1(cause) << u"Mensurix.ini"_s;
        QTest::newRow("too large to read") << u"too large"_s << QString();
        for (const char* cause : {"named pipe", "link to a device", "dangling link"})
            QTest::newRow(cause) << QString::fromLatin1(cause) << u"not a regular file"_s;
    }

    void failedWrites()
    {
        QFETCH(QString, cause);
        const QByteArray path = QFile::encodeName(settings_);
        const QByteArray old = cause == u"too large"
                                   ? "[Startup Tips]\r\nShow Tips=No\r\n" + QByteArray(kMaxIniFileSize, ';')
                                   : "[Startup Tips]\r\nShow Tips=No\r\n";
        if (cause == u"named pipe")
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (cause == u"link to a device")
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), settings_));
        else if (cause == u"dangling link")
            QVERIFY(QFile::link(dir_->filePath(QStringLiteral("gone")), settings_));
        else
            QVERIFY(test::writeFileBytes(settings_, old));
        const QFileInfo before(settings_);
        const bool regular = before.isFile() && !before.isSymLink();
        if (!regular || cause == u"too large")
            QCOMPARE(read(u"Yes"_s), u"Yes"_s);
        {
            std::optional<test::ReadOnlyScope> readOnly;
            std::optional<test::FileSizeLimitScope> full;
            if (cause == u"full disk") {
                full.emplace(8);
            } else if (cause.startsWith(u"read-only")) {
                readOnly.emplace(settings_, cause == u"read-only folder");
                if (!readOnly->blocksWrites())
                    QSKIP("permissions do not stop this user (root?)");
            }
            QVERIFY(!write(u"Maybe"_s));
            QFETCH(QString, error);
            QString written;
            QVERIFY(error.isEmpty() || !writeFileAtomically(settings_, QByteArray(4096, 'x'), &written));
            QVERIFY2(written.contains(error), qPrintable(written));
        }
        const QFileInfo after(settings_);
        QCOMPARE(after.isSymLink(), before.isSymLink());
        if (regular)
            QCOMPARE(test::readFileBytes(settings_), old);
        QCOMPARE(
            QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("Mensurix.ini")});
    }

    // A link to a regular file is read, and written through: the link stays a link.
    void linkToARegularFile()
    {
        const QString target = dir_->filePath(QStringLiteral("elsewhere.ini"));
        QVERIFY(test::writeFileBytes(target, "[Startup Tips]\r\nShow Tips=No\r\n"));
        QVERIFY(QFile::link(target, settings_));
        QCOMPARE(read(u"Yes"_s), u"No"_s);
        QVERIFY(write(u"Maybe"_s));
        QVERIFY(QFileInfo(settings_).isSymLink());
        QCOMPARE(test::readFileBytes(target), QByteArray("[Startup Tips]\r\nShow Tips=Maybe\r\n"));
    }

    void decide_data()
    {
        QTest::addColumn<bool>("installed"); // share/mensurix beside bin
        QTest::addColumn<bool>("locked");    // bin may not be written
        QTest::addColumn<QString>("places"); // data folder | user folder | config folder, under the prefix
        QTest::addColumn<FilePlaces::Layout>("layout");
        using L = FilePlaces::Layout;
        QTest::newRow("a build or a portable folder") << false << false << "bin/|bin/|bin/" << L::OneFolder;
        QTest::newRow("installed") << true << true << "share/mensurix/|data/|config/" << L::Installed;
        QTest::newRow("installed where the user may write")
            << true << false << "share/mensurix/|data/|config/" << L::Installed;
        QTest::newRow("a portable folder on a locked medium")
            << false << true << "bin/|data/|config/" << L::ReadOnlyFolder;
    }

    void decide()
    {
        QFETCH(bool, installed);
        QFETCH(bool, locked);
        const QString prefix = dir_->path() + u'/';
        QVERIFY(QDir().mkpath(prefix + QStringLiteral("bin")));
        QVERIFY(!installed || QDir().mkpath(prefix + QStringLiteral("share/mensurix")));
        std::optional<test::ReadOnlyScope> lock;
        if (locked)
            lock.emplace(prefix + QStringLiteral("bin/mensurix"), true);
        if (locked && !installed && !lock->blocksWrites())
            QSKIP("permissions do not stop this user from writing");

        const FilePlaces places =
            FilePlaces::decide(prefix + QStringLiteral("bin"), prefix + QStringLiteral("share/mensurix"),
                               prefix + QStringLiteral("data"), prefix + QStringLiteral("config"));
        QTEST(folderNames(places, prefix), "places");
        QTEST(places.layout(), "layout");
        // Deciding changes nothing: the command line decides too, and only reads.
        QCOMPARE(QDir(prefix).entryList(QDir::Dirs | QDir::NoDotAndDotDot).join(u' '),
                 installed ? QStringLiteral("bin share") : QStringLiteral("bin"));
        QVERIFY(places.makeUserFolders());
        QVERIFY(QDir(places.userFolder()).exists() && QDir(places.configFolder()).exists());
    }

    // The files a locked portable folder holds are read until the user's own exist; the first write copies them over,
    // except what cannot be read, which is written anew.
    void userFilesOfALockedFolder_data()
    {
        QTest::addColumn<QByteArray>("inFolder"); // null: none
        QTest::addColumn<QByteArray>("users");    // null: none yet
        QTest::addColumn<QString>("read");        // where toRead() points: "folder" or "user"
        QTest::addColumn<QByteArray>("copied");   // what the user's file holds after ownCopy(); null: still none
        QTest::newRow("only the folder's") << QByteArray("old") << QByteArray() << "folder" << QByteArray("old");
        QTest::newRow("the user's own") << QByteArray("old") << QByteArray("new") << "user" << QByteArray("new");
        QTest::newRow("neither") << QByteArray() << QByteArray() << "user" << QByteArray();
        QTest::newRow("too large to copy") << QByteArray(17, 'x') << QByteArray() << "folder" << QByteArray();
    }

    void userFilesOfALockedFolder()
    {
        QFETCH(QByteArray, inFolder);
        QFETCH(QByteArray, users);
        QFETCH(QString, read);
        QFETCH(QByteArray, copied);
        const FilePlaces places(dir_->filePath(QStringLiteral("bin")), dir_->filePath(QStringLiteral("data")),
                                dir_->filePath(QStringLiteral("config")), FilePlaces::Layout::ReadOnlyFolder);
        QVERIFY(QDir().mkpath(places.dataFolder()) && places.makeUserFolders());
        const QString name = QStringLiteral("Mensurix.ini");
        if (!inFolder.isNull())
            QVERIFY(test::writeFileBytes(places.shipped(name), inFolder));
        if (!users.isNull())
            QVERIFY(test::writeFileBytes(places.config(name), users));

        QCOMPARE(places.toRead(places.config(name)), read == u"folder" ? places.shipped(name) : places.config(name));
        QCOMPARE(places.ownCopy(places.config(name), 16), places.config(name));
        QCOMPARE(QFileInfo::exists(places.config(name)), !copied.isNull());
        QCOMPARE(test::readFileBytes(places.config(name)), copied);
        QCOMPARE(test::readFileBytes(places.shipped(name)), inFolder);
    }

    void moveFileOver_data()
    {
        QTest::addColumn<QString>("to"); // a folder of the temporary root, or "shm" for another file system
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("moved");
        QTest::newRow("within a file system") << "config" << false << true;
        QTest::newRow("to another file system") << "shm" << false << true;
        QTest::newRow("never over a file that is there") << "config" << true << false;
    }

    void moveFileOver()
    {
        QFETCH(QString, to);
        QFETCH(bool, targetExists);
        QFETCH(bool, moved);
        std::optional<QTemporaryDir> shm;
        QString targetFolder = dir_->filePath(to);
        if (to == u"shm") {
            shm.emplace(QStringLiteral("/dev/shm/mensurix-XXXXXX"));
            if (!shm->isValid())
                QSKIP("no second file system to move to");
            targetFolder = shm->path();
        }
        QVERIFY(QDir().mkpath(targetFolder));
        const QString from = dir_->filePath(QStringLiteral("Mensurix.ini"));
        const QString target = targetFolder + QStringLiteral("/Mensurix.ini");
        QVERIFY(test::writeFileBytes(from, "[Startup Tips]\r\nShow Tips=No\r\n"));
        if (targetExists)
            QVERIFY(test::writeFileBytes(target, "kept"));

        QCOMPARE(mx::moveFileOver(from, target, 4096), moved);
        QCOMPARE(QFileInfo::exists(from), !moved);
        QCOMPARE(test::readFileBytes(target),
                 targetExists ? QByteArray("kept") : QByteArray("[Startup Tips]\r\nShow Tips=No\r\n"));
        QCOMPARE(mx::moveFileOver(from, target, 4096), false); // once only
    }

    // Whether a program started on `second` runs while one already runs on `first` (or, where `first` is "stale",
    // after one that crashed left its lock behind). A lock in a folder every user shares could be left there by another
    // user's crashed program, and could not be taken over: the lock lives where only its user can write.
    void acquire_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<bool>("runs");
        QTest::newRow("the same folder") << u"a"_s << u"a"_s << false;
        QTest::newRow("the same folder, spelled with its separator") << u"a"_s << u"a/"_s << false;
        QTest::newRow("another folder") << u"a"_s << u"b"_s << true;
        QTest::newRow("a lock naming a process that is gone") << u"stale"_s << u"a"_s << true;
    }

    void acquire()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QVERIFY(QDir(dir_->path()).mkpath(u"a"_s) && QDir(dir_->path()).mkpath(u"b"_s));
        std::optional<SingleInstance> running;
        if (first == u"stale") {
            QFile stale(SingleInstance::lockPathFor(dir_->filePath(u"a"_s)));
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.write("999999999\nmensurix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        } else {
            running.emplace(dir_->filePath(first));
            QVERIFY(running->acquire());
        }
        SingleInstance started(dir_->filePath(second));
        QTEST(started.acquire(), "runs");
        const QFileInfo folder(QFileInfo(SingleInstance::lockPathFor(dir_->filePath(second))).absolutePath());
        QVERIFY(folder.isDir());
        QVERIFY(folder.isWritable());
        QCOMPARE(folder.ownerId(), uint(::getuid()));
        QVERIFY(!(folder.permissions() & (QFile::WriteGroup | QFile::WriteOther)));
    }

private:
    std::optional<QString> read(const QString& defaultValue) const
    {
        return readIniValue(readIniDocument(settings_), kTips, kShow, defaultValue);
    }

    bool write(const QString& value) const { return writeIniValues(settings_, {{kTips, kShow, value}}); }

    std::unique_ptr<QTemporaryDir> dir_;
    QString settings_;
};

MX_REGISTER_TEST(FilesAndPlacesTest)
#include "tst_files_and_places.moc"
