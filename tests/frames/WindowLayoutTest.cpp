#include "frames/WindowLayout.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>

namespace kivrun {
namespace {

TEST(WindowLayout, NewWindowsFollowTheSizeTable) {
    struct Case {
        WindowKind kind;
        int w, h;
        WindowRect expected;
    };
    const Case cases[] = {
        // The log window fills the area from the top left.
        {WindowKind::LogWindow, 1000, 700, {0, 0, 995, 695}},
        {WindowKind::Calendar, 1000, 700, {10, 5, 980, 690}},
        // The entry window is W - 150 wide but never more than 650.
        {WindowKind::EntryView, 900, 600, {125, 15, 650, 570}},
        {WindowKind::EntryView, 700, 600, {75, 15, 550, 570}},
        {WindowKind::EntryView, 800, 600, {75, 15, 650, 570}},
        {WindowKind::WeekView, 1001, 701, {15, 7, 971, 686}},
        {WindowKind::Events, 1000, 700, {75, 15, 850, 670}},
        {WindowKind::Graphs, 1000, 700, {40, 7, 920, 685}},
        {WindowKind::Totals, 1000, 700, {290, 25, 420, 650}},
        // Odd leftovers are dropped by the integer division.
        {WindowKind::Totals, 1001, 701, {290, 25, 420, 651}},
    };
    for (const Case& c : cases) {
        const auto rect = InitialChildRect(c.kind, c.w, c.h);
        ASSERT_TRUE(rect.has_value()) << WindowTitle(c.kind);
        EXPECT_EQ(*rect, c.expected) << WindowTitle(c.kind) << " in " << c.w << "x" << c.h;
    }
    EXPECT_FALSE(InitialChildRect(WindowKind::Weights, 1000, 700).has_value());
}

TEST(WindowLayout, TinyAreasStillGiveUsableWindowsInsideTheArea) {
    for (WindowKind kind : AllWindowKinds()) {
        const auto rect = InitialChildRect(kind, 120, 40);
        if (!rect) continue;
        EXPECT_TRUE(rect->width >= kMinChildWidth && rect->height >= kMinChildHeight &&
                    rect->x >= 0 && rect->y >= 0)
            << WindowTitle(kind) << ": " << ::testing::PrintToString(*rect);
    }
    // The fixed-width totals window in a narrow area starts at the left edge.
    EXPECT_EQ(InitialChildRect(WindowKind::Totals, 300, 500)->x, 0);
}

std::vector<std::string> Titles(const MenuBar& bar) {
    std::vector<std::string> titles;
    for (const Menu& m : bar)
        titles.push_back(m.title);
    return titles;
}

std::vector<std::string> Texts(const Menu& menu) {
    std::vector<std::string> texts;
    for (const MenuItem& item : menu.items)
        if (item.command != Command::Separator) texts.push_back(item.text);
    return texts;
}

const Menu& Find(const MenuBar& bar, const std::string& title) {
    for (const Menu& m : bar)
        if (m.title == title) return m;
    static const Menu none;
    ADD_FAILURE() << "no menu " << title;
    return none;
}

TEST(WindowMenus, EachWindowKindBringsItsPrintItemEntryItemsAndOwnMenu) {
    using V = std::vector<std::string>;
    const V common = {"&File", "&Edit", "&View", "Wei&ghts", "&Tools"};
    const V tail = {"&Window", "&Help"};
    struct Case {
        WindowKind kind;
        std::string print;
        V edit;
        std::string own;  // title of its own menu, empty for none
    };
    const V plain = {"&Undo\tCtrl+Z", "Red&o\tCtrl+Y", "P&references..."};
    const V weekLike = {"&Undo\tCtrl+Z",         "Red&o\tCtrl+Y",
                        "&Modify Entry\tCtrl+M", "&Duplicate Entry\tCtrl+D",
                        "De&lete Entry\tDel",    "P&references..."};
    const Case cases[] = {
        {WindowKind::LogWindow,
         "&Print Log...\tCtrl+P",
         {"&Undo\tCtrl+Z", "Red&o\tCtrl+Y", "&Copy Selected\tCtrl+C", "&Edit Entry\tCtrl+M",
          "&Duplicate Entry\tCtrl+D", "De&lete Entry\tDel", "P&references..."},
         ""},
        {WindowKind::Totals, "&Print Totals...\tCtrl+P", plain, "&Totals"},
        {WindowKind::EntryView, "&Print Entry...\tCtrl+P", plain, ""},
        {WindowKind::Weights, "&Print Entry...\tCtrl+P", plain, ""},
        {WindowKind::WeekView, "&Print Week...\tCtrl+P", weekLike, ""},
        {WindowKind::Calendar, "&Print Calendar...\tCtrl+P", weekLike, "&Calendar"},
        {WindowKind::Events,
         "&Print Events...\tCtrl+P",
         {"&Undo\tCtrl+Z", "Red&o\tCtrl+Y", "&Copy Selected\tCtrl+C", "&Modify Entry\tCtrl+M",
          "&Duplicate Entry\tCtrl+D", "De&lete Entry\tDel", "P&references..."},
         ""},
        {WindowKind::Graphs, "&Print Graph...\tCtrl+P", plain, "&Graphing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(WindowTitle(c.kind));
        const MenuBar bar = LogMenuBar(c.kind);
        V titles = common;
        if (!c.own.empty()) titles.push_back(c.own);
        titles.insert(titles.end(), tail.begin(), tail.end());
        EXPECT_EQ(Titles(bar), titles);
        const V file = Texts(Find(bar, "&File"));
        ASSERT_EQ(file.size(), 10u);  // the recent files count as one place
        EXPECT_EQ(file[4], "&Import Activities...\tCtrl+Shift+I");
        EXPECT_EQ(file[7], c.print);
        EXPECT_EQ(file.back(), "E&xit");
        EXPECT_EQ(Texts(Find(bar, "&Edit")), c.edit);
    }
}

// A shortcut must reach one item of the bar, and a letter within a menu one item: a letter
// used twice only moves between the items and opens neither.
TEST(WindowMenus, NoShortcutOrAccessKeyIsUsedTwiceInAnyMenuBar) {
    auto letter = [](const std::string& text) {
        const auto at = text.find('&');
        if (at == std::string::npos || at + 1 >= text.size()) return std::string();
        return std::string(
            1, static_cast<char>(std::tolower(static_cast<unsigned char>(text[at + 1]))));
    };
    auto once = [](std::map<std::string, std::string>& seen, const std::string& key,
                   const std::string& text) {
        if (key.empty()) return;
        auto [it, fresh] = seen.emplace(key, text);
        EXPECT_TRUE(fresh) << key << " on " << it->second << " and " << text;
    };
    std::vector<MenuBar> bars = {NoLogMenuBar()};
    for (WindowKind kind : AllWindowKinds())
        bars.push_back(LogMenuBar(kind));
    for (const MenuBar& bar : bars) {
        std::map<std::string, std::string> shortcuts;
        for (const Menu& m : bar) {
            std::map<std::string, std::string> items;
            for (const MenuItem& item : m.items) {
                if (item.command == Command::Separator) continue;
                once(items, letter(item.text), item.text);
                once(shortcuts, ShortcutOf(item.text), item.text);
                if (const char* other = AlternateShortcutOf(item.command))
                    once(shortcuts, other, item.text);
            }
        }
    }
    EXPECT_EQ(Texts(Find(LogMenuBar(WindowKind::Calendar), "&Calendar")).front(),
              "&New event...\tCtrl+N");
}

// A command added without its prompt would show an empty tooltip and status text.
TEST(WindowToolbars, EveryToolbarCommandHasAPromptAndATip) {
    std::vector<Command> commands = MainToolbar();
    for (WindowKind kind : AllWindowKinds())
        for (Command c : ChildToolbar(kind))
            commands.push_back(c);
    for (Command c : commands)
        if (c != Command::Separator) {
            EXPECT_STRNE(PromptOf(c).tip, "") << static_cast<int>(c);
            EXPECT_STRNE(PromptOf(c).prompt, "") << static_cast<int>(c);
        }
}

TEST(WindowArrange, TilingFillsTheAreaWithoutOverlap) {
    for (TileOrientation o : {TileOrientation::Horizontal, TileOrientation::Vertical})
        for (int n = 1; n <= 9; ++n) {
            SCOPED_TRACE(n);
            const auto rects = TileRects(n, 1003, 601, o);
            ASSERT_EQ(static_cast<int>(rects.size()), n);
            long area = 0;
            for (std::size_t i = 0; i < rects.size(); ++i) {
                const WindowRect& a = rects[i];
                EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.width <= 1003 && a.y + a.height <= 601)
                    << i << ": " << ::testing::PrintToString(a);
                area += static_cast<long>(a.width) * a.height;
                for (std::size_t j = i + 1; j < rects.size(); ++j) {
                    const WindowRect& b = rects[j];
                    const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x ||
                                       a.y + a.height <= b.y || b.y + b.height <= a.y;
                    EXPECT_TRUE(apart) << i << " overlaps " << j;
                }
            }
            EXPECT_EQ(area, 1003L * 601);
        }
}

TEST(WindowArrange, HorizontalStacksAndVerticalSetsSideBySide) {
    const auto h = TileRects(3, 900, 600, TileOrientation::Horizontal);
    EXPECT_EQ(h[0], (WindowRect{0, 0, 900, 200}));
    EXPECT_EQ(h[2], (WindowRect{0, 400, 900, 200}));
    const auto v = TileRects(2, 900, 600, TileOrientation::Vertical);
    EXPECT_EQ(v[0], (WindowRect{0, 0, 450, 600}));
    EXPECT_EQ(v[1], (WindowRect{450, 0, 450, 600}));
    // Five windows: two columns, the last one taking three.
    const auto five = TileRects(5, 800, 600, TileOrientation::Vertical);
    EXPECT_EQ(five[1], (WindowRect{0, 300, 400, 300}));
    EXPECT_EQ(five[4], (WindowRect{400, 400, 400, 200}));
    EXPECT_TRUE(TileRects(0, 800, 600, TileOrientation::Vertical).empty());
}

TEST(WindowArrange, IconsLineUpAlongTheBottomAndWrapUpwards) {
    const auto icons = IconRects(5, 500, 400, 160, 30);
    ASSERT_EQ(icons.size(), 5u);
    EXPECT_EQ(icons[0], (WindowRect{0, 370, 160, 30}));
    EXPECT_EQ(icons[2], (WindowRect{320, 370, 160, 30}));
    EXPECT_EQ(icons[3], (WindowRect{0, 340, 160, 30}));
    // An area narrower than one icon still stacks them.
    EXPECT_EQ(IconRects(2, 100, 400, 160, 30)[1], (WindowRect{0, 340, 160, 30}));
}

}  // namespace
}  // namespace kivrun
