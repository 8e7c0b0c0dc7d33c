// CArray family, CTypedPtrArray, CMap (many keys, 64-bit keys, removal
// during iteration) and CList.
#include "test_util.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>

using kvvx_test::Throws;

namespace {

template<class A>
std::string Dump(const A& a)
{
    std::string s;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
    {
        if (i)
            s += ",";
        s += std::to_string((long long)a[i]);
    }
    return s;
}

} // namespace

TEST(CArrayTest, SetSizeGrowsAndShrinks)
{
    CArray<int, int> a;
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(a.GetUpperBound(), -1);
    EXPECT_TRUE(a.IsEmpty());
    a.SetSize(5);
    EXPECT_EQ(a.GetSize(), 5);
    EXPECT_EQ(a.GetCount(), 5);
    EXPECT_EQ(a.GetUpperBound(), 4);
    EXPECT_EQ(Dump(a), "0,0,0,0,0");        // value-initialised
    for (int i = 0; i < 5; ++i)
        a[i] = i + 1;
    a.SetSize(3);
    EXPECT_EQ(Dump(a), "1,2,3");
    a.SetSize(6, 2);
    EXPECT_EQ(Dump(a), "1,2,3,0,0,0");       // new slots zero, not old values
    a.SetSize(0);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetData(), nullptr);
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.SetSize(-1); }));
}

TEST(CArrayTest, SetSizeShrinkDestroysStrings)
{
    CStringArray a;
    a.SetSize(3);
    a[0] = "zero";
    a[1] = CString('x', 1000);
    a[2] = "two";
    a.SetSize(1);
    EXPECT_EQ(a.GetSize(), 1);
    a.SetSize(3);
    EXPECT_TRUE(a[1].IsEmpty());
    EXPECT_TRUE(a[2].IsEmpty());
    EXPECT_STREQ(a[0], "zero");
}

TEST(CArrayTest, IndexingOutOfRangeThrows)
{
    CArray<int, int> a;
    a.Add(1);
    EXPECT_EQ(a.GetAt(0), 1);
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.GetAt(1); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.GetAt(-1); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.SetAt(1, 5); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.ElementAt(7) = 2; }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { (void)a[1]; }));
    const CArray<int, int>& c = a;
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { (void)c[1]; }));
}

TEST(CArrayTest, AddSetAtGrowAppendCopy)
{
    CArray<int, int> a;
    EXPECT_EQ(a.Add(10), 0);
    EXPECT_EQ(a.Add(20), 1);
    a.SetAtGrow(4, 50);
    EXPECT_EQ(Dump(a), "10,20,0,0,50");
    a.SetAtGrow(1, 21);
    EXPECT_EQ(Dump(a), "10,21,0,0,50");
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.SetAtGrow(-1, 1); }));

    CArray<int, int> b;
    b.Add(1);
    b.Add(2);
    EXPECT_EQ(a.Append(b), 5);
    EXPECT_EQ(Dump(a), "10,21,0,0,50,1,2");
    EXPECT_EQ(b.Append(b), 2);               // appending itself
    EXPECT_EQ(Dump(b), "1,2,1,2");
    b.Copy(a);
    EXPECT_EQ(Dump(b), "10,21,0,0,50,1,2");
    b.Copy(b);
    EXPECT_EQ(b.GetSize(), 7);
    b.RemoveAll();
    EXPECT_EQ(b.GetSize(), 0);
    a.FreeExtra();
    EXPECT_EQ(Dump(a), "10,21,0,0,50,1,2");
}

TEST(CArrayTest, AddOwnElementWhileGrowing)
{
    // The argument refers into the array that reallocates: must be copied first.
    CStringArray a;
    a.Add(CString('s', 100));
    for (int i = 0; i < 200; ++i)
        a.Add(a[0]);
    EXPECT_EQ(a.GetSize(), 201);
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        ASSERT_EQ(a[i].GetLength(), 100);
    a.InsertAt(0, a[200], 50);
    EXPECT_EQ(a.GetSize(), 251);
    EXPECT_EQ(a[0].GetLength(), 100);
    a.SetAtGrow(1000, a[3]);
    EXPECT_EQ(a[1000].GetLength(), 100);
    EXPECT_TRUE(a[999].IsEmpty());
}

