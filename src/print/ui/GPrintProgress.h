#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace kivrun {

// The progress of one print job, with Cancel, over the window that printed. It shows
// itself only for long work: a job of more than a few pages, or a layout that takes a
// while. While it shows, the program keeps painting and only its Cancel takes input.
// Without a window it shows nothing and is never cancelled.
class GPrintProgress {
  public:
    static constexpr int kFewPages = 3;

    GPrintProgress(QWidget* parent, const QString& title);
    ~GPrintProgress();
    GPrintProgress(const GPrintProgress&) = delete;
    GPrintProgress& operator=(const GPrintProgress&) = delete;

    // Laying out: done of total rows. False once cancelled.
    bool LayingOut(long done, long total);
    // Painting the page at index of count pages. False once cancelled.
    bool Printing(int index, int count);
    bool Cancelled() const;
    // The dialog while it shows.
    QProgressDialog* Dialog() const { return dialog_.get(); }

  private:
    void Show(const QString& label, int maximum);

    QPointer<QWidget> parent_;
    QString title_;
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer started_;
    QElapsedTimer sinceUpdate_;
};

}  // namespace kivrun
