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

// k / 100 written out digit by digit: "-0.07", "0.6", "1".
QByteArray hundredthsText(int k)
{
    QByteArray text = QByteArray::number(std::abs(k) / 100) + '.' +
                      QByteArray::number(std::abs(k) % 100).rightJustified(2, '0');
    while (text.endsWith('0')) // the point stops it
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return k < 0 ? "-" + text : text;
}

void reads(const char* row, const QByteArray& text, double expected)
{
    QTest::newRow(row) << text << expected;
}

// readsBack: the text is exact enough for Val to give the value again.
void writes(const char* row, double value, const QByteArray& text, bool readsBack = true)
{
    QTest::newRow(row) << value << text << readsBack;
}

void overflows(const char* row, const QByteArray& text)
{
    QTest::newRow(row) << text;
}

} // namespace

class TestTextConversion : public QObject {
    Q_OBJECT

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

    // Val reads each row's text as its double.
    void readsTexts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("expected");
        // Numbers as they are written, with a point whatever the locale.
        reads("zero", "0", 0.0);
        reads("one", "1", 1.0);
        reads("fraction", "0.07", 0.07);
        reads("a point, not the locale's comma", "0.5", 0.5);
        reads("no digit before the point", ".5", 0.5);
        reads("no digit after the point", "5.", 5.0);
        reads("negative", "-0.25", -0.25);
        reads("plus sign", "+3", 3.0);
        reads("signs and exponent", "+.5e+1", 5.0);
        reads("exponent E", "1E2", 100.0);
        reads("exponent e", "1e2", 100.0);
        reads("exponent D", "1D2", 100.0);
        reads("exponent d", "1d2", 100.0);
        reads("negative exponent", "25E-2", 0.25);
        reads("exponent with leading zeros", "1E+0000000000000000000000000002", 100.0);
        reads("leading zeros", "000012.5", 12.5);
        reads("negative zero", "-0", -0.0);
        reads("negative zero with point", "-0.000", -0.0);
        // Blanks, tabs and line feeds are skipped anywhere.
        reads("leading blank", " 0.3", 0.3);
        reads("blank between digits", "1 2", 12.0);
        reads("blank after the exponent letter", "1E 2", 100.0);
        reads("blank before the exponent letter", "1 E2", 100.0);
        reads("blanks around the exponent sign", "1E - 2", 0.01);
        reads("tab and line feed around the sign", "\t-\n.5", -0.5);
        reads("blanks around the point", "1 . 5", 1.5);
        reads("digit groups", "12 34\t56.7\n8", 123456.78);
        reads("surrounded", "\n\n\t 7 \t\n", 7.0);
        reads("only blanks", " \t\n ", 0.0);
        // Reading stops at the first foreign character.
        reads("empty", "", 0.0);
        reads("letters", "abc", 0.0);
        reads("letters after the number", "0.3abc", 0.3);
        reads("decimal comma", "0,5", 0.0);
        reads("decimal comma after digits", "1,5", 1.0);
        reads("decimal comma after four digits", "1234,5", 1234.0);
        reads("leading carriage return", "\r5", 0.0);
        reads("carriage return between digits", "5\r\n3", 5.0);
        reads("vertical tab", "\v5", 0.0);
        reads("form feed", "\f5", 0.0);
        reads("zero byte", QByteArray("5", 1) + '\0' + "3", 5.0);
        reads("second point", "1.2.3", 1.2);
        reads("point in the exponent", "1e2.5", 100.0);
        reads("second exponent", "1E5E3", 1e5);
        reads("exponent letter alone", "1E", 1.0);
        reads("exponent letter and plus", "1E+", 1.0);
        reads("exponent letter D and minus", "1D-", 1.0);
        reads("exponent letter and a letter", "1e-x", 1.0);
        reads("exponent without mantissa", "E5", 0.0);
        reads("point and exponent without digits", ".E5", 0.0);
        reads("point alone", ".", 0.0);
        reads("sign alone is plus zero", "-", 0.0);
        reads("sign and point alone", "-.", 0.0);
        reads("plus alone", "+", 0.0);
        reads("two minus signs", "--5", 0.0);
        reads("plus then minus", "+-5", 0.0);
        reads("hexadecimal &H", "&H10", 0.0);
        reads("hexadecimal &h", "&h1F", 0.0);
        reads("octal &O", "&O17", 0.0);
        reads("C hexadecimal", "0x10", 0.0);
        reads("infinity", "inf", 0.0);
        reads("not a number", "nan", 0.0);
        reads("underscore", "1_000", 1.0);
        reads("no-break space", QByteArray("\xC2\xA0") + "5", 0.0);
        reads("dotless i after digits", "3\xC4\xB1", 3.0);
        reads("s cedilla before digits", QByteArray("\xC5\x9F") + "5", 0.0);
        reads("fullwidth digits", "\xEF\xBC\x91\xEF\xBC\x92", 0.0);
        reads("fullwidth digit after a digit", "1\xEF\xBC\x92", 1.0);
        reads("superscript two", "5\xC2\xB2", 5.0);
        // Rounded to the nearest double, ties to even.
        const double two53 = 9007199254740992.0;
        const double denormMin = Limits::denorm_min();
        const QByteArray oneAndHalfUlp = exactBinaryFraction((1ull << 53) + 1, 53);
        const QByteArray halfDenormMin = exactBinaryFraction(1, 1075);
        QByteArray belowHalfwayAboveTheLargestDouble = halfwayAboveTheLargestDouble();
        belowHalfwayAboveTheLargestDouble.back() -= 1; // the last digit is even, so no borrow
        reads("0.1", "0.1", 0.1);
        reads("0.3", "0.3", 0.3);
        reads("2^53 + 1 ties to even below", "9007199254740993", two53);
        reads("2^53 + 3 ties to even above", "9007199254740995", two53 + 4);
        reads("just above 2^53 + 1", "9007199254740993.0000000000000000000000000001", two53 + 2);
        reads("halfway above one ties to one", oneAndHalfUlp, 1.0);
        reads("halfway above one and 5000 zeros", oneAndHalfUlp + QByteArray(5000, '0'), 1.0);
        reads("halfway above one, a 1 after 5000 zeros",
              oneAndHalfUlp + QByteArray(5000, '0') + "1", std::nextafter(1.0, 2.0));
        reads("largest subnormal's neighbour 2.2250738585072011e-308", "2.2250738585072011e-308",
              std::nextafter(Limits::min(), 0.0));
        reads("2.2250738585072012e-308 is the smallest normal", "2.2250738585072012e-308",
              Limits::min());
        reads("smallest normal", "2.2250738585072014e-308", Limits::min());
        reads("largest double", "1.7976931348623157e308", Limits::max());
        reads("rounds down to the largest double", "1.7976931348623158e308", Limits::max());
        reads("one below halfway from the largest double to 2^1024",
              belowHalfwayAboveTheLargestDouble, Limits::max());
        reads("subnormal 1e-320", "1e-320", 1e-320);
        reads("smallest subnormal", "4.9406564584124654e-324", denormMin);
        reads("just above half the smallest subnormal", "2.4703282292062328e-324", denormMin);
        reads("just below half the smallest subnormal", "2.4703282292062327e-324", 0.0);
        reads("half the smallest subnormal ties to zero", halfDenormMin, 0.0);
        reads("negative half the smallest subnormal ties to minus zero", "-" + halfDenormMin, -0.0);
        reads("half the smallest subnormal and a 1", halfDenormMin + "1", denormMin);
        reads("half the smallest subnormal, a 1 after 100 zeros",
              halfDenormMin + QByteArray(100, '0') + "1", denormMin);
        reads("one and a half smallest subnormals ties to two", exactBinaryFraction(3, 1075),
              2 * denormMin);
        reads("1E-400", "1E-400", 0.0);
        reads("-1E-400", "-1E-400", -0.0);
        // Long texts and huge exponents.
        reads("5000 threes after the point", "0." + QByteArray(5000, '3'), 1.0 / 3.0);
        reads("5000 sixes, then E-5000", QByteArray(5000, '6') + "E-5000", 2.0 / 3.0);
        reads("5000 zeros after the point, then 1E+5000", "0." + QByteArray(4999, '0') + "1E+5000",
              1.0);
        reads("1 and 5000 zeros, then E-5000", "1" + QByteArray(5000, '0') + "E-5000", 1.0);
        reads("1 and 308 zeros", "1" + QByteArray(308, '0'), 1e308);
        reads("1 after 5000 zeros after the point", "0." + QByteArray(5000, '0') + "1", 0.0);
        reads("5000 zeros", QByteArray(5000, '0'), 0.0);
        reads("5000 zeros in groups, then 1.5", QByteArray("0 000 000 00").repeated(500) + "1.5",
              1.5);
        reads("zero with an 11-digit exponent", "0E99999999999", 0.0);
        reads("zero with a 23-digit exponent", "0E99999999999999999999999", 0.0);
        reads("minus zero with a huge exponent", "-0.000E99999999999999999999999", -0.0);
        reads("1 with a 14-digit negative exponent", "1E-99999999999999", 0.0);
        reads("-1 with a 14-digit negative exponent", "-1E-99999999999999", -0.0);
        reads("1 with a 29-digit negative exponent", "1E-99999999999999999999999999999", 0.0);
        reads("exponent -2^32", "1E-4294967296", 0.0);
        reads("exponent -2^64", "1E-18446744073709551616", 0.0);
        reads("long mantissa with a 20-digit negative exponent",
              "1" + QByteArray(5000, '0') + "E-99999999999999999999", 0.0);
    }
    void readsTexts()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, expected);
        VERIFY_SAME_DOUBLE(Val(view(text)), expected);
    }

    void overflowRaisesErrorSix_data()
    {
        QTest::addColumn<QByteArray>("text");
        overflows("1E400", "1E400");
        overflows("-1E400", "-1E400");
        overflows("1E309", "1E309");
        overflows("just above the largest double", "1.7976931348623159e308");
        overflows("halfway from the largest double to 2^1024", halfwayAboveTheLargestDouble());
        overflows("1 and 309 zeros", "1" + QByteArray(309, '0'));
        overflows("5000 digits", QByteArray("1234567890").repeated(500));
        overflows("1 after 4000 zeros after the point, then E+4400",
                  "0." + QByteArray(4000, '0') + "1E+4400");
        overflows("23-digit exponent", "1E99999999999999999999999");
        overflows("negative, 23-digit exponent", "-1E99999999999999999999999");
        overflows("exponent 2^32", "1E4294967296");
        overflows("exponent 2^64 + 2", "1E18446744073709551618");
        overflows("1 after 5000 zeros, 20-digit exponent",
                  "0." + QByteArray(5000, '0') + "1E99999999999999999999");
        overflows("largest double written with 15 digits",
                  QByteArray::fromStdString(numberToText(Limits::max())));
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
        QTest::addColumn<bool>("readsBack");
        writes("0.07", 0.07, "0.07");
        writes("0.5", 0.5, "0.5");
        writes("zero", 0.0, "0");
        writes("negative zero", -0.0, "0", false);
        writes("one", 1.0, "1");
        writes("minus one", -1.0, "-1");
        writes("-0.25", -0.25, "-0.25");
        writes("hundred", 100.0, "100");
        writes("no digit grouping", 1234567.25, "1234567.25");
        writes("0.1 + 0.2 within 15 digits", 0.1 + 0.2, "0.3", false);
        writes("one third", 1.0 / 3.0, "0.333333333333333", false);
        writes("two thirds rounds up", 2.0 / 3.0, "0.666666666666667", false);
        writes("just below one", 0.9999999999999999, "1", false);
        writes("0.0001 without exponent", 0.0001, "0.0001");
        writes("1E-05", 1e-5, "1E-05");
        writes("15 digits without exponent", 123456789012345.0, "123456789012345");
        writes("1E+15", 1e15, "1E+15");
        writes("16 digits", 1234567890123456.0, "1.23456789012346E+15", false);
        writes("1E+20", 1e20, "1E+20");
        writes("-1E+20", -1e20, "-1E+20");
        writes("1E-300", 1e-300, "1E-300");
        writes("6.02214076E+23", 6.02214076e23, "6.02214076E+23");
        writes("subnormal 1.5E-310", 1.5e-310, "1.50000000000002E-310");
        writes("largest double", Limits::max(), "1.79769313486232E+308", false);
        writes("smallest subnormal", Limits::denorm_min(), "4.94065645841247E-324", false);
    }
    void writesNumbers()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QFETCH(bool, readsBack);
        QCOMPARE(QByteArray::fromStdString(numberToText(value)), text);
        if (readsBack)
            VERIFY_SAME_DOUBLE(Val(numberToText(value)), value);
    }

    void hundredthsWriteDigitByDigitAndReadBackExactly_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QByteArray>("text");
        for (int k = -100; k <= 100; ++k)
            QTest::addRow("%d/100", k) << k << hundredthsText(k);
    }
    void hundredthsWriteDigitByDigitAndReadBackExactly()
    {
        QFETCH(int, k);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(numberToText(k / 100.0)), text);
        VERIFY_SAME_DOUBLE(Val(numberToText(k / 100.0)), k / 100.0);
        VERIFY_SAME_DOUBLE(Val(view(text)), k / 100.0);
    }
};

QTEST_APPLESS_MAIN(TestTextConversion)
#include "tst_text_conversion.moc"
