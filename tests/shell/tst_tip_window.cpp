#include "platform/dialog_service.h"
#include "shell/tip_window.h"
#include "shell/tips.h"

#include "scripted_dialogs.h"
#include "scripted_messages.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::ScopedMessages;

class TipWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void namesAndCaptions();
    void closing_data();
    void closing();
    void missingTipsFile();
    void emptyTipsFile();
    void showAtStartupBox();
    void failedCounterWriteIsReported();
    void tipsAreShownAsText();
    void shippedTipsFitTheLabel();
    void runsThroughTheDialogService();

private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    static QLabel* tipText(const QWidget& w) { return w.findChild<QLabel*>(u"lblTipText"_s); }
    static QPushButton* button(const QWidget& w, const QString& name) { return w.findChild<QPushButton*>(name); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TipWindowTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), "First tip\r\nSecond tip\r\nThird tip\r\n"));
}

void TipWindowTest::namesAndCaptions()
{
    TipWindow window(dir_->path());
    QCOMPARE(window.objectName(), u"frmTip"_s);
    QCOMPARE(window.windowTitle(), u"Tip of the Day"_s);
    QCOMPARE(window.size(), QSize(369, 246));
    QCOMPARE(window.findChild<QLabel*>(u"Label1"_s)->text(), u"Did you know..."_s);
    QVERIFY(window.findChild<QLabel*>(u"Picture1"_s));
    auto* box = window.findChild<QCheckBox*>(u"chkLoadTipsAtStartup"_s);
    QCOMPARE(box->text(), u"&Show Tips at Startup"_s);
    QVERIFY(box->isChecked());
    QCOMPARE(button(window, u"cmdNextTip"_s)->text(), u"&Next Tip"_s);
    QCOMPARE(button(window, u"cmdOK"_s)->text(), u"OK"_s);
    QVERIFY(button(window, u"cmdOK"_s)->isDefault());
    QCOMPARE(tipText(window)->text(), u"First tip"_s);
    for (QWidget* child : window.findChildren<QWidget*>())
        QVERIFY2(!child->accessibleName().isEmpty() || !child->accessibleDescription().isEmpty() ||
                     qobject_cast<QLabel*>(child),
                 qPrintable(child->objectName()));
}

void TipWindowTest::closing_data()
{
    QTest::addColumn<int>("nextClicks");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("lastShown");
    QTest::addColumn<QByteArray>("counter");
    QTest::addColumn<int>("result");
    // The counter starts at 1, so the window opens on the second tip.
    QTest::newRow("OK after Next") << 1 << u"OK"_s << u"Third tip"_s << QByteArray(" 3\r\n") << int(QDialog::Accepted);
    QTest::newRow("Next wraps round") << 2 << u"OK"_s << u"First tip"_s << QByteArray(" 1\r\n")
                                      << int(QDialog::Accepted);
    QTest::newRow("Escape presses OK") << 0 << u"Escape"_s << u"Second tip"_s << QByteArray(" 2\r\n")
                                       << int(QDialog::Accepted);
    QTest::newRow("Enter presses OK") << 0 << u"Enter"_s << u"Second tip"_s << QByteArray(" 2\r\n")
                                      << int(QDialog::Accepted);
    QTest::newRow("close box leaves the file")
        << 1 << u"close"_s << u"Third tip"_s << QByteArray(" 1\r\n") << int(QDialog::Rejected);
}

void TipWindowTest::closing()
{
    QFETCH(int, nextClicks);
    QFETCH(QString, how);
    QVERIFY(test::writeFileBytes(path(u"CURRENTTIP.TIP"_s), " 1\r\n"));
    TipWindow window(dir_->path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(tipText(window)->text(), u"Second tip"_s);
    for (int i = 0; i < nextClicks; ++i)
        QTest::mouseClick(button(window, u"cmdNextTip"_s), Qt::LeftButton);
    QTEST(tipText(window)->text(), "lastShown");

    if (how == u"OK")
        QTest::mouseClick(button(window, u"cmdOK"_s), Qt::LeftButton);
    else if (how == u"Escape")
        QTest::keyClick(&window, Qt::Key_Escape);
    else if (how == u"Enter")
        QTest::keyClick(&window, Qt::Key_Return);
    else
        window.close();
    QVERIFY(!window.isVisible());
    QTEST(window.result(), "result");
    QTEST(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), "counter");
}

