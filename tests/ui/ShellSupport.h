#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "app/ui/KivrunApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QtUserInterface.h"
#include "app/ui/WindowContents.h"
#include "document/SampleLog.h"
#include "document/TamselDoc.h"
#include "document/UpdateHint.h"
#include "frames/Commands.h"
#include "frames/ui/ChildFrame.h"
#include "frames/ui/WindowTemplates.h"
#include "support/DocFixture.h"
#include "support/TestLog.h"
#include "ui/UiTestSupport.h"
#include "values/Calendar.h"

// Readable failures: Qt strings printed as text.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << "{\"" << l.join("\", \"").toStdString() << "\"}";
}

namespace kivrun::test {

// Answers the program's dialogs as scripted and remembers what they said.
class ScriptedDialogs : public DialogProvider {
  public:
    std::vector<QString> messages;
    std::vector<QString> questions;
    std::deque<bool> answers;  // No when exhausted
    std::deque<std::optional<QString>> saveFiles;
    std::deque<std::optional<QString>> openFiles;
    std::vector<FileDialogSpec> saveSpecs;
    std::vector<FileDialogSpec> openSpecs;
    std::optional<ImportOptions> importChoices;
    std::optional<ImportOptions> ImportChoices(QWidget*) override { return importChoices; }

    std::vector<MessageKind> kinds;  // one per message
    void Message(QWidget*, const QString& text, MessageKind kind) override {
        messages.push_back(text);
        kinds.push_back(kind);
    }
    bool Question(QWidget*, const QString& text) override {
        questions.push_back(text);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> SaveFile(QWidget*, const FileDialogSpec& spec) override {
        saveSpecs.push_back(spec);
        return Take(saveFiles);
    }
    std::optional<QString> OpenFile(QWidget*, const FileDialogSpec& spec) override {
        openSpecs.push_back(spec);
        return Take(openFiles);
    }

  private:
    static std::optional<QString> Take(std::deque<std::optional<QString>>& q) {
        if (q.empty()) return std::nullopt;
        // Copied apart, not as an optional: GCC 12 warns a copied optional<QString> may be
        // used uninitialised.
        const bool cancelled = !q.front().has_value();
        const QString path = q.front().value_or(QString());
        q.pop_front();
        if (cancelled) return std::nullopt;
        return path;
    }
};

// A stand-in view: hears the document, takes the commands it is told to, may refuse to
// close.
class FakeView : public QWidget, public View, public CommandTarget {
  public:
    explicit FakeView(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
    std::vector<UpdateHint> hints;
    std::map<Command, CommandState> commands;
    std::vector<Command> ran;
    bool refuseClose = false;

    void OnUpdate(View*, const UpdateHint& hint) override { hints.push_back(hint); }
    std::optional<CommandState> CommandStatus(Command cmd) override {
        auto it = commands.find(cmd);
        if (it == commands.end()) return std::nullopt;
        return it->second;
    }
    void RunCommand(Command cmd) override { ran.push_back(cmd); }

  protected:
    void closeEvent(QCloseEvent* event) override { event->setAccepted(!refuseClose); }
};

// A program started in scratch folders, with scripted dialogs and fake views.
class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startFolder_ = QDir::currentPath();
        QDir().mkpath(Path("Documents"));
        QDir().mkpath(Path("Data"));
    }
    void TearDown() override {
        app.reset();
        for (WindowKind kind : AllWindowKinds())
            WindowTemplates::Instance().Clear(kind);
        QDir::setCurrent(startFolder_);
    }

    QString Path(const char* name) const { return QString::fromStdString(dir.File(name)); }

    // The program before Start.
    KivrunApp& MakeApp() {
        app = std::make_unique<KivrunApp>(
            AppFolders{Path("Documents"), Path("Data"), Path("settings.ini")});
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        app->Ui().SetDialogProvider(std::move(scripted));
        return *app;
    }
    KivrunApp& Started(const QStringList& args = {}) {
        MakeApp();
        EXPECT_TRUE(app->Start(args));
        return *app;
    }

