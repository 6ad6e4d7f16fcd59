#include "platform/single_instance.h"
#include "test_registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <unistd.h>

using namespace mx;
using namespace Qt::StringLiterals;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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

MX_REGISTER_TEST(SingleInstanceTest)
#include "tst_single_instance.moc"
