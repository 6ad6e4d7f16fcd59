#include "common/twips.h"
#include "psychro/wind_panel.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace mx;
using mx::test::ScopedMessages;

class WindPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void unitCaptions();
    void calculate_data();
    void calculate();
    void negativeSpeedKeepsTheAnswer();
    void boxesTakeAnyCharacter();
    void answersAreYellow();

private:
    QLineEdit* box(const QString& name) const { return panel_->findChild<QLineEdit*>(name); }
    QString text(const QString& labelName) const { return panel_->findChild<QLabel*>(labelName)->text(); }
    void click(const QString& name) const;

    WindPanel* panel_ = nullptr;
};

void WindPanelTest::init()
{
    panel_ = new WindPanel;
    panel_->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel_));
}

void WindPanelTest::cleanup()
{
    delete panel_;
    panel_ = nullptr;
}

void WindPanelTest::click(const QString& name) const
{
    auto* button = panel_->findChild<QAbstractButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void WindPanelTest::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Frame6") << "Frame6"
                            << "picWind" << QRect(0, 0, 0, 0);
    QTest::newRow("optMPHKPH(0)") << "optMPHKPH(0)"
                                  << "Frame6" << QRect(60, 180, 0, 0);
    QTest::newRow("optMPHKPH(1)") << "optMPHKPH(1)"
                                  << "Frame6" << QRect(1380, 180, 0, 0);
    QTest::newRow("Frame7") << "Frame7"
                            << "picWind" << QRect(3300, 0, 0, 0);
    QTest::newRow("optCorF(0)") << "optCorF(0)"
                                << "Frame7" << QRect(120, 180, 0, 0);
    QTest::newRow("optCorF(1)") << "optCorF(1)"
                                << "Frame7" << QRect(1380, 180, 0, 0);
    QTest::newRow("Frame4") << "Frame4"
                            << "picWind" << QRect(120, 840, 0, 0);
    QTest::newRow("lblDegrees(0)") << "lblDegrees(0)"
                                   << "Frame4" << QRect(120, 360, 0, 0);
    QTest::newRow("Text3") << "Text3"
                           << "Frame4" << QRect(1980, 360, 675, 285);
    QTest::newRow("lblMPH") << "lblMPH"
                            << "Frame4" << QRect(180, 900, 0, 0);
    QTest::newRow("Text4") << "Text4"
                           << "Frame4" << QRect(1980, 840, 675, 285);
    QTest::newRow("lblChillDegrees") << "lblChillDegrees"
                                     << "Frame4" << QRect(180, 1380, 0, 0);
    QTest::newRow("lblChill") << "lblChill"
                              << "Frame4" << QRect(1980, 1380, 675, 285);
    QTest::newRow("cmdChill") << "cmdChill"
                              << "Frame4" << QRect(720, 1920, 0, 0);
    QTest::newRow("Frame5") << "Frame5"
                            << "picWind" << QRect(3120, 840, 0, 0);
    QTest::newRow("lblDegrees(1)") << "lblDegrees(1)"
                                   << "Frame5" << QRect(60, 360, 0, 0);
    QTest::newRow("Text5") << "Text5"
                           << "Frame5" << QRect(1980, 360, 615, 285);
    QTest::newRow("Label21") << "Label21"
                             << "Frame5" << QRect(120, 900, 0, 0);
    QTest::newRow("Text6") << "Text6"
                           << "Frame5" << QRect(1980, 840, 615, 285);
    QTest::newRow("lblHeatDegrees") << "lblHeatDegrees"
                                    << "Frame5" << QRect(120, 1380, 0, 0);
    QTest::newRow("lblHeat") << "lblHeat"
                             << "Frame5" << QRect(1980, 1380, 615, 285);
    QTest::newRow("cmdHeat") << "cmdHeat"
                             << "Frame5" << QRect(660, 1980, 0, 0);
}

void WindPanelTest::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, parentName);
    QFETCH(QRect, twips);
    QCOMPARE(panel_->objectName(), QStringLiteral("picWind"));
    auto* widget = panel_->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->pos(), QPoint(twipsToPixels(twips.left()), twipsToPixels(twips.top())));
    if (twips.width() > 0)
        QCOMPARE(widget->size(), twipsSize(twips.width(), twips.height()));
    QVERIFY(panel_->rect().contains(QRect(widget->mapTo(panel_, QPoint(0, 0)), widget->size())));
    const auto* asLabel = qobject_cast<const QLabel*>(widget);
    QVERIFY(!widget->accessibleName().isEmpty() || !widget->accessibleDescription().isEmpty() ||
            (asLabel && !asLabel->text().isEmpty()));
}

