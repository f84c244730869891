#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace flow {

/// Reads a number from the start of a typed text (UTF-8), the way the input
/// boxes are read:
/// - blanks, tabs and line feeds are skipped anywhere, also between digits and
///   inside the exponent ("1 2" is 12, "1E 2" is 100); nothing else is skipped;
/// - then an optional sign, digits with at most one '.' (".5" and "5." are
///   fine), and an optional exponent: E or D in either case, a sign, digits;
/// - reading stops at the first character that cannot continue the number, and
///   what was read is correctly rounded to the nearest double;
/// - a text without a number at its start reads as 0 ("abc", "", "0,5" is 0);
/// - an exponent letter without digits after it is ignored ("1E" and "1E+" are 1);
/// - a result beyond the double range raises RunTimeError(Overflow); one below
///   it reads as the nearest double (0 or a subnormal), with its sign.
/// Independent of the process locale.
double Val(std::string_view text);

/// What Val reads from the text, or nothing where Val raises the overflow.
std::optional<double> numberIn(std::string_view text);

/// Writes a number the way the input boxes show it: rounded to 15 significant
/// digits, no trailing zeros, no point for whole numbers, "0." before
/// fractions, '.' as the decimal point in every locale. 0.07 -> "0.07",
/// 0.5 -> "0.5", 0 -> "0", 1 -> "1". Val reads the text back as the same value
/// for every k / 100 a scroll bar produces.
std::string numberToText(double value);

} // namespace flow
