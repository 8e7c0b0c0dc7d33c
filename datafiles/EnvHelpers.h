#pragma once

// Small routines that tell a host application about its environment: the
// folder of the running program, a file's bare name, a compact time stamp
// from the system clock and the size of the physical memory.

#include "platform/core/kvExport.h"
#include "platform/core/String.h"

// Drive and directory of the running program's executable, ending with the
// path separator (C:\Tools\App\ for C:\Tools\App\app.exe). Paths of any
// length are handled. Empty when the path cannot be learned.
KVVX_API CString kvGetAppDir();

// The file name after the last '/' of the path (or, when the path has no
// '/', after the last '\'), without its last four characters; a name of four
// characters or fewer gives an empty string, and so does a null path.
KVVX_API CString kvGetFileNameWithoutPath(const char* pszPath);

// The time stamp of kvGetSystemCurDateTime for the given UTC calendar
// parts: ((((365 * (Y - 1980) + 31 * M + D) * 24 + h) * 60 + m) * 60 + s,
// in 32-bit two's-complement arithmetic that wraps around. Every year counts
// 365 days and every month 31, so the value only orders times inside one
// year.
KVVX_API long kvComputeDateTimeStamp(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond);

// The stamp of kvComputeDateTimeStamp for the current system time (UTC).
// The milliseconds of that time are stored through pnMilliseconds when it is
// not null.
KVVX_API long kvGetSystemCurDateTime(short* pnMilliseconds);

// Total physical memory of the machine in bytes; 2147483647 when there is
// more than that.
KVVX_API long kvGetMemAllocRange();
