// The delimited-text tokeniser, the slot block allocator and CReadText,
// against real files in a scratch folder.

#include "datafiles/ReadText.h"

#include "platform/core/Exceptions.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <sys/stat.h>
#endif

#if !defined(_WIN32)
// Allocation-failure paths ask for absurd sizes on purpose: let the
// sanitizer's allocator answer with null instead of stopping the program, and
// refuse anything above 4 GiB, which no test needs, so that such a request
// fails however much memory the machine would promise.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=4096"; }
#endif

namespace {

KVVXSEPRATORSTRU Seps(const char* which, bool merge, char other = 0)
{
    KVVXSEPRATORSTRU s = {};
    s.bTab = std::strchr(which, 't') != nullptr;
    s.bSpace = std::strchr(which, 's') != nullptr;
    s.bComma = std::strchr(which, 'c') != nullptr;
    s.bSemicolon = std::strchr(which, ';') != nullptr;
    s.bOther = other != 0;
    s.chOther = other;
    s.bMergeSeparators = merge;
    return s;
}

struct Tokens
{
    int result;
    std::vector<std::string> slots;   // every slot's text, whatever the result
    std::string raw;                  // the whole slot area, byte for byte
};

Tokens Tokenise(const char* line, const KVVXSEPRATORSTRU& sep, short nColCount, int nMax = 64, int nBytes = 64)
{
    char** slots = nullptr;
    EXPECT_EQ(Alloc2DArray(&slots, nMax, nBytes), 1);
    std::memset(slots[0], 'Z', static_cast<size_t>(nMax) * nBytes);   // slots are not cleared for us
    Tokens t;
    t.result = _ReadStringToArray(line, slots, nMax, nBytes, &sep, nColCount);
    for (int k = 0; k < nMax; ++k)
        t.slots.emplace_back(slots[k], strnlen(slots[k], static_cast<size_t>(nBytes)));
    t.raw.assign(slots[0], static_cast<size_t>(nMax) * nBytes);
    Free2DArray(slots);
    return t;
}

tagBaseTextFormatStrcT Format(KVVXSEPRATORSTRU sep, short startCol, short startLine, short colCount)
{
    tagBaseTextFormatStrcT f;
    f.sep = sep;
    f.nStartCol = startCol;
    f.nStartLine = startLine;
    f.nColCount = colCount;
    return f;
}

std::vector<std::vector<std::string>> Cells(CReadText& r, short rows, short cols)
{
    std::vector<std::vector<std::string>> out;
    char buf[256];
    for (short i = 0; i < rows; ++i) {
        out.emplace_back();
        for (short c = 0; c < cols; ++c) {
            EXPECT_EQ(r.GetTextData(i, c, buf), 1) << i << "," << c;
            out.back().emplace_back(buf);
        }
    }
    return out;
}

using Table = std::vector<std::vector<std::string>>;

} // namespace

TEST(Alloc2DArray, SlotsAreContiguousAfterThePointers)
{
    char** a = nullptr;
    ASSERT_EQ(Alloc2DArray(&a, 5, 7), 1);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(reinterpret_cast<char*>(a) + 5 * sizeof(char*), a[0]);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(a[k], a[0] + 7 * k);
    std::memset(a[0], 'x', 35);   // the whole slot area is usable
    Free2DArray(a);
    Free2DArray(nullptr);
}

TEST(Alloc2DArray, RefusesWithoutTouchingTheOutArgument)
{
    char* sentinel[1];
    char** a = sentinel;
    EXPECT_EQ(Alloc2DArray(&a, 0, 10), 0);
    EXPECT_EQ(Alloc2DArray(&a, 10, 0), 0);
    EXPECT_EQ(Alloc2DArray(&a, -1, 10), 0);
    EXPECT_EQ(Alloc2DArray(&a, 2147483647L, 2147483647L), 0);   // cannot be allocated
    EXPECT_EQ(a, sentinel);
    EXPECT_EQ(Alloc2DArray(nullptr, 1, 1), 0);
}

