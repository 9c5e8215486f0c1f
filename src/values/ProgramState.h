#pragma once

namespace kivrun {

// State that holds for the whole running program rather than for one log.
class ProgramState {
  public:
    static ProgramState& Instance();

    // First day of the week: 0 = Sunday .. 6 = Saturday. Starts as Monday.
    int WeekStartDay() const { return weekStartDay_; }
    void SetWeekStartDay(int day);

    // Back to the values the program starts with (used by tests).
    void Reset();

  private:
    int weekStartDay_ = 1;
};

}  // namespace kivrun
