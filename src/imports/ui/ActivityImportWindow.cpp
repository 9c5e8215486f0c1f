#include "imports/ui/ActivityImportWindow.h"

#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "devices/ActivityFile.h"
#include "document/ActivityBatch.h"
#include "document/TamselDoc.h"
#include "imports/ui/ActivityFileReader.h"
#include "imports/ui/ActivityListModel.h"

namespace kivrun {
namespace {

// Where the file dialogs start: the folder last chosen in this session, else the home folder.
QString& LastFolder() {
    static QString folder = QDir::homePath();
    return folder;
}

const QString kActivityFilter = QStringLiteral(
    "Activity Files (*.fit *.tcx *.gpx *.fit.gz *.tcx.gz *.gpx.gz *.FIT *.TCX *.GPX);;"
    "All Files (*)");

// The log sport of an activity, chosen from the log's sports.
class SportDelegate : public QStyledItemDelegate {
  public:
    SportDelegate(CTamselDoc& doc, QObject* parent) : QStyledItemDelegate(parent), doc_(doc) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* box = new QComboBox(parent);
        for (const SportInfo& sport : doc_.GetCatalog().sports)
            box->addItem(QString::fromStdString(sport.name), QString::fromStdString(sport.abbrev));
        // A choice is taken at once, not when the cell is left.
        connect(box, &QComboBox::activated, this, [this, box] {
            auto* self = const_cast<SportDelegate*>(this);
            emit self->commitData(box);
            emit self->closeEditor(box);
        });
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* box = static_cast<QComboBox*>(editor);
        box->setCurrentIndex(box->findData(index.data(Qt::EditRole)));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        auto* box = static_cast<QComboBox*>(editor);
        if (box->currentIndex() >= 0) model->setData(index, box->currentData(), Qt::EditRole);
    }

  private:
    CTamselDoc& doc_;
};

}  // namespace

QStringList LocalPaths(const QList<QUrl>& urls) {
    QStringList paths;
    for (const QUrl& url : urls)
        if (url.isLocalFile()) paths << url.toLocalFile();
    return paths;
}

bool HoldsActivities(const QStringList& paths) {
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir() || devices::ActivityFileTypeOf(path.toStdString())) return true;
    }
    return false;
}

ActivityImportWindow::ActivityImportWindow(CTamselDoc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), batch_(std::make_unique<ActivityBatch>(doc)) {
    setWindowTitle(tr("Import Activities"));
    setObjectName(QStringLiteral("ActivityImportWindow"));
    setAcceptDrops(true);

    model_ = new ActivityListModel(*batch_, this);
    reader_ = new ActivityFileReader(this);

    auto* intro = new QLabel(
        tr("Workouts found in the chosen activity files. <b>Import</b> adds the checked ones to "
           "the log; choose a sport where none fits. Files and folders dropped here join the "
           "list."),
        this);
    intro->setWordWrap(true);

    list_ = new QTableView(this);
    // Sorted by a click on a heading; until then, in the order the files were read.
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(model_);
    sorted->setSortRole(ActivityListModel::SortRole);
    sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
    list_->setModel(sorted);
    list_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    list_->setSortingEnabled(true);
    list_->setItemDelegateForColumn(ActivityListModel::Sport, new SportDelegate(doc, list_));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    list_->setAlternatingRowColors(true);
    list_->setWordWrap(false);
    // Many rows stay quick with one fixed row height.
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    const int ch = fontMetrics().averageCharWidth();
    const int widths[ActivityListModel::ColumnCount] = {7, 12, 7, 16, 14, 11, 10, 12, 8, 6, 44, 24};
    for (int c = 0; c < ActivityListModel::ColumnCount; ++c)
        list_->setColumnWidth(c, widths[c] * ch + 8);

    reading_ = new QLabel(this);
    progress_ = new QProgressBar(this);
    progress_->setTextVisible(false);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("ActivitySummary"));

    addFiles_ = new QPushButton(tr("Add &Files..."), this);
    addFolder_ = new QPushButton(tr("Add F&older..."), this);
    // Enter always means Import, whichever button was pressed last.
    for (QPushButton* add : {addFiles_, addFolder_})
        add->setAutoDefault(false);
    import_ = new QPushButton(tr("&Import"), this);
    import_->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    connect(addFiles_, &QPushButton::clicked, this, &ActivityImportWindow::ChooseFiles);
    connect(addFolder_, &QPushButton::clicked, this, &ActivityImportWindow::ChooseFolder);
    connect(import_, &QPushButton::clicked, this, &ActivityImportWindow::Import);
    connect(cancel, &QPushButton::clicked, this, &ActivityImportWindow::reject);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(reading_);
    progressRow->addWidget(progress_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addFiles_);
    buttons->addWidget(addFolder_);
    buttons->addStretch();
    buttons->addWidget(import_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addLayout(progressRow);
    layout->addWidget(summary_);
    layout->addLayout(buttons);
    resize(ch * 160, fontMetrics().height() * 40);

    connect(reader_, &ActivityFileReader::ResultsReady, this, &ActivityImportWindow::TakeResults);
    connect(reader_, &ActivityFileReader::Finished, this, [this] {
        TakeResults();
        UpdateState();
    });
    connect(model_, &ActivityListModel::ChecksChanged, this, &ActivityImportWindow::UpdateState);
    UpdateState();
}

