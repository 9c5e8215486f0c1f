#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include "ShellSupport.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/ImportDialog.h"
#include "output/ExportCommand.h"
#include "store/Database.h"

namespace kivrun::test {
namespace {

TEST(QtUserInterfaceFilters, PipeFiltersBecomeQtNameFiltersAndMissingExtensionsAreAdded) {
    using UI = QtUserInterface;
    const std::pair<const char*, QStringList> filters[] = {
        {"Training Log Files (*.tlg)|*.tlg|All Files (*.*)|*.*||",
         {"Training Log Files (*.tlg)", "All Files (*)"}},
        {"Logs|*.tlg;*.TLG||", {"Logs (*.tlg *.TLG)"}},  // a name that does not repeat them
        {"", {}}};
    for (const auto& [pipes, expected] : filters)
        EXPECT_EQ(UI::NameFilters(pipes), expected) << pipes;
    const struct {
        const char *path, *extension, *expected;
    } names[] = {{"/logs/Bike.", ".tlg", "/logs/Bike.tlg"},
                 {"/logs/Bike.tlg", ".tlg", "/logs/Bike.tlg"},
                 {"/logs/Bike.old", ".tlg", "/logs/Bike.old"},
                 {"/my.logs/Bike", ".tlg", "/my.logs/Bike.tlg"},
                 {"/logs/Bike", "txt", "/logs/Bike.txt"},
                 {"/logs/Bike", "", "/logs/Bike"}};
    for (const auto& n : names)
        EXPECT_EQ(UI::WithDefaultExtension(n.path, n.extension), n.expected) << n.path;
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

// What a real box shows: the exact text, its buttons and the icon of its kind.
TEST(QtDialogsTest, RealMessageBoxesShowTheTextButtonsAndIconOfTheirKind) {
    QtUserInterface ui;  // with the real dialogs
    struct Seen {
        QString text;
        int buttons = 0;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };
    // Shows a box with show, presses the button and returns what the box showed.
    auto answer = [](QMessageBox::StandardButton press, auto show) {
        Seen seen;
        EXPECT_TRUE(WithModal<QMessageBox>(show, [&](QMessageBox& box) {
            seen = {box.text(), static_cast<int>(box.buttons().size()), box.icon()};
            box.button(press)->click();
        }));
        return seen;
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
        const Seen seen = answer(QMessageBox::Ok, [&] {
            m.kind ? ui.ShowMessage(m.text, *m.kind) : ui.ShowMessage(m.text);
        });
        EXPECT_EQ(seen.text, m.text);
        EXPECT_EQ(seen.buttons, 1);
        EXPECT_EQ(seen.icon, m.icon) << m.text;
    }

    const QString question = "Are you sure you want to delete this entry?";
    for (auto [button, expected] : {std::pair{QMessageBox::Yes, true}, {QMessageBox::No, false}}) {
        bool said = !expected;
        const Seen seen = answer(button, [&] { said = ui.AskYesNo(question.toStdString()); });
        EXPECT_EQ(said, expected);
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
    std::optional<QString> chosen;
    WithModal<QFileDialog>([&] { chosen = dialogs.SaveFile(nullptr, spec); },
                           [&](QFileDialog& dialog) {
                               shownFirst = dialog.selectedNameFilter();
                               auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
                               ASSERT_NE(types, nullptr);
                               const int html = types->findText("HTML File (*.htm)");
                               types->setCurrentIndex(html);
                               // As choosing it in the list does.
                               emit types->activated(html);
                               emit types->textActivated(types->itemText(html));
                               QLineEdit* name = dialog.findChild<QLineEdit*>("fileNameEdit");
                               name->setText("log");
                               QTest::keyClick(name, Qt::Key_Return);
                           });
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

// The version is PrintCommandLine.HelpAndVersionNeedNoDisplay's.
TEST(AboutBox, NamesTheLicenceAndClosesWithOk) {
    AboutDialog about;
    EXPECT_TRUE(about.findChild<QLabel*>("licence")->text().contains("GPL-3.0-or-later"));
    EXPECT_FALSE(about.findChild<QLabel*>("picture")->pixmap().isNull());
    int result = -1;
    EXPECT_TRUE(
        WithModal<AboutDialog>([&] { result = about.exec(); },
                               [](AboutDialog& d) { d.findChild<QAbstractButton*>()->click(); }));
    EXPECT_EQ(result, QDialog::Accepted);
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
