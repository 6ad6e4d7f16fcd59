#include "platform/loaded_windows.h"
#include "shell/desktop_launch.h"
#include "shell/help_topics.h"
#include "shell/help_viewer.h"

#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <sys/stat.h>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

// The text of the block that holds the anchor, or a null string when the document has no such anchor.
QString blockOfAnchor(const QTextDocument* document, const QString& anchor)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return block.text();
    return {};
}

} // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void contentsOwnedByTheMainWindow();
    void topics_data();
    void topics();
    void oneViewerForAllRequests();
    void everyTabAndAccessoryHasATopic();
    void links();
    void helpKey_data();
    void helpKey();
    void unreadableHelpFile_data();
    void unreadableHelpFile();
    void closingDestroysTheViewer();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QWidget* owner_ = nullptr;
};

void HelpViewerTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QFile::copy(QStringLiteral(MX_DATA_DIR "/MENSURIX.HTM"), dir_->filePath(u"MENSURIX.HTM"_s)));
    owner_ = new QWidget;
    owner_->setObjectName(u"frmTabs"_s);
    owner_->show();
    InitHelp(owner_, dir_->path());
}

void HelpViewerTest::cleanup()
{
    delete owner_; // takes the viewer with it
    owner_ = nullptr;
    QVERIFY(!openHelpViewer());
}

void HelpViewerTest::contentsOwnedByTheMainWindow()
{
    QVERIFY(!openHelpViewer());
    ShowHelpContents();
    HelpViewer* viewer = openHelpViewer();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(viewer->isWindow());
    QCOMPARE(viewer->parentWidget(), owner_);
    QCOMPARE(viewer->objectName(), u"frmHelp"_s);
    QCOMPARE(viewer->windowTitle(), u"Mensurix Help"_s);
    QCOMPARE(viewer->helpFile(), dir_->filePath(u"MENSURIX.HTM"_s));
    QCOMPARE(viewer->browser()->source().fragment(), u"contents"_s);
    QCOMPARE(viewer->browser()->document()->begin().text(), u"Mensurix Help"_s);
    QVERIFY(loadedWindows().contains(viewer));
}

void HelpViewerTest::topics_data()
{
    QTest::addColumn<int>("contextId");
    QTest::addColumn<QString>("anchor");
    QTest::addColumn<QString>("heading");
    QTest::newRow("table editor") << 30 << u"table-editor"_s << u"Table editor"_s;
    QTest::newRow("note editor") << 140 << u"note-editor"_s << u"Note editor"_s;
    QTest::newRow("contents") << 0 << u"contents"_s << u"Mensurix Help"_s;
    QTest::newRow("id without a topic") << 999 << u"contents"_s << u"Mensurix Help"_s;
}

void HelpViewerTest::topics()
{
    QFETCH(int, contextId);
    QFETCH(QString, anchor);
    ShowHelpContext(contextId);
    QTextBrowser* browser = openHelpViewer()->browser();
    QCOMPARE(browser->source().fragment(), anchor);
    QTEST(blockOfAnchor(browser->document(), anchor), "heading");
}

void HelpViewerTest::oneViewerForAllRequests()
{
    ShowHelpContext(kTableEditorHelpContext);
    HelpViewer* first = openHelpViewer();
    first->showMinimized();
    ShowHelpContext(kNoteEditorHelpContext);
    QCOMPARE(openHelpViewer(), first);
    QCOMPARE(first->browser()->source().fragment(), u"note-editor"_s);
    ShowHelpContents();
    QCOMPARE(openHelpViewer(), first);
    QCOMPARE(first->browser()->source().fragment(), u"contents"_s);
}

void HelpViewerTest::everyTabAndAccessoryHasATopic()
{
    ShowHelpContents();
    const QTextDocument* document = openHelpViewer()->browser()->document();
    QSet<QString> anchors;
    QStringList links;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames())
                anchors.insert(name);
            if (format.isAnchor() && format.anchorHref().startsWith(u'#'))
                links.append(format.anchorHref().mid(1));
        }
    }
    for (const QString& link : std::as_const(links))
        QVERIFY2(anchors.contains(link), qPrintable(link));
    const QStringList topics = {u"metric"_s,    u"temperature"_s, u"table-files"_s, u"humidity"_s,     u"wind"_s,
                                u"vibration"_s, u"electrical"_s,  u"calculator"_s,  u"table-editor"_s, u"note-editor"_s,
                                u"find"_s,      u"tips"_s,        u"settings"_s,    u"about"_s};
    for (const QString& topic : topics) {
        QVERIFY2(anchors.contains(topic), qPrintable(topic));
        QVERIFY2(links.contains(topic), qPrintable(u"not in the contents: "_s + topic));
    }
    // The table format's example is there as the user would type it.
    QVERIFY(document->toPlainText().contains(u"Inches vs Millimeters\nInches\nMillimeters\n25.4\n"_s));
}