TEST(Tokeniser, FieldCountsOnlyWhenASeparatorFollows)
{
    KVVXSEPRATORSTRU comma = Seps("c", false);
    Tokens t = Tokenise("a,b,c", comma, 10);
    EXPECT_EQ(t.result, 2);   // 'c' is not terminated
    EXPECT_EQ(t.slots[0], "a");
    EXPECT_EQ(t.slots[1], "b");

    t = Tokenise("a,b,c,", comma, 10);
    EXPECT_EQ(t.result, 3);
    EXPECT_EQ(t.slots[2], "c");
}

TEST(Tokeniser, EmptyFieldsWithoutMerging)
{
    KVVXSEPRATORSTRU comma = Seps("c", false);
    Tokens t = Tokenise(",,5,", comma, 10);   // the first separator of a leading run yields nothing
    EXPECT_EQ(t.result, 2);
    EXPECT_EQ(t.slots[0], "");
    EXPECT_EQ(t.slots[1], "5");

    t = Tokenise("1,,3,", comma, 10);
    EXPECT_EQ(t.result, 3);
    EXPECT_EQ(t.slots[0], "1");
    EXPECT_EQ(t.slots[1], "");
    EXPECT_EQ(t.slots[2], "3");

    t = Tokenise("1,,,", comma, 10);   // trailing run: one empty field per extra separator
    EXPECT_EQ(t.result, 3);
}

TEST(Tokeniser, MergingTurnsEveryRunIntoOneSeparator)
{
    Tokens t = Tokenise("1,,3,", Seps("c", true), 10);
    EXPECT_EQ(t.result, 2);
    EXPECT_EQ(t.slots[0], "1");
    EXPECT_EQ(t.slots[1], "3");

    t = Tokenise("  \t a \t  b;;", Seps("ts;", true), 10);
    EXPECT_EQ(t.result, 2);
    EXPECT_EQ(t.slots[0], "a");
    EXPECT_EQ(t.slots[1], "b");
}

TEST(Tokeniser, SeparatorSetFollowsTheRecord)
{
    Tokens t = Tokenise("a b,c;d\te|f|", Seps("", false, '|'), 10);
    EXPECT_EQ(t.result, 2);
    EXPECT_EQ(t.slots[0], "a b,c;d\te");
    EXPECT_EQ(t.slots[1], "f");

    KVVXSEPRATORSTRU zero = Seps("c", false);
    zero.bOther = 1;   // chOther 0 never matches: the line's end is no separator
    t = Tokenise("\"a,b\",", zero, 10);   // quotes are ordinary characters
    EXPECT_EQ(t.result, 2);
    EXPECT_EQ(t.slots[0], "\"a");
    EXPECT_EQ(t.slots[1], "b\"");
}

TEST(Tokeniser, OnlyTheLastExpectedFieldMissingGivesAnEmptyOne)
{
    KVVXSEPRATORSTRU space = Seps("s", true);
    Tokens t = Tokenise("1 2 3", space, 3);
    EXPECT_EQ(t.result, 3);
    EXPECT_EQ(t.slots[2], "");   // the unterminated '3' is discarded

    t = Tokenise("1 2", space, 3);   // two missing: plain count
    EXPECT_EQ(t.result, 1);

    EXPECT_EQ(Tokenise("", space, 3).result, 0);
    t = Tokenise("", space, 1);
    EXPECT_EQ(t.result, 1);
    EXPECT_EQ(t.slots[0], "");
}

TEST(Tokeniser, SurplusFieldsMergeIntoTheLastExpectedOne)
{
    Tokens t = Tokenise("a b c d ", Seps("s", true), 2);
    EXPECT_EQ(t.result, 4);   // the number found, not the number expected
    EXPECT_EQ(t.slots[0], "a");
    EXPECT_EQ(t.slots[1], "b c d");

    t = Tokenise("a,,b,c,", Seps("c", false), 1);   // empty surplus fields keep their space
    EXPECT_EQ(t.result, 4);
    EXPECT_EQ(t.slots[0], "a  b c");
}

