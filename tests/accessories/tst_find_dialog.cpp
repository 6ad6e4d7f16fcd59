#include "accessories/find_dialog.h"
#include "accessories/note_editor_window.h"

#include "scripted_messages.h"
#include "test_registry.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

using namespace mx;
using namespace Qt::StringLiterals;
using mx::test::ScopedMessages;

class FindDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void opensAsDesigned();
    void searches_data();
    void searches();
    void searchesKeepGoingAcrossOpenings();
    void matchesPast32767();
    void cancelAndEscapeClose_data();
    void cancelAndEscapeClose();
    void placedOnceAtActivation();

private:
    FindDialog* openDialog();
    void setBox(const char* name, bool ticked)
    {
        dialog_->findChild<QCheckBox*>(QString::fromLatin1(name))->setChecked(ticked);
    }
    void click(const char* name)
    {
        QTest::mouseClick(dialog_->findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    }

    QTemporaryDir dir_;
    QPointer<NoteEditorWindow> editor_;
    QPointer<FindDialog> dialog_;
    std::unique_ptr<FindPositions> positions_;
};

void FindDialogTest::init()
{
    positions_ = std::make_unique<FindPositions>(); // a new run
    editor_ = new NoteEditorWindow(dir_.filePath(u"MXNotes.rtf"_s));
    editor_->textBox()->setPlainText(u"A note and a Note"_s);
}

void FindDialogTest::cleanup()
{
    delete dialog_;
    delete editor_;
}

FindDialog* FindDialogTest::openDialog()
{
    delete dialog_;
    dialog_ = new FindDialog(*positions_);
    dialog_->setSearch(
        [this](const FindSearch& search) { return editor_->findText(search.text, search.from, search.options); });
    dialog_->show();
    return QTest::qWaitForWindowExposed(dialog_) ? dialog_.data() : nullptr;
}

