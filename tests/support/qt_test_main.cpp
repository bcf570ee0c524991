#include <QApplication>
#include <gtest/gtest.h>

// Background work reports back through the event loop, and dialogs need an application
// object; the offscreen platform gives one without a display, also when ctest lists the tests.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
