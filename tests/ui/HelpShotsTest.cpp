#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "HelpShots.h"
#include "support/TestLog.h"

namespace kivrun {
namespace {

// The guide's picture of the log window comes out as the generator promises: the window
// drawn with its workouts, scaled down to the guide's width.
TEST(HelpShots, DrawTheLogWindowScaledToTheGuide) {
    test::TempDir dir;
    const QString work = QString::fromStdString(dir.File("work"));
    const QString out = QString::fromStdString(dir.path().string());
    HelpShots shots(work);
    ASSERT_TRUE(shots.Ready()) << shots.Error().toStdString();
    ASSERT_TRUE(shots.Save(QStringLiteral("log-window.png"), out)) << shots.Error().toStdString();
    EXPECT_FALSE(shots.Save(QStringLiteral("no-such-window.png"), out));

    const QImage picture(out + QStringLiteral("/log-window.png"));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), HelpShots::kMaxWidth);
    EXPECT_NEAR(picture.height(), 600 * HelpShots::kMaxWidth / 940, 1);
    // Rows, text and the selection: far more than the few colours of an empty window.
    std::set<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 100u);
}

}  // namespace
}  // namespace kivrun