void FindDialogTest::opensAsDesigned()
{
    QVERIFY(openDialog());
    QCOMPARE(dialog_->objectName(), u"frmFind"_s);
    QCOMPARE(dialog_->windowTitle(), u"Find"_s);
    QVERIFY(dialog_->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(dialog_->findChild<QLabel*>(u"Label1"_s)->text(), u"Enter a word or several words to search for"_s);
    QCOMPARE(dialog_->findChild<QCheckBox*>(u"Check1"_s)->text(), u"Match Case"_s);
    QCOMPARE(dialog_->findChild<QCheckBox*>(u"Check2"_s)->text(), u"Whole Word"_s);
    QCOMPARE(dialog_->findChild<QPushButton*>(u"Command1"_s)->text(), u"Find First"_s);
    QCOMPARE(dialog_->findChild<QPushButton*>(u"Command2"_s)->text(), u"Find Next"_s);
    QCOMPARE(dialog_->findChild<QPushButton*>(u"Command3"_s)->text(), u"Cancel"_s);
    QVERIFY(dialog_->findChild<QLineEdit*>(u"Text1"_s)->text().isEmpty());
    for (QWidget* control : dialog_->findChildren<QWidget*>()) {
        QVERIFY2(!control->accessibleName().isEmpty() || qobject_cast<QLabel*>(control),
                 qPrintable(control->objectName()));
        // Captions fit their controls.
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            QVERIFY2(button->sizeHint().width() <= button->width() + 2, qPrintable(button->text()));
    }
    const AccessoryWindowTraits traits = FindDialog::traits();
    QCOMPARE(traits.formName, u"frmFind"_s);
    QCOMPARE(traits.openingSizeTwips, QSize(4695, 2085));
    QVERIFY(traits.leftKey.isEmpty()); // its place lasts for the run only
    QCOMPARE(traits.guard, PlacementGuard::SkipWhileMinimisedOrResizing);
}

void FindDialogTest::searches_data()
{
    // Each step: a button (First, Next), the text typed and the boxes ticked (c, w, -); then the text selected in the
    // editor after it, or "!" where "Match not found!" was shown (the selection staying as it was).
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("selections");
    QTest::newRow("first, next, miss, start again")
        << u"First note -; Next note -; Next note -; Next note -"_s << u"2 note; 13 Note; ! 13 Note; 2 note"_s;
    QTest::newRow("match case") << u"First note c; Next note c"_s << u"2 note; ! 2 note"_s;
    QTest::newRow("whole word") << u"First not w; First not -"_s << u"! ; 2 not"_s;
    QTest::newRow("new text between first and next") << u"First note -; Next a -"_s << u"2 note; 7 a"_s;
    QTest::newRow("whole word and match case") << u"First a cw; First A cw"_s << u"11 a; 0 A"_s;
    QTest::newRow("empty text") << u"First  -"_s << u"! "_s;
}

void FindDialogTest::searches()
{
    QFETCH(QString, steps);
    QFETCH(QString, selections);
    QVERIFY(openDialog());
    ScopedMessages messages;
    const QStringList stepList = steps.split(u"; "_s);
    const QStringList expected = selections.split(u"; "_s);
    QCOMPARE(stepList.size(), expected.size());
    for (qsizetype i = 0; i < stepList.size(); ++i) {
        const QStringList step = stepList[i].split(u' ');
        dialog_->findChild<QLineEdit*>(u"Text1"_s)->setText(step[1]);
        setBox("Check1", step[2].contains(u'c'));
        setBox("Check2", step[2].contains(u'w'));
        const bool miss = expected[i].startsWith(u'!');
        if (miss)
            messages->answerNext(MsgAnswer::Ok);
        const qsizetype shownBefore = messages->shown.size();
        click(step[0] == u"First" ? "Command1" : "Command2");
        const QTextCursor cursor = editor_->textBox()->textCursor();
        const QString selection =
            cursor.hasSelection() ? u"%1 %2"_s.arg(cursor.selectionStart()).arg(cursor.selectedText()) : u""_s;
        QCOMPARE((miss ? u"! "_s : u""_s) + selection, expected[i]);
        QCOMPARE(messages->shown.size(), shownBefore + (miss ? 1 : 0));
        if (miss) {
            QCOMPARE(messages->shown.last().text, u"Match not found!"_s);
            QCOMPARE(messages->shown.last().buttons, MsgButtons::Ok);
            QCOMPARE(messages->shown.last().icon, MsgIcon::None);
        }
    }
}

// The text box and check boxes start blank each time, but the search goes on from the last match.
void FindDialogTest::searchesKeepGoingAcrossOpenings()
{
    QVERIFY(openDialog());
    dialog_->findChild<QLineEdit*>(u"Text1"_s)->setText(u"note"_s);
    setBox("Check1", true);
    click("Command1");
    QVERIFY(dialog_->close());
    QTRY_VERIFY(dialog_.isNull());
    QVERIFY(openDialog());
    QVERIFY(dialog_->findChild<QLineEdit*>(u"Text1"_s)->text().isEmpty());
    QVERIFY(!dialog_->findChild<QCheckBox*>(u"Check1"_s)->isChecked());
    QCOMPARE(positions_->findText(), u"note"_s);
    QCOMPARE(positions_->findOptions(), qint16(4));
    dialog_->findChild<QLineEdit*>(u"Text1"_s)->setText(u"note"_s);
    click("Command2");
    QCOMPARE(editor_->textBox()->textCursor().selectionStart(), 13);
}

void FindDialogTest::matchesPast32767()
{
    editor_->textBox()->setPlainText(QString(40000, u'x') + u" needle x needle"_s);
    QVERIFY(openDialog());
    dialog_->findChild<QLineEdit*>(u"Text1"_s)->setText(u"needle"_s);
    click("Command1");
    QCOMPARE(positions_->foundPos(), 40001);
    click("Command2");
    QCOMPARE(positions_->foundPos(), 40010);
    QCOMPARE(editor_->textBox()->textCursor().selectionStart(), 40010);
}

void FindDialogTest::cancelAndEscapeClose_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;
}

void FindDialogTest::cancelAndEscapeClose()
{
    QFETCH(bool, escape);
    QVERIFY(openDialog());
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
    if (escape)
        QTest::keyClick(dialog_->findChild<QLineEdit*>(u"Text1"_s), Qt::Key_Escape);
    else
        click("Command3");
    QTRY_VERIFY(dialog_.isNull());
}

void FindDialogTest::placedOnceAtActivation()
{
    int placed = 0;
    bool allowed = false; // the first activation comes while placement is held back
    dialog_ = new FindDialog(*positions_);
    dialog_->setPlacement([&] {
        ++placed;
        return allowed;
    });
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
    QCOMPARE(placed, 1);
    QVERIFY(!dialog_->positioned());
    allowed = true;
    editor_->show();
    editor_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor_));
    dialog_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
    QCOMPARE(placed, 2);
    QVERIFY(dialog_->positioned());
    editor_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor_));
    dialog_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog_));
    QCOMPARE(placed, 2); // not again once placed
}

MX_REGISTER_TEST(FindDialogTest)
#include "tst_find_dialog.moc"
