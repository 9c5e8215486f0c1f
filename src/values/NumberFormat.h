#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number and token routines behind every displayed value and every number read from text.
// Reading and writing never depend on the C or C++ locale: the decimal point is always '.'.
namespace kivrun {

// The one routine that renders a displayed decimal: rounds to `decimals` places, writes
// the result with six significant digits, then pads with zeros to `decimals` places when
// `pad` is set. A value that rounds to 0 with `keepZero` set stays "0".
std::string FormatNumber(double x, int decimals, bool pad, bool keepZero);

// FormatNumber for what the program shows and prints: the same rounding, digits and padding,
// but never in exponent form. A whole part of seven digits or more is written in full with
// its decimals (a year of swimming in meters reads 1633800, not 1.6338e+06).
std::string FormatDisplayNumber(double x, int decimals, bool pad, bool keepZero);
// DoubleToText for what is shown: six significant digits, no trailing zeros, never an
// exponent (a large value in full, a tiny one in fixed decimals).
std::string DisplayDoubleText(double x);
// A measured value as typed: rounded half away from zero to at most maxDecimals places,
// then written without trailing zeros ("71.5", "152", "-3", "62.25"); non-finite values as
// DoubleToText writes them.
std::string TypedDecimalText(double x, int maxDecimals = 2);

// Half up on the shifted value: (x * 10^n + 0.5) down to a whole number, over 10^n, so that
// -40 stays -40 (cut toward zero it read -39.9). Decimals are limited to 0..15.
double Round(double x, int decimals);

// As a C++ stream writes a double by default: six significant digits, no trailing zeros,
// exponent form for very large or very small values.
std::string DoubleToText(double x);
std::string IntToText(long long n);

// strtol base 10: leading white space and one sign allowed, leading digits count, the rest
// is ignored, no digits give 0, out-of-range values saturate. TextToInt saturates to int.
long TextToLong(std::string_view text);
int TextToInt(std::string_view text);

// strtod: leading white space, one sign, decimal or hexadecimal forms, inf and nan; no
// conversion gives 0.0, overflow gives +-HUGE_VAL and underflow 0.0.
double TextToDouble(std::string_view text);

// A number given whole, as a command line gives it: the text (blanks around it aside) is a
// decimal number (a sign, digits with a fraction, an exponent) and finite. Hexadecimal,
// inf, nan, "1,5" and anything after the number give nothing.
std::optional<double> ParseNumber(std::string_view text);

// The text without the blanks (space, tab, line breaks) at both ends.
std::string TrimBlanks(std::string_view text);

// Removes and returns the text before the first delimiter (the whole text when there is
// none). A token of two or more characters wrapped in double quotes loses the quotes.
std::string NextToken(std::string& text, char delimiter);

}  // namespace kivrun
