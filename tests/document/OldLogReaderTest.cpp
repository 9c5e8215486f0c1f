#include "document/OldLogReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "values/Calendar.h"

namespace kivrun {
namespace {

std::vector<std::string> Lines(const std::string& bytes) {
    std::istringstream in(bytes);
    OldLogLines lines(in);
    std::vector<std::string> out;
    std::string line;
    while (lines.Next(line))
        out.push_back(line);
    return out;
}

TEST(OldLogLines, LineEndsLengthsAndTextBecomingUtf8) {
    using V = std::vector<std::string>;
    const std::string x499(499, 'x');
    struct Case {
        const char* what;
        std::string bytes;
        V lines;
    } cases[] = {
        {"LF", "a\nb\n", V{"a", "b"}},
        {"CR LF", "a\r\nb\r\n", V{"a", "b"}},
        {"CR alone", "a\rb", V{"a", "b"}},
        {"no line end at the end", "a\nb", V{"a", "b"}},
        {"empty lines kept", "a\n\n\nb\n", V{"a", "", "", "b"}},
        {"empty file", "", V{}},
        {"CR cut off before its LF", "a\r", V{"a"}},
        {"NUL bytes dropped", std::string("a\0b\n\0\n", 6), V{"ab", ""}},
        {"a full line ending there is one line", x499 + "\nb\n", V{x499, "b"}},
        {"a longer line goes on", x499 + "yz\r\nb", V{x499, "yz", "b"}},
        {"byte-order mark", "\xEF\xBB\xBF[Sports\n", V{"[Sports"}},
        {"Windows-1252 letters", "Caf\xE9 \xE0 \xFF", V{"Café à ÿ"}},
        {"Windows-1252 punctuation", "\x80 \x92quote\x92 \x96", V{"€ ’quote’ –"}},
        {"unassigned bytes keep their code points", "\x81\x8D", V{"\xC2\x81\xC2\x8D"}},
        {"UTF-8 stays as it is", "Café 🏃 ✓", V{"Café 🏃 ✓"}},
        {"a cut sequence is read byte by byte", "\xE2\x82", V{"â‚"}},
        {"overlong form", "\xC0\xAF", V{"À¯"}},
        {"surrogate", "\xED\xA0\x80", V{"í\xC2\xA0€"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lines(c.bytes), c.lines) << c.what;
    // The limit counts characters, not bytes.
    const auto long_line = Lines(std::string(600, '\xE9'));
    ASSERT_EQ(long_line.size(), 2u);
    EXPECT_EQ(CharCount(long_line[0]), 499u);
    EXPECT_EQ(CharCount(long_line[1]), 101u);
}

TEST(OldLogLines, FieldsAndNumbers) {
    std::string rest = "\"R\"\tRunning\t\"\"\t\"\t5";
    std::vector<std::string> fields;
    for (int i = 0; i < 6; ++i)  // the last past the end
        fields.push_back(NextField(rest));
    EXPECT_EQ(fields, (std::vector<std::string>{"R", "Running", "", "\"", "5", ""}));
    const std::pair<const char*, std::optional<long>> numbers[] = {
        {" 42x", 42}, {"-3", -3}, {"", std::nullopt}, {"x1", std::nullopt}, {"-", std::nullopt}};
    for (const auto& [text, number] : numbers)
        EXPECT_EQ(WholeNumber(text), number) << text;
}

TEST(OldLogDate, ProgramDateTextsWithTheTwoDigitYearRule) {
    calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 6});
    struct Case {
        const char* text;
        std::optional<CDate> date;
    } cases[] = {
        {"1/2/98", CDate(1, 2, 1998)},    {"1/2/75", CDate(1, 2, 2075)},
        {"1/02/2003", CDate(1, 2, 2003)}, {"2/29/04", CDate(2, 29, 2004)},
        {"1/5", CDate(1, 5, 2026)},       {"2/29/03", std::nullopt},
        {"13/1/98", std::nullopt},        {"0/1/98", std::nullopt},
        {"1/2/1850", std::nullopt},       {"1/2/100", std::nullopt},
        {"1/2/12345", std::nullopt},      {"", std::nullopt},
        {"bad date", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OldLogDate(c.text), c.date) << c.text;
    calendar::SetTodayForTesting(std::nullopt);
}

// Writes down what the reader hands on, one text per call.
class Recorder : public OldLogTarget {
  public:
    std::vector<std::string> calls;
    bool weights = false;

    void BeginSports() override { calls.push_back("begin sports"); }
    void AddSport(const OldSport& s) override {
        calls.push_back("sport " + s.abbrev + " " + s.name + " " + std::to_string(s.paceId) + "/" +
                        std::to_string(s.distanceId) + " #" + std::to_string(s.position));
    }
    void AddRoute(const std::string& code, const std::string& route) override {
        calls.push_back("route " + code + " " + route);
    }
    void AddEvent(const OldEvent& e) override {
        calls.push_back("event " + e.date.Format(1) + " " + e.sport + " " + e.name + "|" +
                        e.details);
    }
    void SetColumnWidth(const std::string& label, std::optional<long> width) override {
        calls.push_back("width " + label + " " + (width ? std::to_string(*width) : "-"));
    }
    void SetWeekStart(long day) override { calls.push_back("week " + std::to_string(day)); }
    void SetDefaultSport(const std::string& name) override { calls.push_back("dsport " + name); }
    void SetBackupDays(long days) override { calls.push_back("backup " + std::to_string(days)); }
    void SetColumnOrder(const std::vector<std::optional<long>>& ids) override {
        std::string text = "order";
        for (const auto& id : ids)
            text += " " + (id ? std::to_string(*id) : "?");
        calls.push_back(text);
    }
    void SetTimeColumnFormat(std::optional<long> f) override {
        calls.push_back("timefmt " + (f ? std::to_string(*f) : "-"));
    }
    void SetOptionalFieldName(int id, const std::string& name) override {
        calls.push_back("optname " + std::to_string(id) + " " + name);
    }
    void AddWorkout(const OldWorkout& w) override {
        char numbers[96];
        std::snprintf(numbers, sizeof numbers, "%g %g %g %g %g", w.distance, w.seconds, w.pace,
                      w.optionalOne, w.optionalTwo);
        calls.push_back("workout " + w.date.Format(1) + " " + w.sport + w.trainingClass + " " +
                        numbers + " " + w.route + "|" + w.notes);
    }
    bool HasWeightsSport() override { return weights; }
};

std::vector<std::string> Read(const std::string& text, bool weights = false) {
    std::istringstream in(text);
    Recorder r;
    r.weights = weights;
    OldLogReader(in, r).ReadAll();
    return r.calls;
}

using Calls = std::vector<std::string>;

TEST(OldLogReader, WhatEachLineHandsOnAndWhatIsSkipped) {
    calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 6});
    const char* const blocks =
        "1/2/98\tWG\t0\t0:45:00\n{2\nBench\t3\t100\t10\nSquat\t3\n}\n"
        "1/3/98\tWG\n{\t1\n1/4/98\tRG\n}\n"
        "bad\tWG\n{1\n1/5/98\tRG\n"
        "1/6/98\tWG\n{99999999999\n";
    const std::string wg = "workout 1/02/1998 WG 0 2700 0 0 0 |";
    struct Case {
        const char* what;
        const char* text;
        Calls calls;
        bool weights = false;
    } cases[] = {
        {"every section",
         "[Sports\nR\tRunning\t1\t0\tignored\nBike\tRoad\t3\t2\nS\tSwim\t0\t*\nK\tSki\t12\t4\n]\n"
         "[Routes\nRT\tPark loop\n]\n"
         "[Calendar\n3/15/98\tRun\tRace\tBig one\n2/30/98\tR\tnot a day\n]\n"
         "[ColumnData\nDist\t70\nNotes\twide\n]\n"
         "[Prefs\nWeekStart\t0\nDSport\tRunning\nBackupDays\t14\nColumnOrder\t3\t0\t4\t1\t9\n"
         "TimeColumnFmt\t2\nOptFieldOneName\tHR\nOptFieldTwoName\tKg\nUnknownKey\t5\n]\n",
         {"begin sports", "sport R Running 1/0 #0", "sport * Road 3/2 #1", "sport S Swim 0/4 #2",
          "sport K Ski 0/0 #3", "route RT Park loop", "event 3/15/1998 R Race|Big one",
          "width Dist 70", "width Notes -", "week 0", "dsport Running", "backup 14", "order 0 4 1",
          "timefmt 2", "optname 6 HR", "optname 7 Kg"}},
        {"workout lines",
         "1/2/98\tRT\t5\t0:40:00\t8\tPark\tgood\t150\t3\n"
         "1/3/98\tRI\t\t\t\n"
         "1/4/98\tRR\t1.5\t1:08\tx\n"
         "1/5/98\tRx\tnan\t45\tinf\n"
         "13/5/98\tRG\t5\n"
         "1/6/98\tRGG\t5\n"
         "1/7/98\tR\t5\n"
         "\"1/8/98\"\t\"éG\"\t\"2\"\n",
         {"workout 1/02/1998 RG 5 2400 8 150 3 Park|good", "workout 1/03/1998 RI 0 0 0 0 0 |",
          "workout 1/04/1998 RR 1.5 4080 0 0 0 |", "workout 1/05/1998 RG 0 162000 0 0 0 |",
          "workout 1/08/1998 éG 2 0 0 0 0 |"}},
        {"unknown and template sections",
         "[Notes\nR\tx\n]\n[WeightsTemplates\nUpper\n]\n[Routes\nRG\tPark\n]\n",
         {"route RG Park"}},
        {"a header right after a header is not skipped",
         "[Mystery\n[Routes\nRG\tPark\n]\n",
         {"route RG Park"}},
        {"a section that lost its end line stops at the next header",
         "[Routes\nRG\tPark\n[Prefs\nDSport\tRun\n]\n",
         {"route RG Park", "dsport Run"}},
        {"a bracketed header and trailing blanks",
         "[Routes] \t\nRG\tPark\n]  \n",
         {"route RG Park"}},
        {"blank lines between sections",
         "\n[Routes\nRG\tPark\n]\n \n[Prefs\nDSport\tRun\n]\n",
         {"route RG Park", "dsport Run"}},
        {"sections after the first workout line are workout lines",
         "x\n[Routes\nRG\tPark\n]\n",
         {}},
        {"a skipped section ends at a line that begins with ]", "[Other\na\n]x\n[Routes\n]\n", {}},
        {"column order: the count, then at most the ids on the line",
         "[Prefs\nColumnOrder\t99999\t2\tx\t2\nColumnOrder\t1\t5\t6\nColumnOrder\t0\t1\n]\n",
         {"order 2 ? 2", "order 5", "order"}},
        // The count says how many lines follow; a closing brace ends the block early.
        {"weights routine blocks are stepped over",
         blocks,
         {wg, "workout 1/03/1998 WG 0 0 0 0 0 |", "workout 1/06/1998 WG 0 0 0 0 0 |"},
         true},
        // Without a sport named Weights the braces are ordinary (unreadable) workout lines.
        {"without Weights, no blocks",
         blocks,
         {wg, "workout 1/03/1998 WG 0 0 0 0 0 |", "workout 1/04/1998 RG 0 0 0 0 0 |",
          "workout 1/05/1998 RG 0 0 0 0 0 |", "workout 1/06/1998 WG 0 0 0 0 0 |"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Read(c.text, c.weights), c.calls) << c.what;
    calendar::SetTodayForTesting(std::nullopt);
}

}  // namespace
}  // namespace kivrun
