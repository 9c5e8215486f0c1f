#include "views/LogListCells.h"

#include "values/Date.h"
#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"

namespace kivrun {

std::optional<Rgb> ParseColorCode(const std::string& code) {
    if (code.find_first_not_of(' ') == std::string::npos) return std::nullopt;
    std::string text = code;
    auto channel = [&text] {
        const int v = TextToInt(NextToken(text, ','));
        return v < 0 ? 0 : v > 255 ? 255 : v;
    };
    Rgb c;
    c.r = channel();
    c.g = channel();
    c.b = channel();
    return c;
}

std::string DistanceText(double distance, int distanceUnit) {
    const bool whole =
        distanceUnit == distance_unit::kYards || distanceUnit == distance_unit::kMeters;
    return FormatDisplayNumber(distance, whole ? 0 : 1, true, true);
}

std::string OptionalValueText(double value) {
    // A body weight of 71.5 is not 72, nor a temperature of -3 a -2.
    return value == 0.0 ? std::string() : TypedDecimalText(value, 2);
}

void LogListCells::Refresh(const Catalog& catalog) {
    sports_.clear();
    classes_.clear();
    int firstUnit = -1;
    mixedUnits_ = false;
    for (const SportInfo& sport : catalog.sports) {
        // Sports without distance never make the units mixed.
        if (sport.distanceUnit != distance_unit::kNone) {
            if (firstUnit < 0)
                firstUnit = sport.distanceUnit;
            else if (sport.distanceUnit != firstUnit)
                mixedUnits_ = true;
        }
        sports_.set(sport.abbrev, Sport{sport.name, sport.distanceUnit, sport.paceUnit, sport.image,
                                        sport.distanceShortName});
    }
    for (const ClassInfo& cls : catalog.classes)
        classes_.set(cls.abbrev, Class{cls.name, ParseColorCode(cls.colorCode)});
}

std::string LogListCells::Text(const EntryRow& e, int columnId, int format) const {
    const Sport* sport = sports_.find(e.sport);
    const bool known = sport != nullptr;
    switch (columnId) {
        case kDate:
            return CDate::FromSerial(e.date).Format(format);
        case kSport:
            if (format == 1) return e.sport;
            if (format == 2) return {};  // the icon is drawn instead
            return known ? sport->name : std::string();
        case kClass: {
            if (format == 1) return e.cls;
            const Class* cls = classes_.find(e.cls);
            return cls ? cls->name : std::string();
        }
        case kDistance: {
            if (e.distance == 0.0) return {};
            std::string text = DistanceText(e.distance, known ? sport->distanceUnit : 0);
            if (mixedUnits_ && known) text += sport->shortName;
            return text;
        }
        case kTime:
            return CElapsedTime::FromSeconds(e.time).Format(format);
        case kPace:
            if (e.pace == 0.0) return {};
            if (known && IsTimePace(sport->paceUnit))
                return CElapsedTime::FromSeconds(e.pace).Format(3);
            return FormatDisplayNumber(e.pace, 1, true, true);
        case kOptionalOne:
            return OptionalValueText(e.optionalOne);
        case kOptionalTwo:
            return OptionalValueText(e.optionalTwo);
        case kRoute:
            return e.route;
        case kNotes:
            return e.notes;
        default:
            return {};
    }
}

std::optional<Rgb> LogListCells::ClassColor(const std::string& cls) const {
    const Class* it = classes_.find(cls);
    return it ? it->color : std::nullopt;
}

int LogListCells::SportImage(const std::string& sport) const {
    const Sport* it = sports_.find(sport);
    if (!it || it->image < 0 || it->image > 12) return 12;
    return it->image;
}

int LogListCells::SportDistanceUnit(const std::string& sport) const {
    const Sport* it = sports_.find(sport);
    return it ? it->distanceUnit : -1;
}

int LogListCells::SportPaceUnit(const std::string& sport) const {
    const Sport* it = sports_.find(sport);
    return it ? it->paceUnit : -1;
}

std::string LogListCells::SportName(const std::string& sport) const {
    const Sport* it = sports_.find(sport);
    return it ? it->name : std::string();
}

}  // namespace kivrun
