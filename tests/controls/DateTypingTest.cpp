#include <gtest/gtest.h>

#include "controls/DateTyping.h"
#include "values/Calendar.h"

namespace kivrun {
namespace {

class DateTypingTest : public ::testing::Test {
  protected:
    void SetUp() override { calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 6}); }
    void TearDown() override { calendar::SetTodayForTesting(std::nullopt); }
    const CDate held{3, 15, 2025};
};

TEST_F(DateTypingTest, ReadsWhatPeopleType) {
    struct Case {
        const char* pattern;
        const char* typed;
        std::optional<CDate> day;
    };
    const Case cases[] = {
        {"M/d/yy", "6/1/2026", CDate(6, 1, 2026)},
        {"M/d/yy", "06/01/2026", CDate(6, 1, 2026)},
        {"M/d/yy", "6/1/26", CDate(6, 1, 2026)},
        {"M/d/yy", "6/1/75", CDate(6, 1, 2075)},  // within 50 years of 2026
        {"M/d/yy", "6/1/76", CDate(6, 1, 1976)},
        {"M/d/yy", "6/1", CDate(6, 1, 2025)},  // the year the box holds
        {"M/d/yy", "6 1 2026", CDate(6, 1, 2026)},
        {"M/d/yy", "1 Jun 2026", CDate(6, 1, 2026)},
        {"M/d/yy", "june 1, 2026", CDate(6, 1, 2026)},
        {"M/d/yy", "2026-06-01", CDate(6, 1, 2026)},
        {"M/d/yy", "2/29/2024", CDate(2, 29, 2024)},
        {"M/d/yy", "2/29/2025", std::nullopt},
        {"M/d/yy", "13/1/2026", std::nullopt},
        {"M/d/yy", "6/31/2026", std::nullopt},
        {"M/d/yy", "6/1/202", std::nullopt},
        {"M/d/yy", "6/1/1899", std::nullopt},
        {"M/d/yy", "Ju 1 2026", std::nullopt},  // two letters name no month
        {"M/d/yy", "6", std::nullopt},
        {"M/d/yy", "", std::nullopt},
        // A day-first locale: its own separator reads its order, slashes the log's.
        {"dd.MM.yy", "1.6.2026", CDate(6, 1, 2026)},
        {"dd.MM.yy", "1.6.", CDate(6, 1, 2025)},
        {"dd.MM.yy", "6/1/2026", CDate(6, 1, 2026)},
        {"dd/MM/yyyy", "1/6/2026", CDate(6, 1, 2026)},
        {"dd.MM.yy", "1 Juni 2026", CDate(6, 1, 2026)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.typed);
        const DateTyping typing(c.pattern, {"Januar", "Februar", "März", "April", "Mai", "Juni"});
        EXPECT_EQ(typing.Parse(c.typed, held), c.day);
    }
}

TEST_F(DateTypingTest, ShowsTheLocaleFormWithTheFullYear) {
    const CDate day(6, 1, 2026);
    EXPECT_EQ(DateTyping("M/d/yy").Format(day), "6/1/2026");
    EXPECT_EQ(DateTyping("dd.MM.yy").Format(day), "01.06.2026");
    EXPECT_EQ(DateTyping("yyyy-MM-dd").Format(day), "2026-06-01");
    EXPECT_EQ(DateTyping("d MMM yyyy").Format(day), "6/1/2026");  // names: the log's form
    for (const char* pattern : {"M/d/yy", "dd.MM.yy", "yyyy-MM-dd"}) {
        const DateTyping typing(pattern);
        EXPECT_EQ(typing.Parse(typing.Format(day), held), day) << pattern;
    }
}

TEST_F(DateTypingTest, ArrowsStepThePartTheCaretIsIn) {
    struct Case {
        const char* text;
        int caret;
        int steps;
        const char* shown;
        int start, length;
    };
    const Case cases[] = {
        {"1/31/2026", 0, 1, "2/28/2026", 0, 1},  // the day kept inside the month
        {"12/31/2026", 1, 1, "1/31/2027", 0, 1},
        {"1/31/2026", 3, 1, "2/1/2026", 2, 1},
        {"1/31/2026", 9, -1, "1/31/2025", 5, 4},
        {"2/29/2024", 6, 1, "2/28/2025", 5, 4},
        {"1/5/2026", 2, -5, "12/31/2025", 3, 2},
        {"rubbish", 0, 1, "4/15/2025", 0, 1},  // from the day the box holds
    };
    const DateTyping typing("M/d/yy");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const DateTyping::Edit edit = typing.Step(c.text, c.caret, c.steps, held);
        EXPECT_EQ(edit.text, c.shown);
        EXPECT_EQ(edit.start, c.start);
        EXPECT_EQ(edit.length, c.length);
    }
}

TEST_F(DateTypingTest, SpaceOrSlashMovesToTheNextPart) {
    using S = DateTyping::Separator;
    struct Case {
        const char* text;
        int caret;
        decltype(S::kSelect) action;
        int start, length;
    };
    const Case cases[] = {
        {"6/1/2026", 1, S::kSelect, 2, 1}, {"6/1/2026", 3, S::kSelect, 4, 4},
        {"6/1/2026", 0, S::kSelect, 2, 1}, {"6/1/2026", 8, S::kIgnore, 0, 0},
        {"6", 1, S::kType, 0, 0},          {"1 Jun", 5, S::kType, 0, 0},
        {"6/", 2, S::kIgnore, 0, 0},       {"", 0, S::kIgnore, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " at " + std::to_string(c.caret));
        const S s = DateTyping::TypedSeparator(c.text, c.caret);
        EXPECT_EQ(s.action, c.action);
        EXPECT_EQ(s.start, c.start);
        EXPECT_EQ(s.length, c.length);
    }
}

}  // namespace
}  // namespace kivrun
