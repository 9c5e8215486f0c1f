#include "controls/ui/CheckListComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "controls/CheckListSummary.h"

namespace kivrun {

namespace {

// Qt does not tell the locale's list separator. Locales that write a decimal comma separate
// lists with a semicolon, the others with a comma.
QString LocaleListSeparator(const QLocale& locale) {
    return locale.decimalPoint() == QStringLiteral(",") ? QStringLiteral(";") : QStringLiteral(",");
}

}  // namespace

CCheckListComboBox::CCheckListComboBox(QWidget* parent) : QComboBox(parent) {
    // The default popup delegate draws menu items and ignores ticks.
    view()->setItemDelegate(new QStyledItemDelegate(this));
    // Installed after the popup's own filters, so these run first and can keep a click from
    // closing the list.
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);

    QAbstractItemModel* m = model();
    connect(m, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                for (int row = first; row <= last; ++row) {
                    if (!itemData(row, Qt::CheckStateRole).isValid())
                        setItemData(row, Qt::Unchecked, Qt::CheckStateRole);
                }
                invalidateSummary();
            });
    connect(m, &QAbstractItemModel::rowsRemoved, this, &CCheckListComboBox::invalidateSummary);
    connect(m, &QAbstractItemModel::modelReset, this, &CCheckListComboBox::invalidateSummary);
    connect(m, &QAbstractItemModel::dataChanged, this, &CCheckListComboBox::invalidateSummary);
}

int CCheckListComboBox::addCheckItem(const QString& text, bool checked, const QVariant& data) {
    addItem(text, data);
    const int index = count() - 1;
    setChecked(index, checked);
    return index;
}

bool CCheckListComboBox::isChecked(int index) const {
    return itemData(index, Qt::CheckStateRole).toInt() == Qt::Checked;
}

void CCheckListComboBox::setChecked(int index, bool checked) {
    if (index < 0 || index >= count()) return;
    setItemData(index, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

void CCheckListComboBox::setAllChecked(bool checked) {
    for (int i = 0; i < count(); ++i)
        setChecked(i, checked);
}

bool CCheckListComboBox::allChecked() const {
    for (int i = 0; i < count(); ++i) {
        if (!isChecked(i)) return false;
    }
    return true;
}

QList<int> CCheckListComboBox::checkedIndexes() const {
    QList<int> checked;
    for (int i = 0; i < count(); ++i) {
        if (isChecked(i)) checked.append(i);
    }
    return checked;
}

void CCheckListComboBox::setNamesEveryItem(bool names) {
    namesEvery_ = names;
    invalidateSummary();
}

void CCheckListComboBox::setNoneText(const QString& text) {
    noneText_ = text;
    invalidateSummary();
}

QString CCheckListComboBox::summaryText() const {
    if (!summaryValid_) {
        std::vector<controls::CheckItem> items;
        for (int i = 0; i < count(); ++i)
            items.push_back({itemText(i).toStdU16String(), isChecked(i)});
        const std::u16string sep =
            controls::SummarySeparator(LocaleListSeparator(locale()).toStdU16String());
        if (namesEvery_) {
            std::u16string text;
            for (const controls::CheckItem& item : items)
                if (item.checked) text += (text.empty() ? u"" : sep) + item.text;
            summary_ = text.empty() ? (noneText_.isEmpty() ? tr("None") : noneText_)
                                    : QString::fromStdU16String(text);
        } else {
            summary_ = QString::fromStdU16String(controls::SummaryText(items, sep));
        }
        summaryValid_ = true;
    }
    return summary_;
}

void CCheckListComboBox::invalidateSummary() {
    summaryValid_ = false;
    update();
}

void CCheckListComboBox::toggleByUser(int index) {
    if (index < 0 || index >= count()) return;
    setChecked(index, !isChecked(index));
    emit selectionChanged();
}

void CCheckListComboBox::showPopup() {
    QComboBox::showPopup();
    // Make room for the tick boxes, which the combo box leaves out of its width.
    QWidget* popup = view()->window();
    const int needed =
        view()->sizeHintForColumn(0) + 2 * view()->frameWidth() +
        (view()->verticalScrollBar()->isVisible() ? view()->verticalScrollBar()->sizeHint().width()
                                                  : 0) +
        4;
    if (popup->width() < needed) popup->resize(needed, popup->height());
}

bool CCheckListComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view()->viewport()) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() != Qt::LeftButton) break;
                const QModelIndex index = view()->indexAt(mouse->position().toPoint());
                if (index.isValid() && (index.flags() & Qt::ItemIsEnabled))
                    toggleByUser(index.row());
                return true;
            }
            case QEvent::MouseButtonRelease:
                // The popup closes on a release over an item; the list stays open instead.
                return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
            default:
                break;
        }
    } else if (watched == view() &&
               (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Space:
                if (event->type() == QEvent::KeyPress) toggleByUser(view()->currentIndex().row());
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                // The popup takes Enter (already as a shortcut override) to make the
                // highlighted item current; here nothing is chosen, the list only closes.
                key->accept();
                hidePopup();
                return true;
            default:
                break;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void CCheckListComboBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Down:
        case Qt::Key_F4:
        case Qt::Key_Space:
            showPopup();
            return;
        case Qt::Key_Up:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // These would change the current item, which means nothing here.
            event->ignore();
            return;
        default:
            if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
                event->ignore();  // no jumping to an item by its first letter either
                return;
            }
            QComboBox::keyPressEvent(event);
    }
}

void CCheckListComboBox::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

void CCheckListComboBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) invalidateSummary();
    QComboBox::changeEvent(event);
}

void CCheckListComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);

    const QString summary = summaryText();
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    opt.currentIcon = QIcon();
    opt.currentText = fontMetrics().elidedText(summary, Qt::ElideRight, field.width());
    setToolTip(opt.currentText == summary ? QString() : summary);
    painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
}

}  // namespace kivrun
