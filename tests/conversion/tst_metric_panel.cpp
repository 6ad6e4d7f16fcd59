#include "common/globals.h"
#include "conversion/conversion.h"
#include "conversion/metric_panel.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mx;
using mx::test::ScopedMessages;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QVERIFY(test::writeFileBytes(path, bytes));
}

} // namespace

class MetricPanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void startsOnTemperature();
    void choosingATableListsItsPairs();
    void choosingAPairSetsCaptions();
    void keyFilter_data();
    void keyFilter();
    void enterConverts();
    void enterWithoutPairsDoesNothing();
    void missingTableAsks_data();
    void missingTableAsks();
    void brokenTableIsSilent();
    void zeroFactorIsOutOfSync();
    void typingClearsAnswers();
    void temperatureNamedPairInATable();
    void answersAreYellow();

private:
    void choose(const QString& type);

    QTemporaryDir dir_;
    MetricPanel* panel_ = nullptr;
};

void MetricPanelTest::init()
{
    QVERIFY(dir_.isValid());
    setAppPath(dir_.path());
    writeFile(AppPath + QStringLiteral("Length.tbl"), "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n"
                                                      "Feet vs Meters\r\nFeet\r\nMeters\r\n0.3048\r\n\r\n");
    writeFile(AppPath + QStringLiteral("Force.tbl"), "Broken vs Pair\r\nPounds\r\nNewtons\r\n0\r\n\r\n");
    writeFile(AppPath + QStringLiteral("Area.tbl"), "Short vs Entry\r\nA\r\nB\r\n2\r\n");
    writeFile(AppPath + QStringLiteral("Volume.tbl"),
              "Celsius vs Kelvin\r\nX\r\nY\r\n3\r\n\r\nGallons vs Liters\r\nGallons\r\nLiters\r\n3.785411784\r\n\r\n");
    panel_ = new MetricPanel;
    panel_->fillLists();
    panel_->show();
    QVERIFY(QTest::qWaitForWindowExposed(panel_));
}

void MetricPanelTest::cleanup()
{
    delete panel_;
    panel_ = nullptr;
}

void MetricPanelTest::choose(const QString& type)
{
    QComboBox* combo = panel_->findChild<QComboBox*>(QStringLiteral("Combo2"));
    const int index = combo->findText(type);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}

void MetricPanelTest::startsOnTemperature()
{
    auto* combo1 = panel_->findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* combo2 = panel_->findChild<QComboBox*>(QStringLiteral("Combo2"));
    QCOMPARE(combo2->currentText(), QStringLiteral("Temperature"));
    QCOMPARE(combo2->count(), 15);
    QCOMPARE(combo2->itemText(14), QStringLiteral("Electrical"));
    QCOMPARE(combo1->count(), 3);
    QCOMPARE(combo1->currentText(), QStringLiteral("Fahrenheit vs Celsius"));
    QCOMPARE(panel_->findChild<QLabel*>(QStringLiteral("lblScale(2)"))->text(), QStringLiteral("Degrees C"));
    QCOMPARE(panel_->findChild<QLabel*>(QStringLiteral("lblScale(0)"))->text(), QStringLiteral("Degrees F"));
    QVERIFY(panel_->findChild<QLineEdit*>(QStringLiteral("metricText1"))->text().isEmpty());
}

void MetricPanelTest::choosingATableListsItsPairs()
{
    QSignalSpy allowed(panel_, &MetricPanel::tableEditorAllowed);
    panel_->valueBox()->setText(QStringLiteral("12"));
    choose(QStringLiteral("Length"));
    QCOMPARE(panel_->combo1()->count(), 2);
    QCOMPARE(panel_->combo1()->itemText(1), QStringLiteral("Feet vs Meters"));
    QCOMPARE(panel_->combo1()->currentIndex(), 0);
    QCOMPARE(panel_->scale(0)->text(), QStringLiteral("Inches"));
    QCOMPARE(panel_->scale(3)->text(), QStringLiteral("Inches"));
    QCOMPARE(panel_->scale(1)->text(), QStringLiteral("Millimeters"));
    QCOMPARE(panel_->scale(2)->text(), QStringLiteral("Millimeters"));
    QVERIFY(panel_->valueBox()->text().isEmpty());
    QCOMPARE(TablePath, AppPath + QStringLiteral("Length.tbl"));
    QCOMPARE(CurrentCategory, QStringLiteral("Length"));
    QCOMPARE(allowed.size(), 1);
    QCOMPARE(allowed.at(0).at(0).toBool(), true);

    choose(QStringLiteral("Temperature"));
    QCOMPARE(panel_->combo1()->count(), 3);
    QCOMPARE(allowed.last().at(0).toBool(), false);
    QCOMPARE(TablePath, AppPath + QStringLiteral("Length.tbl")); // left as it was
}