    // The program started on a new sample log of so many workouts over so many years.
    CTamselDoc& StartedOnSample(int entries, int years, const char* name = "sample.tlg") {
        SilentUserInterface silent;
        const std::string log = dir.File(name);
        EXPECT_TRUE(WriteSampleLog(log, entries, years, silent));
        Started({QString::fromStdString(log)});
        Settle();
        return *app->Document();
    }
    bool Checked(Command cmd) {
        frame().RefreshCommands();
        return frame().Action(cmd)->isChecked();
    }

    // A new log file with its default rows, closed again.
    QString MakeLog(const char* name) {
        SilentUserInterface silent;
        const std::string path = dir.File(name);
        EXPECT_NE(NewLog(path, silent), nullptr);
        return QString::fromStdString(path);
    }

    // Fake views for the kinds given; each made view is remembered.
    void PlugFakeViews(std::initializer_list<WindowKind> kinds) {
        for (WindowKind kind : kinds) {
            auto make = [this, kind](CTamselDoc&, QWidget* parent) -> QWidget* {
                auto* v = new FakeView(parent);
                v->setObjectName(QString::fromStdString(WindowTitle(kind)));
                made[kind].push_back(v);
                return v;
            };
            if (UpperPaneHeight(kind) > 0)
                WindowTemplates::Instance().SetPaneFactories(kind, make, make);
            else
                WindowTemplates::Instance().SetContentFactory(kind, make);
        }
    }
    FakeView* LastView(WindowKind kind) {
        auto& v = made[kind];
        return v.empty() ? nullptr : v.back().data();
    }

    MainFrame& frame() { return app->Frame(); }
    // The main window at w x h rather than maximised; active too for keyboard tests.
    void ShowFrame(int w, int h, bool active = false) {
        frame().showNormal();
        frame().resize(w, h);
        if (active) {
            frame().activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
        }
        Settle();
    }
    QStringList MenuTitles() {
        QStringList titles;
        for (QAction* a : frame().menuBar()->actions())
            titles << a->text();
        return titles;
    }
    QStringList ItemsOf(const QString& title) {
        QStringList items;
        for (QAction* a : frame().menuBar()->actions())
            if (a->text() == title && a->menu())
                for (QAction* item : a->menu()->actions())
                    if (!item->isSeparator()) items << item->text();
        return items;
    }
    bool Enabled(Command cmd) {
        frame().RefreshCommands();
        return frame().Action(cmd)->isEnabled();
    }
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    TempDir dir;
    std::unique_ptr<KivrunApp> app;
    ScriptedDialogs* dialogs = nullptr;
    std::map<WindowKind, std::vector<QPointer<FakeView>>> made;

  private:
    QString startFolder_;
};

// The program with its real windows, started on a sample log of so many workouts, with
// today fixed on 6 December 2026 so that the log's dates and the views' months agree.
class SampleProgramTest : public ShellTest {
  protected:
    void StartOnSample(int entries, int width, int height) {
        calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 6});
        RegisterWindowContents();
        StartedOnSample(entries, 3);
        frame().resize(width, height);
        Settle();
    }
    void TearDown() override {
        ShellTest::TearDown();
        calendar::SetTodayForTesting(std::nullopt);
    }
    CTamselDoc& doc() { return *app->Document(); }
};

// Views over the fixture's log, each in a window of its own.
class ViewsTest : public DocFixture {
  protected:
    void TearDown() override {
        for (View* v : shown)
            doc->RemoveView(v);
        windows.clear();
        DocFixture::TearDown();
    }
    void Register(View* v) {
        doc->AddView(v);
        shown.push_back(v);
    }
    template <class ViewClass>
    ViewClass& Show(QSize size = {800, 600}) {
        auto* view = new ViewClass(*doc);
        windows.emplace_back(view);
        Register(view);
        view->resize(size);
        view->show();
        QApplication::processEvents();
        return *view;
    }
    std::vector<std::unique_ptr<QWidget>> windows;
    std::vector<View*> shown;
};

}  // namespace kivrun::test
