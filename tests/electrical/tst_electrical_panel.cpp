#include "electrical/electrical_panel.h"
#include "electrical/formula_wheel.h"
#include "keyboard_checks.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::ScopedMessages;

namespace {

// Centres of the spots at the wheel's designed size, in pixels (15 twips each).
QPoint pickPoint(int formula)
{
    static const QPoint points[] = {{236, 160}, {214, 210}, {162, 234}, {116, 234}, {72, 206}, {50, 160},
                                    {48, 116},  {64, 68},   {120, 48},  {160, 46},  {208, 62}, {244, 110}};
    return points[formula];
}

QPoint squarePoint(int quadrant)
{
    static const QPoint points[] = {{164, 160}, {120, 160}, {120, 116}, {164, 116}};
    return points[quadrant];
}

// A place on the wheel as the tests name it: "spot N", "square N" or "at X,Y".
QPoint wheelPoint(const QString& place)
{
    const QStringList words = place.split(u' ');
    if (words[0] == u"spot")
        return pickPoint(words[1].toInt());
    if (words[0] == u"square")
        return squarePoint(words[1].toInt());
    return {words[1].section(u',', 0, 0).toInt(), words[1].section(u',', 1).toInt()};
}

} // namespace

class ElectricalPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        panel_ = new ElectricalPanel;
        panel_->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel_));
        panel_->tabChosen();
    }

    void cleanup()
    {
        delete panel_;
        panel_ = nullptr;
    }

    // The names outside checks find the controls by (the main window's suite checks each is named for a screen
    // reader), the texts and tips shown before anything is picked, and the answer drawn on yellow.
    void controlsAreNamed()
    {
        QCOMPARE(panel_->objectName(), u"PicElectrical"_s);
        QStringList names =
            u"picElecWheel picElecSelect Label18 lblL1 txtEle1 lblL2 txtEle2 Label20 lblEle cmdEleCalc"_s.split(u' ');
        for (int i = 0; i < 12; ++i)
            names << u"imgPick(%1)"_s.arg(i) << u"Image3(%1)"_s.arg(i);
        QStringList texts;
        for (int q = 0; q < 4; ++q) {
            names << u"imgTip(%1)"_s.arg(q) << u"Label19(%1)"_s.arg(q);
            texts << label(u"Label19(%1)"_s.arg(q))->text();
        }
        for (const QString& name : names) {
            const auto found = panel_->findChildren<QWidget*>(name);
            QVERIFY2(found.size() == 1, qPrintable(name));
        }
        texts << label(u"Label18"_s)->text() << child<QWidget>(u"imgPick(7)"_s)->toolTip()
              << child<QWidget>(u"picElecSelect"_s)->toolTip() << child<QWidget>(u"Image3(11)"_s)->toolTip()
              << child<QWidget>(u"imgPick(5)"_s)->accessibleName()
              << wheel()->property("formulas").toStringList().value(1)
              << wheel()->property("quadrantLetters").toStringList().join(u',');
        QCOMPARE(texts, QStringList({"Resistance in Ohms", "EMF in Volts", "Power in Watts", "Current in Amperes",
                                     "Select the desired formula from the wheel above.", "Select the desired formula",
                                     "Selected Formula", "Selected Formula", "E = √(WR)", "R = E²/W", "R,E,W,I"}));
        const QImage drawn = answer()->grab().toImage();
        QCOMPARE(QColor(drawn.pixel(drawn.width() / 2, drawn.height() / 2)), QColor(255, 255, 0));
    }

    // The whole calculator from the keyboard: a formula spot picked by Return, the values, Calculate pressed by
    // Return, the answer reached by Tab and copied; each value and the answer labelled by its caption.
    void keyboardOnly()
    {
        panel_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel_));
        child<QAbstractButton>(QStringLiteral("imgPick(11)"))->setFocus();
        test::pressKeys(QStringLiteral("Return"));
        QCOMPARE(test::tabWalk(box(1), 3), QStringList({"txtEle2", "cmdEleCalc", "lblEle"}));
        QTest::keyClicks(box(1), QStringLiteral("100"));
        QTest::keyClicks(box(2), QStringLiteral("4"));
        child<QWidget>(QStringLiteral("cmdEleCalc"))->setFocus();
        test::pressKeys(QStringLiteral("Return Tab Ctrl+C"));
        QCOMPARE(answer()->text(), QStringLiteral("5."));
        QCOMPARE(QApplication::focusWidget(), answer());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("5."));
        QCOMPARE(test::spokenLabels(box(1)) + u';' + test::spokenLabels(box(2)) + u';' + test::spokenLabels(answer()),
                 QStringLiteral("W in Watts;R in Ohms;I in Amps"));
    }

    // What the entry side shows after each way of picking, or of not picking, a formula.
    void picking_data()
    {
        QTest::addColumn<QString>("how");      // "click N" / "Space N" on formula spot N, or a click elsewhere
        QTest::addColumn<QString>("picture");  // the one picture shown, with its place in the selection frame
        QTest::addColumn<QString>("captions"); // of the two boxes and the answer
        const QString none = u"1st Value|2nd Value|Answer"_s;
        QTest::newRow("nothing yet") << QString() << QString() << none;
        QTest::newRow("R = E/I") << u"click 0"_s << u"E/I at 6,4"_s << u"E in Volts|I in Amps|R in Ohms"_s;
        QTest::newRow("I = √(W/R)") << u"click 11"_s << u"√(W/R) at 3,2"_s << u"W in Watts|R in Ohms|I in Amps"_s;
        QTest::newRow("Space on a focused spot")
            << u"Space 9"_s << u"E/R at 6,4"_s << u"E in Volts|R in Ohms|I in Amps"_s;
        QTest::newRow("between the centre squares") << u"at 142,138"_s << QString() << none;
        QTest::newRow("on a centre square") << u"at 193,133"_s << QString() << none;
        QTest::newRow("outside the disc") << u"at 20,30"_s << QString() << none;
        QTest::newRow("pressed on one formula, released on another") << u"drag 0 1"_s << QString() << none;
    }

    void picking()
    {
        QFETCH(QString, how);
        QFETCH(QString, picture);
        const QStringList words = how.split(u' ');
        if (words[0] == u"click") {
            pick((words[1].toInt() + 5) % 12); // another one first: only one picture shows
            pick(words[1].toInt());
        } else if (words[0] == u"Space") {
            auto* spot = child<QAbstractButton>(u"imgPick(%1)"_s.arg(words[1]));
            spot->setFocus();
            QTest::keyClick(spot, Qt::Key_Space);
        } else if (words[0] == u"at") {
            QTest::mouseClick(wheel(), Qt::LeftButton, {}, wheelPoint(how));
        } else if (words[0] == u"drag") {
            QTest::mousePress(wheel(), Qt::LeftButton, {}, pickPoint(words[1].toInt()));
            QTest::mouseRelease(wheel(), Qt::LeftButton, {}, pickPoint(words[2].toInt()));
        }
        QStringList shown;
        const QPoint frame = child<QFrame>(u"picElecSelect"_s)->contentsRect().topLeft();
        for (int i = 0; i < 12; ++i) {
            if (QWidget* p = child<QWidget>(u"Image3(%1)"_s.arg(i)); p->isVisible())
                shown << u"%1 at %2,%3"_s.arg(p->property("formula").toString())
                             .arg(p->x() - frame.x())
                             .arg(p->y() - frame.y());
        }
        QCOMPARE(shown.join(u", "_s), picture);
        QTEST(label(u"lblL1"_s)->text() + u'|' + label(u"lblL2"_s)->text() + u'|' + label(u"Label20"_s)->text(),
              "captions");
        QCOMPARE(box(1)->accessibleName(), label(u"lblL1"_s)->text());
        for (QWidget* control :
             {child<QWidget>(u"txtEle1"_s), child<QWidget>(u"txtEle2"_s), child<QWidget>(u"cmdEleCalc"_s)})
            QCOMPARE(control->isEnabled(), !picture.isEmpty());
        QVERIFY(answer()->text().isEmpty());
        QCOMPARE(visibleNames(), QString());
    }

    // Entries as pasted (not filtered), calculated once and then again with the next pair: a fault shows one
    // message and no answer, not the one from before; picking the formula again empties everything.
    void calculating_data()
    {
        QTest::addColumn<int>("formula");
        QTest::addColumn<QString>("entries"); // "first|second"
        QTest::addColumn<QString>("message");
        const QString divideByZero = u"Mensurix [Ok None] Divide by Zero error."_s;
        QTest::newRow("an answer") << 0 << u"12|2"_s << QString();
        QTest::newRow("second entry empty") << 0 << u"12|"_s << divideByZero;
    }

    void calculating()
    {
        QFETCH(int, formula);
        QFETCH(QString, entries);
        QFETCH(QString, message);
        pick(formula);
        box(1)->setText(u"3"_s);
        box(2)->setText(u"1"_s);
        calculate();
        QVERIFY(!answer()->text().isEmpty());
        box(1)->setText(entries.section(u'|', 0, 0));
        box(2)->setText(entries.section(u'|', 1));
        ScopedMessages messages;
        messages->answerNext(MsgAnswer::Ok);
        calculate();
        QCOMPARE(messages->described().join(u'\n'), message);
        QCOMPARE(answer()->text(), message.isEmpty() ? u"6."_s : QString());
        pick(formula);
        QCOMPARE(box(1)->text() + box(2)->text() + answer()->text(), QString());
    }

    // Only digits and points are typed (a pasted minus sign still counts: the engine's rows); the clipboard keys do
    // nothing.
    void keyFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits and points") << u"0123456789.."_s << u"0123456789.."_s;
        QTest::newRow("minus, plus, comma, letters and blanks dropped") << u"-a1 b2E3+4,5"_s << u"12345"_s;
    }

    void keyFilter()
    {
        QFETCH(QString, typed);
        pick(3);
        for (int n : {1, 2}) {
            box(n)->setFocus();
            QTest::keyClicks(box(n), typed);
            QTEST(box(n)->text(), "shown");
        }
        QTest::keyClick(box(2), Qt::Key_Backspace);
        QCOMPARE(box(2)->text().size(), box(1)->text().size() - 1);
        QApplication::clipboard()->setText(u"77"_s);
        box(1)->selectAll();
        QTest::keyClick(box(1), Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(box(1), Qt::Key_V, Qt::ControlModifier);
        QTEST(box(1)->text(), "shown");
        QCOMPARE(QApplication::clipboard()->text(), u"77"_s);
    }

    // The name of a quadrant shows when the mouse rests on its centre square, and only then.
    void quadrantNames_data()
    {
        QTest::addColumn<QString>("moves"); // places on the wheel; "rest" fires the timer, "wait" lets it fire
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("waiting"); // the timer runs
        QTest::newRow("R") << u"square 0; rest"_s << u"Resistance in Ohms"_s << false;
        QTest::newRow("I") << u"square 3; rest"_s << u"Current in Amperes"_s << false;
        QTest::newRow("on a square the wait starts") << u"square 2"_s << QString() << true;
        QTest::newRow("the gap between squares ends it") << u"square 2; at 142,138"_s << QString() << false;
        QTest::newRow("a formula spot ends it") << u"square 1; spot 6"_s << QString() << false;
        QTest::newRow("a formula spot hides the name") << u"square 3; rest; spot 9"_s << QString() << false;
        QTest::newRow("the tab chosen again hides it") << u"square 0; rest; tab"_s << QString() << false;
        QTest::newRow("the real timer") << u"square 1; wait"_s << u"EMF in Volts"_s << false;
    }

    void quadrantNames()
    {
        QFETCH(QString, moves);
        for (const QString& move : moves.split(u"; "_s)) {
            if (move == u"rest") {
                panel_->showQuadrantName();
            } else if (move == u"wait") {
                QTRY_VERIFY(!visibleNames().isEmpty());
            } else if (move == u"tab") {
                panel_->tabChosen();
            } else {
                const QPoint at = wheelPoint(move);
                QMouseEvent event(QEvent::MouseMove, at, wheel()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                                  Qt::NoModifier);
                QApplication::sendEvent(wheel(), &event);
            }
        }
        QTEST(visibleNames(), "shown");
        QTEST(child<QTimer>(u"timElecTips"_s)->isActive(), "waiting");
    }

    // The wheel's tool tip is the formula spots' own; its spots and disc scale with it.
    void wheelToolTipAndScale()
    {
        QHelpEvent overSpot(QEvent::ToolTip, pickPoint(4), wheel()->mapToGlobal(pickPoint(4)));
        QApplication::sendEvent(wheel(), &overSpot);
        QTRY_COMPARE(QToolTip::text(), u"Select the desired formula"_s);
        QHelpEvent overSquare(QEvent::ToolTip, squarePoint(0), wheel()->mapToGlobal(squarePoint(0)));
        QApplication::sendEvent(wheel(), &overSquare);
        QTRY_VERIFY(!QToolTip::isVisible());

        FormulaWheel large;
        large.resize(610, 610);
        large.show();
        QVERIFY(QTest::qWaitForWindowExposed(&large));
        QSignalSpy picked(&large, &FormulaWheel::formulaClicked);
        QTest::mouseClick(&large, Qt::LeftButton, {}, pickPoint(4) * 2);
        QTest::mouseClick(&large, Qt::LeftButton, {}, QPoint(142, 138) * 2);
        QCOMPARE(picked.size(), 1);
        QCOMPARE(picked[0][0].toInt(), 4);
        QCOMPARE(large.findChild<QWidget*>(u"imgPick(0)"_s)->geometry(), QRect(432, 272, 82, 98));
        QCOMPARE(large.mask(), QRegion(QRect(0, 0, 610, 610), QRegion::Ellipse));
    }

private:
    template <typename T> T* child(const QString& name) const { return panel_->findChild<T*>(name); }
    FormulaWheel* wheel() const { return child<FormulaWheel>(u"picElecWheel"_s); }
    QLineEdit* box(int n) const { return child<QLineEdit>(n == 1 ? u"txtEle1"_s : u"txtEle2"_s); }
    QLabel* label(const QString& name) const { return child<QLabel>(name); }
    QLabel* answer() const { return label(u"lblEle"_s); }
    void calculate() { QTest::mouseClick(child<QPushButton>(u"cmdEleCalc"_s), Qt::LeftButton); }
    void pick(int formula) { QTest::mouseClick(wheel(), Qt::LeftButton, {}, pickPoint(formula)); }
    QString visibleNames() const
    {
        QStringList names;
        for (int q = 0; q < 4; ++q)
            if (QLabel* name = label(u"Label19(%1)"_s.arg(q)); name->isVisible())
                names << name->text();
        return names.join(u", "_s);
    }

    ElectricalPanel* panel_ = nullptr;
};

MX_REGISTER_TEST(ElectricalPanelTest)
#include "tst_electrical_panel.moc"
