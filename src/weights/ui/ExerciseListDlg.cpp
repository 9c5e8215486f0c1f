#include "weights/ui/ExerciseListDlg.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/ui/AutoCompleteComboBox.h"
#include "controls/ui/ComboItems.h"

namespace kivrun {
namespace {

QString ToQ(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

CExerciseListDlg::CExerciseListDlg(CTamselDoc& doc, QWidget* parent)
    : QDialog(parent), model_(doc) {
    setWindowTitle(tr("Modify Exercise List"));
    setObjectName(QStringLiteral("ExerciseListDialog"));
    bodyPart_ = new CAutoCompleteComboBox(this);
    bodyPart_->lineEdit()->setMaxLength(150);  // the log's lengths of the two names
    bodyPart_->setMinimumContentsLength(14);
    bodyPart_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    removeBodyPart_ = new QPushButton(tr("< Remove"), this);
    name_ = new QLineEdit(this);
    name_->setMaxLength(100);
    add_ = new QPushButton(tr("&Add >>"), this);
    remove_ = new QPushButton(tr("<< &Remove"), this);
    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setHeaderLabels({tr("Body Part"), tr("Exercise")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSortingEnabled(false);
    const double scale = std::max(1.0, fontMetrics().averageCharWidth() / 6.0);
    list_->setColumnWidth(0, static_cast<int>(110 * scale));
    list_->setColumnWidth(1, static_cast<int>(110 * scale));
    // Room for the longer default names ("Concentration Curls") without a scroll bar.
    list_->header()->setStretchLastSection(true);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setMinimumSize(
        static_cast<int>(110 * scale) +
            fontMetrics().horizontalAdvance(QStringLiteral("Concentration Curls")) + 40,
        260);
    ok_ = new QPushButton(tr("&OK"), this);
    ok_->setDefault(true);
    for (QPushButton* b : {removeBodyPart_, add_, remove_})
        b->setAutoDefault(false);
    BuildLayout();
    Connect();
    Refresh();
    bodyPart_->setFocus();
}

CExerciseListDlg::~CExerciseListDlg() = default;

void CExerciseListDlg::Edit(CTamselDoc& doc, QWidget* parent) {
    CExerciseListDlg dialog(doc, parent);
    dialog.exec();
}

void CExerciseListDlg::BuildLayout() {
    auto* newExercise = new QGroupBox(tr("Ne&w Exercise"), this);
    auto* bodyGroup = new QGroupBox(tr("Body Part"), newExercise);
    auto* bodyRow = new QHBoxLayout(bodyGroup);
    bodyRow->addWidget(bodyPart_, 1);
    bodyRow->addWidget(removeBodyPart_);
    auto* nameGroup = new QGroupBox(tr("Exercise Name"), newExercise);
    auto* nameRow = new QHBoxLayout(nameGroup);
    nameRow->addWidget(name_);
    auto* left = new QVBoxLayout(newExercise);
    left->addWidget(bodyGroup);
    left->addWidget(nameGroup);
    left->addStretch();

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add_);
    middle->addWidget(remove_);
    middle->addStretch();

    auto* listLabel = new QLabel(tr("&Exercise List"), this);
    listLabel->setBuddy(list_);
    auto* right = new QVBoxLayout;
    right->addWidget(listLabel);
    right->addWidget(list_, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(newExercise);
    body->addLayout(middle);
    body->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    QWidget* order[] = {bodyPart_, removeBodyPart_, name_, add_, remove_, list_, ok_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CExerciseListDlg::Connect() {
    connect(bodyPart_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (refreshing_) return;
        Gather();
        model_.EditBodyPart(text.toStdString());
        Refresh();
    });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (refreshing_) return;
        const QModelIndexList rows = list_->selectionModel()->selectedRows();
        model_.SelectRow(rows.isEmpty() ? -1 : rows.front().row());
        Refresh();
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusMoved(now); });
    connect(add_, &QPushButton::clicked, this, [this] {
        Gather();
        const Focus focus = model_.Add();
        Refresh();
        MoveFocus(focus);
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        Gather();
        const Focus focus = model_.Remove();
        Refresh();
        MoveFocus(focus);
    });
    connect(removeBodyPart_, &QPushButton::clicked, this, [this] {
        Gather();
        model_.RemoveBodyPart();
        Refresh();
        bodyPart_->setFocus();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    name_->installEventFilter(this);
    bodyPart_->installEventFilter(this);
}

bool CExerciseListDlg::eventFilter(QObject* watched, QEvent* event) {
    // Return in the new exercise's boxes adds it, rather than closing the dialog.
    if ((watched == name_ || watched == bodyPart_) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !bodyPart_->view()->isVisible()) {
            if (add_->isEnabled()) add_->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CExerciseListDlg::FocusMoved(QWidget* now) {
    if (!now || refreshing_) return;
    if (now == list_ || list_->isAncestorOf(now)) {
        model_.FocusList();
    } else if (now == bodyPart_ || bodyPart_->isAncestorOf(now) || now == name_) {
        model_.FocusEntryBoxes();
    } else {
        return;
    }
    Refresh();
}

void CExerciseListDlg::Gather() {
    model_.bodyPartText = bodyPart_->currentText().toStdString();
    model_.exerciseText = name_->text().toStdString();
}

void CExerciseListDlg::Refresh() {
    refreshing_ = true;
    QStringList parts;
    for (const BodyPartRow& p : model_.BodyParts())
        parts << ToQ(p.name);
    ShowComboItems(bodyPart_, parts, ToQ(model_.bodyPartText));
    if (name_->text() != ToQ(model_.exerciseText)) name_->setText(ToQ(model_.exerciseText));

    const auto& rows = model_.Exercises();
    bool same = list_->topLevelItemCount() == static_cast<int>(rows.size());
    for (int i = 0; same && i < list_->topLevelItemCount(); ++i)
        same = list_->topLevelItem(i)->data(0, Qt::UserRole).toLongLong() ==
               rows[static_cast<size_t>(i)].exerciseId;
    if (!same) {
        list_->clear();
        for (const ExerciseRow& e : rows) {
            auto* item = new QTreeWidgetItem({ToQ(e.bodyPartName), ToQ(e.name)});
            item->setData(0, Qt::UserRole, QVariant::fromValue<qlonglong>(e.exerciseId));
            list_->addTopLevelItem(item);
        }
    }
    if (model_.Selected() >= 0) {
        QTreeWidgetItem* item = list_->topLevelItem(model_.Selected());
        list_->setCurrentItem(item);
        list_->scrollToItem(item);
    } else {
        list_->clearSelection();
    }
    add_->setEnabled(model_.AddEnabled());
    remove_->setEnabled(model_.RemoveEnabled());
    removeBodyPart_->setEnabled(model_.RemoveBodyPartEnabled());
    refreshing_ = false;
}

void CExerciseListDlg::MoveFocus(Focus focus) {
    switch (focus) {
        case Focus::BodyPart:
            bodyPart_->setFocus();
            break;
        case Focus::Name:
            name_->setFocus();
            break;
        case Focus::List:
            list_->setFocus();
            break;
        case Focus::None:
            break;
    }
}

}  // namespace kivrun