TEST(CArrayTest, InsertAtAndRemoveAt)
{
    CArray<int, int> a;
    for (int i = 0; i < 5; ++i)
        a.Add(i);
    a.InsertAt(2, 9);
    EXPECT_EQ(Dump(a), "0,1,9,2,3,4");
    a.InsertAt(0, 7, 3);
    EXPECT_EQ(Dump(a), "7,7,7,0,1,9,2,3,4");
    a.InsertAt(a.GetSize(), 8);             // at the end
    EXPECT_EQ(Dump(a), "7,7,7,0,1,9,2,3,4,8");
    a.InsertAt(12, 5, 2);                   // past the end: grows with zeros
    EXPECT_EQ(Dump(a), "7,7,7,0,1,9,2,3,4,8,0,0,5,5");
    a.InsertAt(1, 6, 0);                    // nothing
    EXPECT_EQ(a.GetSize(), 14);
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.InsertAt(-1, 1); }));

    a.RemoveAt(0, 3);
    EXPECT_EQ(Dump(a), "0,1,9,2,3,4,8,0,0,5,5");
    a.RemoveAt(2);
    EXPECT_EQ(Dump(a), "0,1,2,3,4,8,0,0,5,5");
    a.RemoveAt(5, 5);                       // up to the end exactly
    EXPECT_EQ(Dump(a), "0,1,2,3,4");
    a.RemoveAt(4, 0);
    EXPECT_EQ(a.GetSize(), 5);
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.RemoveAt(5); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.RemoveAt(3, 3); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.RemoveAt(-1); }));
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { a.RemoveAt(0, -1); }));
    EXPECT_EQ(Dump(a), "0,1,2,3,4");

    CArray<int, int> b;
    b.Add(100);
    b.Add(200);
    a.InsertAt(1, &b);
    EXPECT_EQ(Dump(a), "0,100,200,1,2,3,4");
    a.InsertAt(7, &b);
    EXPECT_EQ(Dump(a), "0,100,200,1,2,3,4,100,200");
    CArray<int, int> c;
    c.Add(1);
    c.Add(2);
    c.InsertAt(1, &c);                      // itself
    EXPECT_EQ(Dump(c), "1,1,2,2");
    CArray<int, int> empty;
    c.InsertAt(0, &empty);
    EXPECT_EQ(c.GetSize(), 4);
}

TEST(CArrayTest, InsertRemoveStringsKeepsValues)
{
    CStringArray a;
    for (int i = 0; i < 20; ++i)
    {
        CString s;
        s.Format("item%02d", i);
        a.Add(s);
    }
    a.InsertAt(5, "new", 3);
    EXPECT_STREQ(a[4], "item04");
    EXPECT_STREQ(a[5], "new");
    EXPECT_STREQ(a[7], "new");
    EXPECT_STREQ(a[8], "item05");
    a.RemoveAt(0, 10);
    EXPECT_STREQ(a[0], "item07");
    EXPECT_EQ(a.GetSize(), 13);
    EXPECT_STREQ(a[12], "item19");
}

TEST(CArrayTest, MillionAddsWithGrowByOneAreFast)
{
    auto t0 = std::chrono::steady_clock::now();
    CArray<int, int> a;
    a.SetSize(0, 1);
    for (int i = 0; i < 1000000; ++i)
        a.Add(i);
    CPtrArray rows;
    rows.SetSize(0, 1);
    for (int i = 0; i < 1000000; ++i)
        rows.Add((void*)(INT_PTR)(i + 1));
    CStringArray strs;
    strs.SetSize(0, 1);
    for (int i = 0; i < 200000; ++i)
        strs.Add("x");
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_EQ(a.GetSize(), 1000000);
    EXPECT_EQ(a[999999], 999999);
    EXPECT_EQ((INT_PTR)rows[999999], 1000000);
    EXPECT_EQ(strs.GetSize(), 200000);
    EXPECT_LT(secs, 10.0);      // quadratic growth would take minutes
}

