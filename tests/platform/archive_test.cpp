// CArchive: round trips of values, strings, counts, arrays, maps and
// objects; the framework's byte layout; truncated and corrupt input.
#include "test_util.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using kvvx_test::CauseOf;
using kvvx_test::TempPath;

namespace {

class CNode : public CObject
{
    DECLARE_SERIAL(CNode)
public:
    CString m_strName;
    int m_nValue = 0;
    CNode* m_pPeer = nullptr;       // not owned
    CDWordArray m_widths;
    void Serialize(CArchive& ar) override
    {
        CObject::Serialize(ar);
        if (ar.IsStoring())
        {
            ar << m_strName << m_nValue;
            ar << m_pPeer;
        }
        else
        {
            ar >> m_strName >> m_nValue;
            CObject* p = nullptr;
            ar >> p;
            m_pPeer = static_cast<CNode*>(p);
        }
        m_widths.Serialize(ar);
    }
};
IMPLEMENT_SERIAL(CNode, CObject, 1)

std::vector<BYTE> Bytes(CMemFile& m)
{
    std::vector<BYTE> v((size_t)m.GetLength());
    m.SeekToBegin();
    if (!v.empty())
        m.Read(v.data(), (UINT)v.size());
    return v;
}

template<class F>
std::vector<BYTE> Store(F f)
{
    CMemFile m;
    {
        CArchive ar(&m, CArchive::store);
        f(ar);
        ar.Close();
    }
    return Bytes(m);
}

// Loads from a copy of the bytes (a fixed-size memory file over them).
template<class F>
void Load(const std::vector<BYTE>& bytes, F f)
{
    std::vector<BYTE> copy(bytes);
    CMemFile m(copy.empty() ? NULL : copy.data(), (UINT)copy.size());
    CArchive ar(&m, CArchive::load);
    f(ar);
}

} // namespace

TEST(CArchiveTest, ValuesRoundTrip)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar << (BYTE)0xAB << (WORD)0xBEEF << (DWORD)0xDEADBEEF << (LONG)-5 << (int)-7 << (UINT)9u
           << 1.5f << -2.25 << (LONGLONG)-1234567890123LL << (ULONGLONG)0xFFFFFFFFFFFFFFFFull
           << (short)-3 << 'c' << true << false;
    });
    EXPECT_EQ(bytes.size(), 1u + 2 + 4 + 4 + 4 + 4 + 4 + 8 + 8 + 8 + 2 + 1 + 1 + 1);
    // Little-endian DWORD at offset 3.
    EXPECT_EQ(bytes[3], 0xEF);
    EXPECT_EQ(bytes[6], 0xDE);
    Load(bytes, [](CArchive& ar) {
        BYTE by; WORD w; DWORD dw; LONG l; int i; UINT u; float f; double d;
        LONGLONG ll; ULONGLONG ull; short sh; char ch; bool b1, b2;
        ar >> by >> w >> dw >> l >> i >> u >> f >> d >> ll >> ull >> sh >> ch >> b1 >> b2;
        EXPECT_EQ(by, 0xAB);
        EXPECT_EQ(w, 0xBEEF);
        EXPECT_EQ(dw, 0xDEADBEEFu);
        EXPECT_EQ(l, -5);
        EXPECT_EQ(i, -7);
        EXPECT_EQ(u, 9u);
        EXPECT_EQ(f, 1.5f);
        EXPECT_EQ(d, -2.25);
        EXPECT_EQ(ll, -1234567890123LL);
        EXPECT_EQ(ull, 0xFFFFFFFFFFFFFFFFull);
        EXPECT_EQ(sh, -3);
        EXPECT_EQ(ch, 'c');
        EXPECT_TRUE(b1);
        EXPECT_FALSE(b2);
        EXPECT_TRUE(ar.IsLoading());
        EXPECT_FALSE(ar.IsStoring());
    });
}

