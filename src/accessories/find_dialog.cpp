#include "accessories/find_dialog.h"

#include "common/message_service.h"
#include "platform/form_layout.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace mx {
namespace {

// Outer size the dialog opens with, and the client area a framed dialog of that size leaves (twips).
constexpr QSize kOpeningSize(4695, 2085);
constexpr QSize kClientSize(4605, 1725);

QPushButton* placeButton(QWidget* parent, const char* name, const QString& caption, int left)
{
    auto* button = placeControl(new QPushButton(caption, parent), QString::fromLatin1(name), {left, 1230, 1395, 375});
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

} // namespace

FindDialog::FindDialog(FindPositions& positions, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      positions_(positions)
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("Find"));
    setAccessibleName(QStringLiteral("Find"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsSize(kClientSize.width(), kClientSize.height()));

    placeLabel(this, QStringLiteral("Label1"), QStringLiteral("Enter a word or several words to search for"),
               {120, 120, 4365, 255});
    textBox_ = placeControl(new QLineEdit(this), QStringLiteral("Text1"), {120, 405, 4365, 315});
    textBox_->setAccessibleName(QStringLiteral("Text to find"));
    matchCaseBox_ = placeControl(new QCheckBox(QStringLiteral("Match Case"), this), QStringLiteral("Check1"),
                                 {120, 840, 1875, 255});
    matchCaseBox_->setAccessibleName(QStringLiteral("Match Case"));
    wholeWordBox_ = placeControl(new QCheckBox(QStringLiteral("Whole Word"), this), QStringLiteral("Check2"),
                                 {2160, 840, 1875, 255});
    wholeWordBox_->setAccessibleName(QStringLiteral("Whole Word"));
    findFirstButton_ = placeButton(this, "Command1", QStringLiteral("Find First"), 120);
    findNextButton_ = placeButton(this, "Command2", QStringLiteral("Find Next"), 1605);
    cancelButton_ = placeButton(this, "Command3", QStringLiteral("Cancel"), 3090);

    connect(findFirstButton_, &QPushButton::clicked, this, &FindDialog::onFindFirst);
    connect(findNextButton_, &QPushButton::clicked, this, &FindDialog::onFindNext);
    connect(cancelButton_, &QPushButton::clicked, this, &QWidget::close);
    // Enter in the text box searches on: from the start the first time the dialog searches, as Find First does,
    // then on after the last match, as Find Next does.
    connect(textBox_, &QLineEdit::returnPressed, this, [this] { searched_ ? onFindNext() : onFindFirst(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

AccessoryWindowTraits FindDialog::traits()
{
    AccessoryWindowTraits traits;
    traits.formName = kFormName;
    traits.openingSizeTwips = kOpeningSize;
    // No keys: its place is kept for the run only.
    traits.guard = PlacementGuard::SkipWhileMinimisedOrResizing;
    return traits;
}

bool FindDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !positioned_ && placement_)
        positioned_ = placement_();
    return QWidget::event(event);
}

void FindDialog::onFindFirst()
{
    run(positions_.first(textBox_->text(), matchCaseBox_->isChecked(), wholeWordBox_->isChecked()));
}

void FindDialog::onFindNext()
{
    run(positions_.next(textBox_->text(), matchCaseBox_->isChecked(), wholeWordBox_->isChecked()));
}

void FindDialog::run(const FindSearch& search)
{
    searched_ = true;
    if (positions_.found(search_ ? search_(search) : -1))
        showMessage(QString::fromUtf16(kMatchNotFoundText));
}

} // namespace mx
