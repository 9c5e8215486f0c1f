// Reading the log: values that no view can move under another, whole-log walks that give the
// pages they always gave, and opening that never changes a file it does not have to.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "document/SampleLog.h"
#include "output/HtmlExport.h"
#include "output/TextExport.h"
#include "store/EventsSet.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

namespace fs = std::filesystem;
using test::DocFixture;
using test::Entry;

class ReadModelTest : public DocFixture {
  protected:
    // A sample log of three seasons with routines, as the exports' fixtures were made from.
    void OpenSample() {
        const std::string sample = dir.File("sample.tlg");
        ASSERT_TRUE(WriteSampleLog(sample, 150, 11, ui));
        ASSERT_TRUE(doc->OnOpenDocument(sample));
    }
    template <class Export>
    static std::string Exported(Export write, CTamselDoc& from) {
        std::ostringstream out;
        write(from, out);
        return out.str();
    }
};

TEST_F(ReadModelTest, StreamedExportsAreTheSamePagesByteForByte) {
    OpenSample();
    const std::string data = KIVRUN_TEST_DATA "/exports/";
    EXPECT_EQ(Exported(ExportHTML, *doc), test::ReadBytes(data + "sample-newest-first.htm"));
    EXPECT_EQ(Exported(ExportText, *doc), test::ReadBytes(data + "sample-newest-first.txt"));
    doc->ToggleDateSort();
    EXPECT_EQ(Exported(ExportHTML, *doc), test::ReadBytes(data + "sample-oldest-first.htm"));
}

// Read-only, a log is filtered and exported too, but refuses changes.
TEST_F(ReadModelTest, OpeningAndReadingALogChangesNothingInItsFile) {
    OpenSample();
    Exported(ExportHTML, *doc);  // the page's preferences take their defaults once
    const std::string sample = doc->PathName();
    doc.reset();
    const std::string before = test::ReadBytes(sample);
    const auto stamp = fs::last_write_time(sample);
    for (auto mode : {CTamselDoc::OpenMode::ReadWrite, CTamselDoc::OpenMode::ReadOnly}) {
        CTamselDoc reader(ui);
        ASSERT_TRUE(reader.OnOpenDocument(sample, mode));
        EXPECT_EQ(reader.IsReadOnly(), mode == CTamselDoc::OpenMode::ReadOnly);
        EXPECT_GT(reader.EntryCount(), 0);
        Exported(ExportHTML, reader);
        reader.EntriesBetween(CDate(1, 1, 2025), CDate(12, 31, 2025));
        if (!reader.IsReadOnly()) continue;
        FilterState runs;
        runs.showAll = false;
        runs.sports.fill(false);
        runs.sports['R' - 'A'] = true;
        reader.ApplyFilter(runs);
        ASSERT_GT(reader.EntryCount(), 0);
        for (long p = 0; p < reader.EntryCount(); ++p)
            ASSERT_EQ(reader.EntryAt(p)->sport, "R");
        // The weekly totals read the filtered rows too.
        EXPECT_NE(Exported(ExportHTML, reader).find("Weekly Total"), std::string::npos);
        ui.messages.clear();
        EXPECT_EQ(reader.AddEntry(Entry(1, 6, 2026), nullptr), 0);
        EXPECT_FALSE(reader.DeleteEntry(reader.EntryAt(0)->entryId, nullptr, false));
        EXPECT_EQ(ui.messages.size(), 2u);
    }
    EXPECT_TRUE(test::ReadBytes(sample) == before);
    EXPECT_TRUE(fs::last_write_time(sample) == stamp);
}

TEST_F(ReadModelTest, WhatIsDeletedIsWhatWasAskedAboutWhateverIsReadMeanwhile) {
    for (int day = 1; day <= 3; ++day)
        doc->Database().sql().Exec(
            "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName) VALUES ('R', " +
            std::to_string(CDate(5, day, 2026).ToSerial()) + ", 'Race " + std::to_string(day) +
            "')");
    const std::vector<EventRow> events = doc->EventsBetween(CDate(5, 1, 2026), CDate(5, 31, 2026));
    ASSERT_EQ(events.size(), 3u);
    // While the question is open a calendar repaints, and someone walks the events.
    ui.onAsk = [&] {
        doc->EventsBetween(CDate(5, 1, 2026), CDate(5, 31, 2026));
        doc->EventsSet().MoveLast();
        doc->EntriesBetween(CDate(5, 1, 2026), CDate(5, 31, 2026));
    };
    ui.answers = {true};
    ASSERT_TRUE(doc->DeleteEvent(events[1].eventId, true));
    const std::vector<EventRow> left = doc->EventsBetween(CDate(5, 1, 2026), CDate(5, 31, 2026));
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].name, "Race 1");
    EXPECT_EQ(left[1].name, "Race 3");
    EXPECT_EQ(view.hints.back().kind, Notice::EventDeleted);
    EXPECT_EQ(view.hints.back().id, events[1].eventId);
}

}  // namespace
}  // namespace kivrun
