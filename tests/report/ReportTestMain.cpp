#include <QGuiApplication>

#include <gtest/gtest.h>

// The PDF writer lays text out with the application's fonts. Listing the tests needs no display.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QGuiApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
