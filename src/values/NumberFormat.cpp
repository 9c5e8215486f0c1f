#include "values/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace kivrun {
namespace {

constexpr int kMaxDecimals = 15;
constexpr double kPowersOfTen[kMaxDecimals + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

int ClampDecimals(int decimals) {
    return std::clamp(decimals, 0, kMaxDecimals);
}

// White space as the C locale's isspace sees it.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string_view SkipSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return text.substr(i);
}

// from_chars leaves the value alone when it is out of range, while strtod gives HUGE_VAL
// on overflow and 0 on underflow. The exponent of the leading significant digit tells
// which one happened.
double OutOfRangeValue(std::string_view number, bool hex) {
    auto isDigit = [hex](char c) { return hex ? IsHexDigit(c) : IsDigit(c); };
    std::size_t i = 0;
    long long intDigits = 0;
    long long zerosAfterPoint = 0;
    bool significant = false;
    for (; i < number.size() && isDigit(number[i]); ++i) {
        if (significant || number[i] != '0') {
            significant = true;
            ++intDigits;
        }
    }
    if (i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && isDigit(number[i]); ++i) {
            if (significant) continue;
            if (number[i] == '0') {
                ++zerosAfterPoint;
            } else {
                significant = true;
            }
        }
    }
    long long magnitude = intDigits > 0 ? intDigits - 1 : -(zerosAfterPoint + 1);
    if (hex) magnitude *= 4;
    long long exponent = 0;
    if (i < number.size()) {  // the 'e' or 'p' of a complete exponent
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '-' || number[i] == '+')) {
            negative = number[i] == '-';
            ++i;
        }
        for (; i < number.size() && IsDigit(number[i]); ++i) {
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000'000LL);
        }
        if (negative) exponent = -exponent;
    }
    return magnitude + exponent >= 0 ? HUGE_VAL : 0.0;
}

}  // namespace

double Round(double x, int decimals) {
    const double scale = kPowersOfTen[ClampDecimals(decimals)];
    const double shifted = x * scale;
    // Beyond 2^52 a double holds no fraction to round, and truncating in floating point
    // (rather than through an integer) keeps huge and non-finite values defined.
    if (!(std::abs(shifted) < 0x1p52)) return x;
    // Adding 0.0 turns the -0.0 of a small negative into the plain 0 an integer gives.
    return (std::floor(shifted + 0.5) + 0.0) / scale;
}

std::string FormatNumber(double x, int decimals, bool pad, bool keepZero) {
    const int n = ClampDecimals(decimals);
    const double rounded = Round(x, n);
    std::string text = DoubleToText(rounded);
    if (rounded == 0.0 && keepZero) return text;
    if (pad && n > 0) {
        const auto point = text.find('.');
        if (point == std::string::npos) {
            text += '.';
            text.append(static_cast<std::size_t>(n), '0');
        } else {
            const std::size_t after = text.size() - point - 1;
            if (after < static_cast<std::size_t>(n)) {
                text.append(static_cast<std::size_t>(n) - after, '0');
            }
        }
    }
    return text;
}

namespace {

// Pads a number text with zeros to n decimals.
void PadDecimals(std::string& text, int n) {
    if (n <= 0) return;
    const auto point = text.find('.');
    if (point == std::string::npos) {
        text += '.';
        text.append(static_cast<std::size_t>(n), '0');
        return;
    }
    const std::size_t after = text.size() - point - 1;
    if (after < static_cast<std::size_t>(n)) text.append(static_cast<std::size_t>(n) - after, '0');
}

// Fixed notation with at most `decimals` places, trailing zeros dropped.
std::string FixedText(double x, int decimals) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed,
                                      std::clamp(decimals, 0, 40));
    std::string text(buffer, result.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

}  // namespace

std::string DisplayDoubleText(double x) {
    if (!std::isfinite(x) || x == 0.0) return DoubleToText(x);
    const double magnitude = std::abs(x);
    // The general form writes these two ranges with an exponent.
    if (magnitude >= 1e6) return FixedText(x, 0);
    if (magnitude < 1e-4) {
        const int leading = static_cast<int>(std::floor(std::log10(magnitude)));
        return FixedText(x, 5 - leading);
    }
    return DoubleToText(x);
}

