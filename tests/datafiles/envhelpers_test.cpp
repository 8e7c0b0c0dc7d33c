// Environment helpers: the program's folder, bare file names, the time
// stamp arithmetic and the memory figure.

#include "datafiles/EnvHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <unistd.h>
#endif

TEST(FileNameWithoutPath, CutsDirectoryAndExtension)
{
    EXPECT_STREQ(kvGetFileNameWithoutPath("C:\\data\\img01.bmp").GetString(), "img01");
    EXPECT_STREQ(kvGetFileNameWithoutPath("D:/a\\b.tif").GetString(), "a\\b");   // a '/' wins over a later '\'
    EXPECT_STREQ(kvGetFileNameWithoutPath("name.jpeg").GetString(), "name.");
    EXPECT_STREQ(kvGetFileNameWithoutPath("abc").GetString(), "");
    EXPECT_STREQ(kvGetFileNameWithoutPath("abcd").GetString(), "");
    EXPECT_STREQ(kvGetFileNameWithoutPath("abcde").GetString(), "a");
    EXPECT_STREQ(kvGetFileNameWithoutPath("C:\\dir\\").GetString(), "");
    EXPECT_STREQ(kvGetFileNameWithoutPath("/x/y/").GetString(), "");
    EXPECT_STREQ(kvGetFileNameWithoutPath("").GetString(), "");
    EXPECT_STREQ(kvGetFileNameWithoutPath(nullptr).GetString(), "");

    std::string longName(5000, 'n');
    std::string longPath = "C:\\" + std::string(3000, 'd') + "\\" + longName + ".raw";
    EXPECT_EQ(std::string(kvGetFileNameWithoutPath(longPath.c_str()).GetString()), longName);
}

TEST(AppDir, IsTheFolderOfThisProgram)
{
    CString dir = kvGetAppDir();
    std::string d = dir.GetString();
    ASSERT_FALSE(d.empty());
    char last = d.back();
    EXPECT_TRUE(last == '\\' || last == '/');
    std::error_code ec;
    EXPECT_TRUE(std::filesystem::is_directory(d, ec)) << d;
#ifdef _WIN32
    EXPECT_EQ(d[1], ':');   // starts with the drive
    EXPECT_EQ(last, '\\');
    EXPECT_TRUE(std::filesystem::is_regular_file(d + "datafiles_tests.exe", ec)) << d;
#else
    EXPECT_TRUE(std::filesystem::is_regular_file(d + "datafiles_tests", ec)) << d;
#endif
}

TEST(DateTimeStamp, ArithmeticOnFixedTimes)
{
    EXPECT_EQ(kvComputeDateTimeStamp(1980, 1, 1, 0, 0, 0), 2764800L);
    EXPECT_EQ(kvComputeDateTimeStamp(2021, 6, 7, 8, 9, 11) - kvComputeDateTimeStamp(2021, 6, 7, 8, 9, 10), 1L);
    EXPECT_EQ(kvComputeDateTimeStamp(2021, 5, 1, 0, 0, 0) - kvComputeDateTimeStamp(2021, 4, 30, 23, 59, 59), 86401L);
    // Every month counts 31 days: 25 December meets 1 January.
    EXPECT_EQ(kvComputeDateTimeStamp(2021, 12, 25, 0, 0, 0), kvComputeDateTimeStamp(2022, 1, 1, 0, 0, 0));
    // The 32-bit value wraps around (in 2048) instead of overflowing.
    const long a = kvComputeDateTimeStamp(2048, 1, 1, 0, 0, 0);
    const long b = kvComputeDateTimeStamp(2048, 12, 31, 23, 59, 59);
    EXPECT_GE(a, -2147483647L - 1);
    EXPECT_LE(b, 2147483647L);
    const long long exact = ((((365LL * (2048 - 1980) + 31 * 12 + 31) * 24 + 23) * 60 + 59) * 60 + 59);
    EXPECT_EQ(static_cast<long long>(b), exact - 4294967296LL);
}

TEST(DateTimeStamp, SystemClock)
{
    short ms = -1;
    const long t1 = kvGetSystemCurDateTime(&ms);
    EXPECT_GE(ms, 0);
    EXPECT_LE(ms, 999);
    const long t2 = kvGetSystemCurDateTime(nullptr);
    EXPECT_GE(t2 - t1, 0L);
    EXPECT_LE(t2 - t1, 2L);
    EXPECT_GT(t1, kvComputeDateTimeStamp(2020, 1, 1, 0, 0, 0));
}

TEST(MemAllocRange, TotalPhysicalMemoryCappedAt2GiB)
{
#ifdef _WIN32
    MEMORYSTATUSEX ms;
    ms.dwLength = sizeof ms;
    ASSERT_TRUE(GlobalMemoryStatusEx(&ms));
    const unsigned long long total = ms.ullTotalPhys;
#else
    const unsigned long long total =
        static_cast<unsigned long long>(sysconf(_SC_PHYS_PAGES)) * static_cast<unsigned long long>(sysconf(_SC_PAGESIZE));
#endif
    const long expected = total > 2147483647ULL ? 2147483647L : static_cast<long>(total);
    EXPECT_EQ(kvGetMemAllocRange(), expected);
    EXPECT_GT(expected, 0L);
}
