#pragma once
// Helpers shared by the core tests: scratch files and the "disk full" device.
#include "platform/core/Core.h"

#include <string>

#if defined(_WIN32)
#  include <windows.h>
#else
#  include <sys/stat.h>
#  include <unistd.h>
#endif

namespace kvvx_test {

// A path in a per-process scratch folder (created on first use).
inline std::string TempPath(const char* name)
{
    static std::string s_dir;
    if (s_dir.empty())
    {
#if defined(_WIN32)
        char buf[MAX_PATH];
        DWORD n = GetTempPathA(MAX_PATH, buf);
        std::string base = (n > 0 && n < MAX_PATH) ? std::string(buf) : std::string(".\\");
        s_dir = base + "kvvx_core_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(s_dir.c_str(), NULL);
        s_dir += "\\";
#else
        const char* tmp = getenv("TMPDIR");
        std::string base = (tmp != NULL && *tmp) ? tmp : "/tmp";
        s_dir = base + "/kvvx_core_" + std::to_string((long)getpid());
        std::string cmd = s_dir;
        mkdir(cmd.c_str(), 0700);
        s_dir += "/";
#endif
    }
    return s_dir + name;
}

// A device whose writes fail with "disk full".
inline const char* FullDiskPath()
{
#if defined(_WIN32)
    return "Z:\\dev\\full";
#else
    return "/dev/full";
#endif
}

// Whole file as bytes (binary), via CFile.
inline std::string ReadAll(const std::string& path)
{
    CFile f(path.c_str(), CFile::modeRead | CFile::shareDenyNone);
    std::string s;
    s.resize((size_t)f.GetLength());
    if (!s.empty())
        f.Read(&s[0], (UINT)s.size());
    return s;
}

inline void WriteAll(const std::string& path, const std::string& data)
{
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    if (!data.empty())
        f.Write(data.data(), (UINT)data.size());
    f.Close();
}

// Runs f, which must throw an exception of class E (as a pointer); returns
// a copy of what matters (cause) or -1000 when nothing or something else
// was thrown.
template<class E, class F>
int CauseOf(F f)
{
    try
    {
        f();
    }
    catch (E* e)
    {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    catch (CException* e)
    {
        e->Delete();
        return -2000;
    }
    return -1000;
}

template<class E, class F>
bool Throws(F f)
{
    try
    {
        f();
    }
    catch (E* e)
    {
        e->Delete();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    return false;
}

} // namespace kvvx_test