TEST(CArchiveTest, StringLengthPrefixes)
{
    auto prefixOf = [](int n) {
        CString s('s', n);
        std::vector<BYTE> b = Store([&](CArchive& ar) { ar << s; });
        EXPECT_EQ(b.size() >= (size_t)n, true);
        return std::vector<BYTE>(b.begin(), b.end() - n);
    };
    EXPECT_EQ(prefixOf(0), (std::vector<BYTE>{ 0 }));
    EXPECT_EQ(prefixOf(254), (std::vector<BYTE>{ 254 }));
    EXPECT_EQ(prefixOf(255), (std::vector<BYTE>{ 0xFF, 0xFF, 0x00 }));
    EXPECT_EQ(prefixOf(0xFFFD), (std::vector<BYTE>{ 0xFF, 0xFD, 0xFF }));
    EXPECT_EQ(prefixOf(0xFFFE), (std::vector<BYTE>{ 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00 }));
    EXPECT_EQ(prefixOf(70000), (std::vector<BYTE>{ 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00 }));

    for (int n : { 0, 1, 254, 255, 256, 0xFFFD, 0xFFFE, 0xFFFF, 70000 })
    {
        CString s;
        for (int i = 0; i < n; ++i)
            s.AppendChar((char)('a' + i % 26));
        std::vector<BYTE> b = Store([&](CArchive& ar) { ar << s << "tail"; });
        Load(b, [&](CArchive& ar) {
            CString r, t;
            ar >> r >> t;
            EXPECT_EQ(r, s) << n;
            EXPECT_STREQ(t, "tail");
        });
    }
}

TEST(CArchiveTest, ReadsUnicodeStrings)
{
    // 0xFF 0xFFFE marks a UTF-16 string of a Unicode build: "abc".
    std::vector<BYTE> b = { 0xFF, 0xFE, 0xFF, 3, 'a', 0, 'b', 0, 'c', 0 };
    Load(b, [](CArchive& ar) {
        CString s;
        ar >> s;
        EXPECT_STREQ(s, "abc");
    });
}

TEST(CArchiveTest, CountsAndArrays)
{
    std::vector<BYTE> b = Store([](CArchive& ar) {
        ar.WriteCount(5);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(0x12345678);
    });
    EXPECT_EQ(b.size(), 2u + 2 + 6 + 6);
    Load(b, [](CArchive& ar) {
        EXPECT_EQ(ar.ReadCount(), 5u);
        EXPECT_EQ(ar.ReadCount(), 0xFFFEu);
        EXPECT_EQ(ar.ReadCount(), 0xFFFFu);
        EXPECT_EQ(ar.ReadCount(), 0x12345678u);
    });

    // Column widths as a DWORD array: count, then the raw DWORDs.
    CDWordArray widths;
    widths.Add(120);
    widths.Add(60);
    widths.Add(90);
    b = Store([&](CArchive& ar) { widths.Serialize(ar); });
    EXPECT_EQ(b, (std::vector<BYTE>{ 3, 0, 120, 0, 0, 0, 60, 0, 0, 0, 90, 0, 0, 0 }));
    Load(b, [](CArchive& ar) {
        CDWordArray w;
        w.Add(999);
        w.Serialize(ar);
        ASSERT_EQ(w.GetSize(), 3);
        EXPECT_EQ(w[0], 120u);
        EXPECT_EQ(w[2], 90u);
    });
    // A long array is read in growing pieces: every value lands in its place.
    CDWordArray many;
    for (DWORD i = 0; i < 100000; ++i)
        many.Add(i * 7u);
    b = Store([&](CArchive& ar) { many.Serialize(ar); });
    Load(b, [](CArchive& ar) {
        CDWordArray w;
        w.Serialize(ar);
        ASSERT_EQ(w.GetSize(), 100000);
        for (DWORD i = 0; i < 100000; ++i)
            if (w[i] != i * 7u)
                FAIL() << i;
    });

    CStringArray names;
    names.Add("Name");
    names.Add("");
    names.Add(CString('x', 300));
    CMap<int, int, CString, LPCTSTR> map;
    map[1] = "one";
    map[70000] = "seventy thousand";
    b = Store([&](CArchive& ar) { names.Serialize(ar); map.Serialize(ar); });
    Load(b, [&](CArchive& ar) {
        CStringArray n2;
        n2.Serialize(ar);
        ASSERT_EQ(n2.GetSize(), 3);
        EXPECT_STREQ(n2[0], "Name");
        EXPECT_TRUE(n2[1].IsEmpty());
        EXPECT_EQ(n2[2].GetLength(), 300);
        CMap<int, int, CString, LPCTSTR> m2;
        m2.Serialize(ar);
        EXPECT_EQ(m2.GetCount(), 2);
        CString v;
        EXPECT_TRUE(m2.Lookup(70000, v));
        EXPECT_STREQ(v, "seventy thousand");
    });
}

