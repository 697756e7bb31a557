#include "CDeviceGuard.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    CDeviceGuard::Install();
    return RUN_ALL_TESTS();
}
