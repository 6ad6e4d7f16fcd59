#include "shell/help_viewer.h"

#include "common/cp1252.h"
#include "common/text_pieces.h"
#include "platform/file_access.h"
#include "platform/window_placement.h"
#include "shell/desktop_launch.h"
#include "shell/help_topics.h"
#include "version.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QPointer>

#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <functional>

namespace mx {
namespace {

using namespace Qt::StringLiterals;

constexpr QSize kViewerSize(640, 560);

QString unavailablePage(const QString& title, const QString& helpFile)
{
    return QStringLiteral("<h2>%1</h2><p>The help file \"%2\" could not be opened.</p>")
        .arg(title.toHtmlEscaped(), QDir::toNativeSeparators(helpFile).toHtmlEscaped());
}

// A paragraph too long to lay out at once becomes paragraphs of bounded length. The viewer only shows the text,
// so where the breaks fall matters only to the eye.
QString withLongParagraphsCut(const QString& html)
{
    if (html.size() <= kMaxPieceChars)
        return html;
    QTextDocument document;
    document.setHtml(html);
    bool cut = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.size() <= kMaxPieceChars)
            continue;
        QTextCursor cursor(block);
        // Within an edit block a cursor moved does not lay out the long block to find its place on the line.
        cursor.beginEditBlock();
        const int start = block.position();
        int breaks = 0; // each break put in moves the text after it on by one
        for (qsizetype end = pieceEnd(text, 0); end < text.size(); end = pieceEnd(text, end)) {
            cursor.setPosition(start + int(end) + breaks++);
            cursor.insertBlock();
        }
        cursor.endEditBlock();
        block = cursor.block();
        cut = true;
    }
    return cut ? document.toHtml() : html;
}

// Every file the viewer shows is read here, bounded like every other data file, rather than by Qt's own loader:
// a resource refused here is answered with a stand-in, or Qt would open the path itself, without a limit.
class BoundedTextBrowser final : public QTextBrowser {
public:
    explicit BoundedTextBrowser(QString helpFile, QWidget* parent)
        : QTextBrowser(parent), helpFile_(std::move(helpFile)), helpFolder_(QFileInfo(helpFile_).absolutePath())
    {}

    QVariant loadResource(int type, const QUrl& name) override
    {
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        switch (type) {
        case QTextDocument::HtmlResource:
            return loadPage(url);
        case QTextDocument::ImageResource:
            return loadImage(url);
        default:
            return QString(u' '); // nothing else (style sheets, markdown) is the help's
        }
    }

private:
    QString loadPage(const QUrl& url) const
    {
        const FileRead file = url.isLocalFile() ? readRegularFile(url.toLocalFile(), kMaxHelpFileBytes) : FileRead{};
        // Qt's HTML reader keeps a carriage return before a closing tag as a blank.
        QString html = decodeCp1252(file.bytes);
        html.replace(u"\r\n"_s, u"\n"_s);
        if (file.status != FileReadStatus::Ok || helpNestedTooDeeply(html))
            return unavailablePage(window()->windowTitle(), url.isLocalFile() ? url.toLocalFile() : helpFile_);
        return withLongParagraphsCut(html);
    }

    QVariant loadImage(const QUrl& url) const
    {
        // Only a picture in the help's own folder, as the shipped help has them.
        const QString path = url.isLocalFile() ? QFileInfo(url.toLocalFile()).absoluteFilePath() : QString();
        if (!path.isEmpty() && QFileInfo(path).absolutePath() == helpFolder_) {
            const FileRead file = readRegularFile(path, kMaxHelpImageBytes);
            QImage image;
            if (file.status == FileReadStatus::Ok && image.loadFromData(file.bytes))
                return image;
        }
        QImage missing(1, 1, QImage::Format_ARGB32);
        missing.fill(Qt::transparent);
        return missing;
    }

    QString helpFile_;
    QString helpFolder_;
};

struct HelpSetup {
    QPointer<QWidget> owner; // HelpOwnerWindow
    QString file;
    bool initialised = false;
    QPointer<HelpViewer> viewer;
    std::function<void(QWidget*)> opened;
};

