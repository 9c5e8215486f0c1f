#pragma once

#include <QApplication>
#include <QSplitter>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>

#include "store/LogEntrySet.h"
#include "support/DocFixture.h"
#include "views/ui/LogListModel.h"
#include "views/ui/TamselView.h"

namespace kivrun::test {

// The form of the log window's upper pane, as the list sees it.
class StandInForm : public QWidget, public View {
  public:
    using QWidget::QWidget;
    std::vector<std::pair<long, bool>> loads;  // entry, duplicate
    void OnUpdate(View*, const UpdateHint& hint) override {
        if (hint.kind == Notice::EditEntry) loads.emplace_back(hint.id, hint.duplicate);
    }
};

// A log of workouts over several weeks, and the log list over it below a stand-in form.
class LogListFixture : public DocFixture {
  protected:
    void TearDown() override {
        if (list) doc->RemoveView(list);
        if (form) doc->RemoveView(form);
        window.reset();
        DocFixture::TearDown();
    }

    // count workouts, one every second day from 5 January 2026 (a Monday), running in
    // class G except every third, a race; the fourth has a note.
    std::vector<long> AddWorkouts(int count) {
        std::vector<long> ids;
        for (int i = 0; i < count; ++i) {
            WorkingEntry e = Entry(1, 5, 2026, "R", 3600 + 60 * i, i % 3 == 2 ? "R" : "G");
            e.date = CDate(1, 5, 2026).AddDays(2 * i);
            e.route = "Route " + std::to_string(i);
            if (i == 3) e.notes = "Hills, then an easy run home along the river";
            ids.push_back(doc->AddEntry(e, nullptr));
        }
        return ids;
    }

    CTamselView& MakeView(QSize size = QSize(900, 420)) {
        window = std::make_unique<QSplitter>(Qt::Vertical);
        form = new StandInForm(window.get());
        list = new CTamselView(*doc, window.get());
        window->addWidget(form);
        window->addWidget(list);
        window->setSizes({60, size.height() - 60});
        doc->AddView(list);
        doc->AddView(form);
        window->resize(size);
        window->show();
        Settle();
        return *list;
    }

    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    CLogListModel& model() { return list->Model(); }
    // The entry ids of the list, top to bottom.
    std::vector<long> ListedIds() {
        std::vector<long> ids;
        for (int row = 0; row < model().rowCount(); ++row)
            ids.push_back(model().EntryIdAt(row));
        return ids;
    }
    QString Cell(int row, int column) { return model().index(row, column).data().toString(); }
    QStringList HeaderLabels() {
        QStringList labels;
        for (int c = 0; c < model().columnCount(); ++c)
            labels << model().headerData(c, Qt::Horizontal).toString();
        return labels;
    }
    void SelectRows(std::initializer_list<int> rows) {
        list->clearSelection();
        for (int row : rows)
            list->selectionModel()->select(model().index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    std::unique_ptr<QSplitter> window;
    StandInForm* form = nullptr;
    CTamselView* list = nullptr;  // DocFixture's view records the other views' notices
};

}  // namespace kivrun::test
