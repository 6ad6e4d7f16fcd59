#include "shell/web_site_window.h"

#include "common/twips.h"
#include "platform/window_placement.h"
#include "shell/desktop_launch.h"
#include "shell/logo_link.h"
#include "shell/shell_art.h"

#include "version.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTextLayout>
#include <QUrl>

namespace mx {
namespace {

// Joins the characters on either side of it: no line breaks there.
constexpr QChar kWordJoiner(0x2060);

} // namespace

void UnbrokenPhraseLabel::setPhrase(const QString& phrase)
{
    phrase_ = phrase;
    update();
}

void UnbrokenPhraseLabel::layOut(QTextLayout& layout) const
{
    QString shown = text();
    const qsizetype at = phrase_.isEmpty() ? -1 : shown.indexOf(phrase_);
    const int width = contentsRect().width();
    if (at >= 0 && fontMetrics().horizontalAdvance(phrase_) <= width) {
        QString joined;
        for (const QChar c : phrase_) {
            if (!joined.isEmpty())
                joined += kWordJoiner;
            joined += c;
        }
        shown.replace(at, phrase_.size(), joined);
    }
    layout.setText(shown);
    layout.setFont(font());
    QTextOption option(alignment());
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition({0, y});
        y += line.height();
    }
    layout.endLayout();
}

QStringList UnbrokenPhraseLabel::lines() const
{
    QTextLayout layout;
    layOut(layout);
    QStringList lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        lines << layout.text().mid(line.textStart(), line.textLength()).remove(kWordJoiner).trimmed();
    }
    return lines;
}

void UnbrokenPhraseLabel::paintEvent(QPaintEvent*)
{
    QTextLayout layout;
    layOut(layout);
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    QPointF origin = contentsRect().topLeft();
    if (alignment() & Qt::AlignVCenter)
        origin.ry() += (contentsRect().height() - layout.boundingRect().height()) / 2;
    layout.draw(&painter, origin);
}

WebSiteWindow::WebSiteWindow(QString address, LogoLinkFlags& flags, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      address_(std::move(address)), flags_(flags)
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("Web Site"));
    setAccessibleName(QStringLiteral("Web Site"));
    setFixedSize(twipsSize(kWidthTwips, kHeightTwips));
    setWindowIcon(parent ? parent->window()->windowIcon() : productIcon());

    frame_ = new QGroupBox(this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setAccessibleName(QStringLiteral("Web site"));
    frame_->setGeometry(twipsRect(120, 60, 5160, 1470));

    picture_ = new QLabel(frame_);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setAccessibleName(QStringLiteral("Web link"));
    picture_->setGeometry(twipsRect(180, 360, 600, 600));
    picture_->setPixmap(drawLinkPicture(twipsToPixels(600)));

    message_ = new UnbrokenPhraseLabel(frame_);
    message_->setObjectName(QStringLiteral("lblMessage"));
    message_->setGeometry(twipsRect(960, 240, 4080, 960));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->setText(QStringLiteral("Visit the %1 web site at %2 for news, updates and more conversion tables.")
                          .arg(QString::fromUtf8(version::kCompanyName), address_));
    message_->setPhrase(address_);
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
