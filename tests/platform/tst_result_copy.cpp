#include "platform/key_filter.h"
#include "platform/result_copy.h"
#include "test_registry.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace mx;

// Results copied from their context menu and with Ctrl+C.
class ResultCopyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unitOfCaption_data();
    void unitOfCaption();
    void menuAndKey_data();
    void menuAndKey();
    void refusedCtrlCStaysRefused();

private:
    // Opens the context menu of `widget`, triggers the entry `entry` (when given) and returns the entries shown.
    static QStringList useMenu(QWidget* widget, const QString& entry);
};

void ResultCopyTest::unitOfCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("unit");
    QTest::newRow("humidity temperature") << "Dew Point Temp (C)"
                                          << "C";
    QTest::newRow("percent") << "%Relative Humidity"
                             << "%";
    QTest::newRow("grains named whole") << "Grains/Lb Dry Air"
                                        << "Grains/Lb Dry Air";
    QTest::newRow("wind") << "Wind Chill Degrees F"
                          << "Degrees F";
    QTest::newRow("vibration") << "Peak-Peak displacment in centimeters"
                               << "centimeters";
    QTest::newRow("velocity without in") << "Peak velocity inches/second"
                                         << "inches/second";
    QTest::newRow("density") << "Acceleration density (g^2/Hz)"
                             << "g^2/Hz";
    QTest::newRow("electrical") << "R in Ohms"
                                << "Ohms";
}

void ResultCopyTest::unitOfCaption()
{
    QFETCH(QString, caption);
    QTEST(mx::unitOfCaption(caption), "unit");
}

QStringList ResultCopyTest::useMenu(QWidget* widget, const QString& entry)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return {};
    QStringList shown;
    QAction* chosen = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        const QString text = action->text().remove(u'&').section(u'\t', 0, 0);
        shown.append(text + (action->isEnabled() ? QString() : QStringLiteral(" (off)")));
        if (text == entry)
            chosen = action;
    }
    if (chosen)
        chosen->trigger();
    menu->close();
    return shown;
}

void ResultCopyTest::menuAndKey_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("withUnit");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("copied");         // by "Copy", or Ctrl+C without a selection
    QTest::addColumn<QString>("copiedWithUnit"); // by "Copy with Unit"
    QTest::newRow("answer label") << "label"
                                  << "317.5" << true << "Copy|Copy with Unit"
                                  << "317.5"
                                  << "317.5 Millimeters";
    QTest::newRow("locked box") << "locked"
                                << "52.30" << true << "Copy|Copy with Unit"
                                << "52.30"
                                << "52.30 Millimeters";
    QTest::newRow("readout without unit") << "label"
                                          << "0." << false << "Copy"
                                          << "0."
                                          << "";
    QTest::newRow("nothing shown yet") << "label"
                                       << "" << true << "Copy (off)|Copy with Unit (off)"
                                       << "before"
                                       << "before";
    QTest::newRow("box the user types into")
        << "input"
        << "12" << true << "Undo (off)|Redo (off)|Cut (off)|Copy (off)|Paste|Delete (off)|Select All|Copy with Unit"
        << "before"
        << "12 Millimeters";
}

void ResultCopyTest::menuAndKey()
{
    QFETCH(QString, kind);
    QFETCH(QString, shown);
    QFETCH(bool, withUnit);
    std::unique_ptr<QWidget> widget;
    if (kind == u"label") {
        widget = std::make_unique<QLabel>(shown);
    } else {
        auto* box = new QLineEdit(shown);
        box->setReadOnly(kind == u"locked");
        widget.reset(box);
    }
    UnitOfResult unit;
    if (withUnit)
        unit = [] { return QStringLiteral("Millimeters"); };
    installResultCopy(widget.get(), unit);
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget.get()));
    QClipboard* clipboard = QApplication::clipboard();

    clipboard->setText(QStringLiteral("before"));
    QTEST(useMenu(widget.get(), QStringLiteral("Copy")).join(u'|'), "menu");
    if (kind != u"input")
        QTEST(clipboard->text(), "copied");
    clipboard->setText(QStringLiteral("before"));
    useMenu(widget.get(), QStringLiteral("Copy with Unit"));
    if (withUnit)
        QTEST(clipboard->text(), "copiedWithUnit");

    // Ctrl+C once the result has the focus: the whole text, or the part selected.
    QCOMPARE(widget->focusPolicy() == Qt::NoFocus, false);
    widget->setFocus();
    clipboard->setText(QStringLiteral("before"));
    QTest::keyClick(widget.get(), Qt::Key_C, Qt::ControlModifier);
    QTEST(clipboard->text(), "copied");
    if (auto* box = qobject_cast<QLineEdit*>(widget.get()); box && !shown.isEmpty()) {
        box->setSelection(0, 1);
        QTest::keyClick(widget.get(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), shown.left(1));
    }
}

void ResultCopyTest::refusedCtrlCStaysRefused()
{
    // A box whose filter drops the clipboard keys keeps dropping them; its menu still copies.
    QLineEdit box(QStringLiteral("60"));
    installKeyPressFilter(
        &box, [](int code) { return code == kCtrlC ? kDiscard : code; }, ControlCodes::Filtered);
    installResultCopy(&box, [] { return QStringLiteral("Hz"); });
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.selectAll();
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    useMenu(&box, QStringLiteral("Copy with Unit"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("60 Hz"));
}

MX_REGISTER_TEST(ResultCopyTest)
#include "tst_result_copy.moc"
