#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "values/Date.h"

namespace kivrun {

// What a date box reads and writes. It shows a day in the locale's short form, always with
// the full year, and reads what people type: that form, the log's own M/D/YYYY and M/D/YY
// (the two-digit year rule), M/D (the year the box holds), a month by name ("1 Jun 2026")
// and Y-M-D.
class DateTyping {
  public:
    enum class Part { kMonth, kDay, kYear };

    // A pattern of the locale's kind ("M/d/yy", "dd.MM.yyyy", "yyyy-MM-dd"); one it cannot
    // follow gives M/d/yyyy. Month names, in any case and cut to three letters or more, are
    // read besides the English ones.
    explicit DateTyping(std::string_view pattern, std::vector<std::string> monthNames = {});

    std::string Format(const CDate& day) const;
    // The day a text names; nothing when it names none. `held` is the box's day: its year
    // completes a text without one.
    std::optional<CDate> Parse(std::string_view text, const CDate& held) const;

    // The text after an arrow key: the day moved by `steps` in the part the caret is in,
    // with that part selected (character offsets). An unreadable text steps from `held`.
    struct Edit {
        std::string text;
        int start = 0;
        int length = 0;
    };
    Edit Step(std::string_view text, int caret, int steps, const CDate& held) const;

    // A space or a slash typed: the next part is selected, the character is typed (typing
    // at the end of the text goes on), or nothing happens (already after a separator, or in
    // the last part).
    struct Separator {
        enum { kSelect, kType, kIgnore } action = kIgnore;
        int start = 0;
        int length = 0;
    };
    static Separator TypedSeparator(std::string_view text, int caret);

    const std::array<Part, 3>& Order() const { return order_; }

  private:
    std::optional<int> MonthNamed(std::string_view word) const;

    std::array<Part, 3> order_{Part::kMonth, Part::kDay, Part::kYear};
    char separator_ = '/';
    bool padMonth_ = false;
    bool padDay_ = false;
    std::vector<std::string> monthNames_;
};

}  // namespace kivrun
