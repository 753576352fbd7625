// A test program that never finishes its run properly; the runner must call it failed.
#include <gtest/gtest.h>

#include <windows.h>

TEST(EndsBadly, BeforeItsReport)
{
#if defined(HARNESS_CRASH)
    volatile int* nowhere = nullptr;
    *nowhere = 1;
#elif defined(HARNESS_EARLY_EXIT)
    ::ExitProcess(0);
#endif
}