void WindPanelTest::unitCaptions()
{
    const QStringList labels{"lblDegrees(0)", "lblDegrees(1)", "lblChillDegrees", "lblHeatDegrees", "lblMPH"};
    const auto captions = [&] {
        QStringList texts;
        for (const QString& name : labels)
            texts << text(name);
        return texts;
    };
    QCOMPARE(captions(), QStringList({"Temperature Degrees F", "Temperature Degrees F", "Wind Chill Degrees F",
                                      "Heat Index Degrees F", "Wind Speed MPH"}));
    box(QStringLiteral("Text3"))->setText(QStringLiteral("10"));
    click(QStringLiteral("optCorF(1)"));
    click(QStringLiteral("optMPHKPH(1)"));
    QCOMPARE(captions(), QStringList({"Temperature Degrees C", "Temperature Degrees C", "Wind Chill Degrees C",
                                      "Heat Index Degrees C", "Wind Speed KPH"}));
    QCOMPARE(box(QStringLiteral("Text3"))->text(), QStringLiteral("10")); // typed numbers are not converted
    click(QStringLiteral("optCorF(0)"));
    click(QStringLiteral("optMPHKPH(0)"));
    QCOMPARE(captions(), QStringList({"Temperature Degrees F", "Temperature Degrees F", "Wind Chill Degrees F",
                                      "Heat Index Degrees F", "Wind Speed MPH"}));
}

void WindPanelTest::calculate_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("typed"); // Text3, Text4, Text5, Text6
    QTest::addColumn<QString>("windChill");
    QTest::addColumn<QString>("heatIndex");
    QTest::newRow("F and mph") << QStringList() << QStringList{"10", "20", "90", "50"} << "-24.33"
                               << "95.55";
    QTest::newRow("C and km/h") << QStringList{"optCorF(1)", "optMPHKPH(1)"} << QStringList{"-10", "30", "30", "60"}
                                << "-27.31"
                                << "33.09";
    QTest::newRow("capped, and a hot day") << QStringList() << QStringList{"50", "3", "100", "40"} << "50."
                                           << "110.63";
}

void WindPanelTest::calculate()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, typed);
    for (const QString& name : clicks)
        click(name);
    const QStringList boxes{"Text3", "Text4", "Text5", "Text6"};
    for (int i = 0; i < boxes.size(); ++i)
        QTest::keyClicks(box(boxes[i]), typed[i]);
    click(QStringLiteral("cmdChill"));
    QTEST(text(QStringLiteral("lblChill")), "windChill");
    QVERIFY(text(QStringLiteral("lblHeat")).isEmpty());
    click(QStringLiteral("cmdHeat"));
    QTEST(text(QStringLiteral("lblHeat")), "heatIndex");
}

void WindPanelTest::negativeSpeedKeepsTheAnswer()
{
    box(QStringLiteral("Text3"))->setText(QStringLiteral("10"));
    box(QStringLiteral("Text4"))->setText(QStringLiteral("20"));
    click(QStringLiteral("cmdChill"));
    QCOMPARE(text(QStringLiteral("lblChill")), QStringLiteral("-24.33"));
    box(QStringLiteral("Text4"))->setText(QStringLiteral("-20"));
    ScopedMessages shown;
    shown->answerNext(MsgAnswer::Ok);
    click(QStringLiteral("cmdChill"));
    QCOMPARE(shown->shown.size(), 1);
    QCOMPARE(shown->shown[0].text, QStringLiteral("Wind speed cannot be negative"));
    QCOMPARE(shown->shown[0].title, QStringLiteral("Mensurix"));
    QCOMPARE(shown->shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(shown->shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(text(QStringLiteral("lblChill")), QStringLiteral("-24.33"));
}

void WindPanelTest::boxesTakeAnyCharacter()
{
    QLineEdit* temperature = box(QStringLiteral("Text5"));
    temperature->setFocus();
    QTest::keyClicks(temperature, QStringLiteral("90 F!"));
    QCOMPARE(temperature->text(), QStringLiteral("90 F!"));
    QTest::keyClicks(box(QStringLiteral("Text6")), QStringLiteral("50%"));
    click(QStringLiteral("cmdHeat"));
    QCOMPARE(text(QStringLiteral("lblHeat")), QStringLiteral("95.55"));
}

void WindPanelTest::answersAreYellow()
{
    for (const char* name : {"lblChill", "lblHeat"}) {
        auto* answer = panel_->findChild<QLabel*>(QLatin1String(name));
        QCOMPARE(answer->palette().color(answer->backgroundRole()), QColor(255, 255, 0));
        QCOMPARE(answer->palette().color(answer->foregroundRole()), QColor(0, 0, 0));
        QVERIFY(answer->autoFillBackground());
    }
}

MX_REGISTER_TEST(WindPanelTest)
#include "tst_wind_panel.moc"
