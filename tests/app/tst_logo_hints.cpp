#include "app/logo_hints.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

// The hints around the logo and the link, driven by sequences of the user's moves.
class LogoHintsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sequences_data();
    void sequences();
};

void LogoHintsTest::sequences_data()
{
    QTest::addColumn<QString>("metric"); // "plain", "-73 with Celsius", "-73 with Rankine"
    // Moves: i = over the link, inside it; o = over the link's edge; t = half a second passes; c = click on the
    // link; x = the web dialog's Cancel; l = onto the logo; p = over a panel.
    QTest::addColumn<QString>("moves");
    QTest::addColumn<QString>("shown"); // the hints left showing, and "+wait" while the half second runs
    QTest::addColumn<int>("dialogs");   // web dialogs opened
    QTest::newRow("a rest shows the hint") << "plain" << "it" << "tip" << 0;
    QTest::newRow("the logo takes it away") << "plain" << "itl" << "" << 0;
    QTest::newRow("leaving the link before the wait") << "plain" << "io" << "" << 0;
    QTest::newRow("the hint stays while resting") << "plain" << "iti" << "tip" << 0;
    QTest::newRow("a click opens the web dialog") << "plain" << "itc" << "" << 1;
    QTest::newRow("after Cancel the hint comes back") << "plain" << "cxit" << "tip" << 1;
    QTest::newRow("closed otherwise, never again") << "plain" << "cit" << "" << 1;
    QTest::newRow("Rankine pair: the click opens the dialog") << "-73 with Rankine" << "c" << "" << 1;
    QTest::newRow("Rankine pair: a rest still hints") << "-73 with Rankine" << "it" << "tip" << 0;
    QTest::newRow("Rankine pair: each move hides it again") << "-73 with Rankine" << "iti" << "+wait" << 0;
    QTest::newRow("warm") << "-73 with Celsius" << "it" << "egg" << 0;
    QTest::newRow("one arming click") << "-73 with Celsius" << "c" << "egg2" << 0;
    QTest::newRow("three arming clicks") << "-73 with Celsius" << "ccc" << "egg3" << 0;
    QTest::newRow("armed: a rest shows warmer") << "-73 with Celsius" << "clit" << "egg2" << 0;
    QTest::newRow("no wait once the last tease shows") << "-73 with Celsius" << "ccci" << "egg3" << 0;
    QTest::newRow("a panel leaves the teases") << "-73 with Celsius" << "itcp" << "egg2" << 0;
    QTest::newRow("a panel takes the plain hint") << "plain" << "itp" << "" << 0;
}

void LogoHintsTest::sequences()
{
    QFETCH(QString, metric);
    QFETCH(QString, moves);
    const LogoHints::MetricState state{metric != u"plain", metric.endsWith(u"Celsius")};
    LogoHints hints;
    LinkFlags flags;
    int dialogs = 0;
    for (QChar move : moves) {
        switch (move.unicode()) {
        case 'i':
        case 'o':
            hints.linkMouseMove(state, move == u'i');
            break;
        case 't':
            hints.timerTick(state, flags);
            break;
        case 'c':
            dialogs += hints.linkClicked(state, flags) ? 1 : 0;
            break;
        case 'x':
            flags.webDialogOpen = false;
            break;
        case 'l':
            hints.logoMouseMove();
            break;
        case 'p':
            hints.panelMouseMove();
            break;
        }
    }
    QStringList shown;
    const HintsShown& s = hints.shown();
    for (const auto& [on, name] : {std::pair{s.tip, "tip"}, {s.egg, "egg"}, {s.egg2, "egg2"}, {s.egg3, "egg3"}}) {
        if (on)
            shown << QString::fromLatin1(name);
    }
    if (hints.timerRunning())
        shown << QStringLiteral("+wait");
    QTEST(shown.join(u','), "shown");
    QTEST(dialogs, "dialogs");
}

MX_REGISTER_TEST(LogoHintsTest)
#include "tst_logo_hints.moc"
