#include <gtest/gtest.h>
#include <windows.h>
TEST(Smoke, RunsUnderWine) { EXPECT_NE(GetCurrentProcessId(), 0u); }
