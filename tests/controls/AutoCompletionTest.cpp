#include <gtest/gtest.h>

#include "controls/AutoCompletion.h"

namespace kivrun::controls {
namespace {

const std::vector<std::u16string> kExercises = {u"Bench Press", u"Bent Row", u"Squats",
                                                u"Élan Curls"};

EditState Caret(std::u16string text) {
    const int end = static_cast<int>(text.size());
    return {std::move(text), end, end};
}

TEST(AutoCompletion, TypingCompletesToTheFirstItemAndSelectsTheRest) {
    AutoCompleter c;
    c.Reset({});
    Completion r = c.TextChanged(Caret(u"b"), kExercises);
    EXPECT_EQ(r.item, 0);
    EXPECT_EQ(r.edit.text, u"Bench Press");
    EXPECT_EQ(r.edit.selectionStart, 1);
    EXPECT_EQ(r.edit.selectionEnd, 11);

    // Typing the next letter over the selected part goes on completing.
    r = c.TextChanged(Caret(u"Ben"), kExercises);
    EXPECT_EQ(r.edit.text, u"Bench Press");
    r = c.TextChanged(Caret(u"Bent"), kExercises);
    EXPECT_EQ(r.item, 1);
    EXPECT_EQ(r.edit.text, u"Bent Row");
    EXPECT_EQ(r.edit.selectionStart, 4);

    // Backspace takes the selected part away and does not bring it back.
    r = c.TextChanged(Caret(u"Bent"), kExercises);
    EXPECT_EQ(r.item, -1);
    EXPECT_EQ(r.edit.text, u"Bent");
    EXPECT_EQ(r.edit.selectionStart, 4);
    EXPECT_EQ(r.edit.selectionEnd, 4);
    // A further Backspace does not complete either, typing again does.
    r = c.TextChanged(Caret(u"Ben"), kExercises);
    EXPECT_EQ(r.edit.text, u"Ben");
    r = c.TextChanged(Caret(u"Benc"), kExercises);
    EXPECT_EQ(r.edit.text, u"Bench Press");
}

// From what the edit held before to what it holds now.
TEST(AutoCompletion, CompletesOnlyWhatWasTypedAtTheEnd) {
    struct Case {
        const char* what;
        EditState before, now;
        int item;
        EditState shown;
    } cases[] = {
        {"no match leaves the caret after the text", {}, Caret(u"Lunge"), -1, Caret(u"Lunge")},
        {"typing in the middle", Caret(u"Sqats"), {u"Squats", 2, 2}, -1, {u"Squats", 2, 2}},
        // "s" could be "Squats" with "Squat" cut away, but the selection says it was typed over.
        {"a whole selected text typed over", {u"Squats", 0, 6}, Caret(u"s"), 2, {u"Squats", 1, 6}},
    };
    for (const Case& t : cases) {
        AutoCompleter c;
        c.Reset(t.before);
        const Completion r = c.TextChanged(t.now, kExercises);
        EXPECT_EQ(r.item, t.item) << t.what;
        EXPECT_EQ(r.edit.text, t.shown.text) << t.what;
        EXPECT_EQ(r.edit.selectionStart, t.shown.selectionStart) << t.what;
        EXPECT_EQ(r.edit.selectionEnd, t.shown.selectionEnd) << t.what;
    }
}

TEST(AutoCompletion, IgnoresCaseOfAccentedLettersToo) {
    AutoCompleter c;
    EXPECT_EQ(c.TextChanged(Caret(u"é"), kExercises).edit.text, u"Élan Curls");
    EXPECT_TRUE(StartsWithIgnoringCase(u"Ŀodz", u"ŀo"));  // a pair the other way round
    EXPECT_TRUE(StartsWithIgnoringCase(u"Жим", u"жи"));   // Cyrillic
    EXPECT_TRUE(StartsWithIgnoringCase(u"Ÿves", u"ÿ"));
    EXPECT_FALSE(StartsWithIgnoringCase(u"Bench", u"Benches"));
}

TEST(AutoCompletion, TellsDeletingFromTyping) {
    struct Case {
        EditState before;
        std::u16string after;
        bool deleted;
    };
    const Case cases[] = {
        {{u"Bench", 5, 5}, u"Benc", true},        // Backspace at the end
        {{u"Bench", 3, 3}, u"Bech", true},        // Backspace in the middle
        {{u"Bench", 2, 2}, u"Bech", true},        // Delete in the middle
        {{u"Bench Press", 1, 11}, u"B", true},    // the selection deleted
        {{u"Bench Press", 1, 11}, u"Be", false},  // typed over the selection
        {{u"Bench Press", 11, 1}, u"Be", false},  // selected leftwards
        {{u"Squats", 0, 6}, u"s", false},         // typed over everything
        {{u"Squats", 6, 6}, u"Squats!", false},   // longer is never a deletion
        {{u"Leg Curls", 9, 9}, u"Leg ", true},    // Ctrl+Backspace
        {{u"Leg Curls", 3, 3}, u"Leg", true},     // Ctrl+Delete
        {{u"Bench", 5, 5}, u"Bench", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OnlyDeleted(c.before, c.after), c.deleted)
            << std::string(c.before.text.begin(), c.before.text.end()) << " -> "
            << std::string(c.after.begin(), c.after.end());
}

}  // namespace
}  // namespace kivrun::controls