void HelpViewerTest::links()
{
    QList<QUrl> opened;
    const UrlOpener previous = setUrlOpener([&opened](const QUrl& url) {
        opened.append(url);
        return true;
    });
    ShowHelpContents();
    HelpViewer* viewer = openHelpViewer();
    QTextBrowser* browser = viewer->browser();
    auto* back = viewer->findChild<QPushButton*>(u"cmdBack"_s);
    QVERIFY(!back->isEnabled());

    Q_EMIT browser->anchorClicked(QUrl(u"#wind"_s));
    QCOMPARE(browser->source().fragment(), u"wind"_s);
    QVERIFY(back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(browser->source().fragment(), u"contents"_s);

    Q_EMIT browser->anchorClicked(QUrl(u"https://example.org/help"_s));
    QCOMPARE(opened, QList<QUrl>{QUrl(u"https://example.org/help"_s)});
    QCOMPARE(browser->source().fragment(), u"contents"_s);

    QTest::mouseClick(viewer->findChild<QPushButton*>(u"cmdForward"_s), Qt::LeftButton);
    QCOMPARE(browser->source().fragment(), u"wind"_s);
    QTest::mouseClick(viewer->findChild<QPushButton*>(u"cmdContents"_s), Qt::LeftButton);
    QCOMPARE(browser->source().fragment(), u"contents"_s);
    setUrlOpener(previous);
}

void HelpViewerTest::helpKey_data()
{
    QTest::addColumn<int>("contextId");
    QTest::addColumn<QString>("anchor");
    QTest::newRow("table editor") << 30 << u"table-editor"_s;
    QTest::newRow("note editor") << 140 << u"note-editor"_s;
    QTest::newRow("no topic: contents") << 0 << u"contents"_s;
}

void HelpViewerTest::helpKey()
{
    QFETCH(int, contextId);
    auto* editor = new QWidget(owner_, Qt::Window);
    installHelpKey(editor, contextId);
    editor->show();
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    QTest::keyClick(editor, Qt::Key_F1);
    QVERIFY(openHelpViewer());
    QTEST(openHelpViewer()->browser()->source().fragment(), "anchor");
}

void HelpViewerTest::unreadableHelpFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << u"missing"_s;
    QTest::newRow("a folder") << u"folder"_s;
    QTest::newRow("a named pipe") << u"fifo"_s;
    QTest::newRow("too large") << u"large"_s;
}

void HelpViewerTest::unreadableHelpFile()
{
    QFETCH(QString, kind);
    const QString path = dir_->filePath(u"MENSURIX.HTM"_s);
    QVERIFY(QFile::remove(path));
    if (kind == u"folder")
        QVERIFY(QDir(dir_->path()).mkdir(u"MENSURIX.HTM"_s));
    else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == u"large")
        QVERIFY(test::writeFileBytes(path, QByteArray(kMaxHelpFileBytes + 1, ' ')));
    ShowHelpContext(kNoteEditorHelpContext);
    QVERIFY(openHelpViewer());
    QCOMPARE(openHelpViewer()->browser()->toPlainText(),
             u"Mensurix Help\nThe help file \"%1\" could not be opened."_s.arg(path));
}

void HelpViewerTest::closingDestroysTheViewer()
{
    ShowHelpContents();
    QVERIFY(openHelpViewer()->close());
    QTRY_VERIFY(!openHelpViewer());
    // The next request opens a new one.
    ShowHelpContext(kTableEditorHelpContext);
    QVERIFY(openHelpViewer());
    QCOMPARE(openHelpViewer()->browser()->source().fragment(), u"table-editor"_s);
}

MX_REGISTER_TEST(HelpViewerTest)
#include "tst_help_viewer.moc"
