#pragma once

namespace kivrun {

// Wheel turns counted in whole notches, so a fine-grained wheel or a touchpad steps once per
// notch; what is left of a notch waits for the next turn the same way.
class WheelSteps {
  public:
    // Steps for a turn of delta eighths of a degree: negative away from the user.
    int Turn(int delta) {
        // Turning back the other way forgets what was left of the other direction.
        if ((delta > 0) != (turned_ > 0)) turned_ = 0;
        turned_ += delta;
        const int notches = turned_ / kNotch;
        turned_ -= notches * kNotch;
        return -notches;
    }

  private:
    static constexpr int kNotch = 120;
    int turned_ = 0;
};

}  // namespace kivrun
