#pragma once

#include <QDialog>
#include <QImage>
#include <list>
#include <utility>

class QAbstractScrollArea;
class QAction;
class QLabel;
class QPrinter;
class QSpinBox;

namespace kivrun {

class GPrintout;
class UserInterface;
class PreviewPages;

// Print preview: the pages of a printout on the session's printer, laid out once (with the
// framework's progress and Cancel when that takes a while), each drawn only when it comes
// into view, so that a printout of thousands of pages opens at once. Page Setup lays the
// pages out again; Print prints them as File > Print does.
class GPrintPreview : public QDialog {
    Q_OBJECT
  public:
    GPrintPreview(GPrintout& printout, QPrinter& printer, UserInterface* ui,
                  QWidget* parent = nullptr);
    ~GPrintPreview() override;

    // Lays the pages out for the printer's paper; false when the user cancelled.
    bool Prepare();

    int PageCount() const;
    // The page at the top of the view, 0 for the first.
    int CurrentPage() const;
    void GoToPage(int page);
    // Pixels of screen for an inch of paper.
    double Zoom() const { return zoom_; }
    void SetZoom(double pixelsPerInch);
    void FitWidth();
    // How many pages have been drawn so far (the others have not been looked at).
    int PagesDrawn() const { return drawn_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    friend class PreviewPages;
    // The page drawn at the present zoom; kept for the few pages last shown.
    const QImage& PageImage(int page);
    QSize PaperPixels() const;  // one page of paper on screen
    QRect PrintArea() const;    // where the printout goes on it
    void PagesChanged();
    void ShowPosition();
    void PageSetup();
    void Print();

    GPrintout& printout_;
    QPrinter& printer_;
    UserInterface* ui_;
    PreviewPages* pages_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* ofPages_ = nullptr;
    double zoom_ = 60;
    bool fitWidth_ = true;
    int drawn_ = 0;
    std::list<std::pair<int, QImage>> images_;
};

}  // namespace kivrun
