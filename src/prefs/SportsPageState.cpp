#include "prefs/SportsPageState.h"

#include <algorithm>

#include "document/TamselDoc.h"
#include "prefs/PrefsChoices.h"
#include "store/Criteria.h"
#include "store/Database.h"
#include "store/EventsSet.h"
#include "store/LogDatabase.h"
#include "store/LogEntrySet.h"
#include "store/PreferencesSet.h"
#include "store/SportsSet.h"

namespace kivrun::prefs {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Abbreviations the log's workouts or calendar events use. Opened afresh: the document's
// own sets may hold an older list of rows.
std::set<std::string> LettersInUse(CTamselDoc& doc, const std::vector<std::string>& letters) {
    std::set<std::string> used;
    CLogEntrySet entries(&doc.Database());
    entries.Open();
    CEventsSet events(&doc.Database());
    events.Open();
    for (const std::string& letter : letters) {
        const std::string c = criteria::Is("SptAbbrev", letter);
        if (entries.FindFirst(c) || events.FindFirst(c)) used.insert(letter);
    }
    return used;
}

}  // namespace

std::string LineText(const SportLine& line) {
    return line.name + '\t' + line.letter + '\t' + ChoiceName(kPaceUnits, line.pace) + '\t' +
           ChoiceName(kDistanceUnits, line.distance) + '\t' + std::to_string(line.icon);
}

const char* AddMessage(AddResult result) {
    switch (result) {
        case AddResult::NeedLetter:
            return "Please select the desired abbreviation to use for the new sport !!";
        case AddResult::NeedDistance:
            return "Please select the desired distance units to use for the new sport !!";
        case AddResult::NeedPace:
            return "Please select the desired pace to use for the new sport !!";
        case AddResult::TooMany:
            return "Maximum of 26 sports !!";
        default:
            return nullptr;
    }
}

void SportsPageState::Load(CTamselDoc& doc) {
    *this = SportsPageState();
    try {
        std::vector<SportLine> lines;
        for (const SportInfo& s : doc.GetCatalog().sports)
            lines.push_back({s.name, s.abbrev, s.distanceUnit, s.paceUnit, s.image});
        std::vector<std::string> letters;
        for (const SportLine& l : lines)
            letters.push_back(l.letter);
        const std::set<std::string> used = LettersInUse(doc, letters);
        for (SportLine& l : lines) {
            const bool inUse = used.count(l.letter) > 0;
            AddLoadedLine(std::move(l), inUse);
        }
    } catch (const DbError& e) {
        doc.ui().ShowMessage(std::string("Couldn't read the sports--Exception: ") + e.what());
    }
}

void SportsPageState::AddLoadedLine(SportLine line, bool inUse) {
    if (line.letter.size() == 1) letters_.Use(line.letter[0]);
    if (inUse) inUse_.insert(line.letter);
    lines_.push_back(std::move(line));
}

std::vector<char> SportsPageState::FreeLetters() const {
    std::vector<char> free;
    for (char c = 'A'; c <= 'Z'; ++c) {
        if (!letters_.IsUsed(c)) free.push_back(c);
    }
    return free;
}

std::vector<std::string> SportsPageState::NameChoices() const {
    std::vector<std::string> names;
    for (const char* name : kBuiltInSports) {
        if (!IsListed(name)) names.emplace_back(name);
    }
    return names;
}

bool SportsPageState::IsListed(std::string_view name) const {
    return std::any_of(lines_.begin(), lines_.end(),
                       [&](const SportLine& l) { return SameName(l.name, name); });
}

void SportsPageState::SetName(std::string_view name) {
    draft_.name = name;
    const std::string trimmed = TrimName(name);
    if (const SportDefaults* d = BuiltInSport(trimmed)) {
        draft_.letter = letters_.Choose(d->letter);
        draft_.letterChosen = false;
        draft_.units = {d->distance, d->pace};
        draft_.icon = d->icon;
    } else if (!draft_.letterChosen) {
        draft_.letter = trimmed.empty() ? 0 : letters_.ChooseFor(trimmed);
    }
}

void SportsPageState::ChooseLetter(char letter) {
    draft_.letter = (letter >= 'A' && letter <= 'Z' && !letters_.IsUsed(letter)) ? letter : 0;
    draft_.letterChosen = draft_.letter != 0;
}

void SportsPageState::ChooseDistance(int distance) {
    draft_.units =
        prefs::ChooseDistance(draft_.units, distance, IsSwimmingName(TrimName(draft_.name)));
}

void SportsPageState::ChoosePace(int pace) {
    draft_.units = prefs::ChoosePace(draft_.units, pace);
}

