#include "common/number_text.h"
#include "test_registry.h"

#include <QTest>

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace mx;

namespace {

// QCOMPARE on doubles is fuzzy; reading must give the exact double, sign of zero included.
bool sameBits(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

QByteArray describe(double got, double expected)
{
    return QByteArray::number(got, 'g', 17) + " != " + QByteArray::number(expected, 'g', 17);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kMinSub = std::numeric_limits<double>::denorm_min();

} // namespace

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    // One text, both readers: the leading-number parse reads as far as it can; strict reading takes the same
    // value only when the whole text is a number.
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("overflow");
        QTest::addColumn<bool>("strict");
        const auto row = [](const char* name, const QString& text, double value, bool overflow, bool strict) {
            QTest::newRow(name) << text << value << overflow << strict;
        };
        row("empty", u""_s, 0, false, false);
        row("sign only", u"-"_s, 0, false, false);
        row("point alone", u"."_s, 0, false, false);
        row("minus zero is zero", u"-0"_s, 0, false, true);
        row("blanks around", u"  -3.25 "_s, -3.25, false, true);
        row("blanks inside digits", u"1 2 3"_s, 123, false, false);
        row("tab and line feed", u"\t+7\n.5"_s, 7.5, false, false);
        row("carriage return ends", u"12\r34"_s, 12, false, false);
        row("second sign stops", u"+-7"_s, 0, false, false);
        row("comma stops", u"1,5"_s, 1, false, false);
        row("second point stops", u"1.2.3"_s, 1.2, false, false);
        row("trailing letter", u"12a"_s, 12, false, false);
        row("point last", u"12."_s, 12, false, true);
        row("fraction only", u".5"_s, 0.5, false, true);
        row("bare exponent letter", u"1e"_s, 1, false, false);
        row("exponent sign no digits", u"1e+"_s, 1, false, false);
        row("exponent", u"1e5"_s, 1e5, false, true);
        row("D exponent", u"1D-2"_s, 0.01, false, false);
        row("blank inside exponent", u"1 e - 2"_s, 0.01, false, false);
        row("exponent leading zeros", u"1e0000000000000000000005"_s, 1e5, false, true);
        row("overflow", u"1e400"_s, HUGE_VAL, true, false);
        row("negative overflow", u"-1e400"_s, -HUGE_VAL, true, false);
        row("huge exponent", u"1e99999999999999999999"_s, HUGE_VAL, true, false);
        row("underflow", u"1e-400"_s, 0, false, true);
        row("smallest subnormal", u"4.9406564584124654E-324"_s, kMinSub, false, true);
        row("tie to even", u"9007199254740993"_s, 9007199254740992.0, false, true);
        row("far sticky digit", u"9007199254740993."_s + QString(999, u'0') + u"1"_s, 9007199254740994.0, false, true);
        row("309 digits", u"1"_s + QString(308, u'0'), 1e308, false, true);
        row("long fraction", u"0."_s + QString(300, u'0') + u"1"_s, 1e-301, false, true);
        row("10000 leading zeros", QString(9998, u'0') + u"12"_s, 12, false, true);
        row("10000 nines", QString(10000, u'9'), HUGE_VAL, true, false);
        row("megabyte", u"1"_s + QString(1000000, u'0') + u"e-1000000"_s, 1, false, true);
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, overflow);
        QFETCH(bool, strict);
        const mx::LeadingNumber got = parseLeadingNumber(text);
        QVERIFY2(sameBits(got.value, value), describe(got.value, value));
        QCOMPARE(got.overflow, overflow);
        const std::optional<double> whole = strictNumber(text);
        QCOMPARE(whole.has_value(), strict);
        if (strict) {
            QVERIFY2(sameBits(*whole, value), describe(*whole, value));
        }
    }

    // An empty picture stands for the general number text.
    void picture_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("text");
        const auto row = [](double value, const QString& picture, const QString& text) {
            const QByteArray name =
                QByteArray::number(value, 'g', picture.isEmpty() ? 17 : 15) + " " + picture.toUtf8();
            QTest::newRow(name.constData()) << value << picture << text;
        };
        row(0.0, u""_s, u"0"_s);                             // zero
        row(-0.0, u""_s, u"0"_s);                            // negative zero
        row(-3.25, u""_s, u"-3.25"_s);                       // negative
        row(0.1 + 0.2, u""_s, u"0.3"_s);                     // binary noise
        row(1.0 / 3, u""_s, u"0.333333333333333"_s);         // third
        row(0.0001, u""_s, u"0.0001"_s);                     // smallest fixed
        row(123456789012345.0, u""_s, u"123456789012345"_s); // largest fixed
        row(-1.5e-7, u""_s, u"-1.5E-07"_s);                  // negative small exponent
        row(2.5e15, u""_s, u"2.5E+15"_s);                    // large exponent
        row(999999999999999.9, u""_s, u"1E+15"_s);           // rounds into exponent form
        row(9.999999999999999e-5, u""_s, u"0.0001"_s);       // rounds out of exponent form
        row(1e300, u""_s, u"1E+300"_s);                      // three exponent digits
        row(DBL_MAX, u""_s, u"1.79769313486232E+308"_s);     // largest double
        row(kMinSub, u""_s, u"4.94065645841247E-324"_s);     // smallest subnormal
        row(kInf, u""_s, u"Overflow"_s);                     // infinity
        row(kNaN, u""_s, u"Overflow"_s);                     // NaN
        row(0.511, u"####.###0"_s, u".5110"_s);
        row(12345.6, u"####.###0"_s, u"12345.6000"_s);
        row(212, u"#,###0.#0"_s, u"212.00"_s);
        row(-273.15000000000003, u"#,###0.#0"_s, u"-273.15"_s);
        row(1.005, u"#,###0.#0"_s, u"1.01"_s);
        row(999.995, u"#,###0.#0"_s, u"1,000.00"_s);
        row(1e20, u"#,###0.#0"_s, u"100,000,000,000,000,000,000.00"_s);
        row(-0.001, u"#,###0.#0"_s, u"-0.00"_s);
        row(-0.0, u"#,###0.#0"_s, u"0.00"_s);
        row(1234567.891, u"###,###0.####"_s, u"1,234,567.891"_s);
        row(25.4, u"###,###0.####"_s, u"25.4"_s);
        row(999999.99999, u"###,###0.####"_s, u"1,000,000."_s);
        row(0, u"##.##"_s, u"."_s);
        row(50, u"##.##"_s, u"50."_s);
        row(10.125, u"##.##"_s, u"10.13"_s);
        row(-0.001, u"##.##"_s, u"-."_s);
        row(0.5, u"###0.#0"_s, u"0.50"_s);
        row(0.5, u"###.####0"_s, u".50000"_s);
        row(5e-7, u"####.#####0"_s, u".000001"_s);
        row(2, u"####.0###"_s, u"2.0"_s);
        row(0, u"####0.###0"_s, u"0.0000"_s);
        row(5, u"#0#"_s, u"05"_s);
        row(1234, u",###"_s, u"1,234"_s);
        row(25.4, u"0.0000E-"_s, u"2.5400E1"_s);
        row(0.0001, u"0.0000E-"_s, u"1.0000E-4"_s);
        row(0, u"0.0000E-"_s, u"0.0000E0"_s);
        row(9999950, u"0.0000E-"_s, u"1.0000E7"_s);
        row(1.00005, u"0.0000E-"_s, u"1.0001E0"_s);
        row(DBL_MAX, u"0.0000E-"_s, u"1.7977E308"_s);
        row(kMinSub, u"0.0000E-"_s, u"4.9407E-324"_s);
        row(12345, u"0.00E+"_s, u"1.23E+4"_s);
        row(0.012, u"0.00e+"_s, u"1.20e-2"_s);
        row(5, u"0.0E+00"_s, u"5.0E+00"_s);
        row(1e-5, u"abc"_s, u"1E-05"_s);
        row(2.5, u"#.#E"_s, u"2.5"_s);
        row(kInf, u"#,###0.#0"_s, u"Overflow"_s);
        row(kNaN, u"0.0000E-"_s, u"Overflow"_s);
    }
    void picture()
    {
        QFETCH(double, value);
        QFETCH(QString, picture);
        QFETCH(QString, text);
        QCOMPARE(picture.isEmpty() ? generalNumberText(value) : formatPicture(value, picture), text);
    }
};

MX_REGISTER_TEST(NumberTextTest)
#include "tst_number_text.moc"
