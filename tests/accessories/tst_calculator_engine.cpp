#include "accessories/calculator_engine.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;

class CalculatorEngineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The keys pressed and the readout after each (or only the last, when one is given). Where a key shows a
    // message (at messageAt), the readout keeps its text or shows the first operand again, and the calculation goes
    // on from there.
    void keys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("readouts");
        QTest::addColumn<int>("messageAt");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("readoutThen");
        const auto fail = [](const char* name, const QString& keys, const char* final, int at = -1,
                             const char* message = "", const char* then = "") {
            QTest::newRow(name) << keys << QString::fromLatin1(final) << at << QString::fromLatin1(message)
                                << QString::fromLatin1(then);
        };
        const auto row = [&fail](const char* name, const char* keys, const char* readouts) {
            fail(name, QString::fromLatin1(keys), readouts);
        };
        row("add", "1 2 + 3 =", "1. / 12. / 12. / 3. / 15");
        row("sign of the first number", "- 5 X 2 =", "-0. / -5. / -5. / 2. / -10");
        row("sign of the second number", "5 - - 3 =", "5. / 5. / - / -3. / 8");
        row("pending equals takes the second operand", "5 = 3 =", "5. / 5. / 3. / 3.");
        row("clear entry keeps the first operand", "1 2 + 5 CE 3 =", "1. / 12. / 12. / 5. / 0. / 3. / 15");
        row("result goes on", "1 2 + 3 = + 2 =", "1. / 12. / 12. / 3. / 15 / 15 / 2. / 17");
        row("digits follow a percent", "5 0 % 5", "5. / 50. / 0.5 / 0.55");
        row("square root", "9 SQRT", "9. / 3");
        row("point first", ". 5", "0. / 0.5");
        row("second point ignored", "5 . .", "5. / 5. / 5.");
        row("leading zero stays", "0 1", "0. / 01.");
        row("negative fraction", "- . 5", "-0. / -0. / -0.5");
        row("second minus keeps the sign", "- - 4", "-0. / -0. / -4.");
        row("left to right", "2 + 3 X 4 =", "2. / 2. / 3. / 5 / 4. / 20");
        row("cut, not rounded", "2 / 3 =", "2. / 2. / 3. / 0.6666666666666");
        row("operator reads the cut readout",
            "1 0 / 3 = X 3 =", "1. / 10. / 10. / 3. / 3.3333333333333 / 3.3333333333333 / 3. / 9.9999999999999");
        row("clear starts over", "3 + 4 C 5 =", "3. / 3. / 4. / 0. / 5. / 5.");
        row("lone minus added as zero", "5 + - + 3 =", "5. / 5. / - / - / -3. / -3");
        row("tiny percent", "0 . 0 0 0 1 %", "0. / 0. / 0.0 / 0.00 / 0.000 / 0.0001 / 1E-06");
        fail("long negative number", u"- 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5"_s, "-123456789012345.");
        fail("long negative result", u"- 1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 ="_s, "-1.23456789E+14");
        fail("typed digits are never cut", u"1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6"_s, "1234567890123456.");
        fail("long typed number in exponent form", u"1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 6 +"_s, "1.234567890E+15");
        fail("big product fits", u"9 9 9 9 9 9 9 9 9 X 9 9 9 9 9 9 9 9 9 ="_s, "9.99999998E+17");
        fail("big product keeps its exponent", u"1 2 3 4 5 6 7 8 9 0 1 2 3 4 5 X 1 0 0 0 0 0 0 ="_s, "1.234567890E+20");
        fail("tiny typed number", u". 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 ="_s, "1E-17");
        fail("divide by zero, then go on", u"8 / 0 = + 2 ="_s, "10", 3, "Can't divide by zero", "8.");
        fail("divide by zero in a chain", u"6 / 0 X 2 ="_s, "12", 3, "Can't divide by zero", "6.");
        fail("divide a result by zero", u"2 X 3 = / 0 ="_s, "6", 6, "Can't divide by zero", "6");
        fail("percent of a lone minus", u"5 + - %"_s, "-", 3, "Invalid input", "-");
        fail("root of a negative number", u"- 4 SQRT 5"_s, "-45.", 2, "Invalid input", "-4.");
        fail("clear after a lone minus", u"5 - - + 3 X C 2 X 3 ="_s, "6", 5, "Invalid input", "-");
        // 1E+200 typed in full, times 1E+200 or divided by 1E-200.
        const QString big = u"1 "_s + u"0 "_s.repeated(200);
        fail("product too large", big + u"X "_s + big + u"="_s, "1E+200", 403, "Result too large", "1E+200");
        fail("quotient too large", big + u"/ . "_s + u"0 "_s.repeated(199) + u"1 ="_s, "1E+200", 403,
             "Result too large", "1E+200");
    }

    void keys()
    {
        QFETCH(QString, keys);
        QFETCH(QString, readouts);
        QFETCH(int, messageAt);
        const QStringList pressed = keys.split(u' ');
        const QStringList expected = readouts.split(u" / "_s);
        CalculatorEngine engine;
        QCOMPARE(engine.readout(), u"0."_s);
        for (qsizetype i = 0; i < pressed.size(); ++i) {
            const auto shown = engine.press(pressed[i]);
            if (i == messageAt) {
                QVERIFY(shown);
                QTEST(shown->text, "message");
                QVERIFY(shown->title == u"Calculator" && shown->buttons == MsgButtons::Ok &&
                        shown->icon == MsgIcon::Exclamation);
                QTEST(engine.readout(), "readoutThen");
            } else if (shown) {
                QFAIL(qPrintable(u"key %1 showed %2"_s.arg(i).arg(shown->text)));
            }
            if (expected.size() == pressed.size())
                QCOMPARE(engine.readout(), expected[i]);
        }
        QCOMPARE(engine.readout(), expected.last());
    }

    void fitReadout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fitted");
        const auto row = [](const char* name, const char* text, const char* fitted) {
            QTest::newRow(name) << QString::fromLatin1(text) << QString::fromLatin1(fitted);
        };
        row("negative fraction cut", "-3.33333333333333", "-3.333333333333");
        row("cut down to the point", "12345678901234.5", "12345678901234.");
        row("small fraction keeps a digit", "0.000123456789012345", "0.0001234567890");
        row("every digit would fall off", "0.00000000000000012", "1.2E-16");
        row("zero stays zero", "0.0000000000000000", "0.0000000000000");
        row("three-digit exponent", "-4.94065645841247E-324", "-4.9406564E-324");
        row("not a number", "abcdefghijklmnopq", "abcdefghijklmno");
    }

    void fitReadout()
    {
        QFETCH(QString, text);
        QTEST(CalculatorEngine::fitReadout(text), "fitted");
    }
};

MX_REGISTER_TEST(CalculatorEngineTest)
#include "tst_calculator_engine.moc"
