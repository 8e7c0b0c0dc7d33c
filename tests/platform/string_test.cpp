// CString: construction, extraction with clamped counts, searching edges,
// formatting of any length, editing, trimming, buffers and tokenizing.
#include "test_util.h"

#include <gtest/gtest.h>

#include <string>

TEST(CStringTest, ConstructionForms)
{
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetLength(), 0);
    EXPECT_STREQ((LPCTSTR)empty, "");

    CString fromNull((LPCSTR)NULL);
    EXPECT_TRUE(fromNull.IsEmpty());

    CString s("hello");
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_STREQ(s, "hello");

    CString rep('x', 4);
    EXPECT_STREQ(rep, "xxxx");
    CString rep0('x', 0);
    EXPECT_TRUE(rep0.IsEmpty());
    CString repNeg('x', -3);
    EXPECT_TRUE(repNeg.IsEmpty());

    CString part("abcdef", 3);
    EXPECT_STREQ(part, "abc");
    CString withZero("ab\0cd", 5);
    EXPECT_EQ(withZero.GetLength(), 5);
    EXPECT_EQ(withZero.GetAt(3), 'c');

    CString copy(s);
    copy.SetAt(0, 'j');
    EXPECT_STREQ(s, "hello");       // deep copy
    EXPECT_STREQ(copy, "jello");

    CString moved(std::move(copy));
    EXPECT_STREQ(moved, "jello");
    EXPECT_TRUE(copy.IsEmpty());    // NOLINT: moved-from is empty

    CString assigned;
    assigned = "abc";
    const CString& same = assigned;
    assigned = same;                // self assignment
    EXPECT_STREQ(assigned, "abc");
    assigned = 'z';
    EXPECT_STREQ(assigned, "z");
}

TEST(CStringTest, AccessorsClampIndices)
{
    CString s("abc");
    EXPECT_EQ(s.GetAt(0), 'a');
    EXPECT_EQ(s[2], 'c');
    EXPECT_EQ(s.GetAt(3), '\0');
    EXPECT_EQ(s.GetAt(-1), '\0');
    s.SetAt(5, 'x');                // ignored
    s.SetAt(-1, 'x');
    EXPECT_STREQ(s, "abc");
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(s.GetString(), "");
}

TEST(CStringTest, MidLeftRightClampOutOfRangeCounts)
{
    CString s("abcdef");
    EXPECT_STREQ(s.Mid(2), "cdef");
    EXPECT_STREQ(s.Mid(2, 2), "cd");
    EXPECT_STREQ(s.Mid(2, 100), "cdef");
    EXPECT_STREQ(s.Mid(-5, 3), "abc");
    EXPECT_STREQ(s.Mid(6), "");
    EXPECT_STREQ(s.Mid(100), "");
    EXPECT_STREQ(s.Mid(100, 5), "");
    EXPECT_STREQ(s.Mid(1, -4), "");
    EXPECT_STREQ(s.Mid(0x7FFFFFF0, 0x7FFFFFF0), "");
    EXPECT_STREQ(s.Mid(3, 0x7FFFFFFF), "def");

    EXPECT_STREQ(s.Left(3), "abc");
    EXPECT_STREQ(s.Left(0), "");
    EXPECT_STREQ(s.Left(-1), "");
    EXPECT_STREQ(s.Left(100), "abcdef");
    EXPECT_STREQ(s.Right(2), "ef");
    EXPECT_STREQ(s.Right(0), "");
    EXPECT_STREQ(s.Right(-3), "");
    EXPECT_STREQ(s.Right(100), "abcdef");

    CString e;
    EXPECT_STREQ(e.Mid(0), "");
    EXPECT_STREQ(e.Left(5), "");
    EXPECT_STREQ(e.Right(5), "");
}

