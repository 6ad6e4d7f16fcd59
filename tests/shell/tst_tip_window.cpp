#include "shell/tip_window.h"

#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"
#include "window_helpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace mx;
using namespace Qt::StringLiterals;

class TipWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The program's font is sized in pixels, which report no point size.
    void initTestCase()
    {
        bodyFont_ = QApplication::font();
        QFont pixels = bodyFont_;
        pixels.setPixelSize(11);
        QApplication::setFont(pixels);
    }
    void cleanupTestCase() { QApplication::setFont(bodyFont_); }

    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), "First tip\r\nSecond <b>tip</b>\r\nThird tip\r\n"));
    }

    // From the files found, the tips shown after Next and the way the window is closed, and what the counter holds
    // then: OK, Enter and Escape write the tip last shown, the close box writes nothing.
    void closing_data()
    {
        QTest::addColumn<QByteArray>("tips");    // null: no tips file; "folder": a folder in its place
        QTest::addColumn<QByteArray>("counter"); // "pipe": a named pipe in its place
        QTest::addColumn<int>("nextClicks");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("lastShown"); // as text, not markup
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("message");
        const QByteArray tips = "First tip\r\nSecond <b>tip</b>\r\nThird tip\r\n";
        const auto row = [](const char* name, const QByteArray& tipsFile, const char* counter, int next,
                            const QString& how, const QString& shown, const char* written,
                            const QString& message = {}) {
            QTest::newRow(name) << tipsFile << QByteArray(counter) << next << how << shown << QByteArray(written)
                                << message;
        };
        row("OK after Next", tips, " 1\r\n", 1, u"OK"_s, u"Third tip"_s, " 3\r\n");
        row("Escape presses OK", tips, " 1\r\n", 0, u"Escape"_s, u"Second <b>tip</b>"_s, " 2\r\n");
        row("Enter presses OK", tips, " 1\r\n", 0, u"Enter"_s, u"Second <b>tip</b>"_s, " 2\r\n");
        row("close box leaves the file", tips, " 1\r\n", 1, u"close"_s, u"Third tip"_s, " 1\r\n");
        row("no tips file", {}, " 2\r\n", 0, u"OK"_s,
            u"That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT using NotePad "
            "with 1 tip per line. Then place it in the same directory as the application. "_s,
            " 0\r\n");
        row("tips file unreadable", "folder", " 2\r\n", 0, u"OK"_s,
            u"The TIPOFDAY.TXT file was found but could not be read. \r\n\r\nMake sure it is a plain text file of at "
            "most 1 MB with 1 tip per line, and that you may read it. "_s,
            " 0\r\n");
        row("empty tips file", "", nullptr, 1, u"OK"_s, QString(), " 1\r\n");
        row("counter in the way", tips, "pipe", 0, u"OK"_s, u"First tip"_s, nullptr,
            u"Mensurix [Ok Exclamation] The file \"@\" could not be saved: it is not a regular file."_s);
    }

    void closing()
    {
        QFETCH(QByteArray, tips);
        QFETCH(QByteArray, counter);
        QFETCH(int, nextClicks);
        QFETCH(QString, how);
        QFETCH(QString, message);
        QFile::remove(path(u"TIPOFDAY.TXT"_s));
        if (tips == "folder")
            QVERIFY(QDir(dir_->path()).mkdir(u"TIPOFDAY.TXT"_s));
        else
            QVERIFY(tips.isNull() || test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), tips));
        if (counter == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path(u"CURRENTTIP.TIP"_s)).constData(), 0600), 0);
        else if (!counter.isNull())
            QVERIFY(test::writeFileBytes(path(u"CURRENTTIP.TIP"_s), counter));
        test::ScopedMessages messages;
        messages->answerNext(MsgAnswer::Ok);
        TipWindow window(dir_->path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(button(window, u"cmdNextTip"_s)->isEnabled(), !tips.isNull() && tips != "folder");
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
        QTEST(QFileInfo(path(u"CURRENTTIP.TIP"_s)).isFile() ? test::readFileBytes(path(u"CURRENTTIP.TIP"_s))
                                                            : QByteArray(),
              "written");
        QCOMPARE(messages->described().join(u'\n'), message.replace(u'@', path(u"CURRENTTIP.TIP"_s)));
    }

    // Opened, the box is ticked; each click on it is reported.
    void namesAndStartupBox()
    {
        auto window = std::make_unique<TipWindow>(dir_->path());
        QCOMPARE(test::describeCaptions(window.get()),
                 u"frmTip \"Tip of the Day\": Picture1=<picture>, Label1=Did you know..., lblTipText=First tip, "
                 "chkLoadTipsAtStartup=&Show Tips at Startup, cmdNextTip=&Next Tip, cmdOK=OK"_s);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QSignalSpy changed(window.get(), &TipWindow::showTipsAtStartupChanged);
        auto* box = window->findChild<QCheckBox*>(u"chkLoadTipsAtStartup"_s);
        QVERIFY(box->isChecked());
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

    // A tip longer than the box wraps and scrolls, and the next tip is read from its start. The heading stands
    // out above the tip.
    void longTipScrolls()
    {
        QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), "Read on. " + QByteArray("Long tip. ").repeated(120) +
                                                                  "The end.\r\nShort tip.\r\n"));
        TipWindow window(dir_->path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QLabel* label = tipText(window);
        auto* scroller = window.findChild<QScrollArea*>(u"scrTipText"_s);
        QVERIFY(label->text().endsWith(u"The end."_s));
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
        QVERIFY(label->width() <= scroller->viewport()->width());
        QVERIFY(scroller->verticalScrollBar()->maximum() > 0);
        scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
        button(window, u"cmdNextTip"_s)->click();
        QCOMPARE(label->text(), u"Short tip."_s);
        QCOMPARE(scroller->verticalScrollBar()->value(), 0);

        const QFontInfo heading(window.findChild<QLabel*>(u"Label1"_s)->font());
        QVERIFY(heading.bold());
        QVERIFY(heading.pixelSize() > QFontInfo(label->font()).pixelSize());
    }

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    static QLabel* tipText(const QWidget& w) { return w.findChild<QLabel*>(u"lblTipText"_s); }
    static QPushButton* button(const QWidget& w, const QString& name) { return w.findChild<QPushButton*>(name); }

    std::unique_ptr<QTemporaryDir> dir_;
    QFont bodyFont_;
};

MX_REGISTER_TEST(TipWindowTest)
#include "tst_tip_window.moc"
