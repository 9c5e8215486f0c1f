#pragma once

#include <QComboBox>
#include <QList>
#include <QString>

namespace kivrun {

// A drop-down list whose items are ticked rather than chosen: several at once. The closed
// box shows the ticked items joined by the locale's list separator, or "All Selected". In the
// open list, a click or Space ticks or unticks an item and the list stays open; Down opens it.
//
// An item's tick is its Qt::CheckStateRole; its Qt::UserRole data is the owner's (an
// abbreviation, an id). Items added with the plain QComboBox calls start unticked.
class CCheckListComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit CCheckListComboBox(QWidget* parent = nullptr);

    // Appends an item; returns its index.
    int addCheckItem(const QString& text, bool checked = false, const QVariant& data = {});
    bool isChecked(int index) const;
    // Changes a tick without emitting selectionChanged: for owners restoring a saved state.
    void setChecked(int index, bool checked);
    void setAllChecked(bool checked);
    bool allChecked() const;
    QList<int> checkedIndexes() const;

    // What the closed box shows.
    QString summaryText() const;
    // Names the ticked items even when every item is ticked ("None" when none is): for
    // lists where ticking all is no shorthand for "any".
    void setNamesEveryItem(bool names);
    // What a list that names every item shows with none ticked ("None" unless told).
    void setNoneText(const QString& text);

    void showPopup() override;

  signals:
    // The user ticked or unticked an item.
    void selectionChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void toggleByUser(int index);
    void invalidateSummary();

    mutable QString summary_;
    mutable bool summaryValid_ = false;
    bool namesEvery_ = false;
    QString noneText_;
};

}  // namespace kivrun
