#include <gtest/gtest.h>

#include "controls/CheckListSummary.h"
#include "controls/ShortenText.h"
#include "controls/SportIcons.h"

namespace kivrun::controls {
namespace {

TEST(CheckListSummary, AllTickedOrNoItemsReadsAllSelected) {
    EXPECT_EQ(SummaryText({}, u", "), u"All Selected");
    EXPECT_EQ(SummaryText({{u"Running", true}, {u"Road", true}}, u", "), u"All Selected");
}

TEST(CheckListSummary, JoinsTheTickedItemsWithTheListSeparator) {
    const std::vector<CheckItem> items = {
        {u"Running", true}, {u"Road", false}, {u"Swimming", true}, {u"Weights", true}};
    EXPECT_EQ(SummaryText(items, u", "), u"Running, Swimming, Weights");
    EXPECT_EQ(SummaryText(items, u"; "), u"Running; Swimming; Weights");
    EXPECT_EQ(SummaryText({{u"Running", false}, {u"Road", false}}, u", "), u"");
}

TEST(CheckListSummary, SeparatorGetsExactlyOneBlank) {
    EXPECT_EQ(SummarySeparator(u","), u", ");
    EXPECT_EQ(SummarySeparator(u";   "), u"; ");
    EXPECT_EQ(SummarySeparator(u""), u"; ");
    EXPECT_EQ(SummarySeparator(u"  "), u"; ");
}

// Every character 6 pixels wide, so expected cuts can be worked out by hand.
int Mono(std::u16string_view text) {
    return 6 * static_cast<int>(text.size());
}

TEST(ShortenText, FitsOrEndsInDots) {
    struct Case {
        std::u16string text;
        int column;
        std::u16string shown;
    };
    const Case cases[] = {
        {u"Squats", 40, u"Squats"},              // 36 + 4 fits exactly
        {u"Squats", 39, u"Sq..."},               // 2 letters + dots + margin = 34
        {u"Tricep Pushdown", 64, u"Tricep..."},  // no blank left before the dots
        {u"Tricep Pushdown", 10, u"T..."},       // at least one letter is kept
        {u"", 0, u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortenToFit(c.text, c.column, Mono), c.shown)
            << std::string(c.text.begin(), c.text.end()) << " in " << c.column;
}

TEST(ShortenText, NeverSplitsACharacterOfTwoCodeUnits) {
    const std::u16string text = u"A\U0001F3C3\U0001F3C3\U0001F3C3";  // A and three runners
    const std::u16string shown = ShortenToFit(text, 6 * 2 + 18 + 4, Mono);
    EXPECT_EQ(shown, u"A...");  // the second unit would be half a runner
    EXPECT_EQ(ShortenToFit(text, 6 * 3 + 18 + 4, Mono), u"A\U0001F3C3...");
}

TEST(ShortenText, MeasuresOnlyAFewTimesForALongText) {
    int calls = 0;
    const std::u16string text(5000, u'x');
    ShortenToFit(text, 300, [&](std::u16string_view t) {
        ++calls;
        return Mono(t);
    });
    EXPECT_LT(calls, 20);
}

TEST(SportIcons, OutOfRangeIsOther) {
    EXPECT_EQ(ValidSportIcon(0), 0);
    EXPECT_EQ(ValidSportIcon(12), 12);
    EXPECT_EQ(ValidSportIcon(13), kOtherSportIcon);
    EXPECT_EQ(ValidSportIcon(-1), kOtherSportIcon);
    EXPECT_STREQ(SportIconName(99), "Other");
    EXPECT_STREQ(SportIconName(4), "Rowing");
}

}  // namespace
}  // namespace kivrun::controls
