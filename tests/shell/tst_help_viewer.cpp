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

// Every anchor name of the document with the text of its block, and every link within the document.
struct Anchors {
    QHash<QString, QString> headings;
    QStringList links;
};

Anchors anchorsOf(const QTextDocument* document)
{
    Anchors anchors;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            for (const QString& name : format.anchorNames())
                anchors.headings.insert(name, block.text());
            if (format.isAnchor() && format.anchorHref().startsWith(u'#'))
                anchors.links.append(format.anchorHref().mid(1));
        }
    }
    return anchors;
}

} // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        QVERIFY(QFile::copy(QStringLiteral(MX_DATA_DIR "/MENSURIX.HTM"), dir_->filePath(u"MENSURIX.HTM"_s)));
        owner_ = new QWidget;
        owner_->show();
        opened_.clear();
        setUpHelp(owner_, dir_->path(), [this](QWidget* viewer) { opened_.append(viewer); });
    }

    void cleanup()
    {
        delete owner_; // takes the viewer with it
        QVERIFY(!openHelpViewer());
    }

    void contentsOwnedByTheMainWindow()
    {
        QVERIFY(!openHelpViewer());
        showHelpContents();
        HelpViewer* viewer = openHelpViewer();
        QVERIFY(viewer && viewer->isVisible() && viewer->isWindow());
        QCOMPARE(viewer->parentWidget(), owner_);
        QCOMPARE(viewer->objectName(), u"frmHelp"_s);
        QCOMPARE(viewer->windowTitle(), u"Mensurix Help"_s);
        QCOMPARE(viewer->browser()->source().fragment(), u"contents"_s);
        QCOMPARE(viewer->browser()->document()->begin().text(), u"Mensurix Help"_s);
        QCOMPARE(opened_, QList<QWidget*>{viewer}); // carried along with the program's other windows
    }

    void topics_data()
    {
        QTest::addColumn<int>("contextId");
        QTest::addColumn<QString>("anchor");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<bool>("byKey"); // F1 in a window that declared the id, rather than a menu entry
        QTest::newRow("table editor") << 30 << u"table-editor"_s << u"Table editor"_s << false;
        QTest::newRow("note editor") << 140 << u"note-editor"_s << u"Note editor"_s << false;
        QTest::newRow("id without a topic") << 999 << u"contents"_s << u"Mensurix Help"_s << false;
        QTest::newRow("F1 in the table editor") << 30 << u"table-editor"_s << u"Table editor"_s << true;
        QTest::newRow("F1 without a topic") << 0 << u"contents"_s << u"Mensurix Help"_s << true;
    }

    void topics()
    {
        QFETCH(int, contextId);
        QFETCH(QString, anchor);
        QFETCH(bool, byKey);
        // An open, minimised viewer is reused and brought back.
        showHelpContents();
        HelpViewer* viewer = openHelpViewer();
        viewer->showMinimized();
        if (byKey) {
            auto* editor = new QWidget(owner_, Qt::Window);
            installHelpKey(editor, contextId);
            editor->show();
            editor->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(editor));
            QTest::keyClick(editor, Qt::Key_F1);
        } else {
            showHelpTopic(contextId);
        }
        QCOMPARE(openHelpViewer(), viewer);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->browser()->source().fragment(), anchor);
        QTEST(anchorsOf(viewer->browser()->document()).headings.value(anchor), "heading");
    }

    void everyTabAndAccessoryHasATopic()
    {
        showHelpContents();
        const QTextDocument* document = openHelpViewer()->browser()->document();
        const Anchors anchors = anchorsOf(document);
        for (const QString& link : anchors.links)
            QVERIFY2(anchors.headings.contains(link), qPrintable(link));
        const QStringList topics = {
            u"metric"_s,     u"temperature"_s, u"table-files"_s,  u"humidity"_s,    u"wind"_s,         u"vibration"_s,
            u"electrical"_s, u"calculator"_s,  u"table-editor"_s, u"note-editor"_s, u"find"_s,         u"tips"_s,
            u"settings"_s,   u"about"_s,       u"copy"_s,         u"keyboard"_s,    u"command-line"_s, u"files"_s};
        for (const QString& topic : topics)
            QVERIFY2(anchors.headings.contains(topic) && anchors.links.contains(topic), qPrintable(topic));
        // The table format's example is there as the user would type it.
        QVERIFY(document->toPlainText().contains(u"Inches vs Millimeters\nInches\nMillimeters\n25.4\n"_s));
    }

    void links()
    {
        QList<QUrl> opened;
        const UrlOpener previous = setUrlOpener([&opened](const QUrl& url) { return opened.append(url), true; });
        showHelpContents();
        HelpViewer* viewer = openHelpViewer();
        QTextBrowser* browser = viewer->browser();
        auto* back = viewer->findChild<QPushButton*>(u"cmdBack"_s);
        QVERIFY(!back->isEnabled());

        Q_EMIT browser->anchorClicked(QUrl(u"#wind"_s));
        QCOMPARE(browser->source().fragment(), u"wind"_s);
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        // A web address goes to the browser; the help stays where it was.
        Q_EMIT browser->anchorClicked(QUrl(u"https://example.org/help"_s));
        QCOMPARE(opened, QList<QUrl>{QUrl(u"https://example.org/help"_s)});
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        QTest::mouseClick(viewer->findChild<QPushButton*>(u"cmdForward"_s), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"wind"_s);
        QTest::mouseClick(viewer->findChild<QPushButton*>(u"cmdContents"_s), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        setUrlOpener(previous);
    }

    void unreadableHelpFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << u"missing"_s;
        QTest::newRow("a folder") << u"folder"_s;
        QTest::newRow("a named pipe") << u"fifo"_s;
        QTest::newRow("too large") << u"large"_s;
    }

    void unreadableHelpFile()
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
        showHelpTopic(kNoteEditorHelpContext);
        QCOMPARE(openHelpViewer()->browser()->toPlainText(),
                 u"Mensurix Help\nThe help file \"%1\" could not be opened."_s.arg(path));
    }

    void closingDestroysTheViewer()
    {
        showHelpContents();
        QVERIFY(openHelpViewer()->close());
        QTRY_VERIFY(!openHelpViewer());
        showHelpTopic(kTableEditorHelpContext);
        QCOMPARE(openHelpViewer()->browser()->source().fragment(), u"table-editor"_s);
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QWidget* owner_ = nullptr;
    QList<QWidget*> opened_;
};

MX_REGISTER_TEST(HelpViewerTest)
#include "tst_help_viewer.moc"
