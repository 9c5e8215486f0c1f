#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "app/HelpGuide.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QTreeWidget;

namespace kivrun {

// The program's user guide: one window for the whole program, its pages compiled in. A
// contents tree, the page, and a find box that searches every page; it opens nothing
// outside the guide.
class HelpWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The window, made on first use.
    static HelpWindow& Instance();
    // The window if it was made, else null.
    static HelpWindow* Existing();
    // Shows the guide at "page.html" or "page.html#section", in front and with the keyboard.
    static void Open(const std::string& target);

    // The page shown, "page.html" or "page.html#section".
    QString CurrentTarget() const;
    // Lists the pages holding every word of the query and marks the words on the page.
    void Find(const QString& query);
    // Moves to the next (previous) marked word on the page, round to the first (last).
    void FindNext(bool backward = false);

    QTextBrowser* browser() const { return browser_; }
    QLineEdit* findBox() const { return findBox_; }
    QListWidget* hitList() const { return hits_; }
    QTreeWidget* contentsTree() const { return contents_; }
    // How many words are marked on the page.
    int MarkCount() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    HelpWindow();
    void Show(const QString& target);
    void BuildContents();
    // Before it shows: no larger than the screen, over the program's window, all on the screen.
    void PlaceOnScreen();
    void PageChanged(const QUrl& url);
    void MarkWords();
    void OpenHit(int row);
    void Escape();
    // A dialog that blocks the rest of the program would block the guide too: while one is
    // up the window belongs to it, and returns to the program when the dialog goes.
    void FollowModalDialog();

    QTextBrowser* browser_ = nullptr;
    QTreeWidget* contents_ = nullptr;
    QLineEdit* findBox_ = nullptr;
    QListWidget* hits_ = nullptr;
    QLabel* hitsLabel_ = nullptr;
    QAction* next_ = nullptr;
    QAction* previous_ = nullptr;
    std::unique_ptr<CHelpSearch> search_;
    QPointer<QWidget> modal_;
    bool listing_ = false;
};

// The guide's context of a widget: that of the nearest window, dialog or pane around it
// that has a page of its own, else the contents.
HelpContext HelpContextAt(QWidget* widget);

// F1 opens the guide at the page of whatever has the keyboard, in every window of the
// program, for as long as the returned object lives.
QObject* InstallHelpKey(QObject* owner);

}  // namespace kivrun
