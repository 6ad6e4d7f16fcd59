#include "electrical/electrical_panel.h"
#include "electrical/formula_drawing.h"
#include "electrical/formula_wheel.h"
#include "keyboard_checks.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFrame>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <cmath>

using namespace mx;
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

bool outsideDisc(const QImage& image, int x, int y, double margin)
{
    const double r = image.width() / 2.0;
    return std::hypot(x + 0.5 - r, y + 0.5 - r) > r + margin;
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

    void controlsAreNamed()
    {
        QCOMPARE(panel_->objectName(), QStringLiteral("PicElectrical"));
        QStringList names = {"picElecWheel", "picElecSelect", "Label18", "lblL1",  "txtEle1",
                             "lblL2",        "txtEle2",       "Label20", "lblEle", "cmdEleCalc"};
        for (int i = 0; i < 12; ++i)
            names << QStringLiteral("imgPick(%1)").arg(i) << QStringLiteral("Image3(%1)").arg(i);
        for (int q = 0; q < 4; ++q)
            names << QStringLiteral("imgTip(%1)").arg(q) << QStringLiteral("Label19(%1)").arg(q);
        for (const QString& name : names) {
            const auto found = panel_->findChildren<QWidget*>(name);
            QVERIFY2(found.size() == 1, qPrintable(name));
            const bool isLabel = qobject_cast<QLabel*>(found[0]) != nullptr;
            QVERIFY2(isLabel || !found[0]->accessibleName().isEmpty() || !found[0]->accessibleDescription().isEmpty(),
                     qPrintable(name));
        }
        QCOMPARE(tipTimer()->interval(), 500);
        QCOMPARE(child<QWidget>(QStringLiteral("imgPick(7)"))->toolTip(), QStringLiteral("Select the desired formula"));
        QCOMPARE(child<QWidget>(QStringLiteral("picElecSelect"))->toolTip(), QStringLiteral("Selected Formula"));
        QCOMPARE(child<QWidget>(QStringLiteral("Image3(11)"))->toolTip(), QStringLiteral("Selected Formula"));
        QCOMPARE(child<QWidget>(QStringLiteral("imgPick(5)"))->accessibleName(), QStringLiteral("E = √(WR)"));
        QCOMPARE(wheel()->property("formulas").toStringList().value(1), QStringLiteral("R = E²/W"));
        QCOMPARE(wheel()->property("quadrantLetters").toStringList(), QStringList({"R", "E", "W", "I"}));
        QCOMPARE(wheel()->size(), QSize(305, 305));
        QCOMPARE(child<QWidget>(QStringLiteral("imgPick(0)"))->geometry(), QRect(216, 136, 41, 49));
        QCOMPARE(child<QWidget>(QStringLiteral("imgTip(2)"))->geometry(), QRect(104, 100, 33, 33));
    }

    void startsWithNothingPicked()
    {
        QVERIFY(!box(1)->isEnabled());
        QVERIFY(!box(2)->isEnabled());
        QVERIFY(!child<QPushButton>(QStringLiteral("cmdEleCalc"))->isEnabled());
        QCOMPARE(label(QStringLiteral("lblL1"))->text(), QStringLiteral("1st Value"));
        QCOMPARE(label(QStringLiteral("lblL2"))->text(), QStringLiteral("2nd Value"));
        QCOMPARE(label(QStringLiteral("Label20"))->text(), QStringLiteral("Answer"));
        QCOMPARE(label(QStringLiteral("Label18"))->text(),
                 QStringLiteral("Select the desired formula from the wheel above."));
        QVERIFY(answer()->text().isEmpty());
        for (int i = 0; i < 12; ++i)
            QVERIFY(!child<QWidget>(QStringLiteral("Image3(%1)").arg(i))->isVisible());
        QCOMPARE(visibleNames(), 0);
    }

    // One formula of each quadrant, each with its own place in the selection frame.
    void clickingPicksAFormula_data()
    {
        QTest::addColumn<int>("formula");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("answer");
        const auto row = [](const char* name, int formula, const char* picture, QPoint offset, const char* first,
                            const char* second, const char* answer) {
            QTest::newRow(name) << formula << QString::fromUtf8(picture) << offset << QString::fromUtf8(first)
                                << QString::fromUtf8(second) << QString::fromUtf8(answer);
        };
        row("0", 0, "E/I", QPoint(6, 4), "E in Volts", "I in Amps", "R in Ohms");
        row("3", 3, "IR", QPoint(6, 6), "I in Amps", "R in Ohms", "E in Volts");
        row("7", 7, "I²R", QPoint(2, 5), "I in Amps", "R in Ohms", "W in Watts");
        row("11", 11, "√(W/R)", QPoint(3, 2), "W in Watts", "R in Ohms", "I in Amps");
    }

    void clickingPicksAFormula()
    {
        QFETCH(int, formula);
        pick((formula + 5) % 12); // another one first: only one picture shows
        pick(formula);
        QList<QWidget*> shown;
        for (int i = 0; i < 12; ++i)
            if (QWidget* picture = child<QWidget>(QStringLiteral("Image3(%1)").arg(i)); picture->isVisible())
                shown << picture;
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0]->objectName(), QStringLiteral("Image3(%1)").arg(formula));
        QTEST(shown[0]->property("formula").toString(), "picture");
        auto* frame = child<QFrame>(QStringLiteral("picElecSelect"));
        QTEST(shown[0]->pos() - frame->contentsRect().topLeft(), "offset");
        QTEST(label(QStringLiteral("lblL1"))->text(), "first");
        QTEST(label(QStringLiteral("lblL2"))->text(), "second");
        QTEST(label(QStringLiteral("Label20"))->text(), "answer");
        QTEST(box(1)->accessibleName(), "first");
        QVERIFY(box(1)->isEnabled());
        QVERIFY(box(2)->isEnabled());
        QVERIFY(child<QPushButton>(QStringLiteral("cmdEleCalc"))->isEnabled());
    }

    void clickOutsideSpotsPicksNothing()
    {
        for (const QPoint p : {QPoint(142, 138), QPoint(193, 133), QPoint(20, 30)})
            QTest::mouseClick(wheel(), Qt::LeftButton, {}, p);
        // Pressed on one formula, released on another.
        QTest::mousePress(wheel(), Qt::LeftButton, {}, pickPoint(0));
        QTest::mouseRelease(wheel(), Qt::LeftButton, {}, pickPoint(1));
        QVERIFY(!box(1)->isEnabled());
        QCOMPARE(label(QStringLiteral("lblL1"))->text(), QStringLiteral("1st Value"));
    }

    // The whole calculator from the keyboard: a formula spot picked by Space or Return, the values, Calculate
    // pressed by Return, the answer reached by Tab and copied; each value and the answer labelled by its caption.
    void keyboardOnly_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("Space") << "Space";
        QTest::newRow("Return") << "Return";
    }

    void keyboardOnly()
    {
        QFETCH(QString, key);
        panel_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(panel_));
        auto* spot = child<QAbstractButton>(QStringLiteral("imgPick(11)"));
        spot->setFocus();
        test::pressKeys(key);
        QCOMPARE(label(QStringLiteral("lblL2"))->text(), QStringLiteral("R in Ohms"));
        QCOMPARE(label(QStringLiteral("Label20"))->text(), QStringLiteral("I in Amps"));
        QCOMPARE(test::tabWalk(box(1), 3), QStringList({"txtEle2", "cmdEleCalc", "lblEle"}));
        QTest::keyClicks(box(1), QStringLiteral("100"));
        QTest::keyClicks(box(2), QStringLiteral("4"));
        child<QWidget>(QStringLiteral("cmdEleCalc"))->setFocus();
        test::pressKeys(QStringLiteral("Return"));
        QCOMPARE(answer()->text(), QStringLiteral("5."));
        test::pressKeys(QStringLiteral("Tab"));
        QCOMPARE(QApplication::focusWidget(), answer());
        test::pressKeys(QStringLiteral("Ctrl+C"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("5."));
        QCOMPARE(test::spokenLabels(box(1)) + u';' + test::spokenLabels(box(2)) + u';' + test::spokenLabels(answer()),
                 QStringLiteral("W in Watts;R in Ohms;I in Amps"));
    }

    void pickingAgainClearsEntries()
    {
        pick(0);
        QTest::keyClicks(box(1), QStringLiteral("12"));
        QTest::keyClicks(box(2), QStringLiteral("2"));
        calculate();
        QCOMPARE(answer()->text(), QStringLiteral("6."));
        pick(0);
        QVERIFY(box(1)->text().isEmpty());
        QVERIFY(box(2)->text().isEmpty());
        QVERIFY(answer()->text().isEmpty());
    }

    void faultShowsOneMessage_data()
    {
        QTest::addColumn<int>("formula");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const auto row = [](const char* name, int formula, const char* first, const char* second) {
            QTest::newRow(name) << formula << QString::fromUtf8(first) << QString::fromUtf8(second);
        };
        row("second entry empty", 0, "12", "");
        row("pasted negative under the root", 11, "-100", "4");
    }

    void faultShowsOneMessage()
    {
        QFETCH(int, formula);
        QFETCH(QString, first);
        QFETCH(QString, second);
        pick(formula);
        box(1)->setText(QStringLiteral("3")); // an answer from before must not stay
        box(2)->setText(QStringLiteral("1"));
        calculate();
        QVERIFY(!answer()->text().isEmpty());
        box(1)->setText(first); // as pasted: not filtered
        box(2)->setText(second);
        ScopedMessages messages;
        messages->answerNext(MsgAnswer::Ok);
        calculate();
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].text, QStringLiteral("Divide by Zero error."));
        QCOMPARE(messages->shown[0].title, QStringLiteral("Mensurix"));
        QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
        QCOMPARE(messages->shown[0].icon, MsgIcon::None);
        QVERIFY(answer()->text().isEmpty());
    }

    void keyFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* typed, const char* shown) {
            QTest::newRow(name) << QString::fromUtf8(typed) << QString::fromUtf8(shown);
        };
        row("digits and points", "0123456789..", "0123456789..");
        row("minus sign dropped", "-5", "5");
        row("letters and blanks dropped", "a1 b2E3", "123");
        row("plus and comma dropped", "+1,5", "15");
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
    }

    void clipboardKeysDoNothing()
    {
        pick(3);
        QApplication::clipboard()->setText(QStringLiteral("77"));
        box(1)->setText(QStringLiteral("12"));
        box(1)->selectAll();
        QTest::keyClick(box(1), Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(box(1), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box(1)->text(), QStringLiteral("12"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("77"));
    }

    void quadrantNameAfterRest_data()
    {
        QTest::addColumn<int>("quadrant");
        QTest::addColumn<QString>("name");
        QTest::newRow("R") << 0 << "Resistance in Ohms";
        QTest::newRow("E") << 1 << "EMF in Volts";
        QTest::newRow("W") << 2 << "Power in Watts";
        QTest::newRow("I") << 3 << "Current in Amperes";
    }

    void quadrantNameAfterRest()
    {
        QFETCH(int, quadrant);
        moveOnWheel(squarePoint(quadrant));
        QVERIFY(tipTimer()->isActive());
        QCOMPARE(visibleNames(), 0);
        panel_->showQuadrantName();
        QVERIFY(!tipTimer()->isActive());
        QLabel* shown = label(QStringLiteral("Label19(%1)").arg(quadrant));
        QVERIFY(shown->isVisible());
        QTEST(shown->text(), "name");
        QCOMPARE(visibleNames(), 1);
        // Moving onto a formula spot hides it again.
        moveOnWheel(pickPoint(quadrant * 3));
        QCOMPARE(visibleNames(), 0);
    }

    void movingOffCancelsTheName()
    {
        moveOnWheel(squarePoint(2));
        QVERIFY(tipTimer()->isActive());
        moveOnWheel(QPoint(142, 138)); // the gap between the squares is plain wheel
        QVERIFY(!tipTimer()->isActive());
        moveOnWheel(squarePoint(1));
        moveOnWheel(pickPoint(6));
        QVERIFY(!tipTimer()->isActive());
        QCOMPARE(visibleNames(), 0);
        // The real timer shows the name when the mouse rests.
        moveOnWheel(squarePoint(1));
        QTRY_VERIFY(label(QStringLiteral("Label19(1)"))->isVisible());
    }

    void tabChosenHidesNamesAndClips()
    {
        moveOnWheel(squarePoint(0));
        panel_->showQuadrantName();
        QCOMPARE(visibleNames(), 1);
        panel_->tabChosen();
        QCOMPARE(visibleNames(), 0);
        QCOMPARE(wheel()->mask(), QRegion(QRect(0, 0, 305, 305), QRegion::Ellipse));
        QLabel* shown = answer();
        QCOMPARE(shown->palette().color(shown->backgroundRole()), QColor(255, 255, 0));
        QCOMPARE(shown->palette().color(shown->foregroundRole()), QColor(0, 0, 0));
        QVERIFY(shown->autoFillBackground());
    }

    void wheelToolTip()
    {
        QHelpEvent overSpot(QEvent::ToolTip, pickPoint(4), wheel()->mapToGlobal(pickPoint(4)));
        QApplication::sendEvent(wheel(), &overSpot);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("Select the desired formula"));
        QHelpEvent overSquare(QEvent::ToolTip, squarePoint(0), wheel()->mapToGlobal(squarePoint(0)));
        QApplication::sendEvent(wheel(), &overSquare);
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void spotsScaleWithTheWheel()
    {
        FormulaWheel large;
        large.resize(610, 610);
        large.show();
        QVERIFY(QTest::qWaitForWindowExposed(&large));
        QSignalSpy picked(&large, &FormulaWheel::formulaClicked);
        QTest::mouseClick(&large, Qt::LeftButton, {}, pickPoint(4) * 2);
        QTest::mouseClick(&large, Qt::LeftButton, {}, QPoint(142, 138) * 2);
        QCOMPARE(picked.size(), 1);
        QCOMPARE(picked[0][0].toInt(), 4);
        QCOMPARE(large.findChild<QWidget*>(QStringLiteral("imgPick(0)"))->geometry(), QRect(432, 272, 82, 98));
        QCOMPARE(large.mask(), QRegion(QRect(0, 0, 610, 610), QRegion::Ellipse));
    }

    void wheelRendersAsADisc_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }

    void wheelRendersAsADisc()
    {
        QFETCH(qreal, ratio);
        QImage image(wheel()->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        wheel()->render(&image);
        int dark = 0;
        int light = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (outsideDisc(image, x, y, 1.5 * ratio)) // the mask's edge is stepped in whole pixels
                    QVERIFY2(qAlpha(pixel) == 0, qPrintable(QStringLiteral("painted at %1,%2").arg(x).arg(y)));
                if (qAlpha(pixel) == 255 && qGray(pixel) < 64)
                    ++dark;
                if (qAlpha(pixel) == 255 && qGray(pixel) > 240)
                    ++light;
            }
        }
        // Lines and letters, on a white disc that fills most of the square.
        QVERIFY2(dark > 3000 * ratio * ratio, qPrintable(QString::number(dark)));
        QVERIFY2(light > 40000 * ratio * ratio, qPrintable(QString::number(light)));
        // The quarter lines cross at the centre of the wheel.
        QVERIFY(qGray(image.pixel(int(142 * ratio), int(100 * ratio))) < 128);
        QVERIFY(qGray(image.pixel(int(100 * ratio), int(138 * ratio))) < 128);
    }

    void selectionPicturesAreDrawn()
    {
        for (int i = 0; i < 12; ++i) {
            QWidget* picture = child<QWidget>(QStringLiteral("Image3(%1)").arg(i));
            QImage image(picture->size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            picture->render(&image, {}, {}, QWidget::DrawChildren);
            int dark = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    dark += qGray(image.pixel(x, y)) < 96 ? 1 : 0;
            QVERIFY2(dark > 80, qPrintable(picture->objectName()));
            // Nothing touches the edges: the whole formula fits its picture.
            for (int x = 0; x < image.width(); ++x) {
                QVERIFY2(qGray(image.pixel(x, 0)) > 200, qPrintable(picture->objectName()));
                QVERIFY2(qGray(image.pixel(x, image.height() - 1)) > 200, qPrintable(picture->objectName()));
            }
        }
    }

    void fontKeepsTheLayout()
    {
        const QString family = QFontInfo(formulaFont(320)).family();
        QVERIFY2(family == QStringLiteral("Arial") || family == QStringLiteral("Liberation Sans"), qPrintable(family));
    }

private:
    template <typename T> T* child(const QString& name) const
    {
        T* found = panel_->findChild<T*>(name);
        if (!found)
            qWarning("no child named %s", qPrintable(name));
        return found;
    }
    FormulaWheel* wheel() const { return child<FormulaWheel>(QStringLiteral("picElecWheel")); }
    QLineEdit* box(int n) const
    {
        return child<QLineEdit>(n == 1 ? QStringLiteral("txtEle1") : QStringLiteral("txtEle2"));
    }
    QLabel* label(const QString& name) const { return child<QLabel>(name); }
    QLabel* answer() const { return label(QStringLiteral("lblEle")); }
    void calculate() { QTest::mouseClick(child<QPushButton>(QStringLiteral("cmdEleCalc")), Qt::LeftButton); }
    QTimer* tipTimer() const { return child<QTimer>(QStringLiteral("timElecTips")); }
    void pick(int formula) { QTest::mouseClick(wheel(), Qt::LeftButton, {}, pickPoint(formula)); }
    void moveOnWheel(QPoint position)
    {
        QMouseEvent move(QEvent::MouseMove, position, wheel()->mapToGlobal(position), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(wheel(), &move);
    }
    int visibleNames() const
    {
        int count = 0;
        for (int q = 0; q < 4; ++q)
            count += label(QStringLiteral("Label19(%1)").arg(q))->isVisible() ? 1 : 0;
        return count;
    }

    ElectricalPanel* panel_ = nullptr;
};

MX_REGISTER_TEST(ElectricalPanelTest)
#include "tst_electrical_panel.moc"
