#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace kivrun {

class ActivityBatch;
class ActivityFileReader;
class ActivityListModel;
class CTamselDoc;

// The review window of File > Import Activities: every activity found in the chosen files
// and folders, each with its check box, its log sport and its status. Files are read on a
// thread of their own, with progress and Cancel; Import writes the checked ones as one
// batch (one Undo takes it back); Cancel writes nothing.
class ActivityImportWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ActivityImportWindow(CTamselDoc& doc, QWidget* parent = nullptr);
    ~ActivityImportWindow() override;

    // Reads these files and folders too; their activities join the list as they are read.
    void AddPaths(const QStringList& paths);
    // The Add Files... and Add Folder... buttons: a file dialog, then AddPaths.
    void ChooseFiles();
    void ChooseFolder();

    bool IsReading() const;
    // Workouts written by Import (0 until then).
    int Imported() const { return imported_; }

    ActivityBatch& Batch() const { return *batch_; }
    ActivityListModel& Model() const { return *model_; }
    QTableView* List() const { return list_; }
    QPushButton* ImportButton() const { return import_; }
    QProgressBar* Progress() const { return progress_; }
    QLabel* Summary() const { return summary_; }

  public slots:
    // Writes the checked activities and closes; stays open when the log refused.
    void Import();
    // Stops reading and closes; nothing is written.
    void reject() override;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void TakeResults();
    void UpdateState();

    CTamselDoc& doc_;
    std::unique_ptr<ActivityBatch> batch_;
    ActivityListModel* model_ = nullptr;
    ActivityFileReader* reader_ = nullptr;
    QTableView* list_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* reading_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* import_ = nullptr;
    QPushButton* addFiles_ = nullptr;
    QPushButton* addFolder_ = nullptr;
    int imported_ = 0;
};

// Local files and folders among dropped or given URLs.
QStringList LocalPaths(const QList<QUrl>& urls);
// Whether a drop holds anything an import can take: an activity file or a folder.
bool HoldsActivities(const QStringList& paths);

// Opens the review window over these files and folders (none: it asks for files first) and
// runs it; the number of workouts imported.
int ReviewActivities(CTamselDoc& doc, const QStringList& paths, QWidget* parent);

}  // namespace kivrun
