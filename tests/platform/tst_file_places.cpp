#include "platform/file_places.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QFileInfo>
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
    QTest::addColumn<bool>("dataFolderInstalled"); // share/mensurix beside bin
    QTest::addColumn<bool>("programFolderLocked");
    QTest::addColumn<QString>("dataFolder"); // "bin", "share" or "home"
    QTest::addColumn<QString>("userFolder");
    QTest::newRow("a build or a portable folder") << false << false << "bin"
                                                  << "bin";
    QTest::newRow("installed") << true << true << "share"
                               << "home";
    QTest::newRow("installed where the user may write") << true << false << "share"
                                                        << "home";
    QTest::newRow("a portable folder on a locked medium") << false << true << "bin"
                                                          << "home";
}

void FilePlacesTest::decide()
{
    QFETCH(bool, dataFolderInstalled);
    QFETCH(bool, programFolderLocked);
    QTemporaryDir root;
    const QDir prefix(root.path());
    prefix.mkpath(QStringLiteral("bin"));
    if (dataFolderInstalled)
        prefix.mkpath(QStringLiteral("share/mensurix"));
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString home = prefix.filePath(QStringLiteral("home/Mensurix"));
    std::optional<test::ReadOnlyScope> locked;
    if (programFolderLocked) {
        locked.emplace(bin + QStringLiteral("/mensurix"), true);
        if (!locked->blocksWrites() && !dataFolderInstalled)
            QSKIP("permissions do not stop this user from writing");
    }

    const FilePlaces places = FilePlaces::decide(bin, prefix.filePath(QStringLiteral("share/mensurix")), home);
    const auto folder = [&](const QString& name) {
        if (name == u"bin")
            return bin + u'/';
        return name == u"share" ? prefix.filePath(QStringLiteral("share/mensurix/")) : home + u'/';
    };
    QFETCH(QString, dataFolder);
    QFETCH(QString, userFolder);
    QCOMPARE(places.dataFolder(), folder(dataFolder));
    QCOMPARE(places.userFolder(), folder(userFolder));
    QVERIFY(QFileInfo(places.userFolder()).isDir());
}

MX_REGISTER_TEST(FilePlacesTest)
#include "tst_file_places.moc"
