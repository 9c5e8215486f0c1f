#include "output/WorkbookContent.h"

#include <algorithm>
#include <memory>

#include "document/TamselDoc.h"
#include "store/EntryReader.h"
#include "values/ElapsedTime.h"
#include "values/TextEncoding.h"
#include "values/Units.h"
#include "views/LogListCells.h"

namespace kivrun {
namespace {

CellKind KindOf(int columnId) {
    switch (columnId) {
        case LogListCells::kDate:
            return CellKind::Date;
        case LogListCells::kDistance:
        case LogListCells::kOptionalOne:
        case LogListCells::kOptionalTwo:
            return CellKind::Number;
        default:
            return CellKind::Text;
    }
}

double WidthOf(int columnId) {
    switch (columnId) {
        case LogListCells::kDate:
            return 11;
        case LogListCells::kSport:
            return 14;
        case LogListCells::kRoute:
        case LogListCells::kNotes:
            return 30;
        default:
            return 9;
    }
}

WorkbookCell EntryCell(const LogListCells& cells, const EntryRow& e, int columnId) {
    switch (columnId) {
        case LogListCells::kDate:
            return WorkbookCell::Date(e.date);
        case LogListCells::kSport:
            return WorkbookCell::Text(cells.SportName(e.sport));
        case LogListCells::kClass:
            return WorkbookCell::Text(e.cls);
        case LogListCells::kDistance:
            return WorkbookCell::Number(e.distance);
        case LogListCells::kTime:
            return WorkbookCell::Text(CElapsedTime::FromSeconds(e.time).Format(5));
        case LogListCells::kPace:
            return WorkbookCell::Text(PaceText(cells.SportPaceUnit(e.sport), e.pace));
        case LogListCells::kOptionalOne:
            return WorkbookCell::Number(e.optionalOne);
        case LogListCells::kOptionalTwo:
            return WorkbookCell::Number(e.optionalTwo);
        case LogListCells::kRoute:
            return WorkbookCell::Text(e.route);
        case LogListCells::kNotes:
            return WorkbookCell::Text(e.notes);
        default:
            return {};
    }
}

// Event details are kept on one line: each line break becomes a period and two spaces.
std::string OneLine(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += ".  ";
            ++i;
        } else if (text[i] == '\r' || text[i] == '\n') {
            out += ".  ";
        } else {
            out += text[i];
        }
    }
    return out;
}

// The typed cells of a workout's column; the distance column brings its unit after it.
class TypedCells {
  public:
    TypedCells(const Catalog& catalog, const LogListCells& cells) : cells_(cells) {
        for (const SportInfo& s : catalog.sports)
            units_.emplace_back(s.abbrev, WorkbookCell::Text(s.distanceName));
    }

    void Add(WorkbookRow& row, const EntryRow& e, int columnId) const {
        switch (columnId) {
            case LogListCells::kClass:
                row.push_back(WorkbookCell::Text(cells_.Text(e, columnId, 0)));
                break;
            case LogListCells::kDistance:
                row.push_back(e.distance == 0 ? WorkbookCell{} : WorkbookCell::Number(e.distance));
                row.push_back(e.distance == 0 ? WorkbookCell{} : UnitOf(e.sport));
                break;
            case LogListCells::kTime:
                row.push_back(WorkbookCell::Duration(e.time));
                break;
            case LogListCells::kPace: {
                const int unit = cells_.SportPaceUnit(e.sport);
                if (e.pace == 0 || unit < 0 || unit == pace_unit::kNone)
                    row.emplace_back();
                else if (IsTimePace(unit))
                    row.push_back(WorkbookCell::PaceDuration(e.pace));
                else
                    row.push_back(WorkbookCell::Number(e.pace));
                break;
            }
            case LogListCells::kOptionalOne:
            case LogListCells::kOptionalTwo: {
                const double v =
                    columnId == LogListCells::kOptionalOne ? e.optionalOne : e.optionalTwo;
                row.push_back(v == 0 ? WorkbookCell{} : WorkbookCell::Number(v));
                break;
            }
            default:
                row.push_back(EntryCell(cells_, e, columnId));
        }
    }

  private:
    WorkbookCell UnitOf(const std::string& sport) const {
        for (const auto& [abbrev, unit] : units_)
            if (abbrev == sport) return unit;
        return {};
    }

