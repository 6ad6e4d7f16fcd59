#include "accessories/calculator_engine.h"

#include "common/number_text.h"

#include <cmath>

namespace mx {
namespace {

const QString kTitle = QStringLiteral("Calculator");

CalculatorMessage divideByZero()
{
    return {QStringLiteral("Can't divide by zero"), kTitle, MsgButtons::Ok, MsgIcon::Exclamation};
}

// A readout that is not a number (a lone "-") or the square root of a negative number.
CalculatorMessage invalidInput()
{
    return {QStringLiteral("Invalid input"), kTitle, MsgButtons::Ok, MsgIcon::Exclamation};
}

// A result beyond the range of a 64-bit float.
CalculatorMessage resultTooLarge()
{
    return {QStringLiteral("Result too large"), kTitle, MsgButtons::Ok, MsgIcon::Exclamation};
}

bool isSignificantDigit(QChar c)
{
    return c >= u'1' && c <= u'9';
}

// Exponent form with up to 15 significant digits and no trailing zeros in the mantissa ("-1.2345E+14").
QString exponentText(double value)
{
    QString text = formatPicture(value, u"0.00000000000000E+00");
    const qsizetype e = text.indexOf(u'E');
    qsizetype end = e;
    while (end > 0 && text[end - 1] == u'0')
        --end;
    if (end > 0 && text[end - 1] == u'.')
        --end;
    return text.left(end) + text.mid(e);
}

// Cutting the text keeps its value's magnitude when every digit before the point stays and, unless the value is
// zero, at least one significant digit does.
bool cutKeepsMagnitude(const QString& text, qsizetype length)
{
    const qsizetype point = text.indexOf(u'.');
    if ((point < 0 ? text.size() : point) > length)
        return false;
    for (qsizetype i = 0; i < length; ++i) {
        if (isSignificantDigit(text[i]))
            return true;
    }
    for (qsizetype i = length; i < text.size(); ++i) {
        if (isSignificantDigit(text[i]))
            return false;
    }
    return true;
}

} // namespace

QString CalculatorEngine::Operand::shown() const
{
    return number ? generalNumberText(*number) : text;
}

CalculatorEngine::CalculatorEngine() : readout_(QString::fromUtf16(kStartReadout)), first_{{}, 0.0}
{
    initVariables();
}

CalculatorMessage CalculatorEngine::copyFailedMessage()
{
    return {QStringLiteral("Select the entry box where you want the data to appear and click the Copy button again."),
            QStringLiteral("Copy Error!"), MsgButtons::Ok, MsgIcon::None};
}

QString CalculatorEngine::fitReadout(const QString& text)
{
    if (text.size() <= kReadoutLength)
        return text;
    QString number = text;
    qsizetype e = number.indexOf(u'E', 0, Qt::CaseInsensitive);
    if (e < 0) {
        if (cutKeepsMagnitude(number, kReadoutLength))
            return number.left(kReadoutLength);
        const std::optional<double> value = strictNumber(number);
        if (!value)
            return number.left(kReadoutLength);
        number = exponentText(*value);
        if (number.size() <= kReadoutLength)
            return number;
        e = number.indexOf(u'E');
    }
    // Mantissa characters are dropped, never the exponent; with no room left for a digit after the point a plain
    // cut is all there is.
    const qsizetype room = kReadoutLength - (number.size() - e);
    if (room < 3)
        return number.left(kReadoutLength);
    return number.left(room) + number.mid(e);
}

void CalculatorEngine::initVariables()
{
    decimalEntered_ = false;
    operandCount_ = 0;
    input_ = Input::None;
    pendingOp_ = u' ';
}

std::optional<CalculatorMessage> CalculatorEngine::press(QStringView caption)
{
    if (caption.size() == 1) {
        const QChar c = caption[0];
        if (c >= u'0' && c <= u'9') {
            digit(c);
            return std::nullopt;
        }
        if (c == u'.') {
            decimalPoint();
            return std::nullopt;
        }
        if (c == u'%')
            return percent();
        if (c == u'C') {
            clear();
            return std::nullopt;
        }
        return operatorKey(c);
    }
    if (caption == u"SQRT")
        return squareRoot();
    if (caption == u"CE")
        clearEntry();
    return std::nullopt;
}

void CalculatorEngine::digit(QChar d)
{
    if (d < u'0' || d > u'9')
        return;
    if (input_ != Input::Nums) {
        readout_ = QStringLiteral(".");
        decimalEntered_ = false;
    }
    if (decimalEntered_) {
        readout_ += d;
    } else {
        // Digits go in front of the trailing point; a leading zero stays.
        const qsizetype point = readout_.indexOf(u'.');
        readout_ = (point < 0 ? readout_ : readout_.left(point)) + d + u'.';
    }
    if (input_ == Input::Neg)
        readout_.prepend(u'-');
    input_ = Input::Nums;
}

void CalculatorEngine::decimalPoint()
{
    if (input_ == Input::Neg)
        readout_ = QStringLiteral("-0.");
    else if (input_ != Input::Nums)
        readout_ = QString::fromUtf16(kStartReadout);
    decimalEntered_ = true;
    input_ = Input::Nums;
}

std::optional<CalculatorMessage> CalculatorEngine::operatorKey(QChar op)
{
    if (op != u'+' && op != u'-' && op != u'X' && op != u'/' && op != u'=')
        return std::nullopt;
    const QString saved = readout_;
    if (input_ == Input::Nums)
        ++operandCount_;

    std::optional<CalculatorMessage> message;
    if (operandCount_ == 0) {
        // A minus before any number is the sign of the first number.
        if (op == u'-' && input_ != Input::Neg) {
            readout_.prepend(u'-');
            input_ = Input::Neg;
        }
    } else if (operandCount_ == 1) {
        first_ = {readout_, std::nullopt};
        // A minus where a second number is due is its sign; after "=" it subtracts from the result.
        if (op == u'-' && input_ != Input::Nums && pendingOp_ != u'=') {
            readout_ = QStringLiteral("-");
            input_ = Input::Neg;
        }
    } else {
        second_ = saved;
        message = combine();
        readout_ = first_.shown();
        operandCount_ = 1;
    }
    if (input_ != Input::Neg) {
        input_ = Input::Ops;
        pendingOp_ = op;
    }
    readout_ = fitReadout(readout_);
    return message;
}

std::optional<CalculatorMessage> CalculatorEngine::combine()
{
    double result = 0.0;
    if (pendingOp_ == u'+') {
        // Addition reads leniently: a text without a number counts as 0.
        result = leadingNumber(first_.shown()) + leadingNumber(second_);
    } else if (pendingOp_ == u'-' || pendingOp_ == u'X' || pendingOp_ == u'/') {
        const std::optional<double> b = strictNumber(second_);
        if (!b)
            return invalidInput();
        if (pendingOp_ == u'/' && *b == 0.0)
            return divideByZero();
        const std::optional<double> a = first_.number ? first_.number : strictNumber(first_.text);
        if (!a)
            return invalidInput();
        result = pendingOp_ == u'-' ? *a - *b : pendingOp_ == u'X' ? *a * *b : *a / *b;
    } else if (pendingOp_ == u'=') {
        // The result becomes the second operand as it was typed.
        first_ = {second_, std::nullopt};
        return std::nullopt;
    } else {
        return std::nullopt;
    }
    if (!std::isfinite(result))
        return resultTooLarge();
    first_ = {{}, result};
    return std::nullopt;
}

std::optional<CalculatorMessage> CalculatorEngine::percent()
{
    const std::optional<double> value = strictNumber(readout_);
    if (!value)
        return invalidInput();
    readout_ = generalNumberText(*value / 100.0);
    input_ = Input::Nums;
    decimalEntered_ = true;
    return std::nullopt;
}

std::optional<CalculatorMessage> CalculatorEngine::squareRoot()
{
    const std::optional<double> value = strictNumber(readout_);
    if (!value || *value < 0.0)
        return invalidInput();
    readout_ = generalNumberText(std::sqrt(*value));
    input_ = Input::Nums;
    decimalEntered_ = true;
    return std::nullopt;
}

void CalculatorEngine::clear()
{
    readout_ = QString::fromUtf16(kStartReadout);
    first_ = {{}, 0.0};
    second_ = QStringLiteral("0");
    initVariables();
}

void CalculatorEngine::clearEntry()
{
    readout_ = QString::fromUtf16(kStartReadout);
    decimalEntered_ = false;
    input_ = Input::ClearedEntry;
}

} // namespace mx
