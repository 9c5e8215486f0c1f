#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "document/EquipmentValue.h"
#include "document/TamselDoc.h"
#include "store/LogDatabase.h"
#include "support/TestLog.h"
#include "values/Calendar.h"
#include "values/ProgramState.h"

namespace kivrun::test {

// A view that remembers what it was told.
class RecordingView : public View {
  public:
    std::vector<UpdateHint> hints;
    void OnUpdate(View*, const UpdateHint& hint) override { hints.push_back(hint); }
    std::vector<int> kinds() const {
        std::vector<int> k;
        for (const auto& h : hints)
            k.push_back(h.code());
        return k;
    }
};

// Consecutive rows of the filtered set share their shading exactly when they share a week.
inline void ExpectWeekBands(CTamselDoc& doc) {
    bool first = true;
    double prevDate = 0;
    int prev = 0;
    EntryReader rows = doc.ReadEntries();
    for (EntryRow f; rows.Next(f);) {
        if (!first) {
            const bool same = CDate::FromSerial(prevDate).SameWeek(CDate::FromSerial(f.date));
            ASSERT_EQ(same, f.background == prev)
                << "rows on " << CDate::FromSerial(prevDate).Format(1) << " and "
                << CDate::FromSerial(f.date).Format(1);
        }
        first = false;
        prevDate = f.date;
        prev = f.background;
    }
}

inline WorkingEntry Entry(int month, int day, int year, const char* sport = "R",
                          double seconds = 3600, const char* cls = "G", double distance = 5) {
    WorkingEntry e;
    e.date = CDate(month, day, year);
    e.sptAbbrev = sport;
    e.typeAbbrev = cls;
    e.time = CElapsedTime::FromSeconds(seconds);
    e.distance = distance;
    return e;
}

// Running (R, miles, min/mile), Road (B, km, km/h) and Weights (W, no distance), and the
// views told as the Sports page tells them.
inline void AddThreeSports(CTamselDoc& doc) {
    doc.Database().sql().Exec(
        "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) "
        "VALUES ('R','Running',0,1,0,2), ('B','Road',2,3,1,0), ('W','Weights',4,6,2,5)");
    doc.UpdateAllViews(nullptr, UpdateHint::Of(Notice::SportsChanged));
}

// A filter that shows the workouts of one sport only.
inline FilterState OnlySport(char sport) {
    FilterState f;
    f.showAll = false;
    f.sports.fill(false);
    f.sports[sport - 'A'] = true;
    return f;
}

// A filter that shows the workouts longer than distance only.
inline FilterState LongerThan(double distance) {
    FilterState f;
    f.showAll = false;
    f.distanceOn = true;
    f.distanceOp = FilterState::kGreater;
    f.distance1 = distance;
    return f;
}

// An item of equipment for sports (letter, ticked for a new workout of it).
inline EquipmentItem Gear(std::string name, std::vector<EquipmentSport> sports,
                          std::string kind = equipment_kind::kOther, double limitKm = 0,
                          double startKm = 0) {
    EquipmentItem item;
    item.name = std::move(name);
    item.sports = std::move(sports);
    item.kind = std::move(kind);
    item.limitKm = limitKm;
    item.startKm = startKm;
    return item;
}

// A document with no log open yet, a scripted user and a view, today pinned to 6 December 2026.
class DocumentFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramState::Instance().Reset();
        calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 6});
        doc = std::make_unique<CTamselDoc>(ui);
        doc->SetBackupFolder(dir.File("Backup Logs"));
        doc->AddView(&view);
    }
    void TearDown() override {
        doc.reset();
        calendar::SetTodayForTesting(std::nullopt);
        ProgramState::Instance().Reset();
    }
    // Every row a query of the open log gives (QueryRows), and the rows of a table.
    std::string Rows(const std::string& sql) { return QueryRows(doc->Database(), sql); }
    long long Count(const std::string& table) {
        return std::stoll(Rows("SELECT count(*) FROM \"" + table + "\""));
    }

    TempDir dir;
    ScriptedUi ui;
    RecordingView view;
    std::unique_ptr<CTamselDoc> doc;
};

// A new log open in a document, with three sports.
class DocFixture : public DocumentFixture {
  protected:
    void SetUp() override {
        DocumentFixture::SetUp();
        path = dir.File("log.tlg");
        ASSERT_TRUE(doc->CreateLog(path));
        AddThreeSports(*doc);
        view.hints.clear();
    }

    std::string path;
};

}  // namespace kivrun::test
