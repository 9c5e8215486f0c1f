#include "weights/ui/WeightsDlg.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "controls/ui/AutoCompleteComboBox.h"
#include "controls/ui/ComboItems.h"
#include "controls/ui/EllipsisItemDelegate.h"
#include "document/TamselDoc.h"
#include "print/ui/GPrintDriver.h"
#include "weights/ui/ExerciseListDlg.h"
#include "weights/ui/RoutinePrintout.h"

namespace kivrun {
namespace {

QString ToQ(const std::string& s) {
    return QString::fromStdString(s);
}

void ShowText(QLineEdit* box, const std::string& text) {
    if (box->text() != ToQ(text)) box->setText(ToQ(text));
}

}  // namespace

// The grid's rows as the editor holds them; reset whenever the editor may have changed them.
class RoutineGridModel : public QAbstractTableModel {
  public:
    RoutineGridModel(const RoutineEditor& editor, QObject* parent)
        : QAbstractTableModel(parent), editor_(editor) {}

    // Catches up with the editor. A reset only when the rows changed: one on every click
    // would forget the row pressed, and a double-click would never reach it.
    void Reset() {
        if (shown_ != editor_.Rows()) {
            beginResetModel();
            shown_ = editor_.Rows();
            marked_ = editor_.Editing();
            endResetModel();
            return;
        }
        for (int row : {std::exchange(marked_, editor_.Editing()), marked_})
            if (row >= 0 && row < rowCount())
                emit dataChanged(index(row, 0), index(row, kRoutineGridColumns - 1));
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(editor_.Rows().size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : kRoutineGridColumns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        // The row whose texts are in the fields stands out: E&nter writes into it.
        const bool edited = index.row() == editor_.Editing();
        if (role == Qt::FontRole && edited) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role == Qt::BackgroundRole && edited) {
            // A tint of the selection colour, light or dark as the theme is.
            const QPalette palette = QGuiApplication::palette();
            const QColor base = palette.color(QPalette::Base);
            const QColor mark = palette.color(QPalette::Highlight);
            const auto mix = [](int a, int b) { return (2 * a + b) / 3; };
            return QColor(mix(base.red(), mark.red()), mix(base.green(), mark.green()),
                          mix(base.blue(), mark.blue()));
        }
        if (role == Qt::ToolTipRole && edited)
            return QStringLiteral("Being edited: E&nter puts the fields back into this row");
        if (role != Qt::DisplayRole) return {};
        const RoutineRow& row = editor_.Rows()[static_cast<size_t>(index.row())];
        return ToQ(GridTexts(row)[static_cast<size_t>(index.column())]);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= kRoutineGridColumns)
            return {};
        const RoutineGridColumn& c = RoutineGridColumnsOf()[static_cast<size_t>(section)];
        if (role == Qt::DisplayRole) return QString::fromUtf8(c.heading);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(c.right ? Qt::AlignRight : Qt::AlignLeft) |
                                       Qt::AlignVCenter);
        return {};
    }

  private:
    const RoutineEditor& editor_;
    std::vector<RoutineRow> shown_;
    int marked_ = -1;
};

CWeightsDlg::CWeightsDlg(CTamselDoc& doc, const std::vector<RoutineRow>* routine, QWidget* parent)
    : QDialog(parent), model_(doc, routine), doc_(doc) {
    setWindowTitle(tr("Weights"));
    setObjectName(QStringLiteral("WeightsDialog"));
    BuildControls();
    BuildLayout();
    Connect();
    RefreshExercises();
    Refresh();
    exercise_->setFocus();
}

CWeightsDlg::~CWeightsDlg() = default;

std::optional<std::vector<RoutineRow>> CWeightsDlg::EditRoutine(CTamselDoc& doc,
                                                                const std::vector<RoutineRow>& rows,
                                                                const CDate& day,
                                                                const std::string& sportName,
                                                                QWidget* parent) {
    CWeightsDlg dialog(doc, &rows, parent);
    dialog.model().SetWorkout(day, sportName);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.model().Result();
}

void CWeightsDlg::EditTemplates(CTamselDoc& doc, QWidget* parent) {
    CWeightsDlg dialog(doc, nullptr, parent);
    dialog.exec();
}

