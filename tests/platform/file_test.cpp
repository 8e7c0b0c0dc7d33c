// CFile, CStdioFile (text translation both ways, line reading), CMemFile, and
// the error paths: missing files, a full disk, closed handles.
#include "test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#if !defined(_WIN32)
#  include <fcntl.h>
#  include <unistd.h>
#endif

using kvvx_test::CauseOf;
using kvvx_test::FullDiskPath;
using kvvx_test::ReadAll;
using kvvx_test::TempPath;
using kvvx_test::Throws;
using kvvx_test::WriteAll;

namespace {

bool HandleIsOpen(HANDLE h)
{
#if defined(_WIN32)
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != FALSE;
#else
    return fcntl((int)(intptr_t)h, F_GETFD) != -1;
#endif
}

} // namespace

TEST(CFileTest, WriteReadSeekLength)
{
    std::string path = TempPath("basic.bin");
    {
        CFile f;
        CFileException e;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite, &e));
        EXPECT_EQ(e.m_cause, CFileException::none);
        f.Write("0123456789", 10);
        EXPECT_EQ(f.GetPosition(), 10u);
        EXPECT_EQ(f.GetLength(), 10u);
        EXPECT_EQ(f.Seek(2, CFile::begin), 2u);
        char buf[16] = {};
        EXPECT_EQ(f.Read(buf, 3), 3u);
        EXPECT_STREQ(buf, "234");
        EXPECT_EQ(f.Seek(-1, CFile::current), 4u);
        EXPECT_EQ(f.Seek(-2, CFile::end), 8u);
        EXPECT_EQ(f.Read(buf, 16), 2u);             // short at the end
        EXPECT_EQ(f.Read(buf, 16), 0u);
        f.SeekToBegin();
        EXPECT_EQ(f.GetPosition(), 0u);
        EXPECT_EQ(f.SeekToEnd(), 10u);
        f.SetLength(4);
        EXPECT_EQ(f.GetLength(), 4u);
        f.SetLength(6);
        EXPECT_EQ(f.GetLength(), 6u);
        f.Flush();
        EXPECT_TRUE(Throws<CFileException>([&] { f.Seek(-100, CFile::begin); }));
        EXPECT_EQ(CauseOf<CFileException>([&] { f.Seek(-100, CFile::begin); }), CFileException::badSeek);
        f.Close();
        EXPECT_EQ(f.m_hFile, CFile::hFileNull);
        f.Close();                                   // closing twice is harmless
    }
    std::string all = ReadAll(path);
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all.substr(0, 4), "0123");
    EXPECT_EQ(all[4], '\0');
    CFile::Remove(path.c_str());
}

TEST(CFileTest, NamesAndPaths)
{
    std::string path = TempPath("report.final.txt");
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_STREQ(f.GetFileName(), "report.final.txt");
    EXPECT_STREQ(f.GetFileTitle(), "report.final");
    CString full = f.GetFilePath();
    EXPECT_EQ(full.Right(16), CString("report.final.txt"));
    EXPECT_GT(full.GetLength(), 16);
    f.Close();
    EXPECT_TRUE(f.GetFilePath().IsEmpty());
    CFile::Remove(path.c_str());
}

TEST(CFileTest, MissingFileOpensWithFileNotFound)
{
    std::string path = TempPath("does-not-exist.txt");
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(path.c_str(), CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_NE(e.m_lOsError, 0);
    EXPECT_NE(e.m_lOsError, -1);
    EXPECT_EQ(e.m_strFileName, CString(path.c_str()));
    EXPECT_EQ(f.m_hFile, CFile::hFileNull);
    char msg[256];
    EXPECT_TRUE(e.GetErrorMessage(msg, sizeof(msg)));
    EXPECT_NE(std::string(msg).find("was not found"), std::string::npos);
    EXPECT_NE(std::string(msg).find("does-not-exist.txt"), std::string::npos);

    // Opening without an exception record is allowed too.
    EXPECT_FALSE(f.Open(path.c_str(), CFile::modeRead));

    // The constructor throws.
    EXPECT_EQ(CauseOf<CFileException>([&] { CFile g(path.c_str(), CFile::modeRead); }),
              CFileException::fileNotFound);
    EXPECT_EQ(CauseOf<CFileException>([&] { CStdioFile g(path.c_str(), CFile::modeRead | CFile::typeText); }),
              CFileException::fileNotFound);

    // A missing folder: "bad path" on Windows, "not found" on POSIX.
    std::string badDir = TempPath("no-such-dir/x.txt");
    EXPECT_FALSE(f.Open(badDir.c_str(), CFile::modeCreate | CFile::modeWrite, &e));
    EXPECT_TRUE(e.m_cause == CFileException::badPath || e.m_cause == CFileException::fileNotFound)
        << e.m_cause;

    EXPECT_EQ(CauseOf<CFileException>([&] { CFile::Remove(path.c_str()); }), CFileException::fileNotFound);
}

TEST(CFileTest, DirectoryCannotBeOpenedAsFile)
{
    std::string dir = TempPath("");
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(dir.c_str(), CFile::modeRead, &e));
    EXPECT_NE(e.m_cause, CFileException::none);
}