ActivityImportWindow::~ActivityImportWindow() {
    reader_->Stop();
}

bool ActivityImportWindow::IsReading() const {
    return reader_->IsReading();
}

void ActivityImportWindow::AddPaths(const QStringList& paths) {
    std::vector<std::filesystem::path> chosen;
    for (const QString& path : paths)
        chosen.emplace_back(path.toStdString());
    if (chosen.empty()) return;
    reader_->Read(std::move(chosen));
    UpdateState();
}

void ActivityImportWindow::ChooseFiles() {
    const QStringList files =
        QFileDialog::getOpenFileNames(this, tr("Import Activities"), LastFolder(), kActivityFilter);
    if (!files.isEmpty()) LastFolder() = QFileInfo(files.front()).absolutePath();
    AddPaths(files);
}

void ActivityImportWindow::ChooseFolder() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, tr("Import the Activities of a Folder"), LastFolder());
    if (folder.isEmpty()) return;
    LastFolder() = folder;
    AddPaths({folder});
}

void ActivityImportWindow::TakeResults() {
    // A few at a time, so that the window answers while a large batch is checked against the
    // log.
    std::vector<ActivityFileReader::Result> results = reader_->Take(25);
    if (results.empty()) return;
    for (auto& [path, activity] : results)
        batch_->Add(path, std::move(activity));
    model_->Grew();
    UpdateState();
}

void ActivityImportWindow::UpdateState() {
    const bool reading = IsReading();
    reading_->setVisible(reading);
    progress_->setVisible(reading);
    if (reading) {
        const int found = reader_->Found();
        reading_->setText(found == 0 ? tr("Looking for activity files...")
                                     : tr("Reading file %1 of %2...")
                                           .arg(std::min(reader_->Done() + 1, found))
                                           .arg(found));
        progress_->setRange(0, found);  // 0 to 0: busy while the folders are walked
        progress_->setValue(reader_->Done());
    }
    int fresh = 0, noSport = 0, twice = 0, refused = 0;
    for (const ActivityItem& item : batch_->Items()) {
        switch (item.status) {
            case ActivityItem::Status::New:
                ++(item.sport.empty() ? noSport : fresh);
                break;
            case ActivityItem::Status::InLog:
            case ActivityItem::Status::SameWorkout:
                ++twice;
                break;
            default:
                ++refused;
        }
    }
    const int checked = static_cast<int>(batch_->CheckedCount());
    QString text = tr("%n new", nullptr, fresh);
    if (noSport) text += tr(", %n without a sport", nullptr, noSport);
    if (twice) text += tr(", %n in the log already or recorded twice", nullptr, twice);
    if (refused) text += tr(", %n refused", nullptr, refused);
    summary_->setText(batch_->Size() == 0 && !reading
                          ? tr("Choose activity files or a folder of them, or drop them here.")
                          : text + tr("; %n checked.", nullptr, checked));
    import_->setEnabled(!reading && checked > 0);
    import_->setText(checked > 0 ? tr("&Import %n", nullptr, checked) : tr("&Import"));
}

void ActivityImportWindow::Import() {
    if (IsReading() || batch_->CheckedCount() == 0) return;
    int written = 0;
    {
        WaitCursor wait(doc_.ui());
        written = batch_->Import(nullptr);
    }
    if (written == 0) {
        UpdateState();  // the log refused and said why; the list stays for another try
        return;
    }
    imported_ = written;
    accept();
}

void ActivityImportWindow::reject() {
    reader_->Stop();
    QDialog::reject();
}

void ActivityImportWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && HoldsActivities(LocalPaths(event->mimeData()->urls())))
        event->acceptProposedAction();
}

void ActivityImportWindow::dropEvent(QDropEvent* event) {
    AddPaths(LocalPaths(event->mimeData()->urls()));
    event->acceptProposedAction();
}

int ReviewActivities(CTamselDoc& doc, const QStringList& paths, QWidget* parent) {
    if (!doc.IsOpen()) return 0;
    if (doc.IsReadOnly()) {
        doc.ui().ShowMessage("This training log is open for reading only; nothing can be changed.");
        return 0;
    }
    ActivityImportWindow window(doc, parent);
    if (paths.isEmpty())
        QTimer::singleShot(0, &window, &ActivityImportWindow::ChooseFiles);
    else
        window.AddPaths(paths);
    window.exec();
    return window.Imported();
}

}  // namespace kivrun
