#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QPaintEvent>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QWheelEvent>
#include <tuple>

#include "LogListSupport.h"
#include "UiTestSupport.h"
#include "controls/ui/EllipsisItemDelegate.h"
#include "store/ColumnSettingsSet.h"

namespace kivrun::test {
namespace {

// Qt's warnings: the model checker complains through them.
QStringList complaints;
void Complain(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg) complaints << text;
}

class LogListView : public LogListFixture {
  protected:
    // The stored settings of one column.
    CColumnSettingsSet& Stored(int columnId) {
        CColumnSettingsSet& set = doc->ColumnSettingsSet();
        EXPECT_TRUE(set.FindColumn(columnId));
        return set;
    }
    // The fixture's workouts, listed.
    void Show(int workouts, QSize size = QSize(900, 420)) {
        AddWorkouts(workouts);
        MakeView(size);
    }
    int Section(int columnId) { return model().IndexOfColumn(columnId); }
    int Width(int columnId) { return list->horizontalHeader()->sectionSize(Section(columnId)); }
    CommandState Status(Command cmd) { return list->CommandStatus(cmd).value_or(CommandState{}); }
    // The document's week bands (its rule: TamselDocTest) reach the cells.
    void ExpectBandsShown() {
        ExpectWeekBands(*doc);
        for (int row = 0; row < model().rowCount(); ++row)
            EXPECT_EQ(model().Entry(row)->background != 0,
                      model().index(row, 0).data(Qt::BackgroundRole).isValid())
                << row;
    }
    // Each shown column's item id is its place, whatever was hidden or inserted before it.
    void ExpectItemIdsFollowTheHeader() {
        for (int section = 0; section < model().columnCount(); ++section)
            EXPECT_EQ(Stored(model().Columns()[section].id).ColumnItemID, section) << section;
    }
};

TEST_F(LogListView, TheModelKeepsItsContractThroughEveryKindOfChange) {
    Show(12);
    const QtMessageHandler previous = qInstallMessageHandler(&Complain);
    QAbstractItemModelTester tester(&model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    const long added = doc->AddEntry(Entry(3, 1, 2026), nullptr);
    SelectRows({1, 3});
    ui.answers = {true};
    list->DeleteSelectedEntries();
    doc->DeleteEntry(added, nullptr, false);
    list->HideColumnAt(3);
    list->InsertColumnAt(1, LogListCells::kDistance);
    list->InsertColumnAt(0, LogListCells::kNotes);
    list->SetColumnFormat(LogListCells::kSport, {2, 25, 2, "S"});
    list->HeaderClicked(Section(LogListCells::kDate));
    doc->UpdateAllViews(nullptr, UpdateHint::Of(Notice::SportsChanged));
    doc->UpdateAllViews(nullptr, UpdateHint::Of(Notice::OptionalFieldNames));
    doc->ApplyFilter(OnlySport('B'));
    qInstallMessageHandler(previous);
    EXPECT_EQ(model().rowCount(), 0);
    EXPECT_TRUE(complaints.isEmpty()) << complaints.join("\n").toStdString();
}

// One row's question and the command's wording: LogListWindow. After a delete the row that
// took the first deleted one's place is selected (the last row after deleting the last), and
// the other views follow it.
TEST_F(LogListView, DeletingThreeScatteredRowsDeletesExactlyThoseAfterOneQuestion) {
    Show(10);
    const std::vector<long> before = ListedIds();
    SelectRows({1, 4, 8});
    list->DeleteSelectedEntries();  // answered No
    EXPECT_EQ(ListedIds(), before);
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0], "Delete Selected Entries ?\n\nThis CANNOT be undone !!");

    view.hints.clear();
    ui.answers = {true};
    list->DeleteSelectedEntries();
    std::vector<long> expected = before;
    for (long gone : {before[1], before[4], before[8]})
        expected.erase(std::find(expected.begin(), expected.end(), gone));
    EXPECT_EQ(ListedIds(), expected);
    EXPECT_EQ(doc->EntryCount(), 7);
    EXPECT_EQ(ui.questions.size(), 2u);  // no question per entry
    // The other views heard of it once, then of the row selected in its place.
    EXPECT_EQ(view.kinds(), (std::vector<int>{3, 23}));
    EXPECT_TRUE(list->updatesEnabled());
    EXPECT_EQ(list->SelectedPositions(), (std::vector<long>{1}));
    EXPECT_EQ(doc->CurrentEntry(), before[2]);
    ExpectBandsShown();

