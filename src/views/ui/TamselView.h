#pragma once

#include <QTableView>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/UpdateHint.h"
#include "frames/Commands.h"
#include "store/UserInterface.h"
#include "views/LogListColumnRules.h"

class QMenu;
class QPrinter;

namespace kivrun {

class CTamselDoc;
class CLogListModel;
class CLogListDelegate;

// The log list: every workout that passes the filter, one row each, in the log's date
// order, in the columns the log keeps in its column settings. Rows are shaded by week and
// coloured by training class. It opens, edits, duplicates, deletes and copies the selected
// workouts, lays out its columns from the header, and prints itself.
//
// It holds no rows: the model reads the filtered set for the rows being painted, the rows
// are of one fixed height, and nothing is measured for rows that are not shown.
class CTamselView : public QTableView, public View, public CommandTarget {
    Q_OBJECT
  public:
    // The clipboard text of the rows at these positions of the filtered set (top to bottom);
    // given by the export code, the same for every log list.
    using ClipboardText =
        std::function<std::string(CTamselDoc& doc, const std::vector<long>& positions)>;
    static void SetClipboardText(ClipboardText source);

    // The log window's lower pane.
    static QWidget* Create(CTamselDoc& doc, QWidget* parent);

    explicit CTamselView(CTamselDoc& doc, QWidget* parent = nullptr);
    ~CTamselView() override;

    CTamselDoc& Document() const { return doc_; }
    CLogListModel& Model() const { return *model_; }

    void OnUpdate(View* sender, const UpdateHint& hint) override;
    std::optional<CommandState> CommandStatus(Command cmd) override;
    void RunCommand(Command cmd) override;
    // Makes the entry's row the only selected row and scrolls it into view.
    void SelectEntry(RowId entryId);
    // Positions in the filtered set of the selected rows, top to bottom.
    std::vector<long> SelectedPositions() const;
    std::size_t SelectedCount() const;

    // --- The selected workouts --------------------------------------------------------
    // The entry view on the first selected workout (when the program has that window).
    void OpenSelectedEntry();
    // The data entry form with the first selected workout, to change it or to copy it.
    void EditSelectedEntry(bool duplicate);
    // Asks, then deletes every selected workout.
    void DeleteSelectedEntries();
    // The week or month window on the first selected workout's date.
    void ShowSelectedIn(WindowKind kind);
    void CopySelected();

    // --- Columns -------------------------------------------------------------------------
    // What a click on a header does: the Date header turns the date order round, any other
    // shows its column menu.
    void HeaderClicked(int section);
    // The menu of the column at section; null for the Date column, which has none.
    QMenu* MakeColumnMenu(int section, QWidget* parent);
    // The menu of a row (right button); null when there is no row there.
    QMenu* MakeRowMenu(int row, QWidget* parent);
    bool HideColumnAt(int section);
    // Shows a hidden column at section, or moves a visible one there.
    void InsertColumnAt(int section, int columnId);
    void SetColumnFormat(int columnId, const ColumnFormatChange& change);
    // The column as wide as its widest text in the rows on screen, plus 15; for this
    // window only (the log keeps its widths).
    void FitColumnToContents(int section);
    // Route and Notes share the width the other columns leave.
    void FitRouteAndNotes();

    // --- Printing ------------------------------------------------------------------------
    // The whole list on that printer, or the pages of its page range, without a dialog;
    // false when it could not be printed.
    bool PrintTo(QPrinter& printer);
    // File > Print and Print Preview, through the program's printing.
    void Print();
    void PrintPreview();

  protected:
    int sizeHintForColumn(int column) const override;
    // Home and End go to the first and last row, as in every list.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    // The selection and the focus frame are drawn across whole rows: whole rows are
    // repainted when they change.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    int RowHeight() const;
    void BuildColumns();
    // A column's width when the columns are built: the log's, or more when its numbers
    // would not fit.
    int BuiltWidth(int section) const;
    // Reads the visible columns again after a change; widths by column id are kept.
    void ReloadColumns(const std::map<int, int>& widths);
    std::map<int, int> CurrentWidths() const;
    void ShowDateOrder();
    void SectionResized(int section);
    void RowsReplaced();
    void ScrollToRow(long row);
    void RepaintRow(int row);
    RowId FirstSelectedEntry() const;

    static ClipboardText& ClipboardSource();

    CTamselDoc& doc_;
    CLogListModel* model_ = nullptr;
    CLogListDelegate* delegate_ = nullptr;
    int wheelRemainder_ = 0;  // wheel turning not yet scrolled, in 1/120 pixel
    bool applyingWidths_ = false;
    bool shown_ = false;
};

}  // namespace kivrun