void TipWindowTest::missingTipsFile()
{
    QVERIFY(QFile::remove(path(u"TIPOFDAY.TXT"_s)));
    QVERIFY(test::writeFileBytes(path(u"CURRENTTIP.TIP"_s), " 2\r\n"));
    TipWindow window(dir_->path());
    QCOMPARE(tipText(window)->text(),
             u"That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named TIPOFDAY.TXT using NotePad "
             "with 1 tip per line. Then place it in the same directory as the application. "_s);
    QVERIFY(!button(window, u"cmdNextTip"_s)->isEnabled());
    button(window, u"cmdOK"_s)->click();
    QCOMPARE(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), QByteArray(" 0\r\n"));
}

void TipWindowTest::emptyTipsFile()
{
    QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), {}));
    TipWindow window(dir_->path());
    QCOMPARE(tipText(window)->text(), QString());
    QVERIFY(button(window, u"cmdNextTip"_s)->isEnabled());
    button(window, u"cmdNextTip"_s)->click();
    QCOMPARE(tipText(window)->text(), QString());
}

void TipWindowTest::showAtStartupBox()
{
    TipWindow window(dir_->path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.showTipsAtStartup());
    QSignalSpy changed(&window, &TipWindow::showTipsAtStartupChanged);
    auto* box = window.findChild<QCheckBox*>(u"chkLoadTipsAtStartup"_s);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QVERIFY(!window.showTipsAtStartup());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QVERIFY(window.showTipsAtStartup());
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.at(0).at(0).toBool(), false);
    QCOMPARE(changed.at(1).at(0).toBool(), true);

    // Opened again (Help > Show tip of the day), the box is ticked whatever it was.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    window.close();
    TipWindow again(dir_->path());
    QVERIFY(again.showTipsAtStartup());
    QVERIFY(again.findChild<QCheckBox*>(u"chkLoadTipsAtStartup"_s)->isChecked());
}

void TipWindowTest::failedCounterWriteIsReported()
{
    QVERIFY(QDir(dir_->path()).mkdir(u"CURRENTTIP.TIP"_s));
    ScopedMessages messages;
    messages->answerNext(MsgAnswer::Ok);
    TipWindow window(dir_->path());
    window.show();
    button(window, u"cmdOK"_s)->click();
    QCOMPARE(messages->shown.size(), 1);
    QCOMPARE(messages->shown[0].text,
             u"The file \"%1\" could not be saved: it is not a regular file."_s.arg(path(u"CURRENTTIP.TIP"_s)));
    QCOMPARE(messages->shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(messages->shown[0].title, u"Mensurix"_s);
    QVERIFY(!window.isVisible());
    QVERIFY(QFileInfo(path(u"CURRENTTIP.TIP"_s)).isDir());
}

void TipWindowTest::tipsAreShownAsText()
{
    QVERIFY(test::writeFileBytes(path(u"TIPOFDAY.TXT"_s), "<b>Bold</b> &amp; \xb0"
                                                          "F\r\n"));
    TipWindow window(dir_->path());
    QCOMPARE(tipText(window)->text(), u"<b>Bold</b> &amp; °F"_s);
    QCOMPARE(tipText(window)->textFormat(), Qt::PlainText);
}

void TipWindowTest::shippedTipsFitTheLabel()
{
    QVERIFY(QFile::remove(path(u"TIPOFDAY.TXT"_s)));
    QVERIFY(QFile::copy(QStringLiteral(MX_DATA_DIR "/TIPOFDAY.TXT"), path(u"TIPOFDAY.TXT"_s)));
    TipWindow window(dir_->path());
    QLabel* label = tipText(window);
    const QString first = label->text();
    QVERIFY(!first.isEmpty());
    int shown = 0;
    do {
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->text()));
        button(window, u"cmdNextTip"_s)->click();
        ++shown;
    } while (label->text() != first && shown < 1000);
    QVERIFY(shown >= 20);
}

void TipWindowTest::runsThroughTheDialogService()
{
    test::ScriptedDialogs dialogs;
    dialogs.answer(u"frmTip"_s, [](QDialog& dialog) {
        dialog.findChild<QPushButton*>(u"cmdNextTip"_s)->click();
        dialog.findChild<QPushButton*>(u"cmdOK"_s)->click();
        return dialog.result();
    });
    TipWindow window(dir_->path());
    QCOMPARE(execDialog(window), int(QDialog::Accepted));
    QCOMPARE(dialogs.opened, QStringList{u"frmTip"_s});
    QCOMPARE(test::readFileBytes(path(u"CURRENTTIP.TIP"_s)), QByteArray(" 2\r\n"));
}

MX_REGISTER_TEST(TipWindowTest)
#include "tst_tip_window.moc"
