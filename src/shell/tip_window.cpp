#include "shell/tip_window.h"

#include "common/message_service.h"
#include "common/twips.h"
#include "platform/form_layout.h"
#include "platform/window_placement.h"
#include "shell/shell_art.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace mx {

TipWindow::TipWindow(const FilePlaces& places, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      book_(places)
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setAccessibleName(QStringLiteral("Tip of the Day"));
    setFixedSize(twipsSize(kWidthTwips, kHeightTwips));

    picture_ = placeControl(new QLabel(this), QStringLiteral("Picture1"), {180, 180, 900, 900});
    picture_->setPixmap(drawTipPicture(twipsToPixels(900)));
    picture_->setAccessibleName(QStringLiteral("Light bulb"));

    didYouKnow_ = placeControl(new QLabel(QStringLiteral("Did you know..."), this), QStringLiteral("Label1"),
                               {1260, 240, 4080, 360});
    didYouKnow_->setFont(headingFont(didYouKnow_->font(), 1.3));

    // A tip is a line of the user's file, as long as it likes: it wraps, and scrolls once it outgrows the box.
    tipScroller_ = placeControl(new QScrollArea(this), QStringLiteral("scrTipText"), {1260, 720, 4080, 2040});
    tipScroller_->setAccessibleName(QStringLiteral("Tip"));
    tipScroller_->setFrameShape(QFrame::StyledPanel);
    tipScroller_->setBackgroundRole(QPalette::Base);
    tipScroller_->setWidgetResizable(true);
    tipText_ = new QLabel;
    tipText_->setObjectName(QStringLiteral("lblTipText"));
    tipText_->setTextFormat(Qt::PlainText); // a tip is the user's text, never markup
    tipText_->setWordWrap(true);
    tipText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tipText_->setMargin(6);
    tipText_->setAccessibleDescription(QStringLiteral("Tip"));
    tipScroller_->setWidget(tipText_);

    showAtStartupBox_ = placeControl(new QCheckBox(QStringLiteral("&Show Tips at Startup"), this),
                                     QStringLiteral("chkLoadTipsAtStartup"), {180, 3030, 2520, 315});
    showAtStartupBox_->setAccessibleName(QStringLiteral("Show Tips at Startup"));
    nextTipButton_ = placeControl(new QPushButton(QStringLiteral("&Next Tip"), this), QStringLiteral("cmdNextTip"),
                                  {2820, 2970, 1215, 375});
    nextTipButton_->setAccessibleName(QStringLiteral("Next Tip"));
    okButton_ =
        placeControl(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"), {4125, 2970, 1215, 375});
    okButton_->setAccessibleName(QStringLiteral("OK"));
    okButton_->setDefault(true);

    connect(nextTipButton_, &QPushButton::clicked, this, &TipWindow::showNextTip);
    connect(okButton_, &QPushButton::clicked, this, &TipWindow::onOk);
    connect(showAtStartupBox_, &QCheckBox::clicked, this, &TipWindow::onShowAtStartupClicked);

    centreOnScreen(this);
    showAtStartupBox_->setChecked(true);
    onShowAtStartupClicked();
    if (!loadTips(book_.tipsFilePath())) {
        tipText_->setText(book_.notLoadedMessage());
        nextTipButton_->setEnabled(false);
    }
    okButton_->setFocus();
}

bool TipWindow::loadTips(const QString& fileName)
{
    if (!book_.loadTips(fileName))
        return false;
    showCurrentTip();
    return true;
}

void TipWindow::showNextTip()
{
    book_.moveToNextTip();
    showCurrentTip();
}

void TipWindow::showCurrentTip()
{
    // Without tips the label keeps what it shows.
    if (const std::optional<QString> tip = book_.currentTipText()) {
        tipText_->setText(*tip);
        tipScroller_->ensureVisible(0, 0); // each tip is read from its start
    }
}

void TipWindow::onShowAtStartupClicked()
{
    showTipsAtStartup_ = showAtStartupBox_->isChecked();
    Q_EMIT showTipsAtStartupChanged(showTipsAtStartup_);
}

void TipWindow::onOk()
{
    // The tip is already read; a counter that cannot be written only means the same tip comes again.
    QString error;
    if (!book_.saveCurrentTip(&error))
        showMessage(error, MsgButtons::Ok, MsgIcon::Exclamation);
    accept();
}

void TipWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape presses OK, which remembers the tip; only the close box leaves the counter file alone.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        okButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TipWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred again once the frame is known; the tip window is always centred, whatever the setting says.
    if (!std::exchange(centred_, true))
        centreOnScreen(this);
}

} // namespace mx
