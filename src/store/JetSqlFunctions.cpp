#include <sqlite3.h>

#include <cmath>
#include <cstdint>
#include <optional>

#include "store/JetSql.h"
#include "store/JetSqlTokens.h"
#include "values/Calendar.h"

// The functions the dialect needs inside SQLite: DatePart with the log's week numbering and
// Like patterns that SQLite's LIKE cannot express.
namespace kivrun::jetsql {
namespace {

using detail::IEquals;

// UTF-8 code point at s[i], advancing i.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = c & (0x3F >> extra);
    for (int k = 0; k < extra && i < s.size(); ++k) {
        unsigned char d = static_cast<unsigned char>(s[i]);
        if ((d & 0xC0) != 0x80) break;
        cp = (cp << 6) | (d & 0x3F);
        ++i;
    }
    return cp;
}

char32_t Fold(char32_t c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

struct PatternItem {
    enum Type { Any, One, Digit, Char, Set } type = Any;
    char32_t ch = 0;
    bool negate = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;

    static PatternItem Of(Type t, char32_t c = 0) {
        PatternItem item;
        item.type = t;
        item.ch = c;
        return item;
    }

    bool Matches(char32_t c) const {
        switch (type) {
            case One:
                return true;
            case Digit:
                return c >= '0' && c <= '9';
            case Char:
                return Fold(c) == Fold(ch);
            case Set: {
                bool in = false;
                for (auto [lo, hi] : ranges)
                    if ((Fold(c) >= Fold(lo) && Fold(c) <= Fold(hi)) || (c >= lo && c <= hi))
                        in = true;
                return in != negate;
            }
            case Any:
                break;
        }
        return false;
    }
};

std::vector<PatternItem> CompilePattern(std::string_view pattern) {
    std::vector<PatternItem> items;
    size_t i = 0;
    while (i < pattern.size()) {
        char32_t c = NextCodePoint(pattern, i);
        if (c == '*') {
            if (items.empty() || items.back().type != PatternItem::Any)
                items.push_back(PatternItem::Of(PatternItem::Any));
        } else if (c == '?') {
            items.push_back(PatternItem::Of(PatternItem::One));
        } else if (c == '#') {
            items.push_back(PatternItem::Of(PatternItem::Digit));
        } else if (c == '[' && pattern.find(']', i + 1) != std::string_view::npos) {
            PatternItem set = PatternItem::Of(PatternItem::Set);
            size_t j = i;
            if (j < pattern.size() && pattern[j] == '!') {
                set.negate = true;
                ++j;
            }
            // A ']' right after '[' or '[!' is an ordinary member.
            bool first = true;
            while (j < pattern.size() && (pattern[j] != ']' || first)) {
                first = false;
                char32_t lo = NextCodePoint(pattern, j);
                char32_t hi = lo;
                if (j + 1 < pattern.size() && pattern[j] == '-' && pattern[j + 1] != ']') {
                    ++j;
                    hi = NextCodePoint(pattern, j);
                }
                set.ranges.push_back({lo, hi});
            }
            i = j + 1;
            items.push_back(set);
        } else {
            items.push_back(PatternItem::Of(PatternItem::Char, c));
        }
    }
    return items;
}

void JetLikeFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    // jet_like(pattern, value), in the order of SQLite's own like().
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    auto text = [](sqlite3_value* v) {
        const unsigned char* t = sqlite3_value_text(v);
        return std::string_view(reinterpret_cast<const char*>(t),
                                static_cast<size_t>(sqlite3_value_bytes(v)));
    };
    sqlite3_result_int(ctx, LikeMatch(text(argv[1]), text(argv[0])) ? 1 : 0);
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week };

std::optional<Interval> ParseInterval(std::string_view iv) {
    static constexpr std::pair<std::string_view, Interval> kKnown[] = {
        {"yyyy", Interval::Year},   {"q", Interval::Quarter}, {"m", Interval::Month},
        {"y", Interval::DayOfYear}, {"d", Interval::Day},     {"w", Interval::Weekday},
        {"ww", Interval::Week}};
    for (const auto& [name, interval] : kKnown)
        if (IEquals(iv, name)) return interval;
    return std::nullopt;
}

int DatePartOf(Interval interval, double serial, int firstDay) {
    const calendar::Ymd d = calendar::FromSerial(serial);
    auto dayOfYear = [&] {
        return static_cast<int>(calendar::ToSerial(d.year, d.month, d.day) -
                                calendar::ToSerial(d.year, 1, 1)) +
               1;
    };
    switch (interval) {
        case Interval::Year:
            return d.year;
        case Interval::Quarter:
            return (d.month - 1) / 3 + 1;
        case Interval::Month:
            return d.month;
        case Interval::DayOfYear:
            return dayOfYear();
        case Interval::Day:
            return d.day;
        case Interval::Weekday:
            return (calendar::Weekday(d.year, d.month, d.day) - firstDay + 7) % 7 + 1;
        case Interval::Week: {
            const int jan1 = calendar::Weekday(d.year, 1, 1);
            const int offset = (jan1 - firstDay + 7) % 7;  // days from the week's start to 1 Jan
            return (dayOfYear() - 1 + offset) / 7 + 1;
        }
    }
    return 0;
}

void DatePartFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    int firstDay = 1;
    if (argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL) {
        firstDay = sqlite3_value_int(argv[2]);
        if (firstDay == 0) firstDay = 1;  // "system default" means Sunday here
    }
    // The interval is a constant of the query: read once, kept with the statement.
    auto* interval = static_cast<Interval*>(sqlite3_get_auxdata(ctx, 0));
    if (!interval) {
        const unsigned char* text = sqlite3_value_text(argv[0]);
        const std::optional<Interval> parsed =
            text ? ParseInterval(reinterpret_cast<const char*>(text)) : std::nullopt;
        if (!parsed || firstDay < 1 || firstDay > 7) {
            sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
            return;
        }
        interval = new Interval(*parsed);
        sqlite3_set_auxdata(ctx, 0, interval, [](void* p) { delete static_cast<Interval*>(p); });
        // SQLite may drop it at once when the argument is not a constant.
        interval = static_cast<Interval*>(sqlite3_get_auxdata(ctx, 0));
        if (!interval) {
            sqlite3_result_int(ctx, DatePartOf(*parsed, sqlite3_value_double(argv[1]), firstDay));
            return;
        }
    }
    if (firstDay < 1 || firstDay > 7) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    sqlite3_result_int(ctx, DatePartOf(*interval, sqlite3_value_double(argv[1]), firstDay));
}

}  // namespace

void RegisterFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "jet_like", 2, flags, nullptr, JetLikeFunction, nullptr, nullptr);
    sqlite3_create_function(db, "DatePart", 2, flags, nullptr, DatePartFunction, nullptr, nullptr);
    sqlite3_create_function(db, "DatePart", 3, flags, nullptr, DatePartFunction, nullptr, nullptr);
}

int DatePart(std::string_view interval, double serial, int firstDay) {
    const std::optional<Interval> parsed = ParseInterval(interval);
    return parsed ? DatePartOf(*parsed, serial, firstDay) : 0;
}

bool LikeMatch(std::string_view value, std::string_view pattern) {
    const std::vector<PatternItem> items = CompilePattern(pattern);
    std::vector<char32_t> text;
    for (size_t i = 0; i < value.size();)
        text.push_back(NextCodePoint(value, i));
    // Greedy match with backtracking to the last '*': every other item takes one character.
    size_t t = 0, p = 0, starP = SIZE_MAX, starT = 0;
    while (t < text.size()) {
        if (p < items.size() && items[p].type == PatternItem::Any) {
            starP = p++;
            starT = t;
        } else if (p < items.size() && items[p].Matches(text[t])) {
            ++p;
            ++t;
        } else if (starP != SIZE_MAX) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < items.size() && items[p].type == PatternItem::Any)
        ++p;
    return p == items.size();
}

}  // namespace kivrun::jetsql
