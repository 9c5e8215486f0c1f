#include <gtest/gtest.h>

#include "events/EventForm.h"
#include "events/EventList.h"
#include "support/DocFixture.h"

namespace kivrun {
namespace {

using test::DocFixture;

class EventsTest : public DocFixture {
  protected:
    RowId Add(int m, int d, int y, const char* name, const char* sport = "R",
              const char* affiliation = "") {
        return doc->AddEvent({CDate(m, d, y), sport, name, "", affiliation}, nullptr);
    }
    std::vector<std::string> Names(const EventListSort& sort) {
        std::vector<std::string> names;
        for (const EventListRow& r : ReadEventList(*doc, sort))
            names.push_back(r.cells[3]);
        return names;
    }
};

TEST(EventTextTest, LineBreaksReadTheSameWhicheverWayTheyWereStored) {
    struct Case {
        const char* stored;
        const char* editing;
        const char* oneLine;
    } cases[] = {
        {"Start 9:00|Bring belt", "Start 9:00\nBring belt", "Start 9:00.  Bring belt"},
        {"a\r\nb\nc\rd", "a\nb\nc\nd", "a.  b.  c.  d"},
        {"||", "\n\n", ".  .  "},
        {"plain", "plain", "plain"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DetailsForEditing(c.stored), c.editing) << c.stored;
        EXPECT_EQ(DetailsOnOneLine(c.stored), c.oneLine) << c.stored;
        EXPECT_EQ(DetailsForEditing(DetailsForStoring(c.editing)), c.editing) << c.stored;
    }
    EXPECT_EQ(DetailsForStoring("a\nb"), "a\r\nb");
}

TEST(EventListSortTest, AColumnClickedTwiceTurnsRound) {
    struct Case {
        std::vector<int> clicks;
        const char* text;
    } cases[] = {
        {{}, "Date, EventID"},
        {{0}, "Date, EventID"},
        {{0, 0}, "Date DESC, EventID"},
        {{3}, "EventName, Date, EventID"},
        {{3, 3}, "EventName DESC, Date, EventID"},
        {{3, 3, 3}, "EventName, Date, EventID"},
        {{3, 3, 1}, "SptAbbrev, Date, EventID"},
        {{4, 9}, "EventDetails, Date, EventID"},
    };
    for (const Case& c : cases) {
        EventListSort sort;
        for (int column : c.clicks)
            sort.Click(column);
        EXPECT_EQ(sort.SortText(), c.text);
    }
}

TEST_F(EventsTest, WritesTellTheViewsAndAGoneEventChangesNothing) {
    const RowId id = Add(12, 8, 2026, "Turkey Trot");
    ASSERT_GT(id, 0);
    // An event needs a name, from the dialog, the form or the tool alike.
    EXPECT_EQ(doc->AddEvent({CDate(), "R", " \t", "", ""}, nullptr), 0);
    EXPECT_FALSE(doc->ModifyEvent(id, {CDate(), "R", "", "", ""}, nullptr));
    EXPECT_EQ(ui.messages, std::vector<std::string>(2, "Please enter a name for the event !!"));
    ui.messages.clear();
    EXPECT_TRUE(doc->ModifyEvent(id, {CDate(12, 9, 2026), "B", "Crit", "x\r\ny", "Club"}, nullptr));
    const EventRow row = *doc->Event(id);
    EXPECT_EQ(row.name, "Crit");
    EXPECT_EQ(row.sport, "B");
    EXPECT_EQ(row.date, CDate(12, 9, 2026).ToSerial());
    EXPECT_EQ(EventCells(row, doc->GetCatalog())[4], "x.  y");

    ui.answers = {false};
    EXPECT_FALSE(doc->DeleteEvent(id, true));
    EXPECT_TRUE(doc->Event(id));
    EXPECT_TRUE(doc->DeleteEvent(id, false));
    EXPECT_FALSE(doc->ModifyEvent(id, {CDate(), "R", "again", "", ""}, nullptr));
    EXPECT_FALSE(doc->DeleteEvent(id, false));
    EXPECT_EQ(ui.messages, std::vector<std::string>(2,
                                                    "This event is no longer in the log: "
                                                    "another program has removed it."));
    EXPECT_EQ(view.kinds(), (std::vector<int>{8, 7, 9}));
    EXPECT_EQ(view.hints[1].oldDate, CDate(12, 8, 2026).ToSerial());
    EXPECT_EQ(view.hints[1].newDate, CDate(12, 9, 2026).ToSerial());
}

// Every write of an event is a step of the history, as a workout's is: undone and redone
// whole, under its EventID, telling the views.
TEST_F(EventsTest, AddingChangingAndDeletingEventsIsUndoneAndRedone) {
    const RowId id = Add(12, 8, 2026, "Turkey Trot");
    EXPECT_EQ(UndoItemText(doc->History()), "&Undo Add Event\tCtrl+Z");
    ASSERT_TRUE(doc->Undo());
    EXPECT_FALSE(doc->Event(id));
    ASSERT_TRUE(doc->Redo());
    ASSERT_TRUE(doc->Event(id));
    EXPECT_EQ(doc->Event(id)->name, "Turkey Trot");

    ASSERT_TRUE(doc->ModifyEvent(id, {CDate(12, 9, 2026), "B", "Crit", "", ""}, nullptr));
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Event(id)->name, "Turkey Trot");
    EXPECT_EQ(doc->Event(id)->date, CDate(12, 8, 2026).ToSerial());