TEST(CFileTest, FullDiskWriteThrowsDiskFull)
{
    CFile f;
    CFileException e;
    ASSERT_TRUE(f.Open(FullDiskPath(), CFile::modeWrite | CFile::shareDenyNone, &e))
        << "cause " << e.m_cause << " os " << e.m_lOsError;
    char buf[4096] = {};
    int cause = CauseOf<CFileException>([&] { f.Write(buf, sizeof(buf)); });
    EXPECT_EQ(cause, CFileException::diskFull);
    f.Close();
}

TEST(CFileTest, FullDiskThroughStdioFileThrowsAtFlushOrClose)
{
    // Small writes are buffered: the error comes with Flush/Close (never
    // success), and the handle is closed once all the same.
    CStdioFile f;
    ASSERT_TRUE(f.Open(FullDiskPath(), CFile::modeWrite | CFile::shareDenyNone | CFile::typeText));
    f.WriteString("a line\n");
    int cause = CauseOf<CFileException>([&] { f.Close(); });
    EXPECT_EQ(cause, CFileException::diskFull);
    EXPECT_EQ(f.m_hFile, CFile::hFileNull);

    CStdioFile g(FullDiskPath(), CFile::modeWrite | CFile::shareDenyNone);
    std::string big(20000, 'x');
    cause = CauseOf<CFileException>([&] { g.WriteString(big.c_str()); g.Flush(); });
    EXPECT_EQ(cause, CFileException::diskFull);
    // The destructor closes g without throwing.
}

TEST(CFileTest, StdioCloseRethrowsAHandleErrorAsCFileException)
{
    // With nothing buffered, the error comes from closing the handle itself
    // (here closed behind the object's back); it still arrives as a
    // CFileException*, so a catch of that type sees it.
    std::string path = TempPath("close_error.txt");
    CStdioFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
#if defined(_WIN32)
    ASSERT_TRUE(::CloseHandle(f.m_hFile));
#else
    ASSERT_EQ(0, ::close((int)(intptr_t)f.m_hFile));
#endif
    int cause = CauseOf<CFileException>([&] { f.Close(); });
    EXPECT_NE(cause, -2000) << "thrown as another class";
    EXPECT_NE(cause, -1000) << "nothing thrown";
    EXPECT_EQ(f.m_hFile, CFile::hFileNull);
    std::remove(path.c_str());
}

TEST(CFileTest, DestructorClosesTheHandleOnce)
{
    std::string path = TempPath("dtor.txt");
    HANDLE h;
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        h = f.m_hFile;
        EXPECT_TRUE(HandleIsOpen(h));
    }
    EXPECT_FALSE(HandleIsOpen(h));

    // An exception leaving a function still closes the file.
    auto thrower = [&] {
        CStdioFile f(path.c_str(), CFile::modeRead);
        h = f.m_hFile;
        AfxThrowUserException();
    };
    EXPECT_TRUE(Throws<CUserException>(thrower));
    EXPECT_FALSE(HandleIsOpen(h));

    // Attached handles are not closed by the destructor.
    CFile owner(path.c_str(), CFile::modeRead);
    {
        CFile view(owner.m_hFile);
        EXPECT_FALSE(view.m_bCloseOnDelete);
    }
    EXPECT_TRUE(HandleIsOpen(owner.m_hFile));
    owner.Close();
    CFile::Remove(path.c_str());
}

TEST(CFileTest, OperationsOnClosedFileThrow)
{
    CFile f;
    char buf[4];
    EXPECT_TRUE(Throws<CFileException>([&] { f.Read(buf, 4); }));
    EXPECT_TRUE(Throws<CFileException>([&] { f.Write(buf, 4); }));
    EXPECT_TRUE(Throws<CFileException>([&] { f.GetLength(); }));
    f.Abort();
    f.Close();
}