    SelectRows({6});  // the last row
    ui.answers = {true};
    list->DeleteSelectedEntries();
    EXPECT_EQ(list->SelectedPositions(), (std::vector<long>{5}));
    EXPECT_EQ(doc->CurrentEntry(), expected[5]);
}

// The orders the settings keep are ColumnSettingsTest's; here, the header and widths follow.
TEST_F(LogListView, HidingAndInsertingColumnsKeepsSettingsAndHeaderInStep) {
    Show(3);
    list->horizontalHeader()->resizeSection(Section(LogListCells::kDistance), 99);
    ASSERT_TRUE(list->HideColumnAt(Section(LogListCells::kPace)));
    EXPECT_EQ(HeaderLabels(), QStringList({"Date", "Sport", "Class", "Dist", "Time", "AHR", "Wt",
                                           "Route", "Notes"}));
    ExpectItemIdsFollowTheHeader();
    EXPECT_EQ(Width(LogListCells::kDistance), 99);  // a width set by hand stays

    // Shown again where the Sport header was clicked, at the log's width, not a stale one;
    // a visible column chosen from Insert moves to the clicked place.
    list->InsertColumnAt(Section(LogListCells::kSport), LogListCells::kPace);
    EXPECT_EQ(Width(LogListCells::kPace), 45);
    list->InsertColumnAt(Section(LogListCells::kSport), LogListCells::kNotes);
    EXPECT_EQ(HeaderLabels(), QStringList({"Date", "Pace", "Notes", "Sport", "Class", "Dist",
                                           "Time", "AHR", "Wt", "Route"}));
    ExpectItemIdsFollowTheHeader();
    EXPECT_EQ(Cell(0, 2), "");  // Notes of the newest workout

    // Down to two columns, Hide is refused and its item disabled.
    while (model().columnCount() > 2)
        ASSERT_TRUE(list->HideColumnAt(1));
    EXPECT_FALSE(list->HideColumnAt(1));
    std::unique_ptr<QMenu> menu(list->MakeColumnMenu(1, list));
    EXPECT_FALSE(FindAction(menu.get(), "&Hide Column")->isEnabled());
    EXPECT_EQ(list->MakeColumnMenu(Section(LogListCells::kDate), list), nullptr);
}

// The texts of each format are LogListCellsTest's; here, a choice is stored and redrawn.
TEST_F(LogListView, FormatChoicesWriteTheColumnAndRedrawIt) {
    doc->AddEntry(Entry(1, 5, 2026, "R", 4086), nullptr);
    MakeView();
    const int time = Section(LogListCells::kTime);
    std::unique_ptr<QMenu> menu(list->MakeColumnMenu(time, list));
    EXPECT_TRUE(FindAction(menu.get(), "HMMSS\t1:08:06")->isChecked());  // the format it has
    EXPECT_FALSE(FindAction(menu.get(), "Time")->isEnabled());  // Insert: not onto its own place
    FindAction(menu.get(), "MSS\t68:06")->trigger();
    EXPECT_EQ(Cell(0, time), "68:06");
    EXPECT_EQ(Stored(LogListCells::kTime).ColumnWidth, 60);
    EXPECT_EQ(Width(LogListCells::kTime), 60);

    std::unique_ptr<QMenu> sport(list->MakeColumnMenu(Section(LogListCells::kSport), list));
    FindAction(sport.get(), "Icon")->trigger();
    const QModelIndex cell = model().index(0, Section(LogListCells::kSport));
    EXPECT_EQ(cell.data().toString(), "");
    EXPECT_FALSE(cell.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), "Running");
    EXPECT_EQ(HeaderLabels()[Section(LogListCells::kSport)], "S");
    EXPECT_EQ(cell.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignHCenter | Qt::AlignVCenter));
}

