#include "shell/help_viewer.h"

#include "common/cp1252.h"
#include "platform/file_access.h"
#include "platform/window_placement.h"
#include "shell/desktop_launch.h"
#include "shell/help_topics.h"
#include "version.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPointer>

#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <functional>

namespace mx {
namespace {

using namespace Qt::StringLiterals;

constexpr QSize kViewerSize(640, 560);

// Every file the viewer shows is read here, bounded like every other data file, rather than by Qt's own loader.
class BoundedTextBrowser final : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override
    {
        const QUrl url = name.isRelative() ? source().resolved(name) : name;
        if (!url.isLocalFile())
            return {};
        FileRead file = readRegularFile(url.toLocalFile(), kMaxHelpFileBytes);
        if (file.status != FileReadStatus::Ok)
            return {};
        if (type == QTextDocument::HtmlResource) {
            // Qt's HTML reader keeps a carriage return before a closing tag as a blank.
            QString html = decodeCp1252(file.bytes);
            html.replace(u"\r\n"_s, u"\n"_s);
            return html;
        }
        return file.bytes;
    }
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

    browser_ = new BoundedTextBrowser(this);
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
        browser_->setHtml(QStringLiteral("<h2>%1</h2><p>The help file \"%2\" could not be opened.</p>")
                              .arg(windowTitle().toHtmlEscaped(), QDir::toNativeSeparators(helpFile_).toHtmlEscaped()));
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
