#pragma once

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "values/Date.h"

// Small rules the filter's state, SQL and bar exchange share.
namespace kivrun::filter_detail {

// A flag index for an abbreviation letter "A" to "Z"; nothing for anything else, so a
// stray abbreviation can never index past the flags.
inline std::optional<std::size_t> LetterIndex(std::string_view abbreviation) {
    if (abbreviation.size() != 1 || abbreviation[0] < 'A' || abbreviation[0] > 'Z') return {};
    return static_cast<std::size_t>(abbreviation[0] - 'A');
}

// Typed or saved numbers may read as inf or nan, which no SQL literal can carry.
inline double FiniteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

// An operator outside its list counts as "none".
inline int ValidOp(int op, int lowest, int highest, int none) {
    return op >= lowest && op <= highest ? op : none;
}

// The same month and day in another year; 29 February becomes the 28th where the year
// has none.
inline CDate InYear(const CDate& date, int year) {
    return CDate(date.Month(), std::min(date.Day(), CDate::DaysInMonth(date.Month(), year)), year);
}

}  // namespace kivrun::filter_detail