TEST_F(LogListView, NoticesOfTheDocumentMoveTheList) {
    Show(40, QSize(900, 300));

    // Added by someone else: the row appears where the set has it, and is shown.
    WorkingEntry old = Entry(1, 6, 2026, "R", 1800);
    old.route = "Added";
    const long added = doc->AddEntry(old, nullptr);
    EXPECT_EQ(model().rowCount(), 41);
    const long row = model().RowOfEntry(added);
    EXPECT_EQ(Cell(static_cast<int>(row), Section(LogListCells::kRoute)), "Added");
    EXPECT_TRUE(list->viewport()->rect().intersects(
        list->visualRect(model().index(static_cast<int>(row), 0))));

    // Changed: it becomes the only selected row.
    SelectRows({0, 1});
    WorkingEntry changed = old;
    changed.route = "Changed";
    doc->UpdateEntry(added, changed, nullptr);
    EXPECT_EQ(list->SelectedPositions(), std::vector<long>{row});
    EXPECT_EQ(Cell(static_cast<int>(row), Section(LogListCells::kRoute)), "Changed");

    doc->DeleteEntry(added, nullptr, false);
    EXPECT_EQ(model().rowCount(), 40);

    // A filter: the rows are those of the filtered set, oldest first at the end.
    doc->AddEntry(Entry(2, 1, 2026, "B"), nullptr);
    doc->AddEntry(Entry(2, 2, 2026, "B"), nullptr);
    doc->ApplyFilter(OnlySport('B'));
    EXPECT_EQ(model().rowCount(), 2);
    EXPECT_EQ(Cell(0, Section(LogListCells::kSport)), "Road");

    doc->ApplyFilter(FilterState());
    doc->ToggleDateSort();  // oldest first: the list shows its end
    Settle();
    EXPECT_EQ(model().rowCount(), 42);
    EXPECT_EQ(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0);

    // An optional field renamed on the General page: header and Insert item follow.
    doc->Database().sql().Exec(
        "UPDATE \"Log Column Settings\" SET ColumnFieldName = 'Avg HR', ColumnLabel = 'HR' "
        "WHERE ColumnID = 6");
    doc->UpdateAllViews(nullptr, UpdateHint::Of(Notice::OptionalFieldNames));
    EXPECT_EQ(HeaderLabels()[Section(6)], "HR");
    std::unique_ptr<QMenu> menu(list->MakeColumnMenu(Section(LogListCells::kPace), list));
    EXPECT_NE(FindAction(menu.get(), "Avg HR"), nullptr);

    // A row is drawn in its class's colour, the list's text colour once the class has none.
    EXPECT_EQ(model().index(2, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 210));
    EXPECT_EQ(model().index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    doc->Database().sql().Exec(
        "UPDATE \"Training Types\" SET ColorCode = '' WHERE TypeAbbrev = 'G'");
    doc->UpdateAllViews(nullptr, UpdateHint::Of(Notice::SportsChanged));
    EXPECT_FALSE(model().index(0, 1).data(Qt::ForegroundRole).isValid());
}

TEST_F(LogListView, RouteAndNotesFillTheWidthAndADividerFitsItsColumn) {
    Show(4, QSize(1000, 420));
    auto others = [this] {
        int sum = 0;
        for (const ListColumn& c : model().Columns())
            if (c.id != LogListCells::kRoute && c.id != LogListCells::kNotes) sum += Width(c.id);
        return sum;
    };
    const int remaining = list->viewport()->width() - others();
    EXPECT_EQ(Width(LogListCells::kRoute), static_cast<int>(0.4 * remaining));
    EXPECT_EQ(Width(LogListCells::kRoute) + Width(LogListCells::kNotes), remaining);

    window->resize(1200, 420);
    Settle();
    EXPECT_EQ(Width(LogListCells::kRoute) + Width(LogListCells::kNotes),
              list->viewport()->width() - others());

    // Hiding Route gives Notes all of it.
    list->HideColumnAt(Section(LogListCells::kRoute));
    EXPECT_EQ(Width(LogListCells::kNotes), list->viewport()->width() - others());

    // A divider double-click fits the column for this window only.
    const int date = Section(LogListCells::kDate);
    emit list->horizontalHeader()->sectionHandleDoubleClicked(date);
    EXPECT_EQ(Stored(LogListCells::kDate).ColumnWidth, 60);
    EXPECT_EQ(Width(LogListCells::kNotes), list->viewport()->width() - others());
}

// Where a text is cut is ControlRulesTest.ShortenText's; here, numbers are drawn whole and a
// note too long for its column ends in dots within it.
TEST_F(LogListView, NumbersAreDrawnWholeAsBuiltAndOnceFittedAndLongNotesAreCut) {
    // Meters beside miles and km: every distance carries its unit letter.
    doc->Database().sql().Exec(
        "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) "
        "VALUES ('S','Swimming',3,5,3,3)");
    doc->UpdateAllViews(nullptr, UpdateHint::Of(Notice::SportsChanged));
    long noted = 0;
    for (auto [sport, distance, seconds] : {std::tuple{"S", 13000.0, 11400.0},
                                            {"S", 10500.0, 9600},
                                            {"B", 98.6, 14126},
                                            {"R", 12.8, 5573}}) {
        WorkingEntry e = Entry(12, 1, 2026, sport, seconds);
        e.distance = distance;
        e.notes = std::string(sport) == "R" ? std::string(150, 'm') + "\nand more" : "";
        noted = doc->AddEntry(e, nullptr);  // the run, last
    }
    MakeView();
    auto shown = [this](int row, int id) {
        const QModelIndex index = model().index(row, Section(id));
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.widget = list;
        option.rect = list->visualRect(index);
        return static_cast<CEllipsisItemDelegate*>(list->itemDelegate())
            ->displayedText(option, index);
    };
    auto cutCells = [&] {
        QStringList cut;
        for (int id : {LogListCells::kDistance, LogListCells::kTime, LogListCells::kPace})
            for (int row = 0; row < model().rowCount(); ++row)
                if (shown(row, id) != Cell(row, Section(id))) cut << shown(row, id);
        return cut;
    };
    EXPECT_EQ(cutCells(), QStringList());
    EXPECT_EQ(Stored(LogListCells::kDistance).ColumnWidth, 55);  // the log keeps its own
    const QString note = shown(static_cast<int>(model().RowOfEntry(noted)), LogListCells::kNotes);
    EXPECT_TRUE(note.startsWith("mmm") && note.endsWith("...")) << note.toStdString();
    EXPECT_LE(list->fontMetrics().horizontalAdvance(note), Width(LogListCells::kNotes));

    // Fitting measures the text as drawn, unit letter and margins included.
    for (int id : {LogListCells::kDistance, LogListCells::kTime}) {
        list->horizontalHeader()->resizeSection(Section(id), 20);
        emit list->horizontalHeader()->sectionHandleDoubleClicked(Section(id));
    }
    EXPECT_EQ(cutCells(), QStringList());
}

// What the style is asked to draw: the date order's arrow.
class ArrowWatch : public QProxyStyle {
  public:
    QStyleOptionHeader::SortIndicator arrow = QStyleOptionHeader::None;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_Header)
            if (const auto* h = qstyleoption_cast<const QStyleOptionHeader*>(option))
                if (h->sortIndicator != QStyleOptionHeader::None)
                    const_cast<ArrowWatch*>(this)->arrow = h->sortIndicator;
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

// The order and its saved preference are TamselDocTest's; here, the header click, the arrow
// drawn and the keys that go to the ends.
TEST_F(LogListView, TheDateHeaderTurnsTheOrderItsArrowFollowsAndHomeAndEndGoToTheEnds) {
    Show(30);
    const std::vector<long> newestFirst = ListedIds();
    auto* style = new ArrowWatch;
    list->horizontalHeader()->setStyle(style);
    auto arrow = [&] {
        style->arrow = QStyleOptionHeader::None;
        list->horizontalHeader()->viewport()->repaint();
        return style->arrow;
    };
    EXPECT_EQ(arrow(), QStyleOptionHeader::SortDown);  // newest first
    list->HeaderClicked(Section(LogListCells::kDate));
    EXPECT_EQ(arrow(), QStyleOptionHeader::SortUp);
    EXPECT_EQ(ListedIds(), std::vector<long>(newestFirst.rbegin(), newestFirst.rend()));
    list->HeaderClicked(Section(LogListCells::kDate));
    EXPECT_EQ(ListedIds(), newestFirst);

    list->setFocus();
    const int last = model().rowCount() - 1;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
        std::size_t selected;
    } steps[] = {{Qt::Key_End, Qt::NoModifier, last, 1},
                 {Qt::Key_Home, Qt::NoModifier, 0, 1},
                 {Qt::Key_End, Qt::ShiftModifier, last, 30}};
    for (const auto& step : steps) {
        QTest::keyClick(list, step.key, step.modifiers);
        EXPECT_EQ(list->currentIndex().row(), step.row) << step.key;
        EXPECT_EQ(list->SelectedCount(), step.selected) << step.key;
    }
}

