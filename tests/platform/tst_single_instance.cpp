#include "platform/single_instance.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace mx;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void secondInstanceOfAFolderIsRefused();
    void otherFoldersRunSideBySide();
    void lockOfADeadProcessIsTakenOver();
    void lockIsTheUsersOwn();
};

void SingleInstanceTest::secondInstanceOfAFolderIsRefused()
{
    QTemporaryDir dir;
    SingleInstance first(dir.path());
    QVERIFY(first.acquire());
    SingleInstance second(dir.path() + QStringLiteral("/")); // the same folder, spelled differently
    QVERIFY(!second.acquire());
}

void SingleInstanceTest::otherFoldersRunSideBySide()
{
    QTemporaryDir a;
    QTemporaryDir b;
    SingleInstance first(a.path());
    SingleInstance second(b.path());
    QVERIFY(first.acquire());
    QVERIFY(second.acquire());
}

void SingleInstanceTest::lockOfADeadProcessIsTakenOver()
{
    QTemporaryDir dir;
    const QString lockPath = SingleInstance::lockPathFor(dir.path());
    {
        // What a crashed instance leaves behind: a lock naming a process that no longer exists.
        QFile stale(lockPath);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("999999999\nmensurix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }
    SingleInstance instance(dir.path());
    QVERIFY(instance.acquire());
}

// A lock in a folder every user shares could be left there by another user's crashed program, and could not be
// taken over: the lock lives where only its user can write.
void SingleInstanceTest::lockIsTheUsersOwn()
{
    QTemporaryDir dir;
    const QFileInfo folder(QFileInfo(SingleInstance::lockPathFor(dir.path())).absolutePath());
    QVERIFY(folder.isDir());
    QVERIFY(folder.isWritable());
    QCOMPARE(folder.ownerId(), uint(::getuid()));
    QVERIFY(!(folder.permissions() & (QFile::WriteGroup | QFile::WriteOther)));
}

MX_REGISTER_TEST(SingleInstanceTest)
#include "tst_single_instance.moc"