TEST(CArrayTest, TypedFamilies)
{
    CDWordArray dw;
    dw.Add(0xFFFFFFFFu);
    EXPECT_EQ(dw[0], 0xFFFFFFFFu);
    CWordArray w;
    w.Add(0xFFFF);
    CByteArray by;
    by.Add(0xAB);
    CUIntArray u;
    u.Add(7u);
    EXPECT_EQ(w[0], 0xFFFF);
    EXPECT_EQ(by[0], 0xAB);
    EXPECT_EQ(u[0], 7u);

    struct Bar { int n; };
    Bar b1{1}, b2{2};
    CTypedPtrArray<CPtrArray, Bar*> bars;
    bars.Add(&b1);
    bars.Add(&b2);
    EXPECT_EQ(bars.GetAt(1)->n, 2);
    EXPECT_EQ(bars[0]->n, 1);
    bars.ElementAt(0) = &b2;
    EXPECT_EQ(bars[0]->n, 2);
    bars.InsertAt(0, &b1);
    EXPECT_EQ(bars.GetSize(), 3);
    EXPECT_EQ(bars.GetData()[0], &b1);
    bars.RemoveAt(0);
    EXPECT_EQ(bars[0], &b2);

    CStringArray sa;
    sa.Add("x");
    sa.Add(CString("y"));
    const CStringArray& csa = sa;
    EXPECT_STREQ(csa.GetAt(1), "y");
}

// ------------------------------------------------------------------- CMap

namespace {

// Exposes the bucket chains so tests can check the spread of hashes.
template<class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class InspectMap : public CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>
{
public:
    typedef CMap<KEY, ARG_KEY, VALUE, ARG_VALUE> Base;
    size_t LongestChain() const
    {
        size_t nMax = 0;
        if (this->m_pHashTable == NULL)
            return 0;
        for (UINT i = 0; i < this->m_nHashTableSize; ++i)
        {
            size_t n = 0;
            for (auto* p = this->m_pHashTable[i]; p != NULL; p = p->pNext)
                ++n;
            if (n > nMax)
                nMax = n;
        }
        return nMax;
    }
};

} // namespace

TEST(CMapTest, BasicOperations)
{
    CMap<int, int, CString, LPCTSTR> m(10);
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_EQ(m.GetStartPosition(), nullptr);
    CString v;
    EXPECT_FALSE(m.Lookup(1, v));
    EXPECT_FALSE(m.RemoveKey(1));
    m.SetAt(1, "one");
    m[2] = "two";
    m.SetAt(1, "uno");
    EXPECT_EQ(m.GetCount(), 2);
    EXPECT_EQ(m.GetSize(), 2);
    EXPECT_TRUE(m.Lookup(1, v));
    EXPECT_STREQ(v, "uno");
    EXPECT_TRUE(m[3].IsEmpty());            // inserts
    EXPECT_EQ(m.GetCount(), 3);
    ASSERT_NE(m.PLookup(2), nullptr);
    EXPECT_STREQ(m.PLookup(2)->value, "two");
    EXPECT_EQ(m.PLookup(2)->key, 2);
    EXPECT_EQ(m.PLookup(99), nullptr);
    EXPECT_TRUE(m.RemoveKey(3));
    EXPECT_FALSE(m.RemoveKey(3));
    EXPECT_EQ(m.GetCount(), 2);
    m.RemoveAll();
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_FALSE(m.Lookup(1, v));
    m[5] = "five";                          // usable after RemoveAll
    EXPECT_TRUE(m.Lookup(5, v));
}

TEST(CMapTest, ManyIntegerKeys)
{
    InspectMap<DWORD, DWORD, int, int> m;
    const int N = 200000;
    for (int i = 0; i < N; ++i)
        m[(DWORD)i * 7u] = i;
    EXPECT_EQ(m.GetCount(), N);
    EXPECT_GE(m.GetHashTableSize(), (UINT)N);       // the table grew
    EXPECT_LE(m.LongestChain(), 16u);
    int v = 0;
    for (int i = 0; i < N; ++i)
    {
        ASSERT_TRUE(m.Lookup((DWORD)i * 7u, v));
        ASSERT_EQ(v, i);
    }
    EXPECT_FALSE(m.Lookup(1, v));
    for (int i = 0; i < N; i += 2)
        ASSERT_TRUE(m.RemoveKey((DWORD)i * 7u));
    EXPECT_EQ(m.GetCount(), N / 2);
    for (int i = 0; i < N; ++i)
        ASSERT_EQ(m.Lookup((DWORD)i * 7u, v) != FALSE, (i % 2) == 1);
}

