
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <functional>

#include "entries/ui/DataEntryFrm.h"
#include "entries/ui/DatePicker.h"
#include "events/ui/EventDlg.h"
#include "events/ui/EventEntryForm.h"
#include "events/ui/EventFields.h"
#include "events/ui/EventView.h"
#include "ui/ShellSupport.h"
#include "views/ui/CalendarView.h"

namespace kivrun {
namespace {

// The calendar and the events window (the form above the list) over a small log, with the
// program's own event editor.
class EventsWindow : public test::ViewsTest {
  protected:
    void SetUp() override {
        ViewsTest::SetUp();
        RegisterWindowContents();
    }
    void TearDown() override {
        CCalendarView::SetEventEditor({});
        for (WindowKind kind : AllWindowKinds())
            WindowTemplates::Instance().Clear(kind);
        ViewsTest::TearDown();
    }
    // The events window as its frame lays it out.
    void ShowEventsWindow() {
        auto* split = new QSplitter(Qt::Vertical);
        windows.emplace_back(split);
        form = new CEventEntryForm(*doc, split);
        list = new CEventView(*doc, split);
        Register(form);
        Register(list);
        split->setSizes({170, 430});
        split->resize(900, 600);
        split->show();
        QApplication::processEvents();
    }
    static void Pick(QComboBox* box, const QString& text) {
        const int at = box->findText(text);
        ASSERT_GE(at, 0) << text.toStdString();
        box->setCurrentIndex(at);
        emit box->activated(at);
    }
    QStringList Column(int c) const {
        QStringList texts;
        for (int r = 0; r < list->Model().rowCount(); ++r)
            texts << list->Model().index(r, c).data().toString();
        return texts;
    }

    CEventEntryForm* form = nullptr;
    CEventView* list = nullptr;
};

TEST_F(EventsWindow, PlannedFromTheCalendarChangedInTheDialogAndTurnedIntoAWorkout) {
    auto& month = Show<CCalendarView>({900, 600});
    ShowEventsWindow();
    ASSERT_TRUE(month.CommandStatus(Command::CalendarNewEvent)->enabled);

    // A double click on an empty place of a day: the dialog on that day wants a sport first.
    const PixelRect cell = month.Grid().Cell(month.Grid().CellIndex(CDate(12, 9, 2026)));
    EXPECT_TRUE(test::WithModal<CEventDlg>(
        [&] {
            QTest::mouseDClick(month.viewport(), Qt::LeftButton, {},
                               {cell.left + 30, cell.bottom - 5});
        },
        [&](CEventDlg& dialog) {
            CEventFields& f = dialog.Fields();
            EXPECT_EQ(f.DateBox()->date(), QDate(2026, 12, 9));
            QTest::keyClicks(f.NameBox(), "Winter 5K");
            dialog.accept();
            EXPECT_EQ(ui.messages, std::vector<std::string>{"Please specify a sport !!"});
            ASSERT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.focusWidget(), f.SportBox());
            Pick(f.SportBox(), "Running");
            f.DetailsBox()->setFocus();  // Return there is a new line, not OK
            QTest::keyClicks(f.DetailsBox(), "Start 9:00");
            QTest::keyClick(f.DetailsBox(), Qt::Key_Return);
            QTest::keyClicks(f.DetailsBox(), "Bring belt");
            dialog.accept();
        }));
    ASSERT_EQ(doc->Events().size(), 1u);
    const EventRow planned = doc->Events().front();
    EXPECT_EQ(planned.details, "Start 9:00\r\nBring belt");
    const int line = month.Drawn().Find(PageItem::Kind::Event, planned.eventId);
    ASSERT_GE(line, 0);

    // Enter on its line opens it; the changes reach the calendar and the list.
    month.Select(line);
    EXPECT_TRUE(test::WithModal<CEventDlg>([&] { QTest::keyClick(&month, Qt::Key_Return); },
                                           [&](CEventDlg& dialog) {
                                               CEventFields& f = dialog.Fields();
                                               f.NameBox()->clear();
                                               QTest::keyClicks(f.NameBox(), "Winter 10K");
                                               f.DateBox()->setDate(QDate(2026, 12, 6));
                                               dialog.accept();
                                           }));
    EXPECT_EQ(doc->Event(planned.eventId)->name, "Winter 10K");
    EXPECT_EQ(doc->Event(planned.eventId)->details, planned.details);  // kept through the edit
    EXPECT_EQ(Column(3), QStringList{"Winter 10K"});
    EXPECT_EQ(Column(0), QStringList{"12/06/26"});
    const int moved = month.Drawn().Find(PageItem::Kind::Event, planned.eventId);
    ASSERT_GE(moved, 0);
    EXPECT_EQ(month.Drawn().texts[std::size_t(moved)], "Winter 10K");