void CWeightsDlg::BuildControls() {
    template_ = new QComboBox(this);
    template_->setEditable(true);
    template_->setInsertPolicy(QComboBox::NoInsert);
    template_->setCompleter(nullptr);
    template_->lineEdit()->setMaxLength(50);  // the log keeps template names this long
    template_->setMinimumContentsLength(20);
    template_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    remove_ = new QPushButton(tr("< &Remove"), this);
    exerciseList_ = new QPushButton(tr("Exercise &List..."), this);

    exercise_ = new CAutoCompleteComboBox(this);
    exercise_->lineEdit()->setMaxLength(100);
    exercise_->setMinimumContentsLength(18);
    exercise_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    exercise_->setMaxVisibleItems(20);
    const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("000.00")) + 12;
    for (QLineEdit*& box : numbers_) {
        box = new QLineEdit(this);
        // Whatever is typed stays in sight and E&nter says what it cannot take: a box that
        // swallowed the "." of 62.5 would keep 625 without a word.
        box->setMaxLength(9);
        box->setFixedWidth(numberWidth);
        box->setAlignment(Qt::AlignRight);
        box->installEventFilter(this);
    }
    enter_ = new QPushButton(tr("E&nter"), this);
    enter_->setDefault(true);

    grid_ = new QTableView(this);
    gridModel_ = new RoutineGridModel(model_, this);
    grid_->setModel(gridModel_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setShowGrid(false);
    grid_->setWordWrap(false);
    grid_->setAlternatingRowColors(true);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    auto* delegate = new CEllipsisItemDelegate(grid_);
    // Widths were set for a font about six pixels to the average character.
    const double scale = std::max(1.0, fontMetrics().averageCharWidth() / 6.0);
    int gridWidth = 0;
    for (int c = 0; c < kRoutineGridColumns; ++c) {
        const RoutineGridColumn& column = RoutineGridColumnsOf()[static_cast<size_t>(c)];
        delegate->setColumnAlignment(c, column.right ? Qt::AlignRight : Qt::AlignLeft);
        const int width = static_cast<int>(column.width * scale);
        grid_->setColumnWidth(c, width);
        gridWidth += width;
    }
    grid_->setItemDelegate(delegate);
    grid_->setMinimumSize(gridWidth + 24, grid_->verticalHeader()->defaultSectionSize() * 10);

    deleteRow_ = new QPushButton(tr("&Delete Row"), this);
    insertRow_ = new QPushButton(tr("&Insert Row"), this);
    clear_ = new QPushButton(tr("&Clear"), this);
    save_ = new QPushButton(tr("&Save Template"), this);
    ok_ = new QPushButton(tr("&OK"), this);
    cancel_ = new QPushButton(tr("Cancel"), this);
    print_ = new QPushButton(tr("&Print"), this);
    // Return in the fields enters the row; only a button reached by Tab takes it for itself.
    for (QPushButton* b :
         {remove_, exerciseList_, deleteRow_, insertRow_, clear_, save_, ok_, cancel_, print_})
        b->setAutoDefault(false);
}

void CWeightsDlg::BuildLayout() {
    auto* top = new QHBoxLayout;
    auto* templateLabel = new QLabel(tr("&Workout Template:"), this);
    templateLabel->setBuddy(template_);
    top->addWidget(templateLabel);
    top->addWidget(template_, 1);
    top->addWidget(remove_);
    top->addStretch();
    top->addWidget(exerciseList_);

    // The fields stand over the grid's columns, each under its heading.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(4);
    auto* exerciseLabel = new QLabel(tr("&Exercise"), this);
    exerciseLabel->setBuddy(exercise_);
    fields->addWidget(exerciseLabel, 0, 0);
    fields->addWidget(exercise_, 1, 0);
    for (int i = 0; i < 9; ++i) {
        const QString heading = i == 0 ? tr("Sets") : i % 2 ? tr("Wt") : tr("Reps");
        auto* label = new QLabel(heading, this);
        label->setBuddy(numbers_[i]);
        fields->addWidget(label, 0, 1 + i, Qt::AlignLeft);
        fields->addWidget(numbers_[i], 1, 1 + i);
    }
    fields->addWidget(enter_, 1, 10);
    fields->setColumnStretch(0, 1);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {deleteRow_, insertRow_, clear_, save_})
        side->addWidget(b);
    side->addStretch();
    for (QPushButton* b : {ok_, cancel_, print_})
        side->addWidget(b);

    auto* body = new QHBoxLayout;
    body->addWidget(grid_, 1);
    body->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addLayout(fields);
    layout->addLayout(body, 1);

    QWidget* order[] = {template_,   remove_,     exerciseList_, exercise_,   numbers_[0],
                        numbers_[1], numbers_[2], numbers_[3],   numbers_[4], numbers_[5],
                        numbers_[6], numbers_[7], numbers_[8],   enter_,      grid_,
                        deleteRow_,  insertRow_,  clear_,        save_,       ok_,
                        cancel_,     print_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CWeightsDlg::Connect() {
    connect(template_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        Gather();
        model_.EditTemplateText(text.toStdString());
        Refresh();
    });
    connect(template_, &QComboBox::textActivated, this, [this](const QString& name) {
        Gather();
        model_.ChooseTemplate(name.toStdString());
        Refresh();
    });
    template_->installEventFilter(this);
    exercise_->installEventFilter(this);
    exercise_->lineEdit()->installEventFilter(this);
    grid_->installEventFilter(this);
    connect(grid_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (refreshing_) return;
        const QModelIndexList rows = grid_->selectionModel()->selectedRows();
        Gather();
        model_.SelectRow(rows.isEmpty() ? -1 : rows.front().row());
        Refresh();
    });
    connect(grid_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { EditRow(index.row()); });
    const auto act = [this](QPushButton* button, auto&& run) {
        connect(button, &QPushButton::clicked, this, [this, run] {
            Gather();
            run();
            Refresh();
        });
    };
    act(enter_, [this] { MoveFocus(model_.Enter()); });
    act(insertRow_, [this] { model_.InsertRow(); });
    act(deleteRow_, [this] { model_.DeleteRow(); });
    act(clear_, [this] { model_.Clear(); });
    act(save_, [this] { MoveFocus(model_.SaveTemplate()); });
    act(remove_, [this] { model_.RemoveTemplate(); });
    connect(exerciseList_, &QPushButton::clicked, this, &CWeightsDlg::OpenExerciseList);
    connect(print_, &QPushButton::clicked, this, &CWeightsDlg::Print);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

