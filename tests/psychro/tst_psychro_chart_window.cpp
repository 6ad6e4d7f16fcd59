#include "keyboard_checks.h"
#include "platform/clipboard.h"
#include "psychro/psychro_chart_view.h"
#include "psychro/psychro_chart_window.h"
#include "scripted_dialogs.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QAccessible>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mx;

const QString kIdle = QStringLiteral("Point at the chart to read a state there, click to calculate it on the Humidity "
                                     "tab; arrow keys move a cursor and Enter picks it.");
const QString kTabPoint =
    QStringLiteral("Humidity tab: dry bulb 77 °F, RH 63.49%, wet bulb 68 °F, dew point 63.44 °F, 87.4859 grains/lb");

class PsychroChartWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        window_ = new PsychroChartWindow;
        window_->showTab({}, HumidityBoxes{"77", "68", "63.49", "0.59", "63.44", "87.4859"});
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }

    void cleanup() { delete window_; }

    void controls()
    {
        QCOMPARE(window_->objectName(), QStringLiteral("frmPsychroChart"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Psychrometric Chart"));
        QStringList captions;
        for (const char* name :
             {"picChart", "lblChartPoint", "lblChartCursor", "cmdChartCopy", "cmdChartSave", "cmdChartClose"}) {
            const QList<QWidget*> found = window_->findChildren<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(found.size() == 1, name);
            QVERIFY2(!found[0]->accessibleName().isEmpty() || !found[0]->accessibleDescription().isEmpty(), name);
            if (auto* button = qobject_cast<QPushButton*>(found[0]))
                captions << button->text();
        }
        QCOMPARE(captions, QStringList({"&Copy", "&Save...", "Close"}));
        QCOMPARE(label("lblChartPoint"), kTabPoint);
        QCOMPARE(test::tabWalk(view(), 5),
                 QStringList({"lblChartPoint", "lblChartCursor", "cmdChartCopy", "cmdChartSave", "cmdChartClose"}));
    }

    // What lblChartCursor (and a screen reader, of the chart) reads under the pointer or the keyboard's cursor, as the
    // tab calculates it, and what a click or Enter picks. "@77,87.4859" moves the pointer to that dry bulb and ratio
    // and clicks; other steps are keys on the chart, which then has the focus. The cursor starts at the tab's state
    // in whole degrees and percent (mid-chart at 50 % without one) and moves a degree or a percent a key (ten with
    // Shift), never off the chart.
    void readings_data()
    {
        QTest::addColumn<bool>("withResult");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picked"); // dry bulb|relative humidity
        const auto row = [](const char* name, bool withResult, const char* steps, const QString& text,
                            const char* picked = "") { QTest::newRow(name) << withResult << steps << text << picked; };
        const QString start = QStringLiteral(
            "Cursor: dry bulb 77.00 °F, RH 63.00%, wet bulb 67.87 °F, dew point 63.22 °F, 86.77979 grains/lb");
        // clang-format off
        row("pointer on the tab's point", true, "@77,87.4859", QStringLiteral("Pointer: dry bulb 77.00 °F, RH 63.50%, "
            "wet bulb 68.00 °F, dew point 63.45 °F, 87.50474 grains/lb"), "77.00|63.50");
        row("pointer below the axis", true, "@80,-5", kIdle);
        row("cursor starts at the tab's state, Return and keypad Enter pick it", true, "Return Enter", start,
            "77.00|63.00,77.00|63.00");
        row("arrows", true, "Right Up", QStringLiteral("Cursor: dry bulb 78.00 °F, RH 64.00%, wet bulb 69.02 °F, dew "
            "point 64.62 °F, 91.24429 grains/lb"));
        row("ten at a time", true, "Shift+Left", QStringLiteral("Cursor: dry bulb 67.00 °F, RH 63.00%, wet bulb "
            "59.09 °F, dew point 53.78 °F, 61.52920 grains/lb"));
        row("stops at the top of the chart", true, "Shift+Right Shift+Right Shift+Right", QStringLiteral("Cursor: dry "
            "bulb 97.00 °F, RH 63.00%, wet bulb 85.52 °F, dew point 82.04 °F, 166.71153 grains/lb"));
        row("stops at saturation", true, "Shift+Up Shift+Up Shift+Up Shift+Up Up", QStringLiteral("Cursor: dry bulb "
            "77.00 °F, RH 100.00%, wet bulb 76.99 °F, dew point 76.99 °F, 140.47264 grains/lb"));
        row("without a result, mid-chart at 50%", false, "", QStringLiteral("Cursor: dry bulb 76.00 °F, RH 50.00%, "
            "wet bulb 63.38 °F, dew point 55.67 °F, 65.97046 grains/lb"));
        // clang-format on
    }

    void readings()
    {
        QFETCH(bool, withResult);
        QFETCH(QString, steps);
        QFETCH(QString, text);
        view()->clearFocus();
        if (!withResult)
            window_->showTab({}, std::nullopt);
        QSignalSpy picks(window_, &PsychroChartWindow::statePicked);
        if (steps.startsWith(u'@')) {
            // To the fraction of a pixel.
            const QPointF at = view()->mapping().toPixel(
                QPointF(steps.section(u',', 0, 0).mid(1).toDouble(), steps.section(u',', 1).toDouble()));
            for (const QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent event(type, at, view()->mapToGlobal(at),
                                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(view(), &event);
                if (type == QEvent::MouseMove)
                    QCOMPARE(label("lblChartCursor"), text);
            }
        } else {
            view()->setFocus(Qt::TabFocusReason);
            test::pressKeys(steps, view());
        }
        QCOMPARE(label("lblChartCursor"), text);
        QCOMPARE(QAccessible::queryAccessibleInterface(view())->text(QAccessible::Description), text);
        QStringList picked;
        for (const QList<QVariant>& pick : picks)
            picked << pick[0].toString() + u'|' + pick[1].toString();
        QTEST(picked.join(u','), "picked");
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(view(), &leave);
        view()->clearFocus();
        QCOMPARE(label("lblChartCursor"), kIdle);
    }

    // Copy (Ctrl+C on the chart, or the button) puts the chart as the window shows it on the clipboard, the tab's
    // point in it; a clipboard that refuses it is told.
    void copy()
    {
        QList<QImage> copied;
        bool taken = true;
        const ClipboardImageWriter previous = setClipboardImageWriter([&copied, &taken](const QImage& image) {
            copied << image;
            return taken;
        });
        test::ScopedMessages messages;
        view()->setFocus();
        test::pressKeys(QStringLiteral("Ctrl+C"), view());
        taken = false;
        window_->findChild<QPushButton*>(QStringLiteral("cmdChartCopy"))->click();
        setClipboardImageWriter(previous);
        QCOMPARE(copied.size(), 2);
        QCOMPARE(copied[1].size(), view()->size() * window_->devicePixelRatioF());
        const QPointF point = view()->mapping().toPixel(view()->markedPoint().value());
        QCOMPARE(copied[0].pixelColor(point.toPoint()), chartColours(view()->palette()).point);
        QCOMPARE(messages->described(),
                 QStringList{"Mensurix [Ok Exclamation] The chart could not be put on the clipboard."});
    }

    // Save writes the picture the name asks for, through Qt's own file dialog; an existing file is replaced only
    // when the user says so, and a write that fails is told.
    void save_data()
    {
        QTest::addColumn<QString>("typed");    // the name typed, "|SVG" when that type is chosen; empty: Cancel
        QTest::addColumn<QString>("existing"); // bytes already in chart.png
        QTest::addColumn<QString>("answer");   // to the question about it
        QTest::addColumn<QString>("written");  // the file and its kind, or what it still holds
        QTest::addColumn<QString>("message");  // "@": the file's path
        const QString replace = QStringLiteral("Mensurix [YesNo Exclamation] chart.png already exists.\nDo you want to "
                                               "replace it?");
        // clang-format off
        QTest::newRow("PNG") << "chart.png" << "" << "" << "chart.png PNG" << "";
        QTest::newRow("SVG") << "chart.svg" << "" << "" << "chart.svg SVG" << "";
        QTest::newRow("no extension, SVG chosen") << "chart|SVG" << "" << "" << "chart.svg SVG" << "";
        QTest::newRow("existing, kept") << "chart.png" << "old" << "No" << "chart.png old" << replace;
        QTest::newRow("existing, replaced") << "chart.png" << "old" << "Yes" << "chart.png PNG" << replace;
        QTest::newRow("cancelled") << "" << "" << "" << "" << "";
        QTest::newRow("disk full") << "chart.png" << "" << "" << ""
            << "Mensurix [Ok Exclamation] The file \"@\" could not be saved: the disk is full.";
        // clang-format on
    }

    void save()
    {
        QFETCH(QString, typed);
        QFETCH(QString, existing);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString existingPath = dir.filePath(QStringLiteral("chart.png"));
        if (!existing.isEmpty())
            QVERIFY(test::writeFileBytes(existingPath, existing.toLatin1()));
        test::ScriptedDialogs dialogs;
        dialogs.answer(QStringLiteral("dlgSaveChart"), [&](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            // Qt's own dialog, not the desktop's.
            if (typed.isEmpty() || !files.testOption(QFileDialog::DontUseNativeDialog))
                return int(QDialog::Rejected);
            if (typed.endsWith(u"|SVG"))
                files.selectNameFilter(QStringLiteral("SVG drawing (*.svg)"));
            files.selectFile(dir.filePath(typed.section(u'|', 0, 0)));
            return int(QDialog::Accepted);
        });
        test::ScopedMessages messages;
        if (!answer.isEmpty())
            messages->answerNext(answer == u"Yes" ? MsgAnswer::Yes : MsgAnswer::No);
        {
            std::optional<test::FileSizeLimitScope> full;
            if (message.contains(u"disk is full"))
                full.emplace(64);
            window_->findChild<QPushButton*>(QStringLiteral("cmdChartSave"))->click();
        }
        QCOMPARE(dialogs.opened, QStringList{"dlgSaveChart"});
        QCOMPARE(messages->described().join(u'\n'), QString(message).replace(u'@', existingPath));
        // What the folder holds: each file and what it is, a picture of the chart as the window shows it or bytes.
        QStringList held;
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files)) {
            const QByteArray bytes = test::readFileBytes(dir.filePath(name));
            const bool png = bytes.startsWith("\x89PNG\r\n\x1a\n") &&
                             QImage::fromData(bytes).size() == view()->size() * window_->devicePixelRatioF();
            const bool svg = bytes.startsWith("<?xml") && bytes.contains("<title>Psychrometric chart</title>") &&
                             bytes.contains(kTabPoint.toUtf8()) && bytes.contains(">Dry bulb (°F)</text>");
            held << name + u' ' +
                        (png   ? QStringLiteral("PNG")
                         : svg ? QStringLiteral("SVG")
                               : QString::fromLatin1(bytes));
        }
        QTEST(held.join(u','), "written");
    }

private:
    PsychroChartView* view() const { return window_->view(); }
    QString label(const char* name) const { return window_->findChild<QLabel*>(QString::fromLatin1(name))->text(); }

    PsychroChartWindow* window_ = nullptr;
};

MX_REGISTER_TEST(PsychroChartWindowTest)
#include "tst_psychro_chart_window.moc"
