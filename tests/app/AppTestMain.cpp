#include "app/TNoltApplication.h"

#include <gtest/gtest.h>

// The window's tests need the program's own application object, which speaks Polish and shows
// a failed action's error box. Listing the tests needs no display, so the build's test
// discovery runs without one.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    TNoltApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
