#include "print/PaperText.h"

#include <gtest/gtest.h>

namespace kivrun::paper {
namespace {

// Every character ten units wide: widths are easy to reckon.
int Fixed(std::u16string_view text) {
    return static_cast<int>(text.size()) * 10;
}

using Lines = std::vector<std::u16string>;

TEST(PaperWrap, LinesBreakAtBlanksAndWordsLongerThanALineAreCut) {
    struct Case {
        const char16_t* text;
        int chars;
        Lines lines;
    } cases[] = {
        {u"", 10, {}},
        {u"River loop", 10, {u"River loop"}},
        {u"the quick brown fox", 10, {u"the quick", u"brown fox"}},
        // The cut falls on a blank: the line is the fitting start, the next goes on after
        // every blank.
        {u"abcde    fghij", 5, {u"abcde", u"fghij"}},
        {u"abcd efghij", 5, {u"abcd", u"efghi", u"j"}},
        // No blank after the first character: the word is cut where the line ends.
        {u"abcdefghijkl", 5, {u"abcde", u"fghij", u"kl"}},
        {u" abcdefgh", 4, {u" abc", u"defg", u"h"}},
        // Line breaks in a note start new lines; blank lines take none.
        {u"Easy run\r\nlegs heavy\n\nfine", 20, {u"Easy run", u"legs heavy", u"fine"}},
        {u"tab\tseparated", 20, {u"tab separated"}},
        // A column narrower than a character still moves on, one character a line.
        {u"abc", 0, {u"a", u"b", u"c"}},
        // A character of two code units is never split.
        {u"ab\U0001F600cd", 3, {u"ab", u"\U0001F600c", u"d"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WrapLines(c.text, c.chars * 10, Fixed), c.lines)
            << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
}

// Wrapping measures each word about once, so a long note costs in proportion to its length:
// the characters measured stay a small multiple of the text, with or without blanks.
TEST(PaperWrap, MeasuresAboutEachCharacterOnceHoweverLongTheText) {
    std::size_t measured = 0;
    const controls::TextWidth counting = [&measured](std::u16string_view text) {
        measured += text.size();
        return Fixed(text);
    };
    std::u16string words;
    while (words.size() < 200000)
        words += u"steady miles on the coast path ";
    for (const std::u16string& text : {words, std::u16string(200000, u'x')}) {
        measured = 0;
        const Lines lines = WrapLines(text, 400, counting);
        EXPECT_GE(lines.size(), text.size() / 40);
        EXPECT_LT(measured, 4 * text.size());
    }
    // Narrower than a line, kept whole, or with empty lines kept: as the views want them.
    EXPECT_EQ(
        WrapLines(u"easy\r\n\r\nthen", 50, Fixed, {.belowRoom = true, .keepEmptyLines = true}),
        (Lines{u"easy", u"", u"then"}));
    EXPECT_EQ(WrapLines(u"abcde", 50, Fixed, {.belowRoom = true}), (Lines{u"abcd", u"e"}));
}

TEST(PaperPages, ARowThatDoesNotFitBeginsTheNextPage) {
    struct Case {
        std::vector<int> lines;
        int perPage;
        PageFill fill;
        std::vector<long> starts;
    } cases[] = {
        {{}, 3, PageFill::Whole, {0}},  // nothing to print: still one page
        {{}, 3, PageFill::LeaveLastLine, {0}},
        {{1, 1, 1, 1, 1}, 2, PageFill::Whole, {0, 2, 4}},
        // Two lines used, a row of three does not fit in four: it goes over.
        {{1, 1, 3, 1, 1}, 4, PageFill::Whole, {0, 2, 4}},
        // Taller than a page: a page of its own.
        {{1, 9, 1}, 4, PageFill::Whole, {0, 1, 2}},
        {{1, 1}, 0, PageFill::Whole, {0, 1}},
        // A row that would fill the page exactly: it fits, or it goes over.
        {{1, 1, 2, 1}, 4, PageFill::Whole, {0, 3}},
        {{1, 1, 2, 1}, 4, PageFill::LeaveLastLine, {0, 2}},
        // ... but never leaves a page empty: a row as tall as a page keeps the first page.
        {{4, 1}, 4, PageFill::LeaveLastLine, {0, 1}},
        {{9}, 4, PageFill::LeaveLastLine, {0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageStarts(c.lines, c.perPage, c.fill), c.starts)
            << ::testing::PrintToString(c.lines) << " in " << c.perPage;
    EXPECT_EQ(FooterText(2, 7), "Page 2 of 7");
}

}  // namespace
}  // namespace kivrun::paper
