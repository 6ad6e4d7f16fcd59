#include "accessories/calculator_engine.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;

namespace {

QStringList keysOf(const QString& keys)
{
    return keys.split(u' ', Qt::SkipEmptyParts);
}

// "1" followed by `zeros` zeros, as keys.
QString oneAndZeros(int zeros)
{
    return QStringLiteral("1 ") + QStringLiteral("0 ").repeated(zeros);
}

} // namespace

class CalculatorEngineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readoutAfterEachKey_data();
    void readoutAfterEachKey();
    void finalReadout_data();
    void finalReadout();
    void failures_data();
    void failures();
    void fitReadout_data();
    void fitReadout();
    void copyFailedMessage();
};

void CalculatorEngineTest::readoutAfterEachKey_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("readouts");
    QTest::newRow("add") << "1 2 + 3 ="
                         << "1. / 12. / 12. / 3. / 15";
    QTest::newRow("sign of the first number") << "- 5 X 2 ="
                                              << "-0. / -5. / -5. / 2. / -10";
    QTest::newRow("sign of the second number") << "5 - - 3 ="
                                               << "5. / 5. / - / -3. / 8";
    QTest::newRow("pending equals takes the second operand") << "5 = 3 ="
                                                             << "5. / 5. / 3. / 3.";
    QTest::newRow("clear entry keeps the first operand") << "1 2 + 5 CE 3 ="
                                                         << "1. / 12. / 12. / 5. / 0. / 3. / 15";
    QTest::newRow("result goes on") << "1 2 + 3 = + 2 ="
                                    << "1. / 12. / 12. / 3. / 15 / 15 / 2. / 17";
    QTest::newRow("minus after equals subtracts") << "1 2 + 3 = - 2 ="
                                                  << "1. / 12. / 12. / 3. / 15 / 15 / 2. / 13";
    QTest::newRow("percent") << "5 0 %"
                             << "5. / 50. / 0.5";
    QTest::newRow("digits follow a percent") << "5 0 % 5"
                                             << "5. / 50. / 0.5 / 0.55";
    QTest::newRow("square root") << "9 SQRT"
                                 << "9. / 3";
    QTest::newRow("point first") << ". 5"
                                 << "0. / 0.5";
    QTest::newRow("second point ignored") << "5 . ."
                                          << "5. / 5. / 5.";
    QTest::newRow("leading zero stays") << "0 1"
                                        << "0. / 01.";
    QTest::newRow("negative fraction") << "- . 5"
                                       << "-0. / -0. / -0.5";
    QTest::newRow("second minus keeps the sign") << "- - 4"
                                                 << "-0. / -0. / -4.";
    QTest::newRow("negative second operand") << "2 X - 3 ="
                                             << "2. / 2. / - / -3. / -6";
    QTest::newRow("left to right") << "2 + 3 X 4 ="
                                   << "2. / 2. / 3. / 5 / 4. / 20";
    QTest::newRow("divide") << "7 / 2 ="
                            << "7. / 7. / 2. / 3.5";
    QTest::newRow("long quotient is cut") << "1 0 / 3 ="
                                          << "1. / 10. / 10. / 3. / 3.3333333333333";
    QTest::newRow("cut, not rounded") << "2 / 3 ="
                                      << "2. / 2. / 3. / 0.6666666666666";
    QTest::newRow("clear starts over") << "3 + 4 C 5 ="
                                       << "3. / 3. / 4. / 0. / 5. / 5.";
    QTest::newRow("point then digits after an operator") << "1 . 5 X . 5 ="
                                                         << "1. / 1. / 1.5 / 1.5 / 0. / 0.5 / 0.75";
    QTest::newRow("lone minus added as zero") << "5 + - + 3 ="
                                              << "5. / 5. / - / - / -3. / -3";
    QTest::newRow("root of zero") << "0 SQRT"
                                  << "0. / 0";
}

void CalculatorEngineTest::readoutAfterEachKey()
{
    QFETCH(QString, keys);
    QFETCH(QString, readouts);
    const QStringList pressed = keysOf(keys);
    const QStringList expected = readouts.split(QStringLiteral(" / "));
    QCOMPARE(pressed.size(), expected.size());
    CalculatorEngine engine;
    QCOMPARE(engine.readout(), QStringLiteral("0."));
    for (qsizetype i = 0; i < pressed.size(); ++i) {
        const auto message = engine.press(pressed[i]);
        QVERIFY2(!message, qPrintable(pressed[i] + QStringLiteral(" showed ") + message->text));
        QCOMPARE(engine.readout(), expected[i]);
    }
}

void CalculatorEngineTest::finalReadout_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("readout");
    QTest::newRow("typed digits are never cut") << "1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6"
                                                << "1234567890123456.";
    QTest::newRow("long typed number shown in exponent form") << "1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 +"
                                                              << "1.234567890E+15";
    QTest::newRow("long negative number") << "- 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 ="
                                          << "-1.23456789E+14";
    QTest::newRow("big product fits") << "9 9 9 9 9 9 9 9 9 X 9 9 9 9 9 9 9 9 9 ="
                                      << "9.99999998E+17";
    QTest::newRow("big product keeps its exponent") << "1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 X 1 0 0 0 0 0 0 ="
                                                    << "1.234567890E+20";
    QTest::newRow("tiny typed number") << ". 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 ="
                                       << "1E-17";
    QTest::newRow("operator reads the cut readout") << "1 0 / 3 = X 3 ="
                                                    << "9.9999999999999";
    QTest::newRow("tiny percent") << "0 . 0 0 0 1 %"
                                  << "1E-06";
}

