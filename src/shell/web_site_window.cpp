#include "shell/web_site_window.h"

#include "common/twips.h"
#include "platform/window_placement.h"
#include "shell/desktop_launch.h"
#include "shell/logo_link.h"
#include "shell/shell_art.h"

#include "version.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace mx {

WebSiteWindow::WebSiteWindow(QString address, LogoLinkFlags& flags, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      address_(std::move(address)), flags_(flags)
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("Web Site"));
    setAccessibleName(QStringLiteral("Web Site"));
    setFixedSize(twipsSize(kWidthTwips, kHeightTwips));
    setWindowIcon(parent ? parent->window()->windowIcon() : QIcon(drawProductIcon(32)));

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setAccessibleName(QStringLiteral("Web site"));
    frame_->setGeometry(twipsRect(120, 60, 5160, 1470));

    picture_ = new QLabel(frame_);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setAccessibleName(QStringLiteral("Web link"));
    picture_->setGeometry(twipsRect(180, 360, 600, 600));
    picture_->setPixmap(drawLinkPicture(twipsToPixels(600)));

    message_ = new QLabel(frame_);
    message_->setObjectName(QStringLiteral("lblMessage"));
    message_->setGeometry(twipsRect(960, 240, 4080, 960));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setText(QStringLiteral("Visit the %1 web site at %2 for news, updates and more conversion tables.")
                          .arg(QString::fromUtf8(version::kCompanyName), address_));
    message_->setAccessibleDescription(QStringLiteral("Invitation"));

    goThereButton_ = new QPushButton(QStringLiteral("Go There"), this);
    goThereButton_->setObjectName(QStringLiteral("cmdGoThere"));
    goThereButton_->setAccessibleName(QStringLiteral("Go There"));
    goThereButton_->setGeometry(twipsRect(2520, 1740, 1260, 375));
    goThereButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));
    cancelButton_->setAccessibleName(QStringLiteral("Cancel"));
    cancelButton_->setGeometry(twipsRect(3960, 1740, 1260, 375));

    connect(goThereButton_, &QPushButton::clicked, this, &WebSiteWindow::onGoThere);
    connect(cancelButton_, &QPushButton::clicked, this, &WebSiteWindow::onCancel);

    centreOnScreen(this);
    goThereButton_->setFocus();
}

void WebSiteWindow::onGoThere()
{
    // Whether the browser came up is not reported; the dialog stays for another try or Cancel.
    openUrl(QUrl(address_));
}

void WebSiteWindow::onCancel()
{
    flags_.WebDialogOpen = false;
    reject();
}

void WebSiteWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void WebSiteWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!std::exchange(centred_, true))
        centreOnScreen(this);
}

} // namespace mx
