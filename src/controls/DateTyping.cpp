#include "controls/DateTyping.h"

#include <algorithm>
#include <cctype>

#include "values/Calendar.h"

namespace kivrun {

namespace {

struct Token {
    std::string text;
    bool word = false;
    int start = 0;
    int end = 0;
};

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Letters here are anything but digits, blanks and punctuation, so that the locale's month
// names in UTF-8 stay whole.
bool IsLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || std::isalpha(u) != 0;
}

std::vector<Token> Tokens(std::string_view text) {
    std::vector<Token> tokens;
    for (int i = 0; i < int(text.size());) {
        const char c = text[size_t(i)];
        if (!IsDigit(c) && !IsLetter(c)) {
            ++i;
            continue;
        }
        const bool word = IsLetter(c);
        Token t{{}, word, i, i};
        while (t.end < int(text.size()) &&
               (word ? IsLetter(text[size_t(t.end)]) : IsDigit(text[size_t(t.end)])))
            ++t.end;
        t.text = std::string(text.substr(size_t(i), size_t(t.end - i)));
        tokens.push_back(t);
        i = t.end;
    }
    return tokens;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The part of the text the caret is in: the last one starting at or before it.
int PartAt(const std::vector<Token>& tokens, int caret) {
    int part = 0;
    for (size_t i = 0; i < tokens.size(); ++i)
        if (tokens[i].start <= caret) part = int(i);
    return part;
}

std::string Padded(int value, bool pad) {
    std::string s = std::to_string(value);
    return pad && value < 10 ? "0" + s : s;
}

}  // namespace

DateTyping::DateTyping(std::string_view pattern, std::vector<std::string> monthNames)
    : monthNames_(std::move(monthNames)) {
    std::vector<Part> order;
    char separator = 0;
    bool followable = true;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == 'M' || c == 'd' || c == 'y') {
            const Part part = c == 'M' ? Part::kMonth : c == 'd' ? Part::kDay : Part::kYear;
            // Names (MMM, ddd) cannot be typed part by part.
            if ((c != 'y' && run > 2) || std::count(order.begin(), order.end(), part))
                followable = false;
            order.push_back(part);
            if (c == 'M') padMonth_ = run == 2;
            if (c == 'd') padDay_ = run == 2;
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '\'') {
            followable = false;
        } else if (!separator) {
            separator = c;
        }
        i += run;
    }
    if (!followable || order.size() != 3 || !separator) {
        padMonth_ = padDay_ = false;
        return;
    }
    std::copy(order.begin(), order.end(), order_.begin());
    separator_ = separator;
}

std::string DateTyping::Format(const CDate& day) const {
    std::string text;
    for (Part part : order_) {
        if (!text.empty()) text += separator_;
        if (part == Part::kMonth) text += Padded(day.Month(), padMonth_);
        if (part == Part::kDay) text += Padded(day.Day(), padDay_);
        if (part == Part::kYear) text += std::to_string(day.Year());
    }
    return text;
}

std::optional<int> DateTyping::MonthNamed(std::string_view word) const {
    const std::string typed = Lower(std::string(word));
    if (typed.size() < 3) return std::nullopt;
    for (int m = 1; m <= 12; ++m) {
        std::vector<std::string> names{CDate::MonthName(m)};
        for (size_t i = size_t(m - 1); i < monthNames_.size(); i += 12)
            names.push_back(monthNames_[i]);
        for (const std::string& name : names) {
            const std::string n = Lower(name);
            if (n.compare(0, typed.size(), typed) == 0) return m;
        }
    }
    return std::nullopt;
}

