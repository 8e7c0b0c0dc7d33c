#pragma once

// CTime: an absolute time as a 64-bit count of seconds since 1970-01-01
// 00:00:00 UTC. The calendar parts (GetYear ... GetDayOfWeek) and Format()
// are in LOCAL time (the C runtime's time zone, TZ natively); FormatGmt and
// GetGmtTm in UTC. CTimeSpan: a signed 64-bit count of seconds.
//
// When the C runtime cannot convert a time (for instance a time before 1970
// with the Windows runtime), GetLocalTm/GetGmtTm return NULL, GetYear,
// GetMonth, GetDay and GetDayOfWeek return 0, GetHour, GetMinute and
// GetSecond return -1 (as the framework's do) and Format returns "". The constructor from
// local Y/M/D h:m:s throws CInvalidArgException* when the parts are out of
// range or the runtime cannot convert them.

#include "platform/core/WinTypes.h"
#include "platform/core/String.h"

#include <ctime>

// <windows.h> defines GetCurrentTime() as GetTickCount(); the framework's
// CTime::GetCurrentTime must keep its name.
#ifdef GetCurrentTime
#  undef GetCurrentTime
#endif


class KVVX_API CTimeSpan
{
public:
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(long long time) : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_timeSpan(((long long)lDays * 24 * 3600) + (long long)nHours * 3600 + (long long)nMins * 60 + nSecs) {}

    long long GetDays() const { return m_timeSpan / (24 * 3600); }
    long long GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return (LONG)(GetTotalHours() - GetDays() * 24); }
    long long GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return (LONG)(GetTotalMinutes() - GetTotalHours() * 60); }
    long long GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return (LONG)(GetTotalSeconds() - GetTotalMinutes() * 60); }
    long long GetTimeSpan() const { return m_timeSpan; }

    CTimeSpan operator+(CTimeSpan span) const { return CTimeSpan(m_timeSpan + span.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan span) const { return CTimeSpan(m_timeSpan - span.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan span) { m_timeSpan += span.m_timeSpan; return *this; }
    CTimeSpan& operator-=(CTimeSpan span) { m_timeSpan -= span.m_timeSpan; return *this; }
    bool operator==(CTimeSpan span) const { return m_timeSpan == span.m_timeSpan; }
    bool operator!=(CTimeSpan span) const { return m_timeSpan != span.m_timeSpan; }
    bool operator<(CTimeSpan span) const { return m_timeSpan < span.m_timeSpan; }
    bool operator>(CTimeSpan span) const { return m_timeSpan > span.m_timeSpan; }
    bool operator<=(CTimeSpan span) const { return m_timeSpan <= span.m_timeSpan; }
    bool operator>=(CTimeSpan span) const { return m_timeSpan >= span.m_timeSpan; }

    // %D days, %H hours (0-23), %M minutes, %S seconds, %% a percent sign.
    CString Format(LPCTSTR pFormat) const;

private:
    long long m_timeSpan;
};

class KVVX_API CTime
{
public:
    static CTime PASCAL GetCurrentTime();

    CTime() : m_time(0) {}
    CTime(long long time) : m_time(time) {}         // seconds since 1970 UTC
    // Local calendar time; nDST < 0: let the runtime decide, 0: standard
    // time, > 0: daylight saving time. Months 1-12, days 1-31.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    CTime& operator=(long long time) { m_time = time; return *this; }

    long long GetTime() const { return m_time; }

    // Fill *ptm (which must not be NULL) and return ptm, or NULL on failure.
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;

    int GetYear() const;
    int GetMonth() const;       // 1-12
    int GetDay() const;         // 1-31
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday ... 7 = Saturday

    // strftime formats of any output length; "" on failure.
    CString Format(LPCTSTR pszFormat) const;
    CString FormatGmt(LPCTSTR pszFormat) const;

    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }
    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }

    bool operator==(CTime time) const { return m_time == time.m_time; }
    bool operator!=(CTime time) const { return m_time != time.m_time; }
    bool operator<(CTime time) const { return m_time < time.m_time; }
    bool operator>(CTime time) const { return m_time > time.m_time; }
    bool operator<=(CTime time) const { return m_time <= time.m_time; }
    bool operator>=(CTime time) const { return m_time >= time.m_time; }

private:
    long long m_time;
};
