#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kivrun {

// An elapsed time or a time pace. Hours have no 24-hour limit; after any normalising
// operation the minutes are 0..59 and the seconds 0 up to but excluding 60.
class CElapsedTime {
  public:
    CElapsedTime() = default;
    CElapsedTime(unsigned hours, unsigned minutes, double seconds);
    // "H:MM:SS" with any part left out ("1:08", "45", ":07:30"); a decimal is seconds.
    explicit CElapsedTime(std::string_view text);

    static CElapsedTime FromSeconds(double seconds);
    static CElapsedTime FromDecimalHours(double hours);
    // How the entry form and the filter read a typed time: a decimal means hours.
    static CElapsedTime FromUserText(std::string_view text);

    std::uint32_t Hours() const { return hours_; }
    std::uint32_t Minutes() const { return minutes_; }
    double Seconds() const { return seconds_; }

    // Negative and NaN amounts give 0; amounts beyond the largest time saturate.
    void SetFromSeconds(double seconds);
    void SetFromDecimalHours(double hours);
    double TotalSeconds() const;

    CElapsedTime operator+(const CElapsedTime& other) const;
    CElapsedTime& operator+=(const CElapsedTime& other);
    friend bool operator==(const CElapsedTime&, const CElapsedTime&) = default;

    // 0 H:MM, 1 H:MM:SS, 2 H:MM:SS.ss, 3 M:SS (total minutes), 4 M:SS.ss, 5 H:MM:S as a
    // stream writes the seconds. Other forms give an empty text.
    std::string Format(int form) const;

    // A typed time is under this many hours: what the log's views can show.
    static constexpr long kMaxTypedHours = 1000;
    // 0 invalid, 1 a valid colon form, 2 a decimal (hours, as the form reads it). The whole
    // text must be a time ("1:00 junk", "1e308" and "1,5" are not) under kMaxTypedHours;
    // blanks around it are ignored.
    static int Validate(std::string_view text);
    // A "." and otherwise only digits.
    static bool IsDecimal(std::string_view text);

  private:
    std::uint32_t hours_ = 0;
    std::uint32_t minutes_ = 0;
    double seconds_ = 0.0;
};

}  // namespace kivrun