TEST(CArchiveTest, ObjectsWithSharedReferences)
{
    CNode* a = new CNode;
    CNode* b = new CNode;
    a->m_strName = "a";
    a->m_nValue = 1;
    a->m_pPeer = b;
    a->m_widths.Add(10);
    b->m_strName = "b";
    b->m_nValue = 2;
    b->m_pPeer = a;                 // a cycle
    std::vector<BYTE> bytes = Store([&](CArchive& ar) {
        ar << a;
        ar << b;                    // already stored: a reference
        ar << (CObject*)NULL;
    });
    delete a;
    delete b;
    // The first bytes are the framework's new-class tag and class record.
    ASSERT_GE(bytes.size(), 11u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFF);
    EXPECT_EQ(bytes[2], 1);         // schema
    EXPECT_EQ(bytes[4], 5);         // strlen("CNode")
    EXPECT_EQ(std::string((const char*)&bytes[6], 5), "CNode");

    Load(bytes, [](CArchive& ar) {
        CNode* ra = nullptr;
        CNode* rb = nullptr;
        CObject* rnull = (CObject*)1;
        ar >> ra;
        ar >> rb;
        ar >> rnull;
        ASSERT_NE(ra, nullptr);
        ASSERT_NE(rb, nullptr);
        EXPECT_EQ(rnull, nullptr);
        EXPECT_STREQ(ra->m_strName, "a");
        EXPECT_EQ(ra->m_pPeer, rb);
        EXPECT_EQ(rb->m_pPeer, ra);
        EXPECT_EQ(ra->m_widths.GetSize(), 1);
        delete ra;
        delete rb;
    });

    // Asking for an unrelated class is badClass.
    int cause = CauseOf<CArchiveException>([&] {
        Load(bytes, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CFile)); });
    });
    EXPECT_EQ(cause, CArchiveException::badClass);
}

TEST(CArchiveTest, EveryTruncationThrowsCleanly)
{
    CNode node;
    node.m_strName = CString('n', 300);
    node.m_nValue = 42;
    node.m_widths.Add(1);
    node.m_widths.Add(2);
    std::vector<BYTE> full = Store([&](CArchive& ar) {
        ar << (DWORD)7 << CString("header") << &node << 3.5;
    });
    for (size_t len = 0; len < full.size(); ++len)
    {
        std::vector<BYTE> part(full.begin(), full.begin() + len);
        int cause = CauseOf<CArchiveException>([&] {
            Load(part, [](CArchive& ar) {
                DWORD dw; CString s; CNode* p = nullptr; double d;
                ar >> dw >> s;
                ar >> p;
                std::unique_ptr<CNode> owner(p);    // freed when >> d throws
                ar >> d;
            });
        });
        ASSERT_EQ(cause, CArchiveException::endOfFile) << "length " << len;
    }
    Load(full, [](CArchive& ar) {
        DWORD dw; CString s; CNode* p = nullptr; double d;
        ar >> dw >> s >> p >> d;
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->m_nValue, 42);
        EXPECT_EQ(p->m_strName.GetLength(), 300);
        EXPECT_EQ(d, 3.5);
        delete p;
    });
}

TEST(CArchiveTest, CorruptInputIsRejected)
{
    // A class index that was never defined.
    int cause = CauseOf<CArchiveException>([] {
        Load({ 0x05, 0x80 }, [](CArchive& ar) { CObject* p; ar >> p; });
    });
    EXPECT_EQ(cause, CArchiveException::badIndex);
    // An object index that was never defined.
    cause = CauseOf<CArchiveException>([] {
        Load({ 0x07, 0x00 }, [](CArchive& ar) { CObject* p; ar >> p; });
    });
    EXPECT_EQ(cause, CArchiveException::badIndex);
    // An unknown class name.
    cause = CauseOf<CArchiveException>([] {
        Load({ 0xFF, 0xFF, 1, 0, 3, 0, 'Z', 'z', 'z' }, [](CArchive& ar) { CObject* p; ar >> p; });
    });
    EXPECT_EQ(cause, CArchiveException::badClass);
    // A wrong schema.
    cause = CauseOf<CArchiveException>([] {
        Load({ 0xFF, 0xFF, 9, 0, 5, 0, 'C', 'N', 'o', 'd', 'e' }, [](CArchive& ar) { CObject* p; ar >> p; });
    });
    EXPECT_EQ(cause, CArchiveException::badSchema);
    // A string claiming 4 GB: endOfFile at the end of the data, no huge allocation.
    cause = CauseOf<CArchiveException>([] {
        Load({ 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 'a', 'b' }, [](CArchive& ar) { CString s; ar >> s; });
    });
    EXPECT_EQ(cause, CArchiveException::endOfFile);
    // An array claiming 2 billion DWORDs.
    cause = CauseOf<CArchiveException>([] {
        Load({ 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x7F, 1, 2, 3, 4 }, [](CArchive& ar) { CDWordArray a; a.Serialize(ar); });
    });
    EXPECT_EQ(cause, CArchiveException::endOfFile);
    // A value cut short leaves the destination untouched.
    Load({ 0x01, 0x02 }, [](CArchive& ar) {
        DWORD dw = 77;
        EXPECT_EQ(CauseOf<CArchiveException>([&] { ar >> dw; }), CArchiveException::endOfFile);
        EXPECT_EQ(dw, 77u);
    });
}

