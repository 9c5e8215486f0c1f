#include "document/UndoHistory.h"

#include <utility>

namespace kivrun {

void UndoHistory::Record(UndoStep step) {
    redo_.clear();
    undo_.push_back(std::move(step));
    while (undo_.size() > kMaxSteps)
        undo_.pop_front();
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