    const RowId other = Add(12, 10, 2026, "Relay");
    view.hints.clear();
    ASSERT_EQ(doc->DeleteEvents({id, other}, nullptr), 2);
    EXPECT_EQ(UndoItemText(doc->History()), "&Undo Delete Events\tCtrl+Z");
    ASSERT_TRUE(doc->Undo());  // both back in one step
    EXPECT_TRUE(doc->Event(id));
    EXPECT_TRUE(doc->Event(other));
    EXPECT_EQ(view.kinds(), (std::vector<int>{9, 8, 8}));
}

TEST_F(EventsTest, SeveralGoInOneNoticeAndAnUnknownSportIsRefused) {
    const RowId a = Add(1, 1, 2027, "A");
    const RowId b = Add(1, 2, 2027, "B");
    Add(1, 3, 2027, "C");
    view.hints.clear();
    EXPECT_EQ(doc->DeleteEvents({a, b, 999}, nullptr), 2);
    EXPECT_EQ(view.kinds(), std::vector<int>{9});
    EXPECT_EQ(Names({}), std::vector<std::string>{"C"});
    // The log refuses a sport of two letters; the user is told and nothing is stored.
    EXPECT_EQ(doc->AddEvent({CDate(), "RR", "Bad", "", ""}, nullptr), 0);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(Names({}).size(), 1u);
}

TEST_F(EventsTest, BandsFlipBetweenWeeksInTheShownOrderAndAreKept) {
    // Monday weeks: the 7th and 8th of December 2026 share one, the 14th starts the next.
    Add(12, 14, 2026, "c");
    Add(12, 7, 2026, "a");
    Add(12, 8, 2026, "b");
    Add(12, 28, 2026, "e");
    Add(1, 2, 2027, "f");  // the week that spans New Year
    Add(12, 20, 2026, "d");
    auto bands = [&](const EventListSort& sort) {
        std::string out;
        for (const EventListRow& r : ReadEventList(*doc, sort))
            out += r.cells[3] + std::to_string(r.band) + " ";
        return out;
    };
    EXPECT_EQ(bands({}), "a0 b0 c1 d1 e0 f0 ");
    // In name order every neighbour lies in another week but a-b and e-f.
    EventListSort byName;
    byName.Click(3);
    byName.Click(3);
    EXPECT_EQ(bands(byName), "f0 e0 d1 c1 b0 a0 ");
    for (const EventRow& e : doc->Events(CTamselDoc::EventColumn::Name, true))
        EXPECT_EQ(e.background, e.name == "d" || e.name == "c" ? 1 : 0) << e.name;
    // Shading again in the same order writes nothing.
    const auto stamp = doc->Database().sql().ChangeStamp();
    bands(byName);
    EXPECT_EQ(doc->Database().sql().ChangeStamp(), stamp);
    EXPECT_EQ(FirstRowFrom(ReadEventList(*doc, {}), CDate(12, 9, 2026)), 2);
}

TEST_F(EventsTest, AffiliationsAreKeptPerSportAndQuotesAreJustCharacters) {
    const std::string club = "Bob's \"A\" team";
    AffiliationBox box(*doc, nullptr);
    box.SetSport("R");
    box.SetText(club + "  ");
    EXPECT_EQ(box.ButtonText(), "< &Add");
    EXPECT_FALSE(box.Press());
    box.SetText(club + " ");  // trailing blanks find the one just added
    EXPECT_TRUE(box.ButtonEnabled());
    EXPECT_EQ(box.ButtonText(), "< &Remove");
    EXPECT_EQ(doc->Affiliations("R"), std::vector<std::string>{club});
    ASSERT_TRUE(doc->AddAffiliation("B", club, nullptr));

    ui.answers = {false, true};
    EXPECT_FALSE(box.Press());  // No: stays
    EXPECT_EQ(doc->Affiliations("R").size(), 1u);
    EXPECT_TRUE(box.Press());
    EXPECT_EQ(box.Text(), "");
    EXPECT_TRUE(doc->Affiliations("R").empty());
    EXPECT_EQ(doc->Affiliations("B"), std::vector<std::string>{club});
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(ui.questions[0], "Are you sure you want to delete the selected affiliation?");

    box.SetSport("");
    box.SetText("x");
    EXPECT_FALSE(box.ButtonEnabled());
    box.SetSport("B");
    box.Choose(club);
    EXPECT_EQ(box.ButtonText(), "< &Remove");
}

TEST_F(EventsTest, TheDialogAndTheFormNeedASport) {
    struct Case {
        EventForm::Kind kind;
        const char* message;
    } cases[] = {{EventForm::Kind::Dialog, "Please specify a sport !!"},
                 {EventForm::Kind::EntryForm, "Please select a sport!!!"}};
    for (const Case& c : cases) {
        ui.messages.clear();
        EventForm form(*doc, nullptr, c.kind);
        form.FillSports();
        form.name = "Race";
        EXPECT_FALSE(form.Enter());
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
    }
    EXPECT_TRUE(doc->Events().empty());

    EventForm form(*doc, nullptr, EventForm::Kind::EntryForm);
    form.FillSports();
    form.date = CDate(3, 1, 2027);
    form.ChooseSportAbbrev("B");
    form.name = "Spring Classic";
    form.details = "9:00\nbelt";
    form.affiliation.SetText("Club");
    EXPECT_TRUE(form.Enter());
    EXPECT_EQ(form.Sport(), -1);
    EXPECT_EQ(form.name, "");
    const EventRow stored = doc->Events().at(0);
    EXPECT_EQ(stored.details, "9:00\r\nbelt");
    EXPECT_EQ(stored.affiliation, "Club");

    // The dialog on it, and the sport kept by its letter when the sports change.
    EventForm dialog(*doc, nullptr, EventForm::Kind::Dialog);
    dialog.FillSports();
    dialog.Load(stored);
    EXPECT_EQ(dialog.Sports()[std::size_t(dialog.Sport())].abbrev, "B");
    EXPECT_EQ(dialog.details, "9:00\nbelt");
    doc->Database().sql().Exec("UPDATE Sports SET \"Order\" = 9 WHERE SptAbbrev = 'B'");
    dialog.OnUpdate(UpdateHint::Of(Notice::SportsChanged));
    EXPECT_EQ(dialog.Sports()[std::size_t(dialog.Sport())].abbrev, "B");
}

TEST_F(EventsTest, TheListCopiesAndPrintsItsRows) {
    Add(12, 8, 2026, "Trot", "R", "Club\tA");
    Add(12, 14, 2026, "Crit", "Z");  // a sport the log does not have
    auto rows = std::make_shared<const std::vector<EventListRow>>(ReadEventList(*doc, {}));
    EXPECT_EQ(EventClipboardText(*rows, {1, 0, 1, 7}),
              "12/08/26\tRunning\tClub A\tTrot\t\n12/14/26\t\t\tCrit\t\n");
    const EventPrintSource source(rows);
    std::vector<int> widths;
    for (const PrintListColumn& c : source.Columns(3000))
        widths.push_back(c.width);
    EXPECT_EQ(widths, (std::vector<int>{250, 300, 400, 600, 700}));
    EXPECT_EQ(source.RowBackground(0), (Rgb{255, 255, 255}));
    EXPECT_EQ(source.RowBackground(1), kEventBand);
}

}  // namespace
}  // namespace kivrun
