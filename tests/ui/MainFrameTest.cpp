#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>

#include "app/ui/MainFrame.h"

TEST(MainFrame, StartsWithAnEmptyDocumentAreaAndCloses) {
    kivrun::MainFrame frame;
    frame.show();
    ASSERT_NE(frame.findChild<QMdiArea*>(), nullptr);
    EXPECT_TRUE(frame.findChild<QMdiArea*>()->subWindowList().isEmpty());
    EXPECT_TRUE(frame.close());
}
