#include "output/TextExport.h"

#include <gtest/gtest.h>

#include <sstream>

#include "store/Database.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

using test::Entry;

class TextExportTest : public test::DocFixture {
  protected:
    void SetUp() override {
        DocFixture::SetUp();
        WorkingEntry run = Entry(1, 5, 2026, "R", 4500, "G", 10);
        run.pace = 450;
        run.optionalOne = 150;
        doc->AddEntry(run, nullptr);
        WorkingEntry ride = Entry(1, 6, 2026, "B", 5400.5, "R", 40.25);
        ride.pace = 26.8333;
        ride.optionalTwo = 72.25;
        ride.route = "Lake\tloop";
        ride.notes = "line one\r\nline two";
        doc->AddEntry(ride, nullptr);
        WorkingEntry lift = Entry(1, 7, 2026, "W", 2700, "G", 0);
        doc->AddEntry(lift, nullptr);
    }
    std::string Text() {
        std::ostringstream out;
        ExportText(*doc, out);
        return out.str();
    }
};

TEST_F(TextExportTest, HeaderAndOneLinePerWorkoutEndedByCrLf) {
    EXPECT_EQ(Text(),
              "Date\tSport\tClass\tDistance\tTime\tPace\tAHR\tWeight\tRoute\tNotes\t\r\n"
              "1/07/2026\tWeights\tG\t0\t0:45:00\t\t0\t0\t\t\r\n"
              "1/06/2026\tRoad\tR\t40.25\t1:30:00.5\t26.8\t0\t72.25\tLake loop\tline one line "
              "two\r\n"
              "1/05/2026\tRunning\tG\t10\t1:15:00\t7:30\t150\t0\t\t\r\n");
}

TEST_F(TextExportTest, FieldsFollowTheColumnsTheLogHas) {
    doc->Database().sql().Exec("DELETE FROM \"Log Column Settings\" WHERE ColumnID = 7");
    doc->Database().sql().Exec(
        "UPDATE \"Log Column Settings\" SET ColumnFieldName = 'Avg HR' WHERE ColumnID = 6");
    const std::string text = Text();
    EXPECT_EQ(text.substr(0, text.find('\n') + 1),
              "Date\tSport\tClass\tDistance\tTime\tPace\tAvg HR\tRoute\tNotes\t\r\n");
    EXPECT_NE(text.find("\r\n1/05/2026\tRunning\tG\t10\t1:15:00\t7:30\t150\t\t\r\n"),
              std::string::npos);
}

TEST_F(TextExportTest, AnEmptyFilteredSetWritesTheHeaderOnly) {
    doc->Database().sql().Exec("DELETE FROM \"Log Entry\"");
    doc->ReapplyFilter();
    EXPECT_EQ(Text(), "Date\tSport\tClass\tDistance\tTime\tPace\tAHR\tWeight\tRoute\tNotes\t\r\n");
}

TEST_F(TextExportTest, ClipboardTakesTheSelectedRowsInListOrder) {
    EXPECT_EQ(ClipboardText(*doc, {2, 0, 2, 7, -1}),
              "1/07/26\tW\tG\t0\t0:45\t0\t\t\n"
              "1/05/26\tR\tG\t10\t1:15\t450\t\t\n");
    EXPECT_EQ(ClipboardText(*doc, {1}),
              "1/06/26\tB\tR\t40.25\t1:30\t26.8333\tLake loop\tline one "
              "line two\n");
    EXPECT_EQ(ClipboardText(*doc, {}), "");
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(TextExportTest, ClipboardTextIsNeverCut) {
    // Far beyond what a fixed buffer of 100000 bytes held.
    {
        Transaction tx(doc->Database().sql());
        Statement add = doc->Database().sql().Prepare(
            "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, Pace, "
            "Notes) VALUES (?, 'R', 'G', 5, 3600, 0, ?)");
        for (int i = 0; i < 1500; ++i) {
            add.Reset();
            add.Bind(1, CDate(3, 1, 2026).ToSerial());
            add.Bind(2, "note " + std::to_string(i) + " " + std::string(100, 'x'));
            add.Run();
        }
        tx.Commit();
    }
    doc->ReapplyFilter();
    std::vector<long> all;
    for (long p = 0; p < 1503; ++p)
        all.push_back(p);
    const std::string text = ClipboardText(*doc, all);
    // Newest first: the later day, and on one day the later entry, comes first.
    std::string expected;
    for (int i = 1499; i >= 0; --i)
        expected += "3/01/26\tR\tG\t5\t1:00\t0\t\tnote " + std::to_string(i) + " " +
                    std::string(100, 'x') + "\n";
    expected +=
        "1/07/26\tW\tG\t0\t0:45\t0\t\t\n"
        "1/06/26\tB\tR\t40.25\t1:30\t26.8333\tLake loop\tline one line two\n"
        "1/05/26\tR\tG\t10\t1:15\t450\t\t\n";
    EXPECT_GT(text.size(), 100000u);
    EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace kivrun