TEST(CArchiveTest, DirectionIsEnforced)
{
    CMemFile m;
    CArchive st(&m, CArchive::store);
    int n;
    EXPECT_EQ(CauseOf<CArchiveException>([&] { st >> n; }), CArchiveException::writeOnly);
    st.Close();
    CArchive ld(&m, CArchive::load);
    EXPECT_EQ(CauseOf<CArchiveException>([&] { ld << 1; }), CArchiveException::readOnly);
}

TEST(CArchiveTest, LargeBlocksAndFileBackedArchive)
{
    std::string path = TempPath("archive.bin");
    std::vector<BYTE> block(100000);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = (BYTE)(i * 7);
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store, 512);
        ar << (WORD)1;
        ar.Write(block.data(), (UINT)block.size());
        ar << (WORD)2;
        ar.WriteString("line one\r\nline two\n");
        ar.Close();
        f.Close();
    }
    {
        CFile f(path.c_str(), CFile::modeRead);
        CArchive ar(&f, CArchive::load, 512);
        WORD w1, w2;
        ar >> w1;
        std::vector<BYTE> back(block.size());
        EXPECT_EQ(ar.Read(back.data(), (UINT)back.size()), (UINT)back.size());
        ar >> w2;
        EXPECT_EQ(w1, 1);
        EXPECT_EQ(w2, 2);
        EXPECT_EQ(back, block);
        CString line;
        EXPECT_TRUE(ar.ReadString(line));
        EXPECT_STREQ(line, "line one");
        char buf[64];
        EXPECT_STREQ(ar.ReadString(buf, sizeof(buf)), "line two\n");
        EXPECT_FALSE(ar.ReadString(line));
        EXPECT_EQ(ar.Read(buf, 10), 0u);
        ar.Close();
    }
    // Loading then closing leaves the file right after what was consumed.
    {
        CFile f(path.c_str(), CFile::modeRead);
        {
            CArchive ar(&f, CArchive::load);
            WORD w;
            ar >> w;
        }
        EXPECT_EQ(f.GetPosition(), 2u);
    }
    CFile::Remove(path.c_str());
}

TEST(CArchiveTest, SmallUserBuffer)
{
    // A caller's buffer of 3 bytes is used as it is (values straddle it).
    BYTE storeBuf[3], loadBuf[3];
    CMemFile m;
    {
        CArchive ar(&m, CArchive::store, (int)sizeof(storeBuf), storeBuf);
        ar << (DWORD)0x01020304 << CString("buffered") << 2.5;
        ar.Close();
    }
    m.SeekToBegin();
    CArchive ar(&m, CArchive::load, (int)sizeof(loadBuf), loadBuf);
    DWORD dw;
    CString s;
    double d;
    ar >> dw >> s >> d;
    EXPECT_EQ(dw, 0x01020304u);
    EXPECT_STREQ(s, "buffered");
    EXPECT_EQ(d, 2.5);
}

TEST(CArchiveTest, FullDiskReachesTheCaller)
{
    CFile f(kvvx_test::FullDiskPath(), CFile::modeWrite | CFile::shareDenyNone);
    CArchive ar(&f, CArchive::store);
    ar << (DWORD)1 << CString("x");
    EXPECT_EQ(CauseOf<CFileException>([&] { ar.Close(); }), CFileException::diskFull);
}
