// The file information list (line parser and file reader) and the date
// comparison.

#include "datafiles/FileInfoList.h"

#include "platform/core/Exceptions.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TransFileInfo Parse(const char* line, const char* part2Before = "before")
{
    TransFileInfo t;
    t.nNumber = -99;
    t.strPart2 = part2Before;
    kvParseFileInfoLine(line, &t);
    return t;
}

} // namespace

TEST(FileInfoLine, AllFields)
{
    TransFileInfo t = Parse("12; abc/def; x; y; the rest; more");
    EXPECT_EQ(t.nNumber, 12);
    EXPECT_STREQ(t.strPart1.GetString(), "abc");
    EXPECT_STREQ(t.strPart2.GetString(), "def");
    EXPECT_STREQ(t.strPart3.GetString(), "x");
    EXPECT_STREQ(t.strPart4.GetString(), "y");
    EXPECT_STREQ(t.strPart5.GetString(), "the rest; more");

    // Trailing spaces stay, tabs are not skipped, only the first '/' splits.
    t = Parse(" -4 ;a /b/c ;\tp ;q;");
    EXPECT_EQ(t.nNumber, -4);
    EXPECT_STREQ(t.strPart1.GetString(), "a ");
    EXPECT_STREQ(t.strPart2.GetString(), "b/c ");
    EXPECT_STREQ(t.strPart3.GetString(), "\tp ");
    EXPECT_STREQ(t.strPart4.GetString(), "q");
    EXPECT_STREQ(t.strPart5.GetString(), "");
}

TEST(FileInfoLine, MissingPartsAndSlashes)
{
    TransFileInfo t = Parse("7;/abc;x;y;z");
    EXPECT_EQ(t.nNumber, 7);
    EXPECT_STREQ(t.strPart1.GetString(), "/abc");
    EXPECT_STREQ(t.strPart2.GetString(), "before");   // not assigned
    EXPECT_STREQ(t.strPart5.GetString(), "z");

    t = Parse("hello");
    EXPECT_EQ(t.nNumber, 0);
    EXPECT_STREQ(t.strPart1.GetString(), "");
    EXPECT_STREQ(t.strPart2.GetString(), "before");
    EXPECT_STREQ(t.strPart3.GetString(), "");
    EXPECT_STREQ(t.strPart4.GetString(), "");
    EXPECT_STREQ(t.strPart5.GetString(), "hello");

    t = Parse("");
    EXPECT_EQ(t.nNumber, 0);
    EXPECT_STREQ(t.strPart1.GetString(), "");
    EXPECT_STREQ(t.strPart2.GetString(), "before");
    EXPECT_STREQ(t.strPart5.GetString(), "");

    t = Parse("x12;a;b");   // no digits: 0; fields stop where the ';' stop
    EXPECT_EQ(t.nNumber, 0);
    EXPECT_STREQ(t.strPart1.GetString(), "a");
    EXPECT_STREQ(t.strPart3.GetString(), "");
    EXPECT_STREQ(t.strPart5.GetString(), "b");

    t = Parse("99999999999999999999;");   // out of range: clamped, no overflow
    EXPECT_EQ(t.nNumber, 2147483647);
}

class FileInfoFile : public ::testing::Test
{
protected:
    kvtest::TempDir dir;
};

TEST_F(FileInfoFile, ReadsOneRecordPerLineUpToTheMaximum)
{
    std::string text;
    for (int i = 1; i <= 10; ++i)
        text += std::to_string(i) + "; f" + std::to_string(i) + "/g; a; b; c\r\n";
    std::string p = dir.Write("list.txt", text);
    std::vector<TransFileInfo> recs(11);
    recs[3].nNumber = -1;
    EXPECT_NE(kvGetFileInfo(CString(p.c_str()), recs.data(), 3), 0);
    EXPECT_EQ(recs[0].nNumber, 1);
    EXPECT_EQ(recs[2].nNumber, 3);
    EXPECT_STREQ(recs[2].strPart1.GetString(), "f3");
    EXPECT_STREQ(recs[2].strPart5.GetString(), "c");   // no CR from the line end
    EXPECT_EQ(recs[3].nNumber, -1);                    // the fourth stays untouched

    // An empty line fills a record and counts; a last line without a line
    // end is a line.
    p = dir.Write("gaps.txt", "1;a\n\n3;c");
    recs.assign(5, TransFileInfo());
    recs[3].nNumber = -1;
    EXPECT_NE(kvGetFileInfo(CString(p.c_str()), recs.data(), 5), 0);
    EXPECT_EQ(recs[0].nNumber, 1);
    EXPECT_EQ(recs[1].nNumber, 0);
    EXPECT_EQ(recs[2].nNumber, 3);
    EXPECT_STREQ(recs[2].strPart5.GetString(), "c");
    EXPECT_EQ(recs[3].nNumber, -1);
}

