#include "platform/result_copy.h"
#include "test_registry.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace mx;

// Results copied from their context menu and with Ctrl+C.
class ResultCopyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unitOfCaption_data();
    void unitOfCaption();
    void menuAndKey_data();
    void menuAndKey();
};

void ResultCopyTest::unitOfCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("unit");
    QTest::newRow("parentheses") << "Acceleration density (g^2/Hz)"
                                 << "g^2/Hz";
    QTest::newRow("in") << "Peak-Peak displacment in centimeters"
                        << "centimeters";
    QTest::newRow("degrees") << "Wind Chill Degrees F"
                             << "Degrees F";
    QTest::newRow("last word with a slash") << "Peak velocity inches/second"
                                            << "inches/second";
    QTest::newRow("percent") << "%Relative Humidity"
                             << "%";
    QTest::newRow("whole") << "Grains/Lb Dry Air"
                           << "Grains/Lb Dry Air";
}

void ResultCopyTest::unitOfCaption()
{
    QFETCH(QString, caption);
    QTEST(mx::unitOfCaption(caption), "unit");
}

void ResultCopyTest::menuAndKey_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("menu");     // entries, disabled ones in brackets
    QTest::addColumn<QString>("copied");   // by "Copy"
    QTest::addColumn<QString>("withUnit"); // by "Copy with Unit"
    QTest::addColumn<QString>("ctrlC");    // by Ctrl+C with nothing selected
    QTest::newRow("answer label") << "label"
                                  << "317.5"
                                  << "Copy|Copy with Unit"
                                  << "317.5"
                                  << "317.5 Millimeters"
                                  << "317.5";
    QTest::newRow("locked box") << "locked"
                                << "52.30"
                                << "Copy|Copy with Unit"
                                << "52.30"
                                << "52.30 Millimeters"
                                << "52.30";
    QTest::newRow("nothing shown") << "label"
                                   << ""
                                   << "[Copy]|[Copy with Unit]"
                                   << "old"
                                   << "old"
                                   << "old";
    QTest::newRow("box the user types into") << "input"
                                             << "12"
                                             << "[Undo]|[Redo]|[Cut]|[Copy]|Paste|[Delete]|Select All|Copy with Unit"
                                             << "old"
                                             << "12 Millimeters"
                                             << "old";
}

void ResultCopyTest::menuAndKey()
{
    QFETCH(QString, kind);
    QFETCH(QString, shown);
    std::unique_ptr<QWidget> widget(kind == u"label" ? static_cast<QWidget*>(new QLabel(shown)) : new QLineEdit(shown));
    if (kind == u"locked")
        static_cast<QLineEdit*>(widget.get())->setReadOnly(true);
    installResultCopy(widget.get(), [] { return QStringLiteral("Millimeters"); });
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    QClipboard* clipboard = QApplication::clipboard();

    // Opens the menu and chooses `entry`; returns the entries shown.
    const auto useMenu = [&](const QString& entry) {
        clipboard->setText(QStringLiteral("old"));
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(widget.get(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QStringList entries;
        for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
            const QString text = action->text().remove(u'&').section(u'\t', 0, 0);
            if (!action->isSeparator())
                entries.append(action->isEnabled() ? text : u'[' + text + u']');
            if (text == entry && action->isEnabled())
                action->trigger();
        }
        if (menu)
            menu->close();
        return entries.join(u'|');
    };
    QTEST(useMenu(QStringLiteral("Copy")), "menu");
    if (kind != u"input")
        QTEST(clipboard->text(), "copied");
    useMenu(QStringLiteral("Copy with Unit"));
    QTEST(clipboard->text(), "withUnit");

    // Ctrl+C once the result has the focus: the whole text, or the part selected.
    widget->setFocus();
    clipboard->setText(QStringLiteral("old"));
    QTest::keyClick(widget.get(), Qt::Key_C, Qt::ControlModifier);
    QTEST(clipboard->text(), "ctrlC");
    if (auto* box = qobject_cast<QLineEdit*>(widget.get())) {
        box->setSelection(1, 1);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), shown.mid(1, 1));
    }
}

MX_REGISTER_TEST(ResultCopyTest)
#include "tst_result_copy.moc"
