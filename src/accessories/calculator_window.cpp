#include "accessories/calculator_window.h"

#include "common/message_service.h"
#include "common/twips.h"
#include "platform/button_keys.h"
#include "platform/clipboard.h"
#include "platform/form_layout.h"
#include "platform/key_filter.h"
#include "platform/result_copy.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace mx {
namespace {

// Outer size the window opens with, and the client area a framed window of that size leaves (twips).
constexpr QSize kOpeningSize(2895, 3330);
constexpr QSize kClientSize(2805, 2970);

constexpr int kKey = 420; // side of the small square buttons
constexpr int kWideWidth = 900;
constexpr int kWideHeight = 405;

struct ButtonLayout {
    const char16_t* name;
    const char16_t* caption;
    const char16_t* accessibleName;
    const char16_t* toolTip; // nullptr: none
    int left;
    int top;
    int width;
    int height;
};

// Digits by value; each button's handler takes its caption.
constexpr std::array<ButtonLayout, 10> kDigits = {{
    {u"Number(0)", u"0", u"0", nullptr, 105, 2055, kKey, kKey},
    {u"Number(1)", u"1", u"1", nullptr, 105, 1590, kKey, kKey},
    {u"Number(2)", u"2", u"2", nullptr, 600, 1590, kKey, kKey},
    {u"Number(3)", u"3", u"3", nullptr, 1080, 1590, kKey, kKey},
    {u"Number(4)", u"4", u"4", nullptr, 105, 1125, kKey, kKey},
    {u"Number(5)", u"5", u"5", nullptr, 600, 1125, kKey, kKey},
    {u"Number(6)", u"6", u"6", nullptr, 1080, 1125, kKey, kKey},
    {u"Number(7)", u"7", u"7", nullptr, 105, 660, kKey, kKey},
    {u"Number(8)", u"8", u"8", nullptr, 600, 660, kKey, kKey},
    {u"Number(9)", u"9", u"9", nullptr, 1080, 660, kKey, kKey},
}};

constexpr std::array<ButtonLayout, 5> kOperators = {{
    {u"Operator(0)", u"/", u"Divide", nullptr, 2280, 1590, kKey, kKey},
    {u"Operator(1)", u"+", u"Add", nullptr, 1800, 1125, kKey, kKey},
    {u"Operator(2)", u"X", u"Multiply", nullptr, 1800, 1590, kKey, kKey},
    {u"Operator(3)", u"-", u"Subtract", nullptr, 2280, 1125, kKey, kKey},
    {u"Operator(4)", u"=", u"Equals", nullptr, 105, 2520, 1400, kWideHeight},
}};

constexpr ButtonLayout kClear = {u"Cancel", u"C", u"Clear", u"Clear", 1800, 660, kKey, kKey};
constexpr ButtonLayout kClearEntry = {u"CancelEntry", u"CE", u"Clear Entry", u"Clear Entry", 2280, 660, kKey, kKey};
constexpr ButtonLayout kPoint = {u"Decimal", u".", u"Decimal point", nullptr, 600, 2055, kKey, kKey};
constexpr ButtonLayout kPercent = {u"Percent", u"%", u"Convert to Percent", u"Convert to Percent", 1080, 2055,
                                   kKey,       kKey};
constexpr ButtonLayout kRoot = {u"SquareRoot", u"SQRT", u"Square Root", u"Square Root",
                                1800,          2055,    kWideWidth,     kWideHeight};
constexpr ButtonLayout kCopy = {u"Copy", u"Copy", u"Copy",    u"Copy the readout to the clipboard",
                                1800,    2520,    kWideWidth, kWideHeight};

QPushButton* makeButton(QWidget* parent, const ButtonLayout& layout)
{
    auto* button = new QPushButton(QString::fromUtf16(layout.caption), parent);
    button->setObjectName(QString::fromUtf16(layout.name));
    button->setAccessibleName(QString::fromUtf16(layout.accessibleName));
    if (layout.toolTip)
        button->setToolTip(QString::fromUtf16(layout.toolTip));
    button->setGeometry(twipsRect(layout.left, layout.top, layout.width, layout.height));
    // A click leaves the focus where it was, so that Enter goes on meaning "=" after the mouse pressed a key; Tab
    // still reaches every button.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

CalculatorWindow::CalculatorWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("Calculator"));
    setAccessibleName(QStringLiteral("Calculator"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twipsSize(kClientSize.width(), kClientSize.height()));

    readout_ = new QLabel(engine_.readout(), this);
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setAccessibleDescription(QStringLiteral("Calculator readout"));
    readout_->setGeometry(twipsRect(30, 60, 2700, 375));
    readout_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    readout_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    readout_->setMargin(2);
    installResultCopy(readout_);

    separator_ = new QFrame(this);
    separator_->setObjectName(QStringLiteral("Line1"));
    separator_->setAccessibleName(QStringLiteral("Separator"));
    separator_->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator_->setGeometry(twipsRect(0, 510, kClientSize.width(), 60));

    for (std::size_t i = 0; i < kDigits.size(); ++i)
        digitButtons_[i] = makeButton(this, kDigits[i]);
    for (std::size_t i = 0; i < kOperators.size(); ++i)
        operatorButtons_[i] = makeButton(this, kOperators[i]);
    clearButton_ = makeButton(this, kClear);
    clearEntryButton_ = makeButton(this, kClearEntry);
    pointButton_ = makeButton(this, kPoint);
    percentButton_ = makeButton(this, kPercent);
    rootButton_ = makeButton(this, kRoot);
    copyButton_ = makeButton(this, kCopy);

    // Focus moves across the keys as they are laid out, row by row, then to Copy and the readout. The readout has
    // it first: typed keys press the calculator's buttons wherever the focus is.
    setTabChain({digitButtons_[7], digitButtons_[8], digitButtons_[9], clearButton_,        clearEntryButton_,
                 digitButtons_[4], digitButtons_[5], digitButtons_[6], operatorButtons_[1], operatorButtons_[3],
                 digitButtons_[1], digitButtons_[2], digitButtons_[3], operatorButtons_[2], operatorButtons_[0],
                 digitButtons_[0], pointButton_,     percentButton_,   rootButton_,         operatorButtons_[4],
                 copyButton_,      readout_});
    readout_->setFocus();
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button != copyButton_)
            connect(button, &QPushButton::clicked, this, [this, button] { onButton(button->text()); });
    }
    connect(copyButton_, &QPushButton::clicked, this, &CalculatorWindow::onCopy);
}

