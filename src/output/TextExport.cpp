#include "output/TextExport.h"

#include <algorithm>
#include <ostream>

#include "document/TamselDoc.h"
#include "store/EntryReader.h"
#include "values/Date.h"
#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"
#include "views/LogListCells.h"

namespace kivrun {

std::string OneField(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        // What readers take for a line end: the controls, and next line, line and paragraph
        // separator (U+0085, U+2028, U+2029) in UTF-8.
        if (text.compare(i, 2, "\xC2\x85") == 0 || text.compare(i, 3, "\xE2\x80\xA8") == 0 ||
            text.compare(i, 3, "\xE2\x80\xA9") == 0) {
            i += text[i] == '\xC2' ? 1 : 2;
            out += ' ';
            continue;
        }
        const bool breaks = c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' ||
                            (c >= '\x1C' && c <= '\x1E');
        out += breaks ? ' ' : c;
    }
    return out;
}

namespace {

std::string FieldText(const LogListCells& cells, const EntryRow& e, int columnId) {
    switch (columnId) {
        case LogListCells::kDate:
            return CDate::FromSerial(e.date).Format(1);
        case LogListCells::kSport:
            return OneField(cells.SportName(e.sport));
        case LogListCells::kClass:
            return OneField(e.cls);
        case LogListCells::kDistance:
            return DoubleToText(e.distance);
        case LogListCells::kTime:
            return CElapsedTime::FromSeconds(e.time).Format(5);
        case LogListCells::kPace:
            return PaceText(cells.SportPaceUnit(e.sport), e.pace);
        case LogListCells::kOptionalOne:
            return DoubleToText(e.optionalOne);
        case LogListCells::kOptionalTwo:
            return DoubleToText(e.optionalTwo);
        case LogListCells::kRoute:
            return OneField(e.route);
        case LogListCells::kNotes:
            return OneField(e.notes);
        default:
            return {};
    }
}

}  // namespace

void ExportText(CTamselDoc& doc, std::ostream& out) {
    // One field for each column the log has, so header and lines always line up.
    std::vector<int> ids;
    for (const ListColumn& c : doc.Columns(true)) {
        if (c.id < LogListCells::kDate || c.id > LogListCells::kNotes) continue;
        ids.push_back(c.id);
        out << OneField(c.fieldName) << '\t';
    }
    out << "\r\n";
    LogListCells cells;
    cells.Refresh(doc.GetCatalog());
    EntryReader rows = doc.ReadEntries();
    EntryRow e;
    while (rows.Next(e)) {
        for (size_t i = 0; i < ids.size(); ++i) {
            if (i) out << '\t';
            out << FieldText(cells, e, ids[i]);
        }
        out << "\r\n";
    }
}

std::string ClipboardText(CTamselDoc& doc, std::vector<long> positions) {
    std::string text;
    const long count = doc.EntryCount();
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    positions.erase(std::remove_if(positions.begin(), positions.end(),
                                   [count](long p) { return p < 0 || p >= count; }),
                    positions.end());
    if (positions.empty()) return text;
    WaitCursor wait(doc.ui());
    for (long p : positions) {
        const std::optional<EntryRow> row = doc.EntryAt(p);
        if (!row) continue;
        const EntryRow& e = *row;
        text += CDate::FromSerial(e.date).Format(0);
        text += '\t' + OneField(e.sport);
        text += '\t' + OneField(e.cls);
        text += '\t' + DoubleToText(e.distance);
        text += '\t' + CElapsedTime::FromSeconds(e.time).Format(0);
        text += '\t' + DoubleToText(e.pace);
        text += '\t' + OneField(e.route);
        text += '\t' + OneField(e.notes);
        text += '\n';
    }
    return text;
}

}  // namespace kivrun
