#include <gtest/gtest.h>

#include "app/ui/GuardedApplication.h"

// GUI tests share one QApplication on the offscreen platform (set by CTest).
int main(int argc, char** argv) {
    // Test discovery runs this binary outside CTest's environment, so default here too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    kivrun::GuardedApplication app(argc, argv);
    Q_INIT_RESOURCE(kivrun);
    Q_INIT_RESOURCE(shell);
    Q_INIT_RESOURCE(sports);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