    const LogListCells& cells_;
    std::vector<std::pair<std::string, WorkbookCell>> units_;
};

WorkbookSheet TrainingLogSheet(CTamselDoc& doc, const LogListCells& cells,
                               WorkbookFlavour flavour) {
    WorkbookSheet sheet;
    sheet.name = "Training_Log";
    const bool typed = flavour == WorkbookFlavour::Typed;
    // One field for each column the log has, its value chosen by the column's id.
    std::vector<int> ids;
    for (const ListColumn& c : doc.Columns(true)) {
        if (c.id < LogListCells::kDate || c.id > LogListCells::kNotes) continue;
        ids.push_back(c.id);
        CellKind kind = KindOf(c.id);
        if (typed && c.id == LogListCells::kTime) kind = CellKind::Duration;
        if (typed && c.id == LogListCells::kPace) kind = CellKind::Number;
        sheet.columns.push_back({c.fieldName, kind, WidthOf(c.id)});
        if (typed && c.id == LogListCells::kDistance)
            sheet.columns.push_back({"Unit", CellKind::Text, 8});
    }
    // The workouts stream from the log as the writer asks for them, so a large log is
    // never held in memory as cells.
    sheet.streamedRows = static_cast<std::size_t>(doc.EntryCount());
    auto reader = std::make_shared<EntryReader>(doc.ReadEntries());
    if (typed) {
        auto typedCells = std::make_shared<TypedCells>(doc.GetCatalog(), cells);
        sheet.stream = [reader, ids, typedCells, entry = EntryRow()](WorkbookRow& row) mutable {
            if (!reader->Next(entry)) return false;
            row.clear();
            for (int id : ids)
                typedCells->Add(row, entry, id);
            return true;
        };
        return sheet;
    }
    sheet.stream = [reader, ids, &cells, entry = EntryRow()](WorkbookRow& row) mutable {
        if (!reader->Next(entry)) return false;
        row.clear();
        for (int id : ids)
            row.push_back(EntryCell(cells, entry, id));
        return true;
    };
    return sheet;
}

WorkbookSheet EventsSheet(CTamselDoc& doc, const LogListCells& cells) {
    WorkbookSheet sheet;
    sheet.name = "Events";
    sheet.columns = {{"Date", CellKind::Date, 11},
                     {"Sport", CellKind::Text, 14},
                     {"Affiliation", CellKind::Text, 20},
                     {"Event", CellKind::Text, 24},
                     {"Details", CellKind::Text, 40}};
    for (const EventRow& e : doc.Events()) {
        sheet.rows.push_back({WorkbookCell::Date(e.date),
                              WorkbookCell::Text(cells.SportName(e.sport)),
                              WorkbookCell::Text(e.affiliation), WorkbookCell::Text(e.name),
                              WorkbookCell::Text(OneLine(e.details))});
    }
    return sheet;
}

}  // namespace

WorkbookCell WorkbookCell::Text(std::string_view utf8) {
    if (utf8.empty()) return {};
    // Plain short text is already valid and short enough.
    if (utf8.size() <= kMaxCellText &&
        std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; }))
        return {CellKind::Text, 0, std::string(utf8)};
    std::u16string wide = Utf8ToUtf16(utf8);
    TruncateUtf16(wide, kMaxCellText);
    return {CellKind::Text, 0, Utf16ToUtf8(wide)};
}

void WorkbookSheet::ForEachRow(const std::function<void(const WorkbookRow&)>& each) const {
    if (!stream) {
        for (const WorkbookRow& row : rows)
            each(row);
        return;
    }
    WorkbookRow row;
    while (stream(row))
        each(row);
}

void WorkbookSheet::Hold() {
    if (!stream) return;
    rows.reserve(streamedRows);
    WorkbookRow row;
    while (stream(row))
        rows.push_back(row);
    stream = nullptr;
}

WorkbookContent BuildWorkbookContent(CTamselDoc& doc, const LogListCells& cells,
                                     WorkbookFlavour flavour) {
    WorkbookContent content;
    content.sheets.push_back(TrainingLogSheet(doc, cells, flavour));
    content.sheets.push_back(EventsSheet(doc, cells));
    return content;
}

}  // namespace kivrun