TEST(Tokeniser, MergedFieldIsCutToTheSlotAndNeverSpillsOver)
{
    // Slots of 8 bytes hold 7 characters. The merge would give
    // "abcdef ghijkl mnop"; it is cut to "abcdef " and slot 1 keeps its text.
    Tokens t = Tokenise("abcdef ghijkl mnop ", Seps("s", true), 1, 4, 8);
    EXPECT_EQ(t.result, 3);
    EXPECT_EQ(t.slots[0], "abcdef ");
    EXPECT_EQ(t.raw[7], '\0');
    EXPECT_EQ(t.slots[1], "ghijkl");
    EXPECT_EQ(t.slots[2], "mnop");
}

TEST(Tokeniser, LinesThatDoNotFitTheSlots)
{
    KVVXSEPRATORSTRU space = Seps("s", false);
    EXPECT_EQ(Tokenise("abc ", space, 5, 4, 4).result, 1);     // 3 characters fit 4 bytes
    EXPECT_EQ(Tokenise("abcd ", space, 5, 4, 4).result, -1);   // 4 do not
    EXPECT_EQ(Tokenise("a b ", space, 2, 2, 8).result, 2);     // as many fields as slots
    EXPECT_EQ(Tokenise("a b c ", space, 2, 2, 8).result, -1);
    EXPECT_EQ(Tokenise("a b  ", space, 2, 2, 8).result, -1);   // an empty third field
    // Two slots found, three expected: slot 2 would have to be emptied.
    EXPECT_EQ(Tokenise("a b ", space, 3, 2, 8).result, -1);

    // Nothing outside the slots is written: the guard bytes after them
    // survive a line with far too many fields and a long merge.
    std::vector<char> area(3 * 4 + 32, 'G');
    std::vector<char*> view = {&area[0], &area[4], &area[8]};
    EXPECT_EQ(_ReadStringToArray("x y z w v ", view.data(), 3, 4, &space, 1), -1);
    EXPECT_EQ(_ReadStringToArray("abc abc abc ", view.data(), 3, 4, &space, 1), 3);
    EXPECT_EQ(std::string(view[0]), "abc");
    EXPECT_EQ(std::string(area.begin() + 12, area.end()), std::string(32, 'G'));

    // The result is 16-bit: a line of more fields than it can count does not
    // fit either, instead of coming back as a wrapped count.
    std::string many;
    for (int k = 0; k < 32767; ++k)
        many += "a,";
    KVVXSEPRATORSTRU comma = Seps("c", false);
    EXPECT_EQ(Tokenise(many.c_str(), comma, 1, 40000, 2).result, 32767);
    EXPECT_EQ(Tokenise((many + "b,").c_str(), comma, 1, 40000, 2).result, -1);
    EXPECT_EQ(Tokenise((many + "b,").c_str(), comma, 32767, 40000, 2).result, -1);
}

TEST(Tokeniser, InvalidArgumentsAreRefused)
{
    KVVXSEPRATORSTRU s = Seps("s", true);
    char** slots = nullptr;
    ASSERT_EQ(Alloc2DArray(&slots, 4, 8), 1);
    EXPECT_EQ(_ReadStringToArray(nullptr, slots, 4, 8, &s, 1), -1);
    EXPECT_EQ(_ReadStringToArray("a ", nullptr, 4, 8, &s, 1), -1);
    EXPECT_EQ(_ReadStringToArray("a ", slots, 4, 8, nullptr, 1), -1);
    EXPECT_EQ(_ReadStringToArray("a ", slots, 0, 8, &s, 1), -1);
    EXPECT_EQ(_ReadStringToArray("a ", slots, 4, 0, &s, 1), -1);
    EXPECT_EQ(_ReadStringToArray("a ", slots, 4, 8, &s, 0), -1);
    Free2DArray(slots);
}

class ReadTextFile : public ::testing::Test
{
protected:
    kvtest::TempDir dir;
};