    // Today's event: the data entry form offers it as a workout (declined here); "Log as
    // Workout" on the event's line in the calendar fills the form from it. Once the workout
    // is entered the event is gone from the calendar and the list; one Undo brings it back.
    ui.answers = {false};
    CDataEntryFrm entryForm(*doc);
    Register(&entryForm);
    ASSERT_EQ(ui.questions.size(), 1u);
    month.Select(month.Drawn().Find(PageItem::Kind::Event, planned.eventId));
    std::unique_ptr<QMenu> menu = month.MakeMenu({0, 0}, true);
    QAction* log = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == "Log as &Workout") log = a;
    ASSERT_NE(log, nullptr);
    log->trigger();
    EXPECT_EQ(entryForm.model().route, "Winter 10K");
    EXPECT_EQ(entryForm.model().FromEvent(), planned.eventId);
    EXPECT_EQ(list->Model().rowCount(), 1);  // not gone before the workout is entered
    QTest::keyClicks(entryForm.timeBox(), "0:48:00");
    entryForm.enterButton()->click();
    EXPECT_EQ(doc->EntryCount(), 1) << (ui.messages.empty() ? "" : ui.messages.back());
    EXPECT_EQ(month.Drawn().Find(PageItem::Kind::Event, planned.eventId), -1);
    EXPECT_EQ(list->Model().rowCount(), 0);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->EntryCount(), 0);
    EXPECT_EQ(list->Model().rowCount(), 1);
    EXPECT_GE(month.Drawn().Find(PageItem::Kind::Event, planned.eventId), 0);
}

TEST_F(EventsWindow, TheFormEntersAndTheListSortsCopiesAndDeletes) {
    ShowEventsWindow();
    CEventFields& f = form->Fields();
    EXPECT_EQ(QApplication::focusWidget(), f.DateBox());
    // Return in the name box enters; without a sport the form says so.
    auto enter = [&](QDate day, const QString& sport, const QString& name) {
        f.DateBox()->setDate(day);
        if (!sport.isEmpty()) Pick(f.SportBox(), sport);
        QTest::keyClicks(f.NameBox(), name);
        QTest::keyClick(f.NameBox(), Qt::Key_Return);
    };
    enter(QDate(2026, 12, 14), {}, QStringLiteral("Nameless"));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Please select a sport!!!"});
    EXPECT_EQ(QApplication::focusWidget(), f.SportBox());
    form->PressReset();
    enter(QDate(2026, 12, 14), QStringLiteral("Road"), QStringLiteral("Crit"));
    EXPECT_EQ(f.SportBox()->currentIndex(), -1);  // ready for the next
    enter(QDate(2026, 12, 8), QStringLiteral("Running"), QStringLiteral("Trot"));
    enter(QDate(2027, 1, 4), QStringLiteral("Running"), QStringLiteral("Resolution Run"));
    enter(QDate(2026, 12, 9), QStringLiteral("Road"), QStringLiteral("Bay Loop"));
    EXPECT_EQ(Column(3), (QStringList{"Trot", "Bay Loop", "Crit", "Resolution Run"}));
    // Which weeks are banded is EventsTest's; the list paints the band.
    const auto band = [&](int r) {
        return list->Model().index(r, 0).data(Qt::BackgroundRole).value<QColor>();
    };
    EXPECT_EQ(band(2), QColor(215, 230, 245));
    EXPECT_NE(band(1), band(2));

    // A click on the Event header sorts by name (twice turns round: EventListSortTest).
    const int eventColumn = list->horizontalHeader()->sectionViewportPosition(3) + 5;
    QTest::mouseClick(list->horizontalHeader()->viewport(), Qt::LeftButton, {}, {eventColumn, 5});
    EXPECT_EQ(Column(3), (QStringList{"Bay Loop", "Crit", "Resolution Run", "Trot"}));

    // Ctrl+C copies the selected rows as the list shows them.
    list->setFocus();
    list->SelectIds({doc->Events()[0].eventId, doc->Events()[2].eventId});
    list->RunCommand(Command::EditCopy);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "12/14/26\tRoad\t\tCrit\t\n12/08/26\tRunning\t\tTrot\t\n");

    // Delete asks about both; No keeps them, Yes takes exactly those two.
    ASSERT_EQ(list->SelectedIds().size(), 2u);
    ui.answers = {false};
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(ui.questions.back(), "Delete Selected Entries ?\n\nThis CANNOT be undone !!");
    EXPECT_EQ(list->Model().rowCount(), 4);
    ui.answers = {true};
    QTest::keyClick(list, Qt::Key_Backspace);
    EXPECT_EQ(Column(3), (QStringList{"Bay Loop", "Resolution Run"}));

    // One selected: asked about that one.
    list->SelectIds({doc->Events()[0].eventId});
    ui.answers = {true};
    list->RunCommand(Command::EditDelete);
    EXPECT_EQ(ui.questions.back(), "Are you sure you want to delete this entry?");
    EXPECT_EQ(Column(3), QStringList{"Resolution Run"});
}

}  // namespace
}  // namespace kivrun
