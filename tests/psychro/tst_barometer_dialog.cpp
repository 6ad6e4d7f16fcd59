#include "panel_checks.h"
#include "psychro/barometer_dialog.h"
#include "scripted_messages.h"
#include "test_registry.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace mx;

class BarometerDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { dialog_.reset(); }

    void controls()
    {
        dialog_ = std::make_unique<BarometerDialog>(BarometricPressure());
        QCOMPARE(dialog_->objectName(), QStringLiteral("frmBarometer"));
        QCOMPARE(dialog_->windowTitle(), QStringLiteral("Barometric Pressure"));
        QStringList buddies;
        for (const QLabel* label : dialog_->findChildren<QLabel*>()) {
            if (label->buddy())
                buddies << label->text() + u'>' + label->buddy()->objectName();
        }
        buddies.sort();
        QCOMPARE(buddies, QStringList({"&Altitude:>txtAltitude", "&Pressure:>txtPressure",
                                       "&Standard atmosphere (sea level)>optStandard"}));
        // Every control is named, for the outside and for a screen reader.
        for (const QWidget* control : dialog_->findChildren<QWidget*>()) {
            if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QComboBox*>(control) ||
                qobject_cast<const QAbstractButton*>(control))
                QVERIFY2(!control->objectName().isEmpty() && !control->accessibleName().isEmpty(),
                         qPrintable(control->objectName()));
        }
    }

    // The dialog driven from the keyboard, and by a click where a row says so.
    void keyboard_data()
    {
        QTest::addColumn<QString>("start"); // the pressure it opens with, as the settings file holds it
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("chosen"); // "" the standard atmosphere
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("summary");
        const QString denver = QStringLiteral("24.896 inHg = 12.228 psia = 843.08 hPa");
        const QString standard = QStringLiteral("Standard atmosphere: 29.921 inHg = 14.696 psia = 1013.25 hPa");
        const QStringList none;
        const QString warn = QStringLiteral("Mensurix [Ok Exclamation] ");
        const auto row = [](const char* name, const char* start, const QStringList& steps, bool accepted,
                            const char* chosen, const QStringList& messages, const QString& summary) {
            QTest::newRow(name) << start << steps << accepted << chosen << messages << summary;
        };
        // clang-format off
        row("altitude in feet", "", {":Alt+A", "=5000", ":Return"}, true, "24.896", none, denver);
        row("altitude in metres", "", {":Alt+A", "=1524", ":Tab", ":Down", ":Return"}, true, "24.896", none, denver);
        row("pressure in hPa", "", {":Alt+P", "=843.07", ":Tab", ":Down", ":Down", ":Return"}, true, "24.896", none,
            denver);
        row("opens on the pressure in use", "24.896", {":Return"}, true, "24.896", none, denver);
        row("101.325 kPa is the standard atmosphere", "24.896", {":Ctrl+A", "=101.325", ":Tab", ":End", ":Return"},
            true, "", none, standard);
        row("standard chosen", "24.896", {":Alt+S", ":Return"}, true, "", none, standard);
        row("Escape keeps what was", "24.896", {":Alt+S", ":Escape"}, false, "24.896", none, standard);
        row("typed characters filtered", "", {":Alt+P", "=-2a4.9,6", ":Return"}, true, "24.960", none,
            "24.960 inHg = 12.259 psia = 845.24 hPa");
        row("a click in a box chooses its line", "", {"txtPressure", "=30", ":Return"}, true, "30.000", none,
            "30.000 inHg = 14.735 psia = 1015.92 hPa");
        row("Tab passing a box does not", "", {":Tab", ":Tab", ":Return"}, true, "", none, standard);
        row("refused, then corrected", "", {":Alt+A", "=40000", ":Return", "=5000", ":Return"}, true, "24.896",
            {warn + "No place on earth is at this altitude.\nEnter an altitude from -2,290 to 30,060 ft."}, denver);
        row("empty box", "", {":Alt+P", ":Return"}, false, "", {warn + "Enter a pressure."}, "");
        // clang-format on
    }

    void keyboard()
    {
        QFETCH(QString, start);
        QFETCH(QStringList, steps);
        QFETCH(bool, accepted);
        QFETCH(QStringList, messages);
        test::ScopedMessages shown;
        dialog_ = std::make_unique<BarometerDialog>(pressureFromFileText(start));
        test::showActive(dialog_.get());
        test::act(dialog_.get(), steps);
        QCOMPARE(dialog_->isVisible(), !accepted && !steps.contains(QStringLiteral(":Escape")));
        QCOMPARE(dialog_->result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        const BarometricPressure chosen = dialog_->chosenPressure();
        QTEST(chosen.isStandard() ? QString() : pressureFileText(chosen), "chosen");
        QTEST(dialog_->findChild<QLabel*>(QStringLiteral("lblSummary"))->text(), "summary");
        QCOMPARE(shown->described(), messages);
        if (!messages.isEmpty() && dialog_->isVisible()) {
            // The refused entry is selected, ready to be typed over.
            auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(box);
            QCOMPARE(box->selectedText(), box->text());
        }
    }

private:
    std::unique_ptr<BarometerDialog> dialog_;
};

MX_REGISTER_TEST(BarometerDialogTest)
#include "tst_barometer_dialog.moc"