TEST_F(ReadTextFile, TrailingSeparatorDecidesTheLastCell)
{
    tagBaseTextFormatStrcT f = Format(Seps("s", true), 1, 1, 3);
    CReadText r;
    short rows = -5;
    ASSERT_EQ(r.BeginReadText(dir.Write("a.txt", "1 2 3 \n4 5 6 \n").c_str(), f, 3, rows), 1);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(Cells(r, 2, 3), (Table{{"1", "2", "3"}, {"4", "5", "6"}}));
    r.EndReadText();

    ASSERT_EQ(r.BeginReadText(dir.Write("b.txt", "1 2 3\n4 5 6").c_str(), f, 3, rows), 1);
    EXPECT_EQ(rows, 2);   // a last line without a line end still counts
    EXPECT_EQ(Cells(r, 2, 3), (Table{{"1", "2", ""}, {"4", "5", ""}}));
}

TEST_F(ReadTextFile, SurplusAndEmptyFieldsInRows)
{
    CReadText r;
    short rows = 0;
    ASSERT_EQ(r.BeginReadText(dir.Write("a.txt", "a b c d \n").c_str(), Format(Seps("s", true), 1, 1, 2), 2, rows),
              1);
    EXPECT_EQ(Cells(r, 1, 2), (Table{{"a", "b c d"}}));
    r.EndReadText();

    std::string p = dir.Write("b.txt", "1,,3,\n");
    ASSERT_EQ(r.BeginReadText(p.c_str(), Format(Seps("c", false), 1, 1, 3), 3, rows), 1);
    EXPECT_EQ(Cells(r, 1, 3), (Table{{"1", "", "3"}}));
    r.EndReadText();
    ASSERT_EQ(r.BeginReadText(p.c_str(), Format(Seps("c", true), 1, 1, 2), 2, rows), 1);
    EXPECT_EQ(Cells(r, 1, 2), (Table{{"1", "3"}}));
}

TEST_F(ReadTextFile, HeaderLinesStartColumnAndSkippedLines)
{
    // Two header lines (one blank, one short) are skipped whatever they hold;
    // data starts at field 2; blank and unterminated data lines are not rows.
    std::string text = "\nx\n"
                       "id,a,b,c,\n"
                       "\n"
                       "1,p,q,r,\n"
                       "no separators here\n"
                       "2,s,t,u,\r\n";
    CReadText r;
    short rows = 0;
    ASSERT_EQ(r.BeginReadText(dir.Write("a.txt", text).c_str(), Format(Seps("c", false), 2, 3, 4), 2, rows), 1);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(Cells(r, 3, 2), (Table{{"a", "b"}, {"p", "q"}, {"s", "t"}}));
}

TEST_F(ReadTextFile, OneExpectedFieldMakesBlankAndUnterminatedLinesEmptyRows)
{
    // With nColCount 1 a blank line, or one whose text no separator ends,
    // is a row with one empty cell; with nColCount 2 the same lines are
    // skipped and do not count.
    std::string p = dir.Write("a.txt", "a,\n\nloose\nb,\n");
    CReadText r;
    short rows = 0;
    ASSERT_EQ(r.BeginReadText(p.c_str(), Format(Seps("c", false), 1, 1, 1), 1, rows), 1);
    EXPECT_EQ(rows, 4);
    EXPECT_EQ(Cells(r, 4, 1), (Table{{"a"}, {""}, {""}, {"b"}}));
    r.EndReadText();
    ASSERT_EQ(r.BeginReadText(p.c_str(), Format(Seps("c", false), 1, 1, 2), 1, rows), 1);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(Cells(r, 2, 1), (Table{{"a"}, {"b"}}));
}

TEST_F(ReadTextFile, CrLfLineEndsReadLikeLf)
{
    tagBaseTextFormatStrcT f = Format(Seps("t", false), 1, 1, 2);
    CReadText a, b;
    short ra = 0, rb = 0;
    ASSERT_EQ(a.BeginReadText(dir.Write("lf.txt", "x\ty\t\nz\tw\t\n").c_str(), f, 2, ra), 1);
    ASSERT_EQ(b.BeginReadText(dir.Write("crlf.txt", "x\ty\t\r\nz\tw\t\r\n").c_str(), f, 2, rb), 1);
    EXPECT_EQ(ra, rb);
    EXPECT_EQ(Cells(a, ra, 2), Cells(b, rb, 2));
}

