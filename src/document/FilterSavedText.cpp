// The saved form of the filter state: the preference "StateFilterToolBar".

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/FilterDetail.h"
#include "document/FilterState.h"
#include "values/NumberFormat.h"

namespace kivrun {
namespace {

using filter_detail::FiniteOrZero;
using filter_detail::ValidOp;

constexpr const char* kSectionLabels[] = {
    "Sports:", "Classes:", "Date:", "Distance:", "Time:", "Pace:", "Equipment:"};
constexpr std::string_view kRouteLabel = "Route:";
constexpr std::string_view kNotesLabel = "Notes:";
// What follows an unquoted route in every saved text, ours or an earlier version's.
constexpr std::string_view kNotesBoundary = ",Notes:,";

std::string Flag(bool value) {
    return value ? "1" : "0";
}

std::string Number(double value) {
    return FormatNumber(value, 1, true, true);
}

// Route and notes are free text. Plain texts are written as they are; a comma or a double
// quote would break the fields apart, so such texts go between double quotes with inner
// quotes doubled.
std::string SavedText(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

bool ReadFlag(const std::string& token) {
    return TextToInt(token) != 0;
}

double ReadNumber(const std::string& token) {
    return FiniteOrZero(TextToDouble(token));
}

// A quoted text at the start of `rest`, ending at a comma or at the end; nothing is taken
// when the quotes do not close that way.
std::optional<std::string> TakeQuoted(std::string& rest) {
    if (rest.empty() || rest.front() != '"') return std::nullopt;
    std::string value;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        if (rest[i] != '"') {
            value += rest[i];
            continue;
        }
        if (i + 1 < rest.size() && rest[i + 1] == '"') {
            value += '"';
            ++i;
            continue;
        }
        if (i + 1 < rest.size() && rest[i + 1] != ',') return std::nullopt;
        rest.erase(0, std::min(i + 2, rest.size()));
        return value;
    }
    return std::nullopt;
}

// As the token reader does with a whole field.
std::string StripQuotes(std::string token) {
    if (token.size() >= 2 && token.front() == '"' && token.back() == '"') {
        token = token.substr(1, token.size() - 2);
    }
    return token;
}

// The fields of the saved text in order. The numeric sections are found by their labels,
// so a section with fields missing or left over leaves the others readable.
class SavedTextReader {
  public:
    explicit SavedTextReader(std::string text) : rest_(std::move(text)) { ReadSections(); }

    // Field `index` of a section; nothing when it is missing.
    const std::string* Field(std::string_view label, std::size_t index) const {
        const auto section = sections_.find(std::string(label));
        if (section == sections_.end() || index >= section->second.size()) return nullptr;
        return &section->second[index];
    }

    bool HasTextSection() const { return routeFound_; }
    bool AtEnd() const { return rest_.empty(); }
    std::string Token() { return NextToken(rest_, ','); }

    // The route: quoted, or up to the notes label. Earlier versions wrote it unquoted even
    // when it held commas, and the label still tells where it ends.
    std::string RouteText() {
        if (auto quoted = TakeQuoted(rest_)) return *quoted;
        const auto boundary = rest_.find(kNotesBoundary);
        if (boundary == std::string::npos) return Token();
        std::string text = rest_.substr(0, boundary);
        rest_.erase(0, boundary + 1);
        return StripQuotes(std::move(text));
    }

    // The notes are the last field: quoted, or everything that is left.
    std::string NotesText() {
        if (auto quoted = TakeQuoted(rest_)) return *quoted;
        std::string text;
        text.swap(rest_);
        return StripQuotes(std::move(text));
    }

  private:
    static bool IsSectionLabel(const std::string& token) {
        for (const char* label : kSectionLabels) {
            if (token == label) return true;
        }
        return false;
    }

    void ReadSections() {
        std::vector<std::string>* current = nullptr;
        while (!rest_.empty()) {
            std::string token = Token();
            if (token == kRouteLabel) {
                routeFound_ = true;
                return;
            }
            if (IsSectionLabel(token)) {
                // A repeated label is damage; the first one counts.
                const bool fresh = !sections_.contains(token);
                current = fresh ? &sections_[token] : nullptr;
            } else if (current) {
                current->push_back(std::move(token));
            }
        }
    }