void SportsPageState::ChooseIcon(int icon) {
    draft_.icon = icon;
}

bool SportsPageState::CanAdd() const {
    const std::string name = TrimName(draft_.name);
    return !name.empty() && !IsListed(name);
}

AddResult SportsPageState::Add() {
    const std::string name = TrimName(draft_.name);
    if (name.empty()) return AddResult::NoName;
    if (IsListed(name)) return AddResult::AlreadyListed;
    // Checked first: with 26 sports no letter is left to choose, and asking for one would
    // send the user looking in an empty list.
    if (static_cast<int>(lines_.size()) >= kMaxSports) return AddResult::TooMany;
    if (draft_.letter == 0 || letters_.IsUsed(draft_.letter)) return AddResult::NeedLetter;
    if (draft_.units.distance < 0) return AddResult::NeedDistance;
    if (draft_.units.pace < 0) return AddResult::NeedPace;

    lines_.push_back({name, std::string(1, draft_.letter), draft_.units.distance, draft_.units.pace,
                      draft_.icon});
    letters_.Use(draft_.letter);
    draft_ = NewSport();
    changed_ = true;
    return AddResult::Added;
}

bool SportsPageState::IsInUse(int line) const {
    return line >= 0 && line < static_cast<int>(lines_.size()) &&
           inUse_.count(lines_[static_cast<size_t>(line)].letter) > 0;
}

bool SportsPageState::CanRemove(int line) const {
    return line >= 0 && line < static_cast<int>(lines_.size()) && !IsInUse(line);
}

bool SportsPageState::Remove(int line) {
    if (!CanRemove(line)) return false;
    const SportLine& l = lines_[static_cast<size_t>(line)];
    if (l.letter.size() == 1) letters_.Use(l.letter[0], false);
    lines_.erase(lines_.begin() + line);
    changed_ = true;
    return true;
}

bool SportsPageState::Move(int from, int to) {
    const int n = static_cast<int>(lines_.size());
    if (from < 0 || from >= n || to < 0 || to >= n || from == to) return false;
    if (from < to)
        std::rotate(lines_.begin() + from, lines_.begin() + from + 1, lines_.begin() + to + 1);
    else
        std::rotate(lines_.begin() + to, lines_.begin() + from, lines_.begin() + from + 1);
    changed_ = true;
    return true;
}

bool SportsPageState::Apply(CTamselDoc& doc) {
    if (lines_.empty()) return false;
    CSportsSet& sports = doc.SportsSet();
    try {
        Transaction tx(doc.Database().sql());
        sports.Requery();
        std::vector<std::string> gone;
        for (sports.MoveFirst(); !sports.IsEOF(); sports.MoveNext()) {
            const std::string letter = sports.SptAbbrev;
            if (std::none_of(lines_.begin(), lines_.end(),
                             [&](const SportLine& l) { return l.letter == letter; }))
                gone.push_back(letter);
        }
        // Deleting a sport deletes its workouts through the log's relations. The page lets
        // only unused sports go; this makes sure of it at the moment of writing.
        const std::set<std::string> used = LettersInUse(doc, gone);
        for (const std::string& letter : gone) {
            if (used.count(letter)) continue;
            if (sports.FindFirst(criteria::Is("SptAbbrev", letter))) sports.Delete();
        }
        for (size_t i = 0; i < lines_.size(); ++i) {
            const SportLine& l = lines_[i];
            if (sports.FindFirst(criteria::Is("SptAbbrev", l.letter))) {
                sports.Edit();
            } else {
                sports.AddNew();
                sports.SptAbbrev = l.letter;
            }
            sports.SptName = l.name;
            sports.DistanceID = l.distance;
            sports.PaceID = l.pace;
            sports.Image = l.icon;
            sports.Order = static_cast<int>(i);
            sports.Update();
        }
        // A default sport that is gone would preselect nothing in the entry form.
        CPreferencesSet& prefs = doc.PreferencesSet();
        const std::string defaultSport = prefs.GetDefaultSport();
        if (!defaultSport.empty() &&
            std::none_of(lines_.begin(), lines_.end(),
                         [&](const SportLine& l) { return l.name == defaultSport; }))
            prefs.SetDefaultSport("");
        tx.Commit();
    } catch (const DbError& e) {
        // Rolled back: the sets forget what they were told of the rows.
        sports.Requery();
        doc.PreferencesSet().Requery();
        doc.ui().ShowMessage(std::string("Couldn't save the sports--Exception: ") + e.what());
        return false;
    }
    changed_ = false;
    doc.UpdateAllViews(nullptr, UpdateHint::Of(Notice::SportsChanged));
    return true;
}

}  // namespace kivrun::prefs