TEST_F(ReadTextFile, LineEndsAcrossBlocksLoneCrAndLongLines)
{
    // With CR as a separator, only a CR that is part of a CR LF line end is
    // invisible; a lone CR is an ordinary character of its line.
    tagBaseTextFormatStrcT f = Format(Seps("s", true, '\r'), 1, 1, 2);
    std::string first = "x" + std::string(65533, ' ') + "w";   // its CR LF straddles 64 KiB
    ASSERT_EQ(first.size(), 65535u);
    std::string text = first + "\r\n" +
                       "a\rb\r\r\n" +                                   // CR CR LF: one CR stays
                       "p" + std::string(200000, ' ') + "q \n" +        // a line far longer than a block
                       "c d\r";                                          // a lone CR at the end stays
    CReadText r;
    short rows = 0;
    ASSERT_EQ(r.BeginReadText(dir.Write("a.txt", text).c_str(), f, 2, rows), 1);
    EXPECT_EQ(Cells(r, rows, 2), (Table{{"x", ""}, {"a", "b"}, {"p", "q"}, {"c", "d"}}));
}

TEST_F(ReadTextFile, TooFewFieldsFailsTheWholeLoad)
{
    CReadText r;
    short rows = 99;
    std::string p = dir.Write("a.txt", "1,2,3,\n4,5,6,\n7,8,\n");
    EXPECT_EQ(r.BeginReadText(p.c_str(), Format(Seps("c", false), 1, 1, 4), 3, rows), 0);
    EXPECT_EQ(rows, 99);
    EXPECT_EQ(r.m_pData, nullptr);
    EXPECT_EQ(r.m_nRows, 0);
    EXPECT_EQ(r.m_nCols, 0);
    char buf[256] = "keep";
    EXPECT_EQ(r.GetTextData(0, 0, buf), 0);
    EXPECT_STREQ(buf, "keep");
    // The empty reader loads the next file.
    EXPECT_EQ(r.BeginReadText(dir.Write("b.txt", "1,2,3,\n").c_str(), Format(Seps("c", false), 1, 1, 3), 3, rows),
              1);
}

TEST_F(ReadTextFile, FormatAndFileProblemsAreResults)
{
    std::string p = dir.Write("a.txt", "1,2,3,\n");
    KVVXSEPRATORSTRU c = Seps("c", false);
    CReadText r;
    short rows = 42;
    EXPECT_EQ(r.BeginReadText(p.c_str(), Format(c, 2, 1, 3), 3, rows), 0);   // 2 + 3 - 1 > 3
    EXPECT_EQ(r.BeginReadText(p.c_str(), Format(c, 0, 1, 3), 3, rows), 0);
    EXPECT_EQ(r.BeginReadText(p.c_str(), Format(c, 1, 0, 3), 3, rows), 0);
    EXPECT_EQ(r.BeginReadText(p.c_str(), Format(c, 1, 1, 3), 0, rows), 0);
    EXPECT_EQ(r.BeginReadText(p.c_str(), Format(c, 1, 1, 3), -3, rows), 0);
    EXPECT_EQ(r.BeginReadText(dir.Path("missing.txt").c_str(), Format(c, 1, 1, 3), 3, rows), 0);
    EXPECT_EQ(r.BeginReadText(nullptr, Format(c, 1, 1, 3), 3, rows), 0);
    EXPECT_EQ(rows, 42);
    EXPECT_EQ(r.m_pData, nullptr);

    // An empty file, and a file of header lines only, load with 0 rows.
    EXPECT_EQ(r.BeginReadText(dir.Write("empty.txt", "").c_str(), Format(c, 1, 1, 3), 3, rows), 1);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(r.BeginReadText(p.c_str(), Format(c, 1, 5, 3), 3, rows), 1);
    EXPECT_EQ(rows, 0);
    char buf[256] = "keep";
    EXPECT_EQ(r.GetTextData(0, 0, buf), 0);
    EXPECT_STREQ(buf, "keep");
}