TEST_F(FileInfoFile, DefaultMaximumIs51)
{
    std::string text;
    for (int i = 1; i <= 60; ++i)
        text += std::to_string(i) + ";\n";
    std::string p = dir.Write("list.txt", text);
    std::vector<TransFileInfo> recs(60);
    recs[51].nNumber = -1;
    EXPECT_NE(kvGetFileInfo(CString(p.c_str()), recs.data(), 0), 0);
    EXPECT_EQ(recs[50].nNumber, 51);
    EXPECT_EQ(recs[51].nNumber, -1);
    recs[51].nNumber = -1;
    EXPECT_NE(kvGetFileInfo(CString(p.c_str()), recs.data(), -7), 0);
    EXPECT_EQ(recs[51].nNumber, -1);
}

TEST_F(FileInfoFile, EmptyAndMissingFiles)
{
    std::vector<TransFileInfo> recs(2);
    recs[0].nNumber = -1;
    EXPECT_NE(kvGetFileInfo(CString(dir.Write("empty.txt", "").c_str()), recs.data(), 2), 0);
    EXPECT_EQ(recs[0].nNumber, -1);
    EXPECT_EQ(kvGetFileInfo(CString(dir.Path("missing.txt").c_str()), recs.data(), 2), 0);
    EXPECT_EQ(kvGetFileInfo(CString(dir.Write("x.txt", "1;\n").c_str()), nullptr, 2), 0);
}

TEST(FileInfoRead, ReadErrorsReachTheCallerAsFileExceptions)
{
    std::vector<TransFileInfo> recs(2);
    int cause = -1;
    try {
        kvGetFileInfo(CString(kvtest::UnreadablePath()), recs.data(), 2);
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::hardIO);
}

TEST(CompareYMD, ToleranceAppliesOnlyWithinOneMonth)
{
    EXPECT_EQ(kvCompareYMD(2020, 1, 31, 2020, 2, 1, 30), 1);
    EXPECT_EQ(kvCompareYMD(2020, 3, 1, 2020, 3, 20, 30), -1);
    EXPECT_EQ(kvCompareYMD(2020, 3, 1, 2020, 3, 20, 18), 1);
    EXPECT_EQ(kvCompareYMD(2020, 3, 1, 2020, 3, 20, 19), -1);
    EXPECT_EQ(kvCompareYMD(2020, 3, 5, 2020, 3, 5, -100), 0);
    EXPECT_EQ(kvCompareYMD(2020, 3, 5, 2020, 3, 4, -100), 1);   // -1 > -100
    EXPECT_EQ(kvCompareYMD(2020, 3, 5, 2020, 3, 4, 0), -1);
    EXPECT_EQ(kvCompareYMD(2020, 3, 5, 2019, 12, 31, 0), -1);
    EXPECT_EQ(kvCompareYMD(2019, 12, 31, 2020, 1, 1, 1000), 1);
    EXPECT_EQ(kvCompareYMD(2020, 5, 1, 2020, 4, 30, 0), -1);
}

TEST(CompareYMD, TimeStampsUseTheirLocalDates)
{
    // Times in the same local day compare equal whatever the hours.
    EXPECT_EQ(kvJudgeFileTimeByYMD(CTime(2020, 1, 31, 0, 0, 1), CTime(2020, 1, 31, 23, 59, 0), 0), 0);
    EXPECT_EQ(kvJudgeFileTimeByYMD(CTime(2020, 1, 31, 23, 0, 0), CTime(2020, 2, 1, 1, 0, 0), 30), 1);
    EXPECT_EQ(kvJudgeFileTimeByYMD(CTime(2020, 3, 1, 12, 0, 0), CTime(2020, 3, 20, 12, 0, 0), 30), -1);
    EXPECT_EQ(kvJudgeFileTimeByYMD(CTime(2020, 3, 1, 12, 0, 0), CTime(2020, 3, 20, 12, 0, 0), 18), 1);
    EXPECT_EQ(kvJudgeFileTimeByYMD(CTime(2020, 3, 20, 12, 0, 0), CTime(2020, 3, 1, 12, 0, 0), 0), -1);

    // A stamp that has no calendar date compares as year, month and day 0:
    // two such stamps are equal, and it lies before any real date.
    const long long never = 9223372036854775807LL;
    EXPECT_EQ(kvJudgeFileTimeByYMD(CTime(never), CTime(never - 10 * 86400LL), 5), 0);
    EXPECT_EQ(kvJudgeFileTimeByYMD(CTime(never), CTime(2020, 3, 1, 12, 0, 0), 0), 1);
    EXPECT_EQ(kvJudgeFileTimeByYMD(CTime(2020, 3, 1, 12, 0, 0), CTime(never), 0), -1);
}
