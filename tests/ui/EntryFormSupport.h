#pragma once

#include <QComboBox>
#include <QLineEdit>

#include "ShellSupport.h"
#include "entries/ui/DataEntryFrm.h"

namespace kivrun::test {

// The program on a new log with Running (miles, min/mile), Road (km, km/h) and Weights (no
// distance), its log window showing the data entry form above what lowerPane makes.
class EntryFormTest : public ShellTest {
  protected:
    void OpenWithForm(const char* log, ContentFactory lowerPane) {
        RegisterWindowContents();
        auto& templates = WindowTemplates::Instance();
        templates.SetPaneFactories(WindowKind::LogWindow,
                                   templates.Template(WindowKind::LogWindow).upper,
                                   std::move(lowerPane));
        Started({MakeLog(log)});
        AddThreeSports(doc());
        doc().Database().sql().Exec(
            "INSERT INTO Routes (SptAbbrev, TrainingTypeAbbrev, Route) VALUES "
            "('R','G','Hill loop'), ('R','G','Canal path')");
        ShowFrame(1100, 700, true);
        window = frame().FindChild(WindowKind::LogWindow);
        ASSERT_NE(window, nullptr);
        form = window->findChild<CDataEntryFrm*>();
        ASSERT_NE(form, nullptr);
        Settle();
    }

    CTamselDoc& doc() { return *app->Document(); }

    // Down and Up on the closed list, as a user steps to a sport.
    void ChooseSport(const QString& name) {
        QComboBox* box = form->sportBox();
        const int target = box->findText(name);
        ASSERT_GE(target, 0);
        box->setFocus();
        while (box->currentIndex() != target)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        Settle();
    }

    // Keyboard input, as a user gives it: what the box held is typed over.
    static void Type(QWidget* box, const QString& text) {
        box->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
        if (auto* combo = qobject_cast<QComboBox*>(box))
            if (combo->lineEdit()) combo->lineEdit()->selectAll();
        QTest::keyClicks(box, text);
    }
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        Settle();
    }

    ChildFrame* window = nullptr;
    CDataEntryFrm* form = nullptr;
};

}  // namespace kivrun::test
