#include "platform/file_places.h"
#include "platform/single_instance.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <unistd.h>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

QString folderNames(const FilePlaces& places, const QString& prefix)
{
    return QString(places.dataFolder() + u'|' + places.userFolder() + u'|' + places.configFolder()).remove(prefix);
}

} // namespace

// Where a started program reads and writes, from how its folder looks; the moves between those places; and the lock
// that keeps a second program off the same folder.
class FilePlacesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
        QTemporaryDir root;
        const QString prefix = root.path() + u'/';
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
        QTemporaryDir root;
        const FilePlaces places(root.filePath(QStringLiteral("bin")), root.filePath(QStringLiteral("data")),
                                root.filePath(QStringLiteral("config")), FilePlaces::Layout::ReadOnlyFolder);
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
        QTemporaryDir root;
        std::optional<QTemporaryDir> shm;
        QString targetFolder = root.filePath(to);
        if (to == u"shm") {
            shm.emplace(QStringLiteral("/dev/shm/mensurix-XXXXXX"));
            if (!shm->isValid())
                QSKIP("no second file system to move to");
            targetFolder = shm->path();
        }
        QVERIFY(QDir().mkpath(targetFolder));
        const QString from = root.filePath(QStringLiteral("Mensurix.ini"));
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
    // after one that crashed left its lock behind).
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
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(u"a"_s) && QDir(root.path()).mkpath(u"b"_s));
        std::optional<SingleInstance> running;
        if (first == u"stale") {
            QFile stale(SingleInstance::lockPathFor(root.filePath(u"a"_s)));
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.write("999999999\nmensurix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        } else {
            running.emplace(root.filePath(first));
            QVERIFY(running->acquire());
        }
        SingleInstance started(root.filePath(second));
        QTEST(started.acquire(), "runs");
    }

    // A lock in a folder every user shares could be left there by another user's crashed program, and could not be
    // taken over: the lock lives where only its user can write.
    void lockIsTheUsersOwn()
    {
        QTemporaryDir dir;
        const QFileInfo folder(QFileInfo(SingleInstance::lockPathFor(dir.path())).absolutePath());
        QVERIFY(folder.isDir());
        QVERIFY(folder.isWritable());
        QCOMPARE(folder.ownerId(), uint(::getuid()));
        QVERIFY(!(folder.permissions() & (QFile::WriteGroup | QFile::WriteOther)));
    }
};

MX_REGISTER_TEST(FilePlacesTest)
#include "tst_file_places.moc"
