// CSharedFile: a memory file in one global memory block, handed over to the
// clipboard or a drop as the block itself.
#include <gtest/gtest.h>
#include "fw_test_support.h"
#include "platform/OleDataTransfer.h"
#include "platform/core/Exceptions.h"
#include "../platform/test_util.h"

#include <string>

namespace
{
std::string BlockText(HGLOBAL h)
{
    const char* p = (const char*)::GlobalLock(h);
    std::string s(p, ::GlobalSize(h));
    ::GlobalUnlock(h);
    return s;
}
} // namespace

TEST(SharedFile, GrowsInOneGlobalBlockAndHandsItOverExactly)
{
    CSharedFile sf(GMEM_MOVEABLE, 16);
    EXPECT_EQ(sf.Detach(), (HGLOBAL)NULL) << "an empty file has no block to hand over";

    // Many small writes past several growth steps, a seek back and a read.
    std::string expected;
    for (int i = 0; i < 3000; i++)
    {
        char sz[16];
        int n = sprintf(sz, "%d,", i);
        sf.Write(sz, (UINT)n);
        expected.append(sz, (size_t)n);
    }
    EXPECT_EQ(sf.GetLength(), expected.size());
    sf.Seek(-5, CFile::end);
    char tail[8] = {};
    EXPECT_EQ(sf.Read(tail, sizeof(tail)), 5u);
    EXPECT_EQ(std::string(tail, 5), expected.substr(expected.size() - 5));

    HGLOBAL h = sf.Detach();
    ASSERT_NE(h, (HGLOBAL)NULL);
    EXPECT_EQ(BlockText(h), expected) << "the block is shrunk to exactly the data";
    EXPECT_EQ(sf.GetLength(), 0u);
    sf.Write("again", 5);                            // usable after Detach
    EXPECT_EQ(sf.GetLength(), 5u);

    // A block taken over without growing: it reads and is written in place;
    // writing past its end fails and leaves the data alone.
    CSharedFile fixed;
    fixed.SetHandle(h, FALSE);
    EXPECT_EQ(fixed.GetLength(), expected.size());
    char head[4] = {};
    EXPECT_EQ(fixed.Read(head, 4), 4u);
    EXPECT_EQ(std::string(head, 4), expected.substr(0, 4));
    fixed.SeekToBegin();
    fixed.Write("X", 1);
    fixed.Seek(0, CFile::end);
    EXPECT_TRUE(kvvx_test::Throws<CMemoryException>([&] { fixed.Write("more", 4); }));
    EXPECT_EQ(fixed.GetLength(), expected.size());
    HGLOBAL h2 = fixed.Detach();
    ASSERT_EQ(h2, h) << "a block of the right size is handed back as it is";
    EXPECT_EQ(BlockText(h2), "X" + expected.substr(1));

    // Taken over with growing allowed, the block grows; Close frees it and
    // the file starts again empty.
    CSharedFile growing;
    growing.SetHandle(h2);
    growing.Seek(0, CFile::end);
    growing.Write("++", 2);
    EXPECT_EQ(growing.GetLength(), expected.size() + 2);
    growing.Close();
    EXPECT_EQ(growing.GetLength(), 0u);
    growing.Write("ok", 2);
    HGLOBAL h3 = growing.Detach();
    EXPECT_EQ(BlockText(h3), "ok");
    ::GlobalFree(h3);
}