bool CWeightsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == template_) {
        // Its own list dropping down, or another window (a message box) coming up, is no
        // leaving of the box.
        const Qt::FocusReason reason = event->type() == QEvent::FocusOut
                                           ? static_cast<QFocusEvent*>(event)->reason()
                                           : Qt::OtherFocusReason;
        const bool leaving = event->type() == QEvent::FocusOut && reason != Qt::PopupFocusReason &&
                             reason != Qt::ActiveWindowFocusReason;
        const bool returned = event->type() == QEvent::KeyPress &&
                              (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter) &&
                              !template_->view()->isVisible();
        if (leaving || returned) {
            Gather();
            model_.LeaveTemplateBox();
            Refresh();
            if (returned) return true;  // the name is taken, not a row entered
        }
    } else if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            deleteRow_->click();
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && model_.Selected() >= 0) {
            EditRow(model_.Selected());
            return true;
        }
    } else if (event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && model_.Editing() >= 0 &&
               (watched == exercise_ || watched == exercise_->lineEdit() ||
                std::find(std::begin(numbers_), std::end(numbers_), watched) !=
                    std::end(numbers_))) {
        // Escape lets the row being edited go unchanged; it closes the dialog otherwise.
        model_.CancelEdit();
        Refresh();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CWeightsDlg::EditRow(int row) {
    Gather();
    model_.EditRow(row);
    Refresh();
    exercise_->setFocus();
    exercise_->lineEdit()->selectAll();
}

void CWeightsDlg::Gather() {
    model_.fields[0] = exercise_->currentText().toStdString();
    for (int i = 0; i < 9; ++i)
        model_.fields[static_cast<size_t>(i + 1)] = numbers_[i]->text().toStdString();
    model_.templateText = template_->currentText().toStdString();
}

void CWeightsDlg::Refresh() {
    refreshing_ = true;
    QStringList names;
    for (const TemplateRow& t : model_.Templates())
        names << ToQ(t.name);
    ShowComboItems(template_, names, ToQ(model_.templateText));
    remove_->setEnabled(model_.RemoveEnabled());

    if (exercise_->currentText() != ToQ(model_.fields[0]))
        exercise_->setEditText(ToQ(model_.fields[0]));
    for (int i = 0; i < 9; ++i)
        ShowText(numbers_[i], model_.fields[static_cast<size_t>(i + 1)]);

    gridModel_->Reset();
    if (model_.Selected() >= 0) {
        grid_->selectRow(model_.Selected());
        grid_->scrollTo(gridModel_->index(model_.Selected(), 0));
    } else {
        grid_->clearSelection();
    }
    deleteRow_->setEnabled(model_.Selected() >= 0);
    insertRow_->setEnabled(model_.Selected() >= 0);
    clear_->setEnabled(!model_.Rows().empty());
    save_->setText(ToQ(model_.SaveText()));
    save_->setEnabled(model_.SaveEnabled());
    print_->setEnabled(!model_.Rows().empty());
    refreshing_ = false;
}

void CWeightsDlg::RefreshExercises() {
    const QString typed = exercise_->currentText();
    exercise_->clear();
    for (const RoutineEditor::ExerciseItem& item : model_.ExerciseItems())
        exercise_->addItem(ToQ(item.text));
    // Headings and the blank lines before them only order the list: they cannot be chosen.
    if (auto* items = qobject_cast<QStandardItemModel*>(exercise_->model())) {
        for (int i = 0; i < items->rowCount(); ++i) {
            if (model_.ExerciseItems()[static_cast<size_t>(i)].exercise) continue;
            QStandardItem* item = items->item(i);
            item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
            if (!item->text().isEmpty()) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
        }
    }
    exercise_->setCurrentIndex(-1);
    exercise_->setEditText(typed);
}

void CWeightsDlg::MoveFocus(Focus focus) {
    if (focus == Focus::Exercise) exercise_->setFocus();
    if (focus == Focus::Template) template_->setFocus();
    if (focus == Focus::Cell && model_.RefusedCell() >= 1) {
        QLineEdit* box = numbers_[model_.RefusedCell() - 1];
        box->setFocus();
        box->selectAll();
    }
}

void CWeightsDlg::Print() {
    Gather();
    CRoutinePrintout printout(ToQ(model_.PrintHeading()), model_.Rows());
    GPrintDriver::Instance().Print(this, printout, doc_.ui());
}

void CWeightsDlg::OpenExerciseList() {
    Gather();
    CExerciseListDlg dialog(doc_, this);
    dialog.exec();
    model_.RefillExercises();
    RefreshExercises();
    Refresh();
}

}  // namespace kivrun