AccessoryWindowTraits CalculatorWindow::traits()
{
    return {
        .formName = kFormName, .openingSizeTwips = kOpeningSize, .guard = PlacementGuard::SkipWhileMinimisedOrResizing};
}

QString CalculatorWindow::readoutText() const
{
    return readout_->text();
}

QPushButton* CalculatorWindow::buttonForKey(const QKeyEvent& key) const
{
    if (key.matches(QKeySequence::Copy))
        return copyButton_;
    const bool plain = (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key.key() == Qt::Key_Escape || key.key() == Qt::Key_Delete))
        return clearButton_;
    const int code = KeyPressFilter::typedCode(key.key(), key.modifiers(), key.text(), ControlCodes::Untouched);
    if (code >= '0' && code <= '9')
        return digitButtons_[std::size_t(code - '0')];
    switch (code) {
    case kBackspace:
        return clearEntryButton_;
    case kEnter:
    case '=':
        return operatorButtons_[4];
    case '.':
    case ',':
        return pointButton_;
    case '+':
        return operatorButtons_[1];
    case '-':
        return operatorButtons_[3];
    case '*':
    case 'x':
    case 'X':
        return operatorButtons_[2];
    case '/':
        return operatorButtons_[0];
    case '%':
        return percentButton_;
    default:
        return nullptr;
    }
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return QWidget::eventFilter(watched, event);
    QPushButton* button = buttonForKey(*static_cast<QKeyEvent*>(event));
    if (!button)
        return QWidget::eventFilter(watched, event);
    // The key is the calculator's before any shortcut can take it.
    event->accept();
    if (type == QEvent::KeyPress)
        pressButton(button);
    return true;
}

void CalculatorWindow::onButton(const QString& caption)
{
    const std::optional<CalculatorMessage> message = engine_.press(caption);
    // The readout shows where the calculation goes on from before the message is read.
    readout_->setText(engine_.readout());
    report(message);
}

void CalculatorWindow::onCopy()
{
    if (!putOnClipboard(readout_->text()))
        report(CalculatorEngine::copyFailedMessage());
}

void CalculatorWindow::report(const std::optional<CalculatorMessage>& message)
{
    if (message)
        showMessage(message->text, message->buttons, message->icon, message->title);
}

} // namespace mx
