#include "platform/core/Time.h"
#include "platform/core/Exceptions.h"

#include <climits>
#include <cstring>

namespace {

bool LocalTm(long long t, struct tm* ptm)
{
#if defined(_WIN32)
    __time64_t tt = (__time64_t)t;
    return _localtime64_s(ptm, &tt) == 0;
#else
    if ((long long)(time_t)t != t)
        return false;
    time_t tt = (time_t)t;
    return localtime_r(&tt, ptm) != NULL;
#endif
}

bool GmtTm(long long t, struct tm* ptm)
{
#if defined(_WIN32)
    __time64_t tt = (__time64_t)t;
    return _gmtime64_s(ptm, &tt) == 0;
#else
    if ((long long)(time_t)t != t)
        return false;
    time_t tt = (time_t)t;
    return gmtime_r(&tt, ptm) != NULL;
#endif
}

CString FormatTm(const struct tm* ptm, LPCTSTR pszFormat)
{
    if (ptm == NULL || pszFormat == NULL || *pszFormat == '\0')
        return CString();
    // strftime gives 0 both for "too small" and for an empty result: grow
    // the buffer a few times before concluding the result is empty.
    size_t nFmtLen = strlen(pszFormat);
    for (size_t nSize = 128 + nFmtLen * 4; nSize <= (1u << 22) + nFmtLen * 64; nSize *= 4)
    {
        CString s;
        char* p = s.GetBuffer((int)nSize);
        size_t n = strftime(p, nSize + 1, pszFormat, ptm);
        if (n > 0)
        {
            s.ReleaseBuffer((int)n);
            return s;
        }
        s.ReleaseBuffer(0);
    }
    return CString();
}

} // namespace

// ------------------------------------------------------------------ CTime

CTime PASCAL CTime::GetCurrentTime()
{
    return CTime((long long)::time(NULL));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31
        || nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0 || nSec > 59)
        AfxThrowInvalidArgException();
    struct tm atm;
    memset(&atm, 0, sizeof(atm));
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
#if defined(_WIN32)
    __time64_t t = _mktime64(&atm);
    if (t == (__time64_t)-1)
        AfxThrowInvalidArgException();
    m_time = (long long)t;
#else
    time_t t = mktime(&atm);
    if (t == (time_t)-1)
    {
        // -1 is also a valid time (1969-12-31 23:59:59 UTC): check it.
        struct tm chk;
        if (!LocalTm(-1, &chk) || chk.tm_year != nYear - 1900 || chk.tm_mon != nMonth - 1
            || chk.tm_mday != nDay || chk.tm_hour != nHour || chk.tm_min != nMin || chk.tm_sec != nSec)
            AfxThrowInvalidArgException();
    }
    m_time = (long long)t;
#endif
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (ptm == NULL)
        return NULL;
    struct tm tmp;
    if (!LocalTm(m_time, &tmp))
        return NULL;
    *ptm = tmp;
    return ptm;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (ptm == NULL)
        return NULL;
    struct tm tmp;
    if (!GmtTm(m_time, &tmp))
        return NULL;
    *ptm = tmp;
    return ptm;
}

int CTime::GetYear() const { struct tm t; return GetLocalTm(&t) ? t.tm_year + 1900 : 0; }
int CTime::GetMonth() const { struct tm t; return GetLocalTm(&t) ? t.tm_mon + 1 : 0; }
int CTime::GetDay() const { struct tm t; return GetLocalTm(&t) ? t.tm_mday : 0; }
int CTime::GetHour() const { struct tm t; return GetLocalTm(&t) ? t.tm_hour : -1; }
int CTime::GetMinute() const { struct tm t; return GetLocalTm(&t) ? t.tm_min : -1; }
int CTime::GetSecond() const { struct tm t; return GetLocalTm(&t) ? t.tm_sec : -1; }
int CTime::GetDayOfWeek() const { struct tm t; return GetLocalTm(&t) ? t.tm_wday + 1 : 0; }

CString CTime::Format(LPCTSTR pszFormat) const
{
    struct tm t;
    return FormatTm(GetLocalTm(&t), pszFormat);
}

CString CTime::FormatGmt(LPCTSTR pszFormat) const
{
    struct tm t;
    return FormatTm(GetGmtTm(&t), pszFormat);
}

// -------------------------------------------------------------- CTimeSpan

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    CString s;
    if (pFormat == NULL)
        return s;
    for (const char* p = pFormat; *p != '\0'; ++p)
    {
        if (*p != '%' || p[1] == '\0')
        {
            s += *p;
            continue;
        }
        ++p;
        switch (*p)
        {
        case '%': s += '%'; break;
        case 'D': s.AppendFormat("%lld", GetDays()); break;
        case 'H': s.AppendFormat("%02ld", (long)GetHours()); break;
        case 'M': s.AppendFormat("%02ld", (long)GetMinutes()); break;
        case 'S': s.AppendFormat("%02ld", (long)GetSeconds()); break;
        default:  s += '%'; s += *p; break;
        }
    }
    return s;
}
