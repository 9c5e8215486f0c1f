#include "devices/UtcTime.h"

#include <cstdio>

namespace kivrun::devices {
namespace {

struct Civil {
    int year;
    unsigned month, day;
};

// The inverse of DaysFromCivil, by the same era arithmetic.
Civil CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(yoe + era * 400 + (month <= 2)), month, day};
}

// Reads exactly `width` digits.
bool Digits(std::string_view& text, int width, int& value) {
    if (text.size() < static_cast<std::size_t>(width)) return false;
    value = 0;
    for (int i = 0; i < width; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    text.remove_prefix(width);
    return true;
}

bool Expect(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::int64_t DaysFromCivil(int year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::string FormatUtc(std::int64_t instant) {
    std::int64_t days = instant / 86400;
    std::int64_t rest = instant % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    const Civil c = CivilFromDays(days);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", c.year, c.month, c.day,
                  static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                  static_cast<int>(rest % 60));
    return text;
}

std::optional<std::int64_t> ParseXmlTime(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' ||
                             text.back() == '\r'))
        text.remove_suffix(1);
    int year, month, day, hour, minute, second;
    if (!Digits(text, 4, year) || !Expect(text, '-') || !Digits(text, 2, month) ||
        !Expect(text, '-') || !Digits(text, 2, day) || !Expect(text, 'T') ||
        !Digits(text, 2, hour) || !Expect(text, ':') || !Digits(text, 2, minute) ||
        !Expect(text, ':') || !Digits(text, 2, second))
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 24 || minute > 59 || second > 60)
        return std::nullopt;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        std::size_t n = 0;
        while (n < text.size() && text[n] >= '0' && text[n] <= '9')
            ++n;
        if (n == 0) return std::nullopt;
        text.remove_prefix(n);
    }
    int offset = 0;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        const int sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
        int oh, om;
        if (!Digits(text, 2, oh) || !Expect(text, ':') || !Digits(text, 2, om) || oh > 14 ||
            om > 59)
            return std::nullopt;
        offset = sign * (oh * 3600 + om * 60);
    } else if (!text.empty() && text.front() == 'Z') {
        text.remove_prefix(1);
    }
    if (!text.empty()) return std::nullopt;
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 +
           hour * 3600 + minute * 60 + second - offset;
}

}  // namespace kivrun::devices