TEST_F(ReadTextFile, SecondLoadIsRefusedAndKeepsTheFirstTable)
{
    KVVXSEPRATORSTRU c = Seps("c", false);
    CReadText r;
    short rows = 0;
    ASSERT_EQ(r.BeginReadText(dir.Write("a.txt", "a,b,\n").c_str(), Format(c, 1, 1, 2), 2, rows), 1);
    short again = 77;
    EXPECT_EQ(r.BeginReadText(dir.Write("b.txt", "x,y,\nz,w,\n").c_str(), Format(c, 1, 1, 2), 2, again), 0);
    EXPECT_EQ(again, 77);
    EXPECT_EQ(r.m_nRows, 1);
    EXPECT_EQ(Cells(r, 1, 2), (Table{{"a", "b"}}));
    EXPECT_EQ(r.EndReadText(), 1);
    EXPECT_EQ(r.EndReadText(), 1);
}

TEST_F(ReadTextFile, GetTextDataRangeChecks)
{
    CReadText r;
    short rows = 0;
    ASSERT_EQ(r.BeginReadText(dir.Write("a.txt", "a,b,\nc,d,\n").c_str(), Format(Seps("c", false), 1, 1, 2), 2, rows),
              1);
    char buf[256] = "keep";
    EXPECT_EQ(r.GetTextData(-1, 0, buf), 0);
    EXPECT_EQ(r.GetTextData(2, 0, buf), 0);
    EXPECT_EQ(r.GetTextData(0, 2, buf), 0);
    EXPECT_EQ(r.GetTextData(0, -1, buf), 0);
    EXPECT_STREQ(buf, "keep");
    EXPECT_EQ(r.GetTextData(1, 1, buf), 1);
    EXPECT_STREQ(buf, "d");
}

TEST_F(ReadTextFile, GrowingTableKeepsEveryEarlierCell)
{
    std::string text;
    const int n = 1000;   // past the growth points 100, 200, 400 and 800
    for (int i = 0; i < n; ++i)
        text += "r" + std::to_string(i) + ";c" + std::to_string(i) + ";\n";
    CReadText r;
    short rows = 0;
    ASSERT_EQ(r.BeginReadText(dir.Write("a.txt", text).c_str(), Format(Seps(";", false), 1, 1, 2), 2, rows), 1);
    ASSERT_EQ(rows, n);
    char buf[256];
    for (short i = 0; i < n; ++i) {
        ASSERT_EQ(r.GetTextData(i, 0, buf), 1);
        ASSERT_EQ(std::string(buf), "r" + std::to_string(i));
        ASSERT_EQ(r.GetTextData(i, 1, buf), 1);
        ASSERT_EQ(std::string(buf), "c" + std::to_string(i));
    }
}

