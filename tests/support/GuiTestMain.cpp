// gtest main for suites that paint or show widgets: a QApplication on the
// offscreen platform unless a display is asked for explicitly. gtest's test
// discovery runs this at build time, where there is no display.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
