#include "values/ProgramState.h"

namespace kivrun {

ProgramState& ProgramState::Instance() {
    static ProgramState state;
    return state;
}

void ProgramState::SetWeekStartDay(int day) {
    if (day >= 0 && day <= 6) weekStartDay_ = day;
}

void ProgramState::Reset() {
    *this = ProgramState();
}

}  // namespace kivrun
