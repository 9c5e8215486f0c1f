#pragma once

namespace kivrun::controls {

// The sport icon set. A sport's Image is an index into it.
inline constexpr int kSportIconCount = 13;
inline constexpr int kOtherSportIcon = 12;

// The index itself when it names an icon, else the "Other" icon.
constexpr int ValidSportIcon(int index) {
    return index >= 0 && index < kSportIconCount ? index : kOtherSportIcon;
}

// What an icon shows, for tips and screen readers: "Road cycling", ..., "Other".
const char* SportIconName(int index);

}  // namespace kivrun::controls
