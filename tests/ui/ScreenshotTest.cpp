#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QTableWidget>

#include "ShellSupport.h"
#include "app/ui/ChildFrame.h"

namespace kivrun::test {
namespace {

// Stand-ins that look like the real views, for pictures of the main window.
class SampleForm : public QWidget, public View {
  public:
    explicit SampleForm(QWidget* parent) : QWidget(parent) {
        auto* form = new QFormLayout(this);
        auto* sport = new QComboBox(this);
        sport->addItems({"Running", "Road", "Swimming"});
        form->addRow("Date:", new QLineEdit("3/14/2026", this));
        form->addRow("Sport:", sport);
        form->addRow("Time:", new QLineEdit("0:42:10", this));
        form->addRow("Distance:", new QLineEdit("8.2", this));
    }
    void OnUpdate(View*, const UpdateHint&) override {}
};

class SampleList : public QTableWidget, public View {
  public:
    explicit SampleList(QWidget* parent) : QTableWidget(6, 5, parent) {
        setHorizontalHeaderLabels({"Date", "Sport", "Distance", "Time", "Notes"});
        const char* rows[6][5] = {{"3/14/2026", "Running", "8.2", "0:42:10", "Easy loop"},
                                  {"3/13/2026", "Road", "41.0", "1:25:00", "Hills"},
                                  {"3/12/2026", "Swimming", "2000", "0:45:30", "Drills"},
                                  {"3/10/2026", "Running", "12.0", "1:02:44", "Tempo"},
                                  {"3/08/2026", "Weights", "", "0:40:00", "Upper body"},
                                  {"3/07/2026", "Running", "5.0", "0:26:01", "Recovery"}};
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                setItem(r, c, new QTableWidgetItem(rows[r][c]));
        horizontalHeader()->setStretchLastSection(true);
        verticalHeader()->hide();
    }
    void OnUpdate(View*, const UpdateHint&) override {}
};

class SampleCalendar : public QCalendarWidget, public View {
  public:
    explicit SampleCalendar(QWidget* parent) : QCalendarWidget(parent) {
        setSelectedDate(QDate(2026, 3, 14));
    }
    void OnUpdate(View*, const UpdateHint&) override {}
};

QString ShotPath(const char* name) {
    const QString folder = QStringLiteral(KIVRUN_BUILD_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder + "/" + name;
}

using Screenshots = ShellTest;

TEST_F(Screenshots, MainWindowWithoutAndWithALog) {
    Started();
    frame().showNormal();
    frame().resize(1100, 720);
    Settle();
    EXPECT_TRUE(frame().grab().save(ShotPath("main-no-log.png")));

    auto& templates = WindowTemplates::Instance();
    templates.SetPaneFactories(
        WindowKind::LogWindow, [](CTamselDoc&, QWidget* p) { return new SampleForm(p); },
        [](CTamselDoc&, QWidget* p) { return new SampleList(p); });
    templates.SetContentFactory(WindowKind::Calendar,
                                [](CTamselDoc&, QWidget* p) { return new SampleCalendar(p); });
    ASSERT_TRUE(app->OpenLog(MakeLog("Season 2026.tlg")));
    app->Document()->OpenOrActivate(WindowKind::Calendar);
    frame().FindChild(WindowKind::Calendar)->resize(460, 340);
    Settle();
    EXPECT_TRUE(frame().grab().save(ShotPath("main-with-log.png")));
}

// The real log window, form over list, on a sample log at the narrow widths users have.
TEST_F(SampleProgramTest, PicturesOfTheNarrowLogWindow) {
    StartOnSample(200, 900, 640);
    frame().showNormal();
    ChildFrame* window = frame().FindChild(WindowKind::LogWindow);
    ASSERT_NE(window, nullptr);
    window->showNormal();
    for (int width : {760, 640}) {
        window->setGeometry(0, 0, width, 560);
        Settle();
        EXPECT_TRUE(window->grab().save(
            ShotPath(qPrintable(QStringLiteral("log-window-%1.png").arg(width)))));
    }
}

}  // namespace
}  // namespace kivrun::test