TEST(CStringTest, FindEdges)
{
    CString s("abcabc");
    EXPECT_EQ(s.Find('a'), 0);
    EXPECT_EQ(s.Find('a', 1), 3);
    EXPECT_EQ(s.Find('a', 4), -1);
    EXPECT_EQ(s.Find('c', 5), 5);
    EXPECT_EQ(s.Find('c', 6), -1);
    EXPECT_EQ(s.Find('c', 100), -1);
    EXPECT_EQ(s.Find('b', -10), 1);
    EXPECT_EQ(s.Find('z'), -1);

    EXPECT_EQ(s.Find("bc"), 1);
    EXPECT_EQ(s.Find("bc", 2), 4);
    EXPECT_EQ(s.Find("bc", 5), -1);
    EXPECT_EQ(s.Find("abcabc"), 0);
    EXPECT_EQ(s.Find("abcabcd"), -1);
    EXPECT_EQ(s.Find("cab", 0), 2);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.Find("", 3), 3);
    EXPECT_EQ(s.Find("", 6), 6);
    EXPECT_EQ(s.Find("", 7), -1);
    EXPECT_EQ(s.Find((LPCSTR)NULL), -1);
    EXPECT_EQ(s.Find("a", 0x7FFFFFFF), -1);

    EXPECT_EQ(s.ReverseFind('a'), 3);
    EXPECT_EQ(s.ReverseFind('c'), 5);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(CString().ReverseFind('a'), -1);
    EXPECT_EQ(CString("x").ReverseFind('x'), 0);

    EXPECT_EQ(s.FindOneOf("xyc"), 2);
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
    EXPECT_EQ(s.FindOneOf(""), -1);
    EXPECT_EQ(CString().FindOneOf("a"), -1);

    CString e;
    EXPECT_EQ(e.Find('a'), -1);
    EXPECT_EQ(e.Find("a"), -1);
    EXPECT_EQ(e.Find(""), 0);
}

TEST(CStringTest, SpanIncludingExcluding)
{
    CString s("123abc456");
    EXPECT_STREQ(s.SpanIncluding("0123456789"), "123");
    EXPECT_STREQ(s.SpanIncluding("abc"), "");
    EXPECT_STREQ(s.SpanExcluding("abc"), "123");
    EXPECT_STREQ(s.SpanExcluding("xyz"), "123abc456");
    EXPECT_STREQ(CString().SpanIncluding("a"), "");
    EXPECT_STREQ(CString("aaa").SpanIncluding("a"), "aaa");
}

TEST(CStringTest, FormatShortAndLong)
{
    CString s;
    s.Format("%d-%s-%05.1f", 42, "x", 3.14159);
    EXPECT_STREQ(s, "42-x-003.1");

    std::string big(5000, 'q');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s[0], '[');
    EXPECT_EQ(s[5001], ']');
    EXPECT_EQ(std::string(s.Mid(1, 5000)), big);

    // Output of about 1 MB through many arguments.
    std::string huge(1 << 20, 'z');
    s.Format("%s%s%d", huge.c_str(), "end", 7);
    EXPECT_EQ(s.GetLength(), (1 << 20) + 4);
    EXPECT_STREQ(s.Right(4), "end7");

    // Width specifiers producing long output.
    s.Format("%3000d", 1);
    EXPECT_EQ(s.GetLength(), 3000);
    EXPECT_EQ(s[2999], '1');

    // Argument that is the string itself.
    s = "self";
    s.Format("%s+%s", (LPCTSTR)s, s.GetString());
    EXPECT_STREQ(s, "self+self");

    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());

    // 64-bit values.
    s.Format("%lld %llu", -1234567890123LL, 18446744073709551615ULL);
    EXPECT_STREQ(s, "-1234567890123 18446744073709551615");
}

TEST(CStringTest, AppendFormat)
{
    CString s("a");
    s.AppendFormat("%d", 1);
    s.AppendFormat("%s", std::string(3000, 'b').c_str());
    EXPECT_EQ(s.GetLength(), 3002);
    EXPECT_STREQ(s.Left(3), "a1b");
    s = "x";
    s.AppendFormat("%s", (LPCTSTR)s);
    EXPECT_STREQ(s, "xx");
}

TEST(CStringTest, UpperLowerReverse)
{
    CString s("AbC-xyz\xC4\xE4");
    s.MakeUpper();
    EXPECT_STREQ(s, "ABC-XYZ\xC4\xE4");   // non-ASCII bytes untouched
    s.MakeLower();
    EXPECT_STREQ(s, "abc-xyz\xC4\xE4");
    CString r("abcd");
    EXPECT_STREQ(r.MakeReverse(), "dcba");
    CString r1("abc");
    EXPECT_STREQ(r1.MakeReverse(), "cba");
    CString e;
    EXPECT_STREQ(e.MakeReverse().MakeUpper(), "");
}

