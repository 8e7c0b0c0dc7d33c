#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
TEST(Smoke, CreatesWindow)
{
    HWND h = CreateWindowA("STATIC", "x", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    DestroyWindow(h);
}
#endif
TEST(Smoke, Runs) { EXPECT_EQ(1 + 1, 2); }
