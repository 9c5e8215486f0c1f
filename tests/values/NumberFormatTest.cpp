#include "values/NumberFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace kivrun {
namespace {

// Half up on the shifted value, six significant digits, then padding; a tiny negative must
// not show as "-0" and a value too large to shift is left as it is.
TEST(NumberFormat, FormatNumberRoundsThenPads) {
    struct Case {
        double x;
        int decimals;
        bool pad;
        bool keepZero;
        const char* text;
    } cases[] = {
        {12.5, 1, true, true, "12.5"},
        {12, 1, true, true, "12.0"},
        {12, 1, false, false, "12"},
        {0, 1, true, true, "0"},
        {0, 1, true, false, "0.0"},
        {3.14159, 2, true, false, "3.14"},
        {3, 2, true, false, "3.00"},
        {0.05, 1, true, true, "0.1"},
        {2.449, 1, true, true, "2.4"},
        {-0.2, 0, false, true, "0"},
        {-40.0, 1, true, true, "-40.0"},
        {-2.25, 1, false, true, "-2.2"},
        {123456.7, 1, true, true, "123457.0"},
        {1234567.8, 1, true, true, "1.23457e+06"},
        {1e300, 2, false, false, "1e+300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.x, c.decimals, c.pad, c.keepZero), c.text) << c.x;
    }
    EXPECT_TRUE(std::isnan(Round(std::nan(""), 1)));
    EXPECT_EQ(DoubleToText(0.00001), "1e-05");
    EXPECT_EQ(DoubleToText(59.9999999), "60");
    EXPECT_EQ(IntToText(-42), "-42");
}

// strtol and strtod in the "C" locale are the reference.
// What is shown never reads in exponent form: large values in full with their decimals,
// tiny ones in fixed decimals; the rest as FormatNumber and DoubleToText write them.
TEST(NumberFormat, DisplayedNumbersNeverUseTheExponentForm) {
    struct Case {
        double x;
        int decimals;
        bool pad;
        const char* number;
        const char* plain;
    } cases[] = {
        {12, 1, true, "12.0", "12"},
        {123456.7, 1, true, "123457.0", "123457"},
        {1633800, 0, true, "1633800", "1633800"},
        {1339380.25, 1, true, "1339380.3", "1339380"},
        {1339380, 1, false, "1339380", "1339380"},
        {-2500000.5, 0, false, "-2500000", "-2500000"},
        {0.0000123, 0, true, "0", "0.0000123"},
        {1e300, 2, false, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const std::string number = FormatDisplayNumber(c.x, c.decimals, c.pad, true);
        const std::string plain = DisplayDoubleText(c.x);
        EXPECT_EQ(number.find('e'), std::string::npos) << number;
        EXPECT_EQ(plain.find('e'), std::string::npos) << plain;
        if (c.number) {
            EXPECT_EQ(number, c.number) << c.x;
        }
        if (c.plain) {
            EXPECT_EQ(plain, c.plain) << c.x;
        }
    }
}

TEST(NumberFormat, TextReadersMatchStrtolAndStrtod) {
    // clang-format off
    const char* cases[] = {
        "", "1.5", "  -2.5e3xyz", "42abc", "+5", "- 5", ".5", "5.", ".", "-", "+-1", "1e", "1e+",
        "0x1.8p1", "0x", "0xg", "-0x10", "0x.8", "inf", "-Infinity", "nan(abc)", "1e400",
        "-1e400", "1e-400", "4e-320", "0x1p-1080", "0x1p2000", "1,5", "\t+7",
        "9223372036854775808", "-9223372036854775809", "1000000000000000000000000000000e-340"
    };
    // clang-format on
    for (const char* text : cases) {
        EXPECT_EQ(TextToLong(text), std::strtol(text, nullptr, 10)) << text;
        const double expected = std::strtod(text, nullptr);
        const double actual = TextToDouble(text);
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(actual)) << text;
        } else {
            EXPECT_EQ(actual, expected) << text;
            EXPECT_EQ(std::signbit(actual), std::signbit(expected)) << text;
        }
    }
    EXPECT_EQ(TextToInt("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(TextToInt("-99999999999"), std::numeric_limits<int>::min());
    EXPECT_EQ(TextToInt(" -7x"), -7);
}

// A user locale with a decimal comma must change neither reading nor writing.
// A locale with a decimal comma: the system's, or one compiled for this test.
bool UseDecimalCommaLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8")) return true;
    const std::string dir = testing::TempDir() + "kivrun-locales";
    const std::string make = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir +
                             "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) return false;
    setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

TEST(NumberFormat, IgnoresTheLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!UseDecimalCommaLocale()) GTEST_SKIP() << "no locale with a decimal comma available";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    EXPECT_EQ(TextToDouble("1.5"), 1.5);
    EXPECT_EQ(TextToDouble("1,5"), 1.0);
    EXPECT_EQ(FormatNumber(1.25, 2, true, false), "1.25");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(NumberFormat, NextTokenConsumesAndUnquotes) {
    struct Case {
        const char* text;
        const char* token;
        const char* rest;
    } cases[] = {
        {"a\tb\tc", "a", "b\tc"},   {"abc", "abc", ""}, {"\tb", "", "b"},
        {"\"x y\"\tz", "x y", "z"}, {"\"\"", "", ""},   {"\"", "\"", ""},
        {"\"a", "\"a", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(NextToken(text, '\t'), c.token) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}
}  // namespace
}  // namespace kivrun
