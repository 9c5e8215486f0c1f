#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "prefs/SportRules.h"

namespace kivrun {
class CTamselDoc;
}

namespace kivrun::prefs {

// A line of "Current sports".
struct SportLine {
    std::string name;
    std::string letter;  // the abbreviation
    int distance = 0;
    int pace = 0;
    int icon = 0;
};

// The line as text: name, abbreviation, pace, distance unit and icon index, tab-separated.
std::string LineText(const SportLine& line);

// The sport being put together in the "New Sport" group.
struct NewSport {
    std::string name;           // as typed
    char letter = 0;            // 0 while none is chosen
    bool letterChosen = false;  // by the user, rather than proposed for the name
    UnitChoice units;
    int icon = kNewSportIcon;
};

enum class AddResult {
    Added,
    NoName,         // nothing typed: nothing happens
    AlreadyListed,  // a sport of that name is listed: nothing happens
    TooMany,
    NeedLetter,
    NeedDistance,
    NeedPace,
};

// The message for a refused add; nullptr when the refusal needs none.
const char* AddMessage(AddResult result);

inline constexpr int kMaxSports = 26;
inline constexpr const char* kNeedOneSport = "Please add at least one sport!!";

// The working state of the Sports page between loading and applying: the listed sports in
// their order, which abbreviation letters are free, which sports the log's workouts or
// calendar events use, and the new sport being put together.
class SportsPageState {
  public:
    // Reads the log's sports in their order and notes which are in use.
    void Load(CTamselDoc& doc);
    // Builds the list by hand, as loading does.
    void AddLoadedLine(SportLine line, bool inUse);

    const std::vector<SportLine>& Lines() const { return lines_; }
    // The letters the abbreviation list offers, A to Z.
    std::vector<char> FreeLetters() const;
    // The built-in names the name list offers: those not listed yet.
    std::vector<std::string> NameChoices() const;

    const NewSport& Draft() const { return draft_; }
    // A built-in name brings its usual letter (the first free one when that is taken),
    // units, pace and icon; any other name the first free letter of its own, unless the
    // user chose one.
    void SetName(std::string_view name);
    void ChooseLetter(char letter);
    void ChooseDistance(int distance);
    void ChoosePace(int pace);
    void ChooseIcon(int icon);

    // A name is typed and no listed sport has it.
    bool CanAdd() const;
    AddResult Add();
    // Sports with workouts or events stay: removing the row would delete them with it.
    bool IsInUse(int line) const;
    bool CanRemove(int line) const;
    bool Remove(int line);
    // Moves a line so that it ends up at position to.
    bool Move(int from, int to);

    bool Changed() const { return changed_; }
    // The message that keeps the list from being applied, or nullptr.
    const char* Validate() const { return lines_.empty() ? kNeedOneSport : nullptr; }
    // Writes the list into the log's Sports table: rows of sports no longer listed go, every
    // listed sport is written with its place as its order; then the views are told (hint 6).
    // False when nothing was written (an empty list, or the log refused and the user was told).
    bool Apply(CTamselDoc& doc);

  private:
    bool IsListed(std::string_view name) const;

    std::vector<SportLine> lines_;
    LetterSet letters_;
    std::set<std::string> inUse_;  // abbreviations
    NewSport draft_;
    bool changed_ = false;
};

}  // namespace kivrun::prefs
