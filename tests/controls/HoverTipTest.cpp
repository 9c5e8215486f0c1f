#include <gtest/gtest.h>

#include "controls/HoverTip.h"

namespace kivrun::controls {
namespace {

using Move = HoverTipTracker::Move;

int Mono(std::u16string_view text) {
    return 7 * static_cast<int>(text.size());
}

TEST(HoverTip, WaitsOnTheFirstRegionUnderThePointer) {
    HoverTipTracker tips;
    tips.AddRegion({10, 10, 50, 50}, u"outer");
    tips.AddRegion({20, 20, 30, 30}, u"inner");  // covered by the first: never current

    EXPECT_EQ(tips.MouseMoved({25, 25}), Move::HideAndWait);
    EXPECT_EQ(tips.Current(), 0);
    EXPECT_EQ(tips.CurrentRegion()->text, u"outer");
    // The same point again (a repaint, a click) leaves a shown tip alone.
    EXPECT_EQ(tips.MouseMoved({25, 25}), Move::Unchanged);
    // Moving within the region hides the tip and waits again.
    EXPECT_EQ(tips.MouseMoved({26, 25}), Move::HideAndWait);
    // Right and bottom edges are outside.
    EXPECT_EQ(tips.MouseMoved({50, 25}), Move::Hide);
    EXPECT_EQ(tips.Current(), -1);
    EXPECT_EQ(tips.CurrentRegion(), nullptr);
    // Back to the last point: the region must be found again.
    EXPECT_EQ(tips.MouseMoved({26, 25}), Move::HideAndWait);

    tips.ClearRegions();
    EXPECT_EQ(tips.Current(), -1);
    EXPECT_EQ(tips.MouseMoved({26, 25}), Move::Hide);
}

TEST(HoverTip, SplitsLinesAndTabs) {
    const auto lines = SplitTipText(u"Week 12\nRunning\t42.0 M\r\nTotal\t\t60.5 M\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].left, u"Week 12");
    EXPECT_FALSE(lines[0].split);
    EXPECT_EQ(lines[1].left, u"Running");
    EXPECT_EQ(lines[1].right, u"42.0 M");
    EXPECT_EQ(lines[2].right, u"\t60.5 M");  // only the first tab splits
    EXPECT_EQ(lines[3].left, u"");
}

TEST(HoverTip, SitsAboveThePointerAndLinesUpRightParts) {
    const TipRect bounds{0, 0, 800, 600};
    const TipLayout l =
        LayoutTip(u"Week 12\nRunning\t42.0 M\nRoad\t110.25 M", {300, 200}, bounds, 15, Mono);
    // Widest left part "Running" 49 + gap 12 + widest right part "110.25 M" 56 = 117.
    EXPECT_EQ(l.window, (TipRect{298, 148, 298 + 121, 197}));
    EXPECT_EQ(l.window.bottom, 200 - 5 + 2);
    EXPECT_EQ(l.textLeft, 300);
    EXPECT_EQ(l.textRight, 300 + 117);
    EXPECT_EQ(l.lines.size(), 3u);

    const TipLayout plain = LayoutTip(u"A long single line", {300, 200}, bounds, 15, Mono);
    EXPECT_EQ(plain.window.Width(), 7 * 18 + 4);
}

TEST(HoverTip, StaysInsideItsOwner) {
    const TipRect bounds{0, 0, 200, 150};
    // No room above: below the pointer instead.
    TipLayout l = LayoutTip(u"Top", {50, 10}, bounds, 15, Mono);
    EXPECT_GE(l.window.top, 10);
    // No room on the right: pulled left.
    l = LayoutTip(u"Near the right edge", {190, 100}, bounds, 15, Mono);
    EXPECT_EQ(l.window.right, 200);
    EXPECT_EQ(l.textLeft, l.window.left + 2);
}

}  // namespace
}  // namespace kivrun::controls
