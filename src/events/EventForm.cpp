#include "events/EventForm.h"

#include "document/TamselDoc.h"

namespace kivrun {

EventForm::EventForm(CTamselDoc& doc, View* self, Kind kind)
    : affiliation(doc, self), doc_(doc), self_(self), kind_(kind) {}

void EventForm::FillSports() {
    const std::string chosen = sport_ >= 0 ? sports_[std::size_t(sport_)].abbrev : std::string();
    sports_.clear();
    for (const SportInfo& s : doc_.GetCatalog().sports)
        sports_.push_back({s.name, s.abbrev});
    sport_ = -1;
    ChooseSportAbbrev(chosen);
}

void EventForm::ChooseSport(int index) {
    sport_ = index >= 0 && std::size_t(index) < sports_.size() ? index : -1;
    affiliation.SetSport(sport_ >= 0 ? sports_[std::size_t(sport_)].abbrev : std::string());
}

void EventForm::ChooseSportAbbrev(const std::string& abbrev) {
    int index = -1;
    for (std::size_t i = 0; i < sports_.size(); ++i)
        if (!abbrev.empty() && sports_[i].abbrev == abbrev) index = static_cast<int>(i);
    ChooseSport(index);
}

void EventForm::Load(const EventRow& event) {
    date = CDate::FromSerial(event.date);
    ChooseSportAbbrev(event.sport);
    name = event.name;
    details = DetailsForEditing(event.details);
    affiliation.SetText(event.affiliation);
}

void EventForm::Reset() {
    affiliation.Clear();
    name.clear();
    details.clear();
    ChooseSport(-1);
}

std::optional<EventValue> EventForm::Read() {
    if (sport_ < 0) {
        doc_.ui().ShowMessage(kind_ == Kind::Dialog ? "Please specify a sport !!"
                                                    : "Please select a sport!!!");
        return std::nullopt;
    }
    return EventValue{date, sports_[std::size_t(sport_)].abbrev, name, DetailsForStoring(details),
                      affiliation.Text()};
}

bool EventForm::Enter() {
    const std::optional<EventValue> event = Read();
    if (!event || doc_.AddEvent(*event, self_) == 0) return false;
    Reset();
    return true;
}

void EventForm::OnUpdate(const UpdateHint& hint) {
    if (hint.kind == Notice::SportsChanged) {
        FillSports();
    } else if (hint.kind == Notice::AffiliationsChanged || hint.kind == Notice::DataReloaded) {
        affiliation.Refill();
    }
}

}  // namespace kivrun