TEST(CMapTest, GridCellKeysSpread)
{
    // The grid's selection key: (col << 16) | row.
    InspectMap<DWORD, DWORD, int, int> m;
    for (DWORD col = 0; col < 64; ++col)
        for (DWORD row = 0; row < 1024; ++row)
            m[(col << 16) | row] = 1;
    EXPECT_EQ(m.GetCount(), 64 * 1024);
    EXPECT_LE(m.LongestChain(), 16u);
}

TEST(CMapTest, SixtyFourBitKeys)
{
    InspectMap<ULONGLONG, ULONGLONG, int, int> m;
    // Keys that differ only in their high 32 bits, and ones that differ
    // only in the low bits, and (row << 32 | col) grid keys.
    for (ULONGLONG i = 0; i < 50000; ++i)
        m[i << 32] = (int)i;
    for (ULONGLONG i = 1; i < 50000; ++i)
        m[i] = -(int)i;
    for (ULONGLONG r = 0; r < 300; ++r)
        for (ULONGLONG c = 0; c < 100; ++c)
            m[((r + 100000) << 32) | c] = 7;
    EXPECT_EQ(m.GetCount(), 50000 + 49999 + 30000);
    EXPECT_LE(m.LongestChain(), 16u);
    int v;
    ASSERT_TRUE(m.Lookup(49999ull << 32, v));
    EXPECT_EQ(v, 49999);
    ASSERT_TRUE(m.Lookup(49999ull, v));
    EXPECT_EQ(v, -49999);
    EXPECT_FALSE(m.Lookup(50000ull << 32, v));
    // Same low 32 bits, different high bits: distinct keys.
    m[0xFFFFFFFF00000001ull] = 11;
    ASSERT_TRUE(m.Lookup(1, v));
    EXPECT_EQ(v, -1);
    ASSERT_TRUE(m.Lookup(0xFFFFFFFF00000001ull, v));
    EXPECT_EQ(v, 11);
    EXPECT_NE(HashKey<ULONGLONG>(1ull), HashKey<ULONGLONG>(1ull << 32 | 2));
}