    std::string rest_;
    std::map<std::string, std::vector<std::string>> sections_;
    bool routeFound_ = false;
};

void ReadFlags(const SavedTextReader& reader, std::string_view label, std::array<bool, 26>& flags) {
    for (std::size_t i = 0; i < flags.size(); ++i) {
        if (const std::string* field = reader.Field(label, i)) flags[i] = ReadFlag(*field);
    }
}

// Enabled flag and operator, the first two fields of every criterion section.
void ReadCriterion(const SavedTextReader& reader, std::string_view label, bool& on, int& op) {
    if (const std::string* field = reader.Field(label, 0)) on = ReadFlag(*field);
    if (const std::string* field = reader.Field(label, 1)) {
        op = ValidOp(TextToInt(*field), FilterState::kAfter, FilterState::kBetween,
                     FilterState::kNone);
    }
}

void ReadNumbers(const SavedTextReader& reader, std::string_view label, double& first,
                 double& second) {
    if (const std::string* field = reader.Field(label, 2)) first = ReadNumber(*field);
    if (const std::string* field = reader.Field(label, 3)) second = ReadNumber(*field);
}

// Route or notes: enabled flag, operator and text, each kept initial when missing.
template <class ReadText>
void ReadTextCriterion(SavedTextReader& reader, bool& on, int& op, std::string& text,
                       ReadText readText) {
    if (reader.AtEnd()) return;
    on = ReadFlag(reader.Token());
    if (reader.AtEnd()) return;
    op = ValidOp(TextToInt(reader.Token()), FilterState::kMatches, FilterState::kContains,
                 FilterState::kMatches);
    if (reader.AtEnd()) return;
    text = readText();
}

}  // namespace

std::string FilterState::Save() const {
    std::string out = "Sports:";
    const auto field = [&out](const std::string& value) {
        out += ',';
        out += value;
    };
    for (bool flag : sports)
        field(Flag(flag));
    out += ",Classes:";
    for (bool flag : classes)
        field(Flag(flag));
    out += ",Date:";
    field(Flag(dateOn));
    field(IntToText(dateOp));
    field(date1.Format(1));
    field(date2.Format(1));
    field(Flag(repeatAllYears));
    out += ",Distance:";
    field(Flag(distanceOn));
    field(IntToText(distanceOp));
    field(Number(distance1));
    field(Number(distance2));
    out += ",Time:";
    field(Flag(timeOn));
    field(IntToText(timeOp));
    field(time1.Format(5));
    field(time2.Format(5));
    out += ",Pace:";
    field(Flag(paceOn));
    field(IntToText(paceOp));
    field(Number(pace1));
    field(Number(pace2));
    // Only a filter by equipment has this section, so every other text stays as it was.
    if (!equipment.empty()) {
        out += ",Equipment:";
        for (RowId id : equipment)
            field(IntToText(id));
    }
    out += ",Route:";
    field(Flag(routeOn));
    field(IntToText(routeOp));
    field(SavedText(route));
    out += ",Notes:";
    field(Flag(notesOn));
    field(IntToText(notesOp));
    field(SavedText(notes));
    return out;
}

FilterState FilterState::Restore(const std::string& text) {
    FilterState state;
    SavedTextReader reader(text);

    ReadFlags(reader, "Sports:", state.sports);
    ReadFlags(reader, "Classes:", state.classes);

    ReadCriterion(reader, "Date:", state.dateOn, state.dateOp);
    if (const std::string* field = reader.Field("Date:", 2)) state.date1 = CDate(*field);
    if (const std::string* field = reader.Field("Date:", 3)) state.date2 = CDate(*field);
    if (const std::string* field = reader.Field("Date:", 4)) {
        state.repeatAllYears = ReadFlag(*field);
    }
    // A hand-edited text may hold the dates the wrong way round.
    if (state.date2 < state.date1) state.date1 = state.date2;

    ReadCriterion(reader, "Distance:", state.distanceOn, state.distanceOp);
    ReadNumbers(reader, "Distance:", state.distance1, state.distance2);

    ReadCriterion(reader, "Time:", state.timeOn, state.timeOp);
    if (const std::string* field = reader.Field("Time:", 2)) state.time1 = CElapsedTime(*field);
    if (const std::string* field = reader.Field("Time:", 3)) state.time2 = CElapsedTime(*field);

    ReadCriterion(reader, "Pace:", state.paceOn, state.paceOp);
    ReadNumbers(reader, "Pace:", state.pace1, state.pace2);
    for (std::size_t i = 0; const std::string* field = reader.Field("Equipment:", i); ++i)
        if (const long id = TextToLong(*field); id > 0) state.equipment.push_back(id);

    if (!reader.HasTextSection()) return state;
    ReadTextCriterion(reader, state.routeOn, state.routeOp, state.route,
                      [&reader] { return reader.RouteText(); });
    if (reader.AtEnd() || reader.Token() != kNotesLabel) return state;
    ReadTextCriterion(reader, state.notesOn, state.notesOp, state.notes,
                      [&reader] { return reader.NotesText(); });
    return state;
}

}  // namespace kivrun