TEST(CStringTest, Trimming)
{
    CString s(" \t\r\n hi there \n\t ");
    CString t = s;
    EXPECT_STREQ(t.TrimLeft(), "hi there \n\t ");
    t = s;
    EXPECT_STREQ(t.TrimRight(), " \t\r\n hi there");
    t = s;
    EXPECT_STREQ(t.Trim(), "hi there");

    CString x("xxabcxx");
    EXPECT_STREQ(CString(x).TrimLeft('x'), "abcxx");
    EXPECT_STREQ(CString(x).TrimRight('x'), "xxabc");
    EXPECT_STREQ(CString(x).Trim('x'), "abc");
    EXPECT_STREQ(CString("ab12ba").Trim("ab"), "12");
    EXPECT_STREQ(CString("ab12ba").TrimLeft("ba"), "12ba");
    EXPECT_STREQ(CString("ab12ba").TrimRight("ab"), "ab12");
    EXPECT_STREQ(CString("aaaa").Trim('a'), "");
    EXPECT_STREQ(CString("   ").Trim(), "");
    EXPECT_STREQ(CString("abc").Trim(""), "abc");
    EXPECT_STREQ(CString("abc").Trim((LPCSTR)NULL), "abc");
}

TEST(CStringTest, ReplaceRemoveInsertDelete)
{
    CString s("a,b,,c");
    EXPECT_EQ(s.Replace(',', ';'), 3);
    EXPECT_STREQ(s, "a;b;;c");
    EXPECT_EQ(s.Replace('x', 'y'), 0);

    s = "one two one";
    EXPECT_EQ(s.Replace("one", "three"), 2);
    EXPECT_STREQ(s, "three two three");
    EXPECT_EQ(s.Replace("three", ""), 2);
    EXPECT_STREQ(s, " two ");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace("zzz", "x"), 0);
    s = "aaa";
    EXPECT_EQ(s.Replace("a", "aa"), 3);
    EXPECT_STREQ(s, "aaaaaa");
    EXPECT_EQ(s.Replace("aa", "b"), 3);
    EXPECT_STREQ(s, "bbb");
    s = "abc";
    EXPECT_EQ(s.Replace("b", s.GetString()), 1);    // replacement aliases the string
    EXPECT_STREQ(s, "aabcc");

    s = "banana";
    EXPECT_EQ(s.Remove('a'), 3);
    EXPECT_STREQ(s, "bnn");
    EXPECT_EQ(s.Remove('z'), 0);

    s = "ace";
    EXPECT_EQ(s.Insert(1, 'b'), 4);
    EXPECT_STREQ(s, "abce");
    EXPECT_EQ(s.Insert(3, "d"), 5);
    EXPECT_STREQ(s, "abcde");
    EXPECT_EQ(s.Insert(100, "!"), 6);       // clamped to the end
    EXPECT_STREQ(s, "abcde!");
    EXPECT_EQ(s.Insert(-5, ">"), 7);        // clamped to the start
    EXPECT_STREQ(s, ">abcde!");
    EXPECT_EQ(s.Insert(1, s.GetString()), 14);
    EXPECT_STREQ(s, ">>abcde!abcde!");

    s = "abcdef";
    EXPECT_EQ(s.Delete(1), 5);
    EXPECT_STREQ(s, "acdef");
    EXPECT_EQ(s.Delete(2, 100), 2);
    EXPECT_STREQ(s, "ac");
    EXPECT_EQ(s.Delete(10, 1), 2);
    EXPECT_EQ(s.Delete(0, 0), 2);
    EXPECT_EQ(s.Delete(0, -1), 2);
    EXPECT_EQ(s.Delete(-3, 1), 1);
    EXPECT_STREQ(s, "c");
}

