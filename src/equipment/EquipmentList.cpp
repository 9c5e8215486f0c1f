#include "equipment/EquipmentList.h"

#include <cmath>

#include "values/Date.h"
#include "values/NumberFormat.h"
#include "values/Units.h"

namespace kivrun {
namespace {

std::string TimeText(double seconds) {
    return CElapsedTime::FromSeconds(seconds).Format(1);
}

std::string DayText(double serial) {
    return serial > 0 ? CDate::FromSerial(serial).Format(1) : std::string();
}

}  // namespace

const std::array<EquipmentListColumn, kEquipmentColumns>& EquipmentListColumns() {
    static const std::array<EquipmentListColumn, kEquipmentColumns> columns = {{
        {"Name", 150, 700, 0},
        {"Kind", 60, 250, 0},
        {"Sports", 140, 550, 0},
        {"Distance", 80, 350, 1},
        {"Time", 80, 330, 1},
        {"Workouts", 65, 260, 1},
        {"First Use", 80, 330, 0},
        {"Last Use", 80, 330, 0},
        {"Limit", 110, 450, 1},
        {"Left", 110, 450, 1},
        {"Status", 80, 330, 0},
    }};
    return columns;
}

int EquipmentUnitOf(const EquipmentItem& item, const Catalog& catalog, int grandTotalUnit) {
    int unit = -1;
    for (const EquipmentSport& s : item.sports) {
        const SportInfo* sport = catalog.Sport(s.sport);
        if (!sport || sport->distanceUnit > distance_unit::kMeters) continue;
        if (unit >= 0 && unit != sport->distanceUnit) return grandTotalUnit;
        unit = sport->distanceUnit;
    }
    return unit >= 0 ? unit : grandTotalUnit;
}

std::array<std::string, kEquipmentColumns> EquipmentCells(const EquipmentTotal& t,
                                                          const Catalog& catalog, int unit,
                                                          EquipmentUnits units) {
    if (units == EquipmentUnits::Km || unit < 0 || unit > distance_unit::kMeters)
        unit = distance_unit::kKm;
    std::string unitName = "km";
    if (units == EquipmentUnits::ItemUnit) {
        for (const UnitInfo& u : catalog.distanceUnits)
            if (u.id == unit && !u.shortName.empty()) unitName = u.shortName;
    }
    const auto distance = [&](double km) {
        const std::string number =
            FormatNumber(ConvertDistance(km, distance_unit::kKm, unit), 1, true, false);
        return units == EquipmentUnits::Km ? number : number + " " + unitName;
    };
    std::string sports;
    for (const EquipmentSport& s : t.item.sports) {
        const SportInfo* sport = catalog.Sport(s.sport);
        sports += (sports.empty() ? "" : ", ") + (sport ? sport->name : s.sport);
        if (s.isDefault) sports += " (default)";
    }
    std::string limit, left;
    const auto add = [](std::string& text, const std::string& part) {
        text += (text.empty() ? "" : ", ") + part;
    };
    if (t.item.limitKm > 0) {
        add(limit, distance(t.item.limitKm));
        add(left, distance(t.KmLeft()));
    }
    if (t.item.limitSeconds > 0) {
        add(limit, TimeText(t.item.limitSeconds));
        const double secondsLeft = t.SecondsLeft();
        add(left, (secondsLeft < 0 ? "-" : "") + TimeText(std::abs(secondsLeft)));
    }
    std::string status = t.OverLimit() ? "over limit" : "";
    if (t.item.retired) status = status.empty() ? "retired" : "retired, " + status;
    return {t.item.name,
            t.item.kind,
            sports,
            distance(t.km),
            TimeText(t.seconds),
            IntToText(t.workouts),
            DayText(t.firstUse),
            DayText(t.lastUse),
            limit,
            left,
            status};
}

std::vector<EquipmentListRow> ReadEquipmentList(CTamselDoc& doc, EquipmentUnits units) {
    const int grand = TextToInt(doc.Preference("GrandTotalUnits"));
    const Catalog& catalog = doc.GetCatalog();
    std::vector<EquipmentListRow> rows;
    for (const EquipmentTotal& t : doc.EquipmentTotals()) {
        EquipmentListRow row;
        row.equipmentId = t.item.equipmentId;
        row.retired = t.item.retired;
        row.overLimit = t.OverLimit();
        row.cells = EquipmentCells(t, catalog, EquipmentUnitOf(t.item, catalog, grand), units);
        rows.push_back(std::move(row));
    }
    return rows;
}

EquipmentPrintSource::EquipmentPrintSource(SharedEquipmentRows rows)
    : rows_(rows ? std::move(rows) : std::make_shared<const std::vector<EquipmentListRow>>()) {}

std::vector<PrintListColumn> EquipmentPrintSource::Columns(int) const {
    std::vector<PrintListColumn> columns;
    for (const EquipmentListColumn& c : EquipmentListColumns())
        columns.push_back({c.title, c.printWidth, c.alignment});
    return columns;
}

long EquipmentPrintSource::RowCount() const {
    return static_cast<long>(rows_->size());
}

std::string EquipmentPrintSource::CellText(long row, std::size_t column) const {
    return (*rows_)[static_cast<std::size_t>(row)].cells.at(column);
}

Rgb EquipmentPrintSource::RowBackground(long row) const {
    return (*rows_)[static_cast<std::size_t>(row)].overLimit ? kOverLimitColor : Rgb{255, 255, 255};
}

}  // namespace kivrun
