// CTime and CTimeSpan. The tests set the time zone of the C runtime (TZ)
// themselves, so they do not depend on the machine's zone.
#include "test_util.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

void SetZone(const char* tz)
{
#if defined(_WIN32)
    std::string s = std::string("TZ=") + tz;
    _putenv(s.c_str());
    _tzset();
#else
    setenv("TZ", tz, 1);
    tzset();
#endif
}

class CTimeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const char* old = getenv("TZ");
        m_bHadZone = old != NULL;
        if (old)
            m_strOldZone = old;
        SetZone("UTC0");
    }
    void TearDown() override
    {
#if defined(_WIN32)
        SetZone(m_bHadZone ? m_strOldZone.c_str() : "");
#else
        if (m_bHadZone)
            setenv("TZ", m_strOldZone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
#endif
    }
    bool m_bHadZone = false;
    std::string m_strOldZone;
};

// The same conversion the library uses, for expectations in any zone.
bool RuntimeLocal(long long t, struct tm* out)
{
#if defined(_WIN32)
    __time64_t tt = t;
    return _localtime64_s(out, &tt) == 0;
#else
    time_t tt = (time_t)t;
    return localtime_r(&tt, out) != NULL;
#endif
}

} // namespace

TEST_F(CTimeTest, LocalPartsInUtc)
{
    CTime t(2020, 2, 29, 13, 45, 30);
    EXPECT_EQ(t.GetTime(), 1582983930LL);
    EXPECT_EQ(t.GetYear(), 2020);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 29);
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 45);
    EXPECT_EQ(t.GetSecond(), 30);
    EXPECT_EQ(t.GetDayOfWeek(), 7);     // Saturday
    EXPECT_STREQ(t.Format("%Y-%m-%d %H:%M:%S"), "2020-02-29 13:45:30");
    EXPECT_STREQ(t.FormatGmt("%H:%M"), "13:45");

    CTime epoch((long long)0);
    EXPECT_EQ(epoch.GetYear(), 1970);
    EXPECT_EQ(epoch.GetDayOfWeek(), 5); // Thursday

    // Beyond 2038 (64-bit).
    CTime late(2100, 12, 31, 23, 59, 59);
    EXPECT_EQ(late.GetTime(), 4133980799LL);
    EXPECT_EQ(late.GetYear(), 2100);
    EXPECT_EQ(late.GetDayOfWeek(), 6);  // Friday
}

TEST_F(CTimeTest, LocalPartsFollowTheZone)
{
    SetZone("JST-9");   // UTC+9, no daylight saving time
    CTime t((long long)1582983930);     // 2020-02-29 13:45:30 UTC
    struct tm expect;
    ASSERT_TRUE(RuntimeLocal(t.GetTime(), &expect));
    EXPECT_EQ(t.GetHour(), expect.tm_hour);
    EXPECT_EQ(t.GetDay(), expect.tm_mday);
    EXPECT_EQ(t.GetHour(), 22);
    EXPECT_EQ(t.GetDay(), 29);
    CTime local(2020, 2, 29, 22, 45, 30);
    EXPECT_EQ(local.GetTime(), t.GetTime());
    EXPECT_STREQ(t.FormatGmt("%H"), "13");

    SetZone("EST5");    // UTC-5: the date moves back
    CTime u((long long)1583020800);     // 2020-03-01 00:00:00 UTC
    EXPECT_EQ(u.GetMonth(), 2);
    EXPECT_EQ(u.GetDay(), 29);
    EXPECT_EQ(u.GetHour(), 19);
}

TEST_F(CTimeTest, GetLocalTmAndFailures)
{
    CTime t((long long)86400);
    struct tm tmv;
    EXPECT_EQ(t.GetLocalTm(&tmv), &tmv);
    EXPECT_EQ(tmv.tm_mday, 2);
    EXPECT_EQ(tmv.tm_year, 70);
    EXPECT_EQ(t.GetLocalTm(NULL), nullptr);
    EXPECT_EQ(t.GetGmtTm(&tmv), &tmv);

    // Before 1970: the Windows runtime refuses, glibc converts. Either way the
    // parts agree with GetLocalTm.
    CTime old((long long)-86400 * 365);
    if (old.GetLocalTm(&tmv) == NULL)
    {
        EXPECT_EQ(old.GetYear(), 0);
        EXPECT_EQ(old.GetMonth(), 0);
        EXPECT_EQ(old.GetDay(), 0);
        EXPECT_EQ(old.GetHour(), -1);
        EXPECT_TRUE(old.Format("%Y").IsEmpty());
    }
    else
    {
        EXPECT_EQ(old.GetYear(), 1969);
        EXPECT_STREQ(old.Format("%Y"), "1969");
    }

    EXPECT_TRUE(kvvx_test::Throws<CInvalidArgException>([] { CTime bad(2020, 13, 1, 0, 0, 0); }));
    EXPECT_TRUE(kvvx_test::Throws<CInvalidArgException>([] { CTime bad(1800, 1, 1, 0, 0, 0); }));
    EXPECT_TRUE(kvvx_test::Throws<CInvalidArgException>([] { CTime bad(2020, 1, 1, 24, 0, 0); }));
}

TEST_F(CTimeTest, FormatLongAndEmpty)
{
    CTime t(2021, 7, 4, 8, 5, 9);
    EXPECT_TRUE(t.Format("").IsEmpty());
    EXPECT_TRUE(t.Format(NULL).IsEmpty());
    std::string fmt;
    for (int i = 0; i < 200; ++i)
        fmt += "%Y-%m-%d|";
    CString s = t.Format(fmt.c_str());
    EXPECT_EQ(s.GetLength(), 200 * 11);
    EXPECT_STREQ(s.Left(11), "2021-07-04|");
    EXPECT_STREQ(t.Format("%%"), "%");
    EXPECT_STREQ(t.Format("%H%M%S"), "080509");
}

TEST_F(CTimeTest, ArithmeticAndComparison)
{
    CTime a(2020, 1, 31, 0, 0, 0);
    CTime b = a + CTimeSpan(1, 2, 3, 4);
    EXPECT_EQ(b.GetDay(), 1);
    EXPECT_EQ(b.GetMonth(), 2);
    EXPECT_EQ(b.GetHour(), 2);
    CTimeSpan d = b - a;
    EXPECT_EQ(d.GetDays(), 1);
    EXPECT_EQ(d.GetHours(), 2);
    EXPECT_EQ(d.GetMinutes(), 3);
    EXPECT_EQ(d.GetSeconds(), 4);
    EXPECT_EQ(d.GetTotalSeconds(), 93784);
    EXPECT_STREQ(d.Format("%D days %H:%M:%S"), "1 days 02:03:04");
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(a <= a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a == CTime(a.GetTime()));
    CTime c = b;
    c -= d;
    EXPECT_EQ(c, a);

    CTime now = CTime::GetCurrentTime();
    EXPECT_GT(now.GetTime(), 1600000000LL);
    EXPECT_GE(now.GetYear(), 2020);
}
