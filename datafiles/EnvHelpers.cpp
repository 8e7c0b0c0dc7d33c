#include "datafiles/EnvHelpers.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <sys/time.h>
#  include <time.h>
#  include <unistd.h>
#endif

namespace {

const int64_t kLongLimit = 2147483647;

// Full path of the running executable; empty when it cannot be learned.
std::string ExecutablePath()
{
#ifdef _WIN32
    std::string buf(MAX_PATH + 1, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, &buf[0], static_cast<DWORD>(buf.size()));
        if (n == 0)
            return std::string();
        if (n < buf.size() - 1) {
            buf.resize(n);
            return buf;
        }
        if (buf.size() > 32768 * 4)
            return std::string();
        buf.resize(buf.size() * 2);   // cut short: try a larger buffer
    }
#else
    std::string buf(256, '\0');
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", &buf[0], buf.size());
        if (n < 0)
            return std::string();
        if (static_cast<size_t>(n) < buf.size()) {
            buf.resize(static_cast<size_t>(n));
            return buf;
        }
        if (buf.size() > 1 << 20)
            return std::string();
        buf.resize(buf.size() * 2);
    }
#endif
}

} // namespace

CString kvGetAppDir()
{
    const std::string path = ExecutablePath();
    // Drive and directory: everything up to and including the last separator.
    size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) {
        // No directory: keep a drive prefix such as "C:" if there is one.
        cut = (path.size() >= 2 && path[1] == ':') ? 1 : std::string::npos;
    }
    if (cut == std::string::npos)
        return CString();
    return CString(path.substr(0, cut + 1).c_str());
}

CString kvGetFileNameWithoutPath(const char* pszPath)
{
    if (!pszPath)
        return CString();
    const char* name = std::strrchr(pszPath, '/');
    if (!name)
        name = std::strrchr(pszPath, '\\');
    name = name ? name + 1 : pszPath;
    const size_t len = std::strlen(name);
    if (len <= 4)
        return CString();
    // Straight into the result: no intermediate copy that could fail with
    // anything but the framework's CMemoryException*.
    const size_t keep = len - 4;
    return CString(name, static_cast<int>(keep > static_cast<size_t>(INT_MAX) ? INT_MAX : keep));
}

long kvComputeDateTimeStamp(int nYear, int nMonth, int nDay, int nHour, int nMinute, int nSecond)
{
    // Unsigned arithmetic wraps around the way 32-bit two's complement does,
    // without the undefined behaviour of a signed overflow.
    uint32_t v = 365u * static_cast<uint32_t>(nYear - 1980) + 31u * static_cast<uint32_t>(nMonth) +
                 static_cast<uint32_t>(nDay);
    v = v * 24u + static_cast<uint32_t>(nHour);
    v = v * 60u + static_cast<uint32_t>(nMinute);
    v = v * 60u + static_cast<uint32_t>(nSecond);
    return static_cast<long>(static_cast<int32_t>(v));
}

long kvGetSystemCurDateTime(short* pnMilliseconds)
{
    int y, mo, d, h, mi, s, ms;
#ifdef _WIN32
    SYSTEMTIME st;
    GetSystemTime(&st);
    y = st.wYear; mo = st.wMonth; d = st.wDay;
    h = st.wHour; mi = st.wMinute; s = st.wSecond; ms = st.wMilliseconds;
#else
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm tmv;
    gmtime_r(&ts.tv_sec, &tmv);
    y = tmv.tm_year + 1900; mo = tmv.tm_mon + 1; d = tmv.tm_mday;
    h = tmv.tm_hour; mi = tmv.tm_min; s = tmv.tm_sec; ms = static_cast<int>(ts.tv_nsec / 1000000);
#endif
    if (pnMilliseconds)
        *pnMilliseconds = static_cast<short>(ms);
    return kvComputeDateTimeStamp(y, mo, d, h, mi, s);
}

long kvGetMemAllocRange()
{
    int64_t total = 0;
#ifdef _WIN32
    MEMORYSTATUSEX ms;
    ms.dwLength = sizeof ms;
    if (GlobalMemoryStatusEx(&ms))
        total = ms.ullTotalPhys > static_cast<DWORDLONG>(kLongLimit) ? kLongLimit
                                                                     : static_cast<int64_t>(ms.ullTotalPhys);
#else
    long pages = sysconf(_SC_PHYS_PAGES);
    long page = sysconf(_SC_PAGESIZE);
    if (pages > 0 && page > 0) {
        total = (static_cast<int64_t>(pages) > kLongLimit / page) ? kLongLimit
                                                                  : static_cast<int64_t>(pages) * page;
    }
#endif
    if (total > kLongLimit)
        total = kLongLimit;
    return static_cast<long>(total);
}
