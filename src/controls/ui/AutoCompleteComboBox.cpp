#include "controls/ui/AutoCompleteComboBox.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>

namespace kivrun {

namespace {

controls::EditState StateOf(const QLineEdit& edit) {
    controls::EditState s;
    s.text = edit.text().toStdU16String();
    if (edit.hasSelectedText()) {
        s.selectionStart = edit.selectionStart();
        s.selectionEnd = edit.selectionEnd();
    } else {
        s.selectionStart = s.selectionEnd = edit.cursorPosition();
    }
    return s;
}

}  // namespace

CAutoCompleteComboBox::CAutoCompleteComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // ours replaces the combo box's own inline completion
    QLineEdit* edit = lineEdit();
    connect(edit, &QLineEdit::textEdited, this, &CAutoCompleteComboBox::onTextEdited);
    // The line edit reports a change as textEdited first, then textChanged and the selection
    // and cursor signals. Keeping the edit's state from those last ones means that when the
    // next textEdited comes, the state before that change is at hand.
    connect(edit, &QLineEdit::textChanged, this, &CAutoCompleteComboBox::rememberEdit);
    connect(edit, &QLineEdit::selectionChanged, this, &CAutoCompleteComboBox::rememberEdit);
    connect(edit, &QLineEdit::cursorPositionChanged, this, &CAutoCompleteComboBox::rememberEdit);
}

void CAutoCompleteComboBox::rememberEdit() {
    if (!completing_) completer_.Reset(StateOf(*lineEdit()));
}

void CAutoCompleteComboBox::onTextEdited(const QString& text) {
    QLineEdit* edit = lineEdit();
    std::vector<std::u16string> items;
    items.reserve(static_cast<size_t>(count()));
    for (int i = 0; i < count(); ++i)
        items.push_back(itemText(i).toStdU16String());
    controls::EditState typed;
    typed.text = text.toStdU16String();
    typed.selectionStart = typed.selectionEnd = edit->cursorPosition();
    const controls::Completion c = completer_.TextChanged(typed, items);

    completing_ = true;
    if (c.item >= 0) {
        edit->setText(QString::fromStdU16String(c.edit.text));
        edit->setSelection(c.edit.selectionStart, c.edit.selectionEnd - c.edit.selectionStart);
        if (openListOnMatch_) showMatchInList(c.item);
    } else if (list_ && list_->popup()->isVisible()) {
        list_->popup()->hide();
    }
    completing_ = false;
    completer_.Reset(StateOf(*edit));
    emit textTyped(edit->text());
}

void CAutoCompleteComboBox::showMatchInList(int row) {
    // A completer's popup lets typing go on in the edit, which the combo box's own drop-down
    // would take over.
    if (!list_) {
        list_ = new QCompleter(model(), this);
        list_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
        list_->setCompletionColumn(modelColumn());
        list_->setWidget(lineEdit());
        connect(list_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
                [this](const QModelIndex& index) { setCurrentIndex(index.row()); });
    }
    list_->complete();
    list_->popup()->setCurrentIndex(list_->completionModel()->index(row, 0));
}

}  // namespace kivrun
