#pragma once

#include <QTableView>
#include <memory>

#include "views/PrintListLayout.h"

namespace kivrun {

class UserInterface;

// A list that prints itself as a printable list: paginated rows with wrapped cells, the
// column titles on every page and "Page n of m" under them. By default it prints what its
// model shows, in the columns' widths on screen; a list of its own kind gives its own
// source (printed widths, row colours).
class CPrintListView : public QTableView {
    Q_OBJECT
  public:
    explicit CPrintListView(UserInterface& ui, QWidget* parent = nullptr);

    // What the list prints; the model's texts and on-screen widths unless replaced.
    virtual std::shared_ptr<const PrintListSource> PrintSource() const;
    // The printout's name: its dialogs' titles and the document name of the job.
    virtual QString PrintTitle() const;

    void Print();
    void PrintPreview();

  private:
    UserInterface& ui_;
};

}  // namespace kivrun
