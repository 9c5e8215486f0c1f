#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "frames/Commands.h"
#include "store/Rows.h"
#include "store/UserInterface.h"

namespace kivrun {

class CDate;
class CTamselDoc;
class KivrunApp;
class MainFrame;

// The pictures of the user's guide: the program's real windows on a sample log, drawn
// offscreen. The log is made with a fixed seed and today is pinned, so the same code gives
// the same pictures; regenerate them whenever a window changes.
class HelpShots {
  public:
    // The file names of every picture, in the order they are taken.
    static const QStringList& Names();
    // The widest picture saved; wider windows are scaled down smoothly.
    static constexpr int kMaxWidth = 640;

    // Writes the sample log into workFolder (kept for the program's settings and backups
    // too) and opens it in the program. The caller owns the QApplication.
    explicit HelpShots(const QString& workFolder);
    ~HelpShots();

    // False when the sample log could not be made or opened; Error() says why.
    bool Ready() const { return ready_; }
    const QString& Error() const { return error_; }

    // Saves the picture called name (one of Names()) into outFolder. False after setting
    // Error().
    bool Save(const QString& name, const QString& outFolder);

    // Sets the font, style and palette the pictures are drawn with. Call once after the
    // QApplication is made, before HelpShots.
    static void SetUpLook();

  private:
    QWidget* Shoot(const QString& name);
    QWidget* OpenWindow(WindowKind kind, int width, int height);
    void Ensure(Command cmd);
    RowId BusiestWeekEntry() const;
    std::vector<RoutineRow> VariedRoutine() const;
    RowId LatestEntry(const char* sport, bool withNotes, const CDate* before) const;
    bool Fail(const QString& why);
    MainFrame& Frame() const;
    CTamselDoc& Doc() const;

    QString startFolder_;
    std::unique_ptr<KivrunApp> app_;
    std::unique_ptr<QWidget> dialog_;  // the dialog of the picture being taken
    bool ready_ = false;
    QString error_;
};

}  // namespace kivrun