TEST(CMapTest, IterationVisitsEachEntryOnce)
{
    CMap<int, int, int, int> m;
    for (int i = 0; i < 1000; ++i)
        m[i * 3] = i;
    std::set<int> seen;
    POSITION pos = m.GetStartPosition();
    while (pos != NULL)
    {
        int k, v;
        m.GetNextAssoc(pos, k, v);
        EXPECT_EQ(v * 3, k);
        EXPECT_TRUE(seen.insert(k).second);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(CMapTest, RemovingCurrentEntryDuringIteration)
{
    CMap<int, int, int, int> m;
    for (int i = 0; i < 5000; ++i)
        m[i] = i;
    std::set<int> seen;
    POSITION pos = m.GetStartPosition();
    while (pos != NULL)
    {
        int k, v;
        m.GetNextAssoc(pos, k, v);
        EXPECT_TRUE(seen.insert(k).second);
        if (k % 3 != 0)
            EXPECT_TRUE(m.RemoveKey(k));    // the entry just returned
    }
    EXPECT_EQ(seen.size(), 5000u);          // nothing skipped or repeated
    EXPECT_EQ(m.GetCount(), 1667);
    int v;
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(m.Lookup(i, v) != FALSE, i % 3 == 0);

    // Removing every entry while iterating empties the map.
    pos = m.GetStartPosition();
    int n = 0;
    while (pos != NULL)
    {
        int k;
        m.GetNextAssoc(pos, k, v);
        m.RemoveKey(k);
        ++n;
    }
    EXPECT_EQ(n, 1667);
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_EQ(m.GetStartPosition(), nullptr);
}

TEST(CMapTest, StringKeysAndInitHashTable)
{
    CMapStringToString m;
    m.InitHashTable(1000);
    m["alpha"] = "a";
    m.SetAt("beta", "b");
    CString key("gamma");
    m[key] = "g";
    CString v;
    EXPECT_TRUE(m.Lookup("alpha", v));
    EXPECT_STREQ(v, "a");
    EXPECT_TRUE(m.Lookup(CString("gamma"), v));
    EXPECT_FALSE(m.Lookup("ALPHA", v));
    m.InitHashTable(5000);                  // rehash keeps the entries
    EXPECT_TRUE(m.Lookup("beta", v));
    EXPECT_STREQ(v, "b");
    EXPECT_EQ(m.GetCount(), 3);

    CMap<CString, const CString&, int, int> m2;
    for (int i = 0; i < 10000; ++i)
    {
        CString k;
        k.Format("key%d", i);
        m2[k] = i;
    }
    int n;
    EXPECT_TRUE(m2.Lookup(CString("key9999"), n));
    EXPECT_EQ(n, 9999);

    CMapPtrToPtr pp;
    int a, b;
    pp[&a] = &b;
    void* p = NULL;
    EXPECT_TRUE(pp.Lookup(&a, p));
    EXPECT_EQ(p, &b);
    CMapWordToPtr wp;
    wp[(WORD)3] = &a;
    EXPECT_TRUE(wp.Lookup((WORD)3, p));
}

TEST(CMapTest, AgreesWithStdMapUnderRandomOperations)
{
    CMap<ULONGLONG, ULONGLONG, int, int> m;
    std::map<ULONGLONG, int> ref;
    unsigned long long x = 88172645463325252ull;
    for (int step = 0; step < 100000; ++step)
    {
        x ^= x << 13; x ^= x >> 7; x ^= x << 17;
        ULONGLONG key = (x % 2000) << ((x >> 20) % 2 ? 32 : 0);
        int op = (int)((x >> 40) % 3);
        if (op == 0)
        {
            m[key] = step;
            ref[key] = step;
        }
        else if (op == 1)
        {
            EXPECT_EQ(m.RemoveKey(key) != FALSE, ref.erase(key) == 1);
        }
        else
        {
            int v;
            auto it = ref.find(key);
            ASSERT_EQ(m.Lookup(key, v) != FALSE, it != ref.end());
            if (it != ref.end())
                ASSERT_EQ(v, it->second);
        }
        ASSERT_EQ((size_t)m.GetCount(), ref.size());
    }
}

// ------------------------------------------------------------------ CList

TEST(CListTest, Basics)
{
    CStringList l;
    EXPECT_TRUE(l.IsEmpty());
    l.AddTail("b");
    l.AddHead("a");
    POSITION posC = l.AddTail("c");
    l.InsertBefore(posC, "b2");
    l.InsertAfter(posC, "d");
    EXPECT_EQ(l.GetCount(), 5);
    std::string s;
    for (POSITION pos = l.GetHeadPosition(); pos != NULL;)
        s += std::string(l.GetNext(pos)) + ";";
    EXPECT_EQ(s, "a;b;b2;c;d;");
    EXPECT_STREQ(l.GetHead(), "a");
    EXPECT_STREQ(l.GetTail(), "d");
    EXPECT_NE(l.Find("c"), nullptr);
    EXPECT_EQ(l.Find("zz"), nullptr);
    EXPECT_STREQ(l.GetAt(l.FindIndex(2)), "b2");
    l.RemoveAt(l.Find("b2"));
    EXPECT_STREQ(l.RemoveHead(), "a");
    EXPECT_STREQ(l.RemoveTail(), "d");
    EXPECT_EQ(l.GetCount(), 2);
    l.AddTail(&l);
    EXPECT_EQ(l.GetCount(), 4);
    l.RemoveAll();
    EXPECT_TRUE(Throws<CInvalidArgException>([&] { l.RemoveHead(); }));

    struct Bar { int n; };
    Bar b1{1}, b2{2};
    CTypedPtrList<CPtrList, Bar*> bars;
    bars.AddTail(&b1);
    bars.AddTail(&b2);
    POSITION pos = bars.GetHeadPosition();
    EXPECT_EQ(bars.GetNext(pos)->n, 1);
    EXPECT_EQ(bars.GetNext(pos)->n, 2);
    EXPECT_EQ(pos, nullptr);
}
