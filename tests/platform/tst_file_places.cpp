#include "platform/file_places.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace mx;

// Where a started program reads and writes, from how its folder looks.
class FilePlacesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decide_data();
    void decide();
};

void FilePlacesTest::decide_data()
{
    QTest::addColumn<bool>("installed"); // share/mensurix beside bin
    QTest::addColumn<bool>("locked");    // bin may not be written
    QTest::addColumn<QString>("places"); // data folder | user folder, under the prefix
    QTest::newRow("a build or a portable folder") << false << false << "bin/|bin/";
    QTest::newRow("installed") << true << true << "share/mensurix/|home/";
    QTest::newRow("installed where the user may write") << true << false << "share/mensurix/|home/";
    QTest::newRow("a portable folder on a locked medium") << false << true << "bin/|home/";
}

void FilePlacesTest::decide()
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

    const FilePlaces places = FilePlaces::decide(
        prefix + QStringLiteral("bin"), prefix + QStringLiteral("share/mensurix"), prefix + QStringLiteral("home"));
    QTEST(QString(places.dataFolder() + u'|' + places.userFolder()).remove(prefix), "places");
    QVERIFY(QDir(places.userFolder()).exists());
}

MX_REGISTER_TEST(FilePlacesTest)
#include "tst_file_places.moc"
