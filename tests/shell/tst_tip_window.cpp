#include "shell/tip_window.h"

#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace mx;
using namespace Qt::StringLiterals;

class TipWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), "First tip\r\nSecond <b>tip</b>\r\nThird tip\r\n"));
    }

    void namesAndCaptions()
    {
        TipWindow window(dir_->path());
        QCOMPARE(window.objectName(), u"frmTip"_s);
        QCOMPARE(window.windowTitle(), u"Tip of the Day"_s);
        QCOMPARE(window.size(), QSize(369, 246));
        QCOMPARE(window.findChild<QLabel*>(u"Label1"_s)->text(), u"Did you know..."_s);
        QVERIFY(!window.findChild<QLabel*>(u"Picture1"_s)->pixmap().isNull());
        auto* box = window.findChild<QCheckBox*>(u"chkLoadTipsAtStartup"_s);
        QCOMPARE(box->text(), u"&Show Tips at Startup"_s);
        QVERIFY(box->isChecked());
        QCOMPARE(button(window, u"cmdNextTip"_s)->text(), u"&Next Tip"_s);
        QCOMPARE(button(window, u"cmdOK"_s)->text(), u"OK"_s);
        QCOMPARE(tipText(window)->text(), u"First tip"_s);
    }

    void closing_data()
    {
        QTest::addColumn<int>("nextClicks");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("lastShown");
        QTest::addColumn<QByteArray>("counter");
        // The counter starts at 1, so the window opens on the second tip, shown as text, not markup.
        QTest::newRow("OK after Next") << 1 << u"OK"_s << u"Third tip"_s << QByteArray(" 3\r\n");
        QTest::newRow("Escape presses OK") << 0 << u"Escape"_s << u"Second <b>tip</b>"_s << QByteArray(" 2\r\n");
        QTest::newRow("Enter presses OK") << 0 << u"Enter"_s << u"Second <b>tip</b>"_s << QByteArray(" 2\r\n");
        QTest::newRow("close box leaves the file") << 1 << u"close"_s << u"Third tip"_s << QByteArray(" 1\r\n");
    }

    void closing()
    {
        QFETCH(int, nextClicks);
        QFETCH(QString, how);
        QVERIFY(test::writeFileBytes(path(u"CURRENTTIP.TIP"_s), " 1\r\n"));
        TipWindow window(dir_->path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int i = 0; i < nextClicks; ++i)
            QTest::mouseClick(button(window, u"cmdNextTip"_s), Qt::LeftButton);
        QTEST(tipText(window)->text(), "lastShown");
        QCOMPARE(tipText(window)->textFormat(), Qt::PlainText);

        if (how == u"OK")
            QTest::mouseClick(button(window, u"cmdOK"_s), Qt::LeftButton);
        else if (how == u"Escape")
            QTest::keyClick(&window, Qt::Key_Escape);
        else if (how == u"Enter")
            QTest::keyClick(&window, Qt::Key_Return);
        else
            window.close();
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), how == u"close" ? QDialog::Rejected : QDialog::Accepted);
        QTEST(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), "counter");
    }

    void missingTipsFile()
    {
        QVERIFY(QFile::remove(path(u"TIPOFDAY.TXT"_s)));
        QVERIFY(test::writeFileBytes(path(u"CURRENTTIP.TIP"_s), " 2\r\n"));
        TipWindow window(dir_->path());
        QCOMPARE(
            tipText(window)->text(),
            u"That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT using NotePad "
            "with 1 tip per line. Then place it in the same directory as the application. "_s);
        QVERIFY(!button(window, u"cmdNextTip"_s)->isEnabled());
        button(window, u"cmdOK"_s)->click();
        QCOMPARE(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), QByteArray(" 0\r\n"));
    }

    // A tips file that is there but cannot be read is not called missing.
    void unreadableTipsFile()
    {
        QVERIFY(QFile::remove(path(u"TIPOFDAY.TXT"_s)));
        QVERIFY(QDir(dir_->path()).mkdir(u"TIPOFDAY.TXT"_s));
        TipWindow window(dir_->path());
        QCOMPARE(tipText(window)->text(),
                 u"The TIPOFDAY.TXT file was found but could not be read. \r\n\r\nMake sure it is a plain text file of "
                 "at most 1 MB with 1 tip per line, and that you may read it. "_s);
        QVERIFY(!button(window, u"cmdNextTip"_s)->isEnabled());
    }

    void emptyTipsFile()
    {
        QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), {}));
        TipWindow window(dir_->path());
        QCOMPARE(tipText(window)->text(), QString());
        QVERIFY(button(window, u"cmdNextTip"_s)->isEnabled());
        button(window, u"cmdNextTip"_s)->click();
        QCOMPARE(tipText(window)->text(), QString());
    }

    void showAtStartupBox()
    {
        auto window = std::make_unique<TipWindow>(dir_->path());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QSignalSpy changed(window.get(), &TipWindow::showTipsAtStartupChanged);
        auto* box = window->findChild<QCheckBox*>(u"chkLoadTipsAtStartup"_s);
        for (bool expected : {false, true, false}) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            QCOMPARE(window->showTipsAtStartup(), expected);
            QCOMPARE(changed.takeFirst().at(0).toBool(), expected);
        }
        // Opened again (Help > Show tip of the day), the box is ticked whatever it was.
        window = std::make_unique<TipWindow>(dir_->path());
        QVERIFY(window->showTipsAtStartup());
        QVERIFY(window->findChild<QCheckBox*>(u"chkLoadTipsAtStartup"_s)->isChecked());
    }

    void counterInTheWayIsReported()
    {
        const QString counter = path(u"CURRENTTIP.TIP"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(counter).constData(), 0600), 0);
        test::ScopedMessages messages;
        messages->answerNext(MsgAnswer::Ok);
        TipWindow window(dir_->path());
        QCOMPARE(tipText(window)->text(), u"First tip"_s);
        window.show();
        button(window, u"cmdOK"_s)->click();
        QCOMPARE(messages->shown.size(), 1);
        QCOMPARE(messages->shown[0].text,
                 u"The file \"%1\" could not be saved: it is not a regular file."_s.arg(counter));
        QCOMPARE(messages->shown[0].icon, MsgIcon::Exclamation);
        QCOMPARE(messages->shown[0].title, u"Mensurix"_s);
        QVERIFY(!window.isVisible());
        QVERIFY(!QFileInfo(counter).isFile());
    }

    void shippedTipsFitTheLabel()
    {
        // Shipped as Windows-made text: every line ends in CR LF.
        const QByteArray shipped = test::readFileBytes(QStringLiteral(MX_DATA_DIR "/TIPOFDAY.TXT"));
        QVERIFY(shipped.endsWith("\r\n") && shipped.count('\n') == shipped.count("\r\n"));
        QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), shipped));
        TipWindow window(dir_->path());
        QLabel* label = tipText(window);
        const QString first = label->text();
        int shown = 0;
        do {
            QVERIFY2(!label->text().trimmed().isEmpty(), "an empty line shows as an empty tip");
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->text()));
            button(window, u"cmdNextTip"_s)->click();
        } while (++shown < 1000 && label->text() != first);
        QVERIFY(shown >= 20);
    }

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    static QLabel* tipText(const QWidget& w) { return w.findChild<QLabel*>(u"lblTipText"_s); }
    static QPushButton* button(const QWidget& w, const QString& name) { return w.findChild<QPushButton*>(name); }

    std::unique_ptr<QTemporaryDir> dir_;
};

MX_REGISTER_TEST(TipWindowTest)
#include "tst_tip_window.moc"