void MetricPanelTest::choosingAPairSetsCaptions()
{
    struct Case {
        const char* pair;
        const char* first;
        const char* second;
    };
    const Case cases[] = {{"Fahrenheit vs Rankin", "Degrees F", "Rankin"},
                          {"Celsius vs Kelvin", "Degrees C", "Degrees K"},
                          {"Fahrenheit vs Celsius", "Degrees F", "Degrees C"}};
    for (const Case& c : cases) {
        panel_->answer(0)->setText(QStringLiteral("old"));
        const int index = panel_->combo1()->findText(QString::fromLatin1(c.pair));
        panel_->combo1()->setCurrentIndex(index);
        Q_EMIT panel_->combo1()->activated(index);
        QCOMPARE(panel_->scale(0)->text(), QString::fromLatin1(c.first));
        QCOMPARE(panel_->scale(3)->text(), QString::fromLatin1(c.first));
        QCOMPARE(panel_->scale(1)->text(), QString::fromLatin1(c.second));
        QCOMPARE(panel_->scale(2)->text(), QString::fromLatin1(c.second));
        QVERIFY(panel_->answer(0)->text().isEmpty());
    }
}

void MetricPanelTest::keyFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << "0123456789"
                            << "0123456789";
    QTest::newRow("letters, blanks and commas dropped") << "1a2, 3 x"
                                                        << "123";
    QTest::newRow("signs and points pass") << "--1..5"
                                           << "--1..5";
    QTest::newRow("plus and exponent dropped") << "+1e5"
                                               << "15";
}

void MetricPanelTest::keyFilter()
{
    QFETCH(QString, typed);
    panel_->valueBox()->setFocus();
    QTest::keyClicks(panel_->valueBox(), typed);
    QTEST(panel_->valueBox()->text(), "shown");
}

void MetricPanelTest::enterConverts()
{
    QTest::keyClicks(panel_->valueBox(), QStringLiteral("100"));
    QTest::keyClick(panel_->valueBox(), Qt::Key_Return);
    QCOMPARE(panel_->valueBox()->text(), QStringLiteral("100"));
    QCOMPARE(panel_->answer(0)->text(), QStringLiteral("212.00"));
    QCOMPARE(panel_->answer(1)->text(), QStringLiteral("37.78"));

    choose(QStringLiteral("Length"));
    QTest::keyClicks(panel_->valueBox(), QStringLiteral("1"));
    QTest::keyClick(panel_->valueBox(), Qt::Key_Enter);
    QCOMPARE(panel_->answer(0)->text(), QStringLiteral("0.0394"));
    QCOMPARE(panel_->answer(1)->text(), QStringLiteral("25.4"));
}

void MetricPanelTest::enterWithoutPairsDoesNothing()
{
    ScopedMessages messages;
    messages->answerNext(MsgAnswer::No);
    choose(QStringLiteral("Custom"));
    QCOMPARE(panel_->combo1()->count(), 0);
    QTest::keyClicks(panel_->valueBox(), QStringLiteral("5"));
    QTest::keyClick(panel_->valueBox(), Qt::Key_Return);
    QTest::mouseClick(panel_->findChild<QWidget*>(QStringLiteral("Convert")), Qt::LeftButton);
    QCOMPARE(panel_->valueBox()->text(), QStringLiteral("5"));
    QVERIFY(panel_->answer(0)->text().isEmpty());
    QCOMPARE(messages->shown.size(), 1); // only the question about the missing table
}

void MetricPanelTest::missingTableAsks_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<int>("requests");
    QTest::newRow("yes") << MsgAnswer::Yes << 1;
    QTest::newRow("no") << MsgAnswer::No << 0;
}

