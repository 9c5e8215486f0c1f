#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "ShellSupport.h"
#include "UiTestSupport.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/ImportDialog.h"
#include "output/ExportCommand.h"
#include "store/Database.h"

namespace kivrun::test {
namespace {

TEST(QtUserInterfaceFilters, PipeFiltersBecomeQtNameFilters) {
    using UI = QtUserInterface;
    EXPECT_EQ(UI::NameFilters("Training Log Files (*.tlg)|*.tlg|All Files (*.*)|*.*||"),
              (QStringList{"Training Log Files (*.tlg)", "All Files (*)"}));
    EXPECT_EQ(UI::NameFilters("HTML File (*.htm)|*.htm|Tab Delimited Text File (*.txt)|*.txt|"
                              "Excel Spreadsheet (*.xls)|*.xls||"),
              (QStringList{"HTML File (*.htm)", "Tab Delimited Text File (*.txt)",
                           "Excel Spreadsheet (*.xls)"}));
    // Several patterns, and a name that does not repeat them.
    EXPECT_EQ(UI::NameFilters("Logs|*.tlg;*.TLG||"), QStringList{"Logs (*.tlg *.TLG)"});
    EXPECT_TRUE(UI::NameFilters("").isEmpty());
}

TEST(QtUserInterfaceFilters, TheDefaultExtensionIsAddedOnlyWhenMissing) {
    using UI = QtUserInterface;
    EXPECT_EQ(UI::WithDefaultExtension("/logs/Bike.", ".tlg"), "/logs/Bike.tlg");
    EXPECT_EQ(UI::WithDefaultExtension("/logs/Bike.tlg", ".tlg"), "/logs/Bike.tlg");
    EXPECT_EQ(UI::WithDefaultExtension("/logs/Bike.old", ".tlg"), "/logs/Bike.old");
    EXPECT_EQ(UI::WithDefaultExtension("/my.logs/Bike", ".tlg"), "/my.logs/Bike.tlg");
    EXPECT_EQ(UI::WithDefaultExtension("/logs/Bike", "txt"), "/logs/Bike.txt");
    EXPECT_EQ(UI::WithDefaultExtension("/logs/Bike", ""), "/logs/Bike");
}

class UserInterfaceTest : public ShellTest {};

TEST_F(UserInterfaceTest, ANameThatGotItsExtensionLateStillAsksBeforeReplacing) {
    MakeApp();
    QFile existing(Path("Taken.tlg"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    FileDialogRequest request;
    request.defaultExtension = ".tlg";
    request.filter = kLogFileFilter;

    dialogs->saveFiles = {Path("Taken"), Path("Taken")};
    dialogs->answers = {false, true};
    EXPECT_EQ(app->Ui().ChooseSaveFile(request), std::nullopt);
    ASSERT_EQ(dialogs->questions.size(), 1u);
    EXPECT_EQ(dialogs->questions[0],
              Path("Taken.tlg") + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(app->Ui().ChooseSaveFile(request), dir.File("Taken.tlg"));

    // Without an overwrite prompt nothing is asked.
    request.overwritePrompt = false;
    dialogs->saveFiles = {Path("Taken")};
    EXPECT_EQ(app->Ui().ChooseSaveFile(request), dir.File("Taken.tlg"));
    EXPECT_EQ(dialogs->questions.size(), 2u);
}

TEST_F(UserInterfaceTest, WaitCursorNestsAndDialogsShowTheNormalPointer) {
    MakeApp();
    QtUserInterface& ui = app->Ui();
    ui.BeginWait();
    ui.BeginWait();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    struct Peek : ScriptedDialogs {
        Qt::CursorShape seen = Qt::BlankCursor;
        void Message(QWidget*, const QString&, MessageKind) override {
            seen = QApplication::overrideCursor()->shape();
        }
    };
    auto* p = new Peek;
    ui.SetDialogProvider(std::unique_ptr<Peek>(p));
    ui.ShowMessage("Working");
    EXPECT_EQ(p->seen, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.EndWait();
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.EndWait();
    ui.EndWait();  // one too many does no harm
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ui.WaitDepth(), 0);
}

// Answers the next modal dialog the way a person would, once it is up.
void AnswerNextDialog(std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            AnswerNextDialog(answer);
            return;
        }
        answer(modal);
    });
}

// What a real box shows: the exact text, its buttons and the icon of its kind.
TEST(QtDialogsTest, RealMessageBoxesShowTheTextButtonsAndIconOfTheirKind) {
    QtUserInterface ui;  // with the real dialogs
    struct Seen {
        QString text;
        int buttons = 0;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    auto answer = [](Seen& seen, QMessageBox::StandardButton press) {
        AnswerNextDialog([&seen, press](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            seen = {box->text(), static_cast<int>(box->buttons().size()), box->icon()};
            box->button(press)->click();
        });
    };
    const struct {
        const char* text;
        std::optional<MessageKind> kind;  // none: as most callers say it
        QMessageBox::Icon icon;
    } messages[] = {
        {"Couldn't open the training log /tmp/a.tlg:\nNo such file", {}, QMessageBox::Warning},
        {"Please enter your elapsed time !!", MessageKind::Failure, QMessageBox::Warning},
        {"File Export Complete!!", MessageKind::Information, QMessageBox::Information},
    };
    for (const auto& m : messages) {
        Seen seen;
        answer(seen, QMessageBox::Ok);
        m.kind ? ui.ShowMessage(m.text, *m.kind) : ui.ShowMessage(m.text);
        EXPECT_EQ(seen.text, m.text);
        EXPECT_EQ(seen.buttons, 1);
        EXPECT_EQ(seen.icon, m.icon) << m.text;
    }

    const QString question = "Are you sure you want to delete this entry?";
    for (auto [button, expected] : {std::pair{QMessageBox::Yes, true}, {QMessageBox::No, false}}) {
        Seen seen;
        answer(seen, button);
        EXPECT_EQ(ui.AskYesNo(question.toStdString()), expected);
        EXPECT_EQ(seen.text, question);
        EXPECT_EQ(seen.buttons, 2);
        EXPECT_EQ(seen.icon, QMessageBox::Question);
    }
}

// The type chosen in the Save dialog is the type written: "log" with HTML chosen is log.htm.
TEST(QtDialogsTest, ANameWithoutExtensionTakesThatOfTheTypeChosen) {
    QtDialogs dialogs;
    FileDialogSpec spec;
    spec.title = "Save As";
    spec.nameFilters = QtUserInterface::NameFilters(kExportFilter);
    spec.defaultSuffix = "txt";
    spec.initialPath = QDir::tempPath() + "/";
    QString shownFirst;
    AnswerNextDialog([&shownFirst](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        shownFirst = dialog->selectedNameFilter();
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        const int html = types->findText("HTML File (*.htm)");
        types->setCurrentIndex(html);
        // As choosing it in the list does.
        emit types->activated(html);
        emit types->textActivated(types->itemText(html));
        QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText("log");
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<QString> chosen = dialogs.SaveFile(nullptr, spec);
    EXPECT_EQ(shownFirst, "Tab Delimited Text File (*.txt)");  // the default extension's type
    ASSERT_TRUE(chosen);
    EXPECT_EQ(QFileInfo(*chosen).fileName(), "log.htm");
    EXPECT_EQ(QtUserInterface::SuffixOfNameFilter("All Files (*)"), "");
}

TEST(ImportDialogTest, IsWideEnoughForItsWholeTitle) {
    CImportDialog dialog;
    dialog.show();
    EXPECT_GE(dialog.width(), dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 60);
}

TEST(AboutBox, NamesTheProgramItsVersionAndLicence) {
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), "About Kivrun Athletic Training Software");
    EXPECT_EQ(about.findChild<QLabel*>("version")->text(), "Version: 1.0.03");
    EXPECT_TRUE(about.findChild<QLabel*>("licence")->text().contains("GPL-3.0-or-later"));
    EXPECT_FALSE(about.findChild<QLabel*>("picture")->pixmap().isNull());
    AnswerNextDialog([](QWidget* w) {
        auto* ok = w->findChild<QAbstractButton*>();
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text().remove('&'), "OK");
        ok->click();
    });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
}

// A widget whose handler fails the way a lost database would.
class FailingWidget : public QWidget {
  protected:
    void mousePressEvent(QMouseEvent*) override {
        throw DbError(11, "database disk image is malformed");
    }
};

TEST(GuardedApplicationTest, AnEngineErrorInAHandlerIsShownAndTheProgramGoesOn) {
    MessageBoxAnswerer answerer;
    FailingWidget widget;
    widget.show();
    QTest::mouseClick(&widget, Qt::LeftButton);
    ASSERT_EQ(answerer.texts.size(), 1);
    EXPECT_EQ(answerer.texts[0].toStdString(),
              "Couldn't finish the action--Exception: database disk image is malformed");
    EXPECT_TRUE(widget.isVisible());
}

}  // namespace
}  // namespace kivrun::test
