#include "accessories/calculator_window.h"
#include "accessories/find_dialog.h"
#include "accessories/note_editor_window.h"
#include "app/accessory_windows.h"
#include "app/app_globals.h"
#include "app/main_window.h"
#include "app/tab_strip.h"
#include "conversion/table_editor_window.h"
#include "list_choice.h"
#include "platform/shell_open.h"
#include "platform/window_placement.h"
#include "psychro/barometer_dialog.h"
#include "psychro/humidity_panel.h"
#include "scripted_dialogs.h"
#include "scripted_messages.h"
#include "settings_text.h"
#include "shell/tip_window.h"
#include "test_helpers.h"
#include "test_registry.h"
#include "window_helpers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <memory>
#include <optional>
#include <sys/stat.h>

using namespace mx;
using test::kStoredNumbers;
using test::settingsText;

namespace {

QByteArray readAll(const QString& path)
{
    return test::readFileBytes(path);
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QVERIFY(test::writeFileBytes(path, bytes));
}

QPoint pixelsOf(QPoint twips)
{
    return {qRound(twips.x() / 15.0), qRound(twips.y() / 15.0)};
}

QPoint centredTwips(QSize size)
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size() * 15;
    return {(screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2};
}

bool isCentred(const QWidget* w)
{
    return w->pos() == pixelsOf(centredTwips(w->frameGeometry().size() * 15));
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        setAppPath(dir_->path());
        tips_ = 0;
        dialogs_ = std::make_unique<test::ScriptedDialogs>();
        dialogs_->answer(TipWindow::kFormName, [this](QDialog&) {
            ++tips_;
            return int(QDialog::Accepted);
        });
    }

    void cleanup()
    {
        delete window_;
        dialogs_.reset();
    }

    // One start and one exit without a click: each starts centred with the tip; the exact file the exit leaves.
    void startAndExit_data()
    {
        QTest::addColumn<QByteArray>("file");    // null: no file
        QTest::addColumn<bool>("restoreMark");   // else Save Positions is checked
        QTest::addColumn<QByteArray>("written"); // null: the recovery path, which stores every window centred
        QTest::newRow("no file") << QByteArray() << true << settingsText({}, "Yes", "Yes");
        // Keys a file lacks go after the last key of their section.
        QTest::newRow("missing keys") << QByteArray("[Position Information]\r\nMain Window Left= 1500\r\n") << true
                                      << settingsText({1500}, "Yes", "Yes");
        QTest::newRow("too large for 32 bits")
            << settingsText(kStoredNumbers, "No", "No").replace("= 1500", "= 2147483648") << false << QByteArray();
    }

