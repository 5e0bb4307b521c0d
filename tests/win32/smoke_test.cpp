#include <gtest/gtest.h>
#include <windows.h>
TEST(WineHarness, RunsWindowsCode) { EXPECT_NE(GetCurrentProcessId(), 0u); }
