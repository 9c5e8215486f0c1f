#include "frames/ui/CommandActions.h"

#include <QKeySequence>

namespace kivrun {

namespace {
constexpr const char* kMenuTextProperty = "kivrunMenuText";
}  // namespace
namespace {

const char* IconName(Command cmd) {
    switch (cmd) {
        case Command::FileNew:
            return "new";
        case Command::FileOpen:
            return "open";
        case Command::FilePrint:
            return "print";
        case Command::FilePrintPreview:
            return "print-preview";
        case Command::ViewTrainingLog:
        case Command::ViewDataEntry:
            return "training-log";
        case Command::ViewMonth:
            return "calendar";
        case Command::ViewWeek:
            return "week";
        case Command::ViewEntry:
            return "entry";
        case Command::ViewTotals:
            return "totals";
        case Command::ViewGraph:
        case Command::GraphBar:
            return "graphs";
        case Command::ViewEvents:
            return "events";
        case Command::ViewEquipment:
            return "equipment";
        case Command::CalendarNewEvent:
            return "new-event";
        case Command::ViewPrevious:
            return "previous";
        case Command::ViewNext:
            return "next";
        case Command::CloseView:
            return "close-view";
        case Command::EditEntry:
            return "edit-entry";
        case Command::EditDelete:
            return "delete-entry";
        case Command::PrintRoutine:
            return "print-routine";
        case Command::GraphLine:
            return "line-graph";
        case Command::GraphPie:
            return "pie-chart";
        case Command::GraphByWeek:
        case Command::TotalsByWeek:
            return "group-week";
        case Command::GraphByMonth:
        case Command::TotalsByMonth:
            return "group-month";
        case Command::GraphByYear:
        case Command::TotalsByYear:
            return "group-year";
        case Command::GraphZoomIn:
            return "zoom-in";
        case Command::GraphZoomOut:
            return "zoom-out";
        case Command::TotalsSingleView:
            return "single-view";
        case Command::TotalsSplitView:
            return "split-view";
        case Command::EditUndo:
            return "undo";
        case Command::EditRedo:
            return "redo";
        case Command::EditCopy:
            return "copy";
        default:
            return nullptr;
    }
}

}  // namespace

QIcon CommandIcon(Command cmd) {
    const char* name = IconName(cmd);
    if (!name) return {};
    return QIcon(QStringLiteral(":/shell/%1.svg").arg(QLatin1String(name)));
}

QAction* MakeCommandAction(Command cmd, QObject* parent) {
    auto* action = new QAction(parent);
    const CommandPrompt prompt = PromptOf(cmd);
    action->setText(QString::fromUtf8(prompt.tip));
    action->setToolTip(QString::fromUtf8(prompt.tip));
    action->setStatusTip(QString::fromUtf8(prompt.prompt));
    action->setIcon(CommandIcon(cmd));
    action->setCheckable(IsCheckable(cmd));
    action->setEnabled(false);
    action->setData(static_cast<int>(cmd));
    return action;
}

void ApplyMenuText(QAction* action, const std::string& itemText) {
    const QString text = QString::fromStdString(itemText);
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    // The tooltip stays the command's own: the toolbar shows "Print", not "Print Log...".
    const QString tip = action->toolTip();
    action->setText(tab < 0 ? text : text.left(tab));
    QList<QKeySequence> keys;
    if (tab >= 0) keys << QKeySequence(text.mid(tab + 1));
    if (const char* other = AlternateShortcutOf(static_cast<Command>(action->data().toInt())))
        if (!keys.isEmpty()) keys << QKeySequence(QString::fromLatin1(other));
    action->setShortcuts(keys);
    action->setToolTip(tip);
    action->setProperty(kMenuTextProperty, action->text());
}

void ApplyStateText(QAction* action, const std::string& stateText) {
    // A command may word itself for the moment ("Delete Entries"); its key stays the menu's.
    QString text = action->property(kMenuTextProperty).toString();
    if (!stateText.empty()) {
        text = QString::fromStdString(stateText);
        const qsizetype tab = text.indexOf(QLatin1Char('\t'));
        if (tab >= 0) text = text.left(tab);
    }
    if (!text.isEmpty() && action->text() != text) action->setText(text);
}

}  // namespace kivrun