std::string FormatDisplayNumber(double x, int decimals, bool pad, bool keepZero) {
    const int n = ClampDecimals(decimals);
    const double rounded = Round(x, n);
    // Past six digits the decimals asked for are kept, rather than lost to the significant
    // digits of the exponent form.
    std::string text = std::isfinite(rounded) && std::abs(rounded) >= 1e6
                           ? FixedText(rounded, n)
                           : DisplayDoubleText(rounded);
    if (rounded == 0.0 && keepZero) return text;
    if (pad) PadDecimals(text, n);
    return text;
}

std::string TypedDecimalText(double x, int maxDecimals) {
    const int n = ClampDecimals(maxDecimals);
    const double scale = kPowersOfTen[n];
    if (!std::isfinite(x) || !(std::abs(x * scale) < 0x1p52)) return DisplayDoubleText(x);
    // Away from zero: -2.5 is -3 as 2.5 is 3. The nearest of the shifted value guards
    // against 71.15 being held as 71.1499...
    const double shifted = std::nearbyint(x * scale * 1e6) / 1e6;
    const double rounded = std::copysign(std::floor(std::abs(shifted) + 0.5), x) / scale;
    return FixedText(rounded + 0.0, n);
}

std::string DoubleToText(double x) {
    // General format with precision 6 is what an unmodified stream writes.
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

std::string IntToText(long long n) {
    return std::to_string(n);
}

long TextToLong(std::string_view text) {
    text = SkipSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Accumulate downward so that the most negative value is reachable.
    constexpr long kMin = std::numeric_limits<long>::min();
    constexpr long kMax = std::numeric_limits<long>::max();
    long value = 0;
    bool overflow = false;
    for (std::size_t i = 0; i < text.size() && IsDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (overflow || value < (kMin + digit) / 10) {
            overflow = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (overflow) return negative ? kMin : kMax;
    if (negative) return value;
    return value == kMin ? kMax : -value;
}

int TextToInt(std::string_view text) {
    const long value = TextToLong(text);
    return static_cast<int>(
        std::clamp<long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double TextToDouble(std::string_view text) {
    text = SkipSpace(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars takes a '-' of its own; strtod allows one sign only.
    if (text.empty() || text.front() == '+' || text.front() == '-') return 0.0;
    auto sign = [negative](double v) { return negative ? -v : v; };

    double value = 0.0;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string_view hex = text.substr(2);
        const bool hasDigits =
            !hex.empty() &&
            (IsHexDigit(hex[0]) || (hex[0] == '.' && hex.size() > 1 && IsHexDigit(hex[1])));
        // "0x" without hexadecimal digits is the number 0 followed by an 'x'.
        if (!hasDigits) return sign(0.0);
        const auto [end, error] =
            std::from_chars(hex.data(), hex.data() + hex.size(), value, std::chars_format::hex);
        if (error == std::errc::result_out_of_range) {
            return sign(
                OutOfRangeValue(hex.substr(0, static_cast<std::size_t>(end - hex.data())), true));
        }
        return sign(error == std::errc() ? value : 0.0);
    }
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        return sign(
            OutOfRangeValue(text.substr(0, static_cast<std::size_t>(end - text.data())), false));
    }
    if (error != std::errc()) return 0.0;
    return sign(value);
}

std::string TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string NextToken(std::string& text, char delimiter) {
    std::string token;
    const auto at = text.find(delimiter);
    if (at == std::string::npos) {
        token.swap(text);
    } else {
        token = text.substr(0, at);
        text.erase(0, at + 1);
    }
    if (token.size() >= 2 && token.front() == '"' && token.back() == '"') {
        token = token.substr(1, token.size() - 2);
    }
    return token;
}

std::optional<double> ParseNumber(std::string_view typed) {
    const std::string text = TrimBlanks(typed);
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits() == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const double value = TextToDouble(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace kivrun
