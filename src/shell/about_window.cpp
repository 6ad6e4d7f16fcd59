#include "shell/about_window.h"

#include "common/message_service.h"
#include "common/twips.h"
#include "platform/dialog_service.h"
#include "platform/window_placement.h"
#include "shell/about_text.h"
#include "shell/desktop_launch.h"
#include "shell/egg_window.h"
#include "shell/logo_link.h"
#include "shell/shell_art.h"
#include "shell/system_info.h"
#include "version.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace mx {
namespace {

constexpr int kLogoWidthTwips = 2595;
constexpr int kLogoHeightTwips = 435;

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(twipsRect(left, top, width, height));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

} // namespace

AboutWindow::AboutWindow(QString licenceText, LogoLinkFlags& flags, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      licenceText_(std::move(licenceText)), flags_(flags)
{
    setObjectName(kFormName);
    setWindowTitle(aboutCaption());
    setAccessibleName(aboutCaption());
    setFixedSize(twipsSize(kWidthTwips, kHeightTwips));
    setMouseTracking(true);

    logo_ = new QLabel(this);
    logo_->setObjectName(QStringLiteral("Image1"));
    logo_->setAccessibleName(QString::fromUtf8(version::kCompanyName) + QStringLiteral(" logo"));
    const QSize logoSize = twipsSize(kLogoWidthTwips, kLogoHeightTwips);
    logo_->setPixmap(drawMakerLogo(logoSize));
    logo_->setGeometry((width() - logoSize.width()) / 2, twipsToPixels(120), logoSize.width(), logoSize.height());
    logo_->setMouseTracking(true);
    logo_->installEventFilter(this);

    hint_ = makeLabel(this, QStringLiteral("lblEgg"), QString::fromUtf16(kAboutHint), 4500, 165, 1155, 255);
    hint_->setFrameShape(QFrame::Box);
    hint_->setAutoFillBackground(true);
    hint_->setBackgroundRole(QPalette::ToolTipBase);
    hint_->setForegroundRole(QPalette::ToolTipText);
    hint_->setAccessibleDescription(QStringLiteral("Hint"));
    hint_->hide();

    title_ = makeLabel(this, QStringLiteral("lblTitle"), QString::fromUtf8(version::kTitle), 240, 720, 5340, 480);
    title_->setFont(headingFont(title_->font(), 1.6));
    title_->setAccessibleDescription(QStringLiteral("Program title"));
    version_ = makeLabel(this, QStringLiteral("lblVersion"), programVersionText(), 240, 1230, 5340, 255);
    version_->setAccessibleDescription(QStringLiteral("Program version"));
    description_ = makeLabel(this, QStringLiteral("lblDescription"),
                             QString::fromUtf16(kAboutDescription) + QStringLiteral("\n"), 240, 1560, 5340, 480);
    description_->setAccessibleDescription(QStringLiteral("Program description"));
    disclaimer_ = makeLabel(this, QStringLiteral("lblDisclaimer"), QString::fromUtf8(version::kLegalNotice), 240, 2100,
                            3900, 495);
    disclaimer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    disclaimer_->setAccessibleDescription(QStringLiteral("Legal notice"));

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setGeometry(twipsRect(4320, 2400, 1260, 375));
    okButton_->setAccessibleName(QStringLiteral("OK"));
    okButton_->setDefault(true);
    okButton_->installEventFilter(this);
    systemInfoButton_ = new QPushButton(QStringLiteral("&System Info..."), this);
    systemInfoButton_->setObjectName(QStringLiteral("cmdSysInfo"));
    systemInfoButton_->setGeometry(twipsRect(4320, 2880, 1260, 375));
    systemInfoButton_->setAccessibleName(QStringLiteral("System Info"));

    hintTimer_ = new QTimer(this);
    hintTimer_->setObjectName(QStringLiteral("Timer1"));
    hintTimer_->setInterval(kHintDelayMs);
    hintTimer_->setSingleShot(true);

    connect(okButton_, &QPushButton::clicked, this, &AboutWindow::onOk);
    connect(systemInfoButton_, &QPushButton::clicked, this, &AboutWindow::onSystemInfo);
    connect(hintTimer_, &QTimer::timeout, this, &AboutWindow::onHintTimer);

    centreOnScreen(this);
    okButton_->setFocus();
}

void AboutWindow::noteKeyDown(const QKeyEvent* event)
{
    lastKey_ = event->key();
}

void AboutWindow::noteKeyUp(const QKeyEvent* event)
{
    // A held key repeats as release-and-press pairs; only the real release counts.
    if (!event->isAutoRepeat())
        lastKey_ = 0;
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == okButton_) {
        if (event->type() == QEvent::KeyPress)
            noteKeyDown(static_cast<QKeyEvent*>(event));
        else if (event->type() == QEvent::KeyRelease)
            noteKeyUp(static_cast<QKeyEvent*>(event));
    } else if (watched == logo_) {
        if (event->type() == QEvent::MouseMove) {
            onLogoHover();
            return true; // not a move over the window, which would take the hint away
        }
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            logo_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
            onLogoClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    // Keys reaching the window from another button (System Info) are not the box's own.
    if (!focusWidget() || focusWidget() == this)
        noteKeyDown(event);
    QDialog::keyPressEvent(event);
}

void AboutWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (!focusWidget() || focusWidget() == this)
        noteKeyUp(event);
    QDialog::keyReleaseEvent(event);
}

void AboutWindow::onOk()
{
    if (lastKey_ == Qt::Key_L) {
        showMessage(licenceText_);
        lastKey_ = 0;
        return;
    }
    accept();
}

void AboutWindow::onSystemInfo()
{
    const std::optional<ProgramCommand> tool = findSystemInfoProgram();
    if (tool && startProgram(tool->program, tool->arguments))
        return;
    showMessage(QString::fromUtf16(kSystemInfoUnavailable));
}

void AboutWindow::onLogoHover()
{
    if (flags_.HiddenAnimationEnabled && flags_.HiddenAnimationArmed && !hintTimer_->isActive())
        hintTimer_->start();
}

void AboutWindow::onHintTimer()
{
    hint_->show();
}

void AboutWindow::mouseMoveEvent(QMouseEvent* event)
{
    hintTimer_->stop();
    hint_->hide();
    QDialog::mouseMoveEvent(event);
}

void AboutWindow::onLogoClicked()
{
    if (!flags_.HiddenAnimationEnabled || !flags_.HiddenAnimationArmed)
        return;
    EggWindow egg(flags_, this);
    execDialog(egg);
}

void AboutWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!std::exchange(centred_, true))
        centreOnScreen(this);
}

} // namespace mx
