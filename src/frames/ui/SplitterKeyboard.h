#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include "frames/DividerMove.h"

class QSplitter;

namespace kivrun {

// Window > Split Window: while it lives the arrow keys move the splitter's divider
// (Ctrl for one pixel), Return or a click keeps it, Escape puts it back. It deletes
// itself when done.
class SplitterKeyboard : public QObject {
    Q_OBJECT
  public:
    static SplitterKeyboard* Start(QSplitter* splitter);
    ~SplitterKeyboard() override;

    // The message shown in the status bar while the divider moves.
    static QString Prompt();

  signals:
    void Finished(bool kept);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SplitterKeyboard(QSplitter* splitter, int lowest, int highest);
    void MoveTo(int upper);
    void Finish(bool keep);

    QPointer<QSplitter> splitter_;
    DividerMove move_;
    QList<int> startSizes_;
    bool done_ = false;
};

}  // namespace kivrun
