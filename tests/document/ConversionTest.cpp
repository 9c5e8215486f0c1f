#include "document/Conversion.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "document/OldLogFixture.h"
#include "support/FailingVfs.h"

namespace kivrun {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

using ConversionTest = test::OldLogFixture;

long Files(const fs::path& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

const char* const kFullLog =
    "[Sports\nR\tRunning\t1\t0\nB\tRoad\t3\t2\nW\tWeights\t*\t*\nS\tSwimming\t5\t3\n]\n"
    "[Routes\nRT\tPark loop\nBG\tHill \"Climb\"\nXG\tno such sport\n]\n"
    "[Prefs\nWeekStart\t0\nDSport\tRunning\nBackupDays\t14\nTimeColumnFmt\t2\n"
    "OptFieldOneName\tAvg HR\nOptFieldTwoName\tKg\n]\n"
    "[Calendar\n3/15/98\tR\tSpring race\t10k\n]\n"
    "[WeightsTemplates\nUpper\t2\n]\n"
    "[ColumnData\nDate\t70\nWt\t30\nNo such\t5\n]\n"
    "1/2/98\tRT\t5\t0:40:00\t0\tPark loop\tfelt good\t150\t0\n"
    "1/3/98\tBG\t30\t1:00:00\t30\tHill\t\t0\t0\n"
    "1/4/98\tWG\t0\t0:45:00\t0\t\t\t0\t0\n{2\nBench\t3\t100\t10\nSquat\t3\t150\t8\n}\n"
    "1/5/98\tSI\t1000\t0:20:00\t120\tPool\t\t0\t0\n"
    "1/6/98\tQG\t5\t0:40:00\n";

// ASCII text as UTF-16 with its byte-order mark.
std::string Utf16(const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xfe\xff" : "\xff\xfe";
    for (char c : ascii) {
        out += bigEndian ? '\0' : c;
        out += bigEndian ? c : '\0';
    }
    return out;
}

TEST_F(ConversionTest, EverySectionAndTheWorkouts) {
    ASSERT_TRUE(Convert(kFullLog));
    EXPECT_EQ(ui.questions, std::vector<std::string>{"File was created in previous version of "
                                                     "Kivrun.\n\nDo you want to convert it???"});
    EXPECT_EQ(ReadBytes(dir.File("logOLD.tlg")), kFullLog);
    EXPECT_EQ(Rows("SELECT SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image FROM Sports "
                   "ORDER BY \"Order\""),
              "R|Running|0|1|0|2;B|Road|2|3|1|0;W|Weights|4|6|2|5;S|Swimming|3|5|3|3");
    // Routes keep their class as written; only workouts map the old classes.
    EXPECT_EQ(Rows("SELECT SptAbbrev, TrainingTypeAbbrev, Route FROM Routes ORDER BY RouteID"),
              "R|T|Park loop;B|G|Hill \"Climb\"");
    EXPECT_EQ(Rows("SELECT Value FROM Preferences WHERE Preference IN ('WeekStartDay', "
                   "'DefaultSport', 'DaysBetweenBackup') ORDER BY Preference"),
              "14;Running;0");
    EXPECT_EQ(ProgramState::Instance().WeekStartDay(), 0);
    EXPECT_EQ(Rows("SELECT ColumnID, ColumnFieldName, ColumnWidth, ColumnFormat FROM "
                   "\"Log Column Settings\" WHERE ColumnID IN (0, 4, 6, 7) ORDER BY ColumnID"),
              "0|Date|70|0;4|Time|65|2;6|Avg HR|40|0;7|Kg|30|0");
    EXPECT_EQ(Rows("SELECT Date, SptAbbrev, EventName, EventDetails FROM \"Calendar Events\""),
              "35869.0|R|Spring race|10k");
    // The routine block is no workout, nor is the workout of a sport the file lacks. Minutes
    // per mile over miles is worked out from time and distance.
    EXPECT_EQ(Rows("SELECT Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, Pace, Route, "
                   "Notes, OptionalOne FROM \"Log Entry\" ORDER BY Date"),
              "35797.0|R|G|5.0|2400.0|480.0|Park loop|felt good|150.0;"
              "35798.0|B|G|30.0|3600.0|30.0|Hill||0.0;"
              "35799.0|W|G|0.0|2700.0|0.0|||0.0;"
              "35800.0|S|I|1000.0|1200.0|120.0|Pool||0.0");
    EXPECT_EQ(Q("SELECT count(*) FROM \"Log Entry Details Routine\""), "0");
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Invalid column !!!"});
    // The document went on to shade and filter the new log, and said so.
    EXPECT_EQ(doc->EntryCount(), 4);
    EXPECT_EQ(view.kinds(), std::vector<int>{5});
    EXPECT_EQ(doc->Database().IntegrityProblems(), "");
}

TEST_F(ConversionTest, SmallFilesAndWhatEachLineBecomes) {
    const char* const kEntries =
        "SELECT Date, SptAbbrev, TrainingTypeAbbrev FROM \"Log Entry\" ORDER BY Date";
    const char* const kSports = "SELECT SptAbbrev FROM Sports ORDER BY \"Order\"";
    const char* const kVisibleColumns =
        "SELECT ColumnID, ColumnOrder FROM \"Log Column Settings\" WHERE ColumnVisible <> 0 "
        "ORDER BY ColumnOrder";
    const std::string run = "[Sports\nR\tRunning\t0\t0\n]\n";
    std::string badColumns = "[ColumnData\n";
    for (int i = 0; i < 25; ++i)
        badColumns += "Nope" + std::to_string(i) + "\t10\n";
    std::vector<std::string> tenBad(10, "Invalid column !!!");
    tenBad.push_back("There were 15 more lines naming columns that this log does not have.");
    using Said = std::vector<std::string>;
    struct Case {
        const char* what;
        std::string text;
        const char* sql;
        const char* rows;
        Said messages = {};
    } cases[] = {
        {"only workout lines: no sports, so nothing", "1/2/98\tRG\t5\t0:40:00\n1/3/98\tRG\n",
         kEntries, ""},
        {"a workout of an unknown sport is skipped", run + "1/2/03\tBG\t5\n1/3/03\tRR\t5\n",
         kEntries, "37624.0|R|R"},
        {"old classes: T and anything unknown become General",
         run + "1/2/03\tRT\n1/3/03\tRI\n1/4/03\tRz\n", kEntries,
         "37623.0|R|G;37624.0|R|I;37625.0|R|G"},
        {"a lower-case code finds its sport", run + "1/2/03\trG\n", kEntries, "37623.0|R|G"},
        {"a known sport is not added twice, nor a sport without a name",
         "[Sports\nR\tRunning\t0\t0\nr\tAgain\t1\t1\nB\t\t0\t0\n]\n", kSports, "R"},
        {"an empty file is a new log", "", kSports, ""},
        {"UTF-16, little-endian", Utf16(run + "1/2/03\tRG\n", false), kEntries, "37623.0|R|G"},
        {"UTF-16, big-endian", Utf16(run + "1/2/03\tRG\n", true), kEntries, "37623.0|R|G"},
        {"the columns named are shown, in order", "[Prefs\nColumnOrder\t3\t9\t0\t4\n]\n",
         kVisibleColumns, "9|0;0|1;4|2"},
        // Unknown and repeated ids take no place; a line naming no column changes nothing. The
        // message comes once per line.
        {"unknown ids leave the order dense",
         "[Prefs\nColumnOrder\t5\t2\t42\t2\tx\t1\nColumnOrder\t1\t77\n]\n", kVisibleColumns,
         "2|0;1|1", Said(2, "Column Setting Not Found!!!")},
        {"routes wait for their sport and are not repeated",
         "[Routes\nRG\tPark\nZG\tNowhere\nRG\tpark\nRQ\tno such class\n]\n" + run +
             "[Routes\nRG\tPark\nRG\tRiver\n]\n",
         "SELECT SptAbbrev, TrainingTypeAbbrev, Route FROM Routes ORDER BY RouteID",
         "R|G|Park;R|G|River"},
        {"many bad lines do not bury the user", badColumns + "]\n", kSports, "", tenBad},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc = std::make_unique<CTamselDoc>(ui);
        ui.messages.clear();
        ASSERT_TRUE(Convert(c.text, "log" + std::to_string(++n) + ".tlg"));
        EXPECT_EQ(Rows(c.sql), c.rows);
        EXPECT_EQ(ui.messages, c.messages);
        EXPECT_EQ(Q("SELECT count(*) FROM \"Training Types\""), "7");
        doc.reset();
    }
}

TEST_F(ConversionTest, QuotesInTheFileAreOnlyText) {
    ASSERT_TRUE(
        Convert("[Sports\nR\tO'Brien's run\t1\t0\n'\tQuote ' sport\t0\t0\n]\n"
                "[ColumnData\nO'Hare\t10\nDist' OR ''='\t11\nDist\t66\n]\n"
                "[Prefs\nDSport\tO'Brien's run\nOptFieldOneName\tJim's HR\n]\n"
                "1/2/98\tRG\t5\t0:40:00\t0\tTom's\tDon't\n1/3/98\t'G\t5\n"));
    EXPECT_EQ(Rows("SELECT SptAbbrev, SptName FROM Sports ORDER BY \"Order\""),
              "R|O'Brien's run;'|Quote ' sport");
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Invalid column !!!", "Invalid column !!!"}));
    EXPECT_EQ(Rows("SELECT ColumnLabel, ColumnWidth FROM \"Log Column Settings\" "
                   "WHERE ColumnWidth IN (10, 11, 66)"),
              "Dist|66");
    EXPECT_EQ(Rows("SELECT Value FROM Preferences WHERE Preference = 'DefaultSport' UNION ALL "
                   "SELECT ColumnFieldName FROM \"Log Column Settings\" WHERE ColumnID = 6"),
              "O'Brien's run;Jim's HR");
    EXPECT_EQ(Rows("SELECT SptAbbrev, Route, Notes FROM \"Log Entry\" ORDER BY Date"),
              "R|Tom's|Don't;'||");
}

// Whatever write fails (a full disk), the name holds the whole text or, once the new log
// has taken it, the whole new log; nothing half made is left beside it.
TEST_F(ConversionTest, AFailureAtAnyWriteLeavesTheTextOrTheWholeLog) {
    test::FailingVfs::Install();
    // Every early write, then ever fewer of the later ones.
    for (int allowed = 0; allowed < 1000; allowed += 1 + allowed / 8) {
        SCOPED_TRACE(allowed);
        WriteBytes(dir.File("log.tlg"), kFullLog);
        ui.answers = {true};
        test::FailingVfs::FailWritesAfter(allowed);
        const bool opened = doc->OnOpenDocument(dir.File("log.tlg"));
        test::FailingVfs::Disarm();
        doc.reset();
        doc = std::make_unique<CTamselDoc>(ui);
        if (ReadBytes(dir.File("log.tlg")) == kFullLog) {
            EXPECT_FALSE(opened);
            EXPECT_EQ(Files(dir.path()), 1);
            continue;
        }
        EXPECT_EQ(ReadBytes(dir.File("logOLD.tlg")), kFullLog);
        // A write that failed after the conversion, while the log opened, may leave the log's
        // own journal: the engine's, rolled back when the log opens next.
        EXPECT_EQ(Files(dir.path()) - fs::exists(dir.File("log.tlg-journal")), 2);
        ASSERT_TRUE(doc->OnOpenDocument(dir.File("log.tlg")));
        EXPECT_FALSE(fs::exists(dir.File("log.tlg-journal")));
        EXPECT_EQ(doc->EntryCount(), 4);
        return;
    }
    ADD_FAILURE() << "never converted";
}

// A conversion stopped after keeping the text under its second name: the text is still under
// the first, and converting again finishes the job. What it left half made goes.
TEST_F(ConversionTest, ConvertingAgainAfterAStopFinishes) {
    WriteBytes(dir.File("log.tlg"), kFullLog);
    fs::create_hard_link(dir.File("log.tlg"), dir.File("logOLD.tlg"));
    WriteBytes(dir.File(".log.tlg.kivrun-tmp-999999999-1"), "half a log");
    WriteBytes(dir.File(".log.tlg.kivrun-tmp-999999999-1-journal"), "its journal");
    ASSERT_TRUE(Convert(kFullLog));
    EXPECT_EQ(Q("SELECT count(*) FROM \"Log Entry\""), "4");
    EXPECT_EQ(ReadBytes(dir.File("logOLD.tlg")), kFullLog);
    EXPECT_EQ(Files(dir.path()), 2);
}

// Refused, declined or stopped: nothing opens, the file and anything beside it stay as they
// were, and nothing is left half made.
TEST_F(ConversionTest, WhatIsNotConvertedIsLeftAsItWas) {
    const std::string notALog =
        "Couldn't open database--Exception: '" + dir.File("log.tlg") + "' is not a training log.";
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe[\t]{\n", 20);
    const std::optional<std::string> none;
    struct Case {
        std::string text;
        bool yes;
        std::optional<std::string> oldFile;  // already at logOLD.tlg
        std::vector<std::string> messages;   // each holds this text
    } cases[] = {
        {kFullLog, false, none, {}},
        {kFullLog,
         true,
         "someone's file",
         {"\"logOLD.tlg\" is already beside it", "Unable to open"}},
        {png, true, none, {notALog}},
        {std::string(4096, '\0'), true, none, {notALog}},
        {"Dear diary,\nran today.\n", true, none, {notALog}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 12));
        fs::remove(dir.File("logOLD.tlg"));
        if (c.oldFile) WriteBytes(dir.File("logOLD.tlg"), *c.oldFile);
        WriteBytes(dir.File("log.tlg"), c.text);
        ui.questions.clear();
        ui.messages.clear();
        ui.answers = {c.yes};
        EXPECT_FALSE(doc->OnOpenDocument(dir.File("log.tlg")));
        EXPECT_FALSE(doc->IsOpen());
        EXPECT_EQ(ui.questions.size(), c.text == kFullLog ? 1u : 0u);  // only a text log is asked
        ASSERT_EQ(ui.messages.size(), c.messages.size());
        for (size_t i = 0; i < c.messages.size(); ++i)
            EXPECT_NE(ui.messages[i].find(c.messages[i]), std::string::npos) << ui.messages[i];
        EXPECT_EQ(ReadBytes(dir.File("log.tlg")), c.text);
        EXPECT_EQ(c.oldFile ? ReadBytes(dir.File("logOLD.tlg")) : "", c.oldFile.value_or(""));
        EXPECT_EQ(Files(dir.path()), c.oldFile ? 2 : 1);
    }
    EXPECT_FALSE(doc->OnOpenDocument(dir.File("missing.tlg")));
}

TEST(OldLogName, TheExtensionGivesWayToOld) {
    for (const char* name : {"/logs/Bike.tlg", "/logs/Bike.TLG", "/logs/Bike"})
        EXPECT_EQ(OldLogName(name), "/logs/BikeOLD.tlg") << name;
    EXPECT_EQ(OldLogName("/logs/Bike.txt"), "/logs/Bike.txtOLD.tlg");
}

}  // namespace
}  // namespace kivrun