void CalculatorEngineTest::finalReadout()
{
    QFETCH(QString, keys);
    QFETCH(QString, readout);
    CalculatorEngine engine;
    for (const QString& key : keysOf(keys))
        QVERIFY(!engine.press(key));
    QCOMPARE(engine.readout(), readout);
}

void CalculatorEngineTest::failures_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("messageAt");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("readoutThen");
    QTest::addColumn<QString>("finalReadout");
    QTest::newRow("divide by zero") << "8 / 0 =" << 3 << "Can't divide by zero"
                                    << "8."
                                    << "8.";
    QTest::newRow("divide by zero, then go on") << "8 / 0 = + 2 =" << 3 << "Can't divide by zero"
                                                << "8."
                                                << "10";
    QTest::newRow("divide by zero in a chain") << "6 / 0 X 2 =" << 3 << "Can't divide by zero"
                                               << "6."
                                               << "12";
    QTest::newRow("divide a result by zero") << "2 X 3 = / 0 =" << 6 << "Can't divide by zero"
                                             << "6"
                                             << "6";
    QTest::newRow("percent of a lone minus") << "5 + - %" << 3 << "Invalid input"
                                             << "-"
                                             << "-";
    QTest::newRow("root of a lone minus") << "5 + - SQRT" << 3 << "Invalid input"
                                          << "-"
                                          << "-";
    QTest::newRow("root of a negative number") << "- 4 SQRT 5" << 2 << "Invalid input"
                                               << "-4."
                                               << "-45.";
    QTest::newRow("lone minus as first operand") << "5 - - + 3 X" << 5 << "Invalid input"
                                                 << "-"
                                                 << "-";
    QTest::newRow("clear after a lone minus") << "5 - - + 3 X C 2 X 3 =" << 5 << "Invalid input"
                                              << "-"
                                              << "6";
    QTest::newRow("product too large") << oneAndZeros(200) + QStringLiteral("X ") + oneAndZeros(200) +
                                              QStringLiteral("=")
                                       << 403 << "Result too large"
                                       << "1E+200"
                                       << "1E+200";
    QTest::newRow("quotient too large") << oneAndZeros(200) + QStringLiteral("/ . ") +
                                               QStringLiteral("0 ").repeated(199) + QStringLiteral("1 =")
                                        << 403 << "Result too large"
                                        << "1E+200"
                                        << "1E+200";
}

void CalculatorEngineTest::failures()
{
    QFETCH(QString, keys);
    QFETCH(int, messageAt);
    QFETCH(QString, message);
    QFETCH(QString, readoutThen);
    QFETCH(QString, finalReadout);
    const QStringList pressed = keysOf(keys);
    CalculatorEngine engine;
    for (qsizetype i = 0; i < pressed.size(); ++i) {
        const auto shown = engine.press(pressed[i]);
        if (i != messageAt) {
            QVERIFY2(!shown, qPrintable(QStringLiteral("key %1 showed %2").arg(i).arg(shown->text)));
            continue;
        }
        QVERIFY(shown);
        QCOMPARE(shown->text, message);
        QCOMPARE(shown->title, QStringLiteral("Calculator"));
        QCOMPARE(shown->buttons, MsgButtons::Ok);
        QCOMPARE(shown->icon, MsgIcon::Exclamation);
        QCOMPARE(engine.readout(), readoutThen);
    }
    QCOMPARE(engine.readout(), finalReadout);
}

void CalculatorEngineTest::fitReadout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fitted");
    QTest::newRow("fits") << "123456789012345"
                          << "123456789012345";
    QTest::newRow("fraction cut") << "3.33333333333333"
                                  << "3.3333333333333";
    QTest::newRow("negative fraction cut") << "-3.33333333333333"
                                           << "-3.333333333333";
    QTest::newRow("cut down to the point") << "12345678901234.5"
                                           << "12345678901234.";
    QTest::newRow("small fraction keeps a digit") << "0.000123456789012345"
                                                  << "0.0001234567890";
    QTest::newRow("integer digits would fall off") << "-123456789012345"
                                                   << "-1.23456789E+14";
    QTest::newRow("every digit would fall off") << "0.00000000000000012"
                                                << "1.2E-16";
    QTest::newRow("zero stays zero") << "0.0000000000000000"
                                     << "0.0000000000000";
    QTest::newRow("exponent kept") << "1.23456789012345E+20"
                                   << "1.234567890E+20";
    QTest::newRow("three-digit exponent") << "-4.94065645841247E-324"
                                          << "-4.9406564E-324";
    QTest::newRow("not a number") << "abcdefghijklmnopq"
                                  << "abcdefghijklmno";
}

void CalculatorEngineTest::fitReadout()
{
    QFETCH(QString, text);
    QFETCH(QString, fitted);
    QCOMPARE(CalculatorEngine::fitReadout(text), fitted);
}

void CalculatorEngineTest::copyFailedMessage()
{
    const CalculatorMessage message = CalculatorEngine::copyFailedMessage();
    QCOMPARE(message.text,
             QStringLiteral("Select the entry box where you want the data to appear and click the Copy button again."));
    QCOMPARE(message.title, QStringLiteral("Copy Error!"));
    QCOMPARE(message.buttons, MsgButtons::Ok);
    QCOMPARE(message.icon, MsgIcon::None);
}

MX_REGISTER_TEST(CalculatorEngineTest)
#include "tst_calculator_engine.moc"