    void startAndExit()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, restoreMark);
        QFETCH(QByteArray, written);
        if (!file.isNull())
            writeRaw(SettingsFile, file);
        test::ScopedMessages messages;

        start();
        QVERIFY(isCentred(window_));
        QCOMPARE(action("mnuCenter")->isChecked(), restoreMark);
        QCOMPARE(action("mnuSavePositions")->isChecked(), !restoreMark);
        QCOMPARE(tips_, 1);
        // Recovery or not, the Metric panel lies below the tab strip, never over its tabs.
        const QPoint strip = window_->findChild<QWidget*>(QStringLiteral("TabStrip1"))->pos();
        QCOMPARE(window_->findChild<QWidget*>(QStringLiteral("picMetric"))->pos(), strip + pixelsOf({360, 1200}));

        if (written.isNull()) {
            const QPoint main = window_->pos() * 15;
            const QPoint calculator = centredTwips({2895, 3330});
            const QPoint table = centredTwips({5700, 6180});
            const QPoint notes = centredTwips({7200, 5400});
            written = settingsText({main.x(), main.y(), calculator.x(), calculator.y(), table.x(), table.y(), notes.x(),
                                    notes.y(), 7200, 5400, 0},
                                   "No", "Yes");
        }
        exit();
        QCOMPARE(readAll(SettingsFile), written);
        QVERIFY(messages->shown.isEmpty());
    }

    // Clicks on Save Positions (S) and Restore Defaults (R) after a start from a file that says "No"; then the window
    // is moved and closed.
    void menuClicksDecideTheExit_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("outcome"); // "unchanged", "saved" or "restored"
        const auto row = [](const char* name, const char* clicks, const char* outcome) {
            QTest::newRow(name) << QString::fromLatin1(clicks) << QString::fromLatin1(outcome);
        };
        row("none", "", "unchanged");
        row("S: the first click only clears the mark", "S", "unchanged");
        row("SS", "SS", "saved");
        row("R", "R", "restored");
        row("RR: checked then unchecked", "RR", "unchanged");
        row("SSR", "SSR", "restored");
        row("RS", "RS", "saved");
    }

    void menuClicksDecideTheExit()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, outcome);
        writeRaw(SettingsFile, settingsText(kStoredNumbers, "No", "No"));
        test::ScopedMessages messages;
        start();
        bool saveMark = true;
        bool restoreMark = false;
        for (QChar click : clicks) {
            window_->move(10, 20);
            if (click == u'S') {
                action("mnuSavePositions")->trigger();
                saveMark = !saveMark;
                restoreMark = restoreMark && !saveMark;
            } else {
                messages->clear();
                if (!restoreMark)
                    messages->answerNext(MsgAnswer::Ok);
                action("mnuCenter")->trigger();
                restoreMark = !restoreMark;
                saveMark = saveMark && !restoreMark;
                QCOMPARE(messages->shown.size(), restoreMark ? 1 : 0);
                QCOMPARE(messages->unexpected, 0);
                QCOMPARE(isCentred(window_), restoreMark); // at once
            }
            QCOMPARE(action("mnuSavePositions")->isChecked(), saveMark);
            QCOMPARE(action("mnuCenter")->isChecked(), restoreMark);
        }
        // The marks only decide what the exit does: windows still open at their stored places.
        QCOMPARE(windowPosTwips(window_->windows().open(CalculatorWindow::kFormName)), QPoint(4500, 600));
        if (restoreMark) {
            QCOMPARE(messages->shown[0].text,
                     QStringLiteral("The program defaults have been reset.\n"
                                    "This will take affect the next time this program is run."));
            QCOMPARE(messages->shown[0].buttons, MsgButtons::Ok);
            QCOMPARE(messages->shown[0].icon, MsgIcon::None);
        }

        window_->move(300, 400);
        exit();
        test::StoredNumbers saved = kStoredNumbers;
        saved[0] = 4500;
        saved[1] = 6000;
        QCOMPARE(readAll(SettingsFile), outcome == u"saved"      ? settingsText(saved, "No", "No")
                                        : outcome == u"restored" ? settingsText(kStoredNumbers, "Yes", "No")
                                                                 : settingsText(kStoredNumbers, "No", "No"));
    }

    // Each window opens centred at its opening size or at its stored place (the note editor at its stored size too, the
    // key named for the height holding the width), keeps its place as it closes, and is written where it is when it is
    // still open at exit, by an exit that does not save the positions too (a file's Save Positions mark is only shown).
    void windowPlaces_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("centre");
        QTest::addColumn<QPoint>("stored");      // twips
        QTest::addColumn<QSize>("openingSize");  // twips, outer
        QTest::addColumn<QByteArray>("written"); // with the window moved to 60, 70 pixels
        const auto row = [](const char* name, const char* entry, const char* centre, QPoint stored, QSize size,
                            const test::StoredNumbers& written) {
            QTest::newRow(name) << QString::fromLatin1(entry) << QByteArray(centre) << stored << size
                                << settingsText(written, centre, "No");
        };
        row("calculator", "mnuCalculator", "No", {4500, 600}, {2895, 3330},
            {1500, 3000, 900, 1050, 300, 150, 600, 900, 7200, 5400, 0});
        row("calculator, centred", "mnuCalculator", "Yes", {}, {2895, 3330},
            {1500, 3000, 900, 1050, 300, 150, 600, 900, 7200, 5400, 0});
        row("table editor", "mnuTableEditor", "No", {300, 150}, {5700, 6180},
            {1500, 3000, 4500, 600, 900, 1050, 600, 900, 7200, 5400, 0});
        // Resized to 500 by 400 pixels, the frame it allows for added.
        row("note editor", "mnuNoteEditor", "No", {600, 900}, {7200, 5400},
            {1500, 3000, 4500, 600, 300, 150, 900, 1050, 7620, 6420, 0});
        row("note editor, centred at its opening size", "mnuNoteEditor", "Yes", {}, {7200, 5400},
            {1500, 3000, 4500, 600, 300, 150, 900, 1050, 7200, 5400, 0});
    }

    void windowPlaces()
    {
        QFETCH(QString, entry);
        QFETCH(QByteArray, centre);
        QFETCH(QPoint, stored);
        QFETCH(QSize, openingSize);
        writeRaw(SettingsFile, settingsText(kStoredNumbers, centre, "No"));
        writeRaw(dir_->filePath(QStringLiteral("Length.tbl")), "Feet vs Meters\r\nFeet\r\nMeters\r\n0.3048\r\n\r\n");
        start();
        QVERIFY(
            test::chooseFromList(window_->findChild<QComboBox*>(QStringLiteral("Combo2")), QStringLiteral("Length")));
        const bool notes = entry == u"mnuNoteEditor";
        const auto open = [&] {
            action(qPrintable(entry))->trigger();
            return QPointer<QWidget>(window_->windows().loadedWindows().constLast());
        };
        QPointer<QWidget> window = open();
        QCOMPARE(window->pos(), pixelsOf(stored.isNull() ? centredTwips(openingSize) : stored));
        if (notes)
            QCOMPARE(window->size(), QSize(472, 332)); // 7200 by 5400 twips less the frame the window allows for
        window->move(40, 50);
        if (notes)
            window->resize(500, 400);
        QVERIFY(window->close());
        QTRY_VERIFY(window.isNull());

        window = open();
        QCOMPARE(window->pos(), stored.isNull() ? pixelsOf(centredTwips(openingSize)) : QPoint(40, 50));
        if (notes)
            QCOMPARE(window->size(), stored.isNull() ? QSize(472, 332) : QSize(500, 400));
        window->move(60, 70);
        exit();
        QTEST(readAll(SettingsFile), "written");
    }

    // Save Positions at exit: an open calculator is stored where it is, and a maximised note editor keeps its last
    // normal place and size; the next start opens it maximised with them underneath.
    void maximisedNoteEditor()
    {
        writeRaw(SettingsFile, settingsText(kStoredNumbers, "No", "No"));
        start();
        action("mnuNoteEditor")->trigger();
        QPointer<QWidget> editor = window_->windows().loaded(NoteEditorWindow::kFormName);
        editor->setWindowState(Qt::WindowMaximized);
        action("mnuCalculator")->trigger();
        window_->windows().loaded(CalculatorWindow::kFormName)->move(30, 40);
        action("mnuSavePositions")->trigger();
        action("mnuSavePositions")->trigger();
        window_->move(20, 10);
        exit(); // nothing typed: no question
        QCOMPARE(readAll(SettingsFile),
                 settingsText({300, 150, 450, 600, 300, 150, 600, 900, 7200, 5400, 2}, "No", "No"));

        start();
        action("mnuNoteEditor")->trigger();
        editor = window_->windows().loaded(NoteEditorWindow::kFormName);
        QVERIFY(editor->isMaximized());
        editor->setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(editor->size(), QSize(472, 332));
        QCOMPARE(editor->pos(), pixelsOf({600, 900}));
        delete editor;
    }

    // The find dialog opens where it was last closed, for as long as the program runs; the file never holds it.
    void findDialogKeepsItsPlaceForTheRun()
    {
        writeRaw(SettingsFile, settingsText(kStoredNumbers, "No", "No"));
        start();
        action("mnuNoteEditor")->trigger();
        QWidget* editor = window_->windows().loaded(NoteEditorWindow::kFormName);
        editor->findChild<QAction*>(QStringLiteral("mnuFind"))->trigger();
        QPointer<QWidget> find = window_->windows().loaded(FindDialog::kFormName);
        QCOMPARE(windowPosTwips(find), QPoint(0, 0)); // its place for the run starts at 0, 0
        find->move(200, 100);
        QVERIFY(find->close());
        QTRY_VERIFY(find.isNull());
        editor->findChild<QAction*>(QStringLiteral("tlbFind"))->trigger();
        find = window_->windows().loaded(FindDialog::kFormName);
        QCOMPARE(find->pos(), QPoint(200, 100));
        QVERIFY(QTest::qWaitForWindowActive(find));
        QCOMPARE(find->pos(), QPoint(200, 100)); // placed again at its first activation, at the same place
        action("mnuSavePositions")->trigger();
        action("mnuSavePositions")->trigger();
        exit();
        QVERIFY(!readAll(SettingsFile).contains("Find"));
    }

    // Settings that cannot be written are lost without a word, and nothing is left beside them. A named pipe in the
    // settings file's place would block the start for good if it were opened: the start is a first run.
    void unwritableSettingsAreLostQuietly_data()
    {
        QTest::addColumn<QString>("why");
        for (const char* why : {"read-only folder", "read-only file", "full disk", "named pipe"})
            QTest::newRow(why) << QString::fromLatin1(why);
    }

    void unwritableSettingsAreLostQuietly()
    {
        QFETCH(QString, why);
        const QByteArray old = settingsText(kStoredNumbers, "No", "No");
        std::optional<test::ReadOnlyScope> readOnly;
        if (why == u"named pipe") {
            QCOMPARE(::mkfifo(QFile::encodeName(SettingsFile).constData(), 0600), 0);
        } else {
            writeRaw(SettingsFile, old);
            if (why.startsWith(u"read-only")) {
                readOnly.emplace(SettingsFile, why == u"read-only folder");
                if (!readOnly->blocksWrites())
                    QSKIP("permissions do not stop this user (root?)");
            }
        }
        test::ScopedMessages messages;
        start();
        QCOMPARE(tips_, why == u"named pipe" ? 1 : 0);
        action("mnuSavePositions")->trigger();
        action("mnuSavePositions")->trigger();
        window_->move(300, 400);
        {
            std::optional<test::FileSizeLimitScope> full;
            if (why == u"full disk")
                full.emplace(64);
            exit();
        }
        QVERIFY(messages->shown.isEmpty());
        QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Mensurix.ini")});
        if (why == u"named pipe")
            QVERIFY(!QFileInfo(SettingsFile).isFile());
        else
            QCOMPARE(readAll(SettingsFile), old);
    }

    // A window that refuses to close cancels the exit. The file is written by then, but the run goes on under the
    // preference it had: windows opened after it still centre themselves.
    void cancelledExitKeepsThePlacementRule()
    {
        start();
        action("mnuSavePositions")->trigger();
        int asked = 0;
        window_->windows().addWindow({.formName = QStringLiteral("frmStubborn"), .openingSizeTwips = {3000, 2000}},
                                     [&asked] { return new test::ClosingHook([&asked] { return ++asked < 0; }); });
        QPointer<QWidget> stubborn = window_->windows().open(QStringLiteral("frmStubborn"));
        QVERIFY(!window_->close());
        QVERIFY(window_->isVisible());
        QCOMPARE(asked, 1); // asked once, not again and again
        QVERIFY(readAll(SettingsFile).contains("Center All Forms=No"));
        QCOMPARE(window_->windows().open(CalculatorWindow::kFormName)->pos(), pixelsOf(centredTwips({2895, 3330})));
        delete stubborn;
        exit();
    }

    // Unticking "Show Tips at Startup" is kept, while every stored place is still 0.
    void untickedTipStaysAway()
    {
        dialogs_->answer(TipWindow::kFormName, [this](QDialog& tip) {
            ++tips_;
            tip.show();
            QTest::mouseClick(tip.findChild<QCheckBox*>(QStringLiteral("chkLoadTipsAtStartup")), Qt::LeftButton);
            return int(QDialog::Accepted);
        });
        start();
        QCOMPARE(tips_, 1);
        exit();
        QCOMPARE(readAll(SettingsFile), settingsText({}, "Yes", "No"));
    }

    void aboutQuorvaneOpensTheLocalPage()
    {
        QList<QUrl> opened;
        const ShellOpenHandler previous = setShellOpenHandler([&opened](const QUrl& url) {
            opened.append(url);
            return false; // ignored
        });
        const auto restore = qScopeGuard([&] { setShellOpenHandler(previous); });
        start();
        action("mnuQuorvane")->trigger();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(dir_->filePath(QStringLiteral("quorvane.htm")))});
    }

    // The Humidity tab's barometric pressure: taken from the file (one written by hand too), chosen in its dialog,
    // shown on the tab, and written only when it is not the standard atmosphere, after "Startup Tips".
    void barometricPressure_data()
    {
        QTest::addColumn<QByteArray>("humidity"); // what the file holds after the keys of the exit
        QTest::addColumn<QString>("choice");  // in the dialog: "" not opened, "cancel", "standard" or an altitude in ft
        QTest::addColumn<QString>("caption"); // on the Humidity tab; empty: none shown
        QTest::addColumn<QByteArray>("written"); // what the exit leaves after those keys
        const QByteArray key = "[Humidity]\r\nBarometric Pressure=";
        const QString denver = QStringLiteral("At 24.90 inHg (5,000 ft)");
        const QString none;
        // clang-format off
        QTest::newRow("standard") << QByteArray() << none << none << QByteArray();
        QTest::newRow("written by hand") << key + "24.896\r\n" << none << denver << key + "24.896\r\n";
        QTest::newRow("not a number: standard") << key + "high\r\n" << none << none << QByteArray();
        QTest::newRow("too long to read") << key + QByteArray(130, '2') + "\r\n" << none << none << QByteArray();
        QTest::newRow("what else the section holds stays") << key + "high\r\n; mine\r\n" << none << none
                                                           << QByteArray("[Humidity]\r\n; mine\r\n");
        QTest::newRow("chosen") << QByteArray() << "5000" << denver << key + "24.896\r\n";
        QTest::newRow("back to standard") << key + "20.577\r\n" << "standard" << none << QByteArray();
        QTest::newRow("cancelled") << key + "20.577\r\n" << "cancel" << "At 20.58 inHg (10,000 ft)"
                                   << key + "20.577\r\n";
        // clang-format on
    }

    void barometricPressure()
    {
        QFETCH(QByteArray, humidity);
        QFETCH(QString, choice);
        QFETCH(QString, caption);
        const QByteArray stored = settingsText(kStoredNumbers, "No", "No");
        writeRaw(SettingsFile, stored + humidity);
        dialogs_->answer(BarometerDialog::kFormName, [choice](QDialog& dialog) {
            if (choice == u"cancel")
                return int(QDialog::Rejected);
            const bool standard = choice == u"standard";
            dialog.findChild<QRadioButton*>(standard ? QStringLiteral("optStandard") : QStringLiteral("optAltitude"))
                ->setChecked(true);
            if (!standard)
                dialog.findChild<QLineEdit*>(QStringLiteral("txtAltitude"))->setText(choice);
            dialog.accept();
            return dialog.result();
        });
        start();
        QSignalSpy changed(window_->findChild<HumidityPanel*>(), &HumidityPanel::pressureChanged);
        if (!choice.isEmpty())
            action("mnuBarometricPressure")->trigger();
        QCOMPARE(changed.size(), choice.isEmpty() || choice == u"cancel" ? 0 : 1);
        QCOMPARE(dialogs_->opened.count(BarometerDialog::kFormName), choice.isEmpty() ? 0 : 1);
        window_->findChild<TabStrip*>()->chooseTab(1);
        const auto* shown = window_->findChild<QLabel*>(QStringLiteral("lblPressure"));
        QCOMPARE(shown->isVisible(), !caption.isEmpty());
        if (!caption.isEmpty())
            QCOMPARE(shown->text(), caption);
        exit();
        QFETCH(QByteArray, written);
        QCOMPARE(readAll(SettingsFile), stored + written);
    }

    // A portable folder that may not be written: its settings and notes are read until the user has copies of their
    // own, the user is told once where changes go, and the first writes copy the files over with all they held.
    void lockedPortableFolder()
    {
        const QString program = dir_->filePath(QStringLiteral("program"));
        const FilePlaces places(program, dir_->filePath(QStringLiteral("data")),
                                dir_->filePath(QStringLiteral("config")), FilePlaces::Layout::ReadOnlyFolder);
        QVERIFY(QDir().mkpath(program) && places.makeUserFolders());
        const QByteArray folderSettings = settingsText(kStoredNumbers, "No", "No") + "[Mine]\r\nKept=1\r\n";
        writeRaw(places.shipped(QStringLiteral("Mensurix.ini")), folderSettings);
        writeRaw(places.shipped(QStringLiteral("MXNotes.rtf")), "{\\rtf1 The folder's notes\\par}");

        test::ScopedMessages messages;
        messages->answerNext(MsgAnswer::Ok);
        start(places);
        QCOMPARE(tips_, 0); // the folder's "Show Tips=No"
        QCOMPARE(window_->pos(), pixelsOf({1500, 3000}));
        QCOMPARE(messages->described(),
                 QStringList{
                     QStringLiteral("Mensurix [Ok Information] Mensurix cannot save in its folder \"%1/\".  From now "
                                    "on it keeps your settings in \"%2/config/\", and your notes, the tables you "
                                    "edit and your place in the tips of the day in \"%2/data/\".")
                         .arg(program, dir_->path())});
        action("mnuNoteEditor")->trigger();
        QWidget* editor = window_->windows().loaded(NoteEditorWindow::kFormName);
        QCOMPARE(editor->findChild<QTextEdit*>(QStringLiteral("RTF"))->toPlainText(),
                 QStringLiteral("The folder's notes"));
        QVERIFY(QFileInfo::exists(places.own(QStringLiteral("MXNotes.rtf"))));
        exit();
        QCOMPARE(readAll(places.config(QStringLiteral("Mensurix.ini"))), folderSettings);
        QCOMPARE(readAll(places.shipped(QStringLiteral("Mensurix.ini"))), folderSettings);

        start(places);
        QCOMPARE(messages->shown.size(), 1); // once
        exit();
    }

private:
    void start() { start(dir_->path()); }
    void start(const FilePlaces& places)
    {
        window_ = new MainWindow(places);
        QSignalSpy started(window_, &MainWindow::started);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
        QTRY_COMPARE(started.size(), 1);
    }

    void exit()
    {
        QVERIFY(window_->close());
        delete window_; // deleted on close, but only once an event loop gets to it
    }

    QAction* action(const char* name) const { return window_->findChild<QAction*>(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::ScriptedDialogs> dialogs_;
    QPointer<MainWindow> window_;
    int tips_ = 0;
};

MX_REGISTER_TEST(SettingsTest)
#include "tst_settings.moc"
