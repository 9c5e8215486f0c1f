#include "document/UndoHistory.h"

#include <utility>

namespace kivrun {

void UndoHistory::Record(UndoStep step) {
    redo_.clear();
    undo_.push_back(std::move(step));
    while (undo_.size() > kMaxSteps)
        undo_.pop_front();
}

void UndoHistory::JoinLast(std::size_t count, std::string name) {
    if (count < 2 || undo_.size() < count) return;
    UndoStep joined;
    joined.name = std::move(name);
    for (std::size_t i = undo_.size() - count; i < undo_.size(); ++i) {
        UndoStep& step = undo_[i];
        joined.undo.insert(joined.undo.begin(), step.undo.begin(), step.undo.end());
        joined.redo.insert(joined.redo.end(), step.redo.begin(), step.redo.end());
        joined.manyRows = joined.manyRows || step.manyRows;
    }
    undo_.resize(undo_.size() - count);
    undo_.push_back(std::move(joined));
}

void UndoHistory::Undone() {
    if (undo_.empty()) return;
    redo_.push_back(std::move(undo_.back()));
    undo_.pop_back();
}

void UndoHistory::Redone() {
    if (redo_.empty()) return;
    undo_.push_back(std::move(redo_.back()));
    redo_.pop_back();
}

void UndoHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

namespace {

std::string ItemText(const char* verb, const UndoStep* step, const char* key) {
    std::string text = verb;
    if (step && !step->name.empty()) text += " " + step->name;
    return text + "\t" + key;
}

}  // namespace

std::string UndoItemText(const UndoHistory& history) {
    return ItemText("&Undo", history.NextUndo(), "Ctrl+Z");
}

std::string RedoItemText(const UndoHistory& history) {
    return ItemText("Red&o", history.NextRedo(), "Ctrl+Y");
}

}  // namespace kivrun