std::optional<CDate> DateTyping::Parse(std::string_view text, const CDate& held) const {
    const std::vector<Token> tokens = Tokens(text);
    if (tokens.size() < 2 || tokens.size() > 3) return std::nullopt;
    int month = -1, day = -1, year = held.Year();
    std::string yearText;
    std::vector<std::string> numbers;
    int named = -1;
    for (const Token& t : tokens) {
        if (!t.word) {
            if (t.text.size() > 4) return std::nullopt;
            numbers.push_back(t.text);
            continue;
        }
        const std::optional<int> m = MonthNamed(t.text);
        if (!m || named >= 0) return std::nullopt;
        named = *m;
    }
    auto number = [](const std::string& s) { return std::stoi(s); };
    if (named >= 0) {
        month = named;
        // "1 Jun 2026", "Jun 1 2026", "2026 Jun 1": a long number first is the year.
        const bool yearFirst = numbers.size() == 2 && numbers[0].size() > 2;
        day = number(numbers[yearFirst ? 1 : 0]);
        if (numbers.size() == 2) yearText = numbers[yearFirst ? 0 : 1];
    } else {
        // The box's own order where the text uses its separator; the log's M/D/Y otherwise.
        const bool ownForm = text.find_first_of("/.-") == std::string_view::npos ||
                             text.find(separator_) != std::string_view::npos;
        std::vector<Part> order(order_.begin(), order_.end());
        if (!ownForm) order = {Part::kMonth, Part::kDay, Part::kYear};
        if (numbers.size() == 3 && numbers[0].size() == 4)
            order = {Part::kYear, Part::kMonth, Part::kDay};
        if (numbers.size() == 2) order.erase(std::find(order.begin(), order.end(), Part::kYear));
        for (size_t i = 0; i < numbers.size(); ++i) {
            if (order[i] == Part::kMonth) month = number(numbers[i]);
            if (order[i] == Part::kDay) day = number(numbers[i]);
            if (order[i] == Part::kYear) yearText = numbers[i];
        }
    }
    if (!yearText.empty()) {
        if (yearText.size() == 3) return std::nullopt;
        year = number(yearText);
        if (yearText.size() <= 2) year = calendar::ExpandTwoDigitYear(year);
    }
    // The log's calendar holds from 1901 to 2099.
    if (year < 1901 || year > 2099 || month < 1 || month > 12 || day < 1 ||
        day > CDate::DaysInMonth(month, year))
        return std::nullopt;
    return CDate(month, day, year);
}

DateTyping::Edit DateTyping::Step(std::string_view text, int caret, int steps,
                                  const CDate& held) const {
    const CDate from = Parse(text, held).value_or(held);
    const std::vector<Token> tokens = Tokens(text);
    const int index = std::min(PartAt(tokens, caret), 2);
    const Part part = order_[size_t(index)];
    CDate to = from;
    if (part == Part::kDay) {
        to = from.AddDays(steps);
    } else {
        int month = from.Month(), year = from.Year();
        if (part == Part::kMonth) {
            const int months = year * 12 + month - 1 + steps;
            year = months / 12;
            month = months % 12 + 1;
        } else {
            year += steps;
        }
        year = std::clamp(year, 1901, 2099);
        to = CDate(month, std::min(from.Day(), CDate::DaysInMonth(month, year)), year);
    }
    Edit edit{Format(to)};
    const std::vector<Token> shown = Tokens(edit.text);
    edit.start = shown[size_t(index)].start;
    edit.length = shown[size_t(index)].end - edit.start;
    return edit;
}

DateTyping::Separator DateTyping::TypedSeparator(std::string_view text, int caret) {
    const std::vector<Token> tokens = Tokens(text);
    caret = std::clamp(caret, 0, int(text.size()));
    for (const Token& t : tokens)
        if (t.start > caret) return {Separator::kSelect, t.start, t.end - t.start};
    const bool afterPart =
        caret > 0 && (IsDigit(text[size_t(caret - 1)]) || IsLetter(text[size_t(caret - 1)]));
    if (caret == int(text.size()) && afterPart && tokens.size() < 3) return {Separator::kType};
    return {};
}

}  // namespace kivrun
