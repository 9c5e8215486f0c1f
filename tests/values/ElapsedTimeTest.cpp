#include "values/ElapsedTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kivrun {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Hms {
    unsigned h;
    unsigned m;
    double s;
};

void ExpectHms(const CElapsedTime& t, Hms want, const char* what) {
    EXPECT_EQ(t.Hours(), want.h) << what;
    EXPECT_EQ(t.Minutes(), want.m) << what;
    EXPECT_DOUBLE_EQ(t.Seconds(), want.s) << what;
}

TEST(ElapsedTime, ParsesColonTextsAndDecimalSeconds) {
    const std::pair<const char*, Hms> cases[] = {
        {"1:08", {1, 8, 0}},        {"45", {45, 0, 0}},      {":07:30", {0, 7, 30}},
        {"1:75", {2, 15, 0}},       {"2:", {2, 0, 0}},       {"1.5", {0, 0, 1.5}},
        {"1:08:05.5", {1, 8, 5.5}}, {"1::30", {1, 0, 30}},   {"0:0:3725", {1, 2, 5}},
        {"-3:10", {0, 10, 0}},      {"1:-5:10", {1, 0, 10}}, {"abc", {0, 0, 0}},
        {"1:02:03:04", {1, 2, 3}},  {"1:00:nan", {1, 0, 0}}, {" 1.5", {1, 0, 0}},
    };
    for (const auto& [text, want] : cases)
        ExpectHms(CElapsedTime(text), want, text);
}

TEST(ElapsedTime, ValidatesTypedTimes) {
    const std::pair<const char*, int> cases[] = {
        {"1.5", 2},
        {".", 2},
        {"1:08", 1},
        {"2:", 1},
        {":07:30", 1},
        {"0:00:05", 1},
        {"1:59:59.9", 1},
        {"0", 0},
        {"0:00", 0},
        {"0:00:00", 0},
        {"1:60", 0},
        {"1:59:60", 0},
        {"", 0},
        {"-1:30", 0},
        {"abc", 0},
        {"1:00:nan", 0},
        // Read whole, and under 1000 hours: what the log's views can show.
        {"1..5", 0},
        {"1e308", 0},
        {"1,5", 0},
        {"1:00 junk", 0},
        {"0x10", 0},
        {"1:2:3:4", 0},
        {"99999999:00:00", 0},
        {"1000:00", 0},
        {"999:59:59", 1},
        {"999.9", 2},
        {"1000.0", 0},
        {" 1:08 ", 1},
        {"1:08:05.5", 1},
    };
    for (const auto& [text, result] : cases)
        EXPECT_EQ(CElapsedTime::Validate(text), result) << text;
}

TEST(ElapsedTime, UserTextReadsDecimalsAsHours) {
    ExpectHms(CElapsedTime::FromUserText("1.5"), {1, 30, 0}, "1.5");
    ExpectHms(CElapsedTime::FromUserText(".25"), {0, 15, 0}, ".25");
    ExpectHms(CElapsedTime::FromUserText("1:08"), {1, 8, 0}, "1:08");
}

TEST(ElapsedTime, FormatsAllForms) {
    const CElapsedTime t = CElapsedTime::FromSeconds(4085.3);
    const char* expected[] = {"1:08", "1:08:05", "1:08:05.30", "68:05", "68:05.30", "1:08:05.3"};
    for (int form = 0; form < 6; ++form)
        EXPECT_EQ(t.Format(form), expected[form]) << form;
    EXPECT_EQ(t.Format(6), "");
    EXPECT_EQ(CElapsedTime("1:08").Format(1), "1:08:00");
    EXPECT_EQ(CElapsedTime("1:08").Format(5), "1:08:00");
}

TEST(ElapsedTime, SettersNormaliseAndStayInRange) {
    ExpectHms(CElapsedTime::FromDecimalHours(1.5), {1, 30, 0}, "1.5 h");
    ExpectHms(CElapsedTime::FromDecimalHours(0.1), {0, 6, 0}, "0.1 h");
    ExpectHms(CElapsedTime::FromDecimalHours(0.99999999999999994), {0, 59, 59}, "just below 1 h");
    const Hms zero{0, 0, 0};
    const Hms largest{4294967295u, 59, 59};
    for (double bad : {-5.0, std::nan(""), -kInf}) {
        ExpectHms(CElapsedTime::FromSeconds(bad), zero, "negative seconds");
        ExpectHms(CElapsedTime::FromDecimalHours(bad), zero, "negative hours");
    }
    for (double huge : {1e300, kInf, 4294967296.0 * 3600}) {
        ExpectHms(CElapsedTime::FromSeconds(huge), largest, "huge seconds");
        ExpectHms(CElapsedTime::FromDecimalHours(huge), largest, "huge hours");
    }
    ExpectHms(CElapsedTime("99999999999:00"), largest, "huge typed hours");
    EXPECT_EQ(CElapsedTime(2, 3, 4.5).TotalSeconds(), 7384.5);
}

TEST(ElapsedTime, AddingCarriesSecondsAndMinutes) {
    ExpectHms(CElapsedTime(0, 59, 30.5) + CElapsedTime(0, 0, 30), {1, 0, 0.5}, "carry twice");
    ExpectHms(CElapsedTime(1, 30, 45) + CElapsedTime(2, 45, 20), {4, 16, 5}, "carry both");
    CElapsedTime total(0, 40, 40);
    total += CElapsedTime(0, 20, 20);
    ExpectHms(total, {1, 1, 0}, "in place");
    ExpectHms(CElapsedTime(4294967295u, 59, 59) + CElapsedTime(1, 0, 1), {4294967295u, 0, 0},
              "hours saturate");
}
}  // namespace
}  // namespace kivrun