HelpSetup& setup()
{
    static HelpSetup current;
    return current;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& accessible)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(accessible);
    button->setAutoDefault(false);
    return button;
}

void showHelpAt(const QString& anchor)
{
    HelpSetup& help = setup();
    if (!help.initialised)
        return;
    const bool created = !help.viewer;
    if (created) {
        help.viewer = new HelpViewer(help.file, help.owner);
        if (help.opened)
            help.opened(help.viewer);
    }
    help.viewer->showTopic(anchor);
    help.viewer->show();
    if (created)
        centreOnScreen(help.viewer);
    help.viewer->raise();
    help.viewer->activateWindow();
}

} // namespace

HelpViewer::HelpViewer(QString helpFile, QWidget* owner) : QWidget(owner, Qt::Window), helpFile_(std::move(helpFile))
{
    setObjectName(QStringLiteral("frmHelp"));
    const QString title = QString::fromUtf8(version::kTitle) + QStringLiteral(" Help");
    setWindowTitle(title);
    setAccessibleName(title);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kViewerSize);

    contentsButton_ =
        makeButton(this, QStringLiteral("cmdContents"), QStringLiteral("&Contents"), QStringLiteral("Help contents"));
    backButton_ = makeButton(this, QStringLiteral("cmdBack"), QStringLiteral("&Back"), QStringLiteral("Back"));
    forwardButton_ =
        makeButton(this, QStringLiteral("cmdForward"), QStringLiteral("&Forward"), QStringLiteral("Forward"));
    backButton_->setEnabled(false);
    forwardButton_->setEnabled(false);

    browser_ = new BoundedTextBrowser(helpFile_, this);
    browser_->setObjectName(QStringLiteral("txtHelp"));
    browser_->setAccessibleName(QStringLiteral("Help text"));
    browser_->setOpenLinks(false); // links are followed below, so that web addresses go to the browser

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contentsButton_);
    buttons->addWidget(backButton_);
    buttons->addWidget(forwardButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    connect(contentsButton_, &QPushButton::clicked, this,
            [this] { showTopic(QString::fromUtf16(kHelpContentsAnchor)); });
    connect(backButton_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardButton_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::onLinkClicked);
    // Escape puts the help away, as it does the other windows that stand beside the work.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("closeKey"));
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpViewer::showTopic(const QString& anchor)
{
    QUrl url = QUrl::fromLocalFile(helpFile_);
    const bool loaded = browser_->source().adjusted(QUrl::RemoveFragment) == url;
    if (!loaded && readRegularFile(helpFile_, kMaxHelpFileBytes).status != FileReadStatus::Ok) {
        browser_->setHtml(unavailablePage(windowTitle(), helpFile_));
        return;
    }
    url.setFragment(anchor);
    browser_->setSource(url, QTextDocument::HtmlResource);
}

void HelpViewer::onLinkClicked(const QUrl& link)
{
    const QUrl target = browser_->source().resolved(link);
    if (target.isLocalFile())
        browser_->setSource(target, QTextDocument::HtmlResource);
    else
        openUrl(target);
}

void setUpHelp(QWidget* owner, const QString& programFolder, std::function<void(QWidget*)> opened)
{
    HelpSetup& help = setup();
    help.owner = owner;
    help.opened = std::move(opened);
    help.file = helpFilePath(programFolder);
    help.initialised = true;
}

void showHelpTopic(int contextId)
{
    showHelpAt(helpAnchor(contextId));
}

void showHelpContents()
{
    showHelpAt(QString::fromUtf16(kHelpContentsAnchor));
}

HelpViewer* openHelpViewer()
{
    return setup().viewer.data();
}

QShortcut* installHelpKey(QWidget* window, int contextId)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setObjectName(QStringLiteral("helpKey"));
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, [contextId] {
        if (contextId == kHelpContentsContext)
            showHelpContents();
        else
            showHelpTopic(contextId);
    });
    return key;
}

} // namespace mx
