#include <QApplication>

#include <gtest/gtest.h>

// Widget suites need one application object for the whole run; the platform comes from
// QT_QPA_PLATFORM (offscreen under CTest).
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