TEST(CFileTest, RenameAndRemove)
{
    std::string a = TempPath("ren_a.txt"), b = TempPath("ren_b.txt");
    WriteAll(a, "data");
    CFile::Rename(a.c_str(), b.c_str());
    EXPECT_EQ(ReadAll(b), "data");
    EXPECT_EQ(CauseOf<CFileException>([&] { CFile::Rename(a.c_str(), b.c_str()); }),
              CFileException::fileNotFound);
    CFile::Remove(b.c_str());
    CFile f;
    EXPECT_FALSE(f.Open(b.c_str(), CFile::modeRead));
}

// ------------------------------------------------------------- CStdioFile

TEST(CStdioFileTest, TextModeWritesCrLf)
{
    std::string path = TempPath("text_out.txt");
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("a,b\n");
        f.WriteString("");
        f.WriteString("c\n\nd");
        f.Write("\n", 1);
        f.Close();
    }
    EXPECT_EQ(ReadAll(path), "a,b\r\nc\r\n\r\nd\r\n");
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        f.WriteString("x\ny\n");
    }
    EXPECT_EQ(ReadAll(path), "x\ny\n");
    CFile::Remove(path.c_str());
}

TEST(CStdioFileTest, TextModeReadsCrLfAsLf)
{
    std::string path = TempPath("text_in.txt");
    WriteAll(path, "first\r\nsecond\nthird\rstill third\r\n\r\nlast");
    CStdioFile f(path.c_str(), CFile::modeRead | CFile::typeText);
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "first");
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "second");
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "third\rstill third");    // a lone CR stays
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "");                      // empty line
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "last");                  // no final line end
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_FALSE(f.ReadString(line));
    f.Close();

    CStdioFile b(path.c_str(), CFile::modeRead | CFile::typeBinary);
    ASSERT_TRUE(b.ReadString(line));
    EXPECT_STREQ(line, "first\r");               // binary: CR kept
    char raw[64];
    b.SeekToBegin();
    UINT n = b.Read(raw, 7);
    EXPECT_EQ(n, 7u);
    EXPECT_EQ(std::string(raw, 7), "first\r\n");
    b.Close();

    CStdioFile t(path.c_str(), CFile::modeRead);  // text is the default
    n = t.Read(raw, 13);
    EXPECT_EQ(std::string(raw, n), "first\nsecond\n");
    t.Close();                      // Windows cannot remove an open file
    CFile::Remove(path.c_str());
}

TEST(CStdioFileTest, CrLfSplitAcrossBufferBoundary)
{
    std::string path = TempPath("boundary.txt");
    // Put CR LF pairs at every offset around the 4096-byte buffer edge.
    for (int pad = 4090; pad < 4100; ++pad)
    {
        std::string data(pad, 'a');
        data += "\r\nb\r\n";
        WriteAll(path, data);
        CStdioFile f(path.c_str(), CFile::modeRead);
        CString line;
        ASSERT_TRUE(f.ReadString(line));
        ASSERT_EQ(line.GetLength(), pad);
        ASSERT_TRUE(f.ReadString(line));
        ASSERT_STREQ(line, "b");
        ASSERT_FALSE(f.ReadString(line));
    }
    CFile::Remove(path.c_str());
}

TEST(CStdioFileTest, ReadStringCharBufferSplitsLongLines)
{
    std::string path = TempPath("long.txt");
    std::string longLine(2000, 'L');
    WriteAll(path, longLine + "\r\nshort\r\nend");
    CStdioFile f(path.c_str(), CFile::modeRead | CFile::typeText);
    char buf[1024];
    ASSERT_NE(f.ReadString(buf, 1024), nullptr);
    EXPECT_EQ(strlen(buf), 1023u);                   // nMax - 1 characters
    ASSERT_NE(f.ReadString(buf, 1024), nullptr);
    EXPECT_EQ(std::string(buf), std::string(977, 'L') + "\n");   // newline kept
    ASSERT_NE(f.ReadString(buf, 1024), nullptr);
    EXPECT_STREQ(buf, "short\n");
    ASSERT_NE(f.ReadString(buf, 1024), nullptr);
    EXPECT_STREQ(buf, "end");
    EXPECT_EQ(f.ReadString(buf, 1024), nullptr);

    // A buffer of exactly the line's length + 1 drops the newline to the next call.
    f.SeekToBegin();
    char small[7];
    f.ReadString(buf, 1024);
    f.ReadString(buf, 1024);
    ASSERT_NE(f.ReadString(small, 6), nullptr);
    EXPECT_STREQ(small, "short");
    ASSERT_NE(f.ReadString(small, 6), nullptr);
    EXPECT_STREQ(small, "\n");
    ASSERT_NE(f.ReadString(small, 1), nullptr);      // room for the zero only
    EXPECT_STREQ(small, "");

    // The CString form reads any length.
    f.SeekToBegin();
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_EQ(line.GetLength(), 2000);
    f.Close();

    std::string huge(100000, 'H');
    WriteAll(path, huge + "\n");
    CStdioFile g(path.c_str(), CFile::modeRead);
    ASSERT_TRUE(g.ReadString(line));
    EXPECT_EQ(line.GetLength(), 100000);
    EXPECT_FALSE(g.ReadString(line));
    g.Close();
    CFile::Remove(path.c_str());
}

