#include "platform/box_text.h"
#include "test_registry.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace mx;

// Text the program writes is read from its first character.
class BoxTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void box_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursorBefore");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<bool>("startShown"); // the first character is drawn at the box's left edge
        QTest::newRow("long result") << "" << 0 << "0.587645643385877" << 0 << true;
        QTest::newRow("the same text keeps the cursor") << "12.5" << 2 << "12.5" << 2 << true;
    }

    void box()
    {
        QFETCH(QString, before);
        QFETCH(int, cursorBefore);
        QFETCH(QString, written);
        QLineEdit edit;
        edit.setFixedWidth(60); // about eight digits
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setText(before);
        edit.setCursorPosition(cursorBefore);
        showInBox(&edit, written);
        QCOMPARE(edit.text(), written);
        QTEST(edit.cursorPosition(), "cursor");
        // What is drawn: a box scrolled to its start has its cursor near its left edge.
        edit.grab();
        const QRect cursor = edit.inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QTEST(cursor.left() < edit.width() / 2, "startShown");
    }

    void label_data()
    {
        QTest::addColumn<int>("designed");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("alignment"); // after the last text
        const int right = int(Qt::AlignRight | Qt::AlignVCenter);
        const int centre = int(Qt::AlignCenter);
        const int left = int(Qt::AlignLeft | Qt::AlignVCenter);
        const QString tooWide = QStringLiteral("100000000000000000000.");
        QTest::newRow("fits") << right << QStringList{"25.4"} << right;
        QTest::newRow("too wide, centred") << centre << QStringList{tooWide} << left;
        QTest::newRow("fits again") << right << QStringList{tooWide, "6."} << right;
    }

    void label()
    {
        QFETCH(int, designed);
        QFETCH(QStringList, texts);
        QLabel answer;
        answer.setFixedWidth(80);
        answer.setAlignment(Qt::Alignment(designed));
        answer.setFrameShape(QFrame::Box);
        for (const QString& text : texts)
            showInLabel(&answer, text);
        QCOMPARE(answer.text(), texts.last());
        QTEST(int(answer.alignment()), "alignment");
    }
};

MX_REGISTER_TEST(BoxTextTest)
#include "tst_box_text.moc"
