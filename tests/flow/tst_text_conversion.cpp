#include "run_time_error.h"
#include "text_conversion.h"

#include <QTest>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale>
#include <sstream>
#include <string>

using flow::numberToText;
using flow::Val;

namespace {

using Limits = std::numeric_limits<double>;

std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// Shortest text that reads back as the same double, sign of zero included; written with
// to_chars so that failure messages do not depend on the locale either.
QByteArray exactText(double value)
{
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QByteArray(buffer, static_cast<int>(result.ptr - buffer));
}

// QCOMPARE on doubles is fuzzy and takes -0 for 0; these checks need every bit.
#define VERIFY_SAME_DOUBLE(actual, expected)                                                       \
    do {                                                                                           \
        const double a_ = (actual), e_ = (expected);                                               \
        QVERIFY2(std::bit_cast<std::uint64_t>(a_) == std::bit_cast<std::uint64_t>(e_),             \
                 ("read " + exactText(a_) + ", expected " + exactText(e_)).constData());           \
    } while (false)

// Decimal digits of a natural number times a small factor, by hand, to build exact texts of
// the rounding boundaries without trusting any conversion under test.
std::string times(const std::string& digits, std::uint64_t factor)
{
    std::string reversed;
    std::uint64_t carry = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        carry += static_cast<std::uint64_t>(*it - '0') * factor;
        reversed += static_cast<char>('0' + carry % 10);
        carry /= 10;
    }
    for (; carry > 0; carry /= 10)
        reversed += static_cast<char>('0' + carry % 10);
    return {reversed.rbegin(), reversed.rend()};
}

std::string power(std::uint64_t base, int exponent)
{
    std::string digits = "1";
    for (int i = 0; i < exponent; ++i)
        digits = times(digits, base);
    return digits;
}

// The exact decimal text of m / 2^n, which is m * 5^n / 10^n.
QByteArray exactBinaryFraction(std::uint64_t m, int n)
{
    std::string digits = times(power(5, n), m);
    if (digits.size() <= static_cast<std::size_t>(n))
        digits.insert(0, n + 1 - digits.size(), '0');
    digits.insert(digits.size() - n, 1, '.');
    return QByteArray::fromStdString(digits);
}

// 2^1024 - 2^970, where rounding to even leaves the double range.
QByteArray halfwayAboveTheLargestDouble()
{
    return QByteArray::fromStdString(times(power(2, 970), (1ull << 54) - 1));
}

QByteArray belowHalfwayAboveTheLargestDouble()
{
    QByteArray text = halfwayAboveTheLargestDouble();
    text.back() -= 1; // the last digit is even, so no borrow
    return text;
}

QByteArray repeated(const char* piece, int count)
{
    return QByteArray(piece).repeated(count);
}

// k / 100 written out digit by digit: "-0.07", "0.6", "1".
QByteArray hundredthsText(int k)
{
    const int a = std::abs(k);
    QByteArray text = k < 0 ? "-" : "";
    text += QByteArray::number(a / 100);
    if (a % 100 != 0) {
        QByteArray fraction = QByteArray::number(a % 100).rightJustified(2, '0');
        if (fraction.endsWith('0'))
            fraction.chop(1);
        text += "." + fraction;
    }
    return text;
}

void addHundredthsRows()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QByteArray>("text");
    for (int k = -100; k <= 100; ++k)
        QTest::addRow("%d/100", k) << k << hundredthsText(k);
}

void addTextRows()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");
}

} // namespace

class TestTextConversion : public QObject {
    Q_OBJECT

    // The tables of texts share this check: Val reads the row's text as its double.
    void readsTheRowsDouble()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, expected);
        VERIFY_SAME_DOUBLE(Val(view(text)), expected);
    }

