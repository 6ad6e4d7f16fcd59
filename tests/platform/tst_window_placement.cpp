#include "platform/window_placement.h"
#include "test_registry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace mx;

class WindowPlacementTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accessoryWindows_data()
    {
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("resizing");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("guarded");
        QTest::addColumn<QString>("expected"); // "centred", "stored" or "kept"
        QTest::newRow("centred") << true << false << false << true << "centred";
        QTest::newRow("stored, even off the screen") << false << false << false << false << "stored";
        QTest::newRow("resizing, unguarded") << false << true << false << false << "stored";
        QTest::newRow("resizing, guarded") << true << true << false << true << "kept";
        QTest::newRow("minimised, guarded") << false << false << true << true << "kept";
    }

    void accessoryWindows()
    {
        QFETCH(bool, centre);
        QFETCH(bool, resizing);
        QFETCH(bool, minimised);
        QFETCH(bool, guarded);
        QFETCH(QString, expected);
        QWidget window;
        window.setFixedSize(200, 100);
        window.move(7, 9);
        if (minimised)
            window.setWindowState(Qt::WindowMinimized);
        const auto guard = guarded ? PlacementGuard::SkipWhileMinimisedOrResizing : PlacementGuard::None;
        QCOMPARE(placeAccessoryWindow(&window, QSize(3000, 1500), QPoint(-3000, 150000), {centre, resizing}, guard),
                 expected != u"kept");
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        const QPoint centred((screen.width() - 200) / 2, (screen.height() - 100) / 2);
        QCOMPARE(window.pos(), expected == u"centred"  ? centred
                               : expected == u"stored" ? QPoint(-200, 10000)
                                                       : QPoint(7, 9));
    }
};

MX_REGISTER_TEST(WindowPlacementTest)
#include "tst_window_placement.moc"