TEST(CStdioFileTest, MixedReadWriteAndPositions)
{
    std::string path = TempPath("mixed.txt");
    CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeText);
    f.WriteString("one\ntwo\n");
    EXPECT_EQ(f.GetPosition(), 10u);                 // bytes on disk: CR LF
    EXPECT_EQ(f.GetLength(), 10u);
    f.SeekToBegin();
    CString line;
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "one");
    EXPECT_EQ(f.GetPosition(), 5u);
    f.WriteString("TWO\n");                          // overwrite the second line
    f.SeekToBegin();
    ASSERT_TRUE(f.ReadString(line));
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "TWO");
    EXPECT_FALSE(f.ReadString(line));
    f.Seek(-5, CFile::current);
    ASSERT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "TWO");
    f.Close();
    EXPECT_EQ(ReadAll(path), "one\r\nTWO\r\n");
    CFile::Remove(path.c_str());
}

TEST(CStdioFileTest, DestructorFlushesBufferedText)
{
    std::string path = TempPath("flush.txt");
    {
        CStdioFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        f.WriteString("kept\n");
    }
    EXPECT_EQ(ReadAll(path), "kept\r\n");
    CFile::Remove(path.c_str());
}

// ---------------------------------------------------------------- CMemFile

TEST(CMemFileTest, GrowsReadsSeeksAndDetaches)
{
    CMemFile m(16);
    std::string data(10000, 'm');
    for (int i = 0; i < 10; ++i)
        m.Write(data.data(), 1000);
    EXPECT_EQ(m.GetLength(), 10000u);
    EXPECT_EQ(m.GetPosition(), 10000u);
    m.SeekToBegin();
    char buf[100];
    EXPECT_EQ(m.Read(buf, 100), 100u);
    EXPECT_EQ(m.Seek(-10, CFile::end), 9990u);
    EXPECT_EQ(m.Read(buf, 100), 10u);
    EXPECT_EQ(m.Read(buf, 100), 0u);
    EXPECT_TRUE(Throws<CFileException>([&] { m.Seek(-1, CFile::begin); }));
    m.Seek(20000, CFile::begin);                     // past the end, then write
    m.Write("z", 1);
    EXPECT_EQ(m.GetLength(), 20001u);
    m.Seek(15000, CFile::begin);
    EXPECT_EQ(m.Read(buf, 1), 1u);
    EXPECT_EQ(buf[0], '\0');                          // the gap is zeros
    m.SetLength(5);
    EXPECT_EQ(m.GetLength(), 5u);
    EXPECT_EQ(m.GetPosition(), 5u);
    ULONGLONG n = m.GetLength();
    BYTE* p = m.Detach();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(memcmp(p, "mmmmm", 5), 0);
    free(p);
    EXPECT_EQ(m.GetLength(), 0u);
    m.Write("abc", 3);                                // usable again
    EXPECT_EQ(m.GetLength(), 3u);
}

TEST(CMemFileTest, AttachedFixedBuffer)
{
    BYTE buf[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    CMemFile m(buf, sizeof(buf));
    EXPECT_EQ(m.GetLength(), 8u);
    BYTE out[8];
    EXPECT_EQ(m.Read(out, 8), 8u);
    EXPECT_EQ(out[7], 8);
    m.SeekToBegin();
    m.Write("xy", 2);
    EXPECT_EQ(buf[0], 'x');
    m.Seek(7, CFile::begin);
    EXPECT_TRUE(Throws<CMemoryException>([&] { m.Write("123", 3); }));
    BYTE* p = m.Detach();
    EXPECT_EQ(p, buf);                                // not freed by the file

    // A growable attached buffer (from malloc) starts empty and may move.
    BYTE* g = (BYTE*)malloc(4);
    CMemFile mg;
    mg.Attach(g, 4, 64);
    EXPECT_EQ(mg.GetLength(), 0u);
    std::string big(1000, 'q');
    mg.Write(big.data(), 1000);
    EXPECT_EQ(mg.GetLength(), 1000u);
    BYTE* q = mg.Detach();
    EXPECT_EQ(q[999], 'q');
    free(q);
}
