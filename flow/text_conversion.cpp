#include "text_conversion.h"

#include "run_time_error.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace flow {
namespace {

// A decimal lying exactly halfway between two doubles has at most 767 significant digits, so
// keeping 800 and standing in for the rest with one non-zero digit rounds the same way, and the
// buffer handed to from_chars stays small however long the typed text is.
constexpr std::size_t keptDigits = 800;

// Far beyond any exponent a double can take even after thousands of leading zeros, yet small
// enough that adding the digit count to it cannot overflow.
constexpr std::int64_t exponentCap = 1'000'000'000'000'000;

// 0.1 * 10^310 already exceeds the largest double; 0.999... * 10^-324 is below half the smallest
// subnormal. Between these limits from_chars decides.
constexpr std::int64_t highestInRangeScale = 309;
constexpr std::int64_t lowestNonZeroScale = -323;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Walks the text the way the input boxes read it: blanks, tabs and line feeds are invisible.
class Cursor {
public:
    explicit Cursor(std::string_view text)
        : text_(text)
    {}

    // '\0' at the end: it can no more continue a number than any other foreign character.
    char peek()
    {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    bool accept(char c)
    {
        if (peek() != c)
            return false;
        ++pos_;
        return true;
    }

    void advance() { ++pos_; }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The number read so far as  sign 0.digits * 10^scale  with no leading zeros in digits.
struct Decimal {
    bool negative = false;
    bool hasMantissa = false;
    std::string digits;
    bool droppedNonZero = false;
    std::int64_t scale = 0;

    void addDigit(char d, bool beforePoint)
    {
        hasMantissa = true;
        if (digits.empty() && d == '0') {
            if (!beforePoint)
                --scale;
            return;
        }
        if (beforePoint)
            ++scale;
        if (digits.size() < keptDigits)
            digits += d;
        else if (d != '0')
            droppedNonZero = true;
    }
};

void readMantissa(Cursor& cursor, Decimal& number)
{
    if (!cursor.accept('+'))
        number.negative = cursor.accept('-');
    bool beforePoint = true;
    for (;;) {
        const char c = cursor.peek();
        if (isDigit(c))
            number.addDigit(c, beforePoint);
        else if (c == '.' && beforePoint)
            beforePoint = false;
        else
            return;
        cursor.advance();
    }
}

bool isExponentLetter(char c)
{
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// An exponent letter, or letter and sign, with no digit after them leaves the scale alone.
void readExponent(Cursor& cursor, Decimal& number)
{
    if (!isExponentLetter(cursor.peek()))
        return;
    cursor.advance();
    bool negative = false;
    if (!cursor.accept('+'))
        negative = cursor.accept('-');
    std::int64_t exponent = 0;
    while (isDigit(cursor.peek())) {
        exponent = std::min(exponent * 10 + (cursor.peek() - '0'), exponentCap);
        cursor.advance();
    }
    number.scale += negative ? -exponent : exponent;
}

/// The number's absolute value, or nothing when it lies beyond the double range.
std::optional<double> magnitude(const Decimal& number)
{
    if (number.digits.empty() || number.scale < lowestNonZeroScale)
        return 0.0;
    if (number.scale > highestInRangeScale)
        return std::nullopt;
    std::string buffer = "0." + number.digits;
    if (number.droppedNonZero)
        buffer += '1';
    buffer += 'e' + std::to_string(number.scale);
    double value = 0.0;
    const auto result = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                        std::chars_format::general);
    // from_chars leaves value untouched and reports both ends of the range alike.
    if (result.ec == std::errc::result_out_of_range) {
        if (number.scale > 0)
            return std::nullopt;
        return 0.0;
    }
    return value;
}

} // namespace

std::optional<double> numberIn(std::string_view text)
{
    Cursor cursor(text);
    Decimal number;
    readMantissa(cursor, number);
    if (!number.hasMantissa)
        return 0.0;
    readExponent(cursor, number);
    const std::optional<double> value = magnitude(number);
    if (!value)
        return std::nullopt;
    return number.negative ? -*value : *value;
}

double Val(std::string_view text)
{
    const std::optional<double> value = numberIn(text);
    if (!value)
        throw RunTimeError(ErrorNumber::Overflow, ErrorOrigin::ReadingText);
    return *value;
}

std::string numberToText(double value)
{
    // Negative zero as well, which to_chars would write as "-0".
    if (value == 0.0)
        return "0";
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    // The boxes show exponents with a capital E, as in "1E+20".
    if (const auto e = text.find('e'); e != std::string::npos)
        text[e] = 'E';
    return text;
}

} // namespace flow