TEST(CStringTest, ConcatenationAndComparison)
{
    CString a("abc"), b("abd");
    EXPECT_STREQ(a + b, "abcabd");
    EXPECT_STREQ(a + "x", "abcx");
    EXPECT_STREQ("x" + a, "xabc");
    EXPECT_STREQ(a + 'z', "abcz");
    EXPECT_STREQ('z' + a, "zabc");
    CString c = a;
    c += b;
    c += "!";
    c += '?';
    EXPECT_STREQ(c, "abcabd!?");
    c += c;
    EXPECT_STREQ(c, "abcabd!?abcabd!?");

    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE("abc" == a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a != "abd");
    EXPECT_TRUE("abd" != a);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(a < "abd");
    EXPECT_TRUE("abb" < a);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(b > "abc");
    EXPECT_TRUE("abe" > b);
    EXPECT_TRUE(a <= "abc");
    EXPECT_TRUE("abc" <= a);
    EXPECT_TRUE(a >= "abc");
    EXPECT_TRUE("abd" >= a);
    EXPECT_FALSE(a > b);
    EXPECT_TRUE(CString("") < "a");
    EXPECT_TRUE(CString("\xE0") > "a");      // unsigned byte order

    EXPECT_LT(a.Compare("abd"), 0);
    EXPECT_GT(b.Compare("abc"), 0);
    EXPECT_EQ(a.Compare("abc"), 0);
    EXPECT_EQ(CString("HeLLo").CompareNoCase("hello"), 0);
    EXPECT_LT(CString("apple").CompareNoCase("BANANA"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    EXPECT_LT(CString("ab").CompareNoCase("ABC"), 0);
    EXPECT_EQ(CString("abc").Collate("abc"), 0);
    EXPECT_LT(CString("abc").Collate("abd"), 0);
    EXPECT_EQ(CString("ABC").CollateNoCase("abc"), 0);
}

TEST(CStringTest, BufferRoundTrips)
{
    CString s("abc");
    char* p = s.GetBuffer(100);
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p, "abc");
    strcpy(p, "a much longer text written into the buffer");
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "a much longer text written into the buffer");
    EXPECT_EQ(s.GetLength(), 42);

    p = s.GetBuffer(10);
    p[3] = 'X';
    s.ReleaseBuffer(5);
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_STREQ(s, "a mXc");

    CString t;
    p = t.GetBuffer(0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], '\0');
    t.ReleaseBuffer();
    EXPECT_TRUE(t.IsEmpty());

    p = t.GetBufferSetLength(4);
    memcpy(p, "wxyz", 4);
    t.ReleaseBuffer();
    EXPECT_STREQ(t, "wxyz");

    // A buffer filled to the brim without a terminator is still bounded.
    p = t.GetBuffer(8);
    int nAlloc = t.GetAllocLength();
    memset(p, 'k', (size_t)nAlloc);
    t.ReleaseBuffer();
    EXPECT_EQ(t.GetLength(), nAlloc);

    // A longer ReleaseBuffer length than allocated is clamped.
    CString u("12");
    u.GetBuffer(3);
    u.ReleaseBuffer(1 << 20);
    EXPECT_LE(u.GetLength(), u.GetAllocLength());

    p = u.LockBuffer();
    EXPECT_NE(p, nullptr);
    u.UnlockBuffer();

    CString v("trim me");
    v.Preallocate(1000);
    EXPECT_GE(v.GetAllocLength(), 1000);
    v.FreeExtra();
    EXPECT_STREQ(v, "trim me");
    EXPECT_EQ(v.GetAllocLength(), 7);
    v.Truncate(4);
    EXPECT_STREQ(v, "trim");
    v.Truncate(100);
    EXPECT_STREQ(v, "trim");
}

TEST(CStringTest, Tokenize)
{
    CString s(",,alpha, beta,,gamma,");
    int pos = 0;
    EXPECT_STREQ(s.Tokenize(", ", pos), "alpha");
    EXPECT_STREQ(s.Tokenize(", ", pos), "beta");
    EXPECT_STREQ(s.Tokenize(", ", pos), "gamma");
    CString last = s.Tokenize(", ", pos);
    EXPECT_TRUE(last.IsEmpty());
    EXPECT_EQ(pos, -1);
    // Calling again past the end stays at the end.
    EXPECT_TRUE(s.Tokenize(", ", pos).IsEmpty());
    EXPECT_EQ(pos, -1);

    CString t("one");
    pos = 0;
    EXPECT_STREQ(t.Tokenize(";", pos), "one");
    EXPECT_EQ(pos, 3);
    EXPECT_TRUE(t.Tokenize(";", pos).IsEmpty());
    EXPECT_EQ(pos, -1);

    pos = 0;
    EXPECT_TRUE(CString(";;;").Tokenize(";", pos).IsEmpty());
    EXPECT_EQ(pos, -1);
    pos = 0;
    EXPECT_TRUE(CString().Tokenize(";", pos).IsEmpty());
    EXPECT_EQ(pos, -1);
    pos = 100;
    EXPECT_TRUE(CString("abc").Tokenize(";", pos).IsEmpty());
    EXPECT_EQ(pos, -1);
}

TEST(CStringTest, AppendManyIsLinear)
{
    CString s;
    for (int i = 0; i < 1000000; ++i)
        s += 'a';
    EXPECT_EQ(s.GetLength(), 1000000);
    s.Append(s);
    EXPECT_EQ(s.GetLength(), 2000000);
}
