#include "accessories/find_dialog.h"
#include "accessories/note_editor_window.h"

#include "scripted_messages.h"
#include "test_registry.h"
#include "window_helpers.h"

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
    void init()
    {
        positions_ = std::make_unique<FindPositions>(); // a new run
        editor_ = new NoteEditorWindow(dir_.filePath(u"MXNotes.rtf"_s));
        editor_->textBox()->setPlainText(u"A note and a Note"_s);
    }

    void cleanup()
    {
        delete dialog_;
        delete editor_;
    }

    void opensAsDesigned()
    {
        QVERIFY(openDialog());
        QCOMPARE(test::describeCaptions(dialog_),
                 u"frmFind \"Find\": Label1=Enter a word or several words to search for, Check1=Match Case, "
                 "Check2=Whole Word, Command1=Find First, Command2=Find Next, Command3=Cancel"_s);
        for (QWidget* control : dialog_->findChildren<QWidget*>()) {
            QVERIFY2(!control->accessibleName().isEmpty() || qobject_cast<QLabel*>(control),
                     qPrintable(control->objectName()));
            if (auto* button = qobject_cast<QAbstractButton*>(control)) // captions fit their controls
                QVERIFY2(button->sizeHint().width() <= button->width() + 2, qPrintable(button->text()));
        }
    }

    // The boxes as they stand at each click go to the editor's search; a miss is reported and leaves the selection.
    // Where each search starts is the find positions' (tst_note_find). Cancel and Escape close the dialog for good;
    // opened again, its boxes start blank, but the search goes on from the last match.
    void searches()
    {
        QVERIFY(openDialog());
        ScopedMessages messages;
        const auto search = [this](const char* button, const QString& what, bool wholeWord) {
            text()->setText(what);
            setBox("Check2", wholeWord);
            click(button);
            const QTextCursor cursor = editor_->textBox()->textCursor();
            return u"%1 %2"_s.arg(cursor.selectionStart()).arg(cursor.selectedText());
        };
        QCOMPARE(search("Command2", u"note"_s, false), u"2 note"_s);
        messages->answerNext(MsgAnswer::Ok);
        QCOMPARE(search("Command1", u"not"_s, true), u"2 note"_s); // not within "note"
        QCOMPARE(messages->described(), QStringList{u"Mensurix [Ok None] Match not found!"_s});
        QCOMPARE(search("Command1", u"note"_s, true), u"2 note"_s);
        click("Command3");
        QTRY_VERIFY(dialog_.isNull());
        QVERIFY(openDialog());
        QVERIFY(text()->text().isEmpty() && !dialog_->findChild<QCheckBox*>(u"Check2"_s)->isChecked());
        QCOMPARE(search("Command2", u"note"_s, false), u"13 Note"_s);
        QVERIFY(QTest::qWaitForWindowActive(dialog_));
        QTest::keyClick(text(), Qt::Key_Escape);
        QTRY_VERIFY(dialog_.isNull());
        // Nothing to find, or nowhere left to look: no search at all.
        QCOMPARE(editor_->findText(u""_s, 0, {}), -1);
        QCOMPARE(editor_->findText(u"note"_s, 500, {}), -1);
    }

    void placedOnceAtActivation()
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
        for (int expected : {2, 2}) { // not again once placed
            editor_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(editor_));
            dialog_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog_));
            QCOMPARE(placed, expected);
            QVERIFY(dialog_->positioned());
        }
    }

private:
    FindDialog* openDialog()
    {
        delete dialog_;
        dialog_ = new FindDialog(*positions_);
        dialog_->setSearch(
            [this](const FindSearch& search) { return editor_->findText(search.text, search.from, search.options); });
        dialog_->show();
        return QTest::qWaitForWindowExposed(dialog_) ? dialog_.data() : nullptr;
    }
    QLineEdit* text() const { return dialog_->findChild<QLineEdit*>(u"Text1"_s); }
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

MX_REGISTER_TEST(FindDialogTest)
#include "tst_find_dialog.moc"
