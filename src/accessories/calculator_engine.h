#pragma once

#include "common/message_service.h"

#include <QString>
#include <QStringView>

#include <optional>

// The desk calculator's entry logic, apart from its window. Each input is one button of the calculator, named by its
// caption; the readout is the text the window shows. Numbers stay text in the readout until an operator needs them.
namespace mx {

// A message the window is to show for an input; the engine decides it, the window shows it.
struct CalculatorMessage {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;

    friend bool operator==(const CalculatorMessage&, const CalculatorMessage&) = default;
};

class CalculatorEngine {
public:
    // The readout before anything is pressed, and after Clear and Clear Entry.
    static constexpr const char16_t* kStartReadout = u"0.";
    // Longest readout an operator press leaves; typed digits are never cut.
    static constexpr qsizetype kReadoutLength = 15;

    CalculatorEngine();

    const QString& readout() const { return readout_; }

    // One press of the button with this caption: "0" to "9", ".", "+", "-", "X", "/", "=", "%", "SQRT", "C", "CE".
    // Any other caption does nothing.
    std::optional<CalculatorMessage> press(QStringView caption);

    void digit(QChar d);
    void decimalPoint();
    std::optional<CalculatorMessage> operatorKey(QChar op);
    std::optional<CalculatorMessage> percent();
    std::optional<CalculatorMessage> squareRoot();
    void clear();
    void clearEntry();

    // What Copy shows when the clipboard could not be written.
    static CalculatorMessage copyFailedMessage();

    // The readout an operator press leaves for a text longer than kReadoutLength: its first characters, unless that
    // would drop digits before the point, every significant digit, or the exponent; then the number in exponent form
    // with as many mantissa characters as fit.
    static QString fitReadout(const QString& text);

private:
    // The first operand is a text (as typed, or taken from the readout) until an operation stores a number in it.
    struct Operand {
        QString text;
        std::optional<double> number;

        QString shown() const;
    };

    enum class Input { None, Nums, Ops, Neg, ClearedEntry };

    void initVariables();
    // Runs the pending operation on the two operands; a message means the first operand was left as it was.
    std::optional<CalculatorMessage> combine();

    QString readout_;
    Operand first_;
    QString second_;
    bool decimalEntered_ = false;
    int operandCount_ = 0;
    Input input_ = Input::None;
    QChar pendingOp_ = u' ';
};

} // namespace mx