// The parts of the viewport painted since it was last cleared.
class PaintWatch : public QObject {
  public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(LogListView, AFocusFrameLeavingARowTakesAllOfItWith) {
    Show(10);
    list->setFocus();
    // The current row without a selection, as a deletion leaves it.
    list->selectionModel()->setCurrentIndex(model().index(2, 0), QItemSelectionModel::NoUpdate);
    Settle();
    PaintWatch watch;
    list->viewport()->installEventFilter(&watch);
    QTest::keyClick(list, Qt::Key_Down);
    Settle();
    const QRect row2 = list->visualRect(model().index(2, 0))
                           .united(list->visualRect(model().index(2, model().columnCount() - 1)));
    EXPECT_EQ(watch.painted.intersected(row2), QRegion(row2));
}

TEST_F(LogListView, OneWheelNotchScrollsFortyFivePixelsInWholeRows) {
    Show(60);
    QScrollBar* bar = list->verticalScrollBar();
    // Rows of 20 pixels: 45 pixels is two rows and a quarter, the quarter kept; a fine wheel
    // turns in smaller steps that add up the same.
    const struct {
        int rowHeight, delta, turns, row;
    } steps[] = {
        {15, -120, 1, 3}, {15, 120, 1, 0}, {20, -120, 1, 2}, {20, -120, 3, 9}, {20, -15, 8, 11}};
    for (const auto& step : steps) {
        list->verticalHeader()->setDefaultSectionSize(step.rowHeight);
        Settle();
        for (int i = 0; i < step.turns; ++i)
            Wheel(list->viewport(), step.delta);
        EXPECT_EQ(bar->value(), step.row) << step.rowHeight << " " << step.delta;
    }
}

TEST_F(LogListView, EntryCommandsFollowTheSelection) {
    Show(5);
    for (Command cmd :
         {Command::EditEntry, Command::EditDuplicate, Command::EditDelete, Command::EditCopy})
        EXPECT_FALSE(Status(cmd).enabled);
    EXPECT_EQ(list->CommandStatus(Command::EditUndo), std::nullopt);  // the main window's

    SelectRows({3, 1});
    list->RunCommand(Command::EditEntry);
    list->RunCommand(Command::EditDuplicate);
    // The first selected row, in the form beside the list.
    const long second = model().EntryIdAt(1);
    EXPECT_EQ(form->loads, (std::vector<std::pair<long, bool>>{{second, false}, {second, true}}));

    // Copy hands the selected positions, in order, to the export code's text (its lines:
    // LogListWindow) and puts that on the clipboard.
    std::vector<long> asked;
    CTamselView::SetClipboardText([&](CTamselDoc&, const std::vector<long>& rows) {
        asked = rows;
        return std::string("1/15/26\tR\n");
    });
    ASSERT_TRUE(Status(Command::EditCopy).enabled);
    list->RunCommand(Command::EditCopy);
    CTamselView::SetClipboardText(nullptr);
    EXPECT_EQ(asked, (std::vector<long>{1, 3}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1/15/26\tR\n");

    // Backspace deletes like Delete; Enter opens the entry view, which this program lacks.
    SelectRows({0});
    list->setFocus();
    ui.answers = {true};
    QTest::keyClick(list, Qt::Key_Backspace);
    EXPECT_EQ(model().rowCount(), 4);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(model().rowCount(), 4);
}

TEST_F(LogListView, RowMenuOffersPrintRoutineOnlyForAWorkoutWithOne) {
    WorkingEntry lift = Entry(1, 7, 2026, "W", 2400);
    lift.routine.push_back({"Squat", 3, {60, 60, 60, 0}, {8, 8, 8, 0}});
    doc->AddEntry(lift, nullptr);
    doc->AddEntry(Entry(1, 5, 2026), nullptr);
    MakeView();
    std::unique_ptr<QMenu> withRoutine(list->MakeRowMenu(0, list));
    ASSERT_NE(FindAction(withRoutine.get(), "Print Routine..."), nullptr);
    EXPECT_TRUE(FindAction(withRoutine.get(), "&Edit...")->isEnabled());
    // A window the program was built without is not offered.
    EXPECT_FALSE(FindAction(withRoutine.get(), "&Open Entry")->isEnabled());
    std::unique_ptr<QMenu> plain(list->MakeRowMenu(1, list));
    EXPECT_EQ(FindAction(plain.get(), "Print Routine..."), nullptr);
    EXPECT_EQ(list->MakeRowMenu(5, list), nullptr);
}

}  // namespace
}  // namespace kivrun::test