void MetricPanelTest::missingTableAsks()
{
    QFETCH(MsgAnswer, answer);
    ScopedMessages messages;
    messages->answerNext(answer);
    QSignalSpy create(panel_, &MetricPanel::createTableRequested);
    QSignalSpy allowed(panel_, &MetricPanel::tableEditorAllowed);
    choose(QStringLiteral("Custom"));
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text,
             QStringLiteral("The file 'Custom.tbl' is missing.  Would you like to create a new table now?"));
    QCOMPARE(messages->shown[0].title, QStringLiteral("Mensurix"));
    QCOMPARE(messages->shown[0].buttons, MsgButtons::YesNo);
    QCOMPARE(messages->shown[0].icon, MsgIcon::Question);
    QTEST(int(create.size()), "requests");
    QCOMPARE(allowed.last().at(0).toBool(), true);
    QCOMPARE(TablePath, AppPath + QStringLiteral("Custom.tbl"));
    QCOMPARE(panel_->combo1()->count(), 0);
}

void MetricPanelTest::brokenTableIsSilent()
{
    ScopedMessages messages;
    choose(QStringLiteral("Area"));
    QCOMPARE(messages->shown.size(), 0);
    QCOMPARE(panel_->combo1()->count(), 0);
    QCOMPARE(panel_->scale(0)->text(), QStringLiteral("Degrees F")); // captions keep their texts
}

void MetricPanelTest::zeroFactorIsOutOfSync()
{
    ScopedMessages messages;
    choose(QStringLiteral("Force"));
    QCOMPARE(panel_->combo1()->currentText(), QStringLiteral("Broken vs Pair"));
    panel_->answer(0)->setText(QStringLiteral("before"));
    panel_->answer(1)->setText(QStringLiteral("before"));
    QTest::mouseClick(panel_->findChild<QWidget*>(QStringLiteral("Convert")), Qt::LeftButton);
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text, outOfSyncMessage());
    QVERIFY(messages->shown[0].text.contains(QStringLiteral("out of sync.  This can")));
    QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(messages->shown[0].icon, MsgIcon::None);
    QCOMPARE(panel_->answer(0)->text(), QStringLiteral("before"));
    QCOMPARE(panel_->answer(1)->text(), QStringLiteral("before"));
}

void MetricPanelTest::typingClearsAnswers()
{
    QTest::keyClicks(panel_->valueBox(), QStringLiteral("0"));
    QTest::keyClick(panel_->valueBox(), Qt::Key_Return);
    QCOMPARE(panel_->answer(0)->text(), QStringLiteral("32.00"));
    QTest::keyClicks(panel_->valueBox(), QStringLiteral("1"));
    QVERIFY(panel_->answer(0)->text().isEmpty());
    QVERIFY(panel_->answer(1)->text().isEmpty());
    QTest::keyClick(panel_->valueBox(), Qt::Key_Return);
    QCOMPARE(panel_->answer(0)->text(), QStringLiteral("33.80"));
    QTest::keyClick(panel_->valueBox(), Qt::Key_Backspace);
    QCOMPARE(panel_->valueBox()->text(), QStringLiteral("0"));
    QVERIFY(panel_->answer(0)->text().isEmpty());
}

void MetricPanelTest::temperatureNamedPairInATable()
{
    // A table entry named like a built-in pair is converted as that pair, with its captions.
    choose(QStringLiteral("Volume"));
    QCOMPARE(panel_->combo1()->currentText(), QStringLiteral("Celsius vs Kelvin"));
    QCOMPARE(panel_->scale(1)->text(), QStringLiteral("Degrees K"));
    QTest::keyClicks(panel_->valueBox(), QStringLiteral("0"));
    QTest::keyClick(panel_->valueBox(), Qt::Key_Return);
    QCOMPARE(panel_->answer(1)->text(), QStringLiteral("273.15"));
}

void MetricPanelTest::answersAreYellow()
{
    for (int i = 0; i < 2; ++i) {
        QLabel* answer = panel_->answer(i);
        const QImage image = answer->grab().toImage();
        QCOMPARE(QColor(image.pixel(image.width() / 2, image.height() / 2)), QColor(255, 255, 0));
    }
    const QImage box = panel_->valueBox()->grab().toImage();
    QCOMPARE(QColor(box.pixel(box.width() / 2, box.height() / 2)), QColor(Qt::white));
}

MX_REGISTER_TEST(MetricPanelTest)
#include "tst_metric_panel.moc"
