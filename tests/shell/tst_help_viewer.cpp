#include "shell/desktop_launch.h"
#include "shell/help_topics.h"
#include "shell/help_viewer.h"

#include "test_helpers.h"
#include "test_registry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <atomic>
#include <chrono>
#include <thread>

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

    // The contents, owned by the main window and carried along with its other windows: a topic for every tab and
    // accessory, every link within the help leading to one; links followed, back and forth; closed, it is gone.
    void contents()
    {
        QList<QUrl> opened;
        const UrlOpener previous = setUrlOpener([&opened](const QUrl& url) { return opened.append(url), true; });
        const auto restore = qScopeGuard([&] { setUrlOpener(previous); });
        QVERIFY(!openHelpViewer());
        showHelpContents();
        HelpViewer* viewer = openHelpViewer();
        QVERIFY(viewer && viewer->isVisible() && viewer->isWindow());
        QCOMPARE(viewer->parentWidget(), owner_);
        QCOMPARE(viewer->objectName() + u' ' + viewer->windowTitle(), u"frmHelp Mensurix Help"_s);
        QCOMPARE(opened_, QList<QWidget*>{viewer});
        QTextBrowser* browser = viewer->browser();
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        QCOMPARE(browser->document()->begin().text(), u"Mensurix Help"_s);
        const Anchors anchors = anchorsOf(browser->document());
        for (const QString& link : anchors.links)
            QVERIFY2(anchors.headings.contains(link), qPrintable(link));
        for (const char* topic : {"metric", "temperature", "table-files", "humidity", "wind", "vibration", "electrical",
                                  "calculator", "table-editor", "note-editor", "find", "tips", "settings", "about",
                                  "copy", "keyboard", "command-line", "files"})
            QVERIFY2(anchors.headings.contains(QLatin1String(topic)) && anchors.links.contains(QLatin1String(topic)),
                     topic);
        // The table format's example is there as the user would type it.
        QVERIFY(browser->toPlainText().contains(u"Inches vs Millimeters\nInches\nMillimeters\n25.4\n"_s));

        const auto button = [viewer](const QString& name) { return viewer->findChild<QPushButton*>(name); };
        QVERIFY(!button(u"cmdBack"_s)->isEnabled());
        Q_EMIT browser->anchorClicked(QUrl(u"#wind"_s));
        QCOMPARE(browser->source().fragment(), u"wind"_s);
        QTest::mouseClick(button(u"cmdBack"_s), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        // A web address goes to the browser; the help stays where it was.
        Q_EMIT browser->anchorClicked(QUrl(u"https://example.org/help"_s));
        QCOMPARE(opened, QList<QUrl>{QUrl(u"https://example.org/help"_s)});
        QCOMPARE(browser->source().fragment(), u"contents"_s);
        QTest::mouseClick(button(u"cmdForward"_s), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"wind"_s);
        QTest::mouseClick(button(u"cmdContents"_s), Qt::LeftButton);
        QCOMPARE(browser->source().fragment(), u"contents"_s);

        QVERIFY(viewer->close());
        QTRY_VERIFY(!openHelpViewer());
        showHelpTopic(kTableEditorHelpContext);
        QCOMPARE(openHelpViewer()->browser()->source().fragment(), u"table-editor"_s);
    }

    // A help file that cannot be read, or a page whose nesting took minutes to lay out and crashed deeper still,
    // is not shown.
    void unusablePages_data()
    {
        QTest::addColumn<QString>("page"); // "missing", "folder", "fifo" or "large", else the body of the page
        QTest::addColumn<QString>("text"); // what the viewer shows: "" for the could-not-open page
        const auto nested = [](const QString& open, const QString& close, int depth) {
            return open.repeated(depth) + u"deep"_s + close.repeated(depth);
        };
        for (const char* kind : {"missing", "folder", "fifo", "large"})
            QTest::newRow(kind) << QString::fromLatin1(kind) << u""_s;
        QTest::newRow("tables nested 8 deep") << nested(u"<table><tr><td>"_s, u"</td></tr></table>"_s, 8) << u"deep"_s;
        QTest::newRow("tables nested 9 deep") << nested(u"<table><tr><td>"_s, u"</td></tr></table>"_s, 9) << u""_s;
        QTest::newRow("5000 nested blocks") << nested(u"<div>"_s, u"</div>"_s, 5000) << u""_s;
        QTest::newRow("98 nested blocks in the body") << nested(u"<div>"_s, u"</div>"_s, 98) << u"deep"_s;
        QTest::newRow("500 breaks, which need no end tag")
            << u"a<br>"_s.repeated(500) + u"deep"_s << u"a\n"_s.repeated(500) + u"deep"_s;
    }

    void unusablePages()
    {
        QFETCH(QString, page);
        QFETCH(QString, text);
        const QString path = dir_->filePath(u"MENSURIX.HTM"_s);
        QVERIFY(QFile::remove(path));
        if (page == u"folder")
            QVERIFY(QDir(dir_->path()).mkdir(u"MENSURIX.HTM"_s));
        else if (page == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (page == u"large")
            QVERIFY(test::writeFileBytes(path, QByteArray(kMaxHelpFileBytes + 1, ' ')));
        else if (page != u"missing")
            QVERIFY(test::writeFileBytes(path, u"<html><body>%1</body></html>"_s.arg(page).toLatin1()));
        showHelpTopic(kNoteEditorHelpContext);
        QCOMPARE(openHelpViewer()->browser()->toPlainText().trimmed(),
                 text.isEmpty() ? u"Mensurix Help\nThe help file \"%1\" could not be opened."_s.arg(path) : text);
    }

    // A paragraph with no break point in it is shown whole, in pieces that are laid out one at a time.
    void longParagraph()
    {
        const QString hex = u"0123456789abcdef"_s.repeated(1000);
        QVERIFY(test::writeFileBytes(
            dir_->filePath(u"MENSURIX.HTM"_s),
            u"<html><body><a name=\"contents\"></a><p>%1</p><p>end</p></body></html>"_s.arg(hex).toLatin1()));
        showHelpContents();
        const QTextDocument* document = openHelpViewer()->browser()->document();
        QVERIFY(document->blockCount() >= 4);
        QString shown = document->toPlainText();
        QVERIFY(shown.endsWith(u"\nend"_s));
        shown.chop(4);
        QCOMPARE(shown.remove(u'\n'), hex);
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QSize>("size"); // 1 by 1: the stand-in for a picture refused
        QTest::newRow("beside the help") << u"logo.png"_s << QSize(3, 2);
        QTest::newRow("elsewhere") << u"%1/logo.png"_s << QSize(1, 1);
        QTest::newRow("a device") << u"/dev/zero"_s << QSize(1, 1);
        QTest::newRow("a named pipe") << u"pipe.png"_s << QSize(1, 1);
        QTest::newRow("not a picture") << u"MENSURIX.HTM"_s << QSize(1, 1);
    }

    // Pictures come only from the help's folder, as bounded regular files: Qt never opens a path itself.
    void pictures()
    {
        QFETCH(QString, source);
        QFETCH(QSize, size);
        QTemporaryDir elsewhere;
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir_->filePath(u"logo.png"_s)));
        QVERIFY(picture.save(elsewhere.filePath(u"logo.png"_s)));
        const QString pipe = dir_->filePath(u"pipe.png"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        // Should the pipe be opened after all, a writer comes after a while and the time taken tells.
        std::atomic<bool> done = false;
        std::thread unblock([&] {
            for (int i = 0; i < 50 && !done; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (!done)
                QFile(pipe).open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        });
        const QString src = source.contains(u"%1") ? source.arg(elsewhere.path()) : source;
        QVERIFY(test::writeFileBytes(
            dir_->filePath(u"MENSURIX.HTM"_s),
            u"<html><body><a name=\"contents\"></a><img src=\"%1\"></body></html>"_s.arg(src).toLatin1()));
        QElapsedTimer timer;
        timer.start();
        showHelpContents();
        QTextBrowser* browser = openHelpViewer()->browser();
        const QUrl url = browser->source().resolved(QUrl(src.startsWith(u'/') ? QUrl::fromLocalFile(src) : QUrl(src)));
        const QImage shown = browser->document()->resource(QTextDocument::ImageResource, url).value<QImage>();
        const qint64 elapsed = timer.elapsed();
        done = true;
        unblock.join();
        QVERIFY2(elapsed < 4000, "the picture was read by Qt, which waited for the pipe");
        QCOMPARE(shown.size(), size);
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QWidget* owner_ = nullptr;
    QList<QWidget*> opened_;
};

MX_REGISTER_TEST(HelpViewerTest)
#include "tst_help_viewer.moc"