private slots:
    // Every test runs under a decimal comma, where strtod, printf and streams would go wrong.
    // The test generates Turkish's locale itself (LOCPATH), so it has one on every machine.
    void initTestCase()
    {
        for (const char* name : {"tr_TR.UTF-8", "tr_TR.utf8", "de_DE.UTF-8", "de_DE.utf8"}) {
            if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
                std::locale::global(std::locale(name));
                qInfo("running under the locale %s", name);
                return;
            }
        }
        QFAIL("no locale with a decimal comma: neither the one generated for the test (LOCPATH) "
              "nor an installed one");
    }

    void cleanupTestCase()
    {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }

    void theDecimalCommaIsInEffect()
    {
        std::ostringstream stream;
        stream << 0.5;
        QCOMPARE(stream.str(), std::string("0,5"));
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.1f", 0.5);
        QCOMPARE(QByteArray(buffer), QByteArray("0,5"));
        QCOMPARE(std::strtod("0,5", nullptr), 0.5);
    }

    void theDecimalPointStaysAFullStop()
    {
        VERIFY_SAME_DOUBLE(Val("0.5"), 0.5);
        VERIFY_SAME_DOUBLE(Val("0,5"), 0.0);
        VERIFY_SAME_DOUBLE(Val("1234,5"), 1234.0);
        QCOMPARE(numberToText(0.5), std::string("0.5"));
        QCOMPARE(numberToText(1234567.25), std::string("1234567.25"));
        QCOMPARE(numberToText(1e20), std::string("1E+20"));
    }

    void readsNumbers_data()
    {
        addTextRows();
        QTest::newRow("zero") << QByteArray("0") << 0.0;
        QTest::newRow("one") << QByteArray("1") << 1.0;
        QTest::newRow("fraction") << QByteArray("0.07") << 0.07;
        QTest::newRow("no digit before the point") << QByteArray(".5") << 0.5;
        QTest::newRow("no digit after the point") << QByteArray("5.") << 5.0;
        QTest::newRow("negative") << QByteArray("-0.25") << -0.25;
        QTest::newRow("plus sign") << QByteArray("+3") << 3.0;
        QTest::newRow("signs and exponent") << QByteArray("+.5e+1") << 5.0;
        QTest::newRow("exponent E") << QByteArray("1E2") << 100.0;
        QTest::newRow("exponent e") << QByteArray("1e2") << 100.0;
        QTest::newRow("exponent D") << QByteArray("1D2") << 100.0;
        QTest::newRow("exponent d") << QByteArray("1d2") << 100.0;
        QTest::newRow("negative exponent") << QByteArray("25E-2") << 0.25;
        QTest::newRow("exponent with leading zeros")
            << QByteArray("1E+0000000000000000000000000002") << 100.0;
        QTest::newRow("leading zeros") << QByteArray("000012.5") << 12.5;
        QTest::newRow("negative zero") << QByteArray("-0") << -0.0;
        QTest::newRow("negative zero with point") << QByteArray("-0.000") << -0.0;
    }
    void readsNumbers() { readsTheRowsDouble(); }

    void skipsBlanksTabsAndLineFeeds_data()
    {
        addTextRows();
        QTest::newRow("leading blank") << QByteArray(" 0.3") << 0.3;
        QTest::newRow("blank between digits") << QByteArray("1 2") << 12.0;
        QTest::newRow("blank after the exponent letter") << QByteArray("1E 2") << 100.0;
        QTest::newRow("blank before the exponent letter") << QByteArray("1 E2") << 100.0;
        QTest::newRow("blanks around the exponent sign") << QByteArray("1E - 2") << 0.01;
        QTest::newRow("tab and line feed around the sign") << QByteArray("\t-\n.5") << -0.5;
        QTest::newRow("blanks around the point") << QByteArray("1 . 5") << 1.5;
        QTest::newRow("digit groups") << QByteArray("12 34\t56.7\n8") << 123456.78;
        QTest::newRow("surrounded") << QByteArray("\n\n\t 7 \t\n") << 7.0;
        QTest::newRow("only blanks") << QByteArray(" \t\n ") << 0.0;
    }
    void skipsBlanksTabsAndLineFeeds() { readsTheRowsDouble(); }

    void stopsAtTheFirstForeignCharacter_data()
    {
        addTextRows();
        QTest::newRow("empty") << QByteArray("") << 0.0;
        QTest::newRow("letters") << QByteArray("abc") << 0.0;
        QTest::newRow("letters after the number") << QByteArray("0.3abc") << 0.3;
        QTest::newRow("decimal comma") << QByteArray("0,5") << 0.0;
        QTest::newRow("decimal comma after digits") << QByteArray("1,5") << 1.0;
        QTest::newRow("leading carriage return") << QByteArray("\r5") << 0.0;
        QTest::newRow("carriage return between digits") << QByteArray("5\r\n3") << 5.0;
        QTest::newRow("vertical tab") << QByteArray("\v5") << 0.0;
        QTest::newRow("form feed") << QByteArray("\f5") << 0.0;
        QTest::newRow("zero byte") << QByteArray("5", 1) + '\0' + "3" << 5.0;
        QTest::newRow("second point") << QByteArray("1.2.3") << 1.2;
        QTest::newRow("point in the exponent") << QByteArray("1e2.5") << 100.0;
        QTest::newRow("second exponent") << QByteArray("1E5E3") << 1e5;
        QTest::newRow("exponent letter alone") << QByteArray("1E") << 1.0;
        QTest::newRow("exponent letter and plus") << QByteArray("1E+") << 1.0;
        QTest::newRow("exponent letter D and minus") << QByteArray("1D-") << 1.0;
        QTest::newRow("exponent letter and a letter") << QByteArray("1e-x") << 1.0;
        QTest::newRow("exponent without mantissa") << QByteArray("E5") << 0.0;
        QTest::newRow("point and exponent without digits") << QByteArray(".E5") << 0.0;
        QTest::newRow("point alone") << QByteArray(".") << 0.0;
        QTest::newRow("sign alone is plus zero") << QByteArray("-") << 0.0;
        QTest::newRow("sign and point alone") << QByteArray("-.") << 0.0;
        QTest::newRow("plus alone") << QByteArray("+") << 0.0;
        QTest::newRow("two minus signs") << QByteArray("--5") << 0.0;
        QTest::newRow("plus then minus") << QByteArray("+-5") << 0.0;
        QTest::newRow("hexadecimal &H") << QByteArray("&H10") << 0.0;
        QTest::newRow("hexadecimal &h") << QByteArray("&h1F") << 0.0;
        QTest::newRow("octal &O") << QByteArray("&O17") << 0.0;
        QTest::newRow("C hexadecimal") << QByteArray("0x10") << 0.0;
        QTest::newRow("infinity") << QByteArray("inf") << 0.0;
        QTest::newRow("not a number") << QByteArray("nan") << 0.0;
        QTest::newRow("underscore") << QByteArray("1_000") << 1.0;
        QTest::newRow("no-break space") << QByteArray("\xC2\xA0") + "5" << 0.0;
        QTest::newRow("dotless i after digits") << QByteArray("3\xC4\xB1") << 3.0;
        QTest::newRow("s cedilla before digits") << QByteArray("\xC5\x9F") + "5" << 0.0;
        QTest::newRow("fullwidth digits") << QByteArray("\xEF\xBC\x91\xEF\xBC\x92") << 0.0;
        QTest::newRow("fullwidth digit after a digit") << QByteArray("1\xEF\xBC\x92") << 1.0;
        QTest::newRow("superscript two") << QByteArray("5\xC2\xB2") << 5.0;
    }
    void stopsAtTheFirstForeignCharacter() { readsTheRowsDouble(); }

    void roundsToTheNearestDouble_data()
    {
        addTextRows();
        const double two53 = 9007199254740992.0;
        const double denormMin = Limits::denorm_min();
        const QByteArray oneAndHalfUlp = exactBinaryFraction((1ull << 53) + 1, 53);
        const QByteArray halfDenormMin = exactBinaryFraction(1, 1075);
        QTest::newRow("0.1") << QByteArray("0.1") << 0.1;
        QTest::newRow("0.3") << QByteArray("0.3") << 0.3;
        QTest::newRow("2^53 + 1 ties to even below") << QByteArray("9007199254740993") << two53;
        QTest::newRow("2^53 + 3 ties to even above") << QByteArray("9007199254740995") << two53 + 4;
        QTest::newRow("just above 2^53 + 1")
            << QByteArray("9007199254740993.0000000000000000000000000001") << two53 + 2;
        QTest::newRow("halfway above one ties to one") << oneAndHalfUlp << 1.0;
        QTest::newRow("halfway above one and 5000 zeros")
            << oneAndHalfUlp + repeated("0", 5000) << 1.0;
        QTest::newRow("halfway above one, a 1 after 5000 zeros")
            << oneAndHalfUlp + repeated("0", 5000) + "1" << std::nextafter(1.0, 2.0);
        QTest::newRow("largest subnormal's neighbour 2.2250738585072011e-308")
            << QByteArray("2.2250738585072011e-308") << std::nextafter(Limits::min(), 0.0);
        QTest::newRow("2.2250738585072012e-308 is the smallest normal")
            << QByteArray("2.2250738585072012e-308") << Limits::min();
        QTest::newRow("smallest normal") << QByteArray("2.2250738585072014e-308") << Limits::min();
        QTest::newRow("largest double") << QByteArray("1.7976931348623157e308") << Limits::max();
        QTest::newRow("rounds down to the largest double")
            << QByteArray("1.7976931348623158e308") << Limits::max();
        QTest::newRow("one below halfway from the largest double to 2^1024")
            << belowHalfwayAboveTheLargestDouble() << Limits::max();
        QTest::newRow("subnormal 1e-320") << QByteArray("1e-320") << 1e-320;
        QTest::newRow("smallest subnormal") << QByteArray("4.9406564584124654e-324") << denormMin;
        QTest::newRow("just above half the smallest subnormal")
            << QByteArray("2.4703282292062328e-324") << denormMin;
        QTest::newRow("just below half the smallest subnormal")
            << QByteArray("2.4703282292062327e-324") << 0.0;
        QTest::newRow("half the smallest subnormal ties to zero") << halfDenormMin << 0.0;
        QTest::newRow("negative half the smallest subnormal ties to minus zero")
            << "-" + halfDenormMin << -0.0;
        QTest::newRow("half the smallest subnormal and a 1") << halfDenormMin + "1" << denormMin;
        QTest::newRow("half the smallest subnormal, a 1 after 100 zeros")
            << halfDenormMin + repeated("0", 100) + "1" << denormMin;
        QTest::newRow("one and a half smallest subnormals ties to two")
            << exactBinaryFraction(3, 1075) << 2 * denormMin;
        QTest::newRow("1E-400") << QByteArray("1E-400") << 0.0;
        QTest::newRow("-1E-400") << QByteArray("-1E-400") << -0.0;
    }
    void roundsToTheNearestDouble() { readsTheRowsDouble(); }

    void readsLongTextsAndHugeExponents_data()
    {
        addTextRows();
        QTest::newRow("5000 threes after the point") << "0." + repeated("3", 5000) << 1.0 / 3.0;
        QTest::newRow("5000 sixes, then E-5000") << repeated("6", 5000) + "E-5000" << 2.0 / 3.0;
        QTest::newRow("5000 zeros after the point, then 1E+5000")
            << "0." + repeated("0", 4999) + "1E+5000" << 1.0;
        QTest::newRow("1 and 5000 zeros, then E-5000")
            << "1" + repeated("0", 5000) + "E-5000" << 1.0;
        QTest::newRow("1 and 308 zeros") << "1" + repeated("0", 308) << 1e308;
        QTest::newRow("1 after 5000 zeros after the point")
            << "0." + repeated("0", 5000) + "1" << 0.0;
        QTest::newRow("5000 zeros") << repeated("0", 5000) << 0.0;
        QTest::newRow("5000 zeros in groups, then 1.5")
            << repeated("0 000 000 00", 500) + "1.5" << 1.5;
        QTest::newRow("zero with an 11-digit exponent") << QByteArray("0E99999999999") << 0.0;
        QTest::newRow("zero with a 23-digit exponent")
            << QByteArray("0E99999999999999999999999") << 0.0;
        QTest::newRow("minus zero with a huge exponent")
            << QByteArray("-0.000E99999999999999999999999") << -0.0;
        QTest::newRow("1 with a 14-digit negative exponent")
            << QByteArray("1E-99999999999999") << 0.0;
        QTest::newRow("-1 with a 14-digit negative exponent")
            << QByteArray("-1E-99999999999999") << -0.0;
        QTest::newRow("1 with a 29-digit negative exponent")
            << QByteArray("1E-99999999999999999999999999999") << 0.0;
        QTest::newRow("exponent -2^32") << QByteArray("1E-4294967296") << 0.0;
        QTest::newRow("exponent -2^64") << QByteArray("1E-18446744073709551616") << 0.0;
        QTest::newRow("long mantissa with a 20-digit negative exponent")
            << "1" + repeated("0", 5000) + "E-99999999999999999999" << 0.0;
    }
    void readsLongTextsAndHugeExponents() { readsTheRowsDouble(); }

    void overflowRaisesErrorSix_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("1E400") << QByteArray("1E400");
        QTest::newRow("-1E400") << QByteArray("-1E400");
        QTest::newRow("1E309") << QByteArray("1E309");
        QTest::newRow("just above the largest double") << QByteArray("1.7976931348623159e308");
        QTest::newRow("halfway from the largest double to 2^1024")
            << halfwayAboveTheLargestDouble();
        QTest::newRow("1 and 309 zeros") << "1" + repeated("0", 309);
        QTest::newRow("5000 digits") << repeated("1234567890", 500);
        QTest::newRow("1 after 4000 zeros after the point, then E+4400")
            << "0." + repeated("0", 4000) + "1E+4400";
        QTest::newRow("23-digit exponent") << QByteArray("1E99999999999999999999999");
        QTest::newRow("negative, 23-digit exponent") << QByteArray("-1E99999999999999999999999");
        QTest::newRow("exponent 2^32") << QByteArray("1E4294967296");
        QTest::newRow("exponent 2^64 + 2") << QByteArray("1E18446744073709551618");
        QTest::newRow("1 after 5000 zeros, 20-digit exponent")
            << "0." + repeated("0", 5000) + "1E99999999999999999999";
        QTest::newRow("largest double written with 15 digits")
            << QByteArray::fromStdString(numberToText(Limits::max()));
    }
    void overflowRaisesErrorSix()
    {
        QFETCH(QByteArray, text);
        try {
            const double value = Val(view(text));
            QFAIL(("read " + exactText(value) + " without an error").constData());
        } catch (const flow::RunTimeError& e) {
            QCOMPARE(e.code(), 6);
            QVERIFY(e.number() == flow::ErrorNumber::Overflow);
            QCOMPARE(QByteArray(e.kind()), QByteArray("overflow"));
        }
    }

    void writesNumbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("0.07") << 0.07 << QByteArray("0.07");
        QTest::newRow("0.5") << 0.5 << QByteArray("0.5");
        QTest::newRow("zero") << 0.0 << QByteArray("0");
        QTest::newRow("negative zero") << -0.0 << QByteArray("0");
        QTest::newRow("one") << 1.0 << QByteArray("1");
        QTest::newRow("minus one") << -1.0 << QByteArray("-1");
        QTest::newRow("-0.25") << -0.25 << QByteArray("-0.25");
        QTest::newRow("hundred") << 100.0 << QByteArray("100");
        QTest::newRow("no digit grouping") << 1234567.25 << QByteArray("1234567.25");
        QTest::newRow("0.1 + 0.2 within 15 digits") << 0.1 + 0.2 << QByteArray("0.3");
        QTest::newRow("one third") << 1.0 / 3.0 << QByteArray("0.333333333333333");
        QTest::newRow("two thirds rounds up") << 2.0 / 3.0 << QByteArray("0.666666666666667");
        QTest::newRow("just below one") << 0.9999999999999999 << QByteArray("1");
        QTest::newRow("0.0001 without exponent") << 0.0001 << QByteArray("0.0001");
        QTest::newRow("1E-05") << 1e-5 << QByteArray("1E-05");
        QTest::newRow("15 digits without exponent")
            << 123456789012345.0 << QByteArray("123456789012345");
        QTest::newRow("1E+15") << 1e15 << QByteArray("1E+15");
        QTest::newRow("16 digits") << 1234567890123456.0 << QByteArray("1.23456789012346E+15");
        QTest::newRow("1E+20") << 1e20 << QByteArray("1E+20");
        QTest::newRow("-1E+20") << -1e20 << QByteArray("-1E+20");
        QTest::newRow("1E-300") << 1e-300 << QByteArray("1E-300");
        QTest::newRow("largest double") << Limits::max() << QByteArray("1.79769313486232E+308");
        QTest::newRow("smallest subnormal")
            << Limits::denorm_min() << QByteArray("4.94065645841247E-324");
    }
    void writesNumbers()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(numberToText(value)), text);
    }

    void writtenTextsReadBack_data()
    {
        QTest::addColumn<double>("value");
        for (double value : {0.07, -0.25, 1e20, -1e20, 1e-5, 1e15, 123456789012345.0, 1e-300,
                             6.02214076e23, 1.5e-310})
            QTest::newRow(exactText(value).constData()) << value;
    }
    void writtenTextsReadBack()
    {
        QFETCH(double, value);
        VERIFY_SAME_DOUBLE(Val(numberToText(value)), value);
    }

    void hundredthsWriteDigitByDigit_data() { addHundredthsRows(); }
    void hundredthsWriteDigitByDigit()
    {
        QFETCH(int, k);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(numberToText(k / 100.0)), text);
    }

    void hundredthsReadBackExactly_data() { addHundredthsRows(); }
    void hundredthsReadBackExactly()
    {
        QFETCH(int, k);
        QFETCH(QByteArray, text);
        VERIFY_SAME_DOUBLE(Val(numberToText(k / 100.0)), k / 100.0);
        VERIFY_SAME_DOUBLE(Val(view(text)), k / 100.0);
    }
};

QTEST_APPLESS_MAIN(TestTextConversion)
#include "tst_text_conversion.moc"