TEST_F(ReadTextFile, PipeIsReadInOnePassWithAGrowingTable)
{
    // A pipe can be read only once: no line count ahead of the load, so
    // the table grows as the rows come (past 100, 200, 400 and 800 rows).
    std::string text;
    const int n = 1000;
    for (int i = 0; i < n; ++i)
        text += "p" + std::to_string(i) + ",\n";
#ifdef _WIN32
    const std::string name = "\\\\.\\pipe\\kvvx-readtext-" + std::to_string(GetCurrentProcessId());
    HANDLE pipe = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536, 65536,
                                   0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    std::thread writer([&] {
        ConnectNamedPipe(pipe, nullptr);
        DWORD written = 0;
        WriteFile(pipe, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        FlushFileBuffers(pipe);
        CloseHandle(pipe);
    });
#else
    const std::string name = dir.Path("fifo");
    ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
    std::thread writer([&] {
        std::FILE* f = std::fopen(name.c_str(), "wb");
        if (f) {
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
    });
#endif
    CReadText r;
    short rows = 0;
    EXPECT_EQ(r.BeginReadText(name.c_str(), Format(Seps("c", false), 1, 1, 1), 1, rows), 1);
    writer.join();
    ASSERT_EQ(rows, n);
    char buf[256];
    for (short i = 0; i < n; ++i) {
        ASSERT_EQ(r.GetTextData(i, 0, buf), 1);
        ASSERT_EQ(std::string(buf), "p" + std::to_string(i));
    }
}

TEST_F(ReadTextFile, RowLimitIsNeverWrappedAround)
{
    std::string text;
    for (int i = 0; i < 32767; ++i)
        text += std::to_string(i % 10) + ",\n";
    KVVXSEPRATORSTRU c = Seps("c", false);
    CReadText r;
    short rows = 0;
    ASSERT_EQ(r.BeginReadText(dir.Write("full.txt", text).c_str(), Format(c, 1, 1, 1), 1, rows), 1);
    EXPECT_EQ(rows, 32767);
    char buf[256];
    ASSERT_EQ(r.GetTextData(32766, 0, buf), 1);
    EXPECT_STREQ(buf, "6");
    r.EndReadText();

    // Blank lines past the limit do not count; one more row fails the load.
    EXPECT_EQ(r.BeginReadText(dir.Write("blank.txt", text + "\n\n").c_str(), Format(c, 1, 1, 2), 1, rows), 1);
    EXPECT_EQ(rows, 32767);
    r.EndReadText();
    rows = 5;
    EXPECT_EQ(r.BeginReadText(dir.Write("over.txt", text + "7,\n").c_str(), Format(c, 1, 1, 1), 1, rows), 0);
    EXPECT_EQ(rows, 5);
    EXPECT_EQ(r.m_pData, nullptr);
    EXPECT_EQ(r.m_nRows, 0);
}

TEST_F(ReadTextFile, CopiesOwnTheirTables)
{
    CReadText a;
    short rows = 0;
    ASSERT_EQ(a.BeginReadText(dir.Write("a.txt", "a,b,\nc,d,\n").c_str(), Format(Seps("c", false), 1, 1, 2), 2, rows),
              1);
    CReadText b;
    b = a;
    CReadText c(a);
    EXPECT_NE(b.m_pData, a.m_pData);
    a.EndReadText();
    EXPECT_EQ(Cells(b, 2, 2), (Table{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(Cells(c, 2, 2), (Table{{"a", "b"}, {"c", "d"}}));
    CReadText& self = b;
    b = self;
    EXPECT_EQ(Cells(b, 2, 2), (Table{{"a", "b"}, {"c", "d"}}));
    b = a;   // copying an empty reader empties the target
    EXPECT_EQ(b.m_pData, nullptr);
    EXPECT_EQ(b.m_nRows, 0);
}

TEST_F(ReadTextFile, CopyWithoutMemoryThrowsAndKeepsTheTarget)
{
#if !defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "needs the sanitizer's allocation limit to refuse the copy";
#else
    CReadText target;
    short rows = 0;
    ASSERT_EQ(target.BeginReadText(dir.Write("a.txt", "a,b,\n").c_str(), Format(Seps("c", false), 1, 1, 2), 2, rows),
              1);
    // A source that claims 32767 x 32767 cells (256 GiB): no copy can be had.
    char cell[256] = "x";
    CReadText huge;
    huge.m_nRows = 32767;
    huge.m_nCols = 32767;
    huge.m_pData = cell;
    int thrown = 0;
    try {
        target = huge;
    } catch (CMemoryException* e) {
        ++thrown;
        e->Delete();
    }
    try {
        CReadText copy(huge);
    } catch (CMemoryException* e) {
        ++thrown;
        e->Delete();
    }
    huge.m_pData = nullptr;   // not the reader's to release
    EXPECT_EQ(thrown, 2);
    EXPECT_EQ(target.m_nRows, 1);
    EXPECT_EQ(Cells(target, 1, 2), (Table{{"a", "b"}}));
#endif
}

TEST_F(ReadTextFile, ReadErrorsReachTheCallerAsFileExceptions)
{
    CReadText r;
    short rows = 3;
    int cause = -1;
    try {
        r.BeginReadText(kvtest::UnreadablePath(), Format(Seps("c", false), 1, 1, 1), 1, rows);
    } catch (CFileException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::hardIO);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(r.m_pData, nullptr);
    EXPECT_EQ(r.m_nRows, 0);
}
